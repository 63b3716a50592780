#include "entries/append_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <system_error>
#include <utility>

#include "entries/client_entry.h"
#include "entries/server_entry.h"
#include "fileutil/file_helpers.h"
#include "platform/code_page.h"

namespace itemsmith {
namespace {

bool Fail(std::string* error, std::string reason) {
  if (error != nullptr) *error = std::move(reason);
  return false;
}

bool CloseFile(int fd) {
  while (::close(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// Removes the bytes [start, end) that this call appended, but only while they are
// still the file's tail: when another program has appended since, cutting would take
// its data too, so the file is left as it is.
bool CutBack(int fd, off_t start, off_t end) {
  struct stat info;
  if (::fstat(fd, &info) != 0 || info.st_size != end) return false;
  while (::ftruncate(fd, start) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void AppendOne(std::string_view path, std::string_view bytes, ControlAccess& notices) {
  std::string error;
  if (AppendToFile(path, bytes, &error)) return;
  static const std::string kEmptyPath = "(empty path)";
  notices.PostNotice((path.empty() ? kEmptyPath : std::string(path)) + ": " + error);
}

}  // namespace

bool AppendToFile(std::string_view path, std::string_view bytes, std::string* error) {
  if (path.empty()) return Fail(error, ErrorText(ENOENT));
  const std::string utf8 = CodePageToUtf8(path);
  // No O_CREAT: only an existing file is written. O_NONBLOCK keeps a FIFO without a
  // reader from hanging the open; such a file is refused below anyway.
  int fd;
  do {
    fd = ::open(utf8.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Fail(error, ErrorText(errno));

  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int code = errno;
    CloseFile(fd);
    return Fail(error, ErrorText(code));
  }
  // Only a regular file can be cut back after a failed write.
  if (!S_ISREG(info.st_mode)) {
    CloseFile(fd);
    return Fail(error, "not a regular file");
  }
  ::fcntl(fd, F_SETFL, O_APPEND);

  // Where this call's bytes begin: the size seen now, corrected after the first write
  // by the offset the append actually went to.
  off_t start = info.st_size;
  off_t end = start;
  size_t written = 0;
  int writeError = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      writeError = errno;
      break;
    }
    if (n == 0) {
      writeError = EIO;
      break;
    }
    const off_t offset = ::lseek(fd, 0, SEEK_CUR);  // just past the bytes written
    if (written == 0 && offset >= n) start = offset - n;
    end = offset >= 0 ? offset : end + n;
    written += static_cast<size_t>(n);
  }

  if (writeError != 0) {
    std::string reason = ErrorText(writeError);
    if (written > 0 && !CutBack(fd, start, end)) reason += "; part of the entry remains";
    CloseFile(fd);
    return Fail(error, std::move(reason));
  }
  if (!CloseFile(fd)) return Fail(error, ErrorText(errno));
  return true;
}

void AppendEntries(const FormValues& values, ControlAccess& notices) {
  AppendOne(values.clientFilePath, BuildClientEntry(values), notices);
  AppendOne(values.serverFilePath, BuildServerEntry(values), notices);
}

EntryWriter::EntryWriter(ControlAccess& notices) : notices_(notices) {
  try {
    worker_ = std::thread(&EntryWriter::Run, this);
    running_ = true;
  } catch (const std::system_error&) {
    running_ = false;  // Submit then writes at once on the caller's thread
  }
}

EntryWriter::~EntryWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void EntryWriter::Submit(FormValues values) {
  if (!running_) {
    Write(values);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(values));
    ++submitted_;
  }
  wake_.notify_one();
}

void EntryWriter::Drain() {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::uint64_t target = submitted_;
  done_.wait(lock, [&] { return finished_ >= target; });
}

void EntryWriter::Run() {
  for (;;) {
    FormValues values;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;  // stopping, and everything queued is written
      values = std::move(queue_.front());
      queue_.pop_front();
    }
    Write(values);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++finished_;
    }
    done_.notify_all();
  }
}

void EntryWriter::Write(const FormValues& values) {
  // Nothing may escape the worker thread: an exception there would end the process.
  try {
    AppendEntries(values, notices_);
  } catch (const std::exception& e) {
    try {
      notices_.PostNotice(std::string("entries not written: ") + e.what());
    } catch (...) {
    }
  }
}

}  // namespace itemsmith
