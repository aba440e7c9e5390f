// Every picture size of the test media (widths that are not a multiple of
// 8, odd sizes, 2 x 2, 4096 x 2304 and one that always played right), in
// real graphs: the platform's decoder connected to the video control's
// renderer with each format it offers that the renderer takes (the
// decoder's own planar formats, the packed ones, RGB). The frame the
// renderer presents equals the clip's first frame as ffmpeg decoded it at
// setup (every frame of these clips is the same), within the rounding of
// the colour conversion.
#include "engine/filters/video_renderer.h"

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/filters/media_type.h"
#include "engine/filters/com_helpers.h"
#include "engine/filters/tests/test_graph_support.h"
#include "tests/support/pictures.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::RgbPicture;

// Keeps the last frame presented, as the renderer's presenter sees it.
class TFrameKeeper : public IVideoFramePresenter {
 public:
  void PresentFrame(const TFrameView& Frame, IMediaSample*) override {
    std::lock_guard<std::mutex> lock(Lock);
    std::vector<std::uint32_t> pixels(std::size_t(Frame.Width) * Frame.Height);
    ConvertFrame(Frame, TColorSettings{}, pixels.data(), Frame.Width);
    Picture = lctest::FromPixels(pixels.data(), Frame.Width, 0, 0, Frame.Width, Frame.Height);
    ++Frames;
  }
  void PlacementChanged() override {}
  RgbPicture Last() {
    std::lock_guard<std::mutex> lock(Lock);
    return Picture;
  }
  std::mutex Lock;
  RgbPicture Picture;
  std::atomic<int> Frames{0};
};


// A clip rendered into the renderer, and the types its decoder offers.
class TClipGraph {
 public:
  explicit TClipGraph(const char* Clip) {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(&Graph.P));
    Renderer = new TVideoFrameRenderer();
    Renderer->SetPresenter(&Keeper);
    if (!Graph.P || FAILED(Graph->AddFilter(Renderer, L"Video")) ||
        FAILED(Graph->RenderFile(lctest::MediaPath(Clip).c_str(), nullptr)))
      return;
    Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&Control.P));
    Graph->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(&Graph2.P));
    Renderer->InputPin()->ConnectedTo(&Decoder.P);
    IEnumMediaTypes* types = nullptr;
    if (!Decoder.P || FAILED(Decoder->EnumMediaTypes(&types))) return;
    AM_MEDIA_TYPE* type = nullptr;
    while (types->Next(1, &type, nullptr) == S_OK) Offered.push_back(type);
    types->Release();
  }
  ~TClipGraph() {
    if (Control.P) Control->Stop();
    Renderer->SetPresenter(nullptr);
    for (AM_MEDIA_TYPE* t : Offered) DeleteMediaType(t);
    Renderer->Release();
  }

  // Connects the decoder to the renderer with Type and pauses: the first
  // frame, or an empty picture when none came within 30 s.
  RgbPicture FirstFrameWith(const AM_MEDIA_TYPE* Type) {
    Control->Stop();
    Graph->Disconnect(Decoder.P);
    Graph->Disconnect(Renderer->InputPin());
    if (FAILED(Graph2->ConnectDirect(Decoder.P, Renderer->InputPin(), Type))) return {};
    const int before = Keeper.Frames;
    Control->Pause();
    for (int waited = 0; Keeper.Frames == before && waited < 30000; waited += 20) Sleep(20);
    RgbPicture shown = Keeper.Frames == before ? RgbPicture{} : Keeper.Last();
    Control->Stop();
    return shown;
  }

  TComRef<IGraphBuilder> Graph;
  TComRef<IFilterGraph2> Graph2;
  TComRef<IMediaControl> Control;
  TComRef<IPin> Decoder;
  TVideoFrameRenderer* Renderer;
  TFrameKeeper Keeper;
  std::vector<AM_MEDIA_TYPE*> Offered;
};

// How close the picture must come: the YUV formats go through the
// renderer's own conversion (the rounding of its tables: no channel 8
// levels away); RGB comes converted by the platform, which interpolates
// chroma and takes BT.709 for a high-definition picture (up to 9 levels in
// the mean, a few pixels at colour edges 48 away, from the BT.601 of the
// reference).
struct TTolerance {
  double Mean;
  int Far;
  double FarShare;
};
constexpr TTolerance kYuv{0.5, 8, 0.0005}, kRgb{10.0, 48, 0.02};

TEST(VideoRendererPictures, EverySizeInEveryFormatShowsTheDecodersPicture) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const struct {
    const char* Clip;
    int Width, Height;
  } clips[] = {{"pic_642x362.mp4", 642, 362},   {"pic_718x400.avi", 718, 400}, {"pic_854x480.mp4", 854, 480},
               {"pic_1366x768.avi", 1366, 768}, {"pic_640x360.mp4", 640, 360}, {"pic_853x481.avi", 853, 481},
               {"pic_2x2.avi", 2, 2},           {"pic_4096x2304.mp4", 4096, 2304}};
  for (const auto& c : clips) {
    SCOPED_TRACE(c.Clip);
    const RgbPicture reference = lctest::FromI420(
        lctest::ReadFileText(lctest::MediaPath((std::string(c.Clip) + ".yuv").c_str())), c.Width, c.Height);
    ASSERT_EQ(reference.Width, c.Width);
    TClipGraph graph(c.Clip);
    ASSERT_FALSE(graph.Offered.empty());
    std::set<std::string> drawn;
    std::vector<GUID> tried;
    for (const AM_MEDIA_TYPE* type : graph.Offered) {
      TVideoFormat format;
      if (!ParseVideoType(*type, format)) continue;
      bool again = false;
      for (const GUID& t : tried) again = again || IsEqualGUID(t, type->subtype);
      if (again) continue;
      tried.push_back(type->subtype);
      const std::string name = PixelFormatName(format.Frame.Format);
      SCOPED_TRACE(name);
      const RgbPicture shown = graph.FirstFrameWith(type);
      ASSERT_EQ(shown.Width, c.Width);
      ASSERT_EQ(shown.Height, c.Height);
      const TTolerance& t = format.Frame.Format == TPixelFormat::RGB32 ? kRgb : kYuv;
      const lctest::PictureDifference d = lctest::Compare(shown, reference, t.Far);
      EXPECT_LT(d.Mean, t.Mean);
      EXPECT_LT(d.FarShare, t.FarShare);
      drawn.insert(name);
    }
    EXPECT_EQ(drawn, (std::set<std::string>{"I420", "NV12", "RGB32", "UYVY", "YUY2", "YV12"}));
  }
  CoUninitialize();
}

}  // namespace
