#include "engine/video/frame_compose.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF;
constexpr std::uint32_t Back = 0x202020, Key = 0x100010;

// A 4 x 4 RGB32 frame of four 2 x 2 quadrants: red, green / blue, white.
struct TQuadFrame {
  std::uint32_t Px[16];
  TQuadFrame() {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) Px[y * 4 + x] = y < 2 ? (x < 2 ? Red : Green) : (x < 2 ? Blue : White);
  }
  TFrameView View() const {
    return DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(Px), 4, 4, 16,
                         false);
  }
};

std::uint32_t At(const TFrameCompositor& c, int x, int y) { return c.Pixels()[y * c.Width() + x]; }

// The quadrant frame composed at Dest into a Width x Height target on the
// background colour Back.
std::unique_ptr<TFrameCompositor> ComposedQuad(int Width, int Height, const TVideoRect& Dest) {
  TQuadFrame f;
  auto c = std::make_unique<TFrameCompositor>();
  c->SetBackground(Back);
  c->SetTarget(Width, Height);
  c->SetPlacement(Dest, {});
  c->Compose(f.View());
  return c;
}

TEST(ZoomSourceRect, CutsTheCentre) {
  const struct { int W, H, Zoom; TVideoRect R; } cases[] = {
      {640, 480, 0, {0, 0, 640, 480}},   {640, 480, 50, {160, 120, 480, 360}},
      {720, 576, 10, {36, 28, 684, 546}}, {640, 480, 99, {316, 237, 322, 241}},
      {0, 480, 50, {0, 0, 0, 480}},       {640, 0, 50, {0, 0, 640, 0}},
      // One column: half of it truncates to none, the rows are still halved.
      {1, 480, 50, {0, 120, 0, 360}},     {1, 480, 0, {0, 0, 1, 480}},
  };
  for (const auto& c : cases) {
    const TVideoRect r = ZoomSourceRect(c.W, c.H, c.Zoom);
    EXPECT_EQ(r.Left, c.R.Left) << c.W << "x" << c.H << " zoom " << c.Zoom;
    EXPECT_EQ(r.Top, c.R.Top) << c.W << "x" << c.H << " zoom " << c.Zoom;
    EXPECT_EQ(r.Right, c.R.Right) << c.W << "x" << c.H << " zoom " << c.Zoom;
    EXPECT_EQ(r.Bottom, c.R.Bottom) << c.W << "x" << c.H << " zoom " << c.Zoom;
  }
}

TEST(FitPicture, PlacesByMode) {
  const TVideoRect frame{0, 0, 320, 240};  // 4:3
  const struct {
    TFitMode Mode;
    TVideoRect Dest, Placed, Source;
  } cases[] = {
      {TFitMode::Stretch, {0, 0, 640, 240}, {0, 0, 640, 240}, frame},
      {TFitMode::LetterBox, {0, 0, 640, 240}, {160, 0, 480, 240}, frame},  // bars left and right
      {TFitMode::LetterBox, {10, 0, 330, 480}, {10, 120, 330, 360}, frame},  // bars above and below
      {TFitMode::Crop, {0, 0, 640, 240}, {0, 0, 640, 240}, {0, 60, 320, 180}},
      {TFitMode::Crop, {0, 0, 240, 240}, {0, 0, 240, 240}, {40, 0, 280, 240}},
      // A destination of no width or height is taken as it is.
      {TFitMode::LetterBox, {10, 0, 10, 480}, {10, 0, 10, 480}, frame},
      {TFitMode::Crop, {10, 0, 10, 480}, {10, 0, 10, 480}, frame},
      {TFitMode::LetterBox, {0, 5, 640, 5}, {0, 5, 640, 5}, frame},
      // Sizes round to the nearest pixel, a half upwards: 7.5 rows are 8.
      {TFitMode::LetterBox, {0, 0, 10, 100}, {0, 46, 10, 54}, frame},
      // A crop is never narrower than one column, nor lower than one row.
      {TFitMode::Crop, {0, 0, 1, 240}, {0, 0, 1, 240}, {159, 0, 160, 240}},
      {TFitMode::Crop, {0, 0, 1000, 1}, {0, 0, 1000, 1}, {0, 119, 320, 120}},
  };
  for (const auto& c : cases) {
    TVideoRect src = frame, placed;
    FitPicture(c.Mode, c.Dest, src, placed);
    EXPECT_EQ(placed, c.Placed) << int(c.Mode) << " into " << c.Dest.Width() << "x" << c.Dest.Height();
    EXPECT_EQ(src, c.Source) << int(c.Mode) << " into " << c.Dest.Width() << "x" << c.Dest.Height();
  }
  // A source of no width or height is taken as it is, and so is the
  // destination.
  for (const TVideoRect empty : {TVideoRect{0, 0, 0, 240}, TVideoRect{0, 0, 320, 0}}) {
    for (TFitMode mode : {TFitMode::LetterBox, TFitMode::Crop}) {
      TVideoRect src = empty, placed;
      FitPicture(mode, {0, 0, 640, 240}, src, placed);
      EXPECT_EQ(placed, (TVideoRect{0, 0, 640, 240})) << int(mode) << " of " << empty.Width() << "x" << empty.Height();
      EXPECT_EQ(src, empty) << int(mode) << " of " << empty.Width() << "x" << empty.Height();
    }
  }
}

