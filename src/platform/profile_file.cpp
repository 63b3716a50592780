#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

// Every profile-file access in the process takes this lock, so a save never reads a
// file that another save is replacing and two saves never lose each other's keys.
std::mutex& ProfileMutex() {
  static std::mutex mutex;
  return mutex;
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanksAndTabs(std::string_view text) {
  while (!text.empty() && IsBlankOrTab(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrTab(text.back())) text.remove_suffix(1);
  return text;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool IsEnclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

// A stray lead byte is a character of its own, so it never hides "=" or a line break.
bool IsDoubleByte(std::string_view text, size_t i) { return CharLengthAt(text, i) == 2; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare with ASCII letters folded; a double-byte character must match exactly
// (its trail byte may look like a letter).
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsDoubleByte(a, i)) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// Positions of the first and last single-byte `c`; npos when there is none.
size_t FindSingleByte(std::string_view text, char c, bool last) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDoubleByte(text, i)) {
      ++i;
    } else if (text[i] == c) {
      found = i;
      if (!last) break;
    }
  }
  return found;
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct Line {
  size_t begin = 0;    // first byte of the line
  size_t bodyEnd = 0;  // end of the text before the line end
  size_t end = 0;      // past the LF, or the content's end for a last line without one
  LineKind kind = LineKind::kOther;
  std::string_view name;  // section or key name, trimmed
  size_t valueBegin = 0;  // first byte after "=" on a key line
};

Line ParseLine(std::string_view content, size_t begin, size_t bodyEnd, size_t end) {
  Line line;
  line.begin = begin;
  line.bodyEnd = bodyEnd;
  line.end = end;
  std::string_view body = content.substr(begin, bodyEnd - begin);
  size_t indent = 0;
  while (indent < body.size() && IsBlankOrTab(body[indent])) ++indent;
  std::string_view text = body.substr(indent);
  if (TrimBlanksAndTabs(text).empty()) {
    line.kind = LineKind::kBlank;
    return line;
  }
  if (text.front() == ';') {
    line.kind = LineKind::kComment;
    return line;
  }
  if (text.front() == '[') {
    size_t close = FindSingleByte(text, ']', /*last=*/true);
    if (close != std::string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = TrimBlanksAndTabs(text.substr(1, close - 1));
      return line;
    }
  }
  size_t equals = FindSingleByte(text, '=', /*last=*/false);
  if (equals == std::string_view::npos) return line;  // kOther: kept, never matched
  line.kind = LineKind::kKey;
  line.name = TrimBlanksAndTabs(text.substr(0, equals));
  line.valueBegin = begin + indent + equals + 1;
  return line;
}

// Lines end at LF; a CR right before the LF (or at the very end) belongs to the line
// end, not the text.
std::vector<Line> ParseLines(std::string_view content) {
  std::vector<Line> lines;
  size_t begin = 0;
  while (begin < content.size()) {
    size_t lf = content.find('\n', begin);
    size_t end = lf == std::string_view::npos ? content.size() : lf + 1;
    size_t bodyEnd = lf == std::string_view::npos ? content.size() : lf;
    if (bodyEnd > begin && content[bodyEnd - 1] == '\r') --bodyEnd;
    lines.push_back(ParseLine(content, begin, bodyEnd, end));
    begin = end;
  }
  return lines;
}

// The lines of the first section with the name: header at `header`, its lines in
// [first, last).
struct SectionSpan {
  bool found = false;
  size_t header = 0;
  size_t first = 0;
  size_t last = 0;
};

SectionSpan FindSection(const std::vector<Line>& lines, std::string_view section) {
  SectionSpan span;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !SameName(lines[i].name, section)) continue;
    span.found = true;
    span.header = i;
    span.first = i + 1;
    span.last = span.first;
    while (span.last < lines.size() && lines[span.last].kind != LineKind::kSection) ++span.last;
    break;
  }
  return span;
}

const Line* FindKey(const std::vector<Line>& lines, const SectionSpan& span, std::string_view key) {
  if (!span.found) return nullptr;
  for (size_t i = span.first; i < span.last; ++i) {
    if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, key)) return &lines[i];
  }
  return nullptr;
}

