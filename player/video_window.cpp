#include "player/video_window.h"

#include <span>

#include <shellapi.h>

#include "dates/date_time.h"
#include "framework/unicode.h"
#include "kit/window_drag.h"
#include "player/main_form.h"
#include "player/picture_choices.h"
#include "player/picture_geometry.h"
#include "player/player_state.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

TfrmVideoWindow* frmVideoWindow = nullptr;

using lc::Player;
using lc::Program;
using lc::CurrentDateTime;

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS.
constexpr UINT kRestackFlags = 0x153;
// A left press this soon after the window was placed starts no drag.
constexpr double kDragPause = 3e-06;
// A click this soon after the double click that entered full screen is
// part of that double click.
constexpr double kClickAfterDoubleClick = 7e-06;

struct ZoneLayout {
  const wchar_t* Name;
  int Left, Top, Width, Height;
  TCursor Cursor;
  TAnchors Anchors;
};

// On the 317 x 245 design client area; each zone's Tag is its position
// in this table plus one (the platform's sizing-edge code).
constexpr ZoneLayout kZones[8] = {
    {L"rzLeft", 0, 10, 5, 225, crSizeWE, akLeft | akTop | akBottom},
    {L"rzRight", 312, 10, 5, 225, crSizeWE, akTop | akRight | akBottom},
    {L"rzTop", 10, 0, 297, 5, crSizeNS, akLeft | akTop | akRight},
    {L"rzLeftTop", 0, 0, 10, 10, crSizeNWSE, akLeft | akTop},
    {L"rzRightTop", 307, 0, 10, 10, crSizeNESW, akRight},
    {L"rzBottom", 10, 240, 295, 5, crSizeNS, akLeft | akRight | akBottom},
    {L"rzLeftBottom", 0, 235, 10, 10, crSizeNESW, akLeft | akBottom},
    {L"rzRightBottom", 307, 235, 10, 10, crSizeNWSE, akRight | akBottom},
};

lc::PictureShape CurrentShape() {
  const lc::PlayerState& s = Player();
  return {s.NativeWidth, s.NativeHeight, s.AspectRatioValue, Program().Settings.KeepAspectRatio};
}

}  // namespace

TfrmVideoWindow::TfrmVideoWindow() : TForm(L"TfrmVideoWindow", {317, 245}) {
  frmVideoWindow = this;
  SetColor(clBlack);
  SetCaption(Utf8ToWide(Program().Names.AppName) + L"VideoWindow");
  DragAcceptFiles(Handle(), TRUE);

  VideoWindow = std::make_unique<TDSVideoWindowEx2>(this);
  VideoWindow->Name = L"VideoWindow";
  VideoWindow->SetBounds(0, 0, ClientWidth(), ClientHeight());
  VideoWindow->NoScreenSaver = true;
  VideoWindow->SetAspectRatio(rmStretched);
  VideoWindow->SetDigitalZoom(0);
  VideoWindow->SetFilterGraph(&FilterGraph);
  VideoWindow->Loaded();
  VideoWindow->OnPaint = [this](TComponent*) { VideoWindowPaint(); };
  VideoWindow->OnPaintOsd = [this](TComponent*) { VideoWindowPaintOsd(); };
  VideoWindow->OnPaintSubtitle = [this](TComponent*) {
    if (OnPaintSubtitle) OnPaintSubtitle(true);
  };
  OnPaintSubtitle = [this](bool) { VideoWindowPaintSubtitle(); };
  VideoWindow->OnColorKeyChanged = [this](TComponent*) { VideoWindowColorKeyChanged(); };
  VideoWindow->OnDblClick = [this](TComponent*, TShiftState, int, int) { VideoWindowDblClick(); };
  VideoWindow->OnMouseDown = [this](TComponent*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) FLeftPressed = true;
    VideoWindowMouseDown(Button);
  };
  VideoWindow->OnMouseUp = [this](TComponent*, TMouseButton Button, TShiftState, int, int) {
    VideoWindowMouseUp(Button);
    if (Button == TMouseButton::mbLeft && FLeftPressed) {
      FLeftPressed = false;
      VideoWindowClick();
    }
  };
  VideoWindow->OnKeyDown = [this](TComponent*, WORD& Key, TShiftState Shift) { VideoWindowKeyDown(Key, Shift); };
  OldVideoWndProc = VideoWindow->WindowProc;
  VideoWindow->WindowProc = [this](TMessage& M) { VideoWindowWndProc(M); };
  // The main window's menu opens over the picture too.
  if (frmMain) VideoWindow->PopupMenu = &frmMain->PopupMenuMain;
  CreateResizeZones();
}