// Each quadrant of the 4 x 4 frame becomes 8 x 8; bilinear scaling keeps
// the quadrants' inner pixels pure and blends across the edges.
TEST(FrameCompositor, ScalesThePictureIntoTheDestination) {
  const auto composed = ComposedQuad(32, 24, {8, 4, 24, 20});
  const TFrameCompositor& c = *composed;
  const struct { int X, Y; std::uint32_t P; } probes[] = {
      {8, 4, Red},     {13, 9, Red},   {18, 4, Green}, {23, 9, Green}, {8, 14, Blue},
      {13, 19, Blue},  {18, 14, White}, {23, 19, White}, {7, 10, Back},  {24, 10, Back},
      {12, 3, Back},   {12, 20, Back},  {0, 0, Back},    {31, 23, Back},
  };
  for (const auto& p : probes) EXPECT_EQ(At(c, p.X, p.Y), p.P) << p.X << "," << p.Y;
  // Destination x 15 samples the frame at 1.375: 5/8 red, 3/8 green.
  const std::uint32_t edge = At(c, 15, 4);
  EXPECT_NEAR(int(edge >> 16), 159, 1);
  EXPECT_NEAR(int((edge >> 8) & 255), 96, 1);
  EXPECT_EQ(int(edge & 255), 0);
}

// A two-pixel black-to-white frame stretched to eight pixels ramps evenly.
TEST(FrameCompositor, StretchingBlendsNeighbours) {
  const std::uint32_t px[2] = {0x000000, 0xFFFFFF};
  const TFrameView v =
      DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px), 2, 1, 8, false);
  TFrameCompositor c;
  c.SetTarget(8, 2);
  c.SetPlacement({0, 0, 8, 2}, {});
  c.Compose(v);
  const int expected[8] = {0, 0, 32, 96, 159, 223, 255, 255};
  for (int x = 0; x < 8; ++x) {
    EXPECT_NEAR(int(At(c, x, 0) & 255), expected[x], 1) << x;
    EXPECT_EQ(At(c, x, 1), At(c, x, 0)) << x;
  }
  // The same ramp two rows high, widened only: it blends just the same.
  const std::uint32_t px2[4] = {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF};
  c.Compose(DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px2), 2, 2, 8, false));
  for (int x = 0; x < 8; ++x) EXPECT_NEAR(int(At(c, x, 1) & 255), expected[x], 1) << x;
}

TEST(FrameCompositor, DestinationBeyondTheTargetIsClipped) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(8, 8);
  c.SetPlacement({-8, -8, 8, 8}, {});  // only the white quadrant's part is inside
  c.Compose(f.View());
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 8; ++x) ASSERT_EQ(At(c, x, y), White) << x << "," << y;
  EXPECT_NE(At(c, 0, 0), Back);  // picture, blended with its neighbours
}

// A picture at its own size placed right of and below the target's origin
// lands exactly there, pixel for pixel, with background all round it.
TEST(FrameCompositor, UnscaledPictureLandsAtItsPlace) {
  const auto composed = ComposedQuad(9, 6, {3, 1, 7, 5});
  const TFrameCompositor& c = *composed;
  const std::uint32_t R = Red, G = Green, B = Blue, W = White, o = Back;
  const std::uint32_t expected[6][9] = {
      {o, o, o, o, o, o, o, o, o}, {o, o, o, R, R, G, G, o, o}, {o, o, o, R, R, G, G, o, o},
      {o, o, o, B, B, W, W, o, o}, {o, o, o, B, B, W, W, o, o}, {o, o, o, o, o, o, o, o, o},
  };
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(At(c, x, y), expected[y][x]) << x << "," << y;
}

