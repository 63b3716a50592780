#include "ui/worker_threads.h"

#include <cstdio>
#include <system_error>

namespace itemsmith {

WorkerThreads::~WorkerThreads() { JoinAll(); }

bool WorkerThreads::Start(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  JoinFinished();  // a long session must not pile up finished threads
  auto finished = std::make_shared<std::atomic<bool>>(false);
  try {
    std::thread thread([work = std::move(work), finished] {
      work();
      *finished = true;
    });
    workers_.push_back(Worker{std::move(thread), std::move(finished)});
  } catch (const std::system_error& error) {
    std::fprintf(stderr, "itemsmith: no thread for the action: %s\n", error.what());
    return false;
  }
  return true;
}

bool WorkerThreads::Busy() {
  std::lock_guard lock(mutex_);
  for (const Worker& worker : workers_) {
    if (!*worker.finished) return true;
  }
  return false;
}

void WorkerThreads::JoinAll() {
  std::list<Worker> joining;
  {
    std::lock_guard lock(mutex_);
    joining.swap(workers_);
  }
  for (Worker& worker : joining) worker.thread.join();
}

void WorkerThreads::JoinFinished() {
  for (auto it = workers_.begin(); it != workers_.end();) {
    if (*it->finished) {
      it->thread.join();
      it = workers_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace itemsmith
