#include "config/configuration.h"

#include <string>
#include <vector>

#include "fileutil/file_helpers.h"
#include "model/control_names.h"
#include "model/text_helpers.h"
#include "platform/code_page.h"
#include "platform/profile_file.h"

namespace itemsmith {
namespace {

constexpr std::string_view kSection = "0";
constexpr std::string_view kLineBreakMarker = "qv-/n-qv";
constexpr std::string_view kBlankMarker = "st-k-qv";

enum class KeyKind {
  kText,
  kMultiLine,  // blanks stored as a marker too, so the indentation is kept
  kCheckList,
};

struct ConfigKey {
  const char* key;
  std::string_view control;
  KeyKind kind;
};

// In key order, which is also the order of reading and writing the controls.
constexpr ConfigKey kKeys[] = {
    {"1", controls::kWeight, KeyKind::kText},
    {"2", controls::kView, KeyKind::kText},
    {"3", controls::kIdStep, KeyKind::kText},
    {"4", controls::kItemId, KeyKind::kText},
    {"5", controls::kClientFilePath, KeyKind::kText},
    {"6", controls::kServerFilePath, KeyKind::kText},
    {"7", controls::kItemName, KeyKind::kText},
    {"8", controls::kDescription, KeyKind::kMultiLine},
    {"9", controls::kScript, KeyKind::kMultiLine},
    {"10", controls::kUseDelay, KeyKind::kText},
    {"11", controls::kAttackRange, KeyKind::kText},
    {"12", controls::kSlots, KeyKind::kText},
    {"13", controls::kBuyPrice, KeyKind::kText},
    {"14", controls::kSellPrice, KeyKind::kText},
    {"15", controls::kArmorLevel, KeyKind::kText},
    {"16", controls::kWeaponLevel, KeyKind::kText},
    {"17", controls::kModelName, KeyKind::kText},
    {"18", controls::kEquipLevelMax, KeyKind::kText},
    {"19", controls::kEquipLevelMin, KeyKind::kText},
    {"20", controls::kFlags, KeyKind::kCheckList},
    {"21", controls::kJobs, KeyKind::kCheckList},
    {"22", controls::kTrade, KeyKind::kCheckList},
    {"23", controls::kSampleLine, KeyKind::kText},
    {"24", controls::kSamplePattern, KeyKind::kText},
};

// Every line break becomes the marker: CR LF pairs first, then any lone CR or LF, which
// would otherwise split the value over two lines of the file.
std::string EncodeText(std::string_view text, KeyKind kind) {
  std::string encoded = ReplaceAll(text, "\r\n", kLineBreakMarker);
  encoded = ReplaceAll(encoded, "\r", kLineBreakMarker);
  encoded = ReplaceAll(encoded, "\n", kLineBreakMarker);
  if (kind == KeyKind::kMultiLine) encoded = ReplaceAll(encoded, " ", kBlankMarker);
  return encoded;
}

std::string DecodeText(std::string_view stored, KeyKind kind) {
  std::string text = ReplaceAll(stored, kLineBreakMarker, "\r\n");
  if (kind == KeyKind::kMultiLine) text = ReplaceAll(text, kBlankMarker, " ");
  return text;
}

std::string EncodeCheckList(ControlAccess& form, std::string_view control) {
  std::string encoded;
  const int count = form.CheckListCount(control);
  for (int i = 0; i < count; ++i) {
    if (form.CheckListIsChecked(control, i)) encoded += "|" + std::to_string(i + 1);
  }
  return encoded;
}

void CheckStoredItems(ControlAccess& form, std::string_view control, std::string_view stored) {
  for (const std::string& piece : SplitNonEmpty(stored, "|")) {
    const int n = TextToInt(piece);
    // Positions count from 1; anything outside the list is ignored.
    if (n >= 1 && n <= form.CheckListCount(control)) form.CheckListSetChecked(control, n - 1, true);
  }
}

void PostFailure(ControlAccess& form, const std::string& prefix, const std::string& path,
                 int error) {
  form.PostNotice(prefix + path + ": " + ErrorText(error));
}

}  // namespace

std::string ConfigurationPath(std::string_view programFolder) {
  return std::string(programFolder) + "/qv_configure.ini";
}

void SaveConfiguration(ControlAccess& form, std::string_view programFolder) {
  std::vector<ProfileValue> values;
  values.reserve(std::size(kKeys));
  for (const ConfigKey& key : kKeys) {
    values.push_back({key.key, key.kind == KeyKind::kCheckList
                                   ? EncodeCheckList(form, key.control)
                                   : EncodeText(form.GetText(key.control), key.kind)});
  }
  // Once the window is closing every read answers empty: saving now would wipe the file.
  if (!form.IsOpen()) return;

  const std::string path = ConfigurationPath(programFolder);
  if (int error = WriteProfileValues(path, kSection, values); error != 0) {
    static const std::string kPrefix = Utf8ToCodePage("配置未保存：");
    PostFailure(form, kPrefix, path, error);
  }
}

void LoadConfiguration(ControlAccess& form, std::string_view programFolder) {
  const std::string path = ConfigurationPath(programFolder);
  const ProfileFileText file = ReadProfileFile(path);
  if (file.error != 0) {
    static const std::string kPrefix = Utf8ToCodePage("配置未载入：");
    PostFailure(form, kPrefix, path, file.error);
    return;
  }
  std::vector<std::string> keys;
  keys.reserve(std::size(kKeys));
  for (const ConfigKey& key : kKeys) keys.emplace_back(key.key);
  // A missing file has empty content: every key then reads as the empty text.
  const std::vector<std::string> stored = ProfileValuesIn(file.content, kSection, keys);

  for (size_t i = 0; i < std::size(kKeys); ++i) {
    const ConfigKey& key = kKeys[i];
    const std::string value = DecodeText(stored[i], key.kind);
    if (key.kind == KeyKind::kCheckList) {
      CheckStoredItems(form, key.control, value);
    } else {
      form.SetText(key.control, value);
    }
  }
}

}  // namespace itemsmith
