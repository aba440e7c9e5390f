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

std::string LiveSettingsHost::CurrentDirectory() const {
  wchar_t folder[MAX_PATH + 1] = {};
  DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, folder);
  return n > 0 && n <= MAX_PATH ? WideToUtf8(folder) : std::string();
}

void LiveSettingsHost::GatherLiveValues(settings::SettingsStore& store) const {
  if (frmMain) {
    store.MainXPosition = frmMain->Left();
    store.MainYPosition = frmMain->Top();
    store.LastMovieSelectedInPlaylist = frmMain->Playlist().Entries().PlaylistIndex + 1;
    store.AudioVolume = frmMain->VolumeBar->Position();
    // The switch is on while the sound is.
    store.Mute = !frmMain->MuteFlip->State();
  }
  if (frmPlayList) {
    store.PlaylistXPosition = frmPlayList->Left();
    store.PlaylistYPosition = frmPlayList->Top();
    store.PlayListWidth = frmPlayList->ClientWidth();
    store.PlayListHeight = frmPlayList->ClientHeight();
    // The close minimises the application first, which hides its forms.
    store.PlayListShow = frmPlayList->ShownByUser();
  }
  if (frmVideoWindow) {
    // In full screen the window's place in the normal mode.
    const TRect r = frmVideoWindow->FullScreen ? frmVideoWindow->NormalBounds : frmVideoWindow->BoundsRect();
    store.VideoWindowXPosition = r.Left;
    store.VideoWindowYPosition = r.Top;
    store.VideoWindowWidth = r.Width();
    store.VideoWindowHeight = r.Height();
  }
  GatherToolWindowValues(store);
}

}  // namespace lc
