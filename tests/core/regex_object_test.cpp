#include "extract/regex_object.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

std::string Gbk(const char* utf8) { return Utf8ToCodePage(utf8); }

TEST(RegexObject, GroupsOfTheFirstMatch) {
  struct Case {
    const char* pattern;
    const char* subject;
    std::vector<const char*> groups;  // empty when nothing matches
  };
  const Case cases[] = {
      {"^(.*?)--(.*?)--(.*?)$",
       "White_Rabbit--1656--[时装]小白兔",
       {"White_Rabbit", "1656", "[时装]小白兔"}},
      {"^(.*?)--(.*?)--(.*?)$", "White_Rabbit 1656 [时装]小白兔", {}},
      // A group that took no part answers the empty text.
      {"(a)|(b)", "b", {"", "b"}},
      {"(x*)(y)", "y", {"", "y"}},
      // Only the first match's groups are counted.
      {"(\\d+)-(\\d+)", "1-2 33-44", {"1", "2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern + std::string(" on ") + c.subject);
    RegexObject regex;
    EXPECT_TRUE(regex.Create(Gbk(c.pattern), Gbk(c.subject)));
    ASSERT_EQ(regex.SubmatchCount(), static_cast<int>(c.groups.size()));
    for (size_t g = 0; g < c.groups.size(); ++g) {
      EXPECT_EQ(regex.SubmatchText(1, static_cast<int>(g) + 1), Gbk(c.groups[g])) << g + 1;
    }
  }
}

TEST(RegexObject, MatchesAndNumbersOutOfRange) {
  RegexObject regex;
  EXPECT_EQ(regex.MatchCount(), 0);  // before any Create
  EXPECT_EQ(regex.ReplaceMatches("x"), "");
  EXPECT_EQ(regex.PatternText(), "");

  ASSERT_TRUE(regex.Create("(\\d)(\\d*)", "a1b22c333"));
  ASSERT_EQ(regex.MatchCount(), 3);
  EXPECT_EQ(regex.MatchText(1), "1");
  EXPECT_EQ(regex.MatchText(3), "333");
  EXPECT_EQ(regex.SubmatchText(2, 2), "2");
  EXPECT_EQ(regex.SubmatchText(3, 2), "33");
  for (const int bad : {-1, 0, 4}) {
    EXPECT_EQ(regex.MatchText(bad), "") << bad;
    EXPECT_EQ(regex.SubmatchText(bad, 1), "") << bad;
  }
  EXPECT_EQ(regex.SubmatchText(1, 0), "");
  EXPECT_EQ(regex.SubmatchText(1, 3), "");

  // Without the global option only the first match is kept and replaced.
  ASSERT_TRUE(regex.Create("\\d", "a1b2", false, true, false));
  EXPECT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.ReplaceMatches("#"), "a#b2");
}

TEST(RegexObject, ReplaceMatches) {
  struct Case {
    const char* pattern;
    const char* subject;
    const char* replacement;
    const char* expected;
  };
  const Case cases[] = {
      // The server entry's placeholders.
      {"\\[.*?\\]", "\r\n    Buy: [Buy]", "10000", "\r\n    Buy: 10000"},
      {"\\[.*?\\]", "[a] and [b]", "测试", "测试 and 测试"},
      {"\\[.*?\\]", "no token", "x", "no token"},
      {"\\[.*?\\]", "", "x", ""},
      {"\\[.*?\\]", "\r\n    Delay:\r\n      Duration: [Duration]", "100",
       "\r\n    Delay:\r\n      Duration: 100"},
      // Empty matches advance one character instead of looping.
      {"x*", "abc", "-", "-a-b-c-"},
      {"b*", "abc", "-", "-a--c-"},
      {"", "ab", "-", "-a-b-"},
      {"^", "", "#", "#"},
      // A CR LF pair is one line break: no empty match between its characters.
      {"$", "a\r\nb\r\n", "#", "a#\r\nb#\r\n#"},
      {"^", "a\r\nb\r\n", "#", "#a\r\n#b\r\n#"},
      {"x*", "\r\n", "-", "-\r\n-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern + std::string(" on ") + c.subject);
    RegexObject regex;
    ASSERT_TRUE(regex.Create(Gbk(c.pattern), Gbk(c.subject)));
    EXPECT_EQ(regex.ReplaceMatches(Gbk(c.replacement)), Gbk(c.expected));
  }
}

TEST(RegexObject, DollarSignsInTheReplacement) {
  struct Case {
    const char* replacement;
    const char* expected;
  };
  // Subject "xay", pattern "(a)(b)?": one match "a", group 2 takes no part.
  const Case twoGroups[] = {
      {"[$1]", "x[a]y"},
      {"[$2]", "x[]y"},
      {"[$&]", "x[a]y"},
      {"[$$]", "x[$]y"},
      {"[$$1]", "x[$1]y"},
      {"[$3]", "x[$3]y"},
      {"[$0]", "x[$0]y"},
      {"[$x]", "x[$x]y"},
      {"[$`]", "x[$`]y"},
      {"[$]", "x[$]y"},
      {"$", "x$y"},
      {"a$", "xa$y"},
      {"$$$", "x$$y"},
      {"[$01]", "x[a]y"},
      {"[$00]", "x[$00]y"},
      // Two digits name a group only when the pattern has it; else one digit does.
      {"[$12]", "x[a2]y"},
      {"[$21]", "x[1]y"},
      {"[$31]", "x[$31]y"},
      {"$1$1", "xaay"},
      {"价$1格", "x价a格y"},
  };
  for (const Case& c : twoGroups) {
    SCOPED_TRACE(c.replacement);
    RegexObject regex;
    ASSERT_TRUE(regex.Create("(a)(b)?", "xay"));
    EXPECT_EQ(regex.ReplaceMatches(Gbk(c.replacement)), Gbk(c.expected));
  }

  RegexObject regex;
  ASSERT_TRUE(regex.Create("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk"));
  EXPECT_EQ(regex.ReplaceMatches("$10|$11|$1|$12|$011"), "j|k|a|a2|a1");
}

TEST(RegexObject, CaseIsIgnoredUnlessAskedFor) {
  RegexObject regex;
  EXPECT_TRUE(regex.Create("white_RABBIT", "White_Rabbit"));
  EXPECT_EQ(regex.MatchCount(), 1);
  EXPECT_TRUE(regex.Create("white_RABBIT", "White_Rabbit", true));
  EXPECT_EQ(regex.MatchCount(), 0);
  EXPECT_TRUE(regex.Create("[A-Z]+", "abc", false));
  EXPECT_EQ(regex.MatchText(1), "abc");
}

TEST(RegexObject, LinesAndAnchors) {
  struct Case {
    const char* pattern;
    const char* subject;
    bool multiline;
    std::vector<const char*> matches;
  };
  const Case cases[] = {
      {"^\\w+$", "ab\r\ncd\ne\rf", true, {"ab", "cd", "e", "f"}},
      {"^\\w+$", "ab\r\ncd", false, {}},
      {"^\\w+$", "ab\r\n", false, {}},  // "$" alone is the very end
      {"^\\w+", "ab\r\ncd", false, {"ab"}},
      // "." never crosses a line break.
      {"a.b", "a\rb a\nb", true, {}},
      {".+", "ab\r\ncd", true, {"ab", "cd"}},
      {"^(.*?)--(.*?)$", "x--1\r\ny--2", true, {"x--1", "y--2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern + std::string(" on ") + c.subject);
    RegexObject regex;
    ASSERT_TRUE(regex.Create(c.pattern, c.subject, false, c.multiline));
    ASSERT_EQ(regex.MatchCount(), static_cast<int>(c.matches.size()));
    for (size_t m = 0; m < c.matches.size(); ++m) {
      EXPECT_EQ(regex.MatchText(static_cast<int>(m) + 1), c.matches[m]);
    }
  }
}

TEST(RegexObject, MatchesCharactersNotBytes) {
  RegexObject regex;
  // One "." is one double-byte character.
  ASSERT_TRUE(regex.Create("^(.)(.)$", Gbk("中文")));
  EXPECT_EQ(regex.SubmatchText(1, 1), Gbk("中"));
  EXPECT_EQ(regex.SubmatchText(1, 2), Gbk("文"));

  // 0x81 0x5D is one character whose second byte is "]": a byte-wise lazy match would
  // end inside it.
  const std::string bracketTrail = "\x81\x5D";
  ASSERT_NE(CodePageToUtf8(bracketTrail), "\xEF\xBF\xBD]");
  ASSERT_TRUE(regex.Create("\\[.*?\\]", "[" + bracketTrail + "]x"));
  EXPECT_EQ(regex.MatchText(1), "[" + bracketTrail + "]");
  EXPECT_EQ(regex.ReplaceMatches("V"), "Vx");

  // Bytes that are not valid GBK, and a NUL, pass through unchanged.
  const std::string raw("\xFF\x80[\x81\x30]\0\x81", 8);
  ASSERT_TRUE(regex.Create("\\[.*?\\]", raw));
  EXPECT_EQ(regex.MatchText(1), "[\x81\x30]");
  EXPECT_EQ(regex.ReplaceMatches("<\xFE$&>"), std::string("\xFF\x80<\xFE[\x81\x30]>\0\x81", 11));
  ASSERT_TRUE(regex.Create(".+", raw));
  EXPECT_EQ(regex.MatchText(1), raw);
}

TEST(RegexObject, ReplacingMatchesByThemselvesKeepsAnyBytes) {
  // Random bytes, GBK or not, with line breaks and NULs: the round trip through code
  // points must not lose or shift a byte, whatever the matches cut out.
  std::mt19937 random(936);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    std::string subject(random() % 40, '\0');
    for (char& c : subject) c = static_cast<char>(byte(random));
    for (const char* pattern : {".", ".*?", "", "^", "$", "[^a]+", "(.)(.)?", "\\w+|\\s"}) {
      RegexObject regex;
      ASSERT_TRUE(regex.Create(pattern, subject));
      ASSERT_EQ(regex.ReplaceMatches("$&"), subject) << pattern;
    }
  }
}

TEST(RegexObject, InvalidPatternMatchesNothing) {
  for (const char* pattern : {"(", "[a", "a{2,1}", "*", "(?<", "\\"}) {
    SCOPED_TRACE(pattern);
    RegexObject regex;
    ASSERT_TRUE(regex.Create("(a)", "a"));  // results of an earlier Create go away
    EXPECT_FALSE(regex.Create(pattern, "a(b"));
    EXPECT_EQ(regex.PatternText(), pattern);
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubmatchCount(), 0);
    EXPECT_EQ(regex.MatchText(1), "");
    EXPECT_EQ(regex.SubmatchText(1, 1), "");
    EXPECT_EQ(regex.ReplaceMatches("x"), "a(b");
    EXPECT_TRUE(regex.Create("b", "abc"));  // the object stays usable
    EXPECT_EQ(regex.MatchCount(), 1);
  }
}

TEST(RegexObject, CatastrophicPatternEndsPromptlyWithoutMatches) {
  struct Case {
    const char* pattern;
    std::string subject;
  };
  // Every match costs 2^17 steps: each search stays within the step limits, all of them
  // together do not.
  std::string manyStarts;
  for (int i = 0; i < 3000; ++i) manyStarts += std::string(17, 'a') + "c";
  const Case cases[] = {
      {"(a+)+b", std::string(40, 'a') + "c b"},
      {"^(\\w+\\s?)*$", std::string(5000, 'a') + "!"},
      {"(a|aa)+$", std::string(100000, 'a') + "!"},
      {"^((a|aa)+)(b)(c)$", std::string(40, 'a') + "x\r\nbc"},
      {"(?:(a+)+b|a+c)", manyStarts},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    RegexObject regex;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(regex.Create(c.pattern, c.subject));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // About 100 ms; generous for a loaded machine.
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    EXPECT_EQ(regex.MatchCount(), 0);
    EXPECT_EQ(regex.SubmatchCount(), 0);
    EXPECT_EQ(regex.ReplaceMatches("x"), c.subject);
  }
}

TEST(RegexObject, HeavyButFiniteSearchStillMatches) {
  // The first alternative backtracks through 2^16 ways before the second matches:
  // more work than a quick search allows, well within the full limit.
  RegexObject regex;
  const std::string subject = "x" + std::string(16, 'a') + "c";
  ASSERT_TRUE(regex.Create("(?:(a+)+b|a+c)", subject));
  ASSERT_EQ(regex.MatchCount(), 1);
  EXPECT_EQ(regex.MatchText(1), subject.substr(1));

  // A long sample line with lazy groups.
  const std::string line = std::string(3000, 'm') + "--1656--" + std::string(3000, 'n');
  ASSERT_TRUE(regex.Create("^(.*?)--(.*?)--(.*?)$", line));
  EXPECT_EQ(regex.SubmatchText(1, 1).size(), 3000u);
  EXPECT_EQ(regex.SubmatchText(1, 2), "1656");
  EXPECT_EQ(regex.SubmatchText(1, 3).size(), 3000u);
}

TEST(RegexObject, QuoteToken) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create(Gbk("#引号(\\w+)#引号"), "say \"hi\"", false, true, true, true));
  EXPECT_EQ(regex.PatternText(), "\"(\\w+)\"");
  EXPECT_EQ(regex.SubmatchText(1, 1), "hi");
  // Off by default: the token is plain text.
  ASSERT_TRUE(regex.Create(Gbk("#引号"), Gbk("a#引号b")));
  EXPECT_EQ(regex.MatchText(1), Gbk("#引号"));
}

TEST(RegexObject, UsualEscapesOfTheDialect) {
  RegexObject regex;
  ASSERT_TRUE(regex.Create("\\u4E2D(\\d)", Gbk("中1")));
  EXPECT_EQ(regex.SubmatchText(1, 1), "1");
  ASSERT_TRUE(regex.Create("a[^]b", "a\nb"));
  EXPECT_EQ(regex.MatchCount(), 1);
  ASSERT_TRUE(regex.Create("(x)?\\1y", "y"));  // a reference to an unset group
  EXPECT_EQ(regex.MatchCount(), 1);
}

}  // namespace
}  // namespace itemsmith
