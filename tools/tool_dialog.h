// The common ground of the on-demand modal dialogs (media information,
// jump, aspect ratio, pan & scan, shutdown countdown, about box, key list):
// a borderless skinned form in "Verdana" 9 pt grey whose title is written
// at 5,5, a close box, the size fixed to the skin when shown, placement
// against the main or the video window, the pointer moved onto the dialog
// when the system asks for it, and after every left release the pending
// messages processed and the hint cancelled. Closing and the mouse leaving
// drop the hover looks, the hint and the hand cursor. GUI thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "tools/tool_placement.h"

class TToolDialog : public TSkinForm {
 public:
  TToolDialog(const std::wstring& ClassName, const std::wstring& SkinName, bool WithBackBuffer);

  TSkinSurface& Surface() { return FSurface; }
  // The title written at 5,5.
  const std::wstring& Title() const { return FTitle; }
  void SetTitle(const std::wstring& Title);

 protected:
  enum class TPlacement { BetweenMain, BelowVideo, None };

  // A button of the dialog, kept by it; the dialog names it in its mouse
  // order (kit/widget.h).
  TVirtualButton& AddButton(const TRect& Rect, const std::wstring& Caption, const std::wstring& Hint,
                            const std::wstring& SkinName, TButtonVariant Variant);
  // The close box, 10 x 10 at Left,7, hint "Close" in the present language.
  TVirtualButton& AddCloseBox(int Left, const std::wstring& SkinName = L"MainbtnClose");
  // Writes the title on the window (and the back buffer when there is one).
  void DrawTitle(TCanvas& Canvas);
  // Fixes the size to the skin and places the dialog by Placement; nothing
  // while SkipFormPlacement is set. False when it was skipped.
  bool FixAndPlace(TPlacement Placement);
  // Moves the pointer to the client point X,Y when the system option to
  // move it onto dialogs' default buttons is on.
  void SnapPointerTo(int X, int Y);
  // The input of the placement rules, gathered from the environment.
  lc::tools::TDialogPlacementInput PlacementInput();

  void Paint() override;
  void DoClose(TCloseAction& Action) override;
  void MouseLeave() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // Drops the buttons' hover looks, the hand cursor and the hint.
  void DropHover();
  void RecordVideoMonitor(const lc::tools::TDialogPlacementInput& In);

  TSkinSurface FSurface;
  std::wstring FTitle;
  std::vector<std::unique_ptr<TVirtualButton>> FButtons;
};

// Places OK and Cancel of equal width w (the wider caption image) in the
// width W: with equal gaps left, between and right, or, with a button
// MiddleWidth wide between them, with equal gaps around the three.
void PlaceCaptionButtons(TVirtualButton& Ok, TVirtualButton& Cancel, int W, int Top, int Bottom,
                         int MiddleWidth = 0);
