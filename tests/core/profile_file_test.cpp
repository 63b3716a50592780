#include "platform/profile_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/code_page.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

// A fresh folder per test, removed afterwards.
class ProfileFileOnDisk : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return temp_.path + "/" + name; }

  static std::string Slurp(const std::string& path) { return ReadFile(path); }
  static void Put(const std::string& path, const std::string& bytes) { WriteFile(path, bytes); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    DIR* dir = opendir(temp_.path.c_str());
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
  }

  TempFolder temp_;
};

struct ReadCase {
  const char* what;
  std::string content;
  std::string section;
  std::string key;
  std::string expected;
};

TEST(ProfileContent, ReadsValues) {
  const std::string tab = "\t";
  const ReadCase cases[] = {
      {"plain", "[0]\r\n1=abc\r\n", "0", "1", "abc"},
      {"LF line ends", "[0]\n1=abc\n2=def\n", "0", "2", "def"},
      {"file cut after a CR", "[0]\r\n1=abc\r", "0", "1", "abc"},
      {"no final line end", "[0]\r\n1=abc", "0", "1", "abc"},
      {"names ignore ASCII case", "[Main]\r\nWidth=7\r\n", "MAIN", "width", "7"},
      {"blanks around names", "[ 0 ]\r\n  1  =x\r\n", "0", "1", "x"},
      {"blanks and tabs trimmed", "[0]\r\n1= \t a b \t \r\n", "0", "1", "a b"},
      {"full-width blank kept", "[0]\r\n1=\xA1\xA1x\xA1\xA1\r\n", "0", "1", "\xA1\xA1x\xA1\xA1"},
      {"double quotes removed", "[0]\r\n1=\" a \"\r\n", "0", "1", " a "},
      {"single quotes removed", "[0]\r\n1='a'\r\n", "0", "1", "a"},
      {"only one pair removed", "[0]\r\n1=\"\"a\"\"\r\n", "0", "1", "\"a\""},
      {"mixed quotes kept", "[0]\r\n1=\"a'\r\n", "0", "1", "\"a'"},
      {"lone quote kept", "[0]\r\n1=\"\r\n", "0", "1", "\""},
      {"quote inside kept", "[0]\r\n1=say \"hi\"\r\n", "0", "1", "say \"hi\""},
      {"equals and semicolon in value", "[0]\r\n9=bonus bStr,1;a=b;\r\n", "0", "9",
       "bonus bStr,1;a=b;"},
      {"first duplicate key wins", "[0]\r\n1=first\r\n1=second\r\n", "0", "1", "first"},
      {"comment is no key", "[0]\r\n;1=x\r\n", "0", "1", ""},
      {"indented comment is no key", "[0]\r\n  ;1=x\r\n", "0", "1", ""},
      {"key of another section", "[1]\r\n1=x\r\n[0]\r\n2=y\r\n", "0", "1", ""},
      {"key before any section", "1=x\r\n[0]\r\n", "0", "1", ""},
      {"missing section", "[1]\r\n1=x\r\n", "0", "1", ""},
      {"empty content", "", "0", "1", ""},
      {"line without equals is no key", "[0]\r\n1\r\n1=x\r\n", "0", "1", "x"},
      {"empty value", "[0]\r\n1=\r\n", "0", "1", ""},
      {"GBK value unchanged", "[0]\r\n7=\xB2\xE2\xCA\xD4\r\n", "0", "7", "\xB2\xE2\xCA\xD4"},
      // 0x5D is "]" and a valid trail byte: it must not close the section name.
      {"trail byte is no bracket",
       "[\xB0\x5D"
       "a]\r\nk=v\r\n",
       "\xB0\x5D"
       "a",
       "k", "v"},
      // 0x41 and 0x61 are trail bytes here: two different characters, not A and a.
      {"trail bytes not case-folded", "[0]\r\n\x81\x41=x\r\n", "0", "\x81\x61", ""},
      {"stray lead byte before equals", "[0]\r\nk\x81=v\r\n", "0", "k\x81", "v"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ProfileValueIn(c.content, c.section, c.key), c.expected) << c.what;
  }
}

TEST(ProfileContent, ReadsManyKeysInOrder) {
  const std::string content = "[0]\r\n2=b\r\n1=a\r\n[1]\r\n3=c\r\n";
  EXPECT_EQ(ProfileValuesIn(content, "0", {"1", "2", "3"}),
            (std::vector<std::string>{"a", "b", ""}));
}