// A new size of the target is taken whichever side changes.
TEST(FrameCompositor, TargetTakesEitherNewSide) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(4, 2);
  c.SetTarget(4, 5);
  EXPECT_EQ(c.Width(), 4);
  EXPECT_EQ(c.Height(), 5);
  c.SetPlacement({0, 0, 4, 4}, {});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 3), Blue);
  EXPECT_EQ(At(c, 3, 4), Back);
  c.SetTarget(6, 5);
  EXPECT_EQ(c.Width(), 6);
  EXPECT_EQ(c.Height(), 5);
  c.Compose(f.View());
  EXPECT_EQ(At(c, 3, 3), White);
  EXPECT_EQ(At(c, 5, 0), Back);
}

// The target shrunk or grown under the same placement: the picture is
// drawn again for the new surface, as it was inside both (within a step
// of each channel, where the columns of a 4:2:0 row fall otherwise to the
// vector and the table code) and background beyond the old one, and
// nothing is written past the surface's end (the placement now reaches
// beyond it). The quadrant frame enlarged and at its own size, and a
// patterned 4:2:0 frame reduced (its columns converted alone).
TEST(FrameCompositor, ATargetResizedUnderTheSamePlacementIsDrawnAgain) {
  const TQuadFrame quad;
  const int w = 203, h = 77, stride = NaturalStride(TPixelFormat::I420, w);
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, w, h, stride));
  for (std::size_t i = 0; i < d.size(); ++i) d[i] = std::uint8_t(16 + (i * 37 + i / 203 * 11) % 220);
  const TFrameView yuv = DescribeFrame(TPixelFormat::I420, d.data(), w, h, stride, false);
  const struct {
    const char* Name;
    TFrameView Frame;
    int Width, Height;
    TVideoRect Dest;
  } pictures[] = {
      {"enlarged", quad.View(), 64, 48, {0, 0, 64, 48}},
      {"at its own size", quad.View(), 9, 6, {3, 1, 7, 5}},
      {"reduced", yuv, 90, 40, {1, 2, 90, 36}},
  };
  const struct {
    int Width, Height;
  } sizes[] = {{40, 30}, {5, 48}, {64, 4}, {2, 2}, {96, 60}};
  for (const auto& p : pictures)
    for (const auto& s : sizes) {
      TFrameCompositor c;
      c.SetBackground(Back);
      c.SetTarget(p.Width, p.Height);
      c.SetPlacement(p.Dest, {});
      c.Compose(p.Frame);
      const std::vector<std::uint32_t> first(c.Pixels(), c.Pixels() + p.Width * p.Height);
      c.SetTarget(s.Width, s.Height);
      c.Compose(p.Frame);
      for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) {
          const std::uint32_t expected = x < p.Width && y < p.Height ? first[std::size_t(y * p.Width + x)] : Back;
          for (int shift : {0, 8, 16})
            ASSERT_NEAR(int(At(c, x, y) >> shift & 255), int(expected >> shift & 255), 1)
                << p.Name << " to " << s.Width << "x" << s.Height << " at " << x << "," << y;
        }
    }
}

TEST(FrameCompositor, SourceCropShowsOnlyThatPart) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetTarget(8, 8);
  c.SetPlacement({0, 0, 8, 8}, {2, 0, 4, 2});  // the green quadrant
  c.Compose(f.View());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(c, x, y), Green) << x << "," << y;
}

TEST(FrameCompositor, KeyedLayerLetsThePictureThrough) {
  TQuadFrame f;
  std::vector<std::uint32_t> layer(8 * 8, Key);
  layer[0] = 0x000000;       // a border pixel
  layer[3 * 8 + 4] = Green;  // text over the picture
  layer[3 * 8 + 5] = Green;
  layer[7 * 8 + 7] = Key | 0xFF000000u;  // alpha is ignored
  auto l = std::make_shared<TKeyedLayer>(layer.data(), 8, 8, 8, Key);
  EXPECT_EQ(l->OpaqueCount(), 3u);
  TFrameCompositor c;
  c.SetTarget(8, 8);
  c.SetPlacement({0, 0, 8, 8}, {});
  c.SetLayer(l);
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 0), 0x000000u);
  EXPECT_EQ(At(c, 4, 3), Green);
  EXPECT_EQ(At(c, 5, 3), Green);
  EXPECT_EQ(At(c, 1, 1), Red);
  EXPECT_EQ(At(c, 7, 7), White);
  c.ComposeBlank();
  EXPECT_EQ(At(c, 4, 3), Green);
  EXPECT_EQ(At(c, 1, 1), 0x000000u);
}

