#include "ui/code_page_text.h"

#include "platform/code_page.h"

namespace itemsmith {

QString FromCodePage(std::string_view text) {
  return QString::fromStdU32String(CodePageToCodePoints(text));
}

std::string ToCodePage(const QString& text) { return CodePointsToCodePage(text.toStdU32String()); }

QString FromCodePageLines(std::string_view text) {
  QString qt = FromCodePage(text);
  qt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  qt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return qt;
}

std::string ToCodePageLines(const QString& text) {
  QString withCrLf = text;
  withCrLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return ToCodePage(withCrLf);
}

}  // namespace itemsmith
