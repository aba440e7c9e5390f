#pragma once

#include <memory>
#include <string>

#include "kit/widget.h"
#include "kit/widget_surface.h"

class TPlaylistLink;

// A two-state toggle on an image of two frames side by side; the left frame
// shows the state True. A click inverts the state.
//
// - Main window: the mute toggle (True: sound on); painted on the canvas
//   and the back buffer; hovering changes the cursor and the hint only.
// - Playlist: the show/hide-subtitle-list toggle, visible only while the
//   mouse is over it: every move inside draws it on the playlist canvas,
//   leaving restores the playlist's face from the window's part images; its
//   hint follows the state and a click stores the setting.
enum class TFlipVariant { Main, Playlist };

struct TFlipOptions {
  TFlipVariant Variant = TFlipVariant::Main;
  // Playlist: the hints for the states True ("Hide subtitles") and False
  // ("Show subtitles"), the part images the face is restored from for the
  // states True and False, and the window.
  std::wstring HintTrue;
  std::wstring HintFalse;
  const TSkinImage* FaceTrue = nullptr;
  const TSkinImage* FaceFalse = nullptr;
  TPlaylistLink* Playlist = nullptr;
};

class TVirtualFlip : public TWidget {
 public:
  TVirtualFlip(TWidgetHost& Host, TWidgetSurface& Surface, const TRect& Rect,
               std::wstring Hint, const std::wstring& SkinName, bool State,
               const TFlipOptions& Options);

  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  // The main window's mouse-leave drops the hover flag without repainting.
  void MouseLeave() override { FHover = false; }
  void Paint() override;

  // Only on a change: the main window's repaints, the playlist's hint
  // follows the state.
  void SetState(bool Value);
  bool State() const { return FState; }
  // The playlist's two hints in another language.
  void SetStateHints(std::wstring HintTrue, std::wstring HintFalse);

 private:
  bool IsPlaylist() const { return FOptions.Variant == TFlipVariant::Playlist; }
  void DrawState(TPaintTargets Targets);
  void LeavePlaylist();

  TWidgetSurface& FSurface;
  TFlipOptions FOptions;
  std::unique_ptr<TSkinImage> FImage;
  bool FState;
};

// The playlist's latching switch (shuffle, previous settings) on an image
// of four frames side by side: 0 up, 1 down, 2 up and hovered, 3 down and
// hovered. It looks down when latched xor pressed, so a press shows the
// opposite of the latched state until the release; the playlist inverts the
// latch on the click. PaintWindow draws on the playlist canvas,
// PaintToBuffer on its back buffer, Paint on both. A release is the plain
// button's.
class TVirtualButton2 : public TWidget {
 public:
  TVirtualButton2(TWidgetHost& Host, TWidgetSurface& Surface, const TRect& Rect,
                  std::wstring Hint, const std::wstring& SkinName);

  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  // Both targets: PaintWindow then PaintToBuffer.
  void Paint() override;
  void PaintWindow();
  void PaintToBuffer();

  void SetDown(bool Value);
  bool Down() const { return FDown; }
  // The frame shown now.
  int Frame() const;

 private:
  TWidgetSurface& FSurface;
  std::unique_ptr<TSkinImage> FImage;
  bool FDown = false;
};
