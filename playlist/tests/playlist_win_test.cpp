// The Windows pieces: the user locale's letter case and order, the folder
// identity behind the scan's cycle guard, and the names of a drop.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/unicode.h"
#include "playlist/file_system.h"
#include "playlist/folder_scan.h"
#include "playlist/tests/drop_support.h"
#include "playlist/text_rules.h"
#include "playlist/win/playlist_win.h"
#include "settings/tests/test_support.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;

class WindowsPlaylistTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallWindowsPlaylistServices(); }
  void TearDown() override { SetCollation(nullptr); }
};

TEST_F(WindowsPlaylistTest, LetterCaseAndOrderFollowTheUserLocale) {
  // Cyrillic and Greek letters fold too, beyond the portable rules.
  EXPECT_EQ(LowerText("C:\\\xD0\x9A\xD0\x98\xD0\x9D\xD0\x9E.AVI \xCE\xA3"),
            "c:\\\xD0\xBA\xD0\xB8\xD0\xBD\xD0\xBE.avi \xCF\x83");
  EXPECT_TRUE(SameTextNoCase("\xC3\x84rger.avi", "\xC3\xA4RGER.AVI"));
  // Accented letters sort beside their base letter, not after "z".
  Lines names = {"C:\\zebra.avi", "C:\\\xC3\x89t\xC3\xA9.avi", "C:\\Alpha.avi", "C:\\ete.avi"};
  SortByFileName(names);
  EXPECT_EQ(names, (Lines{"C:\\Alpha.avi", "C:\\ete.avi", "C:\\\xC3\x89t\xC3\xA9.avi", "C:\\zebra.avi"}));
  EXPECT_EQ(CurrentCollation().CompareNoCase("MOVIE.avi", "movie.AVI"), 0);
}

TEST_F(WindowsPlaylistTest, AFolderHasOneIdentityWhateverThePathSpelling) {
  settings::testing::ScratchFolder folder;
  std::filesystem::create_directories(folder.path() / "Movies" / "Inner");
  const DiskFileSystem disk;
  const std::string id = disk.FolderIdentity(folder.File("Movies"));
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(disk.FolderIdentity(folder.File("MOVIES\\Inner\\..\\")), id);
  EXPECT_NE(disk.FolderIdentity(folder.File("Movies\\Inner")), id);
  EXPECT_EQ(disk.FolderIdentity(folder.File("Missing")), "");
}

using testing::MakeDrop;

TEST_F(WindowsPlaylistTest, DroppedNamesAreReadWhole) {
  const std::wstring longName = L"C:\\" + std::wstring(300, L'x') + L"\\movie.avi";
  const std::wstring accented = L"D:\\Caf\u00e9\\\u6620\u753b.mkv";
  const std::vector<std::string> names = TakeDroppedFiles(MakeDrop({longName, accented}));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].size(), 313u);
  EXPECT_EQ(names[0], EncodeText(longName));
  EXPECT_EQ(names[1], "D:\\Caf\xC3\xA9\\\xE6\x98\xA0\xE7\x94\xBB.mkv");
}

}  // namespace
}  // namespace lc::playlist
