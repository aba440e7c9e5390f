// The video control's presenters: how what the control paints on its
// canvas (the key colour or picture area, the border, the on-screen
// display and subtitle bands) reaches the screen, and which cursor is the
// one over the picture. The control picks one presenter whenever its
// renderer changes (PresenterKindFor) and hands it every paint, commit,
// background erase and cursor change:
// - TKeyColourPresenter: the overlay shows through the key colour painted
//   on the control's window; the control covers the renderer's window, so
//   the control's cursor is the one on screen.
// - TRendererWindowPresenter: the renderer's own window lies over the
//   control's area and shows the picture; its cursor is the one on screen.
// - TCompositingPresenter: the control's own renderer hands every frame to
//   a TVideoSurface; the control's painting goes to an off-screen layer
//   whose key-coloured pixels let the picture through, and the surface
//   shows both in one copy to the window.
//
// GUI thread only (the surface has threads of its own, see video_surface.h).
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/video_surface.h"
#include "framework/controls.h"

class TVideoPresenter {
 public:
  explicit TVideoPresenter(TWinControl& Control) : FControl(Control) {}
  TVideoPresenter(const TVideoPresenter&) = delete;
  TVideoPresenter& operator=(const TVideoPresenter&) = delete;
  virtual ~TVideoPresenter() = default;

  // Points the control's canvas where painting done at any time must land
  // (unless a paint holds it on its paint context).
  virtual void TakeCanvas() {}
  // Puts the control's canvas back on its window (another presenter takes
  // over, or the control goes).
  virtual void ReleaseCanvas() {}
  // Runs Work, which paints on the control's canvas, and shows the result:
  // on DC when given (the paint context of a paint), else on the window.
  virtual void Paint(const std::function<void()>& Work, HDC) { Work(); }
  // Shows what was painted on the canvas outside Paint.
  virtual void Commit() {}
  // Whether the window's background erase is left out (the picture area
  // is painted over without a flash of the background).
  virtual bool KeepsBackground() const = 0;
  // Hides the cursor that is on screen over the picture: the control's
  // own, saved to come back. False when it already was hidden.
  virtual bool HideCursor();
  // Shows the cursor hidden by HideCursor again; false when none was.
  virtual bool ShowCursor();

 protected:
  TWinControl& FControl;

 private:
  TCursor FSavedCursor = crDefault;
  bool FCursorHidden = false;
};

class TKeyColourPresenter : public TVideoPresenter {
 public:
  using TVideoPresenter::TVideoPresenter;
  bool KeepsBackground() const override { return true; }
};

// Window is the control's reference to the renderer's IVideoWindow (read
// each time, so it may change or go with the graph).
class TRendererWindowPresenter : public TVideoPresenter {
 public:
  TRendererWindowPresenter(TWinControl& Control, IVideoWindow* const& Window)
      : TVideoPresenter(Control), FWindow(Window) {}
  bool KeepsBackground() const override { return false; }
  // Through IVideoWindow.HideCursor; false when the renderer reports its
  // cursor hidden already.
  bool HideCursor() override;
  bool ShowCursor() override;

 private:
  IVideoWindow* const& FWindow;
  bool FHidden = false;
};

// Key is the control's key colour (the mixer may set it from its thread).
class TCompositingPresenter : public TVideoPresenter {
 public:
  TCompositingPresenter(TWinControl& Control, const std::atomic<COLORREF>& Key);
  ~TCompositingPresenter() override;

  // The own renderer's frame presenter.
  TVideoSurface& Surface() { return *FSurface; }
  // Keeps the surface at the control's client size (also while another
  // presenter is in use, so it is ready when picked).
  void Resize(int Width, int Height);
  // Composes the last frame anew (its fit or colours changed); nothing
  // without a frame.
  void RefreshPicture();

  // The canvas stays on the layer, sized to the client area, so that
  // painting done at any time lands there.
  void TakeCanvas() override;
  void ReleaseCanvas() override;
  void Paint(const std::function<void()>& Work, HDC DC) override;
  void Commit() override;
  bool KeepsBackground() const override { return true; }

 private:
  // Hands the layer to the surface and shows the result (on DC when given).
  void CommitLayer(HDC DC);
  // Whether the canvas is on the window or the layer, not on a paint
  // context.
  bool CanvasIsOurs() const;

  const std::atomic<COLORREF>& FKey;
  HDC FWindowDC;
  TLayerBitmap FLayer;
  std::unique_ptr<TVideoSurface> FSurface;
};
