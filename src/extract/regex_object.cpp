#include "extract/regex_object.h"

#define PCRE2_CODE_UNIT_WIDTH 32
#include <pcre2.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

// Limits that keep a pattern which backtracks catastrophically from hanging the
// caller. PCRE2 restarts its step counter at every start position, so a search is
// run over at most kChunk start positions at a time with a small step limit; a chunk
// that hits it is searched again one start position at a time with the full limit.
// From the third search on, a time budget is checked before each. A step of the
// interpreter costs about 10 ns (the compiled matcher's far less), so one search
// stays near 10 ms and a whole Create ends within about 100 ms.
constexpr PCRE2_SIZE kChunk = 64;
constexpr uint32_t kQuickStepLimit = 10'000;
constexpr uint32_t kFullStepLimit = 1'000'000;
// Memory for backtracking, the compiled matcher's stack or the interpreter's frames,
// is capped as well: filling it is slow, and no sensible pattern needs more.
constexpr uint32_t kDepthLimit = 100'000;
constexpr uint32_t kHeapLimitKiB = 8 * 1024;
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 8 * 1024 * 1024;
constexpr int kUncheckedSearches = 2;
constexpr auto kTimeBudget = std::chrono::milliseconds(70);

// PCRE2 options that give the dialect the tool's users write: "\uXXXX" escapes, "[]"
// and "[^]" classes, a back reference to an unset group matching the empty text, and
// "^" matching after a final line break in multi-line mode.
// The subject and pattern are always valid code points (see CodePageToCodePoints), so
// UTF checking is skipped.
constexpr uint32_t kBaseOptions = PCRE2_UTF | PCRE2_NO_UTF_CHECK | PCRE2_USE_OFFSET_LIMIT |
                                  PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS |
                                  PCRE2_MATCH_UNSET_BACKREF | PCRE2_ALT_CIRCUMFLEX;

struct CompiledPattern {
  std::string pattern;  // code-page bytes, the cache key together with `options`
  uint32_t options = 0;
  pcre2_code* code = nullptr;
  pcre2_match_data* matchData = nullptr;
  uint32_t groupCount = 0;
  uint64_t lastUse = 0;
};

// A few compiled patterns per thread: the server entry builder compiles the same
// placeholder pattern for every line of every entry.
class PatternCache {
 public:
  PatternCache() {
    compileContext_ = pcre2_compile_context_create(nullptr);
    matchContext_ = pcre2_match_context_create(nullptr);
    if (compileContext_ != nullptr) pcre2_set_newline(compileContext_, PCRE2_NEWLINE_ANYCRLF);
    jitStack_ = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    if (matchContext_ != nullptr) {
      pcre2_set_depth_limit(matchContext_, kDepthLimit);
      pcre2_set_heap_limit(matchContext_, kHeapLimitKiB);
      if (jitStack_ != nullptr) pcre2_jit_stack_assign(matchContext_, nullptr, jitStack_);
    }
  }
  ~PatternCache() {
    for (CompiledPattern& entry : entries_) Release(entry);
    pcre2_match_context_free(matchContext_);
    pcre2_jit_stack_free(jitStack_);
    pcre2_compile_context_free(compileContext_);
  }
  PatternCache(const PatternCache&) = delete;
  PatternCache& operator=(const PatternCache&) = delete;

  pcre2_match_context* matchContext() { return matchContext_; }

  // The compiled pattern, or nullptr when it does not compile.
  CompiledPattern* Find(std::string_view pattern, uint32_t options) {
    ++useCounter_;
    CompiledPattern* oldest = &entries_[0];
    for (CompiledPattern& entry : entries_) {
      if (entry.code != nullptr && entry.options == options && entry.pattern == pattern) {
        entry.lastUse = useCounter_;
        return &entry;
      }
      if (entry.lastUse < oldest->lastUse) oldest = &entry;
    }
    if (compileContext_ == nullptr || matchContext_ == nullptr) return nullptr;

    const std::u32string codePoints = CodePageToCodePoints(pattern);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(codePoints.data()), codePoints.size(), options,
                      &errorCode, &errorOffset, compileContext_);
    if (code == nullptr) return nullptr;
    // The compiled matcher is many times faster; where it is not available the
    // interpreter serves.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* matchData = pcre2_match_data_create_from_pattern(code, nullptr);
    uint32_t groupCount = 0;
    if (matchData == nullptr ||
        pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groupCount) != 0) {
      pcre2_match_data_free(matchData);
      pcre2_code_free(code);
      return nullptr;
    }
    Release(*oldest);
    oldest->pattern.assign(pattern);
    oldest->options = options;
    oldest->code = code;
    oldest->matchData = matchData;
    oldest->groupCount = groupCount;
    oldest->lastUse = useCounter_;
    return oldest;
  }

 private:
  static void Release(CompiledPattern& entry) {
    pcre2_match_data_free(entry.matchData);
    pcre2_code_free(entry.code);
    entry = CompiledPattern{};
  }

  std::array<CompiledPattern, 8> entries_{};
  uint64_t useCounter_ = 0;
  pcre2_compile_context* compileContext_ = nullptr;
  pcre2_match_context* matchContext_ = nullptr;
  pcre2_jit_stack* jitStack_ = nullptr;
};

