// The popup menus' images: the skin strip "MenuImages" of 16 x 16 icons,
// loaded into an image list, and the index of each icon. The main window
// keeps the list; the playlist's menus show the main window's images.
#pragma once

class TImageList;

namespace lc {

enum TMenuImage {
  miOpenMovie = 0,
  miLoadSubtitle = 1,
  miRecentFiles = 2,
  miClearHistory = 3,
  miPlayControl = 4,
  miPlay = 5,
  miStop = 6,
  miPause = 7,
  miRewind = 8,
  miForward = 9,
  miFastRewind = 10,
  miFastForward = 11,
  miJumpToTime = 12,
  miBookmarks = 13,
  miAddBookmark = 14,
  miClearBookmarks = 15,
  miVideo = 16,
  miChangeResolution = 17,
  miFullScreen = 18,
  miColorControl = 19,
  miAspectRatio = 20,
  miCaptureFrame = 21,
  miAudio = 22,
  miVolumeUp = 23,
  miVolumeDown = 24,
  miEqualizer = 25,
  miSubtitleFont = 26,
  miConfiguration = 27,
  miKeyDefinitions = 28,
  miPlaylist = 29,
  // Bookmark N (1 to 9) shows image miPlaylist + N.
  miAbout = 39,
  miExit = 40,
  miAddFolder = 41,
  miRemove = 42,
  miRemoveAll = 43,
  miSortByName = 44,
  miRandomize = 45,
  kMenuImageCount = 46,
};

// The image of bookmark N (1 to 9).
constexpr int BookmarkImage(int N) { return 29 + N; }

// Size of one menu image.
inline constexpr int kMenuImageSize = 16;

// Appends the strip's images to List (made kMenuImageSize square). GUI
// thread.
void LoadMenuImages(TImageList& List);

}  // namespace lc
