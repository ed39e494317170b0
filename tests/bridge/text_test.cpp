// Modified UTF-8 <-> UTF-16 conversion, exact both ways, and the shared,
// counted wide string built on it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "bridge/java_text.h"
#include "bridge/shared_wide_string.h"
#include "bridge/text_conversion.h"
#include "fuzz/modified_utf8.h"
#include "tests/bridge/bridge_test_support.h"
#include "tests/support/fake_jni.h"

namespace jvelweb::testing {
namespace {

std::string Bytes(const std::string& text)
{
    std::string out;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%s%02X", out.empty() ? "" : " ", unsigned(c));
        out += byte;
    }
    return "[" + out + "]";
}

struct TextRow {
    const char* name;
    std::string narrow;  // what the JVM hands out (or a malformed input)
    std::u16string wide;
    std::string back;    // wide converted back
};

// A text of exactly `bytes` bytes around the conversion's 256-unit stack
// buffer: ASCII, or U+00E9 (two bytes each) after one 'a' when `bytes` is odd.
TextRow Edge(const char* name, size_t bytes, bool twoByte)
{
    if (!twoByte) return {name, std::string(bytes, 'a'), std::u16string(bytes, u'a'), std::string(bytes, 'a')};
    std::string narrow(bytes % 2, 'a');
    std::u16string wide(bytes % 2, u'a');
    for (size_t i = 0; i < bytes / 2; ++i) {
        narrow += "\xC3\xA9";
        wide += u'\u00E9';
    }
    return {name, narrow, wide, narrow};
}

const TextRow kTexts[] = {
    {"Ascii", "Hello, World! ~", u"Hello, World! ~", "Hello, World! ~"},
    {"Empty", "", u"", ""},
    {"Latin1", "caf\xC3\xA9", u"caf\u00E9", "caf\xC3\xA9"},
    {"Euro", "\xE2\x82\xAC", u"\u20AC", "\xE2\x82\xAC"},
    {"LengthEdges", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\u007F\u0080\u07FF\u0800\uFFFF",
     "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
    {"Supplementary", "\xED\xA0\xBD\xED\xB8\x80", u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},
    {"EmbeddedNul", "a\xC0\x80z\xC0\x80", std::u16string(u"a\0z\0", 4), "a\xC0\x80z\xC0\x80"},
    {"LoneSurrogates", "x\xED\xA0\x80y\xED\xB0\x80", u"x\xD800y\xDC00", "x\xED\xA0\x80y\xED\xB0\x80"},
    // Malformed input: each offending byte becomes U+FFFD (EF BF BD), the rest is kept.
    {"StrayContinuation", "a\x80z", u"a\uFFFDz", "a\xEF\xBF\xBDz"},
    {"TruncatedAtEnd", "a\xE2\x82", u"a\uFFFD\uFFFD", "a\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"LeadBeforeAscii", "\xC3z\xE2\x82z", u"\uFFFDz\uFFFD\uFFFDz", "\xEF\xBF\xBDz\xEF\xBF\xBD\xEF\xBF\xBDz"},
    {"ByteFF", "\xFFz", u"\uFFFDz", "\xEF\xBF\xBDz"},
    {"FourByteForm", "\xF0\x9F\x98\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD",
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    // At the stack buffer's edge, counted in bytes of input and units of output.
    Edge("Ascii255", 255, false), Edge("Ascii256", 256, false), Edge("Ascii257", 257, false),
    Edge("Ascii511", 511, false), Edge("Ascii512", 512, false), Edge("Ascii513", 513, false),
    Edge("TwoByte255", 255, true), Edge("TwoByte256", 256, true), Edge("TwoByte257", 257, true),
    Edge("TwoByte511", 511, true), Edge("TwoByte512", 512, true), Edge("TwoByte513", 513, true),
};

class TextConversion : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextConversion, NarrowToWideIsExactAndSizedExactly)
{
    const TextRow& row = GetParam();
    const LONG live = LiveStrings();
    BSTR wide = ConvertNarrowToWide(row.narrow.c_str());
    ASSERT_NE(wide, nullptr) << "an empty text is an empty BSTR, not null";
    EXPECT_EQ(Units(WideOf(wide)), Units(row.wide));
    EXPECT_EQ(SysStringLen(wide), row.wide.size());
    EXPECT_EQ(unsigned(wide[SysStringLen(wide)]), 0u) << "BSTR not terminated";
    SysFreeString(wide);
    EXPECT_LIVE(LiveStrings(), live);
}

TEST_P(TextConversion, WideToNarrowUsesTheWholeBstr)
{
    const TextRow& row = GetParam();
    BSTR wide = NewBstr(row.wide);
    char* narrow = ConvertWideToNarrow(wide);
    SysFreeString(wide);
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(Bytes(narrow), Bytes(row.back));
    FreeNarrow(narrow);
}

// The rows whose bytes some Java String has (canonical modified UTF-8); the
// malformed ones reach the library only as narrow text.
std::vector<TextRow> JavaTexts()
{
    std::vector<TextRow> rows;
    std::u16string units;
    for (const TextRow& row : kTexts)
        if (fuzzing::DecodeModifiedUtf8(row.narrow, units)) rows.push_back(row);
    return rows;
}

class JavaText : public TextConversion {};

// A Java String of the row's text reaches the plug-in as a BSTR of exactly its
// units, the same BSTR the modified UTF-8 path made from it; the plug-in's
// BSTR of those units comes back to Java up to its first zero.
TEST_P(JavaText, CrossesAsItsUtf16)
{
    const TextRow& row = GetParam();
    std::u16string units;
    ASSERT_TRUE(fuzzing::DecodeModifiedUtf8(row.narrow, units));
    const LONG live = LiveStrings();
    FakeJni jni;
    {
        JavaName name;
        ASSERT_EQ(name.Take(jni.Env(), jni.NewJavaString(row.narrow)), JavaArgument::Taken);
        ASSERT_NE(name.Wide(), nullptr) << "an empty String is an empty BSTR, not null";
        EXPECT_EQ(Units(WideOf(name.Wide())), Units(row.wide));
        EXPECT_EQ(unsigned(name.Wide()[SysStringLen(name.Wide())]), 0u) << "BSTR not terminated";
        BSTR before = ConvertNarrowToWide(row.narrow.c_str());
        EXPECT_EQ(Units(WideOf(name.Wide())), Units(WideOf(before)));
        SysFreeString(before);
    }
    const jstring back = TakeOverJavaString(jni.Env(), NewBstr(row.wide));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Bytes(jni.TextOf(back)), Bytes(fuzzing::EncodeModifiedUtf8(row.wide.substr(0, row.wide.find(u'\0')))));
    EXPECT_TRUE(jni.violations.empty()) << jni.violations.front();
    EXPECT_LIVE(LiveStrings(), live);
}

std::string RowName(const ::testing::TestParamInfo<TextRow>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Texts, TextConversion, ::testing::ValuesIn(kTexts), RowName);
INSTANTIATE_TEST_SUITE_P(Texts, JavaText, ::testing::ValuesIn(JavaTexts()), RowName);

TEST(TextConversionNull, NullGivesNullBothWays)
{
    EXPECT_EQ(ConvertNarrowToWide(nullptr), nullptr);
    EXPECT_EQ(ConvertWideToNarrow(nullptr), nullptr);
}

// ---- SharedWideString ----

TEST(SharedWideString, LastOfThreeHoldersFreesTheRecordOnce)
{
    const LONG live = LiveStrings();
    SharedWideString first = SharedWideString::FromNarrow("shared \xC3\xA9");
    SharedWideString second(first);
    SharedWideString third;
    third = second;
    EXPECT_EQ(second.Wide(), first.Wide());
    EXPECT_EQ(third.Wide(), first.Wide());
    EXPECT_LIVE(LiveStrings(), live + 1) << "a copy allocated a new BSTR";

    EXPECT_EQ(first.Release(), 2u);
    EXPECT_FALSE(first.HasText()) << "a released holder is null";
    EXPECT_EQ(first.Release(), 0u) << "a null holder has no count";
    EXPECT_LIVE(LiveStrings(), live + 1);
    EXPECT_STREQ(third.NarrowText(), "shared \xC3\xA9");
    EXPECT_EQ(third.Release(), 1u);
    EXPECT_LIVE(LiveStrings(), live + 1);
    EXPECT_EQ(second.Release(), 0u);
    EXPECT_LIVE(LiveStrings(), live) << "freed not exactly once";
}

TEST(SharedWideString, AssignmentGivesUpTheOldRecordAndMoveEmptiesTheSource)
{
    const LONG live = LiveStrings();
    SharedWideString a = SharedWideString::FromNarrow("a");
    SharedWideString b = SharedWideString::FromNarrow("b");
    a = b;
    EXPECT_LIVE(LiveStrings(), live + 1) << "the record \"a\" was not freed";
    const SharedWideString& self = a;
    a = self;
    EXPECT_STREQ(a.NarrowText(), "b");

    SharedWideString moved(std::move(b));
    EXPECT_FALSE(b.HasText());  // a moved-from holder is null
    b = std::move(moved);
    EXPECT_EQ(b.Release(), 1u) << "a move changed the count";
    EXPECT_EQ(a.Release(), 0u);
    EXPECT_LIVE(LiveStrings(), live);
}

TEST(SharedWideString, NarrowTextIsMadeOnceAndEmptyOrMissingTextDiffer)
{
    const LONG live = LiveStrings();
    {
        SharedWideString text = SharedWideString::FromNarrow("x\xC0\x80y");
        const char* narrow = text.NarrowText();
        EXPECT_EQ(static_cast<const void*>(text.NarrowText()), static_cast<const void*>(narrow));
        EXPECT_EQ(Bytes(narrow), Bytes("x\xC0\x80y"));

        BSTR own = SysAllocString(Ole(u""));
        SharedWideString empty = SharedWideString::Adopt(own);
        EXPECT_EQ(empty.Wide(), own) << "Adopt copied the BSTR";
        EXPECT_TRUE(empty.HasText());
        ASSERT_NE(empty.NarrowText(), nullptr);
        EXPECT_STREQ(empty.NarrowText(), "");

        SharedWideString fromEmpty = SharedWideString::FromNarrow("");
        EXPECT_TRUE(fromEmpty.HasText());
        EXPECT_EQ(SysStringLen(fromEmpty.Wide()), 0u);

        for (SharedWideString none : {SharedWideString::Adopt(nullptr), SharedWideString::FromNarrow(nullptr)}) {
            EXPECT_FALSE(none.HasText());
            EXPECT_EQ(none.Wide(), nullptr);
            EXPECT_EQ(none.NarrowText(), nullptr);
        }
    }
    EXPECT_LIVE(LiveStrings(), live);
}

TEST(SharedWideString, ConcurrentCopiesAndReleasesFreeTheRecordExactlyOnce)
{
    constexpr int kThreads = 8;
    constexpr int kRounds = 20000;
    const LONG live = LiveStrings();
    for (int trial = 0; trial < 5; ++trial) {
        SharedWideString origin = SharedWideString::FromNarrow("contended");
        std::vector<SharedWideString> shares(kThreads, origin);
        std::atomic<int> zeros{0};
        std::atomic<bool> go{false};
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                while (!go.load()) std::this_thread::yield();
                for (int i = 0; i < kRounds; ++i) {
                    SharedWideString copy(shares[t]);
                    if (copy.Release() == 0) ++zeros;
                }
                if (shares[t].Release() == 0) ++zeros;
            });
        }
        // The origin goes first, so the last thread's share frees the record.
        if (origin.Release() == 0) ++zeros;
        go = true;
        for (auto& thread : threads) thread.join();
        EXPECT_EQ(zeros.load(), 1) << "trial " << trial;
        EXPECT_LIVE(LiveStrings(), live) << "trial " << trial;
    }
}

}  // namespace
}  // namespace jvelweb::testing