// Runs at a row's start, middle and end, and runs cut by a target narrower
// than the layer: every pixel beside them still shows the picture, on
// every row.
TEST(FrameCompositor, OnlyTheLayersRunsCoverThePicture) {
  // An 8 x 8 frame of four 4 x 4 quadrants, shown at its own size.
  std::uint32_t px[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = y < 4 ? (x < 4 ? Red : Green) : (x < 4 ? Blue : White);
  const int lw = 10, lh = 8;  // two columns wider than the target
  std::vector<std::uint32_t> layer(std::size_t(lw) * lh, Key);
  const struct { int Y, X, Count; } runs[] = {
      {0, 0, 2}, {1, 3, 1}, {1, 5, 2}, {3, 6, 4}, {4, 0, 1}, {4, 7, 1}, {7, 5, 5}};
  for (const auto& r : runs)
    for (int x = r.X; x < r.X + r.Count; ++x) layer[std::size_t(r.Y) * lw + x] = 0x000001u * std::uint32_t(x + 1);
  auto l = std::make_shared<TKeyedLayer>(layer.data(), lw, lh, lw, Key);
  EXPECT_EQ(l->OpaqueCount(), 16u);
  TFrameCompositor c;
  c.SetTarget(8, 8);
  c.SetPlacement({0, 0, 8, 8}, {});
  c.SetLayer(l);
  c.Compose(DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px), 8, 8, 32, false));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t picture = y < 4 ? (x < 4 ? Red : Green) : (x < 4 ? Blue : White);
      const std::uint32_t over = layer[std::size_t(y) * lw + x];
      EXPECT_EQ(At(c, x, y), over == Key ? picture : over) << x << "," << y;
    }
}

// A layer larger than the picture it is laid on (the window shrank under
// an on-screen text before the text was drawn anew) stops at the
// picture's last row and column: laid on a picture with a guard row and
// column, and by the compositor whose target shrank under it, each pixel
// of the picture shows its own pixel of the layer and nothing past them
// is written.
TEST(FrameCompositor, ALayerLargerThanThePictureStopsAtItsEdges) {
  const int w = 6, h = 4, lw = 8, lh = 7;
  std::vector<std::uint32_t> text(std::size_t(lw) * lh);
  for (int y = 0; y < lh; ++y)
    for (int x = 0; x < lw; ++x) text[std::size_t(y) * lw + x] = 0x000100u * std::uint32_t(y) + std::uint32_t(x + 1);
  auto layer = std::make_shared<TKeyedLayer>(text.data(), lw, lh, lw, Key);
  std::vector<std::uint32_t> picture(std::size_t(w + 1) * (h + 1), Back);
  layer->Apply(picture.data(), w, h, w + 1);
  for (int y = 0; y <= h; ++y)
    for (int x = 0; x <= w; ++x)
      EXPECT_EQ(picture[std::size_t(y) * (w + 1) + x], y < h && x < w ? 0x000100u * y + x + 1 : Back) << x << "," << y;

  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(lw, lh);
  c.SetLayer(layer);
  c.ComposeBlank();
  c.SetTarget(w, h);
  c.ComposeBlank();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) EXPECT_EQ(At(c, x, y), 0x000100u * y + x + 1) << x << "," << y;
}

// A colour reference is $BBGGRR; its pixel 0x00RRGGBB, the reference's
// high byte dropped.
TEST(PixelOfColorRef, SwapsRedAndBlue) {
  const struct {
    std::uint32_t Ref, Pixel;
  } Cases[] = {{0x000000FFu, 0x00FF0000u}, {0x0000FF00u, 0x0000FF00u}, {0x00FF0000u, 0x000000FFu},
               {0x00123456u, 0x00563412u}, {0xFF808001u, 0x00018080u}};
  for (const auto& C : Cases) EXPECT_EQ(PixelOfColorRef(C.Ref), C.Pixel) << std::hex << C.Ref;
}

// A frame whose every row differs, enlarged and reduced in height (to a
// quarter too, where every picture row still falls between two source
// rows): each picture row blends the two source rows around its centre.
TEST(FrameCompositor, ScaledRowsBlendTheirOwnSourceRows) {
  std::uint32_t px[8 * 2];
  for (int y = 0; y < 8; ++y) px[2 * y] = px[2 * y + 1] = 0x010101u * std::uint32_t(32 * y);
  const TFrameView v =
      DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px), 2, 8, 8, false);
  const int halved[2] = {48, 176};
  const int reduced[4] = {16, 80, 144, 208};
  const int enlarged[16] = {0, 8, 24, 40, 56, 72, 88, 104, 120, 136, 152, 168, 184, 200, 216, 224};
  // Without saturation the greys stay as they are, adjusted before the
  // enlargement and after the reduction.
  for (int saturation : {10000, 0}) {
    for (int h : {2, 4, 16}) {
      TFrameCompositor c;
      c.SetTarget(2, h);
      c.SetPlacement({0, 0, 2, h}, {});
      c.SetColors({750, 10000, 0, saturation, true});
      c.Compose(v);
      for (int y = 0; y < h; ++y) {
        const int expected = h == 2 ? halved[y] : h == 4 ? reduced[y] : enlarged[y];
        for (int x = 0; x < 2; ++x) {
          const std::uint32_t p = At(c, x, y);
          ASSERT_NEAR(int(p & 255), expected, 1) << saturation << " " << h << ": " << x << "," << y;
          ASSERT_NEAR(int(p >> 16), expected, 1) << saturation << " " << h << ": " << x << "," << y;
        }
      }
    }
  }
}

