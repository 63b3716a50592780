#pragma once

// Rules both entry builders share.

#include <string_view>

namespace itemsmith {

// An optional value is written only when set: anything but exactly "0" or empty
// ("00" and " 0" count as set).
inline bool IsSet(std::string_view value) { return !value.empty() && value != "0"; }

// Main types whose items are worn somewhere, so both entries name a location.
inline bool MainTypeHasLocation(std::string_view typeCode) {
  return typeCode == "Card" || typeCode == "Shadowgear" || typeCode == "Armor" ||
         typeCode == "Weapon";
}

}  // namespace itemsmith
