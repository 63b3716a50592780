#pragma once

// The fixed catalogs behind the drop-down lists and check lists, in list order, as
// byte strings in the tool's code page. A catalog item is "code|label".

#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

using Catalog = std::vector<std::string>;

const Catalog& MainTypeCatalog();  // 8 items
const Catalog& SubtypeCatalog();   // 22 weapon kinds
const Catalog& GenderCatalog();    // "不限", "男", "女"

// Jobs, flags and trade restrictions: what the check list shows, and what a checked
// item produces.
struct JobEntry {
  std::string listLabel;         // shown in the check list
  std::string serverKey;         // e.g. "Novice"; empty for "all jobs"
  std::string descriptionLabel;  // shown in the client description; empty for "all jobs"
};
const std::vector<JobEntry>& JobCatalog();  // 24 items, position 0 = all jobs

struct CheckEntry {
  std::string listLabel;   // shown in the check list
  std::string serverLine;  // e.g. "BuyingStore: true"
};
const std::vector<CheckEntry>& FlagCatalog();   // 7 items
const std::vector<CheckEntry>& TradeCatalog();  // 9 items

// Code: text before the first "|"; label: text after the last "|". Both empty when
// the item has no "|".
std::string CatalogCode(std::string_view item);
std::string CatalogLabel(std::string_view item);

// The lists offered for a main-type selection index; empty for an index without one
// (including -1).
const Catalog& SubtypeCatalogFor(int mainTypeIndex);
const Catalog& LocationCatalogFor(int mainTypeIndex);

}  // namespace itemsmith
