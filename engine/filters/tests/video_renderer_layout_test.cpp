// The video control's renderer fed, outside any graph, the media types and
// samples that decoders give: the platform's decoder under Wine (rows of
// the visible width declared, every plane padded to 4 bytes), a decoder
// that stores what it declares, and one that declares its padding in
// biWidth and rcSource. Each sample reaches the presenter with the planes
// its type and length give; what cannot be laid out is refused or not
// drawn.
#include "engine/filters/video_renderer.h"

#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>
#include <dvdmedia.h>

#include <gtest/gtest.h>

#include "engine/filters/allocator.h"

namespace {

// Keeps every frame presented (the views are only read while the sample
// that holds them lives).
class TRecordingPresenter : public IVideoFramePresenter {
 public:
  void PresentFrame(const TFrameView& Frame, IMediaSample*) override { Frames.push_back(Frame); }
  void PlacementChanged() override {}
  std::vector<TFrameView> Frames;
};

constexpr GUID FourCCType(DWORD Code) {
  return {Code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}
const GUID kI420 = FourCCType(0x30323449), kNV12 = FourCCType(0x3231564E);

// A VIDEOINFOHEADER2 type (the platform's decoders give VIDEOINFOHEADER;
// both are read the same).
struct TType {
  TType(const GUID& Subtype, LONG Width, LONG Height, RECT Source = {}, bool Info2 = false) {
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = Subtype;
    BITMAPINFOHEADER* bmi;
    if (Info2) {
      mt.formattype = FORMAT_VideoInfo2;
      mt.cbFormat = sizeof(vih2);
      mt.pbFormat = reinterpret_cast<BYTE*>(&vih2);
      vih2.rcSource = Source;
      bmi = &vih2.bmiHeader;
    } else {
      mt.formattype = FORMAT_VideoInfo;
      mt.cbFormat = sizeof(vih);
      mt.pbFormat = reinterpret_cast<BYTE*>(&vih);
      vih.rcSource = Source;
      bmi = &vih.bmiHeader;
    }
    bmi->biSize = sizeof(BITMAPINFOHEADER);
    bmi->biWidth = Width;
    bmi->biHeight = Height;
  }
  VIDEOINFOHEADER vih = {};
  VIDEOINFOHEADER2 vih2 = {};
  AM_MEDIA_TYPE mt = {};
};

// A renderer with a recording presenter and samples from our allocator.
class VideoRendererLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    Renderer = new TVideoFrameRenderer();
    Renderer->SetPresenter(&Presenter);
  }
  void TearDown() override {
    Renderer->SetPresenter(nullptr);
    Renderer->Release();
    if (Allocator) {
      Allocator->Decommit();
      Allocator->Release();
    }
  }

  // Renders one sample of Length bytes (its buffer a little larger); the
  // start of its buffer.
  const BYTE* Render(long Length) {
    if (!Allocator) {
      Allocator = TMemAllocator::Create();
      ALLOCATOR_PROPERTIES want{1, 4000000, 1, 0}, got{};
      Allocator->SetProperties(&want, &got);
      Allocator->Commit();
    }
    IMediaSample* sample = nullptr;
    if (FAILED(Allocator->GetBuffer(&sample, nullptr, nullptr, 0))) return nullptr;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    sample->SetActualDataLength(Length);
    Renderer->DoRenderSample(sample);
    sample->Release();
    return data;
  }

  TVideoFrameRenderer* Renderer = nullptr;
  TRecordingPresenter Presenter;
  IMemAllocator* Allocator = nullptr;
};

