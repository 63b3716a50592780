#include "model/text_helpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/code_page.h"

namespace itemsmith {
namespace {

// Double-byte characters whose second byte is an ASCII delimiter: the bar 0x7C in
// "\x81\x7C" and the backslash 0x5C in "\x81\x5C". Neither second byte is a delimiter.
const std::string kTrailBar = "\x81\x7C";
const std::string kTrailBackslash = "\x81\x5C";

TEST(TextHelpers, DelimitersAreFoundOnlyAtCharacterBoundaries) {
  struct Case {
    std::string text, delimiter, before, after;
  };
  const std::vector<Case> cases = {
      {Utf8ToCodePage("Armor|防具"), "|", "Armor", Utf8ToCodePage("防具")},
      {"a|b|c", "|", "a", "c"},
      {"no bar", "|", "", ""},
      {"", "|", "", ""},
      {"|lead", "|", "", "lead"},
      {"trail|", "|", "trail", ""},
      {"text", "", "", ""},
      // The bar inside the character is not a delimiter; the one after it is.
      {kTrailBar + "|x", "|", kTrailBar, "x"},
      {"x|" + kTrailBar, "|", "x", kTrailBar},
      {kTrailBar + kTrailBar, "|", "", ""},
      // Runs of bytes that could all be lead bytes pair up from their start.
      {"\xB0\xA1|x", "|", "\xB0\xA1", "x"},
      {"\xB0\xB0\xB0|x", "|", "", ""},
      {"a\xB0\xB0\xB0\xB0|x|y", "|", "a\xB0\xB0\xB0\xB0", "y"},
      {"\xB0\xA1\xB0\x0D|", "|", "\xB0\xA1\xB0\x0D", ""},
      {"a" + kTrailBackslash + "\\b", "\\", "a" + kTrailBackslash, "b"},
      // Case-sensitive, multi-byte delimiters.
      {"aXbxc", "x", "aXb", "c"},
      {"one--two--three", "--", "one", "three"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.delimiter);
    EXPECT_EQ(TextBeforeDelimiter(c.text, c.delimiter), c.before);
    EXPECT_EQ(TextAfterDelimiter(c.text, c.delimiter), c.after);
  }
}

TEST(TextHelpers, FindTextAgreesWithAWalkOverCharacters) {
  // The search decides boundaries from the bytes before a candidate; compare it with
  // the plain walk from the start over random mixes of lead, trail and ASCII bytes.
  const std::string alphabet = "A|\x81\xB0\xA1\r\xFF\x7F\x5C";
  const auto walk = [](std::string_view text, std::string_view needle, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
      if (text.substr(i, needle.size()) == needle) return i;
    }
    return std::string_view::npos;
  };
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string text, needle;
    const size_t length = random() % 12;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    for (size_t i = 0, n = 1 + random() % 2; i < n; ++i) {
      needle += alphabet[random() % alphabet.size()];
    }
    // Start from a character boundary, as callers do.
    size_t from = 0;
    for (size_t steps = random() % 4; steps > 0 && from < text.size(); --steps) {
      from += CharLengthAt(text, from);
    }
    ASSERT_EQ(FindText(text, needle, from), walk(text, needle, from))
        << testing::PrintToString(text) << " / " << testing::PrintToString(needle) << " from "
        << from;
  }
}

