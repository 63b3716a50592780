#include "entries/server_entry.h"

#include <gtest/gtest.h>

#include "model/catalogs.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

std::string Gbk(std::string_view utf8) { return Utf8ToCodePage(utf8); }

Selection Pick(const Catalog& catalog, int index) {
  return {index, catalog[static_cast<size_t>(index)]};
}

const std::string kHeader =
    Gbk("\r\n  - Id: 2000001"
        "\r\n    AegisName: qv2000001"
        "\r\n    Name: \"测试道具\"");
const std::string kShortScript = "    Script: |\r\n      bonus bStr,1;";

TEST(ServerEntry, DefaultFormGivesTheWholeEntry) {
  EXPECT_EQ(BuildServerEntry(DefaultFormValues()),
            kHeader +
                "\r\n    Type: Armor"
                "\r\n    Buy: 10000"
                "\r\n    Slots: 1"
                "\r\n    Locations:\r\n      Head_Top: true"
                "\r\n    ArmorLevel: 1"
                "\r\n    Refineable: true"
                "\r\n    Delay:\r\n      Duration: 100"
                "\r\n    Script: |\r\n      bonus bMaxHP,1000;\r\n      bonus bMaxSP,1000;\r\n");
}

TEST(ServerEntry, LinesFollowTheMainType) {
  struct Case {
    const char* name;
    void (*change)(FormValues&);
    std::string afterHeader;  // up to the script
  };
  const std::vector<Case> cases = {
      {"weapon: kind, hand and weapon level even when 0",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 1);
         v.subType = Pick(SubtypeCatalogFor(1), 0);
         v.location = Pick(LocationCatalogFor(1), 0);
         v.weaponLevel = "0";
       },
       "\r\n    Type: Weapon\r\n    SubType: 1hSword\r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Locations:\r\n      Right_Hand: true\r\n    WeaponLevel: 0"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"weapon without kind, empty weapon level written as 0",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 1);
         v.location = Pick(LocationCatalogFor(1), 2);
         v.weaponLevel = "";
         v.armorLevel = "";
       },
       "\r\n    Type: Weapon\r\n    SubType: \r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Locations:\r\n      Both_Hand: true\r\n    WeaponLevel: 0"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"armor: empty armor level written as 0", [](FormValues& v) { v.armorLevel = ""; },
       "\r\n    Type: Armor\r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Locations:\r\n      Head_Top: true\r\n    ArmorLevel: 0"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"healing: no kind, location or level",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 4);
         v.location = {};
       },
       "\r\n    Type: Healing\r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"card: location but no level",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 2);
         v.location = Pick(LocationCatalogFor(2), 7);
       },
       "\r\n    Type: Card\r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Locations:\r\n      Left_Hand: true"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"shadow gear",
       [](FormValues& v) {
         v.mainType = Pick(MainTypeCatalog(), 3);
         v.location = Pick(LocationCatalogFor(3), 0);
       },
       "\r\n    Type: Shadowgear\r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Locations:\r\n      Shadow_Weapon: true"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
      {"nothing selected: empty type, no location",
       [](FormValues& v) {
         v.mainType = {};
         v.location = {};
       },
       "\r\n    Type: \r\n    Buy: 10000\r\n    Slots: 1"
       "\r\n    Refineable: true\r\n    Delay:\r\n      Duration: 100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormValues values = DefaultFormValues();
    values.script = kShortScript;
    c.change(values);
    EXPECT_EQ(BuildServerEntry(values), kHeader + c.afterHeader + "\r\n" + kShortScript);
  }
}

TEST(ServerEntry, OptionalLinesOnlyWhenSet) {
  FormValues values = DefaultFormValues();
  values.mainType = Pick(MainTypeCatalog(), 5);  // Etc: no location or level
  values.location = {};
  values.script = kShortScript;
  values.buyPrice = "0";
  values.sellPrice = "5";
  values.weight = "00";       // not exactly "0": set
  values.attackRange = " 0";  // likewise
  values.slots = "";
  values.equipLevelMin = "10";
  values.equipLevelMax = "0";
  values.view = "7";
  values.useDelay = "0";
  values.refineable = false;
  values.gender = 2;
  values.jobs = std::vector<bool>(24, false);
  values.jobs[1] = values.jobs[3] = true;
  values.flags = std::vector<bool>(7, true);
  values.trade = std::vector<bool>(9, false);
  values.trade[0] = values.trade[8] = true;
  EXPECT_EQ(BuildServerEntry(values),
            kHeader +
                "\r\n    Type: Etc"
                "\r\n    Sell: 5"
                "\r\n    Weight: 00"
                "\r\n    Range:  0"
                "\r\n    Jobs:\r\n      Novice: true\r\n      Swordman: true"
                "\r\n    Gender: Female"
                "\r\n    EquipLevelMin: 10"
                "\r\n    Refineable: false"
                "\r\n    View: 7"
                "\r\n    Flags:"
                "\r\n      BuyingStore: true\r\n      DeadBranch: true\r\n      Container: true"
                "\r\n      UniqueId: true\r\n      BindOnEquip: true\r\n      DropAnnounce: true"
                "\r\n      NoConsume: true"
                "\r\n    Trade:\r\n      Override: 99\r\n      NoMail: true"
                "\r\n" +
                kShortScript);

  values.gender = 1;
  EXPECT_NE(BuildServerEntry(values).find("\r\n    Gender: Male\r\n"), std::string::npos);
  values.gender = -1;
  EXPECT_EQ(BuildServerEntry(values).find("Gender"), std::string::npos);
}

