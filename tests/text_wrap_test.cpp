// The message boxes' line breaking: lines that fit, characters never cut,
// the text otherwise untouched; the help box's text across screen widths.
#include "platform/text_wrap.h"

#include <gtest/gtest.h>

#include <string>

#include "statements/dispatcher.h"

namespace {

// The widest line of `text`, in columns.
int widestLine(const std::string& text) {
  int widest = 0;
  size_t start = 0;
  for (;;) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    int used = 0;
    for (size_t i = 0; i < line.size();) {
      const unsigned char lead = line[i];
      const size_t size = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      used += size >= 3 ? 2 : 1;  // the cases' 3-byte characters are all wide
      i += size;
    }
    widest = std::max(widest, used);
    if (end == text.size()) return widest;
    start = end + 1;
  }
}

std::string withoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\n' && c != '\t') out += c;
  }
  return out;
}

TEST(TextWrap, LinesBreakWhereTheyMayAndFit) {
  const struct {
    const char* text;
    int width;
    const char* want;
  } cases[] = {
      {"abcd", 4, "abcd"},             // exactly the width: no break
      {"abcd efgh", 4, "abcd\nefgh"},  // the blank becomes the break
      {"abcd efgh", 9, "abcd efgh"},
      {"ab cd ef gh", 5, "ab cd\nef gh"},   // the last blank that fits
      {"ab   cd", 3, "ab\ncd"},             // a run of blanks is one break
      {"abcdefghij", 4, "abcd\nefgh\nij"},  // no blank: between characters
      {"a verylongword b", 6, "a\nverylo\nngword\nb"},
      {"ab\ncd ef\n\ngh", 2, "ab\ncd\nef\n\ngh"},  // breaks of the text stay
      {"abc  ", 3, "abc  "},                       // trailing blanks stay put
      {"", 5, ""},
      {"abc def", 0, "abc def"},  // no room known: unchanged
      // Japanese: beside any wide character, but never before 、 or 。
      {"付属のファイル", 6, "付属の\nファイ\nル"},
      {"あいう、えお", 6, "あい\nう、え\nお"},
      {"付属のReadMe_J.txtや、file:///a/b.mdを参考に", 24,
       "付属のReadMe_J.txtや、\nfile:///a/b.mdを参考に"},
      {"見てhttp://example.org/guideを", 12, "見て\nhttp://examp\nle.org/guide\nを"},
      {"「ゲーム」です", 6, "「ゲー\nム」で\nす"},  // ー and 」 do not start a line
      {"あい", 1, "あ\nい"},                        // a character wider than the line
      // Bytes that are not UTF-8 are characters of their own.
      {"ab\xE3\x81"
       "cd",
       3,
       "ab\xE3\n\x81"
       "cd"},
      {"\xFF\xFE\xC0\xAF", 2, "\xFF\xFE\n\xC0\xAF"},
      {"\xED\xA0\x80", 2, "\xED\xA0\n\x80"},  // a surrogate's encoding
      {"a\xF0\x9F\x98\x80"
       "b",
       3, "a\xF0\x9F\x98\x80\nb"},  // four bytes, wide
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::wrapText(c.text, c.width), c.want) << c.text << " at " << c.width;
  }
}

// Whatever the screen's width, the help box says exactly its text, with
// lines added and no character cut.
TEST(TextWrap, HelpTextFitsEveryWidthAndStaysItself) {
  const std::string help = HelpText;
  ASSERT_NE(help.find("を参考にして下さい"), std::string::npos);
  for (int width = 2; width <= 120; ++width) {
    const std::string shown = platform::wrapText(help, width);
    EXPECT_EQ(withoutBlanks(shown), withoutBlanks(help)) << width;
    EXPECT_LE(widestLine(shown), width) << shown;
    for (size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] != '\n') continue;
      EXPECT_NE(shown[i + 1] & 0xC0, 0x80) << "cut at " << i << ": " << shown;
    }
  }
  EXPECT_EQ(platform::wrapText(help, 200), help);
}

TEST(TextWrap, MeasuresWithTheGivenWidthsAndKeepsTheBoxsRows) {
  // A proportional font: "i" narrow, "W" wide.
  const auto pixels = [](uint32_t c) { return c == 'i' ? 3 : c == 'W' ? 12 : 8; };
  EXPECT_EQ(platform::wrapText("iiii WW", 24, pixels), "iiii\nWW");
  EXPECT_EQ(platform::wrapText("WWW", 24, pixels), "WW\nW");
  EXPECT_EQ(platform::columnsOf('\r'), 0);  // the cases above show the others' widths
  // A box cut to its rows ends with an ellipsis.
  EXPECT_EQ(platform::keepLines("a\nb\nc\nd", 3), "a\nb\n…");
  EXPECT_EQ(platform::keepLines("a\nb\nc", 3), "a\nb\nc");
  EXPECT_EQ(platform::keepLines("a\nb", 0), "a\nb");
  EXPECT_EQ(platform::keepLines("a\nb", 3), "a\nb");
  EXPECT_EQ(platform::keepLines("a\nb", 1), "…");
}

}  // namespace