TfrmVideoWindow::~TfrmVideoWindow() {
  if (frmVideoWindow == this) frmVideoWindow = nullptr;
  for (auto& Zone : ResizeZones) Zone.reset();
  if (FilterGraph.Active()) FilterGraph.SetActive(false);
  VideoWindow->SetFilterGraph(nullptr);
  VideoWindow.reset();
}

void TfrmVideoWindow::CreateResizeZones() {
  for (int i = 0; i < 8; ++i) {
    const ZoneLayout& z = kZones[i];
    auto Zone = std::make_unique<TResizeZone>(VideoWindow.get());
    Zone->Name = z.Name;
    Zone->Tag = i + 1;
    Zone->SetBounds(z.Left, z.Top, z.Width, z.Height);
    Zone->Cursor = z.Cursor;
    Zone->Anchors = z.Anchors;
    Zone->OnMouseDown = [this](TComponent* Sender) { rzBottomMouseDown(Sender); };
    ResizeZones[i] = std::move(Zone);
  }
}

void TfrmVideoWindow::SetZonesEnabled(bool Enabled) {
  for (auto& Zone : ResizeZones) Zone->Enabled = Enabled;
}

// ------------------------------------------------------------ form events

void TfrmVideoWindow::DoShow() {
  TForm::DoShow();
  if (frmMain && frmMain->SkipFormPlacement) return;
  ApplySubtitleFont();
  if (frmMain) {
    if (!FullScreen && frmMain->AlwaysOnTopChecked)
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, kRestackFlags);
    else
      SetWindowPos(Handle(), frmMain->Handle(), 0, 0, 0, 0, kRestackFlags);
  }
  LastPlacementTime = CurrentDateTime();
}

void TfrmVideoWindow::Activate() {
  TForm::Activate();
  if (!(frmMain && frmMain->SkipFormPlacement) && FullScreen) VideoWindow->SetFocus();
}

void TfrmVideoWindow::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  // Closing the video window ends the program as the main window does.
  if (frmMain) frmMain->Close();
}

