#include "ui/input_rule_filter.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/input_rules.h"

namespace itemsmith {
namespace {

// Typing in the narrow sense: a key that puts printable characters into the box.
// Editing keys carry no text or a control character (Backspace), and pass. Ctrl and
// Ctrl+Shift combinations are shortcuts (Ctrl+V, Ctrl+A) that the box never inserts;
// with Alt, Meta or AltGr (Ctrl+Alt) the box does insert the key's character.
bool IsTyping(const QKeyEvent& key) {
  if (key.text().isEmpty()) return false;
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
    return false;
  }
  for (const QChar c : key.text()) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  return true;
}

}  // namespace

InputRuleFilter::InputRuleFilter(QLineEdit* box, InputRule rule)
    : QObject(box), box_(box), rule_(rule) {
  box->installEventFilter(this);
  // Composed input would bypass the key filter; the numeric boxes need none.
  if (rule != InputRule::kText) box->setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool InputRuleFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_ || rule_ == InputRule::kText) return false;
  if (event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!IsTyping(key)) return false;
    for (const char32_t c : key.text().toStdU32String()) {
      if (!MayType(rule_, c)) return true;  // dropped
    }
    return false;
  }
  if (event->type() == QEvent::FocusOut) {
    // A context menu or a drop-down taking the focus for a moment is not leaving the box.
    if (static_cast<const QFocusEvent&>(*event).reason() == Qt::PopupFocusReason) return false;
    const std::string text = box_->text().toStdString();
    const std::string normalized = NormalizedText(rule_, text);
    // Replacing only a changed text keeps the cursor and the undo history otherwise.
    if (normalized != text) box_->setText(QString::fromStdString(normalized));
  }
  return false;
}

}  // namespace itemsmith
