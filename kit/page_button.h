// A skinned caption button among platform controls: a small child window
// of a page that shows the configuration dialog's button (a "ButtonText"
// caption image, chosen by the caption's width) and reports its clicks. It
// is as wide as its caption image and keeps the centre of the place it was
// given, as the dialog's own buttons do. GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/controls.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"

class TPageButton : public TPanel {
 public:
  // Rect is the place in Parent's client area (its height is the button's,
  // 20 pixels); the face under the button is Parent's colour.
  TPageButton(TWinControl* Parent, const TRect& Rect, const std::wstring& Caption, const std::wstring& Hint);
  ~TPageButton() override;

  // A new caption (after a language change): a new caption image,
  // re-centred, the window resized to it.
  void SetCaption(const std::wstring& Caption);
  TVirtualButton& Button() { return *FButton; }

  std::function<void()> OnClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  bool EraseBackground() override;

 private:
  // Fits the window to the button's rectangle and moves the button to the
  // window's origin.
  void Fit();

  TSkinHost FHost;
  TSkinSurface FSurface;
  std::unique_ptr<TVirtualButton> FButton;
};
