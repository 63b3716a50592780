#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace itemsmith {
namespace {

TEST(CodePage, ConvertsChineseBothWays) {
  // The model name default: four GBK bytes that read as two characters.
  EXPECT_EQ(Utf8ToCodePage("荤苞"), "\xBB\xE7\xB0\xFA");
  EXPECT_EQ(CodePageToUtf8("\xBB\xE7\xB0\xFA"), "荤苞");
  EXPECT_EQ(CodePageToUtf8(Utf8ToCodePage("测试道具 ABC")), "测试道具 ABC");
}

TEST(CodePage, UserDefinedAreasRoundTrip) {
  // glibc's CP936 rejects these; code page 936 maps them to private-use characters.
  for (const char* bytes : {"\xAA\xA1", "\xF8\xFE", "\xA1\x40", "\xA7\xA0"}) {
    const std::string utf8 = CodePageToUtf8(bytes);
    EXPECT_NE(utf8, "\xEF\xBF\xBD") << "bytes decoded as invalid";
    EXPECT_EQ(Utf8ToCodePage(utf8), bytes);
  }
  EXPECT_EQ(CodePageToUtf8("\xAA\xA1"), "\xEE\x80\x80");  // U+E000
}

TEST(CodePage, UnmappableCharacterBecomesQuestionMark) {
  EXPECT_EQ(Utf8ToCodePage("a😀b"), "a?b");  // never a four-byte GB18030 sequence
  EXPECT_EQ(Utf8ToCodePage("한"), "?");
  EXPECT_EQ(Utf8ToCodePage("x\xFFy"), "x?y");  // invalid UTF-8
  EXPECT_EQ(Utf8ToCodePage("€"), "\x80");
}

TEST(CodePage, InvalidBytesDecodeWithoutCrash) {
  EXPECT_EQ(CodePageToUtf8("\xFF"), "\xEF\xBF\xBD");
  EXPECT_EQ(CodePageToUtf8("a\x81"), "a\xEF\xBF\xBD");  // lead byte at the end
  EXPECT_EQ(CodePageToUtf8("\x81\x30"),
            "\xEF\xBF\xBD"
            "0");
  EXPECT_EQ(CodePageToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage, CodePointsAreLosslessForAnyBytes) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  for (int lead = 0x81; lead <= 0xFE; lead += 7) {
    for (int trail = 0x30; trail <= 0xFF; trail += 3) {
      every += static_cast<char>(lead);
      every += static_cast<char>(trail);
    }
  }
  EXPECT_EQ(CodePointsToCodePage(CodePageToCodePoints(every)), every);

  // Every pair of the table, one at a time: were two pairs to decode to the same
  // character, text shown in the window would be saved as the other pair's bytes.
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      ASSERT_EQ(CodePointsToCodePage(CodePageToCodePoints(pair)), pair);
      if (CodePageToCodePoints(pair).size() == 1) {
        ASSERT_EQ(Utf8ToCodePage(CodePageToUtf8(pair)), pair);
      }
    }
  }
  // A valid character is one code point, so a regex "." never splits it.
  EXPECT_EQ(CodePageToCodePoints(Utf8ToCodePage("测试")).size(), 2u);
}

}  // namespace
}  // namespace itemsmith
