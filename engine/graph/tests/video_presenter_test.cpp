// The video control's presenters on a window of the virtual display: which
// cursor each one hides, and where the canvas goes while composing.
#include "engine/graph/video_presenter.h"

#include <atomic>
#include <memory>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

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

}  // namespace
