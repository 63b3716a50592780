#pragma once

// The tool's one window, built from the layout table: every control carries its layout
// name as object name. The window raises no events of its own besides `closing`; the
// actions are wired to the controls' user signals elsewhere.

#include <QWidget>
#include <map>
#include <string>
#include <string_view>

namespace itemsmith {

class NoticeBubble;
class TabControl;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // The control with this layout name; nullptr when there is none.
  QWidget* Control(std::string_view name) const;
  template <typename Widget>
  Widget* ControlAs(std::string_view name) const {
    return qobject_cast<Widget*>(Control(name));
  }

  TabControl* tabControl() const { return tabs_; }
  NoticeBubble* noticeBubble() const { return notices_; }

  // Puts the outer frame in the middle of the primary screen.
  void CentreOnPrimaryScreen();

 Q_SIGNALS:
  // The window has begun to close (close box, Escape, or code); emitted once.
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();

  TabControl* tabs_ = nullptr;
  NoticeBubble* notices_ = nullptr;
  std::map<std::string, QWidget*, std::less<>> controls_;
  bool closing_ = false;
};

}  // namespace itemsmith
