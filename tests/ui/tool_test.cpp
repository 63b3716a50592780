// The whole tool in a temporary program folder: start-up, the buttons and the list
// choice as a user drives them, and closing with work still queued.

#include "ui/tool.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "entries/client_entry.h"
#include "entries/server_entry.h"
#include "model/control_names.h"
#include "model/form_values.h"
#include "platform/code_page.h"
#include "support/test_files.h"
#include "ui/main_window.h"
#include "ui/notice_bubble.h"
#include "ui/qt_control_access.h"
#include "url_recorder.h"

namespace itemsmith {
namespace {

namespace fs = std::filesystem;
namespace c = controls;

class ToolTest : public testing::Test {
 protected:
  void SetUp() override {
    tool = std::make_unique<Tool>(folder);
    tool->Start();
    tool->window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tool->window()));
  }

  void TearDown() override { tool.reset(); }  // before the folder goes

  ControlAccess& form() { return tool->access(); }
  fs::path clientFile() const { return fs::path(folder) / "itemInfo_Sak.lub"; }
  fs::path serverFile() const { return fs::path(folder) / "item_db.yml"; }

  void Click(std::string_view name) {
    auto* button = tool->window().ControlAs<QAbstractButton>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }

  // Waits for save and load workers while serving their control operations.
  void FinishWorkers() {
    while (tool->WorkersBusy()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
  }

  QStringList Notices() {
    QApplication::processEvents();
    return tool->window().noticeBubble()->lines();
  }

  // The values the form holds now, with another identifier.
  FormValues ValuesWithId(const std::string& id) {
    FormValues values = ReadFormValues(form());
    values.itemId = id;
    return values;
  }

  TempFolder temp;
  const std::string& folder = temp.path;
  std::unique_ptr<Tool> tool;
};

TEST_F(ToolTest, FirstStartCreatesBothFilesAndFillsTheForm) {
  EXPECT_EQ(form().GetText(c::kClientFilePath), folder + "/itemInfo_Sak.lub");
  EXPECT_EQ(form().GetText(c::kServerFilePath), folder + "/item_db.yml");
  ASSERT_TRUE(fs::is_regular_file(clientFile()));
  ASSERT_TRUE(fs::is_regular_file(serverFile()));
  EXPECT_EQ(fs::file_size(clientFile()), 0u);
  EXPECT_EQ(fs::file_size(serverFile()), 0u);

  const FormValues values = ReadFormValues(form());
  const FormValues defaults = DefaultFormValues();
  EXPECT_EQ(values.mainType.text, Utf8ToCodePage("Armor|防具"));
  EXPECT_EQ(form().ListItemText(c::kMainType, 3), Utf8ToCodePage("Shadowgear|暗影装备"));
  EXPECT_EQ(values.subType.index, -1);
  EXPECT_EQ(form().ListCount(c::kSubType), 0);
  EXPECT_EQ(values.location.text, Utf8ToCodePage("Head_Top|头上"));
  EXPECT_EQ(form().ListCount(c::kLocation), 13);
  EXPECT_EQ(values.location.index, defaults.location.index);
  EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(ToolTest, InsertAppendsExactlyTheBuiltEntries) {
  const FormValues values = ReadFormValues(form());
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(ReadFile(clientFile()), BuildClientEntry(values));
  EXPECT_EQ(ReadFile(serverFile()), BuildServerEntry(values));
  // The window as start-up leaves it writes the entries of the default form.
  EXPECT_EQ(ReadFile(clientFile()), BuildClientEntry(DefaultFormValues()));
  EXPECT_EQ(ReadFile(serverFile()), BuildServerEntry(DefaultFormValues()));
  EXPECT_EQ(form().GetText(c::kItemId), "2000001");  // no step without "ID自增+"
  EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(ToolTest, AutoIncrementStepsBeforeEachInsert) {
  Click(c::kAutoIncrement);
  ASSERT_TRUE(form().GetChecked(c::kAutoIncrement));
  Click(c::kInsertButton);
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(form().GetText(c::kItemId), "2000003");
  EXPECT_EQ(ReadFile(clientFile()),
            BuildClientEntry(ValuesWithId("2000002")) + BuildClientEntry(ValuesWithId("2000003")));
  EXPECT_EQ(ReadFile(serverFile()),
            BuildServerEntry(ValuesWithId("2000002")) + BuildServerEntry(ValuesWithId("2000003")));
}

TEST_F(ToolTest, IdentifierThatIsNoNumber) {
  // Without the step the text goes out as it is.
  form().SetText(c::kItemId, "abc");
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(ReadFile(clientFile()), BuildClientEntry(ValuesWithId("abc")));

  // The step reads it as 0.
  Click(c::kAutoIncrement);
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(form().GetText(c::kItemId), "1");
  EXPECT_EQ(ReadFile(serverFile()),
            BuildServerEntry(ValuesWithId("abc")) + BuildServerEntry(ValuesWithId("1")));

  // An empty identifier writes nothing and says so.
  const auto clientSize = fs::file_size(clientFile());
  Click(c::kAutoIncrement);
  form().SetText(c::kItemId, "");
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(fs::file_size(clientFile()), clientSize);
  EXPECT_EQ(Notices().size(), 1);
}

TEST_F(ToolTest, MissingClientFileGrowsOnlyTheServerFileWithANotice) {
  fs::remove(clientFile());
  const FormValues values = ReadFormValues(form());
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_FALSE(fs::exists(clientFile()));  // never created by an insert
  EXPECT_EQ(ReadFile(serverFile()), BuildServerEntry(values));
  const QStringList notices = Notices();
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices[0].contains(QString::fromStdString(clientFile().string())))
      << notices[0].toStdString();
}

TEST_F(ToolTest, PathNamingAFolderIsRefusedWithANotice) {
  const std::string subfolder = folder + "/sub";
  fs::create_directory(subfolder);
  form().SetText(c::kServerFilePath, subfolder);
  const FormValues values = ReadFormValues(form());
  Click(c::kInsertButton);
  tool->DrainWrites();
  EXPECT_EQ(ReadFile(clientFile()), BuildClientEntry(values));
  EXPECT_TRUE(fs::is_directory(subfolder));
  const QStringList notices = Notices();
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices[0].contains(QString::fromStdString(subfolder))) << notices[0].toStdString();
}

TEST_F(ToolTest, RapidPressesGiveWholeEntriesInOrder) {
  Click(c::kAutoIncrement);
  const FormValues base = ReadFormValues(form());
  constexpr int kPresses = 100;
  for (int i = 0; i < kPresses; ++i) Click(c::kInsertButton);
  tool->DrainWrites();
  std::string client;
  std::string server;
  for (int i = 1; i <= kPresses; ++i) {
    FormValues values = base;
    values.itemId = std::to_string(2000001 + i);
    client += BuildClientEntry(values);
    server += BuildServerEntry(values);
  }
  EXPECT_EQ(ReadFile(clientFile()), client);
  EXPECT_EQ(ReadFile(serverFile()), server);
}

TEST_F(ToolTest, ClosingRightAfterABurstLosesNothing) {
  Click(c::kAutoIncrement);
  const FormValues base = ReadFormValues(form());
  constexpr int kPresses = 60;
  for (int i = 0; i < kPresses; ++i) Click(c::kInsertButton);
  Click(c::kSaveButton);  // a worker in flight as well
  QTest::keyClick(&tool->window(), Qt::Key_Escape);
  EXPECT_FALSE(tool->access().IsOpen());
  tool->Shutdown();
  std::string client;
  for (int i = 1; i <= kPresses; ++i) {
    FormValues values = base;
    values.itemId = std::to_string(2000001 + i);
    client += BuildClientEntry(values);
  }
  EXPECT_EQ(ReadFile(clientFile()), client);
  EXPECT_FALSE(tool->WorkersBusy());
}

TEST_F(ToolTest, MainTypeChoiceRefillsTheDependentLists) {
  auto* mainType = tool->window().ControlAs<QComboBox>(c::kMainType);
  mainType->setFocus(Qt::TabFocusReason);
  QTest::keyClick(mainType, Qt::Key_Down);  // the user picks "Weapon|武器"
  EXPECT_EQ(form().ListItemText(c::kMainType, form().ListGetSelection(c::kMainType)),
            Utf8ToCodePage("Weapon|武器"));
  EXPECT_EQ(form().ListCount(c::kSubType), 22);
  EXPECT_EQ(form().ListGetSelection(c::kSubType), 0);
  EXPECT_EQ(form().ListCount(c::kLocation), 3);
  EXPECT_EQ(form().ListGetSelection(c::kLocation), 0);

  for (int i = 0; i < 4; ++i) QTest::keyClick(mainType, Qt::Key_Down);  // on to "Etc|其他"
  EXPECT_EQ(form().ListItemText(c::kMainType, form().ListGetSelection(c::kMainType)),
            Utf8ToCodePage("Etc|其他"));
  EXPECT_EQ(form().ListCount(c::kSubType), 0);
  EXPECT_EQ(form().ListCount(c::kLocation), 0);
  EXPECT_EQ(form().ListGetSelection(c::kLocation), -1);

  // A selection made by code refills nothing.
  form().ListSetSelection(c::kMainType, 1);
  EXPECT_EQ(form().ListCount(c::kSubType), 0);
}

TEST_F(ToolTest, SaveLoadAndExtractButtonsDoTheirWork) {
  const std::string name = Utf8ToCodePage("保存的名字");
  form().SetText(c::kItemName, name);
  Click(c::kSaveButton);
  FinishWorkers();
  EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / "qv_configure.ini"));

  form().SetText(c::kItemName, "changed");
  Click(c::kLoadButton);
  FinishWorkers();
  EXPECT_EQ(form().GetText(c::kItemName), name);

  Click(c::kExtractButton);
  EXPECT_EQ(form().GetText(c::kModelName), "White_Rabbit");
  EXPECT_EQ(form().GetText(c::kView), "1656");
  EXPECT_EQ(form().GetText(c::kItemName), Utf8ToCodePage("[时装]小白兔"));
}

