#pragma once

// Threads started per action (saving and loading the form) and tracked, so that the
// tool can wait for them when it closes instead of leaving them running into the exit.

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace itemsmith {

class WorkerThreads {
 public:
  WorkerThreads() = default;
  ~WorkerThreads();  // joins every worker
  WorkerThreads(const WorkerThreads&) = delete;
  WorkerThreads& operator=(const WorkerThreads&) = delete;

  // Runs `work` on a new thread; false when no thread could be started (nothing runs).
  bool Start(std::function<void()> work);

  // True while a started worker has not finished.
  bool Busy();

  // Waits for every worker started so far.
  void JoinAll();

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> finished;
  };
  void JoinFinished();  // with mutex_ held

  std::mutex mutex_;
  std::list<Worker> workers_;
};

}  // namespace itemsmith