struct WriteCase {
  const char* what;
  std::string content;
  std::vector<ProfileValue> values;
  std::string expected;
};

TEST(ProfileContent, UpdatesContent) {
  const WriteCase cases[] = {
      {"new content", "", {{"1", "a"}, {"2", "b"}}, "[0]\r\n1=a\r\n2=b\r\n"},
      {"value replaced in place, rest kept",
       "; note\r\n[0]\r\n1=old\r\n2=keep\r\n",
       {{"1", "new"}},
       "; note\r\n[0]\r\n1=new\r\n2=keep\r\n"},
      {"key spelling and spacing kept",
       "[0]\r\n  Key = old\r\n",
       {{"KEY", "v"}},
       "[0]\r\n  Key =v\r\n"},
      {"missing key after the section's last line, before the blank line",
       "[0]\r\n1=a\r\n\r\n[1]\r\nx=y\r\n",
       {{"2", "b"}},
       "[0]\r\n1=a\r\n2=b\r\n\r\n[1]\r\nx=y\r\n"},
      {"missing key in an empty section", "[0]\r\n[1]\r\n", {{"1", "a"}}, "[0]\r\n1=a\r\n[1]\r\n"},
      {"missing section at the end",
       "[1]\r\nx=y\r\n",
       {{"1", "a"}},
       "[1]\r\nx=y\r\n[0]\r\n1=a\r\n"},
      {"file without final line end", "[1]\r\nx=y", {{"1", "a"}}, "[1]\r\nx=y\r\n[0]\r\n1=a\r\n"},
      {"key after a last line without line end",
       "[0]\r\n1=a",
       {{"2", "b"}},
       "[0]\r\n1=a\r\n2=b\r\n"},
      {"key after a last line cut after its CR",
       "[0]\r\n1=a\r",
       {{"2", "b"}},
       "[0]\r\n1=a\r\n2=b\r\n"},
      {"section after content cut after a CR", "[1]\r", {{"1", "a"}}, "[1]\r\n[0]\r\n1=a\r\n"},
      {"LF lines keep their line ends",
       "[0]\n1=a\n",
       {{"1", "z"}, {"2", "b"}},
       "[0]\n1=z\n2=b\r\n"},
      {"only the first duplicate changes",
       "[0]\r\n1=a\r\n1=b\r\n",
       {{"1", "c"}},
       "[0]\r\n1=c\r\n1=b\r\n"},
      {"same key twice: the later value stays", "", {{"1", "a"}, {"1", "b"}}, "[0]\r\n1=b\r\n"},
      {"comments, unknown lines and other sections untouched",
       ";c\r\n[other]\r\n1=x\r\njunk line\r\n[0]\r\n;1=c\r\n",
       {{"1", "v"}},
       ";c\r\n[other]\r\n1=x\r\njunk line\r\n[0]\r\n;1=c\r\n1=v\r\n"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(WithProfileValues(c.content, "0", c.values), c.expected) << c.what;
  }
}

TEST(ProfileContent, EveryWritableValueReadsBackExactly) {
  // Values the reader would otherwise trim or unquote are written in quotes.
  const std::string values[] = {
      "",     " lead", "trail\t", "  ",       "\"q\"", "'q'", "\"",
      "\"\"", "'a\"",  "a=b;c",   "\xA1\xA1", "[0]",   ";x",  "\xB2\xE2 \xCA\xD4",
      "x\x81"};
  std::string content = "[0]\r\nk=old\r\n";
  for (const std::string& value : values) {
    content = WithProfileValues(content, "0", {{"k", value}});
    EXPECT_EQ(ProfileValueIn(content, "0", "K"), value) << "[" << value << "]";
  }
  EXPECT_EQ(QuotedProfileValue("plain value"), "plain value");
  EXPECT_EQ(QuotedProfileValue(" x"), "\" x\"");
}

TEST(ProfileContent, ChecksNames) {
  for (const char* good : {"0", "Section 1", "\xB2\xE2"}) {
    EXPECT_TRUE(IsProfileSectionName(good)) << good;
    EXPECT_TRUE(IsProfileKeyName(good)) << good;
  }
  for (const char* bad : {"", " 0", "0\t", "a\r\nb", "a\nb", "[x", ";x"}) {
    EXPECT_FALSE(IsProfileSectionName(bad)) << bad;
    EXPECT_FALSE(IsProfileKeyName(bad)) << bad;
  }
  EXPECT_FALSE(IsProfileSectionName("a]b"));
  EXPECT_TRUE(IsProfileKeyName("a]b"));
  EXPECT_FALSE(IsProfileKeyName("a=b"));
  EXPECT_TRUE(IsProfileSectionName("a=b"));
}

TEST_F(ProfileFileOnDisk, ReadsMissingFileAsEmptyAndAFolderAsAnError) {
  ProfileFileText missing = ReadProfileFile(Path("none.ini"));
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.error, 0);

  ProfileFileText folder = ReadProfileFile(temp_.path);
  EXPECT_EQ(folder.error, EISDIR);
  EXPECT_TRUE(folder.content.empty());

  Put(Path("a.ini"), "[0]\r\n1=x\r\n");
  ProfileFileText file = ReadProfileFile(Path("a.ini"));
  EXPECT_TRUE(file.found);
  EXPECT_EQ(file.error, 0);
  EXPECT_EQ(file.content, "[0]\r\n1=x\r\n");
}

