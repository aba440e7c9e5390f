// The program-wide values that the start-up fixes and every subsystem reads:
// the base name and folders, the settings, the remembered movie settings,
// the display modes offered for full-screen switching and the flags that
// several windows consult. Strings are UTF-8. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "settings/rms_background_save.h"
#include "settings/rms_file.h"
#include "settings/rms_table.h"
#include "settings/settings_store.h"

namespace lc {

struct ProgramNames {
  std::string AppName;         // the base name ("Lumacraft")
  std::string ExeFileName;     // "Lumacraft.exe"
  std::string ExePath;         // the executable's full path
  std::string ExeFolder;       // ends in "\"
  std::string DataFolder;      // the per-user data folder, ends in "\"
  std::string ConfigFileName;  // DataFolder + AppName + ".ini"
  bool IsWin9x = false;

  // DataFolder + AppName + ".rs": the remembered movie settings.
  std::string RmsFileName() const { return DataFolder + AppName + ".rs"; }
  // DataFolder + AppName + ".lpl": the automatically saved playlist.
  std::string AutoPlaylistFileName() const { return DataFolder + AppName + ".lpl"; }
};

struct ProgramState {
  ProgramNames Names;
  settings::SettingsStore Settings;
  settings::RmsTable Rms;
  settings::RmsFileState RmsFile;
  // The saves of Rms during playback, on a worker thread.
  settings::RmsBackgroundSave RmsSaves;
  // The playing movie's entry was deleted in the profiles editor: the next
  // stop or close stores nothing for it (and clears the flag).
  bool RmsSkipCurrent = false;

  // "1024 x 768 x 60 Hz" for every display mode offered to the user.
  std::vector<std::string> DisplayModeNames;
  // The display mode at start, as "M1280x1024x60Hz".
  std::string DesktopDisplayMode;

  // Windows are placed against their own monitor or the virtual screen
  // when the monitors do not all share one corner.
  bool MonitorsDiffer = false;
  // A modal dialog runs: remote-control commands are refused meanwhile.
  bool ModalDialogActive = false;
  // An operation is under way (seek, screen-mode switch, subtitle load), or
  // a movie is being opened: commands and closing refuse to act.
  bool BusyFlag = false;
  bool OpeningMovie = false;
  // The shutdown countdown has closed the player: code coming back from a
  // nested message loop (a file dialog) ends the program instead of acting.
  bool PlayerClosing = false;
  // An association could not be written in either registry root; reported
  // after the first-run association and after Apply.
  bool RegistryWriteError = false;
  // The floating-point control word as the process started; restored after
  // calls into the media framework.
  unsigned SavedFpuControlWord = 0;
};

// The one instance.
ProgramState& Program();

// TfrmMain.rmsSaveToHdd, on the GUI thread, which it holds until the file is
// written: waits for a save started by StartRememberedSettingsSave and
// takes it in, then merges what this run changed in Program().Rms into the
// file as it is now (settings::RmsSaveToHdd; no entries to write delete
// it). Silent; false when that failed, Program().RmsFile.HeldByAnother
// telling whether another player held the file's save (waited for once:
// settings::RmsBackgroundSave::FinishAndSave). The closing's save.
bool SaveRememberedSettings();

// The same save done on a worker thread (settings::RmsBackgroundSave): the
// GUI thread only copies the table, and returns at once. Its outcome is
// taken in by CollectRememberedSettingsSave.
void StartRememberedSettingsSave();
// GUI thread: when the save started last has ended, takes in what it did
// (a file found damaged anew sets Program().RmsFile.DamageFound) and starts
// the save asked meanwhile. True when a save was taken in.
bool CollectRememberedSettingsSave();

}  // namespace lc