// A picture whose columns keep their width while its rows are scaled (full
// screen letter-boxes a 1920 x 1080 movie one row short at each edge):
// each column is its own source column, exactly as at the picture's own
// size, at every pixel format, at a width the vector code leaves a tail
// of, from an odd first column, with the colours neutral and adjusted
// (before and after the scaling), under an on-screen text. The frame's
// rows are all alike, so every picture row is the unscaled one.
TEST(FrameCompositor, KeptColumnsShowTheirOwnSourceColumns) {
  const int w = 37, h = 6;
  const TColorSettings neutral, adjusted{1500, 12000, 15, 13000, true};
  for (TPixelFormat format : {TPixelFormat::RGB32, TPixelFormat::YUY2, TPixelFormat::UYVY, TPixelFormat::I420,
                              TPixelFormat::YV12, TPixelFormat::NV12}) {
    const int stride = NaturalStride(format, w) + 8;
    std::vector<std::uint8_t> d(FrameBytes(format, w, h, stride));
    const TFrameView v = DescribeFrame(format, d.data(), w, h, stride, false);
    const int planes = format == TPixelFormat::RGB32 || format == TPixelFormat::YUY2 ||
                               format == TPixelFormat::UYVY ? 1 : format == TPixelFormat::NV12 ? 2 : 3;
    for (int p = 0; p < planes; ++p)
      for (int y = 0; y < (p ? (h + 1) / 2 : h); ++y)
        for (int x = 0; x < std::abs(v.Stride[p]); ++x)  // alpha bytes of RGB32 set too
          const_cast<std::uint8_t*>(v.Plane[p])[std::ptrdiff_t(y) * v.Stride[p] + x] =
              std::uint8_t(40 + (x * 53 + p * 71) % 180);
    for (const TVideoRect& crop : {TVideoRect{}, TVideoRect{3, 1, 3 + 29, 5}})
      for (const TColorSettings& colours : {neutral, adjusted}) {
        const int cw = crop.Empty() ? w : crop.Width(), ch = crop.Empty() ? h : crop.Height();
        TFrameCompositor own;
        own.SetTarget(cw, ch);
        own.SetPlacement({0, 0, cw, ch}, crop);
        own.SetColors(colours);
        own.Compose(v);
        for (int rows : {ch * 3, ch + 1, ch - 1}) {
          // The picture one column in from the target's left, a text run
          // over its first row.
          std::vector<std::uint32_t> text(std::size_t(cw + 2) * (rows + 2), Key);
          for (int x = 4; x < 9; ++x) text[std::size_t(cw + 2) + x] = 0x0000AAu;
          TFrameCompositor c;
          c.SetBackground(Back);
          c.SetTarget(cw + 2, rows + 2);
          c.SetPlacement({1, 1, cw + 1, rows + 1}, crop);
          c.SetColors(colours);
          c.SetLayer(std::make_shared<TKeyedLayer>(text.data(), cw + 2, rows + 2, cw + 2, Key));
          c.Compose(v);
          const char* name = PixelFormatName(format);
          for (int y = 1; y <= rows; ++y)
            for (int x = 1; x <= cw; ++x) {
              const bool over = y == 1 && x >= 4 && x < 9;
              ASSERT_EQ(At(c, x, y), over ? 0x0000AAu : At(own, x - 1, 0))
                  << name << " crop " << crop.Left << " rows " << rows << " colours " << colours.Neutral()
                  << ": " << x << "," << y;
            }
          EXPECT_EQ(At(c, 0, 1), Back) << name;
          EXPECT_EQ(At(c, cw + 1, rows), Back) << name;
          EXPECT_EQ(At(c, 5, rows + 1), Back) << name;
        }
      }
  }
}

