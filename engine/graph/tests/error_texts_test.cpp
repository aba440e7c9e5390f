// Our error texts for the results a user meets, and the rule that decides
// when the platform's text says nothing.
#include "engine/graph/error_texts.h"

#include <gtest/gtest.h>

TEST(ErrorTexts, TheCodesOfAFailedOpeningHaveWords) {
  const struct {
    std::uint32_t Code;
    const wchar_t* Text;
  } cases[] = {
      {0x80040218, L"No combination of filters can play this file."},
      {0x80040265, L"The file format is not supported."},
      {0x80070002, L"The file was not found."},
      {0x8004022F, L"The file format is not valid."},
      {0x80040241, L"No source can read this file."},
      {0x80070020, L"The file is in use by another program."},
  };
  for (const auto& c : cases) {
    ASSERT_NE(OwnErrorText(c.Code), nullptr) << std::hex << c.Code;
    EXPECT_STREQ(OwnErrorText(c.Code), c.Text) << std::hex << c.Code;
  }
  EXPECT_EQ(OwnErrorText(0x80004005), nullptr);
  EXPECT_EQ(OwnErrorText(0), nullptr);
}

TEST(ErrorTexts, ATextIsBareWhenEmptyOrOnlyTheCode) {
  const struct {
    const wchar_t* Text;
    std::uint32_t Code;
    bool Bare;
  } cases[] = {
      {L"", 0x80040218, true},
      {L" .", 0x80040218, true},
      {L"Error: 0x80040218", 0x80040218, true},
      {L"Error: 0x8004025c", 0x8004025C, true},
      {L"Unknown error 80040265", 0x80040265, true},
      {L"No combination of filters could be found.", 0x80040218, false},
      {L"Error: 0x80040218", 0x80040265, false},
      {L"Error 0x8004021", 0x80040218, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorTextIsBare(c.Text, c.Code), c.Bare) << c.Code;
}

TEST(ErrorTexts, OursReplacesOnlyABareTextWeHaveWordsFor) {
  EXPECT_EQ(ChooseErrorText(L"Error: 0x80040218", 0x80040218), L"No combination of filters can play this file.");
  EXPECT_EQ(ChooseErrorText(L"", 0x80070002), L"The file was not found.");
  EXPECT_EQ(ChooseErrorText(L"Cannot play back the file.", 0x80040265), L"Cannot play back the file.");
  EXPECT_EQ(ChooseErrorText(L"Error: 0x80004005", 0x80004005), L"Error: 0x80004005");
}
