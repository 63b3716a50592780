// The numeric boxes' input rules: what typing lets through, and what leaving the box
// makes of the text. Code that writes a box and the Enter key must change nothing.

#include "ui/input_rules.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "model/control_names.h"
#include "platform/code_page.h"
#include "window_fixture.h"

namespace itemsmith {
namespace {

namespace c = controls;

TEST(NormalizedText, ReadsClampsAndDropsZero) {
  struct Case {
    InputRule rule;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {InputRule::kInteger, "007", "7"},
      {InputRule::kInteger, "0", ""},
      {InputRule::kInteger, "-0", ""},
      {InputRule::kInteger, "", ""},
      {InputRule::kInteger, "abc", ""},
      {InputRule::kInteger, "  -12x5", "-12"},
      {InputRule::kInteger, "+42", "42"},
      {InputRule::kInteger, "5-3", "5"},
      {InputRule::kInteger, "--5", ""},
      {InputRule::kInteger, "2147483647", "2147483647"},
      {InputRule::kInteger, "2147483648", "2147483647"},
      {InputRule::kInteger, "99999999999", "2147483647"},
      {InputRule::kInteger, "-99999999999", "-2147483648"},
      {InputRule::kInteger, "123456789012345678901234567890", "2147483647"},
      {InputRule::kByte, "300", "255"},
      {InputRule::kByte, "255", "255"},
      {InputRule::kByte, "-7", ""},
      {InputRule::kByte, "099", "99"},
      {InputRule::kText, " 007 ", " 007 "},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(NormalizedText(k.rule, k.text), k.expected) << '"' << k.text << '"';
  }
}

// Clears the box from code, types the keys, then moves the focus elsewhere.
struct Typed {
  std::string afterTyping;
  std::string afterLeaving;
};

class TypingTest : public WindowTest {
 protected:
  Typed TypeAndLeave(std::string_view box, const QString& keys) {
    auto* edit = Find<QLineEdit>(box);
    edit->clear();
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, keys);
    Typed result{edit->text().toStdString(), {}};
    Find<QLineEdit>(c::kSampleLine)->setFocus(Qt::TabFocusReason);
    result.afterLeaving = edit->text().toStdString();
    return result;
  }
};

TEST_F(TypingTest, FiltersTypedCharactersAndNormalizesOnLeaving) {
  struct Case {
    std::string_view box;
    const char* keys;
    const char* afterTyping;
    const char* afterLeaving;
  };
  const Case cases[] = {
      {c::kItemId, "12a3", "123", "123"},
      {c::kItemId, "-5", "-5", "-5"},
      {c::kWeight, "007", "007", "7"},
      {c::kWeight, "0", "0", ""},
      {c::kWeight, "99999999999", "99999999999", "2147483647"},
      {c::kWeight, "-99999999999", "-99999999999", "-2147483648"},
      {c::kWeight, "1.5e3", "153", "153"},
      {c::kEquipLevelMin, "300", "300", "255"},
      {c::kEquipLevelMin, "-5", "5", "5"},  // no minus in a byte box
      {c::kIdStep, "x2", "2", "2"},         // the borderless step box is an integer box
      {c::kView, "abc", "abc", "abc"},      // a text box keeps letters
      {c::kItemName, "007", "007", "007"},
  };
  for (const Case& k : cases) {
    const Typed typed = TypeAndLeave(k.box, QString::fromUtf8(k.keys));
    EXPECT_EQ(typed.afterTyping, k.afterTyping) << k.box << " <- " << k.keys;
    EXPECT_EQ(typed.afterLeaving, k.afterLeaving) << k.box << " <- " << k.keys;
  }
}

TEST_F(TypingTest, EditingKeysAndPastingPassTheFilter) {
  auto* weight = Find<QLineEdit>(c::kWeight);
  weight->clear();
  weight->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(weight, "123");
  QTest::keyClick(weight, Qt::Key_Backspace);
  QTest::keyClick(weight, Qt::Key_Home);
  QTest::keyClick(weight, Qt::Key_Delete);
  EXPECT_EQ(weight->text(), "2");

  // Pasted letters get in; leaving the box reads them as no number at all.
  QApplication::clipboard()->setText("abc");
  weight->clear();
  QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(weight->text(), "abc");
  Find<QLineEdit>(c::kSampleLine)->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(weight->text(), "");
}

// A character typed with Alt, Meta, AltGr or on the keypad still goes into the box,
// so the rule must judge it; Ctrl shortcuts insert nothing and stay usable.
TEST_F(TypingTest, ModifiedKeysAreFilteredLikePlainOnes) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* expected;
  };
  const Case cases[] = {
      {Qt::Key_A, Qt::AltModifier, ""},
      {Qt::Key_A, Qt::MetaModifier, ""},
      {Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, ""},
      {Qt::Key_Period, Qt::KeypadModifier, ""},
      {Qt::Key_Period, Qt::ControlModifier | Qt::KeypadModifier, ""},
      {Qt::Key_5, Qt::AltModifier, "5"},
      {Qt::Key_5, Qt::KeypadModifier, "5"},
  };
  auto* weight = Find<QLineEdit>(c::kWeight);
  weight->setFocus(Qt::TabFocusReason);
  for (const Case& k : cases) {
    weight->clear();
    QTest::keyClick(weight, k.key, k.modifiers);
    EXPECT_EQ(weight->text().toStdString(), k.expected) << k.key << " " << k.modifiers;
  }

  QTest::keyClicks(weight, "12");
  QTest::keyClick(weight, Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClick(weight, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(weight, Qt::Key_Backspace);
  EXPECT_EQ(weight->text(), "");
  QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(weight, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(weight->text(), "512512");
}

TEST_F(TypingTest, TextWrittenByCodeStaysUntilTheUserLeavesTheBox) {
  access->SetText(c::kWeight, "0");
  access->SetText(c::kEquipLevelMin, "999");
  auto* weight = Find<QLineEdit>(c::kWeight);
  EXPECT_EQ(weight->text(), "0");
  EXPECT_EQ(Find<QLineEdit>(c::kEquipLevelMin)->text(), "999");

  weight->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(weight->text(), "0");
  Find<QLineEdit>(c::kSampleLine)->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(weight->text(), "");
  EXPECT_EQ(Find<QLineEdit>(c::kEquipLevelMin)->text(), "999");  // never entered
}

TEST_F(TypingTest, EnterNormalizesNothingAndClicksNoButton) {
  auto* weight = Find<QLineEdit>(c::kWeight);
  weight->clear();
  weight->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(weight, "007");
  QTest::keyClick(weight, Qt::Key_Return);
  QTest::keyClick(weight, Qt::Key_Enter);
  EXPECT_EQ(weight->text(), "007");
  EXPECT_EQ(QApplication::focusWidget(), weight);

  auto* insert = Find<QPushButton>(c::kInsertButton);
  QSignalSpy clicks(insert, &QPushButton::clicked);
  insert->setFocus(Qt::TabFocusReason);
  QTest::keyClick(insert, Qt::Key_Return);
  QTest::keyClick(insert, Qt::Key_Enter);
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(TypingTest, MultiLineBoxTakesEnterAndPassesTab) {
  auto* description = Find<QPlainTextEdit>(c::kDescription);
  description->clear();
  description->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(description, "a");
  QTest::keyClick(description, Qt::Key_Return);
  QTest::keyClicks(description, "b");
  EXPECT_EQ(access->GetText(c::kDescription), "a\r\nb");

  QTest::keyClick(description, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), description);
  EXPECT_EQ(description->toPlainText(), "a\nb");
  EXPECT_EQ(description->lineWrapMode(), QPlainTextEdit::NoWrap);
}

}  // namespace
}  // namespace itemsmith
