#pragma once

#include <memory>
#include <string>

#include "kit/widget.h"
#include "kit/widget_surface.h"

class TPlaylistLink;

// The skinned push button of every window: a rectangle showing one frame of
// a four-frame strip (0 normal, 1 pressed or shown down, 2 disabled,
// 3 hover) and reporting a click to its window. The windows differ in a few
// rules, chosen by the variant:
//
// - Main: the reference. An enabled flag (a disabled button shows frame 2,
//   keeps its hint and takes no press) and a latched down look honoured
//   only with AllowDown (a button shown down takes no press and no click).
// - Standard: the plain rules (equalizer, about box, key list and media
//   information close boxes).
// - CaptionCentred: colour control, message box, shutdown countdown: a
//   caption image re-centres the rectangle on its width; SetCaption.
// - CaptionGrowing: preset dialog, profiles editor, jump, aspect ratio, pan
//   & scan: a caption image sets Right to Left + its width; SetWidth.
// - Config: the configuration dialog: enabled flag, a press on a disabled
//   button is taken without pressing it, caption re-centred; SetWidth,
//   SetCaption.
// - Playlist: a two-frame strip (left hover look, right pressed look) over
//   the playlist's title strip; a disabled button ignores the mouse, leaving
//   asks the playlist to repaint its title strips.
enum class TButtonVariant { Main, Standard, CaptionCentred, CaptionGrowing, Config, Playlist };

struct TButtonOptions {
  TButtonVariant Variant = TButtonVariant::Standard;
  // Where Paint draws: the window canvas and, where the window has one, the
  // back buffer.
  TPaintTargets Targets = ptBoth;
  bool Enabled = true;
  // Config: whether a caption change or narrowing restores the window's skin
  // under the old rectangle (only when the button sits on the dialog itself,
  // not on one of its pages).
  bool RestoreOnShrink = true;
  // Playlist: the window's title strips are repainted through it.
  TPlaylistLink* Playlist = nullptr;
};

class TVirtualButton : public TWidget {
 public:
  // Loads SkinName when not empty; a non-empty Caption is drawn into the
  // caption image that fits it, which then replaces the skin (caption
  // variants only).
  TVirtualButton(TWidgetHost& Host, TWidgetSurface& Surface, const TRect& Rect,
                 const std::wstring& Caption, std::wstring Hint,
                 const std::wstring& SkinName, const TButtonOptions& Options);

  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  void Paint() override;

  // Only on a change; a hovered button being disabled gets the default
  // cursor back. The playlist's only stores the flag.
  void SetEnabled(bool Value);
  // Latches the button down (shown with frame 1); only on a change. Honoured
  // only while AllowDown is set.
  void SetDown(bool Value);
  // Caption variants: the smallest caption image at least W wide. The
  // preset family keeps its rectangle (the window places it afterwards); the
  // configuration dialog's keeps its left edge. No repaint.
  void SetWidth(int W);
  // CaptionCentred and Config: a new caption image, re-centred on its width,
  // with the window's face restored under the old rectangle when the button
  // got narrower; repainted.
  void SetCaption(const std::wstring& S);

  bool AllowDown = false;
  bool Enabled() const { return FEnabled; }
  bool Down() const { return FDown; }
  int ImageWidth() const { return FWidth; }
  const std::wstring& Caption() const { return FCaption; }

  // The frame Paint shows now (four-frame variants).
  int Frame() const;

 private:
  bool HasEnabledFlag() const;
  bool ShownDown() const { return AllowDown && FDown; }
  bool Disabled() const { return HasEnabledFlag() && !FEnabled; }
  void LeavePlaylist();
  void ApplyCaptionImage(std::unique_ptr<TSkinImage> Image);

  TWidgetSurface& FSurface;
  TButtonOptions FOptions;
  std::unique_ptr<TSkinImage> FImage;
  std::wstring FCaption;
  int FWidth = 0;
  bool FEnabled = true;
  bool FDown = false;
};
