#include "ui/tool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "config/configuration.h"
#include "entries/append_entries.h"
#include "entries/insert_entries.h"
#include "extract/sample_extraction.h"
#include "model/control_names.h"
#include "ui/main_window.h"
#include "ui/open_target_files.h"
#include "ui/qt_control_access.h"
#include "ui/startup.h"

namespace itemsmith {

Tool::Tool(std::string programFolder)
    : programFolder_(std::move(programFolder)),
      window_(std::make_unique<MainWindow>()),
      access_(std::make_unique<QtControlAccess>(*window_)),
      writer_(std::make_unique<EntryWriter>(*access_)) {
  Wire();
}

Tool::~Tool() { Shutdown(); }

void Tool::Start() {
  window_->show();
  window_->activateWindow();  // without a window manager nothing else gives it the focus
  // Still inside the same GUI-thread turn as show(): no user event can come first.
  InitializeForm(*access_, programFolder_);
}

void Tool::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  access_->BeginClose();  // a worker waiting for the GUI thread is released now
  workers_.JoinAll();
  writer_->Drain();  // the writer only posts notices, which never wait
  window_->close();
}

void Tool::DrainWrites() { writer_->Drain(); }

void Tool::Wire() {
  namespace c = controls;
  MainWindow& w = *window_;
  ControlAccess& form = *access_;
  // Only the user's signals: clicked and activated never fire for changes made by code.
  const auto onClick = [&w](std::string_view name, auto action) {
    QObject::connect(w.ControlAs<QAbstractButton>(name), &QAbstractButton::clicked, &w, action);
  };
  onClick(c::kAlwaysOnTop, [&form] { ApplyAlwaysOnTop(form); });
  onClick(c::kOpenFilesButton, [&form] { OpenTargetFiles(form); });
  onClick(c::kInsertButton, [this] { InsertEntries(*access_, *writer_); });
  onClick(c::kLoadButton,
          [this] { workers_.Start([this] { LoadConfiguration(*access_, programFolder_); }); });
  onClick(c::kSaveButton,
          [this] { workers_.Start([this] { SaveConfiguration(*access_, programFolder_); }); });
  onClick(c::kExtractButton, [&form] { ExtractFromSample(form); });
  // Both dependent lists are refilled right here, so no user event falls in between.
  QObject::connect(w.ControlAs<QComboBox>(c::kMainType), &QComboBox::activated, &w,
                   [&form] { OnMainTypeSelected(form); });
}

}  // namespace itemsmith
