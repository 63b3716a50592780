#pragma once

// The one way core reaches the form. The window implements it over its widgets (each
// operation carried out on the GUI thread, callable from any thread); tests use the
// in-memory form. Controls are named by their layout names (model/control_names.h);
// texts are byte strings in the tool's code page; positions count from 0.
//
// An operation on a control that does not exist, or of another kind, does nothing and
// answers empty (empty text, 0, -1 for a selection, false).

#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

class ControlAccess {
 public:
  virtual ~ControlAccess() = default;

  // Edit boxes, single- and multi-line. Multi-line text uses CR LF line breaks.
  // Setting applies no input rule.
  virtual std::string GetText(std::string_view control) = 0;
  virtual void SetText(std::string_view control, std::string_view text) = 0;

  // Check boxes.
  virtual bool GetChecked(std::string_view control) = 0;

  // Drop-down lists.
  virtual void ListClear(std::string_view control) = 0;
  virtual int ListAddItem(std::string_view control, std::string_view text) = 0;  // new position
  virtual int ListCount(std::string_view control) = 0;
  virtual std::string ListItemText(std::string_view control, int position) = 0;
  virtual int ListGetSelection(std::string_view control) = 0;  // -1 when none
  // Clamps above the last item to the last item and below -1 to -1; -1 clears.
  virtual void ListSetSelection(std::string_view control, int position) = 0;
  // Clear, add `items` in order and select the first when there is one, all as one
  // operation: nothing the user does can fall between the clear and the refill.
  virtual void ListReplaceItems(std::string_view control,
                                const std::vector<std::string>& items) = 0;

  // Check lists.
  virtual int CheckListCount(std::string_view control) = 0;
  virtual bool CheckListIsChecked(std::string_view control, int position) = 0;
  // A position outside the list changes nothing.
  virtual void CheckListSetChecked(std::string_view control, int position, bool checked) = 0;

  // The window.
  virtual void SetAlwaysOnTop(bool onTop) = 0;
  // Makes the page current; a disabled page is refused.
  virtual void SetCurrentPage(std::string_view tabControl, int position) = 0;

  // False once the window has begun to close: from then on every operation returns at
  // once with an empty answer, so a worker that must not act on empty answers (a save)
  // checks this after reading and before acting.
  virtual bool IsOpen() = 0;

  // A short non-modal notice to the user (e.g. a file that could not be written), also
  // printed to standard error. Never waits for the GUI thread.
  virtual void PostNotice(std::string_view text) = 0;
};

}  // namespace itemsmith
