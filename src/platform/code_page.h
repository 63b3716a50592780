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

}  // namespace itemsmith
