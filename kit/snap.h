#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "kit/geometry.h"

// Magnetic snapping of a moving or sizing window to other windows and to the
// screen edges, and the docking of satellite windows to the main window.
// These are the geometric rules only; kit/window_drag.h applies them to real
// windows from a WM_WINDOWPOSCHANGING handler.

class TForm;

// Distance at which an edge makes contact with another window or the screen.
inline constexpr int SnapContactDistance = 10;
// Distance at which, after contact, the other axis lines up.
inline constexpr int SnapAlignDistance = 7;

// Snaps the proposed rectangle of a window. IsMove tells a move (every snap
// shifts the whole rectangle) from a sizing (only the snapped edge changes).
// Targets are the visible and enabled target windows in the caller's order;
// they are tried from the last to the first, each seeing the rectangle as
// changed by those before. Area is the screen area whose edges attract last.
TRect SnapRect(const TRect& Proposed, bool IsMove,
                  std::span<const TRect> Targets, const TRect& Area);

// The main window's variant: always a move; after a contact it aligns the
// top (or left) when near, and only otherwise the bottom (or right).
// Magnets are the visible, undocked satellites in table order.
TRect SnapRectWithDocked(const TRect& Proposed,
                            std::span<const TRect> Magnets,
                            const TRect& Area);

// One satellite window of the main window.
struct TDockedWindow {
  TForm* Form = nullptr;
  bool Docked = false;   // touches the main window and moves with it
  std::int32_t DX = 0;   // satellite left minus main-window left
  std::int32_t DY = 0;   // satellite top minus main-window top
};

// Entries of DockTable.
enum TDockIndex { DockVideoWindow = 0, DockPlayList = 1, DockEqualizer = 2 };

// The main window's satellites: the video window, the playlist and the
// equalizer. Forms are filled in by the main window; docking is decided when
// the user starts moving it.
extern std::array<TDockedWindow, 3> DockTable;

// Decides, at the start of a move of the main window, whether a satellite is
// docked: one of its edges lies exactly on the opposite edge of the main
// window (no overlap along the other axis and no visibility are asked). The
// offsets are stored whether docked or not.
void DecideDock(TDockedWindow& Entry, const TRect& MainRect,
                const TRect& SatelliteRect);
