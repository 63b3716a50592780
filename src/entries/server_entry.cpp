#include "entries/server_entry.h"

#include <algorithm>
#include <vector>

#include "entries/client_entry.h"
#include "entries/entry_rules.h"
#include "entries/escape_text.h"
#include "model/catalogs.h"
#include "model/text_helpers.h"

namespace itemsmith {
namespace {

constexpr std::string_view kHeaderTemplate =
    "\r\n  - Id: [ID]"
    "\r\n    AegisName: [AegiName]"
    "\r\n    Name: \"[Name]\""
    "\r\n    Type: [Typd]";
constexpr std::string_view kAegisNamePrefix = "qv";
constexpr std::string_view kPlaceholderPattern = "\\[.*?\\]";

// Optional lines: the bracketed placeholder is replaced whatever its name.
constexpr std::string_view kSubTypeLine = "\r\n    SubType: [SubType]";
constexpr std::string_view kBuyLine = "\r\n    Buy: [Buy]";
constexpr std::string_view kSellLine = "\r\n    Sell: [Sell]";
constexpr std::string_view kWeightLine = "\r\n    Weight: [Weight]";
constexpr std::string_view kRangeLine = "\r\n    Range: [Range]";
constexpr std::string_view kSlotsLine = "\r\n    Slots: [Slots]";
constexpr std::string_view kEquipLevelMinLine = "\r\n    EquipLevelMin: [EquipLevelMin]";
constexpr std::string_view kEquipLevelMaxLine = "\r\n    EquipLevelMax: [EquipLevelMax]";
constexpr std::string_view kWeaponLevelLine = "\r\n    WeaponLevel: [ArmorLevel]";
constexpr std::string_view kArmorLevelLine = "\r\n    ArmorLevel: [ArmorLevel]";
constexpr std::string_view kRefineableLine = "\r\n    Refineable: [Refineable]";
constexpr std::string_view kViewLine = "\r\n    View: [View]";
constexpr std::string_view kDelayLine = "\r\n    Delay:\r\n      Duration: [Duration]";

constexpr std::string_view kLocationHead = "\r\n    Locations:\r\n      ";
constexpr std::string_view kLocationTail = ": true";
constexpr std::string_view kScriptMarker = "    Script: |";
constexpr std::string_view kScriptPrefix = "    Script: |\r\n";

template <typename Entry>
std::string BuildBlock(std::string_view head, const std::vector<bool>& checked,
                       const std::vector<Entry>& catalog) {
  std::string block;
  const size_t count = std::min(checked.size(), catalog.size());
  for (size_t p = 0; p < count; ++p) {
    if (!checked[p]) continue;
    block += "\r\n      ";
    block += catalog[p].serverLine;
  }
  if (!block.empty()) block.insert(0, head);
  return block;
}

// A level line is always written; an empty box (how an integer box shows 0) would give
// the server a null level.
std::string LevelOrZero(std::string_view level) {
  return level.empty() ? std::string("0") : std::string(level);
}

}  // namespace

std::string FillPlaceholder(RegexObject& regex, std::string_view templateText,
                            std::string_view value) {
  regex.Create(kPlaceholderPattern, templateText);
  return regex.ReplaceMatches(value);
}

std::string BuildFlagsBlock(const FormValues& values) {
  return BuildBlock("\r\n    Flags:", values.flags, FlagCatalog());
}

std::string BuildTradeBlock(const FormValues& values) {
  return BuildBlock("\r\n    Trade:", values.trade, TradeCatalog());
}

std::string BuildServerEntry(const FormValues& values) {
  RegexObject regex;
  const std::string typeCode = CatalogCode(values.mainType.text);

  // Plain replacements, one after the other over the whole header.
  std::string out = ReplaceAll(kHeaderTemplate, "[ID]", values.itemId);
  out = ReplaceAll(out, "[AegiName]", std::string(kAegisNamePrefix) + values.itemId);
  out = ReplaceAll(out, "[Name]", EscapeYamlString(TrimBlanks(values.itemName)));
  out = ReplaceAll(out, "[Typd]", typeCode);

  const auto optional = [&](std::string_view line, const std::string& value) {
    if (IsSet(value)) out += FillPlaceholder(regex, line, value);
  };

  if (typeCode == "Weapon") {
    out += FillPlaceholder(regex, kSubTypeLine, CatalogCode(values.subType.text));
  }
  optional(kBuyLine, values.buyPrice);
  optional(kSellLine, values.sellPrice);
  optional(kWeightLine, values.weight);
  optional(kRangeLine, values.attackRange);
  optional(kSlotsLine, values.slots);

  out += BuildJobs(values).serverBlock;

  if (values.gender == 1) out += "\r\n    Gender: Male";
  if (values.gender == 2) out += "\r\n    Gender: Female";

  if (MainTypeHasLocation(typeCode)) {
    out += kLocationHead;
    out += CatalogCode(values.location.text);
    out += kLocationTail;
  }

  optional(kEquipLevelMinLine, values.equipLevelMin);
  optional(kEquipLevelMaxLine, values.equipLevelMax);

  if (typeCode == "Weapon") {
    out += FillPlaceholder(regex, kWeaponLevelLine, LevelOrZero(values.weaponLevel));
  } else if (typeCode == "Armor") {
    out += FillPlaceholder(regex, kArmorLevelLine, LevelOrZero(values.armorLevel));
  }

  out += FillPlaceholder(regex, kRefineableLine, values.refineable ? "true" : "false");
  optional(kViewLine, values.view);
  out += BuildFlagsBlock(values);
  optional(kDelayLine, values.useDelay);
  out += BuildTradeBlock(values);

  std::string script = values.script;
  if (FindText(script, kScriptMarker) == std::string_view::npos) {
    script.insert(0, kScriptPrefix);
  }
  if (!script.empty()) {
    out += "\r\n";
    out += script;
  }
  return out;
}

}  // namespace itemsmith
