#include "model/text_helpers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

constexpr std::string_view kFullWidthBlank = "\xA1\xA1";

}  // namespace

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty()) return std::string_view::npos;
  // The library finds each candidate; whether it starts a character is decided by the
  // bytes just before it. A byte outside the lead range ends a character, so a run of
  // lead-range bytes before the candidate starts at a character boundary (as does
  // `known`) and pairs up from there: an odd run leaves its last byte to take the
  // candidate's first byte as its trail.
  size_t known = from;  // a character boundary
  while (true) {
    const size_t candidate = text.find(needle, known);
    if (candidate == std::string_view::npos) return candidate;
    size_t run = 0;
    while (candidate - run > known &&
           IsLeadByte(static_cast<unsigned char>(text[candidate - run - 1]))) {
      ++run;
    }
    if (run % 2 == 0 || !IsTrailByte(static_cast<unsigned char>(text[candidate]))) return candidate;
    known = candidate + 1;  // just after the character that swallowed the candidate
  }
}

std::string TextBeforeDelimiter(std::string_view text, std::string_view delimiter) {
  const size_t found = FindText(text, delimiter);
  if (found == std::string_view::npos) return {};
  return std::string(text.substr(0, found));
}

std::string TextAfterDelimiter(std::string_view text, std::string_view delimiter) {
  size_t last = std::string_view::npos;
  for (size_t found = FindText(text, delimiter); found != std::string_view::npos;
       found = FindText(text, delimiter, found + CharLengthAt(text, found))) {
    last = found;
  }
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(last + delimiter.size()));
}

std::vector<std::string> SplitNonEmpty(std::string_view text, std::string_view delimiter,
                                       int maxPieces) {
  if (delimiter.empty()) delimiter = ",";
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true) {
    const size_t found = FindText(text, delimiter, start);
    if (found == std::string_view::npos) break;
    if (found > start) {
      pieces.emplace_back(text.substr(start, found - start));
      if (maxPieces > 0 && static_cast<int>(pieces.size()) >= maxPieces) return pieces;
    }
    start = found + delimiter.size();
  }
  // The rest after the last delimiter is a piece of its own unless a maximum was given,
  // in which case only pieces cut off at a delimiter count.
  if (start < text.size() && maxPieces <= 0) pieces.emplace_back(text.substr(start));
  return pieces;
}

int CountLines(std::string_view text) {
  if (text.empty()) return 0;
  int lines = 1;
  for (char c : text) {
    if (c == '\n') ++lines;
  }
  return lines;
}

std::string LineAt(std::string_view text, int n) {
  if (n <= 0) return {};
  static constexpr std::string_view kLineBreak = "\r\n";
  size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const size_t found = FindText(text, kLineBreak, start);
    if (found == std::string_view::npos) return {};
    start = found + kLineBreak.size();
  }
  const size_t end = FindText(text, kLineBreak, start);
  return std::string(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
}

std::string TrimBlanks(std::string_view text) {
  // Walk forwards over characters so that a full-width blank is only recognised at a
  // character boundary, also at the right end.
  size_t begin = 0;
  size_t end = 0;  // one past the last character that is not a blank
  bool seenNonBlank = false;
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLengthAt(text, i);
    const bool blank = text[i] == ' ' || (length == 2 && text.substr(i, 2) == kFullWidthBlank);
    if (!blank) {
      if (!seenNonBlank) begin = i;
      seenNonBlank = true;
      end = i + length;
    }
    i += length;
  }
  if (!seenNonBlank) return {};
  return std::string(text.substr(begin, end - begin));
}

int TextToInt(std::string_view text) {
  // Full-width digits, signs and letters (lead byte A3) read as their ASCII
  // counterparts, the full-width blank as a blank.
  std::string ascii;
  ascii.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharLengthAt(text, i);
    if (length == 2 && static_cast<unsigned char>(text[i]) == 0xA3) {
      ascii += static_cast<char>(static_cast<unsigned char>(text[i + 1]) & 0x7F);
    } else if (length == 2 && text.substr(i, 2) == kFullWidthBlank) {
      ascii += ' ';
    } else {
      ascii.append(text.substr(i, length));
    }
    i += length;
  }

  size_t i = 0;
  auto isSpace = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
  };
  while (i < ascii.size() && isSpace(ascii[i])) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) {
    negative = ascii[i] == '-';
    ++i;
  }
  // Unsigned arithmetic wraps modulo 2^32 without undefined behaviour.
  uint32_t value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = value * 10u + static_cast<uint32_t>(ascii[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

std::string NumberToText(double x) {
  if (std::isnan(x)) return "nan";
  if (std::isinf(x)) return x < 0 ? "-inf" : "inf";
  if (x == 0) return "0";

  // Round to 13 significant digits first; the exponent after rounding decides the form.
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.12e", x);
  const std::string_view text = scientific;
  const size_t e = text.find('e');
  const int exponent = std::atoi(scientific + e + 1);
  const bool negative = text[0] == '-';
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 13) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "e+%02d", exponent);
    return out + tail;
  }
  if (exponent < 0) {
    out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    return out;
  }
  const size_t integerDigits = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) {
    out += digits + std::string(integerDigits - digits.size(), '0');
  } else {
    out += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
  }
  return out;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  for (size_t found = FindText(text, from); found != std::string_view::npos;
       found = FindText(text, from, start)) {
    out.append(text.substr(start, found - start));
    out.append(to);
    start = found + from.size();
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace itemsmith
