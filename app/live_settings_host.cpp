#include "app/live_settings_host.h"

#include <windows.h>

#include "app/tool_windows.h"
#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/system_utils.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/file_io.h"
#include "settings/program_state.h"
#include "settings/settings_store.h"

namespace lc {

namespace {

settings::ScreenArea AreaOf(const TRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

int CALLBACK FontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The process's current directory; empty when it cannot be told.
std::string CurrentFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, folder);
  return n > 0 && n <= MAX_PATH ? WideToUtf8(folder) : std::string();
}

}  // namespace

int LiveSettingsHost::ScreenWidth() const { return Screen.Width(); }
int LiveSettingsHost::ScreenHeight() const { return Screen.Height(); }
settings::ScreenArea LiveSettingsHost::PrimaryWorkArea() const { return AreaOf(Screen.WorkAreaRect()); }
settings::ScreenArea LiveSettingsHost::VirtualScreen() const { return AreaOf(Screen.DesktopRect()); }
bool LiveSettingsHost::MonitorsDiffer() const { return Program().MonitorsDiffer; }

bool LiveSettingsHost::IsDriveReady(const std::string& path) const {
  return !path.empty() && ::IsDriveReady(static_cast<wchar_t>(path[0]));
}

bool LiveSettingsHost::FolderExists(const std::string& path) const { return settings::FolderExists(path); }

bool LiveSettingsHost::IsFontInstalled(const std::string& name) const {
  const std::wstring wide = Utf8ToWide(name);
  if (wide.empty() || wide.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wide.copy(wanted.lfFaceName, wide.size());
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &wanted, FontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

// A close during the start-up (over its report, say) comes before the
// first activation shows the windows of the last run and changes to the
// folder used last, and may come before the list of the last run is
// loaded: those values are then written as they were read.
void LiveSettingsHost::GatherLiveValues(settings::SettingsStore& store) const {
  const bool activated = frmMain && !frmMain->FirstActivationPending;
  if (frmMain) {
    store.MainXPosition = frmMain->Left();
    store.MainYPosition = frmMain->Top();
    if (frmMain->Playlist().AutoFileTaken())
      store.LastMovieSelectedInPlaylist = frmMain->Playlist().Entries().PlaylistIndex + 1;
    store.AudioVolume = frmMain->VolumeBar->Position();
    // The switch is on while the sound is.
    store.Mute = !frmMain->MuteFlip->State();
  }
  if (activated) store.LastAccessedFolder = CurrentFolder();
  if (frmPlayList) {
    store.PlaylistXPosition = frmPlayList->Left();
    store.PlaylistYPosition = frmPlayList->Top();
    store.PlayListWidth = frmPlayList->ClientWidth();
    store.PlayListHeight = frmPlayList->ClientHeight();
    // The close minimises the application first, which hides its forms.
    if (activated) store.PlayListShow = frmPlayList->ShownByUser();
  }
  if (frmVideoWindow) {
    // In full screen the window's place in the normal mode.
    const TRect r = frmVideoWindow->FullScreen ? frmVideoWindow->NormalBounds : frmVideoWindow->BoundsRect();
    store.VideoWindowXPosition = r.Left;
    store.VideoWindowYPosition = r.Top;
    store.VideoWindowWidth = r.Width();
    store.VideoWindowHeight = r.Height();
  }
  GatherToolWindowValues(store, activated);
}

}  // namespace lc