TEST_F(VideoRendererLayout, EachSampleReachesThePresenterWithThePlanesOfItsTypeAndLength) {
  const struct {
    const char* Name;
    TType Type;
    long Length;
    int Width, Height;
    std::ptrdiff_t Plane[3];
    int Stride[3];
  } cases[] = {
      // The platform's decoder: 854 declared, rows of 856 and 428.
      {"I420 from the platform", {kI420, 854, 480}, 616320, 854, 480, {0, 410880, 513600}, {856, 428, 428}},
      // A decoder that stores rows of 854 as it declares.
      {"I420 as declared", {kI420, 854, 480}, 614880, 854, 480, {0, 409920, 512400}, {854, 427, 427}},
      // A decoder that declares rows of 896 for a picture of 854: Cr first.
      {"YV12 padded by its type",
       {MEDIASUBTYPE_YV12, 896, 480, {0, 0, 854, 480}},
       645120,
       854,
       480,
       {0, 537600, 430080},
       {896, 448, 448}},
      {"NV12 from the platform", {kNV12, 854, 480}, 616320, 854, 480, {0, 410880, 0}, {856, 856, 0}},
      // 1080 visible rows of 1088 stored.
      {"NV12 with padded rows",
       {kNV12, 1920, 1088, {0, 0, 1920, 1080}, true},
       3133440,
       1920,
       1080,
       {0, 2088960, 0},
       {1920, 1920, 0}},
      {"YUY2 of an odd width", {MEDIASUBTYPE_YUY2, 853, 481}, 821548, 853, 481, {0, 0, 0}, {1708, 0, 0}},
      {"UYVY", {MEDIASUBTYPE_UYVY, 854, 480}, 819840, 854, 480, {0, 0, 0}, {1708, 0, 0}},
      // A positive height: stored bottom row first.
      {"ARGB32 bottom-up", {MEDIASUBTYPE_ARGB32, 853, 481}, 1641172, 853, 481, {1637760, 0, 0}, {-3412, 0, 0}},
      {"RGB32 top-down", {MEDIASUBTYPE_RGB32, 640, -480}, 1228800, 640, 480, {0, 0, 0}, {2560, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_EQ(Renderer->CheckMediaType(&c.Type.mt), S_OK);
    ASSERT_EQ(Renderer->SetMediaType(&c.Type.mt), S_OK);
    Presenter.Frames.clear();
    const BYTE* data = Render(c.Length);
    ASSERT_EQ(Presenter.Frames.size(), 1u);
    const TFrameView& v = Presenter.Frames[0];
    EXPECT_EQ(v.Width, c.Width);
    EXPECT_EQ(v.Height, c.Height);
    for (int p = 0; p < 3; ++p) {
      EXPECT_EQ(v.Stride[p], c.Stride[p]) << "plane " << p;
      if (c.Stride[p] != 0) {
        EXPECT_EQ(v.Plane[p] - data, c.Plane[p]) << "plane " << p;
      }
    }
  }
}

// A sample whose length fits no layout of its type (or says it holds more
// than its buffer) keeps the presenter untouched; the next good one is
// drawn.
TEST_F(VideoRendererLayout, ASampleOfNoKnownLayoutIsNotDrawn) {
  TType type(kI420, 854, 480);
  ASSERT_EQ(Renderer->SetMediaType(&type.mt), S_OK);
  for (long length : {614879L, 616321L, 800000L, 0L, 4000001L}) Render(length);
  EXPECT_EQ(Presenter.Frames.size(), 0u);
  EXPECT_EQ(Renderer->UnreadableSamples(), 5);
  Render(616320);
  EXPECT_EQ(Presenter.Frames.size(), 1u);
}

TEST_F(VideoRendererLayout, TypesItCannotLayOutAreRefused) {
  const struct {
    const char* Name;
    TType Type;
  } refused[] = {
      {"odd width with a padded height", {kI420, 853, 482, {0, 0, 853, 481}}},
      {"rows shorter than the picture", {kI420, 852, 480, {0, 0, 854, 480}}},
      {"picture away from the top left", {kI420, 864, 480, {8, 0, 862, 480}}},
      {"picture below the top", {kNV12, 864, 490, {0, 4, 854, 484}}},
      {"no width", {kI420, 0, 480}},
      {"wider than 16384", {MEDIASUBTYPE_RGB32, 16385, 2}},
      {"a format it does not draw", {MEDIASUBTYPE_RGB24, 640, 480}},
  };
  for (const auto& r : refused) EXPECT_EQ(Renderer->CheckMediaType(&r.Type.mt), VFW_E_TYPE_NOT_ACCEPTED) << r.Name;
  TType other(kI420, 640, 480);
  other.mt.majortype = MEDIATYPE_Audio;
  EXPECT_EQ(Renderer->CheckMediaType(&other.mt), VFW_E_TYPE_NOT_ACCEPTED);
  other.mt.majortype = MEDIATYPE_Video;
  other.mt.formattype = FORMAT_None;
  EXPECT_EQ(Renderer->CheckMediaType(&other.mt), VFW_E_TYPE_NOT_ACCEPTED);
}

// A type brought by a sample changes the layout of that sample and the
// next; one the renderer cannot lay out is refused and the old one stays.
TEST_F(VideoRendererLayout, ASampleThatBringsANewTypeIsLaidOutByIt) {
  TType first(kI420, 640, 360);
  ASSERT_EQ(Renderer->SetMediaType(&first.mt), S_OK);
  TType wider(kI420, 854, 480);
  ASSERT_EQ(Renderer->OnMediaTypeChange(&wider.mt), S_OK);
  EXPECT_EQ(Renderer->Format().Frame.Width, 854);
  const BYTE* data = Render(616320);
  ASSERT_EQ(Presenter.Frames.size(), 1u);
  EXPECT_EQ(Presenter.Frames[0].Stride[0], 856);
  EXPECT_EQ(Presenter.Frames[0].Plane[2] - data, 513600);
  TType bad(kI420, 853, 482, {0, 0, 853, 481});
  EXPECT_EQ(Renderer->OnMediaTypeChange(&bad.mt), VFW_E_TYPE_NOT_ACCEPTED);
  EXPECT_EQ(Renderer->Format().Frame.Width, 854);
}

}  // namespace