// Composing while copying the frame row by row reads a reduced picture's
// rows from the copy and shows what the frame shows; finished, the copy is
// the whole frame, the rows the picture skipped too.
TEST(FrameCompositor, ComposingWhileCopyingKeepsTheWholeFrame) {
  const int w = 12, h = 9, stride = NaturalStride(TPixelFormat::I420, w);
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, w, h, stride));
  for (std::size_t i = 0; i < d.size(); ++i) d[i] = std::uint8_t(16 + (i * 37) % 220);
  const TFrameView v = DescribeFrame(TPixelFormat::I420, d.data(), w, h, stride, false);
  TFrameCompositor direct, copying;
  for (TFrameCompositor* c : {&direct, &copying}) {
    c->SetTarget(5, 3);
    c->SetPlacement({0, 0, 5, 3}, {});
  }
  direct.Compose(v);
  std::vector<std::uint8_t> buffer;
  TFrameCopy copy;
  copying.Compose(copy.Start(v, buffer), &copy);
  copy.Finish();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(At(copying, x, y), At(direct, x, y)) << x << "," << y;
  EXPECT_EQ(buffer, d);
}

// Kept columns, rows doubled: each picture row blends the two source rows
// around its centre (weights 0, 32, 96 and 128 of 128), the alpha bytes
// of the source cleared.
TEST(FrameCompositor, KeptColumnsBlendTheirRows) {
  const std::uint32_t px[6] = {0xFF000000u, 0xFF808080u, 0x00FF0000u,
                               0xFFFFFFFFu, 0x00000000u, 0x000000FFu};
  const TFrameView v = DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px), 3, 2, 12, false);
  TFrameCompositor c;
  c.SetTarget(3, 4);
  c.SetPlacement({0, 0, 3, 4}, {});
  c.Compose(v);
  const std::uint32_t expected[4][3] = {{0x000000u, 0x808080u, 0xFF0000u},
                                        {0x404040u, 0x606060u, 0xBF0040u},
                                        {0xBFBFBFu, 0x202020u, 0x4000BFu},
                                        {0xFFFFFFu, 0x000000u, 0x0000FFu}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(c, x, y), expected[y][x]) << x << "," << y;
}

// A new destination or crop for a frame of the same size takes effect on
// the next frame.
TEST(FrameCompositor, NewPlacementAtTheSameFrameSizeTakesEffect) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(8, 8);
  c.SetPlacement({0, 0, 4, 4}, {});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 0), Red);
  EXPECT_EQ(At(c, 4, 4), Back);
  c.SetPlacement({4, 4, 8, 8}, {});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 0), Back);
  EXPECT_EQ(At(c, 4, 4), Red);
  EXPECT_EQ(At(c, 7, 7), White);
  c.SetPlacement({4, 4, 8, 8}, {2, 2, 4, 4});  // the white quadrant only
  c.Compose(f.View());
  EXPECT_EQ(At(c, 4, 4), White);
  EXPECT_EQ(At(c, 0, 0), Back);
  // A shorter picture after one that filled the target leaves the rows below
  // it background, the first of them too.
  c.SetPlacement({0, 0, 8, 8}, {});
  c.Compose(f.View());
  c.SetPlacement({0, 0, 8, 4}, {});
  c.Compose(f.View());
  for (int y = 4; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(At(c, x, y), Back) << x << "," << y;
}

// A frame of another width at the same height and format (the next
// movie) is placed by columns of its own: two columns stretched over the
// four the first frame filled at its own size.
TEST(FrameCompositor, AFrameOfAnotherWidthGetsItsOwnColumns) {
  const std::uint32_t wide[8] = {Red, Green, Blue, White, Red, Green, Blue, White};
  const std::uint32_t narrow[4] = {Blue, White, Blue, White};
  TFrameCompositor c;
  c.SetTarget(4, 2);
  c.SetPlacement({0, 0, 4, 2}, {});
  c.Compose(DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(wide), 4, 2, 16, false));
  EXPECT_EQ(At(c, 1, 0), Green);
  c.Compose(DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(narrow), 2, 2, 8, false));
  EXPECT_EQ(At(c, 0, 1), Blue);
  EXPECT_EQ(At(c, 3, 1), White);
}

// Frames of RGB and YUV in turn each get the colour tables of their kind.
TEST(FrameCompositor, SwitchingBetweenRgbAndYuvFramesKeepsTheirColours) {
  TQuadFrame rgb;
  const int stride = NaturalStride(TPixelFormat::I420, 4);
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, 4, 4, stride), 128);
  std::fill(d.begin(), d.begin() + 4 * stride, std::uint8_t(235));  // studio white
  const TFrameView yuv = DescribeFrame(TPixelFormat::I420, d.data(), 4, 4, stride, false);
  TFrameCompositor c;
  c.SetTarget(4, 4);
  c.SetPlacement({0, 0, 4, 4}, {});
  c.Compose(rgb.View());
  EXPECT_EQ(At(c, 0, 0), Red);
  c.Compose(yuv);
  EXPECT_EQ(At(c, 0, 0), White);
  c.SetColors({750, 10000, 0, 0, true});
  c.Compose(yuv);
  EXPECT_EQ(At(c, 0, 0), White);
  c.Compose(rgb.View());
  EXPECT_EQ(At(c, 0, 0), 0x4C4C4Cu);  // red without colour: its luma 76
  c.Compose(yuv);
  EXPECT_EQ(At(c, 3, 3), White);
}

