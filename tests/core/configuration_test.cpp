#include "config/configuration.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "model/control_names.h"
#include "model/memory_form.h"
#include "platform/code_page.h"
#include "platform/profile_file.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

namespace c = controls;

// The text fields the file stores, in key order.
const std::string_view kTextControls[] = {
    c::kWeight,         c::kView,      c::kIdStep,        c::kItemId,        c::kClientFilePath,
    c::kServerFilePath, c::kItemName,  c::kDescription,   c::kScript,        c::kUseDelay,
    c::kAttackRange,    c::kSlots,     c::kBuyPrice,      c::kSellPrice,     c::kArmorLevel,
    c::kWeaponLevel,    c::kModelName, c::kEquipLevelMax, c::kEquipLevelMin, c::kSampleLine,
    c::kSamplePattern};
const std::string_view kCheckLists[] = {c::kFlags, c::kJobs, c::kTrade};

std::string G(std::string_view utf8) { return Utf8ToCodePage(utf8); }

std::vector<bool> CheckStates(MemoryForm& form, std::string_view control) {
  std::vector<bool> states;
  for (int i = 0; i < form.CheckListCount(control); ++i) {
    states.push_back(form.CheckListIsChecked(control, i));
  }
  return states;
}

class Configuration : public ::testing::Test {
 protected:
  std::string Slurp() const { return ReadFile(path_); }
  void Put(const std::string& bytes) const { WriteFile(path_, bytes); }
  size_t EntryCount() const {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) ++count;
    return count;
  }

  TempFolder temp_;
  const std::string& folder_ = temp_.path;
  const std::string path_ = ConfigurationPath(folder_);
};

TEST_F(Configuration, PathIsNextToTheProgram) {
  EXPECT_EQ(ConfigurationPath("/opt/tool"), "/opt/tool/qv_configure.ini");
}

TEST_F(Configuration, SaveThenLoadRestoresTheWholeForm) {
  MemoryForm source;
  const std::string description = G("第一行\r\n    第二行缩进四格\r\n末行 ");
  const std::string script =
      "    Script: |\r\n      bonus bStr,5;\r\n\tif (1) {\r\n        end;\r\n      }\r\n";
  source.SetText(c::kDescription, description);
  source.SetText(c::kScript, script);
  source.SetText(c::kItemName, G("  [时装]小白兔  "));  // blanks at both ends
  source.SetText(c::kModelName, G("荤苞"));
  source.SetText(c::kSamplePattern, "\"(.*?)\"");  // wholly in quotes
  source.SetText(c::kSampleLine, "'quoted'");
  source.SetText(c::kServerFilePath, G("/srv/数据/item_db.yml"));
  source.SetText(c::kClientFilePath, "");
  source.SetText(c::kWeight, "=5;");
  source.CheckListSetChecked(c::kJobs, 1, true);  // 初心者
  source.CheckListSetChecked(c::kJobs, 3, true);  // 剑士
  source.CheckListSetChecked(c::kFlags, 0, true);
  source.CheckListSetChecked(c::kFlags, 6, true);
  source.CheckListSetChecked(c::kTrade, 8, true);

  SaveConfiguration(source, folder_);
  EXPECT_TRUE(source.notices().empty());
  const std::string saved = Slurp();
  EXPECT_EQ(ProfileValueIn(saved, "0", "21"), "|2|4");
  EXPECT_EQ(ProfileValueIn(saved, "0", "20"), "|1|7");
  EXPECT_EQ(ProfileValueIn(saved, "0", "22"), "|9");

  MemoryForm target;
  target.SetText(c::kClientFilePath, "left over");
  LoadConfiguration(target, folder_);
  for (std::string_view control : kTextControls) {
    EXPECT_EQ(target.GetText(control), source.GetText(control)) << CodePageToUtf8(control);
  }
  for (std::string_view control : kCheckLists) {
    EXPECT_EQ(CheckStates(target, control), CheckStates(source, control))
        << CodePageToUtf8(control);
  }
  EXPECT_TRUE(target.notices().empty());
}

TEST_F(Configuration, SavedFileHasTheseBytes) {
  MemoryForm form;  // the laid-out defaults
  form.CheckListSetChecked(c::kJobs, 1, true);
  form.CheckListSetChecked(c::kJobs, 3, true);
  SaveConfiguration(form, folder_);

  const std::string b = "st-k-qv";
  const std::string n = "qv-/n-qv";
  const std::string six = b + b + b + b + b + b;
  const std::string expected =
      "[0]\r\n"
      "1=0\r\n"
      "2=0\r\n"
      "3=1\r\n"
      "4=2000001\r\n"
      "5=\r\n"
      "6=\r\n"
      "7=\xB2\xE2\xCA\xD4\xB5\xC0\xBE\xDF\r\n"  // 测试道具
      "8=" +
      G("简朴美丽的发冠.") + n + "MaxHP" + b + "+1000" + n + "MaxSP" + b + "+1000\r\n" + "9=" + b +
      b + b + b + "Script:" + b + "|" + n + six + "bonus" + b + "bMaxHP,1000;" + n + six + "bonus" +
      b + "bMaxSP,1000;" + n + "\r\n" +
      "10=100\r\n"
      "11=0\r\n"
      "12=1\r\n"
      "13=10000\r\n"
      "14=0\r\n"
      "15=1\r\n"
      "16=1\r\n"
      "17=\xBB\xE7\xB0\xFA\r\n"
      "18=0\r\n"
      "19=0\r\n"
      "20=\r\n"
      "21=|2|4\r\n"
      "22=\r\n"
      "23=" +
      G("White_Rabbit--1656--[时装]小白兔") + "\r\n" + "24=^(.*?)--(.*?)--(.*?)$\r\n";
  EXPECT_EQ(Slurp(), expected);
}

