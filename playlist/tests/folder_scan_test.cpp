#include "playlist/folder_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "playlist/tests/fakes.h"
#include "settings/settings_store.h"
#include "settings/tests/test_support.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;
using testing::FakeFileSystem;

const Lines kExtensions = {"avi", "mkv", "mpg"};

TEST(FolderScan, FindsMoviesInNestedFoldersInListingOrder) {
  FakeFileSystem files;
  files.AddFile("C:\\x\\b.avi");
  files.AddFile("C:\\x\\sub\\deep\\c.MKV");
  files.AddFile("C:\\x\\sub\\d.Avi");
  files.AddFile("C:\\x\\notes.txt");
  files.AddFile("C:\\x\\noextension");
  files.AddFile("C:\\x\\a.mpg");
  files.AddFile("C:\\x\\.hidden\\e.avi");
  files.AddFile("C:\\x\\sub.avi\\f.avi");  // a folder named like a movie
  Lines found = {"C:\\before.avi"};
  ScanFolderForVideos(files, "C:\\x", kExtensions, found);
  EXPECT_EQ(found, (Lines{"C:\\before.avi", "C:\\x\\b.avi", "C:\\x\\sub\\deep\\c.MKV", "C:\\x\\sub\\d.Avi",
                          "C:\\x\\a.mpg", "C:\\x\\sub.avi\\f.avi"}));
  // A trailing separator is not doubled.
  Lines again;
  ScanFolderForVideos(files, "C:\\x\\sub\\", kExtensions, again);
  EXPECT_EQ(again, (Lines{"C:\\x\\sub\\deep\\c.MKV", "C:\\x\\sub\\d.Avi"}));
}

TEST(FolderScan, ALinkBackUpTheTreeIsNotFollowedAgain) {
  FakeFileSystem files;
  files.AddFile("C:\\x\\a.avi");
  files.AddFile("C:\\x\\y\\b.avi");
  files.AddLink("C:\\x\\y\\up", "C:\\x");        // a junction to its grandparent
  files.AddLink("C:\\x\\same", "C:\\x\\y");      // a second way into y
  Lines found;
  ScanFolderForVideos(files, "C:\\x", kExtensions, found);
  EXPECT_EQ(found, (Lines{"C:\\x\\a.avi", "C:\\x\\y\\b.avi"}));
  EXPECT_LE(files.folderListings, 2);
}

// On a drive that cannot tell a folder's identity a link back up the tree
// is followed down to the depth limit: the scan enters the folder 256
// levels below its start, no deeper, and ends.
TEST(FolderScan, ALinkLoopWithoutFolderIdentitiesEndsAtTheDepthLimit) {
  struct NoIdentities : FakeFileSystem {
    std::string FolderIdentity(const std::string&) const override { return {}; }
  } files;
  files.AddFile("C:\\x\\a.avi");
  files.AddLink("C:\\x\\up", "C:\\x");
  Lines found;
  ScanFolderForVideos(files, "C:\\x", kExtensions, found);
  ASSERT_EQ(257u, found.size());
  std::string deepest = "C:\\x\\";
  for (int level = 0; level < 256; ++level) deepest += "up\\";
  EXPECT_EQ(deepest + "a.avi", found.back());
}

TEST(FolderScan, AMissingFolderOrANameWithoutExtensionFindsNothing) {
  FakeFileSystem files;
  Lines found;
  ScanFolderForVideos(files, "C:\\nowhere", kExtensions, found);
  EXPECT_TRUE(found.empty());
  // A name ending in "." has no extension, even with an empty one listed.
  files.AddFile("C:\\y\\trailing.");
  ScanFolderForVideos(files, "C:\\y", Lines{"avi", ""}, found);
  EXPECT_TRUE(found.empty());
}

TEST(FolderScan, OnDiskWithMixedCaseExtensionsAndASymbolicLinkCycle) {
  settings::testing::ScratchFolder folder;
  const std::filesystem::path root = folder.path() / "x";
  std::filesystem::create_directories(root / "sub" / "deep");
  std::filesystem::create_directories(root / ".hidden");
  for (const char* name : {"x/One.AVI", "x/sub/two.mKv", "x/sub/deep/three.mpg", "x/.hidden/four.avi", "x/five.txt"})
    std::ofstream(folder.path() / name) << "x";
  std::error_code linkError;
  std::filesystem::create_directory_symlink(root, root / "sub" / "loop", linkError);

  DiskFileSystem disk;
  Lines found;
  ScanFolderForVideos(disk, folder.File("x"), settings::BuiltInMediaExtensions(), found);
  Lines names;
  for (const std::string& path : found) names.push_back(path.substr(folder.File("x").size()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{"\\One.AVI", "\\sub\\deep\\three.mpg", "\\sub\\two.mKv"}));
  if (linkError) std::printf("no symbolic link here (%s): the cycle was not tried\n", linkError.message().c_str());
}

TEST(SortByFileName, ComparesFileNamesIgnoringCaseAndFollowsOneIndex) {
  Lines paths = {"C:\\z\\b.avi", "D:\\a\\C.avi", "E:\\B.avi", "C:\\y\\a.avi"};
  EXPECT_EQ(SortByFileName(paths, 0), 1);
  EXPECT_EQ(paths, (Lines{"C:\\y\\a.avi", "C:\\z\\b.avi", "E:\\B.avi", "D:\\a\\C.avi"}));

  Lines again = {"b.avi", "a.avi"};
  EXPECT_EQ(SortByFileName(again, -1), -1);
  EXPECT_EQ(SortByFileName(again, 5), 5);
}

TEST(MediaExtension, IsTheTextAfterTheLastDotOfThePath) {
  EXPECT_TRUE(HasMediaExtension("C:\\a.b\\Movie.AVI", kExtensions));
  EXPECT_FALSE(HasMediaExtension("C:\\my.avi\\movie", kExtensions));
  EXPECT_FALSE(HasMediaExtension("C:\\movie", kExtensions));
  EXPECT_FALSE(HasMediaExtension("C:\\movie.avi.txt", kExtensions));
  EXPECT_FALSE(HasMediaExtension("C:\\movie.", Lines{"avi", ""}));
}

}  // namespace
}  // namespace lc::playlist