TEST_F(ToolTest, AlwaysOnTopFollowsTheCheckBox) {
  QWindow* native = tool->window().windowHandle();
  const QPoint place = tool->window().pos();
  Click(c::kAlwaysOnTop);
  EXPECT_TRUE(native->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(tool->window().isVisible());
  Click(c::kAlwaysOnTop);
  EXPECT_FALSE(native->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(tool->window().isVisible());
  EXPECT_EQ(tool->window().pos(), place);
}

TEST_F(ToolTest, OpenFilesHandsExistingFilesToTheDesktop) {
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("file", &recorder, "Open");
  Click(c::kOpenFilesButton);
  ASSERT_EQ(recorder.opened.size(), 2);
  EXPECT_EQ(recorder.opened[0], QUrl::fromLocalFile(QString::fromStdString(clientFile())));
  EXPECT_EQ(recorder.opened[1], QUrl::fromLocalFile(QString::fromStdString(serverFile())));

  recorder.opened.clear();
  form().SetText(c::kClientFilePath, "");
  form().SetText(c::kServerFilePath, folder + "/missing.yml");
  Click(c::kOpenFilesButton);
  EXPECT_TRUE(recorder.opened.isEmpty());
  QDesktopServices::unsetUrlHandler("file");
}

}  // namespace
}  // namespace itemsmith
