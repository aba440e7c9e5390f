#include "playlist/text_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace lc::playlist {
namespace {

TEST(TextRules, PathParts) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
  };
  const Case cases[] = {
      {"C:\\Movies\\Film.AVI", "C:\\Movies\\", "Film.AVI", "avi"},
      {"C:Film.avi", "C:", "Film.avi", "avi"},
      {"\\\\server\\share\\a.b.Mkv", "\\\\server\\share\\", "a.b.Mkv", "mkv"},
      {"C:\\my.folder\\film", "C:\\my.folder\\", "film", "folder\\film"},
      {"film", "", "film", ""},
      {"C:/mixed/Film.Mpg", "C:/mixed/", "Film.Mpg", "mpg"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    EXPECT_EQ(ExtensionOf(c.path), c.extension) << c.path;
  }
  EXPECT_EQ(WithSeparator("C:\\x"), "C:\\x\\");
  EXPECT_EQ(WithSeparator("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(WithSeparator("/tmp/x/"), "/tmp/x/");
}

TEST(TextRules, PortableLetterCase) {
  // ASCII, Latin-1 (the multiplication sign is no letter) and Latin
  // Extended-A in both of its pairings; other letters keep their form.
  EXPECT_EQ(LowerText("AZaz09.\\"), "azaz09.\\");
  EXPECT_EQ(LowerText("\xC3\x80\xC3\x9E\xC3\x97\xC3\x9F"), "\xC3\xA0\xC3\xBE\xC3\x97\xC3\x9F");  // ÀÞ×ß
  EXPECT_EQ(LowerText("\xC4\x8C\xC5\x81\xC5\xBD\xC5\x92"), "\xC4\x8D\xC5\x82\xC5\xBE\xC5\x93");  // ČŁŽŒ
  EXPECT_EQ(LowerText("\xC4\xB0\xC5\xB8\xD0\x9A"), "\xC4\xB0\xC5\xB8\xD0\x9A");  // İŸК
  // The first and last letters of Latin Extended-A.
  EXPECT_EQ(LowerText("\xC4\x80\xC5\xBD\xC5\xBF"), "\xC4\x81\xC5\xBE\xC5\xBF");  // ĀŽſ
  EXPECT_TRUE(SameTextNoCase("C:\\Caf\xC3\x89.AVI", "c:\\caf\xC3\xA9.avi"));
  EXPECT_FALSE(SameTextNoCase("a.avi", "a.avi "));
  EXPECT_LT(CurrentCollation().CompareNoCase("ABC", "abd"), 0);
  EXPECT_GT(CurrentCollation().CompareNoCase("b", "A"), 0);
  EXPECT_EQ(CurrentCollation().CompareNoCase("\xC3\x84", "\xC3\xA4"), 0);
}

}  // namespace
}  // namespace lc::playlist
