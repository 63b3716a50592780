#pragma once

// Preparing the form once the window exists, and the list refills that follow the
// main type. Plain code over control access, run on the GUI thread.

#include <string_view>

#include "model/catalogs.h"
#include "model/control_access.h"

namespace itemsmith {

// Replaces the list's items with `items` and selects the first, in one operation.
void FillList(ControlAccess& form, std::string_view control, const Catalog& items);

// Refill the subtype and the location list for the main type's current selection.
void FillSubtypes(ControlAccess& form);
void FillLocations(ControlAccess& form);

// Shows the first page, puts default paths (program folder + "/" + file name) into
// empty path boxes and creates those files empty when missing (a notice when that
// fails), fills the main-type list and the two lists that follow it.
// `programFolder` has no trailing "/".
void InitializeForm(ControlAccess& form, std::string_view programFolder);

// The user chose a main type: refill both dependent lists.
void OnMainTypeSelected(ControlAccess& form);

// Keeps the window above others while "置顶" is checked.
void ApplyAlwaysOnTop(ControlAccess& form);

}  // namespace itemsmith
