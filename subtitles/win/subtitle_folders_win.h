// The disk as the subtitle search sees it on Windows: the portable folder
// access, with drives tested by the platform's quiet drive test (an empty
// removable drive shows no system message).
#pragma once

#include "subtitles/search.h"

namespace lc::subtitles {

class WinSubtitleFolders : public DiskFolders {
 public:
  bool DriveReady(char letter) const override;
};

}  // namespace lc::subtitles
