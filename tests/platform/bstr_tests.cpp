// BSTR allocation: lengths come from the prefix, not from the first zero, so
// embedded zeros survive; NULL is a valid empty string everywhere.
#include "test_support.h"

#include <cstdint>
#include <thread>
#include <vector>

namespace {

TEST(Bstr, NullIsTheEmptyStringForEveryReader)
{
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr));
    EXPECT_EQ(0u, SysStringByteLen(nullptr));
    SysFreeString(nullptr);  // must be a no-op, not a crash
}

struct AllocLenCase {
    const char* name;
    const OLECHAR* text;  // NULL: zeroed storage is wanted
    UINT length;
    std::u16string expected;
};

TEST(Bstr, AllocLenCopiesExactlyLengthUnitsAndTerminates)
{
    const AllocLenCase cases[] = {
        {"empty", OLESTR(""), 0, u""},
        {"plain", OLESTR("abc"), 3, u"abc"},
        {"prefix of longer text", OLESTR("abcdef"), 2, u"ab"},
        {"embedded zero", OLESTR("a\0b"), 3, std::u16string(u"a\0b", 3)},
        {"null text gives zeros", nullptr, 4, std::u16string(4, u'\0')},
    };
    for (const AllocLenCase& c : cases) {
        SCOPED_TRACE(c.name);
        BSTR text = SysAllocStringLen(c.text, c.length);
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(c.length, SysStringLen(text));
        EXPECT_EQ(c.length * sizeof(OLECHAR), SysStringByteLen(text));
        EXPECT_TRUE(sameText(text, c.expected));
        EXPECT_EQ(0, text[c.length]) << "not zero-terminated";
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(text) % sizeof(void*)) << "text not pointer-aligned";
        SysFreeString(text);
    }
}

TEST(Bstr, AllocStringStopsAtTheFirstZeroAndKeepsEmptyNonNull)
{
    BSTR empty = SysAllocString(OLESTR(""));
    ASSERT_NE(nullptr, empty) << "\"\" must give an empty BSTR, not NULL";
    EXPECT_EQ(0u, SysStringLen(empty));
    EXPECT_EQ(0, empty[0]);
    BSTR cut = SysAllocString(OLESTR("ab\0cd"));
    EXPECT_TRUE(sameText(cut, u"ab"));
    SysFreeString(empty);
    SysFreeString(cut);
}

TEST(Bstr, LengthsWhoseByteCountOverflowsAreRefused)
{
    for (UINT length : {0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(nullptr, SysAllocStringLen(nullptr, length));
        EXPECT_EQ(nullptr, SysAllocStringLen(OLESTR("x"), length));
    }
}

#ifndef _WIN32
TEST(Bstr, LiveCountReturnsToBaselineAcrossThreads)
{
    const LONG baseline = JVelComLiveStrings();
    BSTR held = SysAllocString(OLESTR("held"));
    EXPECT_EQ(baseline + 1, JVelComLiveStrings());
    EXPECT_EQ(nullptr, SysAllocStringLen(nullptr, 0x80000000u));
    EXPECT_EQ(baseline + 1, JVelComLiveStrings()) << "a refused allocation was counted";

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) SysFreeString(SysAllocStringLen(OLESTR("abc"), 3));
        });
    for (std::thread& thread : threads) thread.join();
    SysFreeString(held);
    EXPECT_EQ(baseline, JVelComLiveStrings());
}
#endif

}  // namespace
