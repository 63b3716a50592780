#pragma once

// The program's own folder: where the default output files and the configuration
// file live.

#include <string>
#include <string_view>

namespace itemsmith {

// The folder of the running executable, without a trailing "/", in the tool's code
// page ("" for the root folder). Falls back to the current folder when the executable
// cannot be found. When the folder's name cannot be written in the code page, the
// answer is ".", which is right once EnterFolder(".") has made it current.
std::string ProgramFolder();

// Makes `folder` the process's current folder, so relative paths typed into the path
// boxes resolve there. "" stands for the root folder and "." for the executable's
// folder (see ProgramFolder). False when the system refuses.
bool EnterFolder(std::string_view folder);

}  // namespace itemsmith
