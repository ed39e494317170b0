// BSTR: the length comes from the prefix, not the first zero, so embedded
// zeros survive; NULL reads as the empty string everywhere.
#include "test_support.h"

#include <cstdint>
#include <thread>
#include <vector>

namespace {

TEST(Bstr, AllocationKeepsLengthTerminatorAndAlignment)
{
    EXPECT_EQ(nullptr, SysAllocString(nullptr));
    EXPECT_EQ(0u, SysStringLen(nullptr) + SysStringByteLen(nullptr));
    SysFreeString(nullptr);  // a no-op, not a crash
    struct Case {
        BSTR text;
        std::u16string expected;
    } cases[] = {
        {SysAllocString(OLESTR("")), u""},  // empty, but not NULL
        {SysAllocString(OLESTR("ab\0cd")), u"ab"},
        {SysAllocStringLen(OLESTR("abcdef"), 2), u"ab"},
        {SysAllocStringLen(OLESTR("a\0b"), 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "expected length " << c.expected.size());
        ASSERT_NE(nullptr, c.text);
        EXPECT_TRUE(sameText(c.text, c.expected)) << "length " << SysStringLen(c.text);
        EXPECT_EQ(c.expected.size() * sizeof(OLECHAR), SysStringByteLen(c.text));
        EXPECT_EQ(0, c.text[c.expected.size()]) << "not zero-terminated";
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(c.text) % sizeof(void*)) << "text not pointer-aligned";
        SysFreeString(c.text);
    }
    // Without text the units are the caller's to write: only the length and
    // the terminator are set.
    BSTR unset = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(nullptr, unset);
    EXPECT_EQ(4u, SysStringLen(unset));
    EXPECT_EQ(0, unset[4]) << "not zero-terminated";
    SysFreeString(unset);
    for (UINT length : {0x80000000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(nullptr, SysAllocStringLen(nullptr, length)) << "byte count overflows: " << length;
        EXPECT_EQ(nullptr, SysAllocStringLen(OLESTR("x"), length)) << length;
    }
}

#ifndef _WIN32
TEST(Bstr, LiveCountReturnsToBaselineAcrossThreads)
{
    const LONG baseline = JVelComLiveStrings();
    BSTR held = SysAllocString(OLESTR("held"));
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
