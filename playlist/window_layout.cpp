#include "playlist/window_layout.h"

namespace lc::playlist {

const FixedButton kPlaylistFixedButtons[7] = {
    {"btnOpenMovie", {7, 26, 19, 38}},       {"btnAddFolder", {6, 42, 20, 54}},
    {"btnRemove", {8, 58, 18, 70}},          {"btnSavePlaylist", {7, 73, 19, 85}},
    {"btnOpenPlaylist", {6, 90, 20, 102}},   {"btnPreviousSettings", {6, 106, 20, 121}},
    {"btnShuffle", {6, 126, 20, 141}},
};

int MovieListShare(int clientHeight) { return (clientHeight - 35) * 75 / 100; }

namespace {

// The left column: the button strip, then either the two lists' column with
// the toggle area between them, or one long column ending in the toggle.
void AddLeftColumn(std::vector<FacePiece>& face, int h, int ch, bool shown) {
  face.push_back({1, {0, 0, 26, 104}, {0, 0, 26, 104}});
  if (shown) {
    face.push_back({2, {0, 0, 26, 1}, {0, 104, 26, h + 13}});
    face.push_back({3, {0, 0, 26, 28}, {0, h + 13, 26, h + 41}});
    face.push_back({2, {0, 0, 26, 1}, {0, h + 41, 26, ch - 8}});
    face.push_back({4, {0, 8, 26, 16}, {0, ch - 8, 26, ch}});
  } else {
    face.push_back({2, {0, 0, 26, 1}, {0, 104, 26, ch - 16}});
    face.push_back({4, {0, 0, 26, 16}, {0, ch - 16, 26, ch}});
  }
}

}  // namespace

PlaylistLayout LayoutPlaylist(int cw, int ch, bool shown) {
  const int h = MovieListShare(ch);
  PlaylistLayout out;
  if (shown) {
    out.ListVideo = {26, 25, cw - 8, h + 23};
    out.ListSub = {26, h + 28, cw - 8, ch - 7};
    out.ToggleButton = {7, h + 13, 19, h + 21};
  } else {
    out.ListVideo = {26, 25, cw - 8, ch - 8};
    out.ToggleButton = {7, ch - 16, 19, ch - 8};
  }
  out.BottomZone = {0, ch - 5, cw - 8, ch};
  out.CornerZone = {cw - 8, ch - 8, cw, ch};
  out.RightZone = {cw - 5, 0, cw, ch - 8};
  out.CloseButton = {cw - 14, 7, cw - 5, 16};
  out.AddSubtitleButton = {7, h + 29, 19, h + 41};

  AddLeftColumn(out.Face, h, ch, shown);
  out.Face.push_back({5, {0, 0, 1, 26}, {26, 0, cw - 14, 26}});
  out.Face.push_back({6, {0, 0, 14, 26}, {cw - 14, 0, cw, 26}});
  out.Face.push_back({7, {0, 0, 8, 1}, {cw - 8, 26, cw, ch - 15}});
  out.Face.push_back({8, {0, 0, 15, 15}, {cw - 15, ch - 15, cw, ch}});
  out.Face.push_back({9, {0, 0, 1, 7}, {26, ch - 7, cw - 15, ch}});
  if (shown) out.Face.push_back({10, {0, 0, 1, 5}, {26, h + 23, cw - 8, h + 28}});
  return out;
}

}  // namespace lc::playlist
