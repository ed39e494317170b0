// Conversions between the library's narrow text and COM's wide text.
//
// The narrow text is Java's modified UTF-8, the encoding GetStringUTFChars
// hands out and NewStringUTF expects: U+0000 is written C0 80, and every
// UTF-16 code unit, a lone surrogate included, is encoded on its own in one to
// three bytes (a supplementary character is two 3-byte surrogates). The wide
// text is UTF-16. Both directions are exact and size their output exactly;
// ASCII passes unchanged.
#pragma once

#include <cstddef>

#include "platform/com.h"

namespace jvelweb {

// A new BSTR holding `text` decoded to UTF-16; null for a null `text` and when
// the BSTR cannot be allocated. Bytes that are not well-formed modified UTF-8
// (never handed out by the JVM) each become U+FFFD, so no text is cut short.
BSTR ConvertNarrowToWide(const char* text) noexcept;

// A new zero-terminated modified UTF-8 copy of the whole BSTR, embedded zeros
// included (as C0 80), to be freed with FreeNarrow; null for a null `wide`.
// Raises E_OUTOFMEMORY when the copy cannot be allocated.
char* ConvertWideToNarrow(BSTR wide);
void FreeNarrow(char* text) noexcept;

// The parts of ConvertWideToNarrow, for callers with a buffer of their own:
// the bytes `length` units take (without the terminator), and the encoding
// itself, which writes exactly that many bytes and a terminating zero.
size_t NarrowLength(const OLECHAR* wide, size_t length) noexcept;
void EncodeNarrow(const OLECHAR* wide, size_t length, char* out) noexcept;

}  // namespace jvelweb
