// The main window, TfrmMain: the small skinned control window of the
// player. It is the application's main form; closing it ends the program.
//
// This holds what the start-up and the end of the program need of it: the
// face, the caption by which a second instance finds it, the files a
// second instance hands over, the boss-key hot keys, the application's
// event handlers and the order of saving when it closes. GUI thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "kit/skin_host.h"
#include "player/boss_keys.h"
#include "framework/messages.h"

namespace lc::settings {
class SettingsHost;
}

struct THintInfo;

class TfrmMain : public TSkinForm {
 public:
  // `settingsHost` gathers the windows' live values when the settings file
  // is written at close; it must outlive the form.
  explicit TfrmMain(const lc::settings::SettingsHost& settingsHost);
  ~TfrmMain() override;

  // ---- program-wide state of the main window ----
  // True from creation until the end of the first activation.
  bool FirstActivationPending = true;
  // The files and folders of the last hand-over from a second instance,
  // kept for the opening code.
  std::vector<std::string> OpenFileList;
  // Playback was started from outside and may close the player at the end
  // of the list.
  bool CloseWhenListEnds = false;

  // ---- the boss key ----
  // Registers the hot key `id` (1 hide, 2 show) for this window, replacing
  // an earlier registration of that id; true when the platform accepted it.
  bool RegisterBossKey(lc::settings::ShortCut shortCut, int id);
  // Brings the hot keys in line with BossKey, BossKeyHide and BossKeyShow:
  // switched off or changed keys are released, a key that another program
  // holds stays unregistered (the setting is kept).
  void ApplyBossKeys();
  lc::BossKeys& BossKeys() { return *FBossKeys; }

  // ---- saving ----
  // TfrmMain.SaveConfiguration: writes the settings file.
  void SaveConfiguration();
  // TfrmMain.rmsSaveToHdd: writes the remembered movie settings.
  void rmsSaveToHdd();
  // TfrmMain.rmsLoadFromHdd: reads them.
  void rmsLoadFromHdd();

  // ---- the application's events, routed here by the start-up ----
  // (Minimise, restore and deactivate only concern playback and the video
  // window; their handlers come with them.)
  void OnExceptionEvent(TComponent* Sender, std::exception_ptr E);
  void OnShowHintEvent(std::wstring& HintStr, bool& CanShow, THintInfo& HintInfo);
  void OnModalBeginEvent(TComponent* Sender);
  void OnModalEndEvent(TComponent* Sender);

 protected:
  void DoShow() override;
  void Activate() override;
  void DoClose(TCloseAction& Action) override;
  void WndProc(TMessage& Message) override;

 private:
  void FormClose();
  void WMCopyData(TMessage& Message);
  void WMQueryOpenFileList(TMessage& Message);

  const lc::settings::SettingsHost& FSettingsHost;
  std::unique_ptr<lc::HotKeyApi> FHotKeyApi;
  std::unique_ptr<lc::BossKeys> FBossKeys;
};

// The main window; nullptr before the start-up creates it.
extern TfrmMain* frmMain;

// How long a hint of `length` characters stays, in milliseconds.
int HintDisplayTime(std::size_t length);
