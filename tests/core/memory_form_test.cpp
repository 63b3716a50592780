#include "model/memory_form.h"

#include <gtest/gtest.h>

#include <thread>

#include "model/catalogs.h"
#include "model/control_names.h"
#include "model/form_values.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

namespace c = controls;

TEST(MemoryForm, HoldsTheLaidOutDefaults) {
  MemoryForm form;
  const FormValues v = ReadFormValues(form);
  EXPECT_EQ(v.serverFilePath, "");
  EXPECT_EQ(v.clientFilePath, "");
  EXPECT_EQ(v.itemId, "2000001");
  EXPECT_EQ(v.modelName, "\xBB\xE7\xB0\xFA");
  EXPECT_EQ(v.view, "0");
  EXPECT_EQ(v.weight, "0");
  EXPECT_EQ(v.weaponLevel, "1");
  EXPECT_EQ(v.armorLevel, "1");
  EXPECT_EQ(v.buyPrice, "10000");
  EXPECT_EQ(v.sellPrice, "0");
  EXPECT_EQ(v.equipLevelMin, "0");
  EXPECT_EQ(v.equipLevelMax, "0");
  EXPECT_EQ(v.slots, "1");
  EXPECT_EQ(v.attackRange, "0");
  EXPECT_EQ(v.useDelay, "100");
  EXPECT_EQ(v.itemName, Utf8ToCodePage("测试道具"));
  EXPECT_EQ(v.idStep, "1");
  EXPECT_EQ(v.sampleLine, Utf8ToCodePage("White_Rabbit--1656--[时装]小白兔"));
  EXPECT_EQ(v.samplePattern, "^(.*?)--(.*?)--(.*?)$");
  EXPECT_EQ(v.script, "    Script: |\r\n      bonus bMaxHP,1000;\r\n      bonus bMaxSP,1000;\r\n");
  EXPECT_EQ(v.description, Utf8ToCodePage("简朴美丽的发冠.\r\nMaxHP +1000\r\nMaxSP +1000"));

  // The design-time main-type list, before start-up replaces it.
  EXPECT_EQ(v.mainType.index, 0);
  EXPECT_EQ(v.mainType.text, Utf8ToCodePage("Armor|防具"));
  EXPECT_EQ(form.ListCount(c::kMainType), 8);
  EXPECT_EQ(form.ListItemText(c::kMainType, 3), Utf8ToCodePage("Shadowgear|影子装备"));
  EXPECT_EQ(v.subType.index, -1);
  EXPECT_EQ(v.location.index, -1);
  EXPECT_EQ(v.location.text, "");
  EXPECT_EQ(v.gender, 0);
  EXPECT_EQ(form.ListItemText(c::kGender, 2), Utf8ToCodePage("女"));

  EXPECT_TRUE(v.refineable);
  EXPECT_FALSE(v.autoIncrement);
  EXPECT_FALSE(v.alwaysOnTop);
  EXPECT_EQ(v.jobs, std::vector<bool>(24, false));
  EXPECT_EQ(v.flags, std::vector<bool>(7, false));
  EXPECT_EQ(v.trade, std::vector<bool>(9, false));
  EXPECT_EQ(form.currentPage(), 0);
  EXPECT_FALSE(form.alwaysOnTop());
}

TEST(MemoryForm, DefaultFormValuesHaveTheStartUpLists) {
  const FormValues v = DefaultFormValues();
  EXPECT_EQ(v.mainType.index, 0);
  EXPECT_EQ(v.mainType.text, Utf8ToCodePage("Armor|防具"));
  EXPECT_EQ(v.location.index, 0);
  EXPECT_EQ(v.location.text, Utf8ToCodePage("Head_Top|头上"));
  EXPECT_EQ(v.subType.index, -1);
  EXPECT_EQ(v.subType.text, "");
  EXPECT_EQ(v.serverFilePath, "");
  EXPECT_EQ(v.itemId, "2000001");
}

