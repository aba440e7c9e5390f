#include <gtest/gtest.h>

#include <vector>

#include "playlist/window_layout.h"

namespace lc::playlist {
namespace {

void ExpectRect(const TRect& r, int l, int t, int rt, int b) {
  EXPECT_EQ(r.Left, l);
  EXPECT_EQ(r.Top, t);
  EXPECT_EQ(r.Right, rt);
  EXPECT_EQ(r.Bottom, b);
}

const FacePiece* Find(const PlaylistLayout& layout, int image, int sourceTop) {
  for (const auto& piece : layout.Face) {
    if (piece.Image == image && piece.Source.Top == sourceTop) return &piece;
  }
  return nullptr;
}

TEST(PlaylistLayout, MovieListShareIsThreeQuartersOfTheHeightBelowTheTitle) {
  EXPECT_EQ(MovieListShare(248), 159);
  EXPECT_EQ(MovieListShare(800), 573);
  EXPECT_EQ(MovieListShare(400), 273);
}

TEST(PlaylistLayout, SmallestWindowWithSubtitleList) {
  const PlaylistLayout l = LayoutPlaylist(250, 248, true);
  ExpectRect(l.ListVideo, 26, 25, 242, 182);
  ExpectRect(l.ListSub, 26, 187, 242, 241);
  ExpectRect(l.ToggleButton, 7, 172, 19, 180);
  ExpectRect(l.AddSubtitleButton, 7, 188, 19, 200);
  ExpectRect(l.CloseButton, 236, 7, 245, 16);
  ExpectRect(l.BottomZone, 0, 243, 242, 248);
  ExpectRect(l.CornerZone, 242, 240, 250, 248);
  ExpectRect(l.RightZone, 245, 0, 250, 240);
  ASSERT_EQ(l.Face.size(), 11u);
  for (const auto& piece : l.Face) {
    EXPECT_FALSE(piece.Target.IsEmpty()) << "image " << piece.Image;
    EXPECT_FALSE(piece.Source.IsEmpty()) << "image " << piece.Image;
  }
}

TEST(PlaylistLayout, SmallestWindowWithoutSubtitleList) {
  const PlaylistLayout l = LayoutPlaylist(250, 248, false);
  ExpectRect(l.ListVideo, 26, 25, 242, 240);
  EXPECT_TRUE(l.ListSub.IsEmpty());
  ExpectRect(l.ToggleButton, 7, 232, 19, 240);
  ASSERT_EQ(l.Face.size(), 8u);
  for (const auto& piece : l.Face) EXPECT_FALSE(piece.Target.IsEmpty()) << "image " << piece.Image;
  EXPECT_EQ(Find(l, 10, 0), nullptr);
  EXPECT_EQ(Find(l, 3, 0), nullptr);
  const FacePiece* toggleArea = Find(l, 4, 0);
  ASSERT_NE(toggleArea, nullptr);
  ExpectRect(toggleArea->Source, 0, 0, 26, 16);
  ExpectRect(toggleArea->Target, 0, 232, 26, 248);
  // The column between the buttons and the toggle area.
  const FacePiece* column = Find(l, 2, 0);
  ASSERT_NE(column, nullptr);
  ExpectRect(column->Source, 0, 0, 26, 1);
  ExpectRect(column->Target, 0, 104, 26, 232);
}

TEST(PlaylistLayout, PiecesOfTheLargestFaceWithTheList) {
  const PlaylistLayout l = LayoutPlaylist(800, 800, true);
  struct Expected {
    int image, sourceTop, sl, st, sr, sb, tl, tt, tr, tb;
  };
  const Expected table[] = {
      {1, 0, 0, 0, 26, 104, 0, 0, 26, 104},     {3, 0, 0, 0, 26, 28, 0, 586, 26, 614},
      {4, 8, 0, 8, 26, 16, 0, 792, 26, 800},    {5, 0, 0, 0, 1, 26, 26, 0, 786, 26},
      {6, 0, 0, 0, 14, 26, 786, 0, 800, 26},    {7, 0, 0, 0, 8, 1, 792, 26, 800, 785},
      {8, 0, 0, 0, 15, 15, 785, 785, 800, 800}, {9, 0, 0, 0, 1, 7, 26, 793, 785, 800},
      {10, 0, 0, 0, 1, 5, 26, 596, 792, 601},
  };
  for (const auto& e : table) {
    const FacePiece* p = Find(l, e.image, e.sourceTop);
    ASSERT_NE(p, nullptr) << "image " << e.image;
    ExpectRect(p->Source, e.sl, e.st, e.sr, e.sb);
    ExpectRect(p->Target, e.tl, e.tt, e.tr, e.tb);
  }
  // Image 2's top row fills the column above and below the toggle area.
  std::vector<FacePiece> fills;
  for (const auto& piece : l.Face) {
    if (piece.Image == 2) fills.push_back(piece);
  }
  ASSERT_EQ(fills.size(), 2u);
  ExpectRect(fills[0].Target, 0, 104, 26, 586);
  ExpectRect(fills[1].Target, 0, 614, 26, 792);
  for (const FacePiece& fill : fills) ExpectRect(fill.Source, 0, 0, 26, 1);
}

TEST(PlaylistLayout, LargestFaceAndListsCoverTheWholeBuffer) {
  const PlaylistLayout l = LayoutPlaylist(800, 800, true);
  std::vector<char> covered(800 * 800, 0);
  auto mark = [&](const TRect& r) {
    ASSERT_GE(r.Left, 0);
    ASSERT_GE(r.Top, 0);
    ASSERT_LE(r.Right, 800);
    ASSERT_LE(r.Bottom, 800);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) covered[y * 800 + x] = 1;
  };
  for (const auto& piece : l.Face) mark(piece.Target);
  mark(l.ListVideo);
  mark(l.ListSub);
  int holes = 0;
  for (char c : covered) holes += c == 0;
  EXPECT_EQ(holes, 0);
}

TEST(PlaylistLayout, HidingTheSubtitleListGivesTheMoviesTheFullHeight) {
  const PlaylistLayout l = LayoutPlaylist(400, 500, false);
  ExpectRect(l.ListVideo, 26, 25, 392, 492);
  ExpectRect(l.ToggleButton, 7, 484, 19, 492);
  const PlaylistLayout shown = LayoutPlaylist(400, 500, true);
  // h = 465 * 75 div 100 = 348
  ExpectRect(shown.ListVideo, 26, 25, 392, 371);
  ExpectRect(shown.ListSub, 26, 376, 392, 493);
  ExpectRect(shown.ToggleButton, 7, 361, 19, 369);
  ExpectRect(shown.CloseButton, 386, 7, 395, 16);
}

TEST(PlaylistLayout, FixedButtonsKeepTheirPlaces) {
  struct Expected {
    const char* skin;
    int l, t, r, b;
  };
  const Expected table[7] = {
      {"btnOpenMovie", 7, 26, 19, 38},         {"btnAddFolder", 6, 42, 20, 54},
      {"btnRemove", 8, 58, 18, 70},            {"btnSavePlaylist", 7, 73, 19, 85},
      {"btnOpenPlaylist", 6, 90, 20, 102},     {"btnPreviousSettings", 6, 106, 20, 121},
      {"btnShuffle", 6, 126, 20, 141},
  };
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(kPlaylistFixedButtons[i].Skin, table[i].skin);
    ExpectRect(kPlaylistFixedButtons[i].Bounds, table[i].l, table[i].t, table[i].r, table[i].b);
  }
}

}  // namespace
}  // namespace lc::playlist
