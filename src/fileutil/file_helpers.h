#pragma once

// Existence checks and the creation of missing folders and empty files. Paths are byte
// strings in the tool's code page with "/" separators; they are converted to the file
// system's encoding (UTF-8) at each call.

#include <string>
#include <string_view>

namespace itemsmith {

// True when an entry with exactly this name exists and is not a folder.
bool FileExists(std::string_view path);

// True when the path names an existing folder.
bool IsFolder(std::string_view path);

// `path` itself when it names a folder; else the text up to and including the last
// "/"; empty when there is none.
std::string FolderOf(std::string_view path);

// Creates every missing level of `folder`; failures are ignored.
void CreateFolders(std::string_view folder);

// Creates the folders of `path` and a new file of `size` bytes. Returns 1 on success,
// else the system's error number. A file that already exists is left alone (the
// result is then 1): nothing is ever truncated. A folder in its place gives EISDIR.
// When the file was created but could not be given its size, it is removed again.
int EnsureFile(std::string_view path, long long size);

// The system's text for an error number, in the tool's code page.
std::string ErrorText(int errorNumber);

}  // namespace itemsmith
