// The disk as the subtitle search sees it on Windows: the portable folder
// access, with drives tested by the platform's quiet drive test (an empty
// removable drive shows no system message).
#pragma once

#include "subtitles/search.h"

namespace lc::subtitles {

class WinSubtitleFolders : public DiskFolders {
 public:
  bool DriveReady(char letter) const override;
  // The platform's listing: the kind of each name comes with it, where the
  // portable listing asks for each name again.
  std::vector<std::string> FileNames(const std::string& folder) const override;
};

}  // namespace lc::subtitles
