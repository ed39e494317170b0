// Small UTF-16 text helpers: names are UTF-16 throughout the simulator so that
// any name, supplementary characters included, round-trips unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velsim {

// ASCII text (literals of the simulator) as UTF-16.
std::u16string Ascii(std::string_view text);

// The decimal form of a number.
std::u16string Decimal(int64_t value);

// A name in single quotes, for messages: 'name'.
std::u16string Quoted(const std::u16string& name);

// Decodes UTF-8; false on a malformed sequence, an overlong form or an encoded
// surrogate, so a bad file is reported instead of yielding mangled names.
bool DecodeUtf8(std::string_view utf8, std::u16string& utf16);

// Encodes UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view utf16);

}  // namespace velsim
