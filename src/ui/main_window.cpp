#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <limits>

#include "model/control_names.h"
#include "ui/escape_closer.h"
#include "ui/input_rule_filter.h"
#include "ui/notice_bubble.h"
#include "ui/tab_control.h"
#include "ui/window_layout.h"

namespace itemsmith {
namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt keeps LF line breaks; the layout's multi-line texts use CR LF.
QString MultiLine(std::string_view text) {
  QString qt = Utf8(text);
  qt.replace("\r\n", "\n");
  qt.replace('\r', '\n');
  return qt;
}

void PaintWhite(QWidget* widget) {
  widget->setAutoFillBackground(true);
  QPalette colours = widget->palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, Qt::black);
  widget->setPalette(colours);
}

QLineEdit* MakeEdit(const ControlDescription& d, QWidget* parent) {
  auto* box = new QLineEdit(Utf8(d.text), parent);
  box->setMaxLength(std::numeric_limits<int>::max());  // Qt's default cuts at 32767
  box->setFrame(d.kind != ControlKind::kBorderlessEdit);
  box->setAlignment((d.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
  box->setCursorPosition(0);
  if (d.rule != InputRule::kText) new InputRuleFilter(box, d.rule);
  return box;
}

QPlainTextEdit* MakeMultiLineEdit(const ControlDescription& d, QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setPlainText(MultiLine(d.text));
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setTabChangesFocus(true);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return box;
}

// The application's style, except that a drop-down list opens below its box.
class ListBelowStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returned) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

// One for the whole run, owned by the application so it outlives every window.
QStyle* DropDownStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new ListBelowStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(qApp);
  }
  return style;
}

QComboBox* MakeDropDown(const ControlDescription& d, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  for (const std::string& item : d.items) list->addItem(Utf8(item));
  list->setCurrentIndex(d.items.empty() ? -1 : 0);
  // The list opens below the box (not over it, as some styles do) and ends about 160
  // pixels below the box's top, scrolling when the items do not fit.
  list->setStyle(DropDownStyle());
  const int itemHeight = list->fontMetrics().height() + 1;
  list->setMaxVisibleItems(qMax(1, (160 - d.height) / itemHeight));
  return list;
}

QListWidget* MakeCheckList(const ControlDescription& d, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setFrameShape(QFrame::Box);
  list->setFrameShadow(QFrame::Plain);
  list->setLineWidth(1);
  list->setSortingEnabled(false);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (const std::string& label : d.items) {
    auto* item = new QListWidgetItem(Utf8(label), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  // Items two pixels taller than the list would make them.
  if (list->count() > 0) {
    const int height = list->sizeHintForRow(0) + 2;
    for (int i = 0; i < list->count(); ++i) list->item(i)->setSizeHint(QSize(0, height));
  }
  list->setCurrentRow(-1);
  return list;
}

QWidget* MakeControl(const ControlDescription& d, QWidget* parent) {
  switch (d.kind) {
    case ControlKind::kEdit:
    case ControlKind::kBorderlessEdit:
      return MakeEdit(d, parent);
    case ControlKind::kMultiLineEdit:
      return MakeMultiLineEdit(d, parent);
    case ControlKind::kDropDown:
      return MakeDropDown(d, parent);
    case ControlKind::kCheckList:
      return MakeCheckList(d, parent);
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(Utf8(d.text), parent);
      box->setChecked(d.checked);
      PaintWhite(box);
      return box;
    }
    case ControlKind::kLabel:
    case ControlKind::kTransparentLabel: {
      auto* label = new QLabel(Utf8(d.text), parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setTextFormat(Qt::PlainText);
      if (d.kind == ControlKind::kLabel) PaintWhite(label);
      return label;
    }
    case ControlKind::kGroupBox: {
      auto* group = new QGroupBox(Utf8(d.text), parent);
      group->setFocusPolicy(Qt::NoFocus);
      PaintWhite(group);
      return group;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(Utf8(d.text), parent);
      button->setAutoDefault(false);  // Enter clicks no button
      button->setDefault(false);
      return button;
    }
  }
  return nullptr;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("主窗口");
  setWindowTitle(Utf8(kWindowTitle));
  // The client area is the tab control; the window manager adds the frame around it.
  setFixedSize(kTabControlWidth, kTabControlHeight);
  // The layout is measured for a 12-pixel GUI font: keep the desktop's family but that
  // size, so captions fit their fixed boxes whatever the desktop's point size and dpi.
  QFont guiFont = font();
  guiFont.setPixelSize(12);
  setFont(guiFont);

  tabs_ = new TabControl(this);
  tabs_->setObjectName(Utf8(controls::kTabs));
  tabs_->setGeometry(0, 0, kTabControlWidth, kTabControlHeight);
  tabs_->AddPage(Utf8(kFirstPageCaption), true);
  tabs_->AddPage(Utf8(kSecondPageCaption), false);
  tabs_->SetCurrentPage(0);
  controls_.emplace(std::string(controls::kTabs), tabs_);

  BuildControls();
  new EscapeCloser(this);
  notices_ = new NoticeBubble(Control(controls::kInsertButton));
  CentreOnPrimaryScreen();
}

void MainWindow::BuildControls() {
  QWidget* page = tabs_->page(0);
  for (const ControlDescription& d : WindowLayout()) {
    QWidget* parent = d.parent.empty() ? page : Control(d.parent);
    if (!parent) parent = page;
    QWidget* control = MakeControl(d, parent);
    control->setObjectName(Utf8(d.name));
    control->setGeometry(d.left, d.top, d.width, d.height);
    controls_.emplace(d.name, control);
  }
}

QWidget* MainWindow::Control(std::string_view name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second;
}

void MainWindow::CentreOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  // move() places the outer frame, which is what is centred.
  move(area.x() + (area.width() - kWindowOuterWidth) / 2,
       area.y() + (area.height() - kWindowOuterHeight) / 2);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    Q_EMIT closing();
  }
  if (notices_) notices_->Dismiss();
  event->accept();
}

}  // namespace itemsmith
