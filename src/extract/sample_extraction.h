#pragma once

// Fills model name, view and item name from the sample line by the user's pattern.

#include "model/control_access.h"

namespace itemsmith {

// Matches the sample pattern against the sample line (ignoring case, multi-line) and
// puts groups 1, 2 and 3 of the first match into model name, view and item name, as
// far as the pattern has them. A pattern that is invalid, does not match or exceeds the
// matching limits changes nothing. Runs on the GUI thread.
void ExtractFromSample(ControlAccess& form);

}  // namespace itemsmith
