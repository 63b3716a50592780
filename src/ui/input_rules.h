#pragma once

// The input rules of the window's edit boxes, free of any widget: which typed
// characters a box takes, and how it tidies its text when the user leaves it.

#include <string>
#include <string_view>

#include "ui/window_layout.h"

namespace itemsmith {

// Whether a typed printable character may go into a box with this rule. Editing keys
// and pasting are not typing and are never filtered.
bool MayType(InputRule rule, char32_t character);

// The text a box with this rule holds once the user leaves it: the number the text
// begins with (leading blanks, an optional sign, then digits; no digits read as 0),
// clamped to the rule's range, in decimal without leading zeros, and empty for 0.
// The text rule keeps the text as it is.
std::string NormalizedText(InputRule rule, std::string_view text);

}  // namespace itemsmith
