#include "ui/qt_control_access.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "platform/code_page.h"
#include "ui/code_page_text.h"
#include "ui/notice_bubble.h"
#include "ui/tab_control.h"

namespace itemsmith {
namespace {

template <typename Result>
struct HandedOver {
  Result result{};
  bool done = false;
};

}  // namespace

QtControlAccess::QtControlAccess(MainWindow& window)
    : window_(&window), guiThread_(QThread::currentThread()) {
  QObject::connect(&window, &MainWindow::closing, &receiver_, [this] { BeginClose(); });
  QObject::connect(&window, &QObject::destroyed, &receiver_, [this] { BeginClose(); });
}

QtControlAccess::~QtControlAccess() { BeginClose(); }

void QtControlAccess::BeginClose() {
  std::lock_guard lock(mutex_);
  open_ = false;
  finished_.notify_all();
}

bool QtControlAccess::IsOpen() {
  std::lock_guard lock(mutex_);
  return open_;
}

template <typename Result>
Result QtControlAccess::Run(Result empty, std::function<Result(MainWindow&)> operation) {
  if (QThread::currentThread() == guiThread_) {
    // The GUI thread itself: nothing to hand over, and closing is decided here too.
    if (!IsOpen() || !window_) return empty;
    return operation(*window_);
  }
  auto call = std::make_shared<HandedOver<Result>>();
  {
    std::lock_guard lock(mutex_);
    if (!open_) return empty;
  }
  QMetaObject::invokeMethod(
      &receiver_,
      [this, call, empty, operation = std::move(operation)] {
        {
          std::lock_guard lock(mutex_);
          if (!open_) return;  // the caller has been released already
        }
        // Closing begins on this thread too, so the window cannot close mid-operation.
        Result result = window_ ? operation(*window_) : empty;
        std::lock_guard lock(mutex_);
        call->result = std::move(result);
        call->done = true;
        finished_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&] { return call->done || !open_; });
  return call->done ? std::move(call->result) : empty;
}

std::string QtControlAccess::GetText(std::string_view control) {
  return Run<std::string>({}, [name = std::string(control)](MainWindow& w) {
    if (auto* box = w.ControlAs<QLineEdit>(name)) return ToCodePage(box->text());
    if (auto* box = w.ControlAs<QPlainTextEdit>(name)) return ToCodePageLines(box->toPlainText());
    return std::string();
  });
}

void QtControlAccess::SetText(std::string_view control, std::string_view text) {
  Run<bool>(false, [name = std::string(control), text = std::string(text)](MainWindow& w) {
    if (auto* box = w.ControlAs<QLineEdit>(name)) {
      box->setText(FromCodePage(text));
      box->setCursorPosition(0);  // show the start of a long text, as typed boxes do
    } else if (auto* box = w.ControlAs<QPlainTextEdit>(name)) {
      box->setPlainText(FromCodePageLines(text));
    }
    return true;
  });
}

bool QtControlAccess::GetChecked(std::string_view control) {
  return Run<bool>(false, [name = std::string(control)](MainWindow& w) {
    auto* box = w.ControlAs<QCheckBox>(name);
    return box && box->checkState() == Qt::Checked;  // the indeterminate state is not checked
  });
}

void QtControlAccess::ListClear(std::string_view control) {
  Run<bool>(false, [name = std::string(control)](MainWindow& w) {
    if (auto* list = w.ControlAs<QComboBox>(name)) list->clear();
    return true;
  });
}

int QtControlAccess::ListAddItem(std::string_view control, std::string_view text) {
  return Run<int>(-1, [name = std::string(control), text = std::string(text)](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    if (!list) return -1;
    // Qt selects the first item added to an empty list; adding selects nothing here.
    const int selection = list->currentIndex();
    list->addItem(FromCodePage(text));
    if (list->currentIndex() != selection) list->setCurrentIndex(selection);
    return list->count() - 1;
  });
}

int QtControlAccess::ListCount(std::string_view control) {
  return Run<int>(0, [name = std::string(control)](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    return list ? list->count() : 0;
  });
}

std::string QtControlAccess::ListItemText(std::string_view control, int position) {
  return Run<std::string>({}, [name = std::string(control), position](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    if (!list || position < 0 || position >= list->count()) return std::string();
    return ToCodePage(list->itemText(position));
  });
}

int QtControlAccess::ListGetSelection(std::string_view control) {
  return Run<int>(-1, [name = std::string(control)](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    return list ? list->currentIndex() : -1;
  });
}

void QtControlAccess::ListSetSelection(std::string_view control, int position) {
  Run<bool>(false, [name = std::string(control), position](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    if (!list) return true;
    list->setCurrentIndex(qBound(-1, position, list->count() - 1));
    return true;
  });
}

void QtControlAccess::ListReplaceItems(std::string_view control,
                                       const std::vector<std::string>& items) {
  Run<bool>(false, [name = std::string(control), items](MainWindow& w) {
    auto* list = w.ControlAs<QComboBox>(name);
    if (!list) return true;
    list->clear();
    for (const std::string& item : items) list->addItem(FromCodePage(item));
    list->setCurrentIndex(items.empty() ? -1 : 0);
    return true;
  });
}

int QtControlAccess::CheckListCount(std::string_view control) {
  return Run<int>(0, [name = std::string(control)](MainWindow& w) {
    auto* list = w.ControlAs<QListWidget>(name);
    return list ? list->count() : 0;
  });
}

bool QtControlAccess::CheckListIsChecked(std::string_view control, int position) {
  return Run<bool>(false, [name = std::string(control), position](MainWindow& w) {
    auto* list = w.ControlAs<QListWidget>(name);
    QListWidgetItem* item = list ? list->item(position) : nullptr;
    return item && item->checkState() == Qt::Checked;
  });
}

void QtControlAccess::CheckListSetChecked(std::string_view control, int position, bool checked) {
  Run<bool>(false, [name = std::string(control), position, checked](MainWindow& w) {
    auto* list = w.ControlAs<QListWidget>(name);
    if (QListWidgetItem* item = list ? list->item(position) : nullptr) {
      item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    return true;
  });
}

void QtControlAccess::SetAlwaysOnTop(bool onTop) {
  Run<bool>(false, [onTop](MainWindow& w) {
    // Changing the widget's flags would hide a shown window; the native window takes
    // the hint in place, and the widget's flags are kept in step for whoever reads them.
    Qt::WindowFlags flags = w.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (QWindow* native = w.windowHandle()) {
      w.overrideWindowFlags(flags);
      native->setFlag(Qt::WindowStaysOnTopHint, onTop);
    } else {
      w.setWindowFlags(flags);  // not shown yet: nothing to hide
    }
    return true;
  });
}

void QtControlAccess::SetCurrentPage(std::string_view tabControl, int position) {
  Run<bool>(false, [name = std::string(tabControl), position](MainWindow& w) {
    if (auto* tabs = w.ControlAs<TabControl>(name)) tabs->SetCurrentPage(position);
    return true;
  });
}

void QtControlAccess::PostNotice(std::string_view text) {
  const std::string utf8 = CodePageToUtf8(text);
  std::fprintf(stderr, "itemsmith: %s\n", utf8.c_str());
  if (!IsOpen()) return;
  // Queued, never waited for: a writer draining at close must not depend on the loop.
  QMetaObject::invokeMethod(
      &receiver_,
      [this, line = QString::fromStdString(utf8)] {
        // A minimised window has nothing to point at; standard error still has the line.
        if (!IsOpen() || !window_ || !window_->isVisible() || window_->isMinimized()) return;
        window_->noticeBubble()->AddNotice(line);
      },
      Qt::QueuedConnection);
}

}  // namespace itemsmith
