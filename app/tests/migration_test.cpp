#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/migration.h"

namespace lc {
namespace {

// A folder tree in memory: path -> content.
struct FakeDisk {
  std::map<std::string, std::string> files;
  std::set<std::string> readOnlyTargets;

  FileOps Ops() {
    return {[this](const std::string& p) { return files.count(p) != 0; },
            [this](const std::string& from, const std::string& to) {
              if (files.count(to) || readOnlyTargets.count(to)) return false;
              files[to] = files[from];
              return true;
            },
            [this](const std::string& p) { files.erase(p); }};
  }
};

const std::string kExe = "C:\\Programs\\Lumacraft\\";
const std::string kData = "C:\\Users\\me\\AppData\\Roaming\\Lumacraft\\";

TEST(Migration, MovesOnlyFilesThatExistOnlyInTheOldPlace) {
  FakeDisk disk;
  disk.files[kExe + "Lumacraft.ini"] = "old settings";
  disk.files[kData + "Lumacraft.ini"] = "new settings";
  disk.files[kExe + "Presets.EQ"] = "presets";
  disk.files[kExe + "Lumacraft.lpl"] = "playlist";

  auto moved = MigrateOldFiles(kExe, kData, "Lumacraft", disk.Ops());
  EXPECT_EQ(moved, (std::vector<std::string>{"Presets.EQ", "Lumacraft.lpl"}));
  EXPECT_EQ(disk.files[kData + "Lumacraft.ini"], "new settings");
  EXPECT_EQ(disk.files[kExe + "Lumacraft.ini"], "old settings");  // stays where it was
  EXPECT_EQ(disk.files[kData + "Presets.EQ"], "presets");
  EXPECT_FALSE(disk.files.count(kExe + "Presets.EQ"));
  EXPECT_FALSE(disk.files.count(kData + "Lumacraft.rs"));
}

TEST(Migration, FailedCopyKeepsTheOldFile) {
  FakeDisk disk;
  disk.files[kExe + "Lumacraft.rs"] = "remembered";
  disk.readOnlyTargets.insert(kData + "Lumacraft.rs");
  EXPECT_TRUE(MigrateOldFiles(kExe, kData, "Lumacraft", disk.Ops()).empty());
  EXPECT_EQ(disk.files[kExe + "Lumacraft.rs"], "remembered");
}

TEST(Migration, FoldersThatDifferOnlyInCaseAreTheSame) {
  FakeDisk disk;
  disk.files[kExe + "Lumacraft.ini"] = "settings";
  std::string upper = kExe;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(MigrateOldFiles(kExe, upper, "Lumacraft", disk.Ops()).empty());
  EXPECT_EQ(disk.files.size(), 1u);
}

TEST(Migration, NamesFollowTheBaseName) {
  EXPECT_EQ(MigratedFileNames("Player"),
            (std::vector<std::string>{"Player.ini", "Presets.EQ", "Player.rs", "Player.lpl"}));
}

}  // namespace
}  // namespace lc