PatternCache& ThreadPatternCache() {
  thread_local PatternCache cache;
  return cache;
}

// Code-page bytes to code points; plain ASCII, the common case, skips the table. Two
// simple passes, so that the compiler can vectorise both.
void ToCodePoints(std::string_view text, std::u32string& out) {
  unsigned char highBits = 0;
  for (const char c : text) highBits |= static_cast<unsigned char>(c) & 0x80;
  if (highBits != 0) {
    out = CodePageToCodePoints(text);
    return;
  }
  out.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<unsigned char>(text[i]);
}

// Appends code points as code-page bytes, with the same shortcut for an ASCII run.
void AppendCodePage(std::string& out, std::u32string_view codePoints) {
  size_t ascii = 0;
  while (ascii < codePoints.size() && codePoints[ascii] < 0x80) ++ascii;
  const size_t at = out.size();
  out.resize(at + ascii);
  for (size_t i = 0; i < ascii; ++i) out[at + i] = static_cast<char>(codePoints[i]);
  if (ascii < codePoints.size()) out += CodePointsToCodePage(codePoints.substr(ascii));
}

// Lets the first searches run unchecked, so a Create that needs one or two (most do)
// never reads the clock, then starts it.
class TimeBudget {
 public:
  bool Exhausted() {
    if (++searches_ <= kUncheckedSearches) return false;
    const auto now = std::chrono::steady_clock::now();
    if (searches_ == kUncheckedSearches + 1) deadline_ = now + kTimeBudget;
    return now > deadline_;
  }

 private:
  int searches_ = 0;
  std::chrono::steady_clock::time_point deadline_;
};

enum class SearchResult { kFound, kNotFound, kFailed };

// Our own code, beside PCRE2's negative error codes, for a search refused for lack of
// time.
constexpr int kOutOfTime = -100'000;

// Searches `subject` for the first match starting at or after `start`, leaving it in
// the pattern's match data. kFailed when a limit was hit or the time is up.
SearchResult Search(CompiledPattern& compiled, std::u32string_view subject, PCRE2_SIZE start,
                    pcre2_match_context* context, TimeBudget& budget) {
  const auto run = [&](PCRE2_SIZE from, PCRE2_SIZE lastStart, uint32_t stepLimit) {
    if (budget.Exhausted()) return kOutOfTime;
    pcre2_set_offset_limit(context, lastStart);
    pcre2_set_match_limit(context, stepLimit);
    return pcre2_match(compiled.code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(),
                       from, PCRE2_NO_UTF_CHECK, compiled.matchData, context);
  };
  const PCRE2_SIZE length = subject.size();
  for (PCRE2_SIZE from = start; from <= length;) {
    const PCRE2_SIZE lastStart = std::min(length, from + kChunk - 1);
    int rc = run(from, lastStart, kQuickStepLimit);
    if (rc == PCRE2_ERROR_MATCHLIMIT) {
      // Some start position in this chunk needs more steps: give each its full share.
      for (PCRE2_SIZE position = from; position <= lastStart; ++position) {
        rc = run(position, position, kFullStepLimit);
        if (rc != PCRE2_ERROR_NOMATCH) break;
      }
    }
    if (rc >= 0) return SearchResult::kFound;
    if (rc != PCRE2_ERROR_NOMATCH) return SearchResult::kFailed;
    from = lastStart + 1;
  }
  return SearchResult::kNotFound;
}

}  // namespace

struct RegexObject::State {
  std::string pattern;
  std::u32string subject;
  int groupCount = 0;
  int matchCount = 0;
  // Per match, start and end of the whole match and of each group, as code-point
  // offsets into `subject`; PCRE2_UNSET for a group that took no part.
  std::vector<PCRE2_SIZE> offsets;

  size_t Stride() const { return 2 * (static_cast<size_t>(groupCount) + 1); }

  // The text of group `group` (0 = whole match) of match `match` (from 0).
  std::u32string_view Group(int match, int group) const {
    const size_t at = match * Stride() + 2 * static_cast<size_t>(group);
    if (offsets[at] == PCRE2_UNSET) return {};
    return std::u32string_view(subject).substr(offsets[at], offsets[at + 1] - offsets[at]);
  }

  void ClearMatches() {
    groupCount = 0;
    matchCount = 0;
    offsets.clear();
  }
};

