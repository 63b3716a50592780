#include "model/memory_form.h"

#include <cstdio>

#include "model/catalogs.h"
#include "model/control_names.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

template <typename Map>
auto Find(Map& map, std::string_view control) {
  const auto found = map.find(control);
  return found == map.end() ? nullptr : &found->second;
}

template <typename Entry>
std::vector<std::string> ListLabels(const std::vector<Entry>& entries) {
  std::vector<std::string> labels;
  for (const Entry& entry : entries) labels.push_back(entry.listLabel);
  return labels;
}

}  // namespace

MemoryForm::MemoryForm() {
  namespace c = controls;
  const auto text = [this](std::string_view control, std::string_view utf8) {
    texts_.emplace(control, Utf8ToCodePage(utf8));
  };
  text(c::kServerFilePath, "");
  text(c::kClientFilePath, "");
  text(c::kIdStep, "1");
  text(c::kItemId, "2000001");
  // Stored as bytes: the same four bytes spell another word in another code page.
  texts_.emplace(c::kModelName, "\xBB\xE7\xB0\xFA");
  text(c::kView, "0");
  text(c::kWeight, "0");
  text(c::kEquipLevelMin, "0");
  text(c::kEquipLevelMax, "0");
  text(c::kAttackRange, "0");
  text(c::kSlots, "1");
  text(c::kUseDelay, "100");
  text(c::kItemName, "测试道具");
  text(c::kWeaponLevel, "1");
  text(c::kArmorLevel, "1");
  text(c::kBuyPrice, "10000");
  text(c::kSellPrice, "0");
  text(c::kSampleLine, "White_Rabbit--1656--[时装]小白兔");
  text(c::kSamplePattern, "^(.*?)--(.*?)--(.*?)$");
  text(c::kScript,
       "    Script: |\r\n"
       "      bonus bMaxHP,1000;\r\n"
       "      bonus bMaxSP,1000;\r\n");
  text(c::kDescription,
       "简朴美丽的发冠.\r\n"
       "MaxHP +1000\r\n"
       "MaxSP +1000");

  checks_.emplace(c::kAlwaysOnTop, false);
  checks_.emplace(c::kAutoIncrement, false);
  checks_.emplace(c::kRefineable, true);

  // The design-time main-type list differs from the catalog in its fourth item; start-up
  // replaces it.
  lists_.emplace(
      c::kMainType,
      List{Utf8ToCodePage({"Armor|防具", "Weapon|武器", "Card|卡片", "Shadowgear|影子装备",
                           "Healing|恢复", "Etc|其他", "Delayconsume|延迟消耗", "Usable|可用"}),
           0});
  lists_.emplace(c::kSubType, List{});
  lists_.emplace(c::kLocation, List{});
  lists_.emplace(c::kGender, List{GenderCatalog(), 0});

  const auto checkList = [this](std::string_view control, std::vector<std::string> labels) {
    const size_t count = labels.size();
    checkLists_.emplace(control, CheckList{std::move(labels), std::vector<bool>(count, false)});
  };
  checkList(c::kJobs, ListLabels(JobCatalog()));
  checkList(c::kFlags, ListLabels(FlagCatalog()));
  checkList(c::kTrade, ListLabels(TradeCatalog()));
}

std::string MemoryForm::GetText(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return {};
  const std::string* text = Find(texts_, control);
  return text ? *text : std::string();
}

void MemoryForm::SetText(std::string_view control, std::string_view text) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  if (std::string* stored = Find(texts_, control)) stored->assign(text);
}

bool MemoryForm::GetChecked(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return false;
  const bool* checked = Find(checks_, control);
  return checked && *checked;
}

void MemoryForm::ListClear(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  if (List* list = Find(lists_, control)) *list = List{};
}

int MemoryForm::ListAddItem(std::string_view control, std::string_view text) {
  std::lock_guard lock(mutex_);
  if (!open_) return -1;
  List* list = Find(lists_, control);
  if (!list) return -1;
  list->items.emplace_back(text);
  return static_cast<int>(list->items.size()) - 1;
}

int MemoryForm::ListCount(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return 0;
  const List* list = Find(lists_, control);
  return list ? static_cast<int>(list->items.size()) : 0;
}

std::string MemoryForm::ListItemText(std::string_view control, int position) {
  std::lock_guard lock(mutex_);
  if (!open_) return {};
  const List* list = Find(lists_, control);
  if (!list || position < 0 || position >= static_cast<int>(list->items.size())) return {};
  return list->items[static_cast<size_t>(position)];
}

int MemoryForm::ListGetSelection(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return -1;
  const List* list = Find(lists_, control);
  return list ? list->selection : -1;
}

void MemoryForm::ListSetSelection(std::string_view control, int position) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  List* list = Find(lists_, control);
  if (!list) return;
  const int last = static_cast<int>(list->items.size()) - 1;
  if (position > last) position = last;
  if (position < -1) position = -1;
  list->selection = position;
}

void MemoryForm::ListReplaceItems(std::string_view control, const std::vector<std::string>& items) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  if (List* list = Find(lists_, control)) *list = List{items, items.empty() ? -1 : 0};
}

int MemoryForm::CheckListCount(std::string_view control) {
  std::lock_guard lock(mutex_);
  if (!open_) return 0;
  const CheckList* list = Find(checkLists_, control);
  return list ? static_cast<int>(list->items.size()) : 0;
}

bool MemoryForm::CheckListIsChecked(std::string_view control, int position) {
  std::lock_guard lock(mutex_);
  if (!open_) return false;
  const CheckList* list = Find(checkLists_, control);
  if (!list || position < 0 || position >= static_cast<int>(list->checked.size())) return false;
  return list->checked[static_cast<size_t>(position)];
}

void MemoryForm::CheckListSetChecked(std::string_view control, int position, bool checked) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  CheckList* list = Find(checkLists_, control);
  if (!list || position < 0 || position >= static_cast<int>(list->checked.size())) return;
  list->checked[static_cast<size_t>(position)] = checked;
}

void MemoryForm::SetAlwaysOnTop(bool onTop) {
  std::lock_guard lock(mutex_);
  if (open_) alwaysOnTop_ = onTop;
}

void MemoryForm::SetCurrentPage(std::string_view tabControl, int position) {
  std::lock_guard lock(mutex_);
  if (!open_ || tabControl != controls::kTabs) return;
  // Page 1 is shown disabled; only page 0 can be made current.
  if (position == 0) currentPage_ = position;
}

bool MemoryForm::IsOpen() {
  std::lock_guard lock(mutex_);
  return open_;
}

void MemoryForm::PostNotice(std::string_view text) {
  // Notices are kept also after Close: a writer that drains at close still reports.
  const std::string utf8 = CodePageToUtf8(text);
  std::fprintf(stderr, "itemsmith: %s\n", utf8.c_str());
  std::lock_guard lock(mutex_);
  notices_.emplace_back(text);
}

void MemoryForm::SetChecked(std::string_view control, bool checked) {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  if (bool* stored = Find(checks_, control)) *stored = checked;
}

bool MemoryForm::alwaysOnTop() const {
  std::lock_guard lock(mutex_);
  return alwaysOnTop_;
}

int MemoryForm::currentPage() const {
  std::lock_guard lock(mutex_);
  return currentPage_;
}

std::vector<std::string> MemoryForm::notices() const {
  std::lock_guard lock(mutex_);
  return notices_;
}

void MemoryForm::Close() {
  std::lock_guard lock(mutex_);
  open_ = false;
}

}  // namespace itemsmith
