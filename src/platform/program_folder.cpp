#include "platform/program_folder.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

// Target of a symbolic link such as /proc/self/exe; empty when it cannot be read.
std::string ReadLink(const char* link) {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t length = ::readlink(link, buffer.data(), buffer.size());
    if (length < 0) return {};
    // A target that fills the buffer may have been cut short: try a larger one.
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE || buffer.size() >= (1u << 20)) return ".";
    buffer.resize(buffer.size() * 2);
  }
}

// The executable's folder in the file system's encoding, without a trailing "/".
std::string ExecutableFolder() {
  std::string folder = ReadLink("/proc/self/exe");
  const size_t slash = folder.rfind('/');
  if (folder.empty() || folder[0] != '/' || slash == std::string::npos) {
    folder = CurrentFolder();
    if (folder == "/") folder.clear();
  } else {
    folder.resize(slash);  // "/itemsmith" gives "", the root folder
  }
  return folder;
}

}  // namespace

std::string ProgramFolder() {
  const std::string utf8 = ExecutableFolder();
  std::string folder = Utf8ToCodePage(utf8);
  // A name the code page cannot hold would turn into "?" and point elsewhere; the
  // relative "." then stands for the folder, which EnterFolder makes current.
  if (CodePageToUtf8(folder) != utf8) return ".";
  return folder;
}

bool EnterFolder(std::string_view folder) {
  const std::string utf8 = folder == "." ? ExecutableFolder() : CodePageToUtf8(folder);
  return ::chdir(utf8.empty() ? "/" : utf8.c_str()) == 0;
}

}  // namespace itemsmith
