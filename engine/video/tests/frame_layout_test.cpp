// The planes of a frame as a decoder stores it, found from what its type
// declares and the sample's length: the padded layout the platform's
// decoder gives under Wine (every plane's rows rounded up to 4 bytes)
// against the declared one, for each format, and the frames and types
// that cannot be laid out.
#include "engine/video/frame_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PlaneSet {
  std::size_t Offset[3];
  int Stride[3];
};

void ExpectPlanes(const TFrameLayout& L, int Count, const PlaneSet& P, std::size_t Bytes) {
  EXPECT_EQ(L.Planes, Count);
  for (int p = 0; p < Count; ++p) {
    EXPECT_EQ(L.Offset[p], P.Offset[p]) << "plane " << p;
    EXPECT_EQ(L.Stride[p], P.Stride[p]) << "plane " << p;
  }
  EXPECT_EQ(L.Bytes, Bytes);
}

TFrameDeclaration Unpadded(TPixelFormat F, int W, int H, int BytesPerPixel) {
  return {F, W, H, W * BytesPerPixel, H, false};
}

// The type the platform's decoder declares (rows of the visible width) and
// the two lengths its samples come in: as declared, and padded.
TEST(FrameLayout, TheSampleLengthTellsTheDeclaredFromThePaddedLayout) {
  const struct {
    const char* Name;
    TFrameDeclaration Type;
    std::size_t Length;
    int Planes;
    PlaneSet Expected;
  } cases[] = {
      // 854 x 480 4:2:0: luma rows 856, chroma rows 428 when padded.
      {"I420 padded", Unpadded(TPixelFormat::I420, 854, 480, 1), 616320, 3, {{0, 410880, 513600}, {856, 428, 428}}},
      {"I420 declared", Unpadded(TPixelFormat::I420, 854, 480, 1), 614880, 3, {{0, 409920, 512400}, {854, 427, 427}}},
      // YV12 stores Cr first; plane 1 is Cb all the same.
      {"YV12 padded", Unpadded(TPixelFormat::YV12, 854, 480, 1), 616320, 3, {{0, 513600, 410880}, {856, 428, 428}}},
      {"YV12 declared", Unpadded(TPixelFormat::YV12, 854, 480, 1), 614880, 3, {{0, 512400, 409920}, {854, 427, 427}}},
      {"NV12 padded", Unpadded(TPixelFormat::NV12, 854, 480, 1), 616320, 2, {{0, 410880}, {856, 856}}},
      {"NV12 declared", Unpadded(TPixelFormat::NV12, 854, 480, 1), 614880, 2, {{0, 409920}, {854, 854}}},
      // 1366 x 768: 1368 and 684.
      {"I420 1366", Unpadded(TPixelFormat::I420, 1366, 768, 1), 1575936, 3, {{0, 1050624, 1313280}, {1368, 684, 684}}},
      // Odd sizes: only the padded layout holds them (a declared chroma row
      // of 853 / 2 bytes is too short); the luma plane takes 482 rows.
      {"I420 853x481", Unpadded(TPixelFormat::I420, 853, 481, 1), 618888, 3, {{0, 412592, 515740}, {856, 428, 428}}},
      {"NV12 853x481", Unpadded(TPixelFormat::NV12, 853, 481, 1), 618888, 2, {{0, 412592}, {856, 856}}},
      {"YUY2 853x481", Unpadded(TPixelFormat::YUY2, 853, 481, 2), 821548, 1, {{0}, {1708}}},
      {"UYVY 854x480", Unpadded(TPixelFormat::UYVY, 854, 480, 2), 819840, 1, {{0}, {1708}}},
      {"RGB32 853x481", Unpadded(TPixelFormat::RGB32, 853, 481, 4), 1641172, 1, {{0}, {3412}}},
      // The smallest picture: 2 x 2 padded to rows of 4 bytes.
      {"I420 2x2 padded", Unpadded(TPixelFormat::I420, 2, 2, 1), 16, 3, {{0, 8, 12}, {4, 4, 4}}},
      {"I420 2x2 declared", Unpadded(TPixelFormat::I420, 2, 2, 1), 6, 3, {{0, 4, 5}, {2, 1, 1}}},
      // One pixel: only the padded layout holds its chroma sample.
      {"I420 1x1", Unpadded(TPixelFormat::I420, 1, 1, 1), 16, 3, {{0, 8, 12}, {4, 4, 4}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_TRUE(CanLayOut(c.Type));
    const auto layout = LayoutOfSample(c.Type, c.Length);
    ASSERT_TRUE(layout.has_value());
    ExpectPlanes(*layout, c.Planes, c.Expected, c.Length);
    EXPECT_EQ(layout->Width, c.Type.Width);
    EXPECT_EQ(layout->Height, c.Type.Height);
  }
}

// A decoder that states its padding (rows of 896 bytes, 1088 rows for a
// 1080-row picture) is taken at its word, whatever the sample's length
// beyond what the frame needs.
TEST(FrameLayout, ADeclaredPaddingIsTheLayout) {
  const TFrameDeclaration wide{TPixelFormat::I420, 854, 480, 896, 480, false};
  for (std::size_t length : {645120u, 650000u}) {
    const auto layout = LayoutOfSample(wide, length);
    ASSERT_TRUE(layout.has_value()) << length;
    ExpectPlanes(*layout, 3, {{0, 430080, 537600}, {896, 448, 448}}, 645120);
  }
  EXPECT_FALSE(LayoutOfSample(wide, 645119).has_value());

  const TFrameDeclaration tall{TPixelFormat::NV12, 1920, 1080, 1920, 1088, false};
  const auto layout = LayoutOfSample(tall, 3133440);
  ASSERT_TRUE(layout.has_value());
  ExpectPlanes(*layout, 2, {{0, 2088960}, {1920, 1920}}, 3133440);
  EXPECT_EQ(layout->Height, 1080);
}

// Between the two sizes only the declared layout fits; beyond both, or
// short of the smaller, the length tells nothing and the frame is not laid
// out.
TEST(FrameLayout, ALengthThatTellsNothingLaysOutNothing) {
  const TFrameDeclaration type = Unpadded(TPixelFormat::I420, 854, 480, 1);
  const auto between = LayoutOfSample(type, 615000);
  ASSERT_TRUE(between.has_value());
  EXPECT_EQ(between->Stride[0], 854);
  for (std::size_t length : {0u, 614879u, 616321u, 2000000u})
    EXPECT_FALSE(LayoutOfSample(type, length).has_value()) << length;
  // With one layout only (the two are the same at 640 x 360), any length
  // that holds it.
  const auto same = LayoutOfSample(Unpadded(TPixelFormat::I420, 640, 360, 1), 400000);
  ASSERT_TRUE(same.has_value());
  ExpectPlanes(*same, 3, {{0, 230400, 288000}, {640, 320, 320}}, 345600);
  const TFrameDeclaration odd = Unpadded(TPixelFormat::I420, 853, 481, 1);
  EXPECT_TRUE(LayoutOfSample(odd, 700000).has_value());
  EXPECT_FALSE(LayoutOfSample(odd, 618887).has_value());
}

TEST(FrameLayout, TypesNoLayoutHoldsAreRefused) {
  const struct {
    const char* Name;
    TFrameDeclaration Type;
  } refused[] = {
      {"luma rows shorter than the picture", {TPixelFormat::I420, 854, 480, 852, 480, false}},
      {"odd chroma rows too short, height padded", {TPixelFormat::I420, 853, 481, 853, 482, false}},
      {"NV12 row missing its last chroma pair", {TPixelFormat::NV12, 853, 480, 853, 482, false}},
      {"YUY2 row missing its last pixel pair", {TPixelFormat::YUY2, 853, 480, 1706, 482, false}},
      {"RGB32 row too short", {TPixelFormat::RGB32, 640, 480, 2556, 480, false}},
      {"visible height beyond the rows", {TPixelFormat::I420, 640, 482, 640, 480, false}},
      {"no width", {TPixelFormat::I420, 0, 480, 640, 480, false}},
      {"no height", {TPixelFormat::I420, 640, 0, 640, 480, false}},
      {"wider than 16384", {TPixelFormat::RGB32, 16385, 2, 65540, 2, false}},
      {"taller than 16384", {TPixelFormat::I420, 2, 16385, 2, 16385, false}},
      {"rows longer than the widest picture's", {TPixelFormat::RGB32, 16, 2, 65537, 2, false}},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(CanLayOut(r.Type)) << r.Name;
    EXPECT_FALSE(LayoutOfSample(r.Type, 100000000).has_value()) << r.Name;
  }
  EXPECT_TRUE(CanLayOut({TPixelFormat::RGB32, 16384, 2, 65536, 2, false}));
  EXPECT_TRUE(CanLayOut({TPixelFormat::I420, 2, 16384, 2, 16384, false}));
}

// The view points into the buffer at the planes; a bottom-up RGB picture
// starts at its last stored row and walks back, the visible rows of a
// taller stored picture being its top ones.
TEST(FrameLayout, TheViewPointsAtThePlanes) {
  std::vector<std::uint8_t> buffer(700000);
  const std::uint8_t* data = buffer.data();
  const auto yv12 = LayoutOfSample(Unpadded(TPixelFormat::YV12, 854, 480, 1), 616320);
  ASSERT_TRUE(yv12.has_value());
  const TFrameView v = ViewOfFrame(*yv12, data);
  EXPECT_EQ(v.Format, TPixelFormat::YV12);
  EXPECT_EQ(v.Plane[0], data);
  EXPECT_EQ(v.Plane[1], data + 513600);
  EXPECT_EQ(v.Plane[2], data + 410880);
  EXPECT_EQ(v.Stride[1], 428);

  const TFrameDeclaration upside{TPixelFormat::RGB32, 100, 50, 400, 60, true};
  const auto rgb = LayoutOfSample(upside, 24000);
  ASSERT_TRUE(rgb.has_value());
  const TFrameView r = ViewOfFrame(*rgb, data);
  EXPECT_EQ(r.Plane[0], data + 400 * 59);
  EXPECT_EQ(r.Stride[0], -400);
  EXPECT_EQ(r.Height, 50);
  EXPECT_EQ(r.Plane[1], nullptr);
  // Only RGB32 is ever bottom-up.
  const auto yuy2 = LayoutOfSample({TPixelFormat::YUY2, 100, 50, 200, 50, true}, 10000);
  ASSERT_TRUE(yuy2.has_value());
  EXPECT_EQ(ViewOfFrame(*yuy2, data).Stride[0], 200);
}

}  // namespace