void TfrmVideoWindow::Resize() {
  TForm::Resize();
  if (VideoWindow) VideoWindow->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

void TfrmVideoWindow::ApplySubtitleFont() {
  const lc::settings::SettingsStore& s = Program().Settings;
  TFont Font;
  Font.SetName(Utf8ToWide(s.SubtitleFontName.empty() ? "Arial" : s.SubtitleFontName));
  if (s.SubtitleFontPointSize > 0) Font.SetSize(s.SubtitleFontPointSize);
  Font.SetColor(static_cast<TColor>(s.SubtitleFontColor));
  Font.SetStyle(s.SubtitleFontStyle);
  VideoWindow->SetFont(Font);
}

// --------------------------------------------------------- picture placement

void TfrmVideoWindow::PlacePictureInWindow() {
  if (!GraphActive() || !frmMain) return;
  const lc::PlayerState& s = Player();
  const TRect r = lc::PlacePicture(CurrentShape(), VideoWindow->ClientWidth(), VideoWindow->ClientHeight(), 0,
                                   s.ImageOffsetX, s.ImageOffsetY);
  frmMain->SetVideoPosAndSize(r.Left, r.Top, r.Width(), r.Height());
}

void TfrmVideoWindow::PlacePictureFullScreen() {
  if (!GraphActive() || !frmMain) return;
  const lc::PlayerState& s = Player();
  const TRect r = lc::PlacePicture(CurrentShape(), VideoMonitor.Width(), VideoMonitor.Height(),
                                   Program().Settings.PanScanValue, s.ImageOffsetX, s.ImageOffsetY);
  frmMain->SetVideoPosAndSize(r.Left, r.Top, r.Width(), r.Height());
}

void TfrmVideoWindow::PlaceAfterWheel() {
  if (GraphActive() && frmMain) {
    const TRect r = lc::PlacePicture(CurrentShape(), VideoWindow->ClientWidth(), VideoWindow->ClientHeight());
    frmMain->SetVideoPosAndSize(r.Left, r.Top, r.Width(), r.Height());
    VideoWindow->AttachVideoWindow();
    VideoWindow->ApplyColorKey();
  }
  lc::RaiseRmsChangeScore(Player(), GraphActive());
}

// ----------------------------------------------------------------- mouse

void TfrmVideoWindow::VideoWindowClick() {
  if (!FullScreen || !frmMain) return;
  if (CurrentDateTime() - LastDoubleClickTime < kClickAfterDoubleClick) return;
  if (frmMain->Tag != 1 && frmMain->Enabled()) {
    ParkMainWindow();
    return;
  }
  // Every other showing window of the player comes to the front.
  std::vector<TForm*> Shown;
  for (TForm* Form : Screen.Forms())
    if (Form->Name != L"frmVideoWindow" && !Form->Name.empty() && Form->Showing()) Shown.push_back(Form);
  for (auto It = Shown.rbegin(); It != Shown.rend(); ++It) (*It)->BringToFront();
  frmMain->SetEnabled(true);
  frmMain->Tag = 0;
}

void TfrmVideoWindow::VideoWindowDblClick() {
  if (!FullScreen) {
    if (Program().Settings.AutoHideMainWindow) LastDoubleClickTime = CurrentDateTime();
    SetFullScreen(true);
  } else {
    SetNormalScreen();
  }
  lc::RaiseRmsChangeScore(Player(), GraphActive());
}

void TfrmVideoWindow::VideoWindowMouseDown(TMouseButton Button) {
  if (Button == TMouseButton::mbLeft && !FullScreen && CurrentDateTime() - LastPlacementTime > kDragPause) {
    // The move loop takes the release: no click follows a drag.
    FLeftPressed = false;
    StartWindowDrag(*this);
  } else if (Button == TMouseButton::mbRight && FullScreen && frmMain) {
    // The context menu is about to open over the parked main window.
    if (MainWindowOnlyOnVideoMonitor()) frmMain->SetEnabled(false);
    frmMain->Tag = 1;
  }
}

void TfrmVideoWindow::VideoWindowMouseUp(TMouseButton Button) {
  if (Button != TMouseButton::mbMiddle) return;
  if (FullScreen)
    SetNormalScreen();
  else
    SetFullScreen(true);
  lc::RaiseRmsChangeScore(Player(), GraphActive());
}

void TfrmVideoWindow::VideoWindowColorKeyChanged() { VideoWindow->RepaintVideo(); }

void TfrmVideoWindow::rzBottomMouseDown(TComponent* Sender) {
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_SIZE + Sender->Tag, 0);
}

// ----------------------------------------------------------------- wheel

void TfrmVideoWindow::VideoWindowMouseWheelDown() { WheelNotification(false); }
void TfrmVideoWindow::VideoWindowMouseWheelUp() { WheelNotification(true); }

void TfrmVideoWindow::WheelNotification(bool Up) {
  if (!WheelPhase) {
    WheelPhase = true;
    return;
  }
  if (FullScreen) {
    if (OnVolumeStep) OnVolumeStep(Up);
    Player().OsdShowsPosition = false;
    if (frmMain) frmMain->ShowOSD(lc::VolumeOsdText(FilterGraph.Volume(), lc::settings::GlobalTextTable()));
    WheelPhase = false;
    return;
  }
  // Tried again at the next notification.
  if (Program().BusyFlag || Program().OpeningMovie) return;
  {
    lc::BusyScope Busy;
    if (StepWindowSize(Up)) PlaceAfterWheel();
  }
  WheelPhase = false;
}

bool TfrmVideoWindow::StepWindowSize(bool Up) {
  const bool Differ = Program().MonitorsDiffer;
  std::optional<TRect> Next;
  if (Up) {
    const TRect Desk = Screen.DesktopRect();
    const int W = Differ ? Desk.Width() : Screen.Width();
    const int H = Differ ? Desk.Height() : Screen.Height();
    Next = lc::WheelGrowBounds(BoundsRect(), lc::AspectCorrectedSize(CurrentShape()), W, H);
  } else {
    const TRect A = Differ ? Screen.DesktopRect() : Screen.WorkAreaRect();
    Next = lc::WheelShrinkBounds(BoundsRect(), VideoWindow->ClientWidth(), VideoWindow->ClientHeight(),
                                 {A.Left, A.Top, A.Width(), A.Height()});
  }
  if (!Next) return false;
  SetBounds(Next->Left, Next->Top, Next->Width(), Next->Height());
  ZoomBaseBounds = {};
  return true;
}

