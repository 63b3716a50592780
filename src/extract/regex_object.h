#pragma once

// One regular expression bound to one subject text. Matching works on characters,
// not bytes: subject, pattern and replacement are taken from the tool's code page to
// code points and the results back, losslessly.

#include <memory>
#include <string>
#include <string_view>

namespace itemsmith {

class RegexObject {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&) = delete;
  RegexObject& operator=(const RegexObject&) = delete;

  // Compiles `pattern` and runs it over `subject`, keeping the matches. False for an
  // invalid pattern, and for a search that exceeds the matching limits (a pattern that
  // backtracks catastrophically ends within about 100 ms): then nothing matches. With
  // `quoteToken`, every "#引号" in the pattern stands for a double quote. "." matches
  // neither CR nor LF; in multi-line mode "^" and "$" match at CR, LF and CR LF.
  bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
              bool multiline = true, bool global = true, bool quoteToken = false);

  std::string PatternText() const;  // as compiled, after the quote token

  // The subject with every match replaced: "$n" is group n's text (empty when it took
  // no part), "$nn" group nn when the pattern has that many groups, "$&" the whole
  // match, "$$" one dollar sign; any other dollar sign is literal. After an empty match
  // the next one is looked for a character further on.
  std::string ReplaceMatches(std::string_view replacement) const;

  int MatchCount() const;
  std::string MatchText(int matchNumber) const;  // counted from 1
  int SubmatchCount() const;                     // groups of the first match; 0 when none
  std::string SubmatchText(int matchNumber, int groupNumber) const;  // both from 1

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace itemsmith
