#pragma once

// Applies an input rule to one edit box: typed printable characters outside the rule
// are dropped (editing keys, shortcuts and pasting pass), and the text is normalised
// when the user leaves the box. Code that sets the text is never affected.

#include <QObject>

#include "ui/window_layout.h"

class QLineEdit;

namespace itemsmith {

class InputRuleFilter : public QObject {
  Q_OBJECT

 public:
  // Installs itself on `box` and lives as its child.
  InputRuleFilter(QLineEdit* box, InputRule rule);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box_;
  InputRule rule_;
};

}  // namespace itemsmith
