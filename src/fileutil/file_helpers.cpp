#include "fileutil/file_helpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

bool StatPath(std::string_view path, struct stat* info) {
  if (path.empty()) return false;
  return ::stat(CodePageToUtf8(path).c_str(), info) == 0;
}

// Closes a descriptor, retrying while a signal interrupts; false on a real failure.
bool CloseFile(int fd) {
  while (::close(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace

bool FileExists(std::string_view path) {
  struct stat info;
  return StatPath(path, &info) && !S_ISDIR(info.st_mode);
}

bool IsFolder(std::string_view path) {
  struct stat info;
  return StatPath(path, &info) && S_ISDIR(info.st_mode);
}

std::string FolderOf(std::string_view path) {
  if (IsFolder(path)) return std::string(path);
  // "/" (0x2F) is never the second byte of a double-byte character, so a plain
  // search finds only real separators.
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

void CreateFolders(std::string_view folder) {
  if (folder.empty()) return;
  // UTF-8 never uses the byte "/" inside a character either, so the levels can be
  // walked in the converted form.
  const std::string utf8 = CodePageToUtf8(folder);
  for (size_t i = 1; i < utf8.size(); ++i) {
    if (utf8[i] == '/' && utf8[i - 1] != '/') ::mkdir(utf8.substr(0, i).c_str(), 0777);
  }
  ::mkdir(utf8.c_str(), 0777);  // a trailing "/" is accepted by the system
}

int EnsureFile(std::string_view path, long long size) {
  if (path.empty()) return ENOENT;
  if (size < 0) return EINVAL;
  CreateFolders(FolderOf(path));

  const std::string utf8 = CodePageToUtf8(path);
  // Exclusive creation: an entry that exists (or appeared since the caller looked)
  // is never opened, so nothing is ever truncated.
  const int fd = ::open(utf8.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int error = errno;
    if (error == EEXIST) return IsFolder(path) ? EISDIR : 1;
    return error;
  }

  int result = 1;
  if (size > 0 && ::ftruncate(fd, static_cast<off_t>(size)) != 0) result = errno;
  if (!CloseFile(fd) && result == 1) result = errno;
  if (result != 1) ::unlink(utf8.c_str());  // only this call created it
  return result;
}

std::string ErrorText(int errorNumber) {
  // The generic category's message is thread-safe, unlike strerror.
  return Utf8ToCodePage(std::generic_category().message(errorNumber));
}

}  // namespace itemsmith