TEST(FrameCompositor, ColourControlsApplyToThePicture) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetTarget(4, 4);
  c.SetPlacement({0, 0, 4, 4}, {});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 3, 3), White);
  c.SetColors({750, 5000, 0, 10000, true});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 3, 3), 0x808080u);
  c.SetColors({750, 10000, 0, 0, true});
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 0), 0x4C4C4Cu);  // red without colour: its luma 76
  c.SetColors({0, 10000, 0, 10000, true});  // 19.125 of 255 darker
  c.Compose(f.View());
  EXPECT_EQ(At(c, 0, 0), 0xEC0000u);  // red 236, its empty channels stay 0
}

// A picture shown at its own size with the colour controls on leaves the
// background beside it alone.
TEST(FrameCompositor, AdjustedPictureStaysInsideItsRectangle) {
  std::vector<std::uint32_t> px(16 * 2, White);
  const TFrameView v = DescribeFrame(TPixelFormat::RGB32,
                                     reinterpret_cast<const std::uint8_t*>(px.data()), 16, 2, 64, false);
  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(40, 2);
  c.SetPlacement({0, 0, 16, 2}, {});
  c.SetColors({750, 5000, 0, 10000, true});
  c.Compose(v);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(At(c, x, y), 0x808080u) << x << "," << y;
    for (int x = 16; x < 40; ++x) ASSERT_EQ(At(c, x, y), Back) << x << "," << y;
  }
}

// A crop that starts at the frame's top row shows that row.
TEST(FrameCompositor, CropFromTheTopEdgeShowsTheTopRow) {
  TQuadFrame f;
  TFrameCompositor c;
  c.SetTarget(2, 4);
  c.SetPlacement({0, 0, 2, 4}, {0, 0, 2, 4});  // the left half: red over blue
  c.Compose(f.View());
  for (int x = 0; x < 2; ++x) {
    EXPECT_EQ(At(c, x, 0), Red) << x;
    EXPECT_EQ(At(c, x, 1), Red) << x;
    EXPECT_EQ(At(c, x, 2), Blue) << x;
    EXPECT_EQ(At(c, x, 3), Blue) << x;
  }
}

// A picture one column wide is widened by repeating that column: every
// destination column shows it, the first one included.
TEST(FrameCompositor, SingleColumnYuvFillsTheWholeWidth) {
  const int stride = NaturalStride(TPixelFormat::I420, 1);
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, 1, 2, stride), 128);  // grey chroma
  const TFrameView v = DescribeFrame(TPixelFormat::I420, d.data(), 1, 2, stride, false);
  for (int y = 0; y < 2; ++y) const_cast<std::uint8_t*>(v.Plane[0])[y * v.Stride[0]] = 235;  // studio white
  TFrameCompositor c;
  c.SetBackground(Back);
  c.SetTarget(6, 2);
  c.SetPlacement({0, 0, 6, 2}, {});
  c.Compose(v);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(c, x, y), White) << x << "," << y;
  // The same from a crop of one column inside a wider frame: the white
  // third column of a black one.
  const int wideStride = NaturalStride(TPixelFormat::I420, 4);
  std::vector<std::uint8_t> wide(FrameBytes(TPixelFormat::I420, 4, 2, wideStride), 128);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) wide[std::size_t(y * wideStride + x)] = x == 2 ? 235 : 16;
  c.SetPlacement({0, 0, 6, 2}, {2, 0, 3, 2});
  c.Compose(DescribeFrame(TPixelFormat::I420, wide.data(), 4, 2, wideStride, false));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(c, x, y), White) << x << "," << y;
}

// A picture one column wide (never blended) is enlarged in height by
// taking the nearest row: each of its four rows fills two of eight.
TEST(FrameCompositor, SingleColumnTakesTheNearestRows) {
  const std::uint32_t px[4] = {Red, Green, Blue, White};
  const TFrameView v =
      DescribeFrame(TPixelFormat::RGB32, reinterpret_cast<const std::uint8_t*>(px), 1, 4, 4, false);
  TFrameCompositor c;
  c.SetTarget(3, 8);
  c.SetPlacement({0, 0, 3, 8}, {});
  c.Compose(v);
  const std::uint32_t rows[8] = {Red, Red, Green, Green, Blue, Blue, White, White};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(c, x, y), rows[y]) << x << "," << y;
}

