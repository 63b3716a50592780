#pragma once

// The main window's controls as one table: what each control is, where it sits and
// what it shows at start. The window is built from this table alone.

#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

inline constexpr int kWindowOuterWidth = 1116;  // frame and caption included
inline constexpr int kWindowOuterHeight = 741;
inline constexpr int kTabControlWidth = 1112;  // fills the client area
inline constexpr int kTabControlHeight = 712;

enum class ControlKind {
  kEdit,            // one line, 1-pixel border
  kBorderlessEdit,  // one line, no border
  kMultiLineEdit,   // both scroll bars, no wrapping, Enter starts a line
  kDropDown,        // choose only, never typed into
  kCheckBox,
  kCheckList,         // one check box per item
  kLabel,             // white background
  kTransparentLabel,  // the page shows through
  kGroupBox,
  kButton,
};

// What an edit box lets the user type and how it tidies the text on losing the focus.
enum class InputRule {
  kText,     // anything
  kInteger,  // digits and minus; signed 32-bit on focus loss
  kByte,     // digits only; 0 to 255 on focus loss
};

struct ControlDescription {
  ControlKind kind = ControlKind::kLabel;
  std::string name;    // object name, as in model/control_names.h
  std::string parent;  // a group box's name; empty for the first page of the tab control
  int left = 0;        // from the parent's top-left corner
  int top = 0;
  int width = 0;
  int height = 0;
  std::string text;  // caption or default text, UTF-8; multi-line text uses CR LF
  InputRule rule = InputRule::kText;
  bool centred = false;            // edit boxes: centred text, else left-aligned
  bool checked = false;            // check boxes
  std::vector<std::string> items;  // drop-down lists (first one selected) and check lists
};

// Every control of the window's first page, parents before their children.
const std::vector<ControlDescription>& WindowLayout();

// The table entry for a control; nullptr when there is none.
const ControlDescription* FindControlDescription(std::string_view name);

// The window's title and the tab pages' captions, UTF-8.
inline constexpr std::string_view kWindowTitle = "KX辅助工具_qv";
inline constexpr std::string_view kFirstPageCaption = "单项生成";
inline constexpr std::string_view kSecondPageCaption = "批量生成";

}  // namespace itemsmith
