#include "entries/append_entries.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "entries/client_entry.h"
#include "entries/server_entry.h"
#include "model/form_values.h"
#include "model/memory_form.h"
#include "model/text_helpers.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

namespace fs = std::filesystem;

// The form's defaults aimed at two files in `folder`, which already hold some text.
struct Fixture {
  explicit Fixture(const TempFolder& temp) {
    values = DefaultFormValues();
    values.clientFilePath = temp.path + "/itemInfo_Sak.lub";
    values.serverFilePath = temp.path + "/item_db.yml";
    WriteFile(values.clientFilePath, kClientBefore);
    WriteFile(values.serverFilePath, kServerBefore);
  }
  static constexpr const char* kClientBefore = "tbl = {\r\n";
  static constexpr const char* kServerBefore = "Body:\r\n";
  FormValues values;
};

TEST(AppendToFile, AddsExactlyTheBytesAtTheEnd) {
  TempFolder temp;
  const std::string path = temp.path + "/file";
  WriteFile(path, "before\r\n");
  std::string error = "untouched";
  EXPECT_TRUE(AppendToFile(path, std::string("a\0b\r\n", 5), &error));
  EXPECT_TRUE(AppendToFile(path, "", nullptr));
  EXPECT_EQ(ReadFile(path), std::string("before\r\na\0b\r\n", 13));
  EXPECT_EQ(error, "untouched");  // success sets no reason
}

TEST(AppendToFile, RefusesWhatIsNotAnExistingFile) {
  TempFolder temp;
  fs::create_directory(temp.path + "/folder");
  ::mkfifo((temp.path + "/fifo").c_str(), 0666);  // no reader: an open must not hang
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {temp.path + "/missing", "No such file or directory"},
      {temp.path + "/no/parent", "No such file or directory"},
      {temp.path + "/folder", "Is a directory"},
      {temp.path + "/fifo", "No such device or address"},
      {"/dev/null", "not a regular file"},  // could not be cut back after a failure
      {"", "No such file or directory"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(AppendToFile(c.path, "entry", &error)) << c.path;
    EXPECT_EQ(error, c.reason) << c.path;
  }
  EXPECT_FALSE(fs::exists(temp.path + "/missing"));  // never created
  EXPECT_FALSE(fs::exists(temp.path + "/no"));
  EXPECT_TRUE(fs::is_empty(temp.path + "/folder"));
}

TEST(AppendEntries, BothFilesGrowByExactlyTheirEntries) {
  TempFolder temp;
  Fixture f(temp);
  MemoryForm notices;
  AppendEntries(f.values, notices);
  EXPECT_EQ(ReadFile(f.values.clientFilePath), Fixture::kClientBefore + BuildClientEntry(f.values));
  EXPECT_EQ(ReadFile(f.values.serverFilePath), Fixture::kServerBefore + BuildServerEntry(f.values));
  EXPECT_TRUE(notices.notices().empty());
}

TEST(AppendEntries, AFileThatCannotBeWrittenGetsNothingAndANotice) {
  TempFolder temp;
  Fixture f(temp);
  fs::create_directory(temp.path + "/folder.lub");
  struct Case {
    std::string clientPath;
    std::string reason;
  };
  const Case cases[] = {
      {temp.path + "/missing.lub", "No such file or directory"},
      {temp.path + "/folder.lub", "Is a directory"},
      {"", "No such file or directory"},
  };
  std::string server = Fixture::kServerBefore;
  for (const Case& c : cases) {
    FormValues values = f.values;
    values.clientFilePath = c.clientPath;
    MemoryForm notices;
    AppendEntries(values, notices);
    // The other file is still handled.
    server += BuildServerEntry(values);
    EXPECT_EQ(ReadFile(values.serverFilePath), server);
    const std::string name = c.clientPath.empty() ? "(empty path)" : c.clientPath;
    EXPECT_EQ(notices.notices(), std::vector<std::string>{name + ": " + c.reason});
  }
  EXPECT_FALSE(fs::exists(temp.path + "/missing.lub"));
  EXPECT_EQ(ReadFile(f.values.clientFilePath), Fixture::kClientBefore);
}

