// The associations against Wine's real registry: the same operations as
// with the in-memory registry, under a program name and extensions of this
// test's own, removed again at the end.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "settings/associations.h"
#include "settings/win/registry_win.h"

namespace lc {
namespace {

constexpr RegRoot kHKCR = RegRoot::ClassesRoot;
constexpr RegRoot kHKCU = RegRoot::CurrentUser;

class WinAssociationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string id = std::to_string(GetCurrentProcessId());
    app = "LcRegTest" + id;
    extA = "lcra" + id;
    extB = "lcrb" + id;
    TearDown();
  }
  void TearDown() override {
    for (const std::string& key : {"." + extA, "." + extB, app + ".File"}) {
      reg.DeleteTree(kHKCR, key);
      reg.DeleteTree(kHKCU, "Software\\Classes\\" + key);
    }
  }
  std::string Default(RegRoot root, const std::string& key) const {
    return reg.ReadString(root, key, "").value_or("<missing>");
  }

  WinRegistry reg;
  std::string app, extA, extB;
  const std::string exe = "C:\\Programs\\Lc\\Lc.exe";
};

TEST_F(WinAssociationsTest, RegistryMissingKeysAndValuesAreReportedAsSuch) {
  EXPECT_FALSE(reg.KeyExists(kHKCR, "." + extA));
  EXPECT_FALSE(reg.ReadString(kHKCR, "." + extA, "").has_value());
  EXPECT_FALSE(reg.DeleteTree(kHKCR, "." + extA));
  EXPECT_TRUE(reg.DeleteValue(kHKCR, "." + extA, "none"));
  ASSERT_TRUE(reg.WriteString(kHKCR, "." + extA + "\\sub\\deeper", "name", "caf\xC3\xA9"));
  EXPECT_EQ(reg.ReadString(kHKCR, "." + extA + "\\sub\\deeper", "name").value_or(""), "caf\xC3\xA9");
  EXPECT_TRUE(reg.DeleteTree(kHKCR, "." + extA));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "." + extA + "\\sub"));
}

TEST_F(WinAssociationsTest, AssociationKeepsAndRestoresAnotherProgramsType) {
  Associations assoc(reg, app, exe);
  ASSERT_TRUE(reg.WriteString(kHKCR, "." + extA, "", "Other.Type"));
  EXPECT_TRUE(assoc.SetRegExt(extA));
  EXPECT_TRUE(assoc.SetRegExt(extB));
  EXPECT_TRUE(assoc.GetRegExt(extA));
  EXPECT_EQ(reg.ReadString(kHKCR, "." + extA, app + "FileBak").value_or("<missing>"), "Other.Type");

  EXPECT_TRUE(assoc.RemRegExt(extA));
  EXPECT_TRUE(assoc.RemRegExt(extB));
  EXPECT_EQ(Default(kHKCR, "." + extA), "Other.Type");
  EXPECT_FALSE(reg.ReadString(kHKCR, "." + extA, app + "FileBak").has_value());
  EXPECT_EQ(Default(kHKCR, "." + extB), "");
  EXPECT_FALSE(assoc.RegistryWriteError);
}

TEST_F(WinAssociationsTest, ProgIdSetIsWrittenAndDeletedWithItsFolderVerbs) {
  Associations assoc(reg, app, exe);
  assoc.WriteProgIdSet();
  EXPECT_EQ(Default(kHKCR, app + ".File\\shell"), "Play");
  EXPECT_EQ(Default(kHKCR, app + ".File\\shell\\Play\\command"), "\"" + exe + "\"");
  EXPECT_EQ(Default(kHKCR, app + ".File\\shell\\Enqueue\\DDEExec"), "/AddFile %L");
  EXPECT_EQ(Default(kHKCR, "Directory\\shell\\" + app + ".Enqueue\\DDEExec"), "/AddFolder %L");
  EXPECT_EQ(Default(kHKCR, app + ".File\\Defaulticon"), exe + ",0");

  assoc.DeleteProgramKeys();
  EXPECT_FALSE(reg.KeyExists(kHKCR, app + ".File"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Directory\\shell\\" + app + ".Play"));
  EXPECT_FALSE(reg.KeyExists(kHKCR, "Directory\\shell\\" + app + ".Enqueue"));
}

}  // namespace
}  // namespace lc
