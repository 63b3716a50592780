// The server entry builder fills about ten one-placeholder templates per entry with
// Create + ReplaceMatches, so one pair on a short ASCII template must cost well under
// half a microsecond. Also times a template with a Chinese value, a subject that needs
// the code-page table, and the sample-line extraction's default pattern.

#include <benchmark/benchmark.h>

#include <string>

#include "extract/regex_object.h"
#include "platform/code_page.h"

namespace {

using itemsmith::RegexObject;

void BM_FillPlaceholder(benchmark::State& state) {
  RegexObject regex;  // one object for many templates, as in a build
  for (auto _ : state) {
    regex.Create("\\[.*?\\]", "\r\n    EquipLevelMin: [EquipLevelMin]");
    benchmark::DoNotOptimize(regex.ReplaceMatches("100"));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillPlaceholder);

void BM_FillPlaceholderChineseValue(benchmark::State& state) {
  const std::string value = itemsmith::Utf8ToCodePage("[时装]小白兔");
  RegexObject regex;
  for (auto _ : state) {
    regex.Create("\\[.*?\\]", "\r\n    Name: [Name]");
    benchmark::DoNotOptimize(regex.ReplaceMatches(value));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillPlaceholderChineseValue);

void BM_FillPlaceholderChineseTemplate(benchmark::State& state) {
  const std::string subject = itemsmith::Utf8ToCodePage("\r\n    说明: [Description] 测试道具");
  RegexObject regex;
  for (auto _ : state) {
    regex.Create("\\[.*?\\]", subject);
    benchmark::DoNotOptimize(regex.ReplaceMatches("100"));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillPlaceholderChineseTemplate);

void BM_SampleLineGroups(benchmark::State& state) {
  const std::string line = itemsmith::Utf8ToCodePage("White_Rabbit--1656--[时装]小白兔");
  for (auto _ : state) {
    RegexObject regex;  // one object per extraction
    regex.Create("^(.*?)--(.*?)--(.*?)$", line);
    benchmark::DoNotOptimize(regex.SubmatchText(1, 3));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SampleLineGroups);

}  // namespace

BENCHMARK_MAIN();
