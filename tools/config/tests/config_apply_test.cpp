// The configuration dialog's Apply and closing: what reaches the settings,
// the registry and the running player, in which order, and the error
// messages shown once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/memory_registry.h"
#include "tools/config/config_apply.h"

namespace lc::tools {
namespace {

using namespace lc::settings;

using NF = NumericField;

// The player as the dialog reaches it, recording what it is told.
class RecordingPlayer : public ConfigPlayerLinks {
 public:
  RecordingPlayer(std::vector<std::string>& calls, SettingsStore& s) : calls(calls), s(s) {}
  bool FullScreenShowing() const override { return fullScreen; }
  bool AlwaysOnTop() const override { return onTop; }
  void SetAlwaysOnTop(bool on) override {
    Log("top " + std::to_string(on));
    onTop = on;
  }
  void ClearPlaylistHints() override { Log("hints"); }
  void SetProcessPriority(int p) override { Log("priority " + std::to_string(p)); }
  void RecomputeDisplayLengths() override { Log("lengths"); }
  void SetPlaylistFontSize(int size) override { Log("font " + std::to_string(size)); }
  void SubtitleLookChanged() override { Log("look"); }
  bool GraphActive() const override { return graph; }
  void MarkMovieChanged() override { Log("score"); }
  void SaveConfiguration() override {
    Log("save " + s.LastUsedLanguage);
    savedSwitch = s.FullscreenModeSwitch;
    s.ConfigWriteError = writeFails;
  }
  bool RegisterBossKey(ShortCut key, int id) override {
    Log("register " + std::to_string(id) + " " + std::to_string(key));
    return key != refusedKey;
  }
  void UnregisterBossKeys() override { Log("unregister"); }
  void UncheckMovieMode() override { Log("movie mode"); }

  bool fullScreen = false, onTop = false, graph = false, writeFails = false;
  ShortCut refusedKey = 0xFFFF;
  std::string savedSwitch;  // FullscreenModeSwitch when the file was written

 private:
  void Log(const std::string& what) { calls.push_back(what); }
  std::vector<std::string>& calls;
  SettingsStore& s;
};

class ConfigApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.MediaExtensions = {"avi", "mkv"};
    s.FileAssociation = "00";
    s.LastUsedLanguage = "English (built in)";
    s.AverageDisplayTime = 2200;
    s.PlaylistFontSize = 10;
    s.CpuPriority = 2;
    s.DisplayHintInPlaylist = true;
    c = ControlsFromSettings(s, {false, false});
    language.Folder = "C:\\Lumacraft\\lang\\";
    language.Load = [this](const std::string& file) {
      Log("load " + file);
      return file.find("Broken") == std::string::npos;
    };
    language.SetDefault = [this] { Log("english"); };
  }
  void Log(const std::string& what) { calls.push_back(what); }
  ConfigApplyResult Apply() {
    return ApplyConfig(c, s, associations, registryWriteError, language, links);
  }

  SettingsStore s;
  ConfigControls c;
  MemoryRegistry reg;
  Associations associations{reg, "Lumacraft", "C:\\Lumacraft\\Lumacraft.exe"};
  bool registryWriteError = true;  // left over from before: cleared by Apply
  ConfigLanguage language;
  std::vector<std::string> calls;
  RecordingPlayer links{calls, s};
};

TEST_F(ConfigApplyTest, UnchangedControlsTellThePlayerAndWriteTheFile) {
  const ConfigApplyResult r = Apply();
  EXPECT_EQ((std::vector<std::string>{"priority 2", "font 10", "look", "save English (built in)"}), calls);
  EXPECT_FALSE(r.Recaption);
  EXPECT_FALSE(r.ShowWriteError);
  EXPECT_FALSE(r.ShowRegistryError);
  EXPECT_FALSE(registryWriteError);
}

TEST_F(ConfigApplyTest, ChangedOptionsReachTheSettingsAndThePlayerInOrder) {
  c.General[7] = false;  // no hints in the playlist
  c.Priority = 0;
  c.Number(NF::AverageDisplayTime) = "3000";
  c.Number(NF::PlaylistFontSize) = "14";
  links.graph = true;
  Apply();
  EXPECT_EQ((std::vector<std::string>{"hints", "priority 0", "lengths", "font 14", "look", "score",
                                      "save English (built in)"}),
            calls);
  EXPECT_EQ(3000, s.AverageDisplayTime);
  EXPECT_EQ(0, s.CpuPriority);
  EXPECT_FALSE(s.DisplayHintInPlaylist);
}

TEST_F(ConfigApplyTest, FileTypesAreRegisteredAndTheListRefreshed) {
  c.FileTypeLines.push_back("OGM");
  c.FileTypeChecks = {true, false, true};
  c.RegisterExtensionsOnLoad = true;
  Apply();
  EXPECT_EQ((std::vector<std::string>{"avi", "mkv", "ogm"}), s.MediaExtensions);
  EXPECT_EQ("101", s.FileAssociation);
  EXPECT_TRUE(s.RegisterExtensionsOnLoad);
  EXPECT_EQ((std::vector<bool>{true, false, true}), c.FileTypeChecks);
  EXPECT_EQ("Lumacraft.File", reg.ReadString(RegRoot::ClassesRoot, ".ogm", "").value_or(""));
}

