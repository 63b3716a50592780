#pragma once

// Between the tool's code-page bytes and Qt's Unicode strings. The conversion is
// lossless: a byte that starts no character of the code page travels as a private-use
// character and comes back as the same byte, so a box hands on exactly what it got.

#include <QString>
#include <string>
#include <string_view>

namespace itemsmith {

QString FromCodePage(std::string_view text);
std::string ToCodePage(const QString& text);

// Multi-line boxes: Qt breaks lines with LF, the tool with CR LF. A lone CR or LF
// written into a box also becomes a line break.
QString FromCodePageLines(std::string_view text);
std::string ToCodePageLines(const QString& text);

}  // namespace itemsmith
