#pragma once

// The server's YAML item-database entry for one item.

#include <string>
#include <string_view>

#include "extract/regex_object.h"
#include "model/form_values.h"

namespace itemsmith {

// Every bracketed run ("\[.*?\]") of `templateText` replaced by `value`, through
// `regex`; `value` is a replacement text, so its dollar-sign substitutions apply.
std::string FillPlaceholder(RegexObject& regex, std::string_view templateText,
                            std::string_view value);

std::string BuildFlagsBlock(const FormValues& values);
std::string BuildTradeBlock(const FormValues& values);
std::string BuildServerEntry(const FormValues& values);

}  // namespace itemsmith
