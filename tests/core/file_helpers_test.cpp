#include "fileutil/file_helpers.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/code_page.h"
#include "platform/program_folder.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

namespace fs = std::filesystem;

// Restores the process's current folder when a test has changed it.
struct CurrentFolderGuard {
  CurrentFolderGuard() : saved(fs::current_path()) {}
  ~CurrentFolderGuard() { fs::current_path(saved); }
  fs::path saved;
};

TEST(FileHelpers, TellsFilesFromFoldersExactly) {
  TempFolder temp;
  WriteFile(temp.path + "/x1", "");
  WriteFile(temp.path + "/y*", "");  // "*" and "?" are ordinary characters in a name
  fs::create_directory(temp.path + "/sub");
  struct Case {
    std::string path;
    bool file;
    bool folder;
  };
  const Case cases[] = {
      {temp.path + "/x1", true, false},
      {temp.path + "/sub", false, true},
      {temp.path + "/sub/", false, true},
      {temp.path + "/missing", false, false},
      {temp.path + "/x?", false, false},  // would match "x1" as a wildcard
      {temp.path + "/x*", false, false},
      {temp.path + "/y*", true, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileExists(c.path), c.file) << c.path;
    EXPECT_EQ(IsFolder(c.path), c.folder) << c.path;
  }
}

TEST(FileHelpers, FolderOf) {
  TempFolder temp;
  struct Case {
    std::string path;
    std::string folder;
  };
  const Case cases[] = {
      {temp.path, temp.path},                         // an existing folder is its own folder
      {temp.path + "/item_db.yml", temp.path + "/"},  // whether or not the file exists
      {"/no/such/place/item_db.yml", "/no/such/place/"},
      {"a/b/", "a/b/"},
      {"item_db.yml", ""},
      {"", ""},
      {Utf8ToCodePage("数据/道具.yml"), Utf8ToCodePage("数据/")},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
}

TEST(FileHelpers, CreateFoldersMakesEveryMissingLevel) {
  TempFolder temp;
  CreateFolders(temp.path + "/a/b/c/");
  EXPECT_TRUE(fs::is_directory(temp.path + "/a/b/c"));
  CreateFolders(temp.path + "//d//e");
  EXPECT_TRUE(fs::is_directory(temp.path + "/d/e"));
  // A file in the way stops the levels below it; nothing is replaced.
  WriteFile(temp.path + "/f", "keep");
  CreateFolders(temp.path + "/f/g");
  EXPECT_EQ(ReadFile(temp.path + "/f"), "keep");
  CreateFolders("");  // nothing to do, and no crash
}

TEST(FileHelpers, EnsureFileCreatesNestedFoldersInTheFileSystemsEncoding) {
  TempFolder temp;
  const std::string path = temp.path + Utf8ToCodePage("/新建/子目录/item_db.yml");
  EXPECT_EQ(EnsureFile(path, 0), 1);
  const fs::path onDisk = fs::path(temp.path) / "新建" / "子目录" / "item_db.yml";
  ASSERT_TRUE(fs::is_regular_file(onDisk));
  EXPECT_EQ(fs::file_size(onDisk), 0u);
  EXPECT_TRUE(FileExists(path));

  EXPECT_EQ(EnsureFile(temp.path + "/sized", 4096), 1);
  EXPECT_EQ(fs::file_size(temp.path + "/sized"), 4096u);
}

TEST(FileHelpers, EnsureFileNeverTruncatesAnExistingFile) {
  TempFolder temp;
  const std::string path = temp.path + "/item_db.yml";
  WriteFile(path, "Body:\n  - Id: 1\n");
  EXPECT_EQ(EnsureFile(path, 0), 1);
  EXPECT_EQ(ReadFile(path), "Body:\n  - Id: 1\n");
}

TEST(FileHelpers, EnsureFileFailuresLeaveNothingBehind) {
  TempFolder temp;
  WriteFile(temp.path + "/file", "keep");
  fs::create_directory(temp.path + "/folder");
  struct Case {
    std::string path;
    long long size;
    int error;
  };
  const Case cases[] = {
      {temp.path + "/file/x.yml", 0, ENOTDIR},  // a file where a folder must be
      {temp.path + "/folder", 0, EISDIR},       // a folder is not an existing file
      {temp.path + "/negative", -1, EINVAL},
      {temp.path + "/huge", 1LL << 62, EFBIG},  // created, then cannot take its size
      {"", 0, ENOENT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EnsureFile(c.path, c.size), c.error) << c.path;
  }
  EXPECT_EQ(ReadFile(temp.path + "/file"), "keep");
  EXPECT_FALSE(fs::exists(temp.path + "/negative"));
  EXPECT_FALSE(fs::exists(temp.path + "/huge"));  // removed again, no half-made file
}

TEST(FileHelpers, EnsureFileWithoutFolderUsesTheCurrentFolder) {
  TempFolder temp;
  CurrentFolderGuard guard;
  ASSERT_TRUE(EnterFolder(temp.path));
  EXPECT_EQ(EnsureFile("plain.yml", 0), 1);
  EXPECT_TRUE(fs::is_regular_file(temp.path + "/plain.yml"));
}

TEST(FileHelpers, ErrorTextIsTheSystemsMessage) {
  EXPECT_EQ(ErrorText(ENOENT), "No such file or directory");
  EXPECT_EQ(ErrorText(EISDIR), "Is a directory");
}

TEST(ProgramFolder, IsTheExecutablesFolderAndCanBeEntered) {
  const fs::path executable = fs::read_symlink("/proc/self/exe");
  const std::string folder = ProgramFolder();
  EXPECT_EQ(CodePageToUtf8(folder), executable.parent_path().string());
  EXPECT_NE(folder.back(), '/');

  CurrentFolderGuard guard;
  TempFolder temp;
  ASSERT_TRUE(EnterFolder(temp.path));
  ASSERT_TRUE(EnterFolder(folder));
  EXPECT_EQ(fs::current_path(), executable.parent_path());
  EXPECT_FALSE(EnterFolder(temp.path + "/missing"));
  EXPECT_EQ(fs::current_path(), executable.parent_path());  // a refusal changes nothing

  // "." is how a folder whose name the code page cannot hold is entered.
  ASSERT_TRUE(EnterFolder(temp.path));
  ASSERT_TRUE(EnterFolder("."));
  EXPECT_EQ(fs::current_path(), executable.parent_path());
}

TEST(ProgramFolder, EnterFolderTakesCodePagePaths) {
  CurrentFolderGuard guard;
  TempFolder temp;
  fs::create_directory(fs::path(temp.path) / "程序");
  ASSERT_TRUE(EnterFolder(temp.path + Utf8ToCodePage("/程序")));
  EXPECT_EQ(fs::current_path(), fs::path(temp.path) / "程序");
}

}  // namespace
}  // namespace itemsmith
