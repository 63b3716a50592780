#pragma once

// A tab control whose pages cover its whole area, headers included, so that a page's
// controls are placed from the tab control's own top-left corner. A disabled page
// shows a grey header and can be made current neither by the user nor by code.

#include <QWidget>

class QTabBar;

namespace itemsmith {

class TabControl : public QWidget {
  Q_OBJECT

 public:
  explicit TabControl(QWidget* parent = nullptr);

  // Adds a page with this header caption; returns the page, the parent of its controls.
  QWidget* AddPage(const QString& caption, bool enabled);

  int count() const;
  int currentIndex() const;
  QWidget* page(int index) const;
  QTabBar* tabBar() const { return tabBar_; }

  // Makes the page current; false (and nothing changes) for a disabled page or a
  // position outside the control.
  bool SetCurrentPage(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowCurrentPage();
  void PlaceTabBar();

  QTabBar* tabBar_;
  QList<QWidget*> pages_;
};

}  // namespace itemsmith