TEST(MemoryForm, DropDownListOperations) {
  MemoryForm form;
  // Selection clamps to the list: above the last item to the last, below -1 to -1.
  struct Case {
    int requested, selected;
  };
  for (const Case& s : std::vector<Case>{{1, 1}, {5, 2}, {-1, -1}, {-7, -1}, {2, 2}}) {
    form.ListSetSelection(c::kGender, s.requested);
    EXPECT_EQ(form.ListGetSelection(c::kGender), s.selected) << s.requested;
  }

  form.ListClear(c::kGender);
  EXPECT_EQ(form.ListCount(c::kGender), 0);
  EXPECT_EQ(form.ListGetSelection(c::kGender), -1);
  form.ListSetSelection(c::kGender, 0);  // nothing to select in an empty list
  EXPECT_EQ(form.ListGetSelection(c::kGender), -1);
  EXPECT_EQ(form.ListAddItem(c::kGender, "a"), 0);
  EXPECT_EQ(form.ListAddItem(c::kGender, "b"), 1);
  EXPECT_EQ(form.ListGetSelection(c::kGender), -1);  // adding selects nothing
  EXPECT_EQ(form.ListItemText(c::kGender, 1), "b");
  EXPECT_EQ(form.ListItemText(c::kGender, 2), "");
  EXPECT_EQ(form.ListItemText(c::kGender, -1), "");

  form.ListReplaceItems(c::kLocation, LocationCatalogFor(1));
  EXPECT_EQ(form.ListCount(c::kLocation), 3);
  EXPECT_EQ(form.ListGetSelection(c::kLocation), 0);
  form.ListReplaceItems(c::kLocation, {});
  EXPECT_EQ(form.ListCount(c::kLocation), 0);
  EXPECT_EQ(form.ListGetSelection(c::kLocation), -1);
}

TEST(MemoryForm, CheckListsChangeOneItemAtATime) {
  MemoryForm form;
  form.CheckListSetChecked(c::kJobs, 3, true);
  form.CheckListSetChecked(c::kJobs, 1, true);
  form.CheckListSetChecked(c::kJobs, 1, false);
  form.CheckListSetChecked(c::kJobs, 24, true);  // outside: nothing changes
  form.CheckListSetChecked(c::kJobs, -1, true);
  std::vector<bool> expected(24, false);
  expected[3] = true;
  EXPECT_EQ(ReadFormValues(form).jobs, expected);
  EXPECT_FALSE(form.CheckListIsChecked(c::kJobs, 24));
  EXPECT_FALSE(form.CheckListIsChecked(c::kJobs, -1));
}

TEST(MemoryForm, WindowOperationsAndUnknownControls) {
  MemoryForm form;
  form.SetCurrentPage(c::kTabs, 1);  // the disabled page is refused
  EXPECT_EQ(form.currentPage(), 0);
  form.SetAlwaysOnTop(true);
  EXPECT_TRUE(form.alwaysOnTop());
  form.SetChecked(c::kAutoIncrement, true);
  EXPECT_TRUE(form.GetChecked(c::kAutoIncrement));

  form.SetText("missing", "x");
  EXPECT_EQ(form.GetText("missing"), "");
  EXPECT_EQ(form.ListAddItem("missing", "x"), -1);
  EXPECT_EQ(form.ListCount("missing"), 0);
  EXPECT_EQ(form.ListGetSelection("missing"), -1);
  EXPECT_FALSE(form.GetChecked("missing"));
  EXPECT_EQ(form.CheckListCount("missing"), 0);
  // A control of another kind answers empty too.
  EXPECT_EQ(form.GetText(c::kJobs), "");
  EXPECT_EQ(form.ListCount(c::kItemId), 0);
}

TEST(MemoryForm, ClosedFormAnswersEmpty) {
  MemoryForm form;
  EXPECT_TRUE(form.IsOpen());
  form.Close();
  EXPECT_FALSE(form.IsOpen());
  form.SetText(c::kItemId, "9");
  form.SetAlwaysOnTop(true);
  EXPECT_EQ(form.GetText(c::kItemId), "");
  EXPECT_FALSE(form.GetChecked(c::kRefineable));
  EXPECT_EQ(form.ListCount(c::kMainType), 0);
  EXPECT_EQ(form.ListGetSelection(c::kMainType), -1);
  EXPECT_EQ(form.CheckListCount(c::kJobs), 0);
  EXPECT_FALSE(form.alwaysOnTop());
  // A notice still reaches the user after the window began to close.
  form.PostNotice("late");
  EXPECT_EQ(form.notices(), std::vector<std::string>{"late"});
}

TEST(MemoryForm, ConcurrentWritersLoseNothing) {
  // Check-list states share storage words, so unlocked writers would lose updates.
  MemoryForm form;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&form, t] {
      for (int round = 0; round < 2000; ++round) {
        for (int p = t; p < 24; p += 4) form.CheckListSetChecked(c::kJobs, p, round % 2 == 0);
        form.SetText(c::kItemId, std::to_string(round));
      }
      for (int p = t; p < 24; p += 4) form.CheckListSetChecked(c::kJobs, p, true);
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(ReadFormValues(form).jobs, std::vector<bool>(24, true));
  EXPECT_EQ(form.GetText(c::kItemId), "1999");
}

}  // namespace
}  // namespace itemsmith
