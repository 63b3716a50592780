#include "entries/client_entry.h"

#include <gtest/gtest.h>

#include "model/catalogs.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

std::string Gbk(std::string_view utf8) { return Utf8ToCodePage(utf8); }

Selection Pick(const Catalog& catalog, int index) {
  return {index, catalog[static_cast<size_t>(index)]};
}

std::vector<bool> Checked(size_t count, std::initializer_list<size_t> positions) {
  std::vector<bool> checked(count, false);
  for (size_t p : positions) checked[p] = true;
  return checked;
}

TEST(ClientEntry, DefaultFormGivesTheWholeRecord) {
  EXPECT_EQ(BuildClientEntry(DefaultFormValues()),
            Gbk("\r\n\t[2000001] = {"
                "\r\n\t\tunidentifiedDiSPlayName = \"测试道具\","
                "\r\n\t\tunidentifiedResourceName = \"荤苞\","
                "\r\n\t\tunidentifiedDescriptionName = {},"
                "\r\n\t\tidentifiedDiSPlayName = \"测试道具\","
                "\r\n\t\tidentifiedResourceName = \"荤苞\","
                "\r\n\t\tidentifiedDescriptionName = {"
                "\r\n\t\t\t\"简朴美丽的发冠.\","
                "\r\n\t\t\t\"MaxHP +1000\","
                "\r\n\t\t\t\"MaxSP +1000\","
                "\r\n\t\t\t\"系    类：防具\","
                "\r\n\t\t\t\"装    备：头上\","
                "\r\n\t\t\t\"重    量: ^7777770^000000\","
                "\r\n\t\t},"
                "\r\n\t\tslotCount = 1,"
                "\r\n\t\tClassNum = 0"
                "\r\n\t},"));
}

TEST(ClientEntry, DescriptionFollowsTypeLevelsAndJobs) {
  struct Case {
    const char* name;
    void (*change)(FormValues&);
    const char* description;  // UTF-8
  };
  const std::vector<Case> cases = {
      {"weapon names its kind and hand",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 1);
         v.subType = Pick(SubtypeCatalogFor(1), 0);
         v.location = Pick(LocationCatalogFor(1), 2);
       },
       "\r\n\t\t\t\"系    类：武器\",\r\n\t\t\t\"类    型：单手剑\","
       "\r\n\t\t\t\"装    备：双手\",\r\n\t\t\t\"重    量: ^7777770^000000\","},
      {"healing has no location",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 4);
         v.location = {};
       },
       "\r\n\t\t\t\"系    类：恢复\",\r\n\t\t\t\"重    量: ^7777770^000000\","},
      {"card names its slot but no kind",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 2);
         v.subType = Pick(SubtypeCatalogFor(1), 3);
         v.location = Pick(LocationCatalogFor(2), 21);
       },
       "\r\n\t\t\t\"系    类：卡片\",\r\n\t\t\t\"装    备：影子首饰左\","
       "\r\n\t\t\t\"重    量: ^7777770^000000\","},
      {"no main type still writes the type line",
       [](FormValues& v) {
         v.mainType = {};
         v.weight = "";
       },
       "\r\n\t\t\t\"系    类：\",\r\n\t\t\t\"重    量: ^777777^000000\","},
      {"levels written when set; \"00\" counts as set",
       [](FormValues& v) {
         v.equipLevelMin = "00";
         v.equipLevelMax = "99";
         v.weight = "150";
       },
       "\r\n\t\t\t\"系    类：防具\",\r\n\t\t\t\"装    备：头上\",\r\n\t\t\t\"最低等级：00\","
       "\r\n\t\t\t\"最高等级：99\",\r\n\t\t\t\"重    量: ^777777150^000000\","},
      {"empty levels are not set",
       [](FormValues& v) {
         v.equipLevelMin = "";
         v.equipLevelMax = "0";
       },
       "\r\n\t\t\t\"系    类：防具\",\r\n\t\t\t\"装    备：头上\","
       "\r\n\t\t\t\"重    量: ^7777770^000000\","},
      {"job labels joined by a bar",
       [](FormValues& v) {
         v.jobs = Checked(24, {1, 3, 7});
       },
       "\r\n\t\t\t\"系    类：防具\",\r\n\t\t\t\"装    备：头上\","
       "\r\n\t\t\t\"重    量: ^7777770^000000\",\r\n\t\t\t\"职业：初心者|剑士|炼金术士\","},
      {"empty lines dropped, blank lines kept",
       [](FormValues& v) { v.description = Gbk("甲\r\n\r\n  \r\n乙\r\n"); },
       "\r\n\t\t\t\"甲\",\r\n\t\t\t\"  \",\r\n\t\t\t\"乙\",\r\n\t\t\t\"系    类：防具\","
       "\r\n\t\t\t\"装    备：头上\",\r\n\t\t\t\"重    量: ^7777770^000000\","},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormValues values = DefaultFormValues();
    values.description.clear();
    c.change(values);
    EXPECT_EQ(BuildClientDescription(values), Gbk(c.description));
  }
}

