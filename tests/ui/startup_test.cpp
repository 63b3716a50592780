#include "ui/startup.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/catalogs.h"
#include "model/control_names.h"
#include "model/memory_form.h"
#include "platform/code_page.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

namespace fs = std::filesystem;
namespace c = controls;

std::vector<std::string> Items(MemoryForm& form, std::string_view list) {
  std::vector<std::string> items;
  for (int i = 0; i < form.ListCount(list); ++i) items.push_back(form.ListItemText(list, i));
  return items;
}

std::string Selected(MemoryForm& form, std::string_view list) {
  return form.ListItemText(list, form.ListGetSelection(list));
}

TEST(Startup, FirstStartCreatesBothFilesAndFillsTheForm) {
  TempFolder temp;
  // The program's folder may be named in Chinese; the files land under its
  // UTF-8 name.
  const std::string folder = temp.path + Utf8ToCodePage("/道具工具");
  fs::create_directory(fs::path(temp.path) / "道具工具");
  MemoryForm form;
  InitializeForm(form, folder);

  EXPECT_EQ(form.GetText(c::kClientFilePath), folder + "/itemInfo_Sak.lub");
  EXPECT_EQ(form.GetText(c::kServerFilePath), folder + "/item_db.yml");
  for (const char* name : {"itemInfo_Sak.lub", "item_db.yml"}) {
    const fs::path file = fs::path(temp.path) / "道具工具" / name;
    ASSERT_TRUE(fs::is_regular_file(file)) << name;
    EXPECT_EQ(fs::file_size(file), 0u) << name;
  }
  EXPECT_EQ(form.currentPage(), 0);
  EXPECT_EQ(Items(form, c::kMainType),
            MainTypeCatalog());  // "暗影装备", not the design-time label
  EXPECT_EQ(Selected(form, c::kMainType), Utf8ToCodePage("Armor|防具"));
  EXPECT_EQ(form.ListCount(c::kSubType), 0);
  EXPECT_EQ(form.ListGetSelection(c::kSubType), -1);
  EXPECT_EQ(form.ListCount(c::kLocation), 13);
  EXPECT_EQ(Selected(form, c::kLocation), Utf8ToCodePage("Head_Top|头上"));
  EXPECT_TRUE(form.notices().empty());
}

TEST(Startup, LeavesTypedPathsAndExistingFilesAlone) {
  TempFolder temp;
  // A path the user typed is kept and never created.
  const std::string typed = temp.path + "/elsewhere/item_db.yml";
  // A default file that is already there keeps its content.
  std::ofstream(temp.path + "/itemInfo_Sak.lub", std::ios::binary) << "tbl = {}\r\n";
  MemoryForm form;
  form.SetText(c::kServerFilePath, typed);
  InitializeForm(form, temp.path);

  EXPECT_EQ(form.GetText(c::kServerFilePath), typed);
  EXPECT_FALSE(fs::exists(temp.path + "/elsewhere"));
  EXPECT_FALSE(fs::exists(temp.path + "/item_db.yml"));
  EXPECT_EQ(form.GetText(c::kClientFilePath), temp.path + "/itemInfo_Sak.lub");
  EXPECT_EQ(fs::file_size(temp.path + "/itemInfo_Sak.lub"), 10u);
  EXPECT_TRUE(form.notices().empty());
}

TEST(Startup, AFolderThatCannotBeWrittenGivesANoticePerFile) {
  TempFolder temp;
  // Tests run as root, so a file where the folder should be stands in for a
  // folder the user may not write.
  const std::string folder = temp.path + "/program";
  std::ofstream(folder, std::ios::binary) << "not a folder";
  MemoryForm form;
  InitializeForm(form, folder);

  EXPECT_EQ(form.notices(), (std::vector<std::string>{
                                folder + "/itemInfo_Sak.lub: Not a directory",
                                folder + "/item_db.yml: Not a directory",
                            }));
  // The rest of start-up still happens.
  EXPECT_EQ(form.GetText(c::kServerFilePath), folder + "/item_db.yml");
  EXPECT_EQ(form.ListCount(c::kLocation), 13);
}

TEST(Startup, MainTypeChoiceRefillsBothLists) {
  struct Case {
    int mainType;
    int subtypes;
    int locations;
    const char* firstSubtype;
    const char* firstLocation;
  };
  const Case cases[] = {
      {1, 22, 3, "1hSword|单手剑", "Right_Hand|右手武器"},  // Weapon
      {2, 0, 22, "", "Head_Top|头上"},                      // Card
      {3, 0, 6, "", "Shadow_Weapon|影子武器"},              // Shadowgear
      {5, 0, 0, "", ""},                                    // Etc
      {0, 0, 13, "", "Head_Top|头上"},                      // back to Armor
  };
  TempFolder temp;
  MemoryForm form;
  InitializeForm(form, temp.path);
  for (const Case& k : cases) {
    form.ListSetSelection(c::kMainType, k.mainType);
    OnMainTypeSelected(form);
    EXPECT_EQ(form.ListCount(c::kSubType), k.subtypes) << k.mainType;
    EXPECT_EQ(form.ListCount(c::kLocation), k.locations) << k.mainType;
    EXPECT_EQ(form.ListGetSelection(c::kSubType), k.subtypes > 0 ? 0 : -1) << k.mainType;
    EXPECT_EQ(form.ListGetSelection(c::kLocation), k.locations > 0 ? 0 : -1) << k.mainType;
    EXPECT_EQ(Selected(form, c::kSubType), Utf8ToCodePage(k.firstSubtype)) << k.mainType;
    EXPECT_EQ(Selected(form, c::kLocation), Utf8ToCodePage(k.firstLocation)) << k.mainType;
  }
  form.ListSetSelection(c::kMainType, 1);
  OnMainTypeSelected(form);
  EXPECT_EQ(Items(form, c::kSubType), SubtypeCatalog());
}

// The refill must be one operation on the form: a form that records every call
// shows that no list is ever cleared and refilled in separate steps, where a
// user's insert could fall between them.
TEST(Startup, FillsEachListInOneOperation) {
  struct Recorder : MemoryForm {
    void ListClear(std::string_view control) override {
      calls.push_back("clear " + std::string(control));
      MemoryForm::ListClear(control);
    }
    int ListAddItem(std::string_view control, std::string_view text) override {
      calls.push_back("add " + std::string(control));
      return MemoryForm::ListAddItem(control, text);
    }
    void ListReplaceItems(std::string_view control,
                          const std::vector<std::string>& items) override {
      calls.push_back("replace " + std::string(control));
      MemoryForm::ListReplaceItems(control, items);
    }
    std::vector<std::string> calls;
  };
  TempFolder temp;
  Recorder form;
  InitializeForm(form, temp.path);
  form.ListSetSelection(c::kMainType, 1);
  OnMainTypeSelected(form);
  const std::string main(c::kMainType), sub(c::kSubType), location(c::kLocation);
  EXPECT_EQ(form.calls,
            (std::vector<std::string>{"replace " + main, "replace " + sub, "replace " + location,
                                      "replace " + sub, "replace " + location}));
}

TEST(Startup, AlwaysOnTopFollowsTheCheckBox) {
  MemoryForm form;
  for (bool checked : {true, false, true, false}) {
    form.SetChecked(c::kAlwaysOnTop, checked);
    ApplyAlwaysOnTop(form);
    EXPECT_EQ(form.alwaysOnTop(), checked);
  }
}

}  // namespace
}  // namespace itemsmith