// A file written elsewhere and edited by hand: GBK, CR LF, a comment, other
// sections around, quoted and padded values, keys out of order, bad list positions.
TEST_F(Configuration, LoadsAHandMadeFileAndKeepsItsOtherLinesOnSave) {
  const std::string head = "; written by hand\r\n[window]\r\nx=10\r\n\r\n";
  const std::string tail = "\r\n[other]\r\n1=not this one\r\n";
  const std::string section =
      "[0]\r\n"
      "2 = \t1656 \r\n"
      "7=\"" +
      G("小白兔") + "\"\r\n" + "8=" + G("第一行") + "qv-/n-qvst-k-qvst-k-qvst-k-qvst-k-qv" +
      G("第二行") + "\r\n" +
      ";9=commented out\r\n"
      "9=bonus bStr,1;\r\n"
      "21=|1|3|99|0|-2|abc|\r\n"
      "23='White_Rabbit--1656'\r\n"
      "1=5\r\n"
      "1=duplicate\r\n";
  Put(head + section + tail);

  MemoryForm form;
  form.CheckListSetChecked(c::kJobs, 5, true);
  form.CheckListSetChecked(c::kFlags, 2, true);
  LoadConfiguration(form, folder_);

  EXPECT_EQ(form.GetText(c::kWeight), "5");
  EXPECT_EQ(form.GetText(c::kView), "1656");
  EXPECT_EQ(form.GetText(c::kItemName), G("小白兔"));
  EXPECT_EQ(form.GetText(c::kDescription), G("第一行\r\n    第二行"));
  EXPECT_EQ(form.GetText(c::kScript), "bonus bStr,1;");
  EXPECT_EQ(form.GetText(c::kSampleLine), "White_Rabbit--1656");
  for (std::string_view missing : {c::kIdStep, c::kItemId, c::kSellPrice, c::kSamplePattern}) {
    EXPECT_EQ(form.GetText(missing), "") << CodePageToUtf8(missing);
  }
  std::vector<bool> jobs(24, false);
  jobs[0] = jobs[2] = jobs[5] = true;  // stored 1 and 3; 5 was checked and stays
  EXPECT_EQ(CheckStates(form, c::kJobs), jobs);
  std::vector<bool> flags(7, false);
  flags[2] = true;
  EXPECT_EQ(CheckStates(form, c::kFlags), flags);

  form.SetText(c::kItemId, "42");
  SaveConfiguration(form, folder_);
  const std::string saved = Slurp();
  ASSERT_GE(saved.size(), head.size() + tail.size());
  EXPECT_EQ(saved.substr(0, head.size() + 5), head + "[0]\r\n");
  EXPECT_EQ(saved.substr(saved.size() - tail.size()), tail);
  EXPECT_NE(saved.find("\r\n;9=commented out\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\n1=5\r\n1=duplicate\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\n2 =1656\r\n"), std::string::npos);  // value rewritten in place
  EXPECT_EQ(ProfileValueIn(saved, "0", "4"), "42");
  EXPECT_EQ(ProfileValueIn(saved, "0", "21"), "|1|3|6");
  EXPECT_EQ(ProfileValueIn(saved, "other", "1"), "not this one");
}

TEST_F(Configuration, LongScriptIsNotCut) {
  std::string script;
  while (script.size() < 50 * 1024)
    script += "      bonus2 bAddEle,Ele_Fire,10; // " + G("火") + "\r\n";
  MemoryForm source;
  source.SetText(c::kScript, script);
  SaveConfiguration(source, folder_);
  ASSERT_GT(Slurp().size(), 80u * 1024);  // blanks stored as markers: well past any buffer

  MemoryForm target;
  LoadConfiguration(target, folder_);
  EXPECT_EQ(target.GetText(c::kScript), script);
}

