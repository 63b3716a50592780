#pragma once

// Saving the form to the configuration file next to the program and restoring it.
// Keys "1" to "24" of section "0" hold 21 text fields and the three check lists. Line
// breaks are stored as "qv-/n-qv"; the description and the script also store each blank
// as "st-k-qv", so their indentation survives; a check list is stored as "|n" for each
// checked item, counted from 1.
//
// Both routines run on a worker thread and reach the form only through control access.

#include <string>
#include <string_view>

#include "model/control_access.h"

namespace itemsmith {

// `programFolder` + "/qv_configure.ini"; the folder has no trailing "/".
std::string ConfigurationPath(std::string_view programFolder);

// Reads the 24 controls in key order and writes them to the file in one update. Writes
// nothing when the window began to close meanwhile (the reads came back empty). A
// failure leaves the old file as it was and posts a notice naming the file and the
// reason.
void SaveConfiguration(ControlAccess& form, std::string_view programFolder);

// Restores the 24 controls in key order from one read of the file. A missing file (or
// key) empties the text fields and changes no check list; loading checks the stored
// items and never unchecks any. A file that cannot be read changes nothing and posts a
// notice.
void LoadConfiguration(ControlAccess& form, std::string_view programFolder);

}  // namespace itemsmith
