#pragma once

// A small non-modal bubble under a control that shows the latest notices for a few
// seconds, like a tooltip. It takes no focus and blocks nothing; a click hides it.

#include <QLabel>
#include <QStringList>
#include <QTimer>

namespace itemsmith {

class NoticeBubble : public QLabel {
  Q_OBJECT

 public:
  // The bubble appears just below `anchor`.
  explicit NoticeBubble(QWidget* anchor);

  // Adds a line (the newest at the bottom; a few are kept) and shows the bubble.
  void AddNotice(const QString& line);

  QStringList lines() const { return lines_; }

  void Dismiss();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QWidget* anchor_;
  QStringList lines_;
  QTimer hideTimer_;
};

}  // namespace itemsmith
