#include "model/catalogs.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

TEST(Catalogs, CodeAndLabel) {
  struct Case {
    std::string item, code, label;
  };
  const std::vector<Case> cases = {
      {Utf8ToCodePage("Weapon|武器"), "Weapon", Utf8ToCodePage("武器")},
      {"a|b|c", "a", "c"},
      {"plain", "", ""},
      {"", "", ""},
      // A label whose character has the bar as its second byte.
      {"Code|\x81\x7C", "Code", "\x81\x7C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(CatalogCode(c.item), c.code);
    EXPECT_EQ(CatalogLabel(c.item), c.label);
  }
}

TEST(Catalogs, ListsFollowTheMainTypePosition) {
  struct Case {
    int mainTypeIndex;
    size_t subtypes, locations;
  };
  const std::vector<Case> cases = {
      {-1, 0, 0}, {0, 0, 13}, {1, 22, 3}, {2, 0, 22}, {3, 0, 6},
      {4, 0, 0},  {5, 0, 0},  {6, 0, 0},  {7, 0, 0},  {8, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mainTypeIndex);
    EXPECT_EQ(SubtypeCatalogFor(c.mainTypeIndex).size(), c.subtypes);
    EXPECT_EQ(LocationCatalogFor(c.mainTypeIndex).size(), c.locations);
  }
  EXPECT_EQ(MainTypeCatalog().size(), 8u);
  EXPECT_EQ(MainTypeCatalog()[3], Utf8ToCodePage("Shadowgear|暗影装备"));
  EXPECT_EQ(SubtypeCatalogFor(1).front(), Utf8ToCodePage("1hSword|单手剑"));
  EXPECT_EQ(SubtypeCatalogFor(1).back(), Utf8ToCodePage("Grenade|榴弹枪"));
}

TEST(Catalogs, CardLocationsGatherEverySlot) {
  const Catalog& card = LocationCatalogFor(2);
  ASSERT_EQ(card.size(), 22u);
  EXPECT_EQ(card[0], Utf8ToCodePage("Head_Top|头上"));
  EXPECT_EQ(card[5], Utf8ToCodePage("Shoes|鞋"));
  EXPECT_EQ(card[6], Utf8ToCodePage("Right_Hand|右手武器"));
  EXPECT_EQ(card[8], Utf8ToCodePage("Both_Hand|双手"));
  EXPECT_EQ(card[9], Utf8ToCodePage("Right_Accessory|右饰品"));
  EXPECT_EQ(card[15], Utf8ToCodePage("Costume_Garment|时装披肩"));
  EXPECT_EQ(card[16], Utf8ToCodePage("Shadow_Weapon|影子武器"));
  EXPECT_EQ(card[21], Utf8ToCodePage("Shadow_Left_Accessory|影子首饰左"));
}

TEST(Catalogs, CheckListEntries) {
  const auto& jobs = JobCatalog();
  ASSERT_EQ(jobs.size(), 24u);
  EXPECT_EQ(jobs[0].serverKey, "");
  EXPECT_EQ(jobs[7].listLabel, Utf8ToCodePage("炼金"));
  EXPECT_EQ(jobs[7].descriptionLabel, Utf8ToCodePage("炼金术士"));
  EXPECT_EQ(jobs[16].serverKey, "Sage");
  EXPECT_EQ(jobs[16].descriptionLabel, Utf8ToCodePage("贤者"));
  EXPECT_EQ(jobs[17].serverKey, "Wizard");
  EXPECT_EQ(jobs[17].descriptionLabel, Utf8ToCodePage("巫师"));
  EXPECT_EQ(jobs[23].serverKey, "SoulLinker");

  ASSERT_EQ(FlagCatalog().size(), 7u);
  EXPECT_EQ(FlagCatalog()[6].serverLine, "NoConsume: true");
  ASSERT_EQ(TradeCatalog().size(), 9u);
  EXPECT_EQ(TradeCatalog()[0].serverLine, "Override: 99");
  EXPECT_EQ(TradeCatalog()[0].listLabel, Utf8ToCodePage("GM无视交易限制"));
  EXPECT_EQ(GenderCatalog(), Utf8ToCodePage({"不限", "男", "女"}));
}

}  // namespace
}  // namespace itemsmith
