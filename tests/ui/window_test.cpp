// The window as laid out: its frame, every control of the table with its defaults, the
// tab pages, the keys, and that only the user raises events.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <set>
#include <string>
#include <vector>

#include "model/catalogs.h"
#include "model/control_names.h"
#include "model/form_values.h"
#include "model/memory_form.h"
#include "platform/code_page.h"
#include "ui/tab_control.h"
#include "ui/window_layout.h"
#include "window_fixture.h"

namespace itemsmith {
namespace {

namespace c = controls;

TEST_F(WindowTest, FixedCentredFrameWithoutMaximise) {
  EXPECT_EQ(window->windowTitle(), "KX辅助工具_qv");
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(window->pos(), QPoint(screen.x() + (screen.width() - 1116) / 2,
                                  screen.y() + (screen.height() - 741) / 2));
}

TEST_F(WindowTest, EveryControlOfTheLayoutIsPlacedByItsName) {
  for (const ControlDescription& d : WindowLayout()) {
    QWidget* control = window->findChild<QWidget*>(QString::fromStdString(d.name));
    ASSERT_NE(control, nullptr) << d.name;
    EXPECT_EQ(control->geometry(), QRect(d.left, d.top, d.width, d.height)) << d.name;
    const std::string parent = d.parent.empty() ? "" : d.parent;
    if (!parent.empty()) {
      EXPECT_EQ(control->parentWidget()->objectName().toStdString(), parent) << d.name;
    } else {
      // Measured from the tab control's corner, like the layout.
      EXPECT_EQ(control->mapTo(window->tabControl(), QPoint(0, 0)), QPoint(d.left, d.top))
          << d.name;
    }
  }
  // Every control core names exists with a kind core can use.
  for (std::string_view name : {c::kServerFilePath, c::kClientFilePath, c::kIdStep, c::kItemId,
                                c::kModelName, c::kView, c::kSampleLine, c::kSamplePattern}) {
    EXPECT_NE(window->ControlAs<QLineEdit>(name), nullptr) << name;
  }
  EXPECT_NE(window->ControlAs<QPlainTextEdit>(c::kScript), nullptr);
  EXPECT_NE(window->ControlAs<QPlainTextEdit>(c::kDescription), nullptr);
  for (std::string_view name : {c::kMainType, c::kSubType, c::kLocation, c::kGender}) {
    EXPECT_NE(window->ControlAs<QComboBox>(name), nullptr) << name;
  }
  for (std::string_view name : {c::kJobs, c::kFlags, c::kTrade}) {
    EXPECT_NE(window->ControlAs<QListWidget>(name), nullptr) << name;
  }
}

// What a user sees of each control's kind: borders, alignment, captions, check states,
// lists that cannot be typed into, no default button, nothing hidden or disabled.
TEST_F(WindowTest, EveryControlHasTheLookOfItsKind) {
  using K = ControlKind;
  for (const ControlDescription& d : WindowLayout()) {
    QWidget* control = window->Control(d.name);
    ASSERT_NE(control, nullptr) << d.name;
    EXPECT_TRUE(control->isVisible()) << d.name;
    EXPECT_TRUE(control->isEnabled()) << d.name;
    const QString text = QString::fromStdString(d.text);
    const bool takesFocus =
        d.kind != K::kLabel && d.kind != K::kTransparentLabel && d.kind != K::kGroupBox;
    EXPECT_EQ(bool(control->focusPolicy() & Qt::TabFocus), takesFocus) << d.name;
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
      EXPECT_TRUE(d.kind == K::kEdit || d.kind == K::kBorderlessEdit) << d.name;
      EXPECT_EQ(box->hasFrame(), d.kind == K::kEdit) << d.name;
      EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask,
                d.centred ? Qt::AlignHCenter : Qt::AlignLeft)
          << d.name;
      EXPECT_EQ(box->text(), text) << d.name;
      EXPECT_FALSE(box->isReadOnly()) << d.name;
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(control)) {
      EXPECT_EQ(d.kind, K::kMultiLineEdit) << d.name;
      EXPECT_EQ(multi->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << d.name;
      EXPECT_EQ(multi->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << d.name;
      EXPECT_TRUE(multi->tabChangesFocus()) << d.name;
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      EXPECT_EQ(d.kind, K::kDropDown) << d.name;
      EXPECT_FALSE(list->isEditable()) << d.name;
      EXPECT_EQ(list->count(), static_cast<int>(d.items.size())) << d.name;
      EXPECT_EQ(list->currentIndex(), d.items.empty() ? -1 : 0) << d.name;
    } else if (auto* checkList = qobject_cast<QListWidget*>(control)) {
      EXPECT_EQ(d.kind, K::kCheckList) << d.name;
      EXPECT_EQ(checkList->currentRow(), -1) << d.name;  // no current item at start
      EXPECT_FALSE(checkList->isSortingEnabled()) << d.name;
      ASSERT_EQ(checkList->count(), static_cast<int>(d.items.size())) << d.name;
      for (int i = 0; i < checkList->count(); ++i) {
        EXPECT_TRUE(checkList->item(i)->flags() & Qt::ItemIsUserCheckable) << d.name << i;
      }
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
      EXPECT_EQ(d.kind, K::kCheckBox) << d.name;
      EXPECT_EQ(check->text(), text) << d.name;
      EXPECT_EQ(check->isChecked(), d.checked) << d.name;
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_EQ(d.kind, K::kButton) << d.name;
      EXPECT_EQ(button->text(), text) << d.name;
      EXPECT_FALSE(button->isDefault() || button->autoDefault()) << d.name;  // Enter clicks none
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      EXPECT_TRUE(d.kind == K::kLabel || d.kind == K::kTransparentLabel) << d.name;
      EXPECT_EQ(label->text(), text) << d.name;
      // A plain label is painted white; a transparent one lets the page show through.
      EXPECT_EQ(label->autoFillBackground(), d.kind == K::kLabel) << d.name;
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
      EXPECT_EQ(d.kind, K::kGroupBox) << d.name;
      EXPECT_EQ(group->title(), text) << d.name;
    } else {
      ADD_FAILURE() << d.name << " is of no known kind";
    }
  }
}

// Tab visits every control that takes the focus once, and no label, group box or tab
// header; Shift+Tab walks the same round backwards.
TEST_F(WindowTest, TabAndShiftTabCycleThroughTheFocusTakingControls) {
  std::set<std::string> takesFocus;
  for (const ControlDescription& d : WindowLayout()) {
    if (d.kind != ControlKind::kLabel && d.kind != ControlKind::kTransparentLabel &&
        d.kind != ControlKind::kGroupBox) {
      takesFocus.insert(d.name);
    }
  }
  const auto press = [](Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    EXPECT_NE(focus, nullptr);
    if (focus) QTest::keyClick(focus, key);
    focus = QApplication::focusWidget();
    return focus ? focus->objectName().toStdString() : std::string();
  };
  window->Control(c::kItemId)->setFocus(Qt::TabFocusReason);
  std::vector<std::string> forwards;
  for (size_t i = 0; i < takesFocus.size(); ++i) forwards.push_back(press(Qt::Key_Tab));
  EXPECT_EQ(std::set<std::string>(forwards.begin(), forwards.end()), takesFocus);
  EXPECT_EQ(forwards.back(), std::string(c::kItemId));  // round and back to the start

  std::vector<std::string> backwards;
  for (size_t i = 0; i < takesFocus.size(); ++i) backwards.push_back(press(Qt::Key_Backtab));
  std::vector<std::string> expected(forwards.rbegin() + 1, forwards.rend());
  expected.push_back(forwards.back());
  EXPECT_EQ(backwards, expected);
}

// The window and the in-memory form are two renderings of one layout: every control
// must read the same through control access.
TEST_F(WindowTest, ReadsLikeTheInMemoryForm) {
  MemoryForm memory;
  for (std::string_view name :
       {c::kServerFilePath, c::kClientFilePath, c::kIdStep,        c::kItemId,
        c::kModelName,      c::kView,           c::kWeight,        c::kEquipLevelMin,
        c::kEquipLevelMax,  c::kAttackRange,    c::kSlots,         c::kUseDelay,
        c::kItemName,       c::kWeaponLevel,    c::kArmorLevel,    c::kBuyPrice,
        c::kSellPrice,      c::kSampleLine,     c::kSamplePattern, c::kScript,
        c::kDescription}) {
    EXPECT_EQ(access->GetText(name), memory.GetText(name)) << name;
  }
  for (std::string_view name : {c::kAlwaysOnTop, c::kAutoIncrement, c::kRefineable}) {
    EXPECT_EQ(access->GetChecked(name), memory.GetChecked(name)) << name;
  }
  for (std::string_view name : {c::kMainType, c::kSubType, c::kLocation, c::kGender}) {
    ASSERT_EQ(access->ListCount(name), memory.ListCount(name)) << name;
    for (int i = 0; i < memory.ListCount(name); ++i) {
      EXPECT_EQ(access->ListItemText(name, i), memory.ListItemText(name, i)) << name << i;
    }
    EXPECT_EQ(access->ListGetSelection(name), memory.ListGetSelection(name)) << name;
  }
  for (std::string_view name : {c::kJobs, c::kFlags, c::kTrade}) {
    ASSERT_EQ(access->CheckListCount(name), memory.CheckListCount(name)) << name;
    for (int i = 0; i < memory.CheckListCount(name); ++i) {
      EXPECT_FALSE(access->CheckListIsChecked(name, i)) << name << i;
    }
  }
  EXPECT_EQ(access->ListItemText(c::kMainType, 3), Utf8ToCodePage("Shadowgear|影子装备"));
}

TEST_F(WindowTest, WithStartUpListsReadsAsTheDefaultFormValues) {
  access->ListReplaceItems(c::kMainType, MainTypeCatalog());
  access->ListReplaceItems(c::kSubType, SubtypeCatalogFor(0));
  access->ListReplaceItems(c::kLocation, LocationCatalogFor(0));
  const FormValues read = ReadFormValues(*access);
  const FormValues expected = DefaultFormValues();
  EXPECT_EQ(read.itemId, expected.itemId);
  EXPECT_EQ(read.modelName, std::string("\xBB\xE7\xB0\xFA"));
  EXPECT_EQ(read.modelName, expected.modelName);
  EXPECT_EQ(read.mainType.index, expected.mainType.index);
  EXPECT_EQ(read.mainType.text, expected.mainType.text);
  EXPECT_EQ(read.subType.index, expected.subType.index);
  EXPECT_EQ(read.location.text, expected.location.text);
  EXPECT_EQ(read.gender, 0);
  EXPECT_EQ(read.gender, expected.gender);
  EXPECT_TRUE(read.refineable);
  EXPECT_FALSE(read.autoIncrement);
  EXPECT_FALSE(read.alwaysOnTop);
  EXPECT_EQ(read.jobs, expected.jobs);
  EXPECT_EQ(read.flags, expected.flags);
  EXPECT_EQ(read.trade, expected.trade);
  EXPECT_EQ(read.script, expected.script);
  EXPECT_EQ(read.description, expected.description);
  EXPECT_EQ(read.idStep, expected.idStep);
  EXPECT_EQ(read.sampleLine, expected.sampleLine);
  EXPECT_EQ(read.samplePattern, expected.samplePattern);
}

// The entry builders address check-list items by position: the labels shown must be
// the catalogs' labels, in the catalogs' order.
TEST_F(WindowTest, CheckListsShowTheCatalogLabelsInOrder) {
  const auto labels = [&](std::string_view name) {
    std::vector<std::string> shown;
    auto* list = Find<QListWidget>(name);
    for (int i = 0; i < list->count(); ++i) shown.push_back(list->item(i)->text().toStdString());
    return shown;
  };
  const auto catalog = [](const auto& entries) {
    std::vector<std::string> utf8;
    for (const auto& entry : entries) utf8.push_back(CodePageToUtf8(entry.listLabel));
    return utf8;
  };
  EXPECT_EQ(labels(c::kJobs), catalog(JobCatalog()));
  EXPECT_EQ(labels(c::kFlags), catalog(FlagCatalog()));
  EXPECT_EQ(labels(c::kTrade), catalog(TradeCatalog()));
  auto* gender = Find<QComboBox>(c::kGender);
  ASSERT_EQ(gender->count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(gender->itemText(i).toStdString(), CodePageToUtf8(GenderCatalog()[i]));
  }
}

TEST_F(WindowTest, DisabledPageIsGreyAndRefused) {
  TabControl* tabs = window->tabControl();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabBar()->tabText(0), "单项生成");
  EXPECT_EQ(tabs->tabBar()->tabText(1), "批量生成");
  EXPECT_FALSE(tabs->tabBar()->isTabEnabled(1));
  EXPECT_EQ(tabs->tabBar()->tabTextColor(1), QColor(128, 128, 128));
  EXPECT_EQ(tabs->focusPolicy(), Qt::NoFocus);

