// The playlist window's face at any client size: where the two lists, the
// three resize zones and the moving widgets go, and which piece of which
// "PlaylistPart" image is stretched onto which part of the back buffer.
// Plain values only, so the whole layout is tested without a window.
#pragma once

#include <vector>

#include "framework/types.h"

namespace lc::playlist {

// One stretched piece of the face: image number 1..10 of the "PlaylistPart"
// images, the source rectangle in that image, the target in the buffer.
struct FacePiece {
  int Image = 0;
  TRect Source;
  TRect Target;
};

struct PlaylistLayout {
  TRect ListVideo;
  TRect ListSub;  // empty while the subtitle list is hidden
  TRect BottomZone;
  TRect RightZone;
  TRect CornerZone;
  TRect CloseButton;
  TRect AddSubtitleButton;
  TRect ToggleButton;
  std::vector<FacePiece> Face;  // in painting order
};

// The smallest and largest client sizes the window takes.
constexpr int kPlaylistMinWidth = 250;
constexpr int kPlaylistMinHeight = 248;
constexpr int kPlaylistMaxSize = 800;

// The height the movie list keeps above the subtitle list:
// (client height - 35) x 75 div 100.
int MovieListShare(int clientHeight);

PlaylistLayout LayoutPlaylist(int clientWidth, int clientHeight, bool subtitlesShown);

// The fixed rectangles of the widgets that never move.
struct FixedButton {
  const char* Skin;
  TRect Bounds;
};
extern const FixedButton kPlaylistFixedButtons[7];

}  // namespace lc::playlist
