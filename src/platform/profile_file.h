#pragma once

// Profile (INI) files: "[name]" section lines, "key=value" lines, ";" comment lines.
// Section and key names match without regard to ASCII case; the first matching section
// and, within it, the first matching key count. Texts are byte strings in the tool's
// code page and pass through unchanged; a double-byte character is stepped over as a
// unit, so its trail byte is never taken for "]" or a letter to fold.
//
// The content functions are pure; the file functions serialise every access to
// profile files within the process and replace a file only as a whole.

#include <string>
#include <string_view>
#include <vector>

namespace itemsmith {

struct ProfileValue {
  std::string key;
  std::string value;
};

// The value of `key` in `section` of `content`: blanks and tabs trimmed from both ends,
// then one pair of enclosing quotes ("..." or '...') removed. Empty when the section or
// the key is missing. Lines may end in CR LF or LF.
std::string ProfileValueIn(std::string_view content, std::string_view section,
                           std::string_view key);

// The values of several keys of one section, in the order of `keys`, from one pass.
std::vector<std::string> ProfileValuesIn(std::string_view content, std::string_view section,
                                         const std::vector<std::string>& keys);

// True when `name` can stand as a section or key name on a line of its own: not empty,
// no line break, not beginning with "[" or ";", no "=" in a key and no "]" in a
// section, no blank or tab at either end.
bool IsProfileSectionName(std::string_view name);
bool IsProfileKeyName(std::string_view name);

// The text written after "key=" so that reading gives `value` back exactly: the value
// itself, or the value in double quotes when reading would otherwise trim a blank or a
// tab from an end or take away its own enclosing quotes. A value must not hold CR or
// LF.
std::string QuotedProfileValue(std::string_view value);

// `content` with each value set in turn: an existing key's line is rewritten in place,
// a missing key is added after the last non-blank line of the section, a missing
// section is added at the end. Every other line keeps its bytes; new lines end in
// CR LF. The caller has checked the names and values (see above).
std::string WithProfileValues(std::string_view content, std::string_view section,
                              const std::vector<ProfileValue>& values);

// The whole content of a profile file. `path` is in the tool's code page.
struct ProfileFileText {
  bool found = false;  // false when no file exists at the path (content is then empty)
  int error = 0;       // the system's error number when the file exists but cannot be read
  std::string content;
};
ProfileFileText ReadProfileFile(std::string_view path);

// Sets the values in `section` of the file at `path`, creating the file when missing.
// The new content is written whole to a temporary file in the same folder (with the old
// file's mode), flushed to disk and renamed over the old file, so the file is either
// wholly old or wholly new. Returns 0, or the system's error number (EINVAL for a name
// or value that cannot be written); on failure the old file is untouched.
int WriteProfileValues(std::string_view path, std::string_view section,
                       const std::vector<ProfileValue>& values);

}  // namespace itemsmith
