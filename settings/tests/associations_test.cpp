#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/associations.h"
#include "settings/memory_registry.h"

namespace lc {
namespace {

constexpr RegRoot kHKCR = RegRoot::ClassesRoot;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;
const char kExe[] = "C:\\Programs\\Lumacraft\\Lumacraft.exe";

class AssociationsTest : public ::testing::Test {
 protected:
  std::string Default(RegRoot root, const std::string& key) const {
    return reg.ReadString(root, key, "").value_or("<missing>");
  }

  MemoryRegistry reg;
  int notifications = 0;
  Associations assoc{reg, "Lumacraft", kExe, [this] { ++notifications; }};
};

TEST_F(AssociationsTest, SetKeepsAnotherProgramsTypeAndRemoveRestoresIt) {
  reg.WriteString(kHKCR, ".avi", "", "OtherPlayer.avi");
  EXPECT_TRUE(assoc.SetRegExt("avi"));
  EXPECT_EQ(Default(kHKCR, ".avi"), "Lumacraft.File");
  EXPECT_EQ(reg.ReadString(kHKCR, ".avi", "LumacraftFileBak").value_or(""), "OtherPlayer.avi");
  EXPECT_TRUE(assoc.GetRegExt("avi"));

  // A second association must not overwrite the backup with our own name.
  EXPECT_TRUE(assoc.SetRegExt("avi"));
  EXPECT_EQ(reg.ReadString(kHKCR, ".avi", "LumacraftFileBak").value_or(""), "OtherPlayer.avi");

  EXPECT_TRUE(assoc.RemRegExt("avi"));
  EXPECT_EQ(Default(kHKCR, ".avi"), "OtherPlayer.avi");
  EXPECT_FALSE(reg.ReadString(kHKCR, ".avi", "LumacraftFileBak").has_value());
  EXPECT_FALSE(assoc.GetRegExt("avi"));
  EXPECT_FALSE(assoc.RegistryWriteError);
}

TEST_F(AssociationsTest, GetRegExtComparesExactly) {
  reg.WriteString(kHKCR, ".mkv", "", "lumacraft.file");
  EXPECT_FALSE(assoc.GetRegExt("mkv"));
  EXPECT_FALSE(assoc.GetRegExt("missing"));
}

TEST_F(AssociationsTest, RemoveWithoutBackupLeavesEmptyDefault) {
  ASSERT_TRUE(assoc.SetRegExt("mpg"));
  EXPECT_TRUE(assoc.RemRegExt("mpg"));
  EXPECT_EQ(Default(kHKCR, ".mpg"), "");
}

TEST_F(AssociationsTest, FallsBackToTheUsersClassesWhenMachineClassesAreReadOnly) {
  reg.SetReadOnly(kHKCR, true);
  EXPECT_TRUE(assoc.SetRegExt("mp4"));
  EXPECT_EQ(Default(kHKCU, "Software\\Classes\\.mp4"), "Lumacraft.File");
  EXPECT_TRUE(assoc.GetRegExt("mp4"));
  EXPECT_FALSE(assoc.RegistryWriteError);

  // Giving it back there deletes the per-user key when nothing is left.
  EXPECT_TRUE(assoc.RemRegExt("mp4"));
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Classes\\.mp4"));
  EXPECT_FALSE(assoc.RegistryWriteError);
}

TEST_F(AssociationsTest, FailureInBothRootsSetsTheWriteError) {
  reg.SetReadOnly(kHKCR, true);
  reg.SetReadOnly(kHKCU, true);
  EXPECT_FALSE(assoc.SetRegExt("wmv"));
  EXPECT_TRUE(assoc.RegistryWriteError);
}

// A type registered machine-wide cannot be given back by a user who may
// write neither there nor in a classes key of their own.
TEST_F(AssociationsTest, GivingBackFailsWhenTheUsersClassesKeyCannotBeMade) {
  ASSERT_TRUE(assoc.SetRegExt("avi"));
  reg.SetReadOnly(kHKCR, true);
  reg.SetReadOnly(kHKCU, true);
  EXPECT_FALSE(assoc.RemRegExt("avi"));
  EXPECT_TRUE(assoc.RegistryWriteError);
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Classes\\.avi"));
  EXPECT_EQ(Default(kHKCR, ".avi"), "Lumacraft.File");
}

// The in-memory registry deletes values as the system's does: a value or
// key that is not there counts as deleted, even where nothing may be
// written; one that is there cannot be deleted there.
TEST_F(AssociationsTest, StandInRegistryDeletesValuesAsTheSystemDoes) {
  ASSERT_TRUE(reg.WriteString(kHKCU, "Software\\Kept", "name", "value"));
  reg.SetReadOnly(kHKCU, true);
  EXPECT_TRUE(reg.DeleteValue(kHKCU, "Software\\Missing", "name"));
  EXPECT_TRUE(reg.DeleteValue(kHKCU, "Software\\Kept", "other"));
  EXPECT_FALSE(reg.DeleteValue(kHKCU, "Software\\Kept", "name"));
  EXPECT_EQ(reg.ReadString(kHKCU, "Software\\Kept", "name").value_or("<missing>"), "value");
  reg.SetReadOnly(kHKCU, false);
  EXPECT_TRUE(reg.DeleteValue(kHKCU, "Software\\Kept", "name"));
  EXPECT_EQ(reg.ReadString(kHKCU, "Software\\Kept", "name").value_or("<missing>"), "<missing>");
}

TEST_F(AssociationsTest, ProgIdSetHoldsTheVerbsAndFolderVerbs) {
  assoc.WriteProgIdSet();
  const std::string quoted = std::string("\"") + kExe + "\"";
  struct Expect {
    const char* key;
    std::string data;
  } table[] = {
      {"Lumacraft.File\\shell", "Play"},
      {"Lumacraft.File\\shell\\Play", "&Play in Lumacraft"},
      {"Lumacraft.File\\shell\\Play\\command", quoted},
      {"Lumacraft.File\\shell\\Play\\DDEExec", "/Play %L"},
      {"Lumacraft.File\\shell\\Play\\DDEExec\\Application", "Lumacraft"},
      {"Lumacraft.File\\shell\\Play\\DDEExec\\Topic", "System"},
      {"Lumacraft.File\\shell\\Enqueue", "&Enqueue in Lumacraft"},
      {"Lumacraft.File\\shell\\Enqueue\\DDEExec", "/AddFile %L"},
      {"Directory\\shell\\Lumacraft.Play", "&Play in Lumacraft"},
      {"Directory\\shell\\Lumacraft.Play\\command", quoted},
      {"Directory\\shell\\Lumacraft.Enqueue\\DDEExec", "/AddFolder %L"},
      {"Directory\\shell\\Lumacraft.Enqueue\\DDEExec\\Topic", "System"},
      {"Lumacraft.File\\Defaulticon", std::string(kExe) + ",0"},
  };
  for (const auto& row : table) EXPECT_EQ(Default(kHKCR, row.key), row.data) << row.key;
  EXPECT_TRUE(reg.KeyExists(kHKCR, "Lumacraft.File"));
  EXPECT_FALSE(reg.ReadString(kHKCR, "Lumacraft.File", "").has_value());
}

TEST_F(AssociationsTest, ProgIdSetFallsBackAndDeleteClearsBothRoots) {
  reg.SetReadOnly(kHKCR, true);
  assoc.WriteProgIdSet();
  EXPECT_EQ(Default(kHKCU, "Software\\Classes\\Lumacraft.File\\shell"), "Play");
  reg.SetReadOnly(kHKCR, false);
  assoc.DeleteProgramKeys();
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Classes\\Lumacraft.File"));
  EXPECT_FALSE(reg.KeyExists(kHKCU, "Software\\Classes\\Directory\\shell\\Lumacraft.Play"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Lumacraft.File"));
}

TEST_F(AssociationsTest, StartupRegistersThePlaylistTypeAndItsProgIdEvenWithNoMediaType) {
  std::vector<std::string> exts{"avi", "mkv"};
  std::string fa = "00";
  assoc.StartupRegistration(exts, fa, true);
  EXPECT_TRUE(assoc.GetRegExt("lpl"));
  // The playlist type points at the identifier, so the identifier exists.
  EXPECT_EQ(Default(kHKCR, "Lumacraft.File\\shell"), "Play");
  EXPECT_EQ(Default(kHKCR, "Lumacraft.File\\shell\\Enqueue\\DDEExec"), "/AddFile %L");
  EXPECT_EQ(Default(kHKCR, "Lumacraft.File\\Defaulticon"), std::string(kExe) + ",0");
  // No media type is ours: the folder entries stay away.
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Directory\\shell\\Lumacraft.Play"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Directory\\shell\\Lumacraft.Enqueue"));
  EXPECT_EQ(fa, "00");
  EXPECT_EQ(notifications, 1);

  // Nothing changed since: no second notification.
  assoc.StartupRegistration(exts, fa, true);
  EXPECT_EQ(notifications, 1);
}

TEST_F(AssociationsTest, StartupWritesTheFolderVerbsWhileAMediaTypeIsOurs) {
  std::vector<std::string> exts{"avi", "mkv"};
  std::string fa = "01";
  assoc.StartupRegistration(exts, fa, true);
  EXPECT_EQ(Default(kHKCR, "Directory\\shell\\Lumacraft.Play\\DDEExec"), "/Play %L");
  EXPECT_EQ(Default(kHKCR, "Directory\\shell\\Lumacraft.Enqueue\\DDEExec"), "/AddFolder %L");
}

TEST_F(AssociationsTest, StartupRestoresLostTypesOnlyWhenAsked) {
  std::vector<std::string> exts{"avi", "mkv", "mp4"};
  std::string fa = "101";
  assoc.StartupRegistration(exts, fa, false);
  EXPECT_FALSE(assoc.GetRegExt("avi"));
  assoc.StartupRegistration(exts, fa, true);
  EXPECT_TRUE(assoc.GetRegExt("avi"));
  EXPECT_FALSE(assoc.GetRegExt("mkv"));
  EXPECT_TRUE(assoc.GetRegExt("mp4"));
  EXPECT_EQ(fa, "101");
}

TEST_F(AssociationsTest, UninstallGivesBackOnlyWhatIsOurs) {
  reg.WriteString(kHKCR, ".lpl", "", "OtherPlayer.Playlist");
  reg.WriteString(kHKCR, ".avi", "", "OtherPlayer.avi");
  std::vector<std::string> exts{"avi", "mkv"};
  ASSERT_TRUE(assoc.SetRegExt("avi"));
  assoc.WriteProgIdSet();

  assoc.Uninstall(exts);
  EXPECT_EQ(Default(kHKCR, ".avi"), "OtherPlayer.avi");
  EXPECT_EQ(Default(kHKCR, ".lpl"), "OtherPlayer.Playlist");
  EXPECT_FALSE(reg.KeyExists(kHKCR, ".mkv"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Lumacraft.File"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Directory\\shell\\Lumacraft.Enqueue"));
}

TEST_F(AssociationsTest, UninstallGivesBackOurPlaylistType) {
  std::string fa;
  assoc.StartupRegistration({}, fa, false);
  ASSERT_TRUE(assoc.GetRegExt("lpl"));
  assoc.Uninstall({});
  EXPECT_FALSE(assoc.GetRegExt("lpl"));
}

TEST_F(AssociationsTest, AssociateAllMarksEachTypeAndNotifiesOnce) {
  std::vector<std::string> exts{"avi", "mkv"};
  std::string fa = "stale";
  assoc.AssociateAll(exts, fa);
  EXPECT_EQ(fa, "11");
  EXPECT_TRUE(assoc.AnyAssociated(exts));
  EXPECT_TRUE(assoc.GetRegExt("lpl"));
  EXPECT_EQ(Default(kHKCR, "Lumacraft.File\\shell\\Play\\DDEExec"), "/Play %L");
  EXPECT_EQ(notifications, 1);
}

TEST_F(AssociationsTest, ExtensionsThatAreNoKeyNamesAreNeverWritten) {
  for (const char* ext : {"", "..\\x", "a b", "avi;mkv", "x.y"}) {
    EXPECT_FALSE(assoc.SetRegExt(ext)) << ext;
    EXPECT_FALSE(assoc.RemRegExt(ext)) << ext;
    EXPECT_FALSE(assoc.GetRegExt(ext)) << ext;
  }
  EXPECT_EQ(reg.KeyCount(kHKCR), 0u);
  EXPECT_EQ(reg.KeyCount(kHKCU), 0u);
  EXPECT_FALSE(assoc.RegistryWriteError);
}

TEST_F(AssociationsTest, LegacyFolderVerbIsDeleted) {
  const std::string legacy = "Directory\\shell\\Lumacraft.\xC3\xBF" "Enqueue";
  reg.WriteString(kHKCR, legacy + "\\command", "", "x");
  assoc.DeleteLegacyFolderVerb();
  EXPECT_FALSE(reg.KeyExists(kHKCR, legacy));
}

TEST_F(AssociationsTest, DialogApplyRegistersCheckedAndGivesBackUncheckedTypes) {
  reg.WriteString(kHKCR, ".mkv", "", "OtherPlayer.mkv");
  assoc.SetRegExt("avi");  // ours before, unchecked now
  std::vector<std::string> extensions{"avi", "mpg"};
  std::string fileAssociation = "10";
  std::vector<bool> checks{false, true, false};
  assoc.ApplyFileTypes({"AVI", "MKV", "OGM"}, checks, extensions, fileAssociation);
  EXPECT_EQ((std::vector<std::string>{"avi", "mkv", "ogm"}), extensions);
  EXPECT_EQ("010", fileAssociation);
  EXPECT_EQ((std::vector<bool>{false, true, false}), checks);
  EXPECT_EQ(Default(kHKCR, ".avi"), "");
  EXPECT_EQ(Default(kHKCR, ".mkv"), "Lumacraft.File");
  EXPECT_EQ(reg.ReadString(kHKCR, ".mkv", "LumacraftFileBak").value_or(""), "OtherPlayer.mkv");
  EXPECT_EQ(Default(kHKCR, "Lumacraft.File\\shell\\Play\\command"), std::string("\"") + kExe + "\"");
  EXPECT_EQ(1, notifications);
  // The same lines again change nothing and tell the shell nothing.
  assoc.ApplyFileTypes({"AVI", "MKV", "OGM"}, checks, extensions, fileAssociation);
  EXPECT_EQ("010", fileAssociation);
  EXPECT_EQ(1, notifications);
}

TEST_F(AssociationsTest, DialogChecksNeedTheIdentifierToRunThisProgram) {
  assoc.SetRegExt("avi");
  assoc.WriteProgIdSet();
  EXPECT_EQ((std::vector<bool>{true, false}), assoc.AssociatedChecks({"avi", "mkv"}));
  // The program was moved: the identifier runs another path.
  reg.WriteString(kHKCR, "Lumacraft.File\\shell\\Play\\command", "", "\"D:\\Old\\Lumacraft.exe\"");
  EXPECT_EQ((std::vector<bool>{false, false}), assoc.AssociatedChecks({"avi", "mkv"}));
  // Letter case does not count; the default verb must be Play.
  reg.WriteString(kHKCR, "Lumacraft.File\\shell\\Play\\command", "", "\"C:\\PROGRAMS\\LUMACRAFT\\LUMACRAFT.EXE\"");
  EXPECT_TRUE(assoc.ProgIdIsOurs());
  reg.WriteString(kHKCR, "Lumacraft.File\\shell", "", "Enqueue");
  EXPECT_FALSE(assoc.ProgIdIsOurs());
}

}  // namespace
}  // namespace lc
