#pragma once

// The insert action's file work: appending the two entries of one item to their
// files, whole or not at all, through one writer thread that serves every press in
// order.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "model/control_access.h"
#include "model/form_values.h"

namespace itemsmith {

// Appends `bytes` at the end of the existing regular file `path` (never created).
// Whole or nothing: when a write fails part-way, the file is cut back to the length
// it had before this call, removing only what this call added. On failure returns
// false and, when `error` is given, sets it to the reason (code-page text).
bool AppendToFile(std::string_view path, std::string_view bytes, std::string* error);

// Appends the client record, then the server entry, both built from `values`. A file
// that cannot be written gets nothing and a notice "path: reason"; the other file is
// still handled. Success posts nothing.
void AppendEntries(const FormValues& values, ControlAccess& notices);

// One worker thread that runs AppendEntries for each submitted record in submission
// order, so the entries of two presses never interleave. Notices go to `notices`,
// which must outlive the writer; posting one never waits for the GUI thread.
class EntryWriter {
 public:
  explicit EntryWriter(ControlAccess& notices);
  ~EntryWriter();  // finishes every queued append, then stops
  EntryWriter(const EntryWriter&) = delete;
  EntryWriter& operator=(const EntryWriter&) = delete;

  // Queues one item and returns at once.
  void Submit(FormValues values);
  // Blocks until every item submitted so far has been written.
  void Drain();

 private:
  void Run();
  void Write(const FormValues& values);

  ControlAccess& notices_;
  std::mutex mutex_;
  std::condition_variable wake_;  // the worker: work queued or stopping
  std::condition_variable done_;  // Drain: an item finished
  std::deque<FormValues> queue_;
  std::uint64_t submitted_ = 0;
  std::uint64_t finished_ = 0;
  bool stopping_ = false;
  bool running_ = false;  // false when the thread could not be started
  std::thread worker_;
};

}  // namespace itemsmith
