#include "tools/tool_placement.h"

#include <algorithm>

namespace lc::tools {

namespace {

// Lo .. Hi, with Lo winning when the range is empty.
int Clamp(int Value, int Lo, int Hi) { return std::max(Lo, std::min(Value, Hi)); }

// Lo .. Hi, with Hi winning when the range is empty.
int ClampHigh(int Value, int Lo, int Hi) { return std::min(std::max(Value, Lo), Hi); }

TPoint CentreOn(const TRect& M, int W, int H) {
  return {M.Left + (M.Width() - W) / 2, M.Top + (M.Height() - H) / 2};
}

}  // namespace

TPoint PlaceColorControl(const TColorPlacementInput& In) {
  const int W = In.Width;
  const int H = In.Height;
  if (In.VideoShowing && !In.VideoFullScreen) {
    const TRect& A = In.VideoWorkArea;
    return {Clamp(In.Video.Left + In.Video.Width() / 2 - W / 2, A.Left, A.Right - W),
            Clamp(In.Video.Top + In.Video.Height(), A.Top, A.Bottom - H)};
  }
  if (In.VideoShowing) {
    if (!In.MonitorsDiffer) {
      const TRect& A = In.WorkArea;
      return {(In.ScreenWidth - W) / 2,
              Clamp((In.ScreenHeight - H) * 3 / 4, 0, A.Top + A.Height() - H)};
    }
    const TRect& M = In.VideoMonitor;
    return {(M.Width() - W) / 2 + M.Left,
            Clamp((In.ScreenHeight - H) * 3 / 4 + M.Top, 0, M.Top + M.Height() - H)};
  }
  const int MainX = In.Main.Left + In.Main.Width() / 2;
  const int MainY = In.Main.Top + In.Main.Height() / 2;
  if (!In.MonitorsDiffer) {
    const TRect& A = In.WorkArea;
    return {Clamp((In.ScreenWidth / 2 + MainX) / 2 - W / 2, A.Left, A.Right - W),
            Clamp((In.ScreenHeight / 2 + MainY) / 2 - H / 2, A.Top, A.Bottom - H)};
  }
  const TRect& M = In.MainMonitor;
  const int CentreX = M.Left + M.Width() / 2;
  const int CentreY = M.Top + M.Height() / 2;
  return {Clamp((CentreX + MainX) / 2 - W / 2, M.Left, M.Right - W),
          Clamp((CentreY + MainY) / 2 - H / 2, M.Top, M.Bottom - H)};
}

TPoint PlacePresetDialog(const TPresetPlacementInput& In) {
  const int W = In.Width;
  const int H = In.Height;
  const TRect& E = In.Equalizer;
  const TRect& A = In.Area;
  if (E.Left - W >= A.Left)
    return {E.Left - W, Clamp(E.Top + E.Height() / 2 - H / 2, A.Top, A.Bottom - H)};
  if (E.Top + E.Height() + H <= A.Bottom)
    return {Clamp(E.Left, A.Left, A.Right - W), E.Top + E.Height()};
  if (!In.MonitorsDiffer) return {(In.ScreenWidth - W) / 2, (In.ScreenHeight - H) / 2};
  const TRect& M = In.Monitor;
  return {(M.Width() - W) / 2 + M.Left, (M.Height() - H) / 2 + M.Top};
}

TPoint PlaceBetweenMain(const TDialogPlacementInput& In) {
  const int W = In.Width;
  const int H = In.Height;
  if (In.OnFullScreenVideo) return CentreOn(In.VideoMonitor, W, H);
  const int MainX = In.Main.Left + In.Main.Width() / 2;
  const int MainY = In.Main.Top + In.Main.Height() / 2;
  const TRect& A = In.MonitorsDiffer ? In.MainMonitor : In.WorkArea;
  const int CentreX = In.MonitorsDiffer ? A.Left + A.Width() / 2 : In.ScreenWidth / 2;
  const int CentreY = In.MonitorsDiffer ? A.Top + A.Height() / 2 : In.ScreenHeight / 2;
  return {ClampHigh((CentreX + MainX) / 2 - W / 2, A.Left, A.Right - W),
          ClampHigh((CentreY + MainY) / 2 - H / 2, A.Top, A.Bottom - H)};
}

TPoint PlaceBelowVideo(const TDialogPlacementInput& In) {
  const int W = In.Width;
  const int H = In.Height;
  if (In.VideoFullScreen) return CentreOn(In.VideoMonitor, W, H);
  const TRect& V = In.Video;
  const TRect& A = In.MonitorsDiffer ? In.VideoWorkArea : In.WorkArea;
  const int Left = In.MonitorsDiffer ? V.Left + V.Width() / 2 - W / 2
                                     : (In.ScreenWidth / 2 + V.Left + V.Width() / 2) / 2 - W / 2;
  return {ClampHigh(Left, A.Left, A.Right - W), ClampHigh(V.Top + V.Height(), A.Top, A.Bottom - H)};
}

TPoint KeepInside(const TRect& Bounds, const TRect& Area) {
  return {Clamp(Bounds.Left, Area.Left, Area.Right - Bounds.Width()),
          Clamp(Bounds.Top, Area.Top, Area.Bottom - Bounds.Height())};
}

}  // namespace lc::tools
