#include "entries/client_entry.h"

#include <algorithm>

#include "entries/entry_rules.h"
#include "entries/escape_text.h"
#include "model/catalogs.h"
#include "model/text_helpers.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

// The fixed texts of the record, in the tool's code page.
struct ClientTexts {
  std::string recordTemplate;
  std::string idPlaceholder;
  std::string namePlaceholder;
  std::string modelPlaceholder;
  std::string slotsPlaceholder;
  std::string viewPlaceholder;
  std::string descriptionPlaceholder;
  std::string typePrefix;
  std::string subtypePrefix;
  std::string locationPrefix;
  std::string levelMinPrefix;
  std::string levelMaxPrefix;
  std::string weightPrefix;
  std::string jobsPrefix;
};

const ClientTexts& Texts() {
  static const ClientTexts texts{
      Utf8ToCodePage("\r\n\t[【ID】] = {"
                     "\r\n\t\tunidentifiedDiSPlayName = \"【名称】\","
                     "\r\n\t\tunidentifiedResourceName = \"【模型】\","
                     "\r\n\t\tunidentifiedDescriptionName = {},"
                     "\r\n\t\tidentifiedDiSPlayName = \"【名称】\","
                     "\r\n\t\tidentifiedResourceName = \"【模型】\","
                     "\r\n\t\tidentifiedDescriptionName = {【说明信息】\r\n\t\t},"
                     "\r\n\t\tslotCount = 【卡槽数量】,"
                     "\r\n\t\tClassNum = 【View】\r\n\t},"),
      Utf8ToCodePage("【ID】"),
      Utf8ToCodePage("【名称】"),
      Utf8ToCodePage("【模型】"),
      Utf8ToCodePage("【卡槽数量】"),
      Utf8ToCodePage("【View】"),
      Utf8ToCodePage("【说明信息】"),
      Utf8ToCodePage("\"系    类："),
      Utf8ToCodePage("\"类    型："),
      Utf8ToCodePage("\"装    备："),
      Utf8ToCodePage("\"最低等级："),
      Utf8ToCodePage("\"最高等级："),
      Utf8ToCodePage("\"重    量: ^777777"),
      Utf8ToCodePage("\"职业："),
  };
  return texts;
}

constexpr std::string_view kLineStart = "\r\n\t\t\t";
constexpr std::string_view kLineEnd = "\",";
constexpr std::string_view kWeightEnd = "^000000\",";

// Slot count and class number are bare Lua numbers: an empty box (how an integer box
// shows 0) would leave "slotCount = ," and break the whole table.
std::string NumberOrZero(std::string_view value) {
  return value.empty() ? std::string("0") : std::string(value);
}

void AppendLine(std::string& out, std::string_view prefix, std::string_view value,
                std::string_view end = kLineEnd) {
  out += kLineStart;
  out += prefix;
  out += EscapeLuaString(value);
  out += end;
}

}  // namespace

JobTexts BuildJobs(const FormValues& values) {
  JobTexts result;
  const auto& jobs = JobCatalog();
  // Position 0 stands for every job: no restriction to write.
  if (values.jobs.empty() || values.jobs[0]) return result;
  const size_t count = std::min(values.jobs.size(), jobs.size());
  for (size_t p = 1; p < count; ++p) {
    if (!values.jobs[p]) continue;
    result.serverBlock += "\r\n      ";
    result.serverBlock += jobs[p].serverKey;
    result.serverBlock += ": true";
    if (!result.labelList.empty()) result.labelList += '|';
    result.labelList += jobs[p].descriptionLabel;
  }
  if (!result.serverBlock.empty()) result.serverBlock.insert(0, "\r\n    Jobs:");
  return result;
}

std::string BuildClientDescription(const FormValues& values) {
  const ClientTexts& texts = Texts();
  std::string out;
  const int lines = CountLines(values.description);
  for (int i = 1; i <= lines; ++i) {
    const std::string line = LineAt(values.description, i);
    if (!line.empty()) AppendLine(out, "\"", line);
  }

  AppendLine(out, texts.typePrefix, CatalogLabel(values.mainType.text));
  const std::string typeCode = CatalogCode(values.mainType.text);
  if (typeCode == "Weapon") AppendLine(out, texts.subtypePrefix, CatalogLabel(values.subType.text));
  if (MainTypeHasLocation(typeCode)) {
    AppendLine(out, texts.locationPrefix, CatalogLabel(values.location.text));
  }
  if (IsSet(values.equipLevelMin)) AppendLine(out, texts.levelMinPrefix, values.equipLevelMin);
  if (IsSet(values.equipLevelMax)) AppendLine(out, texts.levelMaxPrefix, values.equipLevelMax);
  AppendLine(out, texts.weightPrefix, values.weight, kWeightEnd);

  const JobTexts jobs = BuildJobs(values);
  if (!jobs.labelList.empty()) AppendLine(out, texts.jobsPrefix, jobs.labelList);
  return out;
}

std::string BuildClientEntry(const FormValues& values) {
  const ClientTexts& texts = Texts();
  // One replacement after the other over the whole record, so a value that holds a
  // later placeholder has it replaced too.
  std::string out = ReplaceAll(texts.recordTemplate, texts.idPlaceholder, values.itemId);
  out = ReplaceAll(out, texts.namePlaceholder, EscapeLuaString(TrimBlanks(values.itemName)));
  out = ReplaceAll(out, texts.modelPlaceholder, EscapeLuaString(TrimBlanks(values.modelName)));
  out = ReplaceAll(out, texts.slotsPlaceholder, NumberOrZero(values.slots));
  out = ReplaceAll(out, texts.viewPlaceholder, NumberOrZero(values.view));
  out = ReplaceAll(out, texts.descriptionPlaceholder, BuildClientDescription(values));
  return out;
}

}  // namespace itemsmith
