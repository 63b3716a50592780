#pragma once

// The tool's code page is 936 (GBK). Every text inside core is a byte string in it;
// these routines convert at the edges: to UTF-8 for the window and the file system,
// and to code points for the regular-expression engine.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

// GBK bytes to UTF-8. A byte that starts no valid character becomes U+FFFD.
std::string CodePageToUtf8(std::string_view text);

// UTF-8 to GBK bytes. A character the code page cannot hold, and a byte of invalid
// UTF-8, becomes "?".
std::string Utf8ToCodePage(std::string_view utf8);

// Converts a list of UTF-8 source literals once, for constant tables.
std::vector<std::string> Utf8ToCodePage(std::initializer_list<std::string_view> utf8);

// Lossless round trip through code points: a byte that starts no valid character
// maps to U+10FF00 + byte (a private-use point outside the code page's table), and
// back. CodePointsToCodePage(CodePageToCodePoints(x)) == x for every byte string.
std::u32string CodePageToCodePoints(std::string_view text);
std::string CodePointsToCodePage(std::u32string_view codePoints);

// The shape of a double-byte character: a lead byte 0x81-0xFE followed by a trail byte
// 0x40-0xFE other than 0x7F. Searching, splitting and trimming step over such a pair as
// one character, so a delimiter is only ever found at a character boundary.
inline bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
inline bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Bytes taken by the character at `text[i]`: 2 for a lead byte followed by a trail
// byte, else 1. A stray lead byte before a control character or a quote is a character
// of its own, so it never swallows a line break.
inline size_t CharLengthAt(std::string_view text, size_t i) {
  return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                 IsTrailByte(static_cast<unsigned char>(text[i + 1]))
             ? 2
             : 1;
}

}  // namespace itemsmith