TEST_F(Configuration, LineBreaksAlwaysBecomeTheMarker) {
  MemoryForm source;
  source.SetText(c::kItemName, "a\nb\rc\r\nd");             // lone LF and CR too
  source.SetText(c::kDescription, "x\ny");                  // multi-line field
  source.SetText(c::kSampleLine, "literal qv-/n-qv here");  // the marker as text
  SaveConfiguration(source, folder_);
  const std::string saved = Slurp();
  EXPECT_EQ(ProfileValueIn(saved, "0", "7"), "aqv-/n-qvbqv-/n-qvcqv-/n-qvd");
  EXPECT_EQ(saved.find("\r\nb"), std::string::npos);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 25);  // header and 24 keys

  MemoryForm target;
  LoadConfiguration(target, folder_);
  EXPECT_EQ(target.GetText(c::kItemName), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(target.GetText(c::kDescription), "x\r\ny");
  EXPECT_EQ(target.GetText(c::kSampleLine), "literal \r\n here");
}

TEST_F(Configuration, MissingFileEmptiesTextFieldsAndKeepsLists) {
  MemoryForm form;
  form.CheckListSetChecked(c::kTrade, 4, true);
  const std::vector<bool> jobs = CheckStates(form, c::kJobs);
  LoadConfiguration(form, folder_);
  for (std::string_view control : kTextControls) {
    EXPECT_EQ(form.GetText(control), "") << CodePageToUtf8(control);
  }
  EXPECT_TRUE(form.CheckListIsChecked(c::kTrade, 4));
  EXPECT_EQ(CheckStates(form, c::kJobs), jobs);
  EXPECT_TRUE(form.notices().empty());
  EXPECT_EQ(EntryCount(), 0u);  // loading creates nothing
}

TEST_F(Configuration, UnreadableFileChangesNothingAndTellsTheUser) {
  std::filesystem::create_directory(path_);
  MemoryForm form;
  LoadConfiguration(form, folder_);
  EXPECT_EQ(form.GetText(c::kItemId), "2000001");
  ASSERT_EQ(form.notices().size(), 1u);
  EXPECT_NE(form.notices()[0].find(path_), std::string::npos);
}

TEST_F(Configuration, SaveWritesNothingOnceTheWindowIsClosing) {
  Put("[0]\r\n4=7\r\n");
  MemoryForm form;
  form.Close();
  SaveConfiguration(form, folder_);
  EXPECT_EQ(Slurp(), "[0]\r\n4=7\r\n");
}

TEST_F(Configuration, FailedSaveKeepsTheOldFileAndTellsTheUser) {
  // A folder in place of the file, and a program folder that does not exist.
  std::filesystem::create_directory(path_);
  MemoryForm form;
  SaveConfiguration(form, folder_);
  EXPECT_TRUE(std::filesystem::is_directory(path_));
  ASSERT_EQ(form.notices().size(), 1u);
  EXPECT_NE(form.notices()[0].find(path_), std::string::npos);

  MemoryForm other;
  SaveConfiguration(other, folder_ + "/missing");
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/missing"));
  ASSERT_EQ(other.notices().size(), 1u);
  EXPECT_NE(other.notices()[0].find(folder_ + "/missing/qv_configure.ini"), std::string::npos);
}

TEST_F(Configuration, SaveThatRunsOutOfSpaceKeepsTheOldFile) {
  const std::string old = "; mine\r\n[0]\r\n4=7\r\n";
  Put(old);
  MemoryForm form;
  form.SetText(c::kScript, std::string(64 * 1024, 'x'));

  // A file-size limit makes the write fail part way, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SaveConfiguration(form, folder_);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(Slurp(), old);
  EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
  ASSERT_EQ(form.notices().size(), 1u);
  EXPECT_NE(form.notices()[0].find(path_), std::string::npos);
}

TEST_F(Configuration, ConcurrentSavesAndLoadsLeaveAValidFile) {
  constexpr int kSavers = 4;
  constexpr int kRounds = 10;
  const std::string description = G("说明\r\n    缩进");
  std::vector<std::thread> threads;
  for (int t = 0; t < kSavers; ++t) {
    threads.emplace_back([&, t] {
      MemoryForm form;
      form.SetText(c::kItemId, std::to_string(1000 + t));
      form.SetText(c::kDescription, description);
      for (int round = 0; round < kRounds; ++round) SaveConfiguration(form, folder_);
      EXPECT_TRUE(form.notices().empty());
    });
  }
  threads.emplace_back([&] {
    for (int round = 0; round < kRounds * 2; ++round) {
      MemoryForm form;
      LoadConfiguration(form, folder_);
      // Either no file yet (everything empty) or one whole save: never a part of one.
      const std::string id = form.GetText(c::kItemId);
      if (!id.empty()) {
        EXPECT_EQ(form.GetText(c::kDescription), description);
      }
      EXPECT_TRUE(form.notices().empty());
    }
  });
  for (std::thread& thread : threads) thread.join();

  const std::string saved = Slurp();
  EXPECT_EQ(saved.rfind("[0]\r\n", 0), 0u);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 25);
  const int id = std::stoi(ProfileValueIn(saved, "0", "4"));
  EXPECT_GE(id, 1000);
  EXPECT_LT(id, 1000 + kSavers);
  EXPECT_EQ(EntryCount(), 1u);
}

}  // namespace
}  // namespace itemsmith
