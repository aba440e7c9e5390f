#pragma once

#include <memory>
#include <string>

#include "kit/widget.h"
#include "kit/widget_surface.h"

// The message box's check box ("Do not show this message in the future")
// on "CBPositions": four 13 x 13 boxes side by side (0 unchecked,
// 1 unchecked while pressed, 2 checked, 3 checked while pressed), its
// caption to the right. A hidden box neither paints nor takes the mouse;
// its top and bottom are set by the message box's layout.
class TVirtualCheckbox : public TWidget {
 public:
  TVirtualCheckbox(TWidgetHost& Host, TWidgetSurface& Surface, int X,
                   const std::wstring& Caption, const std::wstring& SkinName);

  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  void Paint() override;

  void SetVertical(int Top, int Bottom) {
    FRect.Top = Top;
    FRect.Bottom = Bottom;
  }
  bool Visible = false;
  bool Checked = false;
  // Width of one box of the image.
  int BoxWidth() const { return FImage->Width() / 4; }
  int ImageHeight() const { return FImage->Height(); }
  // The box image quarter shown now.
  int Quarter() const;

 private:
  TWidgetSurface& FSurface;
  std::unique_ptr<TSkinImage> FImage;
  std::wstring FCaption;
};
