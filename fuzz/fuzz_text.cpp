// Narrow (modified UTF-8) and wide (UTF-16) text through the bridge's two
// conversions. Any byte string converts without harm, and what comes back is
// always canonical; well-formed text, and any sequence of UTF-16 units, lone
// surrogates and zeros included, survives the round trip exactly.
#include <cstdint>
#include <cstring>
#include <string>

#include "bridge/text_conversion.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/modified_utf8.h"

using namespace jvelweb;
using namespace jvelweb::fuzzing;

namespace {

std::u16string UnitsOf(BSTR wide) { return std::u16string(wide, SysStringLen(wide)); }

// Narrow to wide and back; returns the units the bytes decoded to.
std::u16string CheckNarrowText(const std::string& text)
{
    BSTR wide = ConvertNarrowToWide(text.c_str());
    FUZZ_CHECK(wide != nullptr, "no BSTR for %zu bytes", text.size());
    const std::u16string units = UnitsOf(wide);
    FUZZ_CHECK(units.size() <= text.size() && units.size() * 3 >= text.size(),
               "%zu bytes gave %zu units; each unit takes one to three bytes, and each byte at most one unit",
               text.size(), units.size());

    std::u16string expected;
    const bool wellFormed = DecodeModifiedUtf8(text, expected);
    if (wellFormed) FUZZ_CHECK(units == expected, "well-formed text of %zu bytes decoded wrongly", text.size());

    char* narrow = ConvertWideToNarrow(wide);
    FUZZ_CHECK(narrow != nullptr, "no narrow copy");
    const std::string back(narrow);
    FUZZ_CHECK(back == EncodeModifiedUtf8(units), "the narrow copy is not the canonical encoding of the units");
    if (wellFormed) FUZZ_CHECK(back == text, "well-formed text did not round-trip");

    // What the library writes it also reads back unchanged.
    BSTR again = ConvertNarrowToWide(narrow);
    FUZZ_CHECK(again != nullptr && UnitsOf(again) == units, "canonical text did not round-trip");
    SysFreeString(again);
    FreeNarrow(narrow);
    SysFreeString(wide);
    return units;
}

void CheckWideText(const std::u16string& units)
{
    BSTR wide = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
    FUZZ_CHECK(wide != nullptr, "no BSTR");
    char* narrow = ConvertWideToNarrow(wide);
    FUZZ_CHECK(narrow != nullptr, "no narrow copy");
    FUZZ_CHECK(std::string(narrow) == EncodeModifiedUtf8(units),
               "%zu units: the narrow copy is cut short or not canonical", units.size());
    BSTR back = ConvertNarrowToWide(narrow);
    FUZZ_CHECK(back != nullptr && UnitsOf(back) == units, "%zu units did not round-trip", units.size());
    SysFreeString(back);
    FreeNarrow(narrow);
    SysFreeString(wide);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LONG liveStrings = JVelComLiveStrings();

    // The bytes as the JVM's characters: the text ends at the first zero byte.
    const char* bytes = reinterpret_cast<const char*>(data);
    CheckNarrowText(std::string(bytes, strnlen(bytes, size)));

    // The bytes as UTF-16 units, two bytes each, least significant first.
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    CheckWideText(units);

    FUZZ_CHECK(JVelComLiveStrings() == liveStrings, "%ld BSTRs left behind",
               static_cast<long>(JVelComLiveStrings() - liveStrings));
    return 0;
}
