#pragma once

// The running tool: the window, its control access, the one writer queue for inserts
// and the tracked workers for saving and loading, with every control event wired to
// its action. The program's folder is given, so the whole tool can run in any folder.

#include <memory>
#include <string>

#include "ui/worker_threads.h"

namespace itemsmith {

class EntryWriter;
class MainWindow;
class QtControlAccess;

class Tool {
 public:
  // `programFolder`: where the default files and the configuration live, in the tool's
  // code page, without a trailing "/". GUI thread, with a QApplication.
  explicit Tool(std::string programFolder);
  ~Tool();  // as Shutdown
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  // Shows the window and prepares the form before any user input is handled.
  void Start();

  // The closing sequence: control access answers empty from now on, the save and load
  // workers finish, and every queued insert is written. Idempotent. GUI thread.
  void Shutdown();

  MainWindow& window() { return *window_; }
  QtControlAccess& access() { return *access_; }
  // For tests: wait for queued inserts; whether a save or load is still running.
  void DrainWrites();
  bool WorkersBusy() { return workers_.Busy(); }

 private:
  void Wire();

  std::string programFolder_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QtControlAccess> access_;
  std::unique_ptr<EntryWriter> writer_;
  WorkerThreads workers_;
  bool shutDown_ = false;
};

}  // namespace itemsmith
