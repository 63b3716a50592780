#pragma once

// Escaping for values written inside double-quoted strings of the two output formats.
// Both readers read bytes, so every byte is looked at on its own, also the second byte
// of a double-byte character: a trail byte 0x5C written as "\\" reads back as 0x5C.

#include <string>
#include <string_view>

namespace itemsmith {

// For a Lua string: backslash, double quote, CR and LF escaped; every other byte as is.
std::string EscapeLuaString(std::string_view text);

// For a YAML double-quoted scalar: as for Lua, and every other byte below 0x20 and the
// byte 0x7F as "\xNN".
std::string EscapeYamlString(std::string_view text);

}  // namespace itemsmith