RegexObject::RegexObject() : state_(std::make_unique<State>()) {}
RegexObject::~RegexObject() = default;

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive,
                         bool multiline, bool global, bool quoteToken) {
  State& state = *state_;
  state.ClearMatches();
  state.pattern.assign(pattern);
  if (quoteToken) {
    static const std::string token = Utf8ToCodePage("#引号");
    // "#" is ASCII and never the second byte of a character, so a byte search cannot
    // find the token in the middle of one.
    for (size_t at = state.pattern.find(token); at != std::string::npos;
         at = state.pattern.find(token, at + 1)) {
      state.pattern.replace(at, token.size(), "\"");
    }
  }
  ToCodePoints(subject, state.subject);

  uint32_t options = kBaseOptions;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  // Without multi-line mode "$" matches only at the very end, not before a final
  // line break.
  options |= multiline ? PCRE2_MULTILINE : PCRE2_DOLLAR_ENDONLY;

  PatternCache& cache = ThreadPatternCache();
  CompiledPattern* compiled = cache.Find(state.pattern, options);
  if (compiled == nullptr) return false;

  const std::u32string_view text = state.subject;
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(compiled->matchData);
  const size_t stride = 2 * (static_cast<size_t>(compiled->groupCount) + 1);
  TimeBudget budget;
  PCRE2_SIZE previousEnd = 0;
  for (PCRE2_SIZE from = 0; from <= text.size();) {
    const SearchResult result = Search(*compiled, text, from, cache.matchContext(), budget);
    if (result == SearchResult::kNotFound) break;
    // A limit that was hit, or a match out of order (only "\K" tricks could make one),
    // counts as no match at all: a partial list would replace some matches and not
    // others.
    if (result == SearchResult::kFailed || ovector[0] < previousEnd || ovector[1] < ovector[0]) {
      state.ClearMatches();
      return false;
    }
    state.offsets.insert(state.offsets.end(), ovector, ovector + stride);
    ++state.matchCount;
    if (!global) break;
    previousEnd = ovector[1];
    // After an empty match the search goes on one character further, so that it
    // cannot find the same empty match again; a CR LF pair is one line break, and
    // stopping between its two characters would let "$" or "^" match there.
    from = ovector[1];
    if (ovector[1] == ovector[0]) {
      const bool crLf = from + 1 < text.size() && text[from] == U'\r' && text[from + 1] == U'\n';
      from += crLf ? 2 : 1;
    }
  }
  state.groupCount = static_cast<int>(compiled->groupCount);
  return true;
}

std::string RegexObject::PatternText() const { return state_->pattern; }

std::string RegexObject::ReplaceMatches(std::string_view replacement) const {
  const State& state = *state_;
  const std::u32string_view subject = state.subject;
  std::string out;
  out.reserve(subject.size() + state.matchCount * replacement.size());
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  size_t copied = 0;
  for (int match = 0; match < state.matchCount; ++match) {
    const size_t start = state.offsets[match * state.Stride()];
    AppendCodePage(out, subject.substr(copied, start - copied));
    copied = state.offsets[match * state.Stride() + 1];
    // The replacement is scanned as bytes: "$", "&" and the digits are ASCII and never
    // the second byte of a double-byte character.
    for (size_t i = 0; i < replacement.size(); ++i) {
      const size_t dollar = std::min(replacement.find('$', i), replacement.size());
      out.append(replacement, i, dollar - i);
      i = dollar;
      if (i + 1 >= replacement.size()) {
        if (i < replacement.size()) out += '$';
        break;
      }
      const char next = replacement[i + 1];
      if (next == '$') {
        out += '$';
        ++i;
      } else if (next == '&') {
        AppendCodePage(out, state.Group(match, 0));
        ++i;
      } else if (isDigit(next)) {
        // "$nn" names group nn when the pattern has it, else "$n" names group n and the
        // second digit is literal; a group the pattern lacks leaves the "$" literal.
        const int one = next - '0';
        const char after = i + 2 < replacement.size() ? replacement[i + 2] : '\0';
        const int two = isDigit(after) ? one * 10 + (after - '0') : 0;
        if (two >= 1 && two <= state.groupCount) {
          AppendCodePage(out, state.Group(match, two));
          i += 2;
        } else if (one >= 1 && one <= state.groupCount) {
          AppendCodePage(out, state.Group(match, one));
          ++i;
        } else {
          out += '$';
        }
      } else {
        out += '$';
      }
    }
  }
  AppendCodePage(out, subject.substr(copied));
  return out;
}

int RegexObject::MatchCount() const { return state_->matchCount; }

std::string RegexObject::MatchText(int matchNumber) const {
  const State& state = *state_;
  std::string out;
  if (matchNumber >= 1 && matchNumber <= state.matchCount) {
    AppendCodePage(out, state.Group(matchNumber - 1, 0));
  }
  return out;
}

int RegexObject::SubmatchCount() const { return state_->matchCount > 0 ? state_->groupCount : 0; }

std::string RegexObject::SubmatchText(int matchNumber, int groupNumber) const {
  const State& state = *state_;
  std::string out;
  if (matchNumber >= 1 && matchNumber <= state.matchCount && groupNumber >= 1 &&
      groupNumber <= state.groupCount) {
    AppendCodePage(out, state.Group(matchNumber - 1, groupNumber));
  }
  return out;
}

}  // namespace itemsmith
