#include "extract/sample_extraction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "model/control_names.h"
#include "model/memory_form.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

namespace c = controls;

TEST(SampleExtraction, FormDefaultsFillModelViewAndName) {
  MemoryForm form;
  const std::string id = form.GetText(c::kItemId);
  ExtractFromSample(form);
  EXPECT_EQ(form.GetText(c::kModelName), "White_Rabbit");
  EXPECT_EQ(form.GetText(c::kView), "1656");
  EXPECT_EQ(form.GetText(c::kItemName), Utf8ToCodePage("[时装]小白兔"));
  EXPECT_EQ(form.GetText(c::kItemId), id);  // never set from the sample
}

TEST(SampleExtraction, FillsAsManyFieldsAsThePatternHasGroups) {
  struct Case {
    const char* name;
    const char* pattern;
    const char* line;
    const char* model;  // expected; "M", "V" and "N" are the values before
    const char* view;
    const char* itemName;
  };
  const Case cases[] = {
      {"one group", "^(\\w+)--", "Poring--1--x", "Poring", "V", "N"},
      {"two groups", "^(\\w+)--(\\d+)", "Poring--12--x", "Poring", "12", "N"},
      {"empty group", "^(.*?)--(\\d*)--(.*)$", "Hat----帽子", "Hat", "", "帽子"},
      {"group takes no part", "^(\\w+)(?:--(\\d+))?(.*)$", "Hat", "Hat", "", ""},
      {"fourth group ignored", "^(.)(.)(.)(.)$", "abcd", "a", "b", "c"},
      {"ignores case", "^(.*?)--VIEW(\\d+)$", "cap--view7", "cap", "7", "N"},
      {"first line of several", "^(.*?)--(.*?)--(.*?)$", "First--1--一\r\nSecond--2--二", "First",
       "1", "一"},
      {"first match, not first line", "^(\\w+)=(\\d+)$", "# list\r\nhat=5\r\ncap=6", "hat", "5",
       "N"},
      // Changes nothing:
      {"no match", "^(.*?)==(.*?)$", "White_Rabbit--1656", "M", "V", "N"},
      {"no groups", "Rabbit", "White_Rabbit", "M", "V", "N"},
      {"invalid pattern", "^(.*?--", "White_Rabbit--1656", "M", "V", "N"},
      {"empty pattern and line", "", "", "M", "V", "N"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    MemoryForm form;
    form.SetText(c::kModelName, "M");
    form.SetText(c::kView, "V");
    form.SetText(c::kItemName, "N");
    form.SetText(c::kSamplePattern, Utf8ToCodePage(t.pattern));
    form.SetText(c::kSampleLine, Utf8ToCodePage(t.line));
    ExtractFromSample(form);
    EXPECT_EQ(form.GetText(c::kModelName), Utf8ToCodePage(t.model));
    EXPECT_EQ(form.GetText(c::kView), Utf8ToCodePage(t.view));
    EXPECT_EQ(form.GetText(c::kItemName), Utf8ToCodePage(t.itemName));
  }
}

TEST(SampleExtraction, CatastrophicPatternReturnsPromptlyAndChangesNothing) {
  MemoryForm form;
  const std::string model = form.GetText(c::kModelName);
  const std::string view = form.GetText(c::kView);
  const std::string name = form.GetText(c::kItemName);
  form.SetText(c::kSamplePattern, "^((a|aa)+)(b)(c)$");
  form.SetText(c::kSampleLine, std::string(60, 'a') + "x");
  const auto start = std::chrono::steady_clock::now();
  ExtractFromSample(form);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(form.GetText(c::kModelName), model);
  EXPECT_EQ(form.GetText(c::kView), view);
  EXPECT_EQ(form.GetText(c::kItemName), name);
}

}  // namespace
}  // namespace itemsmith