TEST_F(ConfigApplyTest, AlwaysOnTopFollowsTheOptionOnlyInFullScreen) {
  c.General[10] = true;
  Apply();
  EXPECT_FALSE(links.onTop);  // not in full screen
  links.fullScreen = true;
  Apply();
  EXPECT_TRUE(links.onTop);
  c.General[10] = false;
  calls.clear();
  Apply();
  EXPECT_FALSE(links.onTop);
  EXPECT_EQ("top 0", calls.front());
  calls.clear();
  Apply();  // already off: nothing to clear
  EXPECT_EQ("priority 2", calls.front());
}

TEST_F(ConfigApplyTest, LanguageChangesOnlyWhenTheFileIsAccepted) {
  c.Language = "German";
  EXPECT_TRUE(Apply().Recaption);
  EXPECT_EQ("German", s.LastUsedLanguage);
  EXPECT_EQ("load C:\\Lumacraft\\lang\\German.lng", calls[3]);
  EXPECT_EQ("save German", calls.back());

  c.Language = "Broken";
  EXPECT_TRUE(Apply().Recaption);
  EXPECT_EQ("German", s.LastUsedLanguage);

  c.Language = "GERMAN";  // the same language in other letters: nothing to do
  calls.clear();
  EXPECT_FALSE(Apply().Recaption);
  EXPECT_EQ("save German", calls.back());
  EXPECT_EQ(4u, calls.size());

  c.Language = "English (built in)";
  EXPECT_TRUE(Apply().Recaption);
  EXPECT_EQ("English (built in)", s.LastUsedLanguage);
  EXPECT_EQ("english", calls[calls.size() - 2]);
}

TEST_F(ConfigApplyTest, NoChangeTakesTheNewLanguagesWordBeforeTheFileIsWritten) {
  std::string noChange = "No change";
  language.NoChangeText = [&] { return noChange; };
  language.Load = [&](const std::string& file) {
    noChange = file.find("Broken") == std::string::npos ? "Keine Aenderung" : "No change";
    return file.find("Broken") == std::string::npos;
  };
  language.SetDefault = [&] { noChange = "No change"; };
  c.FullscreenModeSwitch = "No change";
  c.Language = "German";
  Apply();
  EXPECT_EQ("Keine Aenderung", links.savedSwitch);
  EXPECT_EQ("Keine Aenderung", s.FullscreenModeSwitch);
  // Back to the built-in texts.
  c.FullscreenModeSwitch = "Keine Aenderung";
  c.Language = "English (built in)";
  Apply();
  EXPECT_EQ("No change", links.savedSwitch);
  // A chosen display mode stays whatever the language.
  c.FullscreenModeSwitch = "800 x 600 x 60 Hz";
  c.Language = "German";
  Apply();
  EXPECT_EQ("800 x 600 x 60 Hz", links.savedSwitch);
}

TEST_F(ConfigApplyTest, WriteErrorsAreReportedOnceUnlessSilenced) {
  links.writeFails = true;
  ConfigApplyResult r = Apply();
  EXPECT_TRUE(r.ShowWriteError);
  EXPECT_FALSE(s.ConfigWriteError);
  s.DontShowWritingError = true;
  r = Apply();
  EXPECT_FALSE(r.ShowWriteError);
  EXPECT_FALSE(s.ConfigWriteError);
}

TEST_F(ConfigApplyTest, RegistryErrorsAreReportedOnceUnlessSilenced) {
  // Neither root can be written.
  reg.SetReadOnly(RegRoot::ClassesRoot, true);
  reg.SetReadOnly(RegRoot::CurrentUser, true);
  c.FileTypeChecks = {true, false};
  ConfigApplyResult r = Apply();
  EXPECT_TRUE(r.ShowRegistryError);
  EXPECT_FALSE(registryWriteError);
  EXPECT_EQ((std::vector<bool>{false, false}), c.FileTypeChecks);
  s.DontShowRegistryError = true;
  c.FileTypeChecks = {true, false};
  r = Apply();
  EXPECT_FALSE(r.ShowRegistryError);
}

TEST_F(ConfigApplyTest, ClosingRegistersTheBossKeysAgainOrReleasesThem) {
  s.BossKey = true;
  s.BossKeyHide = 0x006E;
  s.BossKeyShow = 0xC053;
  links.refusedKey = 0xC053;  // another program holds it
  CloseBossKeys(s, links);
  EXPECT_EQ((std::vector<std::string>{"register 1 110", "register 2 49235"}), calls);
  EXPECT_EQ(0x006E, s.BossKeyHide);
  EXPECT_EQ(0, s.BossKeyShow);

  // A cleared shortcut is handed on as 0, which releases the old key.
  calls.clear();
  s.BossKeyHide = 0;
  s.BossKeyShow = 0x4041;
  CloseBossKeys(s, links);
  EXPECT_EQ((std::vector<std::string>{"register 1 0", "register 2 16449"}), calls);

  // A refused hide key is dropped as well.
  calls.clear();
  s.BossKeyHide = 0x0071;
  links.refusedKey = 0x0071;
  CloseBossKeys(s, links);
  EXPECT_EQ(0, s.BossKeyHide);
  EXPECT_EQ(0x4041, s.BossKeyShow);

  calls.clear();
  s.BossKey = false;  // switched off: the hot keys go
  CloseBossKeys(s, links);
  EXPECT_EQ((std::vector<std::string>{"unregister"}), calls);
  EXPECT_EQ(0x4041, s.BossKeyShow);
}

}  // namespace
}  // namespace lc::tools