// Colours are adjusted before the scaling when the source is the smaller
// side and after it otherwise; either way a flat red without saturation
// becomes its luma.
TEST(FrameCompositor, ColourControlsApplyWhicheverSideIsScaled) {
  std::vector<std::uint32_t> px(35 * 32, Red);  // 35 wide: the vector code leaves a tail
  const TFrameView v = DescribeFrame(TPixelFormat::RGB32,
                                     reinterpret_cast<const std::uint8_t*>(px.data()), 35, 32,
                                     35 * 4, false);
  for (int size : {12, 80}) {
    TFrameCompositor c;
    c.SetTarget(size, size);
    c.SetPlacement({0, 0, size, size}, {});
    c.SetColors({750, 10000, 0, 0, true});
    c.Compose(v);
    for (int y = 0; y < size; y += 5)
      for (int x = 0; x < size; x += 5) {
        const std::uint32_t p = At(c, x, y);
        ASSERT_NEAR(int(p >> 16), 76, 1) << size << " " << x << "," << y;
        ASSERT_NEAR(int((p >> 8) & 255), 76, 1) << size << " " << x << "," << y;
        ASSERT_NEAR(int(p & 255), 76, 1) << size << " " << x << "," << y;
      }
  }
}

// A wide YUV frame scaled down and up through the span-and-pick path keeps
// its bars in place.
TEST(FrameCompositor, ScaledYuvKeepsItsBars) {
  const int w = 64, h = 4;
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, w, h, w), 128);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d[std::size_t(y) * w + x] = x < w / 2 ? 16 : 235;
  const TFrameView v = DescribeFrame(TPixelFormat::I420, d.data(), w, h, w, false);
  for (int dw : {24, 100}) {
    TFrameCompositor c;
    c.SetTarget(dw, 2);
    c.SetPlacement({0, 0, dw, 2}, {});
    c.Compose(v);
    EXPECT_EQ(At(c, 0, 0), 0x000000u) << dw;
    EXPECT_EQ(At(c, dw / 4, 1), 0x000000u) << dw;
    EXPECT_EQ(At(c, dw * 3 / 4, 0), 0xFFFFFFu) << dw;
    EXPECT_EQ(At(c, dw - 1, 1), 0xFFFFFFu) << dw;
    if (dw > w) {  // enlarged, the edge blends
      const std::uint32_t middle = At(c, dw / 2, 0) & 255;
      EXPECT_GT(middle, 0u) << dw;
      EXPECT_LT(middle, 255u) << dw;
    }
  }
}

}  // namespace

namespace {

// The vector kernels and the plain code of the scaler agree.
TEST(FrameScale, VectorAndPlainPathsAgree) {
  std::vector<std::uint32_t> src(203);
  for (std::size_t i = 0; i < src.size(); ++i)
    src[i] = std::uint32_t((i * 2654435761u) & 0xFFFFFF);
  TScaleTaps taps;
  taps.Build(0, 311, 0, 311, 0, 203);
  std::vector<std::uint32_t> whole(311), single(1);
  ScaleRow(src.data(), taps, whole.data());
  for (int i = 0; i < 311; ++i) {
    TScaleTaps one;  // a single tap never reaches the vector code
    one.First = {taps.First[std::size_t(i)]};
    one.Weight = {taps.Weight[std::size_t(i)]};
    ScaleRow(src.data(), one, single.data());
    ASSERT_EQ(whole[std::size_t(i)] & 0xFFFFFF, single[0]) << i;
  }
  std::vector<std::uint32_t> blended(203), tail(1);
  BlendRows(src.data(), src.data() + 1, 37, 202, blended.data());
  for (int i = 0; i < 202; ++i) {
    BlendRows(src.data() + i, src.data() + i + 1, 37, 1, tail.data());
    ASSERT_EQ(blended[std::size_t(i)], tail[0]) << i;
  }
}

TEST(FrameScale, TapsStayInsideTheSource) {
  for (int srcLen : {1, 2, 3, 7, 640}) {
    for (int dstLen : {1, 2, 5, 1920}) {
      TScaleTaps taps;
      taps.Build(0, dstLen, 0, dstLen, 10, srcLen);
      for (int i = 0; i < dstLen; ++i) {
        ASSERT_GE(taps.First[std::size_t(i)], 10) << srcLen << "->" << dstLen;
        const int last = taps.First[std::size_t(i)] + (taps.Weight[std::size_t(i)] ? 1 : 0);
        ASSERT_LE(last, 10 + srcLen - 1) << srcLen << "->" << dstLen;
      }
    }
  }
}

}  // namespace