// A write that stops part-way (the file-size limit lets a few bytes through, then
// refuses) must not leave half an entry: the file is cut back to its old length, and
// the other file is still written. Runs in a child process, which alone gets the limit.
TEST(AppendEntries, AShortWriteIsCutBackToThePreviousLength) {
  TempFolder temp;
  Fixture f(temp);
  const std::string clientBefore(8192, 'c');  // larger than the whole server entry
  WriteFile(f.values.clientFilePath, clientBefore);
  const std::string serverEntry = BuildServerEntry(f.values);
  ASSERT_LT(serverEntry.size() + std::string(Fixture::kServerBefore).size(), 8192u);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // a refused write then fails with EFBIG
    const rlimit limit{8192 + 16, 8192 + 16};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool client = AppendToFile(f.values.clientFilePath, std::string(100, 'x'), &error);
    MemoryForm notices;
    AppendEntries(f.values, notices);
    const bool noticed =
        notices.notices() == std::vector<std::string>{f.values.clientFilePath + ": File too large"};
    ::_exit(!client && error == "File too large" && noticed ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(fs::file_size(f.values.clientFilePath), clientBefore.size());
  EXPECT_TRUE(ReadFile(f.values.clientFilePath) == clientBefore);
  EXPECT_EQ(ReadFile(f.values.serverFilePath), Fixture::kServerBefore + serverEntry);
}

FormValues WithId(FormValues values, int id) {
  values.itemId = NumberToText(id);
  return values;
}

TEST(EntryWriter, WritesWholeEntriesInSubmissionOrder) {
  TempFolder temp;
  Fixture f(temp);
  std::string client = Fixture::kClientBefore;
  std::string server = Fixture::kServerBefore;
  MemoryForm notices;
  EntryWriter writer(notices);
  for (int id = 2000001; id <= 2000100; ++id) {
    const FormValues values = WithId(f.values, id);
    client += BuildClientEntry(values);
    server += BuildServerEntry(values);
    writer.Submit(values);
  }
  writer.Drain();
  EXPECT_EQ(ReadFile(f.values.clientFilePath), client);
  EXPECT_EQ(ReadFile(f.values.serverFilePath), server);
  EXPECT_TRUE(notices.notices().empty());

  // The writer goes on serving after a drain.
  writer.Submit(WithId(f.values, 1));
  writer.Drain();
  EXPECT_EQ(ReadFile(f.values.clientFilePath), client + BuildClientEntry(WithId(f.values, 1)));
}

TEST(EntryWriter, DestructionFinishesEveryQueuedAppend) {
  TempFolder temp;
  Fixture f(temp);
  std::string client = Fixture::kClientBefore;
  MemoryForm notices;
  {
    EntryWriter writer(notices);
    for (int id = 1; id <= 200; ++id) {
      client += BuildClientEntry(WithId(f.values, id));
      writer.Submit(WithId(f.values, id));
    }
  }
  EXPECT_EQ(ReadFile(f.values.clientFilePath), client);
}

TEST(EntryWriter, FailuresArriveAsNoticesAfterDrain) {
  TempFolder temp;
  FormValues values = DefaultFormValues();
  values.clientFilePath = temp.path + "/a.lub";
  values.serverFilePath = temp.path + "/b.yml";
  MemoryForm notices;
  EntryWriter writer(notices);
  writer.Submit(values);
  writer.Drain();
  EXPECT_EQ(notices.notices(),
            (std::vector<std::string>{values.clientFilePath + ": No such file or directory",
                                      values.serverFilePath + ": No such file or directory"}));
}

TEST(EntryWriter, DrainWithNothingSubmittedReturns) {
  MemoryForm notices;
  EntryWriter writer(notices);
  writer.Drain();
}

}  // namespace
}  // namespace itemsmith
