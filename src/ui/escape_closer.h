#pragma once

// Closes a window when Escape is pressed anywhere in it, including inside one of its
// pop-ups (an open drop-down list). Watches the whole application, because a pop-up
// takes the key before its drop-down list or the window sees it.

#include <QObject>

class QWidget;

namespace itemsmith {

class EscapeCloser : public QObject {
  Q_OBJECT

 public:
  // Lives as a child of `window` and stops watching when the window goes.
  explicit EscapeCloser(QWidget* window);
  ~EscapeCloser() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace itemsmith
