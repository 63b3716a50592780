#pragma once

// The handler of the insert button, on the GUI thread: the identifier step and the
// hand-over of one item's values to the writer queue.

#include "entries/append_entries.h"
#include "model/control_access.h"

namespace itemsmith {

// Adds the step box to the identifier box (both read as integers, summed as
// doubles) and writes the sum back into the identifier box.
void StepItemId(ControlAccess& form);

// Steps the identifier when auto-increment is checked, takes the form's values and
// queues them on `writer`. An identifier that is empty (or only blanks) is refused
// with a notice and nothing is written.
void InsertEntries(ControlAccess& form, EntryWriter& writer);

}  // namespace itemsmith
