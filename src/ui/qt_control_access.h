#pragma once

// Control access over the main window's widgets, callable from any thread. On the GUI
// thread an operation runs at once; from another thread it is handed to the GUI thread
// and the caller waits for that one operation only. Texts cross here between the
// tool's code page and Qt's Unicode.
//
// Once the window has begun to close, every operation answers empty at once, and a
// caller already waiting is released with an empty answer: no worker can hang on a
// GUI thread that has stopped serving it, and none reaches a destroyed widget.

#include <QObject>
#include <QPointer>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "model/control_access.h"
#include "ui/main_window.h"

class QThread;

namespace itemsmith {

class QtControlAccess : public ControlAccess {
 public:
  // Create on the GUI thread. Closing begins with the window's `closing` signal or
  // with `BeginClose`.
  explicit QtControlAccess(MainWindow& window);
  ~QtControlAccess() override;

  std::string GetText(std::string_view control) override;
  void SetText(std::string_view control, std::string_view text) override;
  bool GetChecked(std::string_view control) override;
  void ListClear(std::string_view control) override;
  int ListAddItem(std::string_view control, std::string_view text) override;
  int ListCount(std::string_view control) override;
  std::string ListItemText(std::string_view control, int position) override;
  int ListGetSelection(std::string_view control) override;
  void ListSetSelection(std::string_view control, int position) override;
  void ListReplaceItems(std::string_view control, const std::vector<std::string>& items) override;
  int CheckListCount(std::string_view control) override;
  bool CheckListIsChecked(std::string_view control, int position) override;
  void CheckListSetChecked(std::string_view control, int position, bool checked) override;
  void SetAlwaysOnTop(bool onTop) override;
  void SetCurrentPage(std::string_view tabControl, int position) override;
  bool IsOpen() override;
  void PostNotice(std::string_view text) override;

  // From now on every operation answers empty; waiting callers are released. Any thread.
  void BeginClose();

 private:
  // Runs `operation` on the GUI thread and returns its answer, or `empty` when the
  // window is closing or gone.
  template <typename Result>
  Result Run(Result empty, std::function<Result(MainWindow&)> operation);

  QPointer<MainWindow> window_;
  QThread* guiThread_;
  QObject receiver_;  // GUI-thread target of handed-over operations; drops them when gone
  std::mutex mutex_;
  std::condition_variable finished_;
  bool open_ = true;
};

}  // namespace itemsmith
