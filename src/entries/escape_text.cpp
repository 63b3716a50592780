#include "entries/escape_text.h"

#include <cstdio>

namespace itemsmith {
namespace {

// Appends the escape of `c` when it needs one; false when it is written as is.
bool AppendCommonEscape(std::string& out, char c) {
  switch (c) {
    case '\\':
      out += "\\\\";
      return true;
    case '"':
      out += "\\\"";
      return true;
    case '\r':
      out += "\\r";
      return true;
    case '\n':
      out += "\\n";
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string EscapeLuaString(std::string_view text) {
  if (text.find_first_of("\\\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (!AppendCommonEscape(out, c)) out += c;
  }
  return out;
}

std::string EscapeYamlString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (AppendCommonEscape(out, c)) continue;
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace itemsmith