  access->SetCurrentPage(c::kTabs, 1);
  EXPECT_EQ(tabs->currentIndex(), 0);
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
  EXPECT_EQ(tabs->currentIndex(), 0);
  access->SetCurrentPage(c::kTabs, 7);
  access->SetCurrentPage(c::kTabs, -1);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(tabs->page(0)->isVisible());
}

TEST_F(WindowTest, OnlyTheUserRaisesEvents) {
  auto* mainType = Find<QComboBox>(c::kMainType);
  QSignalSpy chosen(mainType, &QComboBox::activated);
  access->ListSetSelection(c::kMainType, 2);
  access->ListReplaceItems(c::kMainType, MainTypeCatalog());
  access->ListClear(c::kMainType);
  access->ListAddItem(c::kMainType, "x");
  EXPECT_EQ(chosen.count(), 0);

  // The user's choice does raise it, after the selection has changed.
  access->ListReplaceItems(c::kMainType, MainTypeCatalog());
  int selectionSeen = -2;
  QObject::connect(mainType, &QComboBox::activated,
                   [&] { selectionSeen = access->ListGetSelection(c::kMainType); });
  mainType->setFocus(Qt::TabFocusReason);
  QTest::keyClick(mainType, Qt::Key_Down);
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_EQ(selectionSeen, 1);
}

TEST_F(WindowTest, EscapeClosesFromAMultiLineBox) {
  QSignalSpy closing(window.get(), &MainWindow::closing);
  auto* script = Find<QPlainTextEdit>(c::kScript);
  script->setFocus(Qt::TabFocusReason);
  QTest::keyClick(script, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(closing.count(), 1);
  EXPECT_FALSE(access->IsOpen());
}

TEST_F(WindowTest, EscapeClosesWithADropDownListOpen) {
  auto* gender = Find<QComboBox>(c::kGender);
  gender->setFocus(Qt::TabFocusReason);
  gender->showPopup();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  // As a real key arrives: at the pop-up's native window, not at the drop-down list.
  QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(popup->isVisible());
  EXPECT_FALSE(access->IsOpen());
}

TEST_F(WindowTest, EscapeInAnotherWindowLeavesThisOneOpen) {
  QWidget other;
  auto* box = new QLineEdit(&other);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(access->IsOpen());
}

}  // namespace
}  // namespace itemsmith
