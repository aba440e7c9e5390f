// The Windows folder access of the subtitle search.
#include "subtitles/win/subtitle_folders_win.h"

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

TEST(WinSubtitleFolders, DrivesAndFolders) {
  const WinSubtitleFolders folders;
  EXPECT_TRUE(folders.DriveReady('C'));
  EXPECT_TRUE(folders.DriveReady('c'));
  EXPECT_FALSE(folders.DriveReady('1'));
  EXPECT_TRUE(folders.FolderExists("C:\\windows\\"));
  EXPECT_FALSE(folders.FolderExists("C:\\no such folder here\\"));
  // A movie on drive C is searched for in its own folder.
  const SearchSettings settings{"", false, {"avi"}};
  EXPECT_EQ(std::vector<std::string>{"C:\\windows\\"},
            SearchFolders("C:\\windows\\film.avi", settings, folders));
}

}  // namespace
}  // namespace lc::subtitles