TEST(TextHelpers, SplitNonEmptyDropsEmptyPieces) {
  struct Case {
    std::string text, delimiter;
    int maxPieces;
    std::vector<std::string> pieces;
  };
  const std::vector<Case> cases = {
      {"|1|3|", "|", 0, {"1", "3"}},
      {"", "|", 0, {}},
      {"|||", "|", 0, {}},
      {"solo", "|", 0, {"solo"}},
      {"a,,b", "", 0, {"a", "b"}},  // empty delimiter means a comma
      {kTrailBar + "|x", "|", 0, {kTrailBar, "x"}},
      {"a|b|c|d", "|", 2, {"a", "b"}},
      {"a||b|c", "|", 2, {"a", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitNonEmpty(c.text, c.delimiter, c.maxPieces), c.pieces);
  }
}

TEST(TextHelpers, CountLinesAndLineAt) {
  struct Case {
    std::string text;
    int count;
    std::vector<std::string> lines;  // LineAt(1..count+1); the last is past the end
  };
  const std::vector<Case> cases = {
      {"", 0, {""}},
      {"one", 1, {"one", ""}},
      {"one\r\ntwo", 2, {"one", "two", ""}},
      {"one\r\ntwo\r\n", 3, {"one", "two", "", ""}},
      {"\r\n\r\n", 3, {"", "", "", ""}},
      // A bare LF counts as a line for CountLines but does not split for LineAt.
      {"a\nb", 2, {"a\nb", "", ""}},
      // A stray lead byte before CR LF does not swallow the line break.
      {"a\x81\r\nb", 2, {"a\x81", "b", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CountLines(c.text), c.count);
    for (size_t n = 0; n < c.lines.size(); ++n) {
      EXPECT_EQ(LineAt(c.text, static_cast<int>(n) + 1), c.lines[n]) << "line " << n + 1;
    }
  }
  EXPECT_EQ(LineAt("one\r\ntwo", 0), "");
  EXPECT_EQ(LineAt("one\r\ntwo", -1), "");
}

TEST(TextHelpers, TrimBlanksRemovesAsciiAndFullWidthBlanksOnly) {
  const std::string fullWidthBlank = "\xA1\xA1";
  const std::string ah = "\xB0\xA1";  // a character whose second byte is A1
  struct Case {
    std::string text, trimmed;
  };
  const std::vector<Case> cases = {
      {"  name  ", "name"},
      {fullWidthBlank + " x " + fullWidthBlank, "x"},
      {fullWidthBlank + "x\t", "x\t"},  // tab stays
      {"\r\nx\r\n", "\r\nx\r\n"},
      {"   ", ""},
      {fullWidthBlank + fullWidthBlank, ""},
      {"", ""},
      {"a b", "a b"},
      {ah + fullWidthBlank, ah},
      // The trail A1 of a character and a stray A1 are no full-width blank.
      {ah + "\xA1", ah + "\xA1"},
      {" " + ah + " ", ah},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TrimBlanks(c.text), c.trimmed);
  }
}

TEST(TextHelpers, TextToIntReadsTheLeadingInteger) {
  struct Case {
    std::string text;
    int value;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"abc", 0},
      {"0x1F", 0},
      {"2000001", 2000001},
      {"  42abc", 42},
      {"\t\r\n\v\f+7", 7},
      {"-5", -5},
      {"3.9", 3},
      {"007", 7},
      {"- 5", 0},
      {Utf8ToCodePage("１２３"), 123},
      {Utf8ToCodePage("－５"), -5},
      {Utf8ToCodePage("　１2"), 12},  // full-width blank, then mixed digits
      {Utf8ToCodePage("１２三"), 12},
      // No overflow check: the value wraps modulo 2^32.
      {"2147483647", 2147483647},
      {"2147483648", -2147483647 - 1},
      {"4294967297", 1},
      {"-4294967295", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextToInt(c.text), c.value);
  }
}

TEST(TextHelpers, NumberToTextUsesThirteenSignificantDigits) {
  struct Case {
    double x;
    std::string text;
  };
  const std::vector<Case> cases = {
      {2000001.0 + 1.0, "2000002"},
      {0, "0"},
      {-0.0, "0"},
      {-5, "-5"},
      {0.5, "0.5"},
      {-1.25, "-1.25"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.3333333333333"},
      {0.0001, "0.0001"},
      {4294967294.0, "4294967294"},
      {-4294967296.0, "-4294967296"},
      {9999999999999.0, "9999999999999"},
      {1e13, "1e+13"},
      {-1234567890123456.0, "-1.234567890123e+15"},
      {99999999999999.5, "1e+14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberToText(c.x), c.text);
  }
}

TEST(TextHelpers, ReplaceAllStepsOverDoubleByteCharacters) {
  EXPECT_EQ(ReplaceAll("[ID] and [ID]", "[ID]", "7"), "7 and 7");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll(kTrailBar + "|", "|", "/"), kTrailBar + "/");
  // A value that contains the searched text is not searched again.
  EXPECT_EQ(ReplaceAll("x", "x", "xx"), "xx");
}

}  // namespace
}  // namespace itemsmith