TEST(ServerEntry, BlocksAreEmptyWithNothingChecked) {
  FormValues values = DefaultFormValues();
  EXPECT_EQ(BuildFlagsBlock(values), "");
  EXPECT_EQ(BuildTradeBlock(values), "");
  values.flags.clear();
  values.trade = std::vector<bool>(12, false);
  values.trade[11] = true;  // beyond the catalog: no line
  EXPECT_EQ(BuildFlagsBlock(values), "");
  EXPECT_EQ(BuildTradeBlock(values), "");
  values.trade[2] = true;
  EXPECT_EQ(BuildTradeBlock(values), "\r\n    Trade:\r\n      NoTrade: true");
}

TEST(ServerEntry, ScriptMarker) {
  struct Case {
    std::string script, written;
  };
  const std::vector<Case> cases = {
      {"", "    Script: |\r\n"},
      {"      bonus bStr,1;", "    Script: |\r\n      bonus bStr,1;"},
      {"    Script: |\r\n      bonus bStr,1;", "    Script: |\r\n      bonus bStr,1;"},
      // The marker anywhere counts; the text is copied as typed.
      {"  # note\r\n    Script: |\r\n  x", "  # note\r\n    Script: |\r\n  x"},
      // Case and the four blanks matter.
      {"    script: |", "    Script: |\r\n    script: |"},
      {"   Script: |", "    Script: |\r\n   Script: |"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    FormValues values = DefaultFormValues();
    values.script = c.script;
    const std::string entry = BuildServerEntry(values);
    const std::string tail = "\r\n    Delay:\r\n      Duration: 100\r\n" + c.written;
    ASSERT_GE(entry.size(), tail.size());
    EXPECT_EQ(entry.substr(entry.size() - tail.size()), tail);
  }
}

TEST(ServerEntry, FillPlaceholderReplacesEveryBracketedRun) {
  struct Case {
    std::string templateText, value, filled;
  };
  const std::vector<Case> cases = {
      {"\r\n    Buy: [Buy]", "5", "\r\n    Buy: 5"},
      {"[a] and [b]", "x", "x and x"},
      {"no placeholder", "x", "no placeholder"},
      {"[[x]]", "v", "v]"},  // shortest run
      {"[" + Gbk("名称") + "]", Gbk("值"), Gbk("值")},
      // The value is a replacement text: "$&" is the match, "$$" one dollar sign.
      {"Buy: [Buy]", "$&", "Buy: [Buy]"},
      {"Buy: [Buy]", "$$5", "Buy: $5"},
      {"Buy: [Buy]", "$5", "Buy: $5"},  // no such group: literal
  };
  RegexObject regex;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.templateText + " <- " + c.value);
    EXPECT_EQ(FillPlaceholder(regex, c.templateText, c.value), c.filled);
  }
}

TEST(ServerEntry, NameIsTrimmedAndEscaped) {
  struct Case {
    std::string name, written;
  };
  const std::vector<Case> cases = {
      {Gbk("  测试道具\xE3\x80\x80"), Gbk("测试道具")},
      {"Say \"hi\"", "Say \\\"hi\\\""},
      {"C:\\dir", "C:\\\\dir"},
      {"two\r\nlines", "two\\r\\nlines"},
      {"tab\there\x7F\x01", "tab\\x09here\\x7F\\x01"},
      // The second byte of this character is a backslash: written escaped, it reads
      // back as the same two bytes.
      {"\x81\x5C", "\x81\\\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormValues values = DefaultFormValues();
    values.itemName = c.name;
    EXPECT_NE(BuildServerEntry(values).find("\r\n    Name: \"" + c.written + "\"\r\n    Type: "),
              std::string::npos);
  }
}

}  // namespace
}  // namespace itemsmith