std::string ReadValue(std::string_view content, const Line& line) {
  std::string_view value =
      TrimBlanksAndTabs(content.substr(line.valueBegin, line.bodyEnd - line.valueBegin));
  if (IsEnclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// What `text` needs so that a new line can follow it: nothing after a LF or at the
// start, LF after a final CR, else CR LF (a file that ended without a line end).
std::string_view LineEndToComplete(std::string_view text) {
  if (text.empty() || text.back() == '\n') return {};
  return text.back() == '\r' ? "\n" : "\r\n";
}

std::string WithProfileValue(std::string_view content, std::string_view section,
                             const ProfileValue& entry) {
  std::vector<Line> lines = ParseLines(content);
  SectionSpan span = FindSection(lines, section);
  std::string value = QuotedProfileValue(entry.value);
  std::string out;
  out.reserve(content.size() + entry.key.size() + value.size() + section.size() + 8);

  if (!span.found) {
    out.append(content);
    out.append(LineEndToComplete(content));
    out.append("[").append(section).append("]\r\n");
    out.append(entry.key).append("=").append(value).append("\r\n");
    return out;
  }
  if (const Line* line = FindKey(lines, span, entry.key)) {
    // Only the value changes; the key as written, its spacing and the line end stay.
    out.append(content.substr(0, line->valueBegin));
    out.append(value);
    out.append(content.substr(line->bodyEnd));
    return out;
  }
  // After the section's last non-blank line, so blank lines that separate it from the
  // next section stay where they are.
  size_t after = span.header;
  for (size_t i = span.first; i < span.last; ++i) {
    if (lines[i].kind != LineKind::kBlank) after = i;
  }
  const Line& anchor = lines[after];
  out.append(content.substr(0, anchor.end));
  out.append(LineEndToComplete(content.substr(0, anchor.end)));
  out.append(entry.key).append("=").append(value).append("\r\n");
  out.append(content.substr(anchor.end));
  return out;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsPlainName(std::string_view name) {
  return !name.empty() && !HasLineBreak(name) && !IsBlankOrTab(name.front()) &&
         !IsBlankOrTab(name.back()) && name.front() != '[' && name.front() != ';';
}

// Reads the whole file; `found` false and 0 returned when there is none.
int ReadWholeFile(const std::string& nativePath, bool* found, std::string* content,
                  struct stat* status) {
  *found = false;
  content->clear();
  // O_NONBLOCK keeps a FIFO without a writer from hanging the open; only a regular
  // file is read.
  int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? 0 : errno;
  int error = 0;
  if (fstat(fd, status) != 0) {
    error = errno;
  } else if (S_ISDIR(status->st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(status->st_mode)) {
    error = EINVAL;
  } else {
    char buffer[65536];
    for (;;) {
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = errno;
        break;
      }
      if (n == 0) break;
      content->append(buffer, static_cast<size_t>(n));
    }
  }
  close(fd);
  if (error != 0) {
    content->clear();
    return error;
  }
  *found = true;
  return 0;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Flushes the folder's entry list so the rename itself survives a crash. Best effort.
void SyncFolderOf(const std::string& nativePath) {
  size_t slash = nativePath.rfind('/');
  std::string folder = slash == std::string::npos ? "."
                       : slash == 0               ? "/"
                                                  : nativePath.substr(0, slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes `bytes` to a new temporary file next to `target`, flushes it and renames it
// over `target`. The temporary file never outlives a failure.
int ReplaceFile(const std::string& target, std::string_view bytes, const struct stat* old) {
  static unsigned counter = 0;  // guarded by ProfileMutex
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;

  if (old != nullptr) {
    // Owner first: changing it may clear set-id bits that the mode then restores.
    // Both are best effort; the content matters more than its attributes.
    if (fchown(fd, old->st_uid, old->st_gid) != 0) {
    }
    if (fchmod(fd, old->st_mode & 07777) != 0) {
    }
  }
  int error = WriteAll(fd, bytes);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    return error;
  }
  SyncFolderOf(target);
  return 0;
}

}  // namespace

std::string ProfileValueIn(std::string_view content, std::string_view section,
                           std::string_view key) {
  std::vector<Line> lines = ParseLines(content);
  const Line* line = FindKey(lines, FindSection(lines, section), key);
  return line == nullptr ? std::string() : ReadValue(content, *line);
}

std::vector<std::string> ProfileValuesIn(std::string_view content, std::string_view section,
                                         const std::vector<std::string>& keys) {
  std::vector<Line> lines = ParseLines(content);
  SectionSpan span = FindSection(lines, section);
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) {
    const Line* line = FindKey(lines, span, key);
    values.push_back(line == nullptr ? std::string() : ReadValue(content, *line));
  }
  return values;
}

bool IsProfileSectionName(std::string_view name) {
  return IsPlainName(name) && FindSingleByte(name, ']', /*last=*/false) == std::string_view::npos;
}

bool IsProfileKeyName(std::string_view name) {
  return IsPlainName(name) && FindSingleByte(name, '=', /*last=*/false) == std::string_view::npos;
}

std::string QuotedProfileValue(std::string_view value) {
  bool reshaped = !value.empty() && (IsBlankOrTab(value.front()) || IsBlankOrTab(value.back()) ||
                                     IsEnclosedInQuotes(value));
  if (!reshaped) return std::string(value);
  std::string quoted;
  quoted.reserve(value.size() + 2);
  quoted.append("\"").append(value).append("\"");
  return quoted;
}

std::string WithProfileValues(std::string_view content, std::string_view section,
                              const std::vector<ProfileValue>& values) {
  std::string out(content);
  for (const ProfileValue& entry : values) out = WithProfileValue(out, section, entry);
  return out;
}

ProfileFileText ReadProfileFile(std::string_view path) {
  ProfileFileText text;
  struct stat status {};
  std::lock_guard<std::mutex> lock(ProfileMutex());
  text.error = ReadWholeFile(CodePageToUtf8(path), &text.found, &text.content, &status);
  return text;
}

int WriteProfileValues(std::string_view path, std::string_view section,
                       const std::vector<ProfileValue>& values) {
  if (!IsProfileSectionName(section)) return EINVAL;
  for (const ProfileValue& entry : values) {
    if (!IsProfileKeyName(entry.key) || HasLineBreak(entry.value)) return EINVAL;
  }
  std::string target = CodePageToUtf8(path);
  std::lock_guard<std::mutex> lock(ProfileMutex());

  // Through a symbolic link the file it points to is replaced, not the link.
  struct stat linkStatus {};
  if (lstat(target.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode)) {
    if (char* resolved = realpath(target.c_str(), nullptr)) {
      target = resolved;
      std::free(resolved);
    }
  }
  bool found = false;
  std::string content;
  struct stat status {};
  // A file that exists but cannot be read is never replaced: its keys would be lost.
  if (int error = ReadWholeFile(target, &found, &content, &status); error != 0) return error;
  return ReplaceFile(target, WithProfileValues(content, section, values),
                     found ? &status : nullptr);
}

}  // namespace itemsmith
