#pragma once

// An in-memory form behind the control-access interface, holding the laid-out
// defaults: for tests and tools that run core without a window.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "model/control_access.h"

namespace itemsmith {

class MemoryForm : public ControlAccess {
 public:
  // The window as laid out, before start-up: the design-time main-type list (with
  // "Shadowgear|影子装备" and the first item selected), empty subtype and location
  // lists, empty path boxes.
  MemoryForm();

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

  // For tests: what only the user can do in the window, and what the window shows.
  void SetChecked(std::string_view control, bool checked);
  bool alwaysOnTop() const;
  int currentPage() const;
  std::vector<std::string> notices() const;
  void Close();  // as when the window begins to close

 private:
  struct List {
    std::vector<std::string> items;
    int selection = -1;
  };
  struct CheckList {
    std::vector<std::string> items;
    std::vector<bool> checked;
  };

  mutable std::mutex mutex_;  // workers and the test thread may call at once
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, bool, std::less<>> checks_;
  std::map<std::string, List, std::less<>> lists_;
  std::map<std::string, CheckList, std::less<>> checkLists_;
  bool alwaysOnTop_ = false;
  int currentPage_ = 0;
  bool open_ = true;
  std::vector<std::string> notices_;
};

}  // namespace itemsmith
