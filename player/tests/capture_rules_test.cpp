#include "player/capture_rules.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

using lc::CaptureFileName;
using lc::CaptureFolderFor;
using lc::NextFreeCaptureName;

TEST(CaptureNames, CounterPaddingExtensionAndSeparator) {
  struct Case {
    const char* folder;
    long long counter;
    int type;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Shots", 1, 1, "C:\\Shots\\Capture0001.jpg"},
      {"C:\\Shots", 42, 0, "C:\\Shots\\Capture0042.bmp"},
      {"C:\\Shots", 12345, 2, "C:\\Shots\\Capture12345.png"},
      {"C:\\Shots", 10000, 1, "C:\\Shots\\Capture10000.jpg"},
      {"C:\\Shots", 9999, 1, "C:\\Shots\\Capture9999.jpg"},
      {"C:\\Shots\\", 3, 0, "C:\\Shots\\Capture0003.bmp"},
      {"C:\\Shots", 5, 7, "C:\\Shots\\Capture0005.png"},
      {"C:\\Shots", 5, -1, "C:\\Shots\\Capture0005.png"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, CaptureFileName(c.folder, c.counter, c.type)) << c.counter << " " << c.type;
}

TEST(CaptureNames, FolderRule) {
  const auto exists = [](const std::string& folder) { return folder == "D:\\Pictures"; };
  const std::string desktop = "C:\\Users\\me\\Desktop";
  const std::string movie = "E:\\Movies\\Trip\\clip.avi";
  EXPECT_EQ(desktop, CaptureFolderFor("Desktop", desktop, movie, exists));
  EXPECT_EQ("D:\\Pictures", CaptureFolderFor("D:\\Pictures", desktop, movie, exists));
  // A chosen folder that no longer exists: the movie's folder.
  EXPECT_EQ("E:\\Movies\\Trip\\", CaptureFolderFor("D:\\Gone", desktop, movie, exists));
  EXPECT_EQ("E:\\Movies\\Trip\\", CaptureFolderFor("", desktop, movie, exists));
  // The desktop only by its exact name.
  EXPECT_EQ("E:\\Movies\\Trip\\", CaptureFolderFor("desktop", desktop, movie, exists));
  // The movie's folder name ends with its "\", so the capture name adds none.
  EXPECT_EQ("E:\\Movies\\Trip\\Capture0001.jpg",
            CaptureFileName(CaptureFolderFor("D:\\Gone", desktop, movie, exists), 1, 1));
}

TEST(CaptureNames, TakenNamesAreSkippedAndTheCounterKeepsGrowing) {
  std::set<std::string> files;
  const auto taken = [&](const std::string& name) { return files.count(name) > 0; };
  long long counter = 0;
  EXPECT_EQ("C:\\S\\Capture0001.jpg", NextFreeCaptureName(counter, "C:\\S", 1, taken));
  EXPECT_EQ(1, counter);

  files = {"C:\\S\\Capture0001.png", "C:\\S\\Capture0002.png"};
  long long fresh = 0;  // a new run starts again at 1
  EXPECT_EQ("C:\\S\\Capture0003.png", NextFreeCaptureName(fresh, "C:\\S", 2, taken));
  EXPECT_EQ(3, fresh);
  files.insert("C:\\S\\Capture0003.png");
  EXPECT_EQ("C:\\S\\Capture0004.png", NextFreeCaptureName(fresh, "C:\\S", 2, taken));
  // Another type's file does not take the name.
  long long other = 0;
  EXPECT_EQ("C:\\S\\Capture0001.bmp", NextFreeCaptureName(other, "C:\\S", 0, taken));
}

TEST(CaptureNames, TheLastNumberIsNeverOverwritten) {
  const auto all = [](const std::string&) { return true; };
  long long counter = 99999990;
  EXPECT_EQ("", NextFreeCaptureName(counter, "C:\\S", 0, all));
  EXPECT_EQ(99999999, counter);
  const auto none = [](const std::string&) { return false; };
  counter = 99999998;
  EXPECT_EQ("C:\\S\\Capture99999999.bmp", NextFreeCaptureName(counter, "C:\\S", 0, none));
  EXPECT_EQ("", NextFreeCaptureName(counter, "C:\\S", 0, none));
}

}  // namespace
