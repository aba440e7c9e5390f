// TVideoSurface: draws the frames of the video control's own renderer into
// the control's window. It keeps the last frame (the renderer's sample
// while the renderer lets it, a copy otherwise), composes it
// (scaled into the placed picture rectangle, colour controls applied,
// the overlay layer with the on-screen display and subtitle bands laid
// over it) into a client-sized surface and copies that to the window in
// one blit. TLayerBitmap is the 32-bit bitmap the control's painting goes
// to while the surface shows the picture.
//
// Threads: PresentFrame and StreamReset come from the renderer's streaming
// or flushing thread (StreamReset also from the thread that detaches the
// surface), PlacementChanged from the thread that set a rectangle; every
// other method is called on the GUI thread, which makes the surface and
// owns the window. One lock guards all state. The window is drawn on the
// GUI thread only: what another thread composes is copied to the window
// when the GUI thread takes the surface's message (a frame composed
// meanwhile replaces the one waiting). The platform keeps a window's
// drawing context from one use to the next and tells it of the window's
// size changes; a context that another thread was just taking as the
// window changed size could miss that word and keep the old size's clip,
// and every later frame drawn on that thread kept to the old area.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

#include "engine/filters/locks.h"
#include "engine/filters/video_renderer.h"
#include "engine/video/frame_compose.h"

// A top-down 32-bit device-independent bitmap with its own memory context.
class TLayerBitmap {
 public:
  TLayerBitmap() = default;
  TLayerBitmap(const TLayerBitmap&) = delete;
  TLayerBitmap& operator=(const TLayerBitmap&) = delete;
  ~TLayerBitmap();

  // Resizes (content undefined); false when the bitmap cannot be made.
  bool SetSize(int Width, int Height);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  HDC DC() const { return FDC; }
  // The pixels (0x00RRGGBB), after pending drawing was flushed.
  const std::uint32_t* Pixels() const;

 private:
  void Free();
  int FWidth = 0, FHeight = 0;
  HDC FDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  std::uint32_t* FBits = nullptr;
};

class TVideoSurface : public IVideoFramePresenter {
 public:
  explicit TVideoSurface(HWND Window);
  TVideoSurface(const TVideoSurface&) = delete;
  TVideoSurface& operator=(const TVideoSurface&) = delete;
  ~TVideoSurface();

  // The renderer whose placement applies (not referenced), or nullptr. The
  // caller detaches the surface from the renderer before it goes.
  void SetRenderer(TVideoFrameRenderer* Renderer);
  void SetClientSize(int Width, int Height);
  void SetFitMode(TFitMode Mode);
  void SetColors(const TColorSettings& Settings);
  TColorSettings Colors();
  // Shown where no picture is (a colour reference).
  void SetBackground(COLORREF Color);
  void SetLayer(std::shared_ptr<const TKeyedLayer> Layer);
  // Forgets the last frame (a new graph).
  void ClearFrame();
  bool HasFrame();
  // The last frame as 0x00RRGGBB pixels, rows top-down, as the decoder gave
  // it (no colour controls, no placement); false while there is none.
  bool CopyCurrentFrame(std::vector<std::uint32_t>& Pixels, int& Width, int& Height);
  // Composes anew and copies the result to DC (a paint), or to the window
  // when DC is nullptr.
  void Paint(HDC DC = nullptr);

  // IVideoFramePresenter. A frame in a sample it may keep is shown from
  // the sample; any other is copied for the repaints.
  void PresentFrame(const TFrameView& Frame, IMediaSample* Sample) override;
  void PlacementChanged() override;
  // A kept sample's frame is copied and the sample let go.
  void StreamReset() override;

 private:
  void UpdatePlacementLocked();
  void ComposeLocked();
  // Copies the composed surface to DC, or to the window when DC is nullptr.
  void BlitLocked(HDC DC);
  // Shows what was composed: at once on the GUI thread, else by a message
  // to it (one at a time).
  void ShowLocked();
  static LRESULT CALLBACK MessageProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
  // Lets the kept sample go, its frame copied first when Keep.
  void ReleaseSampleLocked(bool Keep);

  TCritSec FLock;
  HWND FWindow;
  const DWORD FGuiThread;
  HWND FMessageWindow = nullptr;  // receives WM_VIDEOSURFACESHOW on the GUI thread
  bool FShowPosted = false;       // a WM_VIDEOSURFACESHOW is on its way
  bool FUnshown = false;          // composed since the last copy to the window
  TVideoFrameRenderer* FRenderer = nullptr;
  TFrameCompositor FCompositor;
  std::vector<std::uint8_t> FFrameData;
  TFrameCopy FFrameCopy;
  IMediaSample* FSample = nullptr;  // FFrame lies in it, when set
  TFrameView FFrame;
  bool FHasFrame = false;
  TFitMode FFit = TFitMode::LetterBox;
  TColorSettings FColors;
  int FWidth = 0, FHeight = 0;
};
