// The video control's presenters on a window of the virtual display: which
// cursor each one hides, and where the canvas goes while composing.
#include "engine/graph/video_presenter.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/filters/allocator.h"
#include "framework/forms.h"

namespace {

// A renderer window that only keeps its cursor state; every other request
// is refused.
#define STUB(Name, ...) \
  HRESULT WINAPI Name(__VA_ARGS__) override { return E_NOTIMPL; }
class TStandInVideoWindow : public IVideoWindow {
 public:
  long Hidden = OAFALSE;
  int HideCalls = 0;

  HRESULT WINAPI HideCursor(long Hide) override {
    ++HideCalls;
    Hidden = Hide;
    return S_OK;
  }
  HRESULT WINAPI IsCursorHidden(long* CursorHidden) override {
    *CursorHidden = Hidden;
    return S_OK;
  }

  HRESULT WINAPI QueryInterface(REFIID, void** Object) override {
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG WINAPI AddRef() override { return 2; }  // lives on the test's stack
  ULONG WINAPI Release() override { return 1; }
  STUB(GetTypeInfoCount, UINT*) STUB(GetTypeInfo, UINT, LCID, ITypeInfo**)
  STUB(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  STUB(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  STUB(put_Caption, BSTR) STUB(get_Caption, BSTR*) STUB(put_WindowStyle, long) STUB(get_WindowStyle, long*)
  STUB(put_WindowStyleEx, long) STUB(get_WindowStyleEx, long*) STUB(put_AutoShow, long) STUB(get_AutoShow, long*)
  STUB(put_WindowState, long) STUB(get_WindowState, long*) STUB(put_BackgroundPalette, long)
  STUB(get_BackgroundPalette, long*) STUB(put_Visible, long) STUB(get_Visible, long*) STUB(put_Left, long)
  STUB(get_Left, long*) STUB(put_Width, long) STUB(get_Width, long*) STUB(put_Top, long) STUB(get_Top, long*)
  STUB(put_Height, long) STUB(get_Height, long*) STUB(put_Owner, OAHWND) STUB(get_Owner, OAHWND*)
  STUB(put_MessageDrain, OAHWND) STUB(get_MessageDrain, OAHWND*) STUB(get_BorderColor, long*)
  STUB(put_BorderColor, long) STUB(get_FullScreenMode, long*) STUB(put_FullScreenMode, long)
  STUB(SetWindowForeground, long) STUB(NotifyOwnerMessage, OAHWND, long, LONG_PTR, LONG_PTR)
  STUB(SetWindowPosition, long, long, long, long) STUB(GetWindowPosition, long*, long*, long*, long*)
  STUB(GetMinIdealImageSize, long*, long*) STUB(GetMaxIdealImageSize, long*, long*)
  STUB(GetRestorePosition, long*, long*, long*, long*)
};
#undef STUB

class Presenters : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(L"TPresenterTestForm");
    Form->SetBounds(100, 100, 200, 150);
    Form->SetVisible(true);
    Form->Cursor = crHandPoint;
  }

  std::unique_ptr<TForm> Form;
  TStandInVideoWindow Renderer;
  IVideoWindow* Window = &Renderer;
};

// With the overlay the control covers the renderer's window: hiding must
// reach the control's cursor, and the renderer's stays as it is.
TEST_F(Presenters, KeyColourHidesTheControlsCursorNotTheRenderers) {
  TKeyColourPresenter presenter(*Form);
  EXPECT_TRUE(presenter.HideCursor());
  EXPECT_EQ(Form->Cursor, crNone);
  EXPECT_EQ(Renderer.HideCalls, 0);
  EXPECT_FALSE(presenter.HideCursor());  // already hidden
  EXPECT_EQ(Form->Cursor, crNone);
  EXPECT_TRUE(presenter.ShowCursor());
  EXPECT_EQ(Form->Cursor, crHandPoint);
  EXPECT_FALSE(presenter.ShowCursor());
  EXPECT_EQ(Form->Cursor, crHandPoint);
  EXPECT_EQ(Renderer.HideCalls, 0);
}

TEST_F(Presenters, RendererWindowHidesTheRenderersCursorNotTheControls) {
  TRendererWindowPresenter presenter(*Form, Window);
  EXPECT_TRUE(presenter.HideCursor());
  EXPECT_EQ(Renderer.Hidden, OATRUE);
  EXPECT_EQ(Form->Cursor, crHandPoint);
  EXPECT_FALSE(presenter.HideCursor());
  EXPECT_EQ(Renderer.HideCalls, 1);
  EXPECT_TRUE(presenter.ShowCursor());
  EXPECT_EQ(Renderer.Hidden, OAFALSE);
  EXPECT_FALSE(presenter.ShowCursor());
  EXPECT_EQ(Renderer.HideCalls, 2);
  // A cursor the renderer already hides is left to it: nothing to show later.
  Renderer.Hidden = OATRUE;
  EXPECT_FALSE(presenter.HideCursor());
  EXPECT_FALSE(presenter.ShowCursor());
  EXPECT_EQ(Renderer.Hidden, OATRUE);
  EXPECT_EQ(Renderer.HideCalls, 2);
}

// Without a renderer window (the graph went) there is nothing to hide.
TEST_F(Presenters, RendererWindowWithoutWindowHidesNothing) {
  IVideoWindow* none = nullptr;
  TRendererWindowPresenter presenter(*Form, none);
  EXPECT_FALSE(presenter.HideCursor());
  EXPECT_EQ(Form->Cursor, crHandPoint);
}

// While composing, painting at any time lands on the off-screen layer,
// not on the window; released, the canvas is the window's again.
TEST_F(Presenters, CompositingKeepsTheCanvasOnTheLayerUntilReleased) {
  const HDC windowDC = Form->Canvas().Handle();
  std::atomic<COLORREF> key{RGB(16, 0, 16)};
  {
    TCompositingPresenter presenter(*Form, key);
    presenter.TakeCanvas();
    const HDC layer = Form->Canvas().Handle();
    EXPECT_NE(layer, windowDC);
    EXPECT_EQ(GetObjectType(layer), DWORD(OBJ_MEMDC));
    presenter.ReleaseCanvas();
    EXPECT_EQ(Form->Canvas().Handle(), windowDC);
    presenter.TakeCanvas();
    EXPECT_EQ(Form->Canvas().Handle(), layer);
  }
  EXPECT_EQ(Form->Canvas().Handle(), windowDC);  // the presenter gave it back as it went
}

// The surface shows a frame from the sample it may keep, holding the
// sample instead of a copy; a reset lets the sample go and keeps the
// frame, which stays when the buffer is filled anew.
TEST_F(Presenters, SurfaceKeepsTheSampleUntilAReset) {
  const int w = 4, h = 4, stride = NaturalStride(TPixelFormat::I420, w);
  TMemAllocator* allocator = TMemAllocator::Create();
  ALLOCATOR_PROPERTIES want{2, long(FrameBytes(TPixelFormat::I420, w, h, stride)), 1, 0}, got{};
  ASSERT_EQ(allocator->SetProperties(&want, &got), S_OK);
  ASSERT_EQ(allocator->Commit(), S_OK);
  IMediaSample* sample = nullptr;
  ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
  BYTE* data = nullptr;
  sample->GetPointer(&data);
  auto fill = [&](BYTE Luma) {
    std::fill(data, data + w * h, Luma);
    std::fill(data + w * h, data + want.cbBuffer, BYTE(128));
  };
  fill(235);  // white
  {
    TVideoSurface surface(Form->Handle());
    surface.SetClientSize(w, h);
    surface.PresentFrame(DescribeFrame(TPixelFormat::I420, data, w, h, stride, false), sample);
    sample->Release();
    // The surface holds the sample: one buffer is left.
    IMediaSample* other = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&other, nullptr, nullptr, AM_GBF_NOWAIT), S_OK);
    IMediaSample* none = nullptr;
    EXPECT_EQ(allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_TIMEOUT);
    surface.StreamReset();
    ASSERT_EQ(allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT), S_OK);
    BYTE* reused = nullptr;
    none->GetPointer(&reused);
    EXPECT_EQ(reused, data);
    fill(16);  // black in the buffer the frame came in
    std::vector<std::uint32_t> pixels;
    int pw = 0, ph = 0;
    ASSERT_TRUE(surface.CopyCurrentFrame(pixels, pw, ph));
    EXPECT_EQ(pw, w);
    EXPECT_EQ(ph, h);
    EXPECT_EQ(pixels.front(), 0xFFFFFFu);
    EXPECT_EQ(pixels.back(), 0xFFFFFFu);
    none->Release();
    other->Release();
  }
  allocator->Decommit();
  allocator->Release();
}

}  // namespace
