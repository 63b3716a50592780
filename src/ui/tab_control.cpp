#include "ui/tab_control.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace itemsmith {

TabControl::TabControl(QWidget* parent) : QWidget(parent), tabBar_(new QTabBar(this)) {
  setFocusPolicy(Qt::NoFocus);
  tabBar_->setFocusPolicy(Qt::NoFocus);
  tabBar_->setDrawBase(false);
  tabBar_->setExpanding(false);
  // Headers in SimSun 12 px where it is installed, else a CJK font that is.
  QFont headerFont;
  headerFont.setFamilies({"SimSun", "NSimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC"});
  headerFont.setPixelSize(12);
  headerFont.setWeight(QFont::Normal);
  tabBar_->setFont(headerFont);
  connect(tabBar_, &QTabBar::currentChanged, this, &TabControl::ShowCurrentPage);
}

QWidget* TabControl::AddPage(const QString& caption, bool enabled) {
  auto* page = new QWidget(this);
  page->setGeometry(rect());
  pages_.append(page);
  const int index = tabBar_->addTab(caption);
  tabBar_->setTabEnabled(index, enabled);
  if (!enabled) tabBar_->setTabTextColor(index, QColor(128, 128, 128));
  PlaceTabBar();
  ShowCurrentPage();
  return page;
}

int TabControl::count() const { return static_cast<int>(pages_.size()); }

int TabControl::currentIndex() const { return tabBar_->currentIndex(); }

QWidget* TabControl::page(int index) const {
  return index >= 0 && index < count() ? pages_[index] : nullptr;
}

bool TabControl::SetCurrentPage(int index) {
  // QTabBar refuses a disabled tab only for clicks and keys, not from code.
  if (index < 0 || index >= count() || !tabBar_->isTabEnabled(index)) return false;
  tabBar_->setCurrentIndex(index);
  return true;
}

void TabControl::ShowCurrentPage() {
  const int current = tabBar_->currentIndex();
  for (int i = 0; i < count(); ++i) pages_[i]->setVisible(i == current);
  tabBar_->raise();
}

void TabControl::PlaceTabBar() {
  const QSize hint = tabBar_->sizeHint();
  tabBar_->setGeometry(0, 0, qMin(hint.width(), width()), hint.height());
}

void TabControl::paintEvent(QPaintEvent*) {
  // The pane's frame, below the headers; the pages themselves are transparent.
  QPainter painter(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  option.rect = rect().adjusted(0, tabBar_->height() - 1, 0, 0);
  option.tabBarSize = tabBar_->size();
  option.shape = QTabBar::RoundedNorth;
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent*) {
  for (QWidget* page : pages_) page->setGeometry(rect());
  PlaceTabBar();
}

}  // namespace itemsmith
