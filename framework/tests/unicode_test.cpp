#include <string>

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/unicode.h"

TEST(UnicodeTest, Utf8RoundTripsEveryPlane) {
  struct Case { const char* Utf8; std::wstring Wide; } Cases[] = {
      {"", L""},
      {"caf\xC3\xA9", L"caf\u00E9"},
      {"\xE2\x82\xAC 5", L"\u20AC 5"},
      {"\xF0\x9F\x8E\xAC", L"\U0001F3AC"},  // a surrogate pair in UTF-16
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(DecodeText(C.Utf8), C.Wide) << C.Utf8;
    EXPECT_EQ(EncodeText(C.Wide), C.Utf8) << C.Utf8;
  }
}

TEST(UnicodeTest, InvalidUtf8IsReplacedNotDropped) {
  EXPECT_EQ(DecodeText("a\xFF" "b"), L"a\uFFFDb");
}

TEST(UnicodeTest, NamedCodePageConvertsBothWays) {
  EXPECT_EQ(DecodeText("\x80\xE9", 1252), L"\u20AC\u00E9");
  EXPECT_EQ(EncodeText(L"\u20AC\u00E9", 1252), "\x80\xE9");
  // No form in Windows-1252: the code page's default character.
  EXPECT_EQ(EncodeText(L"\u0416", 1252), "?");
}
