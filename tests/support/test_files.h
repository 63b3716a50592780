#pragma once

// Temporary folders and whole-file reads and writes, for tests that touch the disk.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace itemsmith {

// A fresh folder under /tmp, removed with everything in it at the end of its scope.
struct TempFolder {
  TempFolder() {
    char name[] = "/tmp/itemsmith_test_XXXXXX";
    if (::mkdtemp(name) == nullptr) std::abort();  // never fall back to a shared folder
    path = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace itemsmith
