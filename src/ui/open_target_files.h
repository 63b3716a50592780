#pragma once

// "打开文件": hands the client file, then the server file, to the desktop, which opens
// each with the program associated with its type.

#include "model/control_access.h"

namespace itemsmith {

// An empty path box, or a path that names no existing file, opens nothing. Relative
// paths resolve in the current folder. GUI thread.
void OpenTargetFiles(ControlAccess& form);

}  // namespace itemsmith
