#include "model/catalogs.h"

#include "model/text_helpers.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

const Catalog& ArmorLocations() {
  static const Catalog items = Utf8ToCodePage({
      "Head_Top|头上",
      "Head_Mid|头中",
      "Head_Low|头下",
      "Armor|盔甲",
      "Garment|斗篷",
      "Shoes|鞋",
      "Right_Accessory|右饰品",
      "Left_Accessory|左饰品",
      "Both_Accessory|两首饰",
      "Costume_Head_Top|时装头上",
      "Costume_Head_Mid|时装头中",
      "Costume_Head_Low|时装头下",
      "Costume_Garment|时装披肩",
  });
  return items;
}

const Catalog& WeaponLocations() {
  static const Catalog items = Utf8ToCodePage({
      "Right_Hand|右手武器",
      "Left_Hand|左手盾牌",
      "Both_Hand|双手",
  });
  return items;
}

const Catalog& ShadowLocations() {
  static const Catalog items = Utf8ToCodePage({
      "Shadow_Weapon|影子武器",
      "Shadow_Shield|影子盾牌",
      "Shadow_Armor|影子盔甲",
      "Shadow_Shoes|影子鞋",
      "Shadow_Right_Accessory|影子首饰右",
      "Shadow_Left_Accessory|影子首饰左",
  });
  return items;
}

// A card can go anywhere: the head-to-shoes slots, the hands, the accessories and
// costumes, then the shadow slots.
const Catalog& CardLocations() {
  static const Catalog items = [] {
    const Catalog& armor = ArmorLocations();
    constexpr size_t kHeadToShoes = 6;
    Catalog all(armor.begin(), armor.begin() + kHeadToShoes);
    all.insert(all.end(), WeaponLocations().begin(), WeaponLocations().end());
    all.insert(all.end(), armor.begin() + kHeadToShoes, armor.end());
    all.insert(all.end(), ShadowLocations().begin(), ShadowLocations().end());
    return all;
  }();
  return items;
}

const Catalog& EmptyCatalog() {
  static const Catalog items;
  return items;
}

std::vector<CheckEntry> MakeCheckEntries(
    std::initializer_list<std::pair<std::string_view, std::string_view>> utf8) {
  std::vector<CheckEntry> entries;
  for (const auto& [label, line] : utf8) {
    entries.push_back({Utf8ToCodePage(label), std::string(line)});
  }
  return entries;
}

}  // namespace

const Catalog& MainTypeCatalog() {
  static const Catalog items = Utf8ToCodePage({
      "Armor|防具",
      "Weapon|武器",
      "Card|卡片",
      "Shadowgear|暗影装备",
      "Healing|恢复",
      "Etc|其他",
      "Delayconsume|延迟消耗",
      "Usable|可用",
  });
  return items;
}

const Catalog& SubtypeCatalog() {
  static const Catalog items = Utf8ToCodePage({
      "1hSword|单手剑",     "2hSword|双手剑", "Dagger|短剑",    "Katar|拳刃",   "1hAxe|单手斧",
      "2hAxe|双手斧",       "Mace|钝器",      "Book|书",        "Bow|弓",       "1hSpear|单手矛",
      "2hSpear|双手矛",     "Staff|单手杖",   "2hStaff|双手杖", "Musical|乐器", "Whip|鞭子",
      "Knuckle|拳套",       "Huuma|风魔",     "Revolver|手枪",  "Rifle|来复枪", "Shotgun|散弹枪",
      "Gatling|格林机关枪", "Grenade|榴弹枪",
  });
  return items;
}

const Catalog& GenderCatalog() {
  static const Catalog items = Utf8ToCodePage({"不限", "男", "女"});
  return items;
}

const std::vector<JobEntry>& JobCatalog() {
  static const std::vector<JobEntry> entries = [] {
    struct Row {
      std::string_view listLabel, serverKey, descriptionLabel;
    };
    static constexpr Row kRows[] = {
        {"全职业", "", ""},
        {"初心者", "Novice", "初心者"},
        {"超级初心者", "SuperNovice", "超级初心者"},
        {"剑士", "Swordman", "剑士"},
        {"骑士", "Knight", "骑士"},
        {"十字军", "Crusader", "十字军"},
        {"商人", "Merchant", "商人"},
        {"炼金", "Alchemist", "炼金术士"},
        {"铁匠", "Blacksmith", "铁匠"},
        {"小偷", "Thief", "小偷"},
        {"刺客", "Assassin", "刺客"},
        {"盗贼", "Rogue", "盗贼"},
        {"服侍", "Acolyte", "服侍"},
        {"牧师", "Priest", "牧师"},
        {"武僧", "Monk", "武僧"},
        {"法师", "Mage", "法师"},
        {"贤者", "Sage", "贤者"},
        {"巫师", "Wizard", "巫师"},
        {"弓箭手", "Archer", "弓箭手"},
        {"猎人", "Hunter", "猎人"},
        {"诗舞", "BardDancer", "诗舞"},
        {"枪手", "Gunslinger", "枪手"},
        {"反叛", "Rebellion", "反叛"},
        {"悟灵士", "SoulLinker", "悟灵士"},
    };
    std::vector<JobEntry> all;
    for (const Row& row : kRows) {
      all.push_back({Utf8ToCodePage(row.listLabel), std::string(row.serverKey),
                     Utf8ToCodePage(row.descriptionLabel)});
    }
    return all;
  }();
  return entries;
}

const std::vector<CheckEntry>& FlagCatalog() {
  static const std::vector<CheckEntry> entries = MakeCheckEntries({
      {"可以挂店", "BuyingStore: true"},
      {"不会损坏", "DeadBranch: true"},
      {"箱子", "Container: true"},
      {"唯一", "UniqueId: true"},
      {"绑定", "BindOnEquip: true"},
      {"掉落通知", "DropAnnounce: true"},
      {"使用不被消耗", "NoConsume: true"},
  });
  return entries;
}

const std::vector<CheckEntry>& TradeCatalog() {
  static const std::vector<CheckEntry> entries = MakeCheckEntries({
      {"GM无视交易限制", "Override: 99"},
      {"丢弃", "NoDrop: true"},
      {"交易", "NoTrade: true"},
      {"交易玩家", "TradePartner: true"},
      {"出售", "NoSell: true"},
      {"存手推车", "NoCart: true"},
      {"存仓库", "NoStorage: true"},
      {"存工会仓库", "NoGuildStorage: true"},
      {"邮寄", "NoMail: true"},
  });
  return entries;
}

std::string CatalogCode(std::string_view item) { return TextBeforeDelimiter(item, "|"); }

std::string CatalogLabel(std::string_view item) { return TextAfterDelimiter(item, "|"); }

const Catalog& SubtypeCatalogFor(int mainTypeIndex) {
  // Only weapons have kinds.
  return mainTypeIndex == 1 ? SubtypeCatalog() : EmptyCatalog();
}

const Catalog& LocationCatalogFor(int mainTypeIndex) {
  switch (mainTypeIndex) {
    case 0:
      return ArmorLocations();
    case 1:
      return WeaponLocations();
    case 2:
      return CardLocations();
    case 3:
      return ShadowLocations();
    default:
      return EmptyCatalog();
  }
}

}  // namespace itemsmith
