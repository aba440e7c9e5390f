// The common ground of the long-lived skinned tool windows (equalizer,
// colour control): the title in Verdana on the back buffer and the labels in
// the window's "MS Sans Serif", keys and wheel handed to the window's face,
// dropped files handed on to the main window, the hover looks dropped on
// leaving and closing, texts reapplied on a language change. GUI thread.
#pragma once

#include <string>
#include <vector>

#include "framework/forms.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "settings/text_apply.h"

class TToolWindow : public TSkinForm, public lc::settings::TextTarget {
 public:
  // Registers as a text target; the face and its title come from the
  // derived window.
  TToolWindow(const std::wstring& ClassName, const std::wstring& SkinName);
  ~TToolWindow() override;

  // Repaints the title area (0,0 to three quarters of the width, 24) from
  // the clean skin and writes the title again.
  void RedrawCaption();

 protected:
  // ---- hooks ----
  // The title in the current language.
  virtual std::wstring TitleText() const = 0;
  // The face's keys and wheel.
  virtual void FaceKeyDown(int& Key, TShiftState Shift) = 0;
  virtual void FaceWheel(bool Up) = 0;
  // The buttons whose hover look is dropped on leaving and closing.
  virtual std::vector<TVirtualButton*> HoverButtons() = 0;

  // Writes the title on the back buffer; call once the face exists.
  void DrawTitle();
  TSkinSurface& Surface() { return FSurface; }

  void DoClose(TCloseAction& Action) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 private:
  void DropHover();

  TSkinSurface FSurface;
  TFont FTitleFont;
};