// -------------------------------------------------------------- messages

void TfrmVideoWindow::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(); break;
    case WM_SIZING: WMSizing(M); break;
    case WM_EXITSIZEMOVE: WMExitSizeMove(); break;
    case WM_WINDOWPOSCHANGED:
      if (Player().MainWindowMoving && GraphActive()) {
        Player().MainWindowMoving = false;
        RestackRenderer();
      }
      break;
    case WM_MOVING:
      if (GraphActive()) RestackRenderer();
      break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(M); break;
    case WM_MOUSEWHEEL:
      // One notch of the wheel is two notifications: the second acts.
      for (int Notification = 0; Notification < 2; ++Notification)
        if (GET_WHEEL_DELTA_WPARAM(M.WParam) < 0)
          VideoWindowMouseWheelDown();
        else
          VideoWindowMouseWheelUp();
      M.Result = 0;
      return;
    case WM_DROPFILES:
      AcceptFiles(M);
      return;
    case WM_SETFOCUS:
      // The focus the window takes goes on to the picture, which takes the
      // keys.
      TForm::WndProc(M);
      if (VideoWindow) VideoWindow->SetFocus();
      return;
    case WM_APPCOMMAND:
      // The media keys act as on the main window.
      if (frmMain) {
        M.Result = frmMain->Perform(M.Msg, M.WParam, M.LParam);
        return;
      }
      break;
  }
  TForm::WndProc(M);
  if (M.Msg == WM_GETMINMAXINFO) {
    // Up to ten times the primary screen in each direction.
    auto* Info = reinterpret_cast<MINMAXINFO*>(M.LParam);
    Info->ptMaxTrackSize = {10 * Screen.Width(), 10 * Screen.Height()};
  }
}

void TfrmVideoWindow::WMEnterSizeMove() {
  Player().WindowMoved = false;
  BOOL Full = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &Full, 0);
  DragFullWindows = Full != FALSE;
  ZoomBaseBounds = {};
  InSizeMove = true;
}

void TfrmVideoWindow::WMSizing(TMessage& M) {
  auto* R = reinterpret_cast<RECT*>(M.LParam);
  const TRect Limited = lc::LimitSizingRect(static_cast<int>(M.WParam), {R->left, R->top, R->right, R->bottom});
  *R = {Limited.Left, Limited.Top, Limited.Right, Limited.Bottom};
  if (DragFullWindows) PlacePictureInWindow();
  lc::RaiseRmsChangeScore(Player(), GraphActive());
  M.Result = TRUE;
}

void TfrmVideoWindow::WMExitSizeMove() {
  PlacePictureInWindow();
  Player().WindowMoved = true;
  Player().WindowMovedTime = CurrentDateTime();
  InSizeMove = false;
}

void TfrmVideoWindow::WMWindowPosChanging(TMessage& M) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(M.LParam);
  const UINT Fixed = SWP_NOMOVE | SWP_NOSIZE;
  if (InSizeMove && (Pos->flags & Fixed) != Fixed) {
    // The other player windows attract it, as it attracts them.
    TForm* Targets[] = {frmMain, frmMain ? frmMain->Satellites.PlayList : nullptr,
                        frmMain ? frmMain->Satellites.Equalizer : nullptr};
    SnapWindow(*this, M, std::span<TForm* const>(Targets), FullScreen);
  }
}

void TfrmVideoWindow::RestackRenderer() {
  IVideoWindow* Renderer = nullptr;
  if (FAILED(VideoWindow->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&Renderer)))) return;
  Renderer->put_Owner(reinterpret_cast<OAHWND>(Handle()));
  Renderer->Release();
  if (HWND Child = FindWindowExW(Handle(), nullptr, L"VideoRenderer", L"VideoWindow"))
    SetWindowPos(Child, VideoWindow->Handle(), 0, 0, 0, 0, kRestackFlags);
  Application.ProcessMessages();
}
