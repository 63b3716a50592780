#include "ui/input_rules.h"

#include <cstdint>
#include <limits>

namespace itemsmith {
namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Reads the number the text begins with. Digits beyond what 64 bits hold saturate,
// which clamps the same way as the exact value would.
int64_t LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (; i < text.size() && IsDigit(static_cast<unsigned char>(text[i])); ++i) {
    const int digit = text[i] - '0';
    value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
  }
  return negative ? -value : value;
}

}  // namespace

bool MayType(InputRule rule, char32_t character) {
  switch (rule) {
    case InputRule::kText:
      return true;
    case InputRule::kInteger:
      return IsDigit(character) || character == U'-';
    case InputRule::kByte:
      return IsDigit(character);
  }
  return true;
}

std::string NormalizedText(InputRule rule, std::string_view text) {
  if (rule == InputRule::kText) return std::string(text);
  int64_t value = LeadingNumber(text);
  const int64_t low = rule == InputRule::kByte ? 0 : std::numeric_limits<int32_t>::min();
  const int64_t high = rule == InputRule::kByte ? 255 : std::numeric_limits<int32_t>::max();
  if (value < low) value = low;
  if (value > high) value = high;
  return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace itemsmith
