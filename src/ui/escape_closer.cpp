#include "ui/escape_closer.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace itemsmith {

EscapeCloser::EscapeCloser(QWidget* window) : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

EscapeCloser::~EscapeCloser() { qApp->removeEventFilter(this); }

bool EscapeCloser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
  // Where the key went, not which pop-up is active: by the time the key arrives the
  // pop-up may already count as closed. A pop-up's parent chain leads back to the
  // control that opened it, and from there to the window.
  // The native window sees the key first and hands it to a widget; act on the widget.
  auto* receiver = qobject_cast<QWidget*>(watched);
  if (!receiver) return false;
  bool inWindow = false;
  for (QWidget* w = receiver; w; w = w->parentWidget()) {
    if (auto* list = qobject_cast<QComboBox*>(w)) list->hidePopup();
    if (w == window_) inWindow = true;
  }
  if (!inWindow) return false;
  window_->close();
  return true;
}

}  // namespace itemsmith