TEST(ClientEntry, JobBlockAndLabelList) {
  struct Case {
    std::vector<bool> jobs;
    std::string serverBlock;
    const char* labels;  // UTF-8
  };
  const std::vector<Case> cases = {
      {Checked(24, {}), "", ""},
      {{}, "", ""},
      {Checked(24, {1, 3}), "\r\n    Jobs:\r\n      Novice: true\r\n      Swordman: true",
       "初心者|剑士"},
      {Checked(24, {0, 1, 3}), "", ""},  // all jobs wins over single ones
      {Checked(24, {16, 17}), "\r\n    Jobs:\r\n      Sage: true\r\n      Wizard: true",
       "贤者|巫师"},
      {Checked(24, {23}), "\r\n    Jobs:\r\n      SoulLinker: true", "悟灵士"},
      // A list longer than the catalog: the extra positions have no job.
      {Checked(30, {2, 27}), "\r\n    Jobs:\r\n      SuperNovice: true", "超级初心者"},
  };
  for (const Case& c : cases) {
    FormValues values = DefaultFormValues();
    values.jobs = c.jobs;
    const JobTexts jobs = BuildJobs(values);
    EXPECT_EQ(jobs.serverBlock, c.serverBlock);
    EXPECT_EQ(jobs.labelList, Gbk(c.labels));
  }
}

TEST(ClientEntry, ValuesAsTypedTrimmedOrZero) {
  FormValues values = DefaultFormValues();
  values.itemId = "501 ";                              // kept as typed
  values.itemName = Gbk("\xE3\x80\x80 Red Potion  ");  // full-width and ASCII blanks
  values.modelName = " apple ";
  values.slots = "";  // an empty integer box means 0
  values.view = "";
  values.description.clear();
  const std::string record = BuildClientEntry(values);
  EXPECT_NE(record.find("\r\n\t[501 ] = {"), std::string::npos);
  EXPECT_NE(record.find("\r\n\t\tidentifiedDiSPlayName = \"Red Potion\","), std::string::npos);
  EXPECT_NE(record.find("\r\n\t\tunidentifiedResourceName = \"apple\","), std::string::npos);
  EXPECT_NE(record.find("\r\n\t\tslotCount = 0,\r\n\t\tClassNum = 0\r\n\t},"), std::string::npos);

  values.slots = "0";
  values.view = "abc";
  const std::string typed = BuildClientEntry(values);
  EXPECT_NE(typed.find("slotCount = 0,\r\n\t\tClassNum = abc\r\n"), std::string::npos);

  // Replacements run in order over the whole record: a name holding a later
  // placeholder gets that value.
  values.itemName = Gbk("Box【View】");
  EXPECT_NE(BuildClientEntry(values).find("identifiedDiSPlayName = \"Boxabc\","),
            std::string::npos);
}

TEST(ClientEntry, QuotedValuesAreEscaped) {
  // 0x81 0x5C is one character whose second byte is a backslash.
  FormValues values = DefaultFormValues();
  values.itemName = "Say \"hi\" \\ \x81\x5C";
  values.modelName = "a\"b";
  values.description = "C:\\path\r\nline with \"quote\"\r\nbare\nfeed\rreturn";
  values.weight = "1\"";
  values.mainType = {0, "Armor|\"x\""};
  const std::string record = BuildClientEntry(values);

  EXPECT_NE(record.find("identifiedDiSPlayName = \"Say \\\"hi\\\" \\\\ \x81\\\\\","),
            std::string::npos);
  EXPECT_NE(record.find("identifiedResourceName = \"a\\\"b\","), std::string::npos);
  const std::string description = BuildClientDescription(values);
  EXPECT_EQ(description, Gbk("\r\n\t\t\t\"C:\\\\path\","
                             "\r\n\t\t\t\"line with \\\"quote\\\"\","
                             "\r\n\t\t\t\"bare\\nfeed\\rreturn\","
                             "\r\n\t\t\t\"系    类：\\\"x\\\"\","
                             "\r\n\t\t\t\"装    备：头上\","
                             "\r\n\t\t\t\"重    量: ^7777771\\\"^000000\","));
  // No raw line break is left inside any quoted string: every LF of the record starts
  // one of its own lines.
  for (size_t lf = record.find('\n'); lf != std::string::npos; lf = record.find('\n', lf + 1)) {
    ASSERT_GT(lf, 0u);
    EXPECT_EQ(record[lf - 1], '\r');
    EXPECT_EQ(record[lf + 1], '\t') << "at " << lf;
  }
}

}  // namespace
}  // namespace itemsmith
