#include "ui/notice_bubble.h"

#include <QMouseEvent>

namespace itemsmith {
namespace {

constexpr int kKeptLines = 5;
constexpr int kShownMilliseconds = 10000;

}  // namespace

NoticeBubble::NoticeBubble(QWidget* anchor)
    : QLabel(anchor->window(), Qt::ToolTip | Qt::FramelessWindowHint), anchor_(anchor) {
  setObjectName("notice");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setTextFormat(Qt::PlainText);
  setFrameShape(QFrame::Box);
  setMargin(4);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(255, 255, 225));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  hideTimer_.setSingleShot(true);
  connect(&hideTimer_, &QTimer::timeout, this, &NoticeBubble::Dismiss);
}

void NoticeBubble::AddNotice(const QString& line) {
  lines_.append(line);
  while (lines_.size() > kKeptLines) lines_.removeFirst();
  setText(lines_.join('\n'));
  adjustSize();
  move(anchor_->mapToGlobal(QPoint(0, anchor_->height() + 2)));
  show();
  raise();
  hideTimer_.start(kShownMilliseconds);
}

void NoticeBubble::Dismiss() {
  // Once read or timed out, old lines do not come back with the next notice.
  lines_.clear();
  hide();
}

void NoticeBubble::mousePressEvent(QMouseEvent* event) {
  Dismiss();
  event->accept();
}

}  // namespace itemsmith
