#pragma once

// Small text routines shared by the catalogs, the entry builders, the identifier step
// and the configuration loader. Texts are byte strings in the tool's code page; a
// double-byte character (lead byte 0x81-0xFE and the byte after it) is stepped over as
// a unit, so a delimiter is only ever found at a character boundary.

#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

// Text before the first `delimiter`; empty when it does not occur.
std::string TextBeforeDelimiter(std::string_view text, std::string_view delimiter);

// Text after the last `delimiter`; empty when it does not occur.
std::string TextAfterDelimiter(std::string_view text, std::string_view delimiter);

// Pieces of `text` between occurrences of `delimiter`, empty pieces left out. An empty
// delimiter means ",". A non-zero `maxPieces` takes only that many delimited pieces
// and discards the rest.
std::vector<std::string> SplitNonEmpty(std::string_view text, std::string_view delimiter,
                                       int maxPieces = 0);

// Number of LF bytes plus one; 0 for the empty text.
int CountLines(std::string_view text);

// The n-th CR LF-separated line, counted from 1; empty for n = 0 or past the end.
std::string LineAt(std::string_view text, int n);

// Removes ASCII blanks and full-width blanks (A1 A1) from both ends.
std::string TrimBlanks(std::string_view text);

// The integer the text begins with (full-width digits and signs count as ASCII;
// wraps modulo 2^32; no digits give 0).
int TextToInt(std::string_view text);

// Decimal text with at most 13 significant digits, no trailing zeros; exponent form
// from 1e13 upward.
std::string NumberToText(double x);

// Plain, case-sensitive replacement of every occurrence, left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Position (from 0) of the first occurrence of `needle` at a character boundary at or
// after `from`; npos when there is none or `needle` is empty.
size_t FindText(std::string_view text, std::string_view needle, size_t from = 0);

}  // namespace itemsmith
