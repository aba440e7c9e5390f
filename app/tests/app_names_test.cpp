#include <gtest/gtest.h>

#include "app/app_names.h"

namespace lc {
namespace {

TEST(AppNames, BaseNameFollowsTheExecutableName) {
  struct Case {
    const char* file;
    const char* base;
  } cases[] = {
      {"Lumacraft.exe", "Lumacraft"}, {"LUMACRAFT.EXE", "Lumacraft"}, {"lumacraft.exe", "lumacraft"},
      {"Player.exe", "Player"},       {"LUMACRAFT.exe", "Lumacraft"}, {"My.Player.exe", "My.Player"},
      // Without a four-character extension only the extension goes.
      {"Player", "Player"},           {"Player.ex", "Player"},        {"a.b", "a"},
  };
  for (const auto& c : cases) EXPECT_EQ(BaseNameFromExeFileName(c.file), c.base) << c.file;
}

TEST(AppNames, FoldersAlwaysEndInABackslash) {
  EXPECT_EQ(FolderOf("C:\\Programs\\Lumacraft.exe"), "C:\\Programs\\");
  EXPECT_EQ(FolderOf("Z:/work/x/Lumacraft.exe"), "Z:/work/x\\");
  EXPECT_EQ(FileNameOf("C:\\Programs\\Lumacraft.exe"), "Lumacraft.exe");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data\\"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data"), "C:\\Data\\");
}

}  // namespace
}  // namespace lc
