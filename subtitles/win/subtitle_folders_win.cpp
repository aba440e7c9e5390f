#include "subtitles/win/subtitle_folders_win.h"

#include "kit/system_utils.h"

namespace lc::subtitles {

bool WinSubtitleFolders::DriveReady(char letter) const {
  return IsDriveReady(static_cast<wchar_t>(static_cast<unsigned char>(letter)));
}

}  // namespace lc::subtitles
