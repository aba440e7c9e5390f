#include <gtest/gtest.h>

#include <limits>

#include "settings/shortcut.h"
#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

TEST(ValueParse, DecimalIntegersAcceptOnlySignAndDigits) {
  struct Case { const char* text; std::int32_t expected; };
  const Case cases[] = {
      {"42", 42}, {"-17", -17}, {"+5", 5}, {"007", 7},
      {"", -1}, {" 5", -1}, {"5 ", -1}, {"1e3", -1}, {"0x10", -1}, {"$10", -1}, {"-", -1},
      {"12abc", -1}, {"--3", -1},
      {"99999999999", std::numeric_limits<std::int32_t>::max()},
      {"-99999999999999999999999", std::numeric_limits<std::int32_t>::min()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrToIntDef(c.text, -1), c.expected) << "text: \"" << c.text << "\"";
  }
  // The 64-bit range holds to its last digits; beyond them it saturates.
  EXPECT_EQ(ParseDecimal("9000000000000000000"), 9000000000000000000);
  EXPECT_EQ(ParseDecimal("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ParseDecimal("9223372036854775808"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(ParseDecimal("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
}

TEST(ValueParse, BooleanRuleKeepsFallbackForOtherText) {
  struct Case { const char* text; bool fallback; bool expected; };
  const Case cases[] = {
      {"0", true, false}, {"1", false, true}, {"-3", false, true}, {"TRUE", false, true},
      {"false", true, false}, {"fAlSe", true, false}, {"", true, true}, {"", false, false},
      {"yes", false, false}, {"yes", true, true}, {" 1", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrToBoolDef(c.text, c.fallback), c.expected) << "text: \"" << c.text << "\"";
  }
}

TEST(ValueParse, StrToFloatDotAcceptsCommaOrDot) {
  struct Case { const char* text; double expected; };
  const Case cases[] = {
      {"1,78", 1.78}, {"1.78", 1.78}, {"-0.5", -0.5}, {"7", 7.0}, {"-", 0.0}, {".", 0.0},
      {",5", 0.5}, {"", 9.0}, {"+1", 9.0}, {"1.2.3", 9.0}, {" 1", 9.0}, {"abc", 9.0},
      {"1e5", 9.0}, {"--1", 9.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(StrToFloatDot(c.text, 9.0), c.expected) << "text: \"" << c.text << "\"";
  }
  EXPECT_DOUBLE_EQ(StrToFloatDot(std::string(400, '9'), 9.0), 9.0);
}

TEST(ValueParse, RoundingIsHalfToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<std::int64_t>::max());
}

TEST(Shortcut, TextRoundTrip) {
  struct Case { const char* text; ShortCut value; };
  const Case cases[] = {
      {"Num Del", 0x6E},
      {"Ctrl+Alt+S", static_cast<ShortCut>(kShortCutCtrl | kShortCutAlt | 'S')},
      {"Shift+F12", static_cast<ShortCut>(kShortCutShift | 0x7B)},
      {"Num 5", 0x65},
      {"PgUp", 0x21},
      {"Alt+Num +", static_cast<ShortCut>(kShortCutAlt | 0x6B)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
    EXPECT_EQ(ShortCutToText(c.value), c.text);
  }
  EXPECT_EQ(TextToShortCut("ctrl+alt+s"), TextToShortCut("Ctrl+Alt+S"));
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
  EXPECT_EQ(ShortCutToText(0), "");
}

// The edges of the code page and of the UTF-8 lengths.
TEST(TextEncoding, EdgesOfTheCodePageAndOfUtf8) {
  const AnsiCodec& codec = Windows1252Codec();
  EXPECT_EQ(codec.FromUtf8("\xC2\xA0"), "\xA0");        // no-break space, the first Latin-1 byte
  EXPECT_EQ(codec.FromUtf8("\xC3\xBF"), "\xFF");
  EXPECT_EQ(codec.FromUtf8("\xC2\x9F"), "?");            // a control with no place in the code page
  EXPECT_EQ(codec.FromUtf8("\xC2\x80"), "?");            // U+0080: the byte 0x80 is the euro sign
  EXPECT_EQ(codec.FromUtf8("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(codec.ToUtf8("\xA0"), "\xC2\xA0");
  // A four-byte sequence is one character outside the code page.
  EXPECT_EQ(codec.FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(codec.FromUtf8("a\xEF\xBF\xBD" "b"), "a?b");
  // A sequence cut short by the end of the text.
  EXPECT_EQ(codec.FromUtf8("a\xC3"), "a?");
  EXPECT_EQ(codec.FromUtf8("\xE2\x82"), "??");
}

TEST(TextEncoding, Windows1252RoundTripAndLimits) {
  const AnsiCodec& codec = Windows1252Codec();
  const std::string ansi = "caf\xE9 \x80 \x9F";
  const std::string utf8 = codec.ToUtf8(ansi);
  EXPECT_EQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8");
  EXPECT_EQ(codec.FromUtf8(utf8), ansi);
  EXPECT_EQ(codec.FromUtf8("\xE4\xB8\xAD"), "?");           // not in the code page
  EXPECT_EQ(codec.FromUtf8("a\xFF" "b"), "a?b");            // invalid UTF-8
  EXPECT_EQ(Utf8Length(utf8), 8u);
  EXPECT_EQ(Utf8Left(utf8, 4), "caf\xC3\xA9");
}

// Every character counts once against a length limit, however many bytes
// its UTF-8 form takes: the first and last lead bytes of two, three and
// four (Thai and Devanagari lead with 0xE0). A byte that leads nothing
// (0xC1, 0xF5) counts once, as do the bytes after it.
TEST(TextEncoding, EveryCharacterCountsOnceAgainstALimit) {
  const struct { const char* Name; const char* Char; std::size_t Length, LeftBytes; } cases[] = {
      {"U+00A0", "\xC2\xA0", 300, 512},          {"U+07FF", "\xDF\xBF", 300, 512},
      {"Thai ko kai", "\xE0\xB8\x81", 300, 768},  {"Devanagari ka", "\xE0\xA4\x95", 300, 768},
      {"U+FFFD", "\xEF\xBF\xBD", 300, 768},      {"U+1F600", "\xF0\x9F\x98\x80", 300, 1024},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", 300, 1024}, {"lead 0xC1", "\xC1\x81", 600, 256},
      {"lead 0xF5", "\xF5\x80\x80\x80", 1200, 256},
  };
  for (const auto& c : cases) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += c.Char;
    EXPECT_EQ(Utf8Length(text), c.Length) << c.Name;
    EXPECT_EQ(Utf8Left(text, 256).size(), c.LeftBytes) << c.Name;
  }
}

}  // namespace
}  // namespace lc::settings