TEST_F(ProfileFileOnDisk, WritesThroughATemporaryFileKeepingModeAndLeavingNoRest) {
  const std::string path = Path("a.ini");
  ASSERT_EQ(WriteProfileValues(path, "0", {{"1", "x"}}), 0);
  EXPECT_EQ(Slurp(path), "[0]\r\n1=x\r\n");

  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteProfileValues(path, "0", {{"2", "y"}}), 0);
  EXPECT_EQ(Slurp(path), "[0]\r\n1=x\r\n2=y\r\n");
  struct stat status {};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.ini"});
}

TEST_F(ProfileFileOnDisk, GbkPathIsAFileSystemName) {
  const std::string gbkPath = Path(Utf8ToCodePage("配置.ini"));
  ASSERT_EQ(WriteProfileValues(gbkPath, "0", {{"1", "x"}}), 0);
  EXPECT_EQ(Slurp(Path("配置.ini")), "[0]\r\n1=x\r\n");
  EXPECT_TRUE(ReadProfileFile(gbkPath).found);
}

TEST_F(ProfileFileOnDisk, ReplacesTheFileBehindASymbolicLink) {
  Put(Path("real.ini"), "[0]\r\n1=a\r\n");
  ASSERT_EQ(symlink("real.ini", Path("link.ini").c_str()), 0);
  ASSERT_EQ(WriteProfileValues(Path("link.ini"), "0", {{"1", "b"}}), 0);
  struct stat status {};
  ASSERT_EQ(lstat(Path("link.ini").c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  EXPECT_EQ(Slurp(Path("real.ini")), "[0]\r\n1=b\r\n");
}

TEST_F(ProfileFileOnDisk, FailedWritesChangeNothing) {
  // A folder where the file should be.
  ASSERT_EQ(mkdir(Path("a.ini").c_str(), 0755), 0);
  EXPECT_EQ(WriteProfileValues(Path("a.ini"), "0", {{"1", "x"}}), EISDIR);
  struct stat status {};
  ASSERT_EQ(stat(Path("a.ini").c_str(), &status), 0);
  EXPECT_TRUE(S_ISDIR(status.st_mode));

  // A missing folder is not created.
  EXPECT_EQ(WriteProfileValues(Path("none/a.ini"), "0", {{"1", "x"}}), ENOENT);

  // A line break or a bad name would damage the file's structure: refused.
  const std::string path = Path("b.ini");
  Put(path, "[0]\r\n1=a\r\n");
  EXPECT_EQ(WriteProfileValues(path, "0", {{"1", "x\r\n[evil]"}}), EINVAL);
  EXPECT_EQ(WriteProfileValues(path, "0", {{"1", "x\ry"}}), EINVAL);
  EXPECT_EQ(WriteProfileValues(path, "0", {{"a=b", "x"}}), EINVAL);
  EXPECT_EQ(WriteProfileValues(path, "0]", {{"1", "x"}}), EINVAL);
  EXPECT_EQ(Slurp(path), "[0]\r\n1=a\r\n");
  EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(ProfileFileOnDisk, ConcurrentWritersLoseNoKey) {
  const std::string path = Path("a.ini");
  constexpr int kThreads = 6;
  constexpr int kRounds = 15;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        std::string key = "k" + std::to_string(t);
        EXPECT_EQ(WriteProfileValues(path, "0", {{key, std::to_string(round)}}), 0);
        EXPECT_TRUE(ReadProfileFile(path).found);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const std::string content = Slurp(path);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(ProfileValueIn(content, "0", "k" + std::to_string(t)), std::to_string(kRounds - 1));
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.ini"});
}

}  // namespace
}  // namespace itemsmith
