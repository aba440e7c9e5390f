#include "playlist/win/playlist_window.h"

#include <algorithm>

#include <windows.h>
#include <shellapi.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "playlist/window_layout.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::playlist::kPlaylistFixedButtons;
using lc::playlist::LayoutPlaylist;
using lc::playlist::PlaylistLayout;
using lc::settings::GlobalTextTable;

TfrmPlayList* frmPlayList = nullptr;

namespace {

constexpr TColor kFaceColor = RGBColor(167, 167, 168);
constexpr TColor kTitleColor = RGBColor(153, 153, 153);
constexpr TColor kListColor = RGBColor(246, 246, 246);
constexpr TColor kListFontColor = RGBColor(12, 52, 12);
// The lines' height at least.
constexpr int kItemHeight = 13;
// The platform's sizing commands: bottom edge, right edge, corner.
constexpr WPARAM kSizeBottom = 61446;
constexpr WPARAM kSizeRight = 61442;
constexpr WPARAM kSizeCorner = 61448;

std::wstring HintText(int Index) { return Utf8ToWide(GlobalTextTable().TextHints[Index]); }

// The client size the settings give the window, never below its least.
TSize ClientSizeOf(const lc::settings::SettingsStore& Settings) {
  return {std::max(Settings.PlayListWidth, lc::playlist::kPlaylistMinWidth),
          std::max(Settings.PlayListHeight, lc::playlist::kPlaylistMinHeight)};
}

}  // namespace

TfrmPlayList::TfrmPlayList(lc::playlist::Playlist& Model, lc::playlist::FileOpener& Opener,
                           lc::settings::SettingsStore& Settings, TPlayListEnvironment& Environment)
    : TForm(L"TfrmPlayList", ClientSizeOf(Settings)),
      ListVideo(this, TListBoxStyle::lbOwnerDrawFixed),
      ListSub(this, TListBoxStyle::lbOwnerDrawFixed),
      FModel(Model),
      FOpener(Opener),
      FSettings(Settings),
      FEnv(Environment),
      FHost(*this),
      FSurface(FHost),
      FBottomZone(this),
      FRightZone(this),
      FCornerZone(this) {
  SetCaption(Utf8ToWide(lc::Program().Names.AppName) + L"PlaylistWindow");
  Constraints = {lc::playlist::kPlaylistMinWidth, lc::playlist::kPlaylistMinHeight,
                 lc::playlist::kPlaylistMaxSize, lc::playlist::kPlaylistMaxSize};
  SetColor(kFaceColor);
  Font.SetName(L"Verdana");
  Font.SetHeight(-12);
  Font.SetColor(kTitleColor);
  ShowHint = true;
  for (int I = 0; I < 10; ++I) LoadSkinImage(L"PlaylistPart" + std::to_wstring(I + 1), FParts[I].Bitmap);
  // The skin holds the composed face (what widgets restore under
  // themselves), the back buffer the face with the two switches, both at
  // the largest size. The back buffer is made while the skin is still empty
  // and sized with it: both start black without copying megabytes of black.
  FHost.CreateBackBuffer();
  for (TBitmap* Face : {&FHost.Skin(), FHost.BackBuffer()})
    Face->SetSize(lc::playlist::kPlaylistMaxSize, lc::playlist::kPlaylistMaxSize);
  FHost.Skin().Canvas().Brush.Style = TBrushStyle::bsClear;
  FHost.Skin().Canvas().Font.Assign(Font);
  // The title's points shrink as the screen's pixels per inch grow, so it
  // keeps its pixel size on the face.
  FHost.Skin().Canvas().Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  CreateWidgets();
  SetUpList(ListVideo);
  SetUpList(ListSub);
  ListVideo.OnKeyDown = [this](TComponent*, WORD& Key, TShiftState Shift) { ListVideoKeyDown(Key, Shift); };
  ListSub.OnKeyDown = [this](TComponent*, WORD& Key, TShiftState Shift) { ListSubKeyDown(Key, Shift); };
  ListVideo.OnMouseDown = [this](TComponent*, TMouseButton B, TShiftState, int X, int Y) {
    ListVideoMouseDown(B, X, Y);
  };
  ListVideo.OnMouseMove = [this](TComponent*, TShiftState Shift, int X, int Y) { ListVideoMouseMove(Shift, X, Y); };
  ListVideo.OnMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) {
    FDragging = false;
    FClickFollowsPress = false;
  };
  ListVideo.OnClick = [this](TComponent*) {
    FModel.SetItemIndex(ListVideo.ItemIndex());
    if (FClickFollowsPress) FClickFollowsPress = false; else ListVideoSelectItem();
  };
  ListVideo.OnDblClick = [this](TComponent*, TShiftState, int, int) { ListVideoDblClick(); };
  ListSub.OnMouseDown = [this](TComponent*, TMouseButton B, TShiftState, int X, int Y) {
    ListSub.Hint.clear();
    if (B == TMouseButton::mbRight) ListSub.SetItemIndex(ListSub.ItemAtPos(X, Y));
  };
  ListSub.OnMouseMove = [this](TComponent*, TShiftState, int X, int Y) {
    DropFaceHover();
    ListHint(ListSub, X, Y, false);
  };
  ListSub.OnClick = [this](TComponent*) { ListSubClick(); };
  FBottomZone.OnMouseDown = [this](TComponent*) { ZoneMouseDown(kSizeBottom); };
  FRightZone.OnMouseDown = [this](TComponent*) { ZoneMouseDown(kSizeRight); };
  FCornerZone.OnMouseDown = [this](TComponent*) { ZoneMouseDown(kSizeCorner); };
  CreateMenus();
  CreateDialogs();
  FModel.OnLinesChanged = [this] { SyncLines(); };
  FModel.Entries().PlaylistIndex = -1;
  SyncLines();
  const TSize Size = ClientSizeOf(FSettings);
  SetClientSize(Size.cx, Size.cy);
  Resize();
  DragAcceptFiles(Handle(), TRUE);
  lc::settings::RegisterTextTarget(this);
  if (!frmPlayList) frmPlayList = this;
}

TfrmPlayList::~TfrmPlayList() {
  lc::settings::UnregisterTextTarget(this);
  FModel.OnLinesChanged = nullptr;
  if (frmPlayList == this) frmPlayList = nullptr;
}

void TfrmPlayList::CreateWidgets() {
  TButtonOptions Options;
  Options.Variant = TButtonVariant::Playlist;
  Options.Playlist = this;
  const TRect CloseAt{228, 7, 237, 16};
  FButtons[0] = std::make_unique<TVirtualButton>(FHost, FSurface, CloseAt, L"", HintText(0), L"btnClose", Options);
  for (int I = 1; I < 6; ++I) {
    const auto& B = kPlaylistFixedButtons[I - 1];
    FButtons[I] = std::make_unique<TVirtualButton>(FHost, FSurface, B.Bounds, L"", HintText(kButtonHints[I]),
                                                   Utf8ToWide(B.Skin), Options);
  }
  FButtons[6] = std::make_unique<TVirtualButton>(FHost, FSurface, TRect{7, 0, 19, 12}, L"", HintText(25),
                                                 L"btnReplaceSubtitle", Options);
  FButtons[6]->SetEnabled(SubtitlesShown());
  for (int I = 0; I < 7; ++I) FButtons[I]->OnClick = [this, I] { ButtonAction(I); };
  TFlipOptions Flip;
  Flip.Variant = TFlipVariant::Playlist;
  Flip.HintTrue = HintText(27);
  Flip.HintFalse = HintText(26);
  Flip.FaceTrue = &FParts[2];
  Flip.FaceFalse = &FParts[3];
  Flip.Playlist = this;
  FToggle = std::make_unique<TVirtualFlip>(FHost, FSurface, TRect{7, 0, 19, 8}, SubtitlesShown() ? HintText(27) : HintText(26),
                                           L"ShowHideSubtitles", SubtitlesShown(), Flip);
  FToggle->OnClick = [this] { ShowHideSubtitlesRepaint(); };
  FPrevious = std::make_unique<TVirtualButton2>(FHost, FSurface, kPlaylistFixedButtons[5].Bounds, HintText(14),
                                                L"btnPreviousSettings");
  FPrevious->SetDown(FSettings.RememberPreviousMovieSettings);
  FPrevious->OnClick = [this] {
    FSettings.RememberPreviousMovieSettings = !FSettings.RememberPreviousMovieSettings;
    FPrevious->SetDown(FSettings.RememberPreviousMovieSettings);
  };
  FShuffle = std::make_unique<TVirtualButton2>(FHost, FSurface, kPlaylistFixedButtons[6].Bounds, HintText(31),
                                               L"btnShuffle");
  FShuffle->SetDown(FSettings.Shuffle);
  FShuffle->OnClick = [this] {
    FModel.SetShuffle(!FSettings.Shuffle);
    FShuffle->SetDown(FSettings.Shuffle);
  };
  // The face's mouse order: the buttons in their table's order, the
  // subtitle toggle, the previous-settings and shuffle latches.
  std::vector<TWidget*> Order;
  for (auto& Button : FButtons) Order.push_back(Button.get());
  Order.insert(Order.end(), {FToggle.get(), FPrevious.get(), FShuffle.get()});
  FHost.SetMouseOrder(std::move(Order));
}

void TfrmPlayList::SetUpList(TListBox& List) {
  List.SetColor(kListColor);
  TFont ListFont;
  ListFont.SetName(L"MS Sans Serif");
  ListFont.SetColor(kListFontColor);
  List.SetFont(ListFont);
  FitItemHeight(List);
  List.ShowHint = true;
  List.OnDrawItem = [this](TListBox* L, int Index, const TRect& Rect, UINT State) { DrawLine(L, Index, Rect, State); };
}

void TfrmPlayList::SetListFontSize(int Points) {
  for (TListBox* List : {&ListVideo, &ListSub}) {
    TFont Font;
    Font.Assign(List->Font);
    Font.SetSize(Points);
    List->SetFont(Font);
    FitItemHeight(*List);
    List->Invalidate();
  }
}

// Lines 13 pixels high, or as high as the font's letters with their
// descenders (an underscore below the baseline stays on its line).
void TfrmPlayList::FitItemHeight(TListBox& List) {
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.Assign(List.Font);
  List.SetItemHeight(std::max(kItemHeight, Measure.Canvas().TextHeight(L"Ag_")));
}

void TfrmPlayList::ClearListHints() {
  ListVideo.Hint.clear();
  ListSub.Hint.clear();
}

void TfrmPlayList::DrawLine(TListBox* List, int Index, const TRect& Rect, UINT State) {
  TCanvas& C = List->Canvas();
  const bool Selected = (State & ODS_SELECTED) != 0;
  C.Brush.Style = TBrushStyle::bsSolid;
  C.Brush.Color = Selected ? kListFontColor : kListColor;
  C.FillRect(Rect);
  C.Font.Assign(List->Font);
  C.Font.SetColor(Selected ? kListColor : kListFontColor);
  C.Brush.Style = TBrushStyle::bsClear;
  C.TextOut(Rect.Left + 2, Rect.Top, List->Items(Index));
}

// ---- layout and face ----

void TfrmPlayList::Resize() {
  TForm::Resize();
  FPaintGate = -1;
  const PlaylistLayout L = LayoutPlaylist(ClientWidth(), ClientHeight(), SubtitlesShown());
  ListVideo.SetBounds(L.ListVideo.Left, L.ListVideo.Top, L.ListVideo.Width(), L.ListVideo.Height());
  ListSub.SetVisible(SubtitlesShown());
  if (SubtitlesShown()) ListSub.SetBounds(L.ListSub.Left, L.ListSub.Top, L.ListSub.Width(), L.ListSub.Height());
  FBottomZone.SetBounds(L.BottomZone.Left, L.BottomZone.Top, L.BottomZone.Width(), L.BottomZone.Height());
  FRightZone.SetBounds(L.RightZone.Left, L.RightZone.Top, L.RightZone.Width(), L.RightZone.Height());
  FCornerZone.SetBounds(L.CornerZone.Left, L.CornerZone.Top, L.CornerZone.Width(), L.CornerZone.Height());
  FButtons[6]->SetRect(L.AddSubtitleButton);
  FToggle->SetRect(L.ToggleButton);
  FButtons[0]->SetRect(L.CloseButton);
  BufferPaint();
  FPaintGate = 100;
  Invalidate();
}

void TfrmPlayList::BufferPaint() {
  const PlaylistLayout L = LayoutPlaylist(ClientWidth(), ClientHeight(), SubtitlesShown());
  TCanvas& C = FHost.Skin().Canvas();
  for (const auto& Piece : L.Face) {
    C.CopyRect(Piece.Target, FParts[Piece.Image - 1].Bitmap.Canvas(), Piece.Source);
  }
  C.Brush.Style = TBrushStyle::bsClear;
  C.TextOut(5, 5, Utf8ToWide(GlobalTextTable().TextCaptions[9]));
  const TRect Client{0, 0, ClientWidth(), ClientHeight()};
  FHost.BackBuffer()->Canvas().CopyRect(Client, C, Client);
  FPrevious->PaintToBuffer();
  FShuffle->PaintToBuffer();
}

void TfrmPlayList::ShowHideSubtitlesRepaint() {
  const bool Shown = FToggle->State();
  FSettings.ShowSubtitlesInPlaylist = Shown;
  FButtons[6]->SetEnabled(Shown);
  Resize();
  if (Shown) ListVideoSelectItem();
}

void TfrmPlayList::SetShowSubtitlesInPlaylist(bool Show) { FSettings.ShowSubtitlesInPlaylist = Show; }

void TfrmPlayList::SettingsIntoSwitches() {
  FToggle->SetState(FSettings.ShowSubtitlesInPlaylist);
  FPrevious->SetDown(FSettings.RememberPreviousMovieSettings);
  FShuffle->SetDown(FSettings.Shuffle);
  // Lays the lists out and draws the latches into the new face.
  ShowHideSubtitlesRepaint();
}

bool TfrmPlayList::EraseBackground() {
  if (FPaintGate < 0) return true;
  FHost.EraseBackground();
  return true;
}

void TfrmPlayList::Paint() { TForm::Paint(); }

void TfrmPlayList::RepaintButtons() {
  if (!HandleAllocated()) return;
  const PlaylistLayout L = LayoutPlaylist(ClientWidth(), ClientHeight(), SubtitlesShown());
  TRect Strips[3] = {{0, 0, 26, 104}, {ClientWidth() - 14, 0, ClientWidth(), 26}, L.AddSubtitleButton};
  const int Count = SubtitlesShown() ? 3 : 2;
  if (SubtitlesShown()) Strips[2] = {0, L.ToggleButton.Top, 26, L.AddSubtitleButton.Bottom};
  for (int I = 0; I < Count; ++I) FHost.DrawOnWindow(Strips[I], FHost.Skin().Canvas(), Strips[I]);
  FPrevious->PaintWindow();
  FShuffle->PaintWindow();
}

// ---- the mouse on the face ----

void TfrmPlayList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && !FHost.MouseDown(X, Y)) StartWindowDrag(*this);
}

void TfrmPlayList::MouseMove(TShiftState Shift, int X, int Y) {
  TForm::MouseMove(Shift, X, Y);
  FHost.MouseMove(X, Y, (Shift & ssLeft) != 0);
}

void TfrmPlayList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseUp(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) {
    if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
    FHost.MouseUp(X, Y);
  }
  Application.ProcessMessages();
  Application.CancelHint();
}

void TfrmPlayList::MouseLeave() {
  TForm::MouseLeave();
  FHost.MouseLeave();
  RepaintButtons();
}

// The pointer is over a list: no button of the face stays lit and the
// face's hint goes (the platform does not always tell the window that the
// pointer left its face for one of its lists).
void TfrmPlayList::DropFaceHover() {
  bool Lit = !Hint.empty();
  for (const TWidget* W : FHost.Widgets()) Lit = Lit || W->Hover();
  if (!Lit) return;
  FHost.MouseLeave();
  RepaintButtons();
}

void TfrmPlayList::ButtonAction(int Index) {
  switch (Index) {
    case 0: Close(); break;
    case 1: AddMovieClick(); break;
    case 2: AddFolderMenuClick(); break;
    case 3: FModel.RemoveMovie(); break;
    case 4: btnSavePlaylistClick(); break;
    case 5: btnOpenPlaylistClick(); break;
    case 6: ListSubAdd(); break;
  }
}

void TfrmPlayList::ZoneMouseDown(WPARAM SizeCommand) {
  BOOL FullDrag = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &FullDrag, 0);
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  ReleaseCapture();
  Perform(WM_SYSCOMMAND, SizeCommand, 0);
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FullDrag, nullptr, 0);
}

// ---- window messages ----

bool TfrmPlayList::CloseQuery() {
  FModel.FormCloseQuery();
  return TForm::CloseQuery();
}

void TfrmPlayList::Activate() {
  TForm::Activate();
  if (ListVideo.HandleAllocated() && Visible()) ListVideo.SetFocus();
}

void TfrmPlayList::Snap(TMessage& Message) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!FMoving || ((Pos->flags & SWP_NOMOVE) && (Pos->flags & SWP_NOSIZE))) return;
  const TProgramWindows& W = FEnv.Windows();
  const std::array<TForm*, 3> Targets = {&W.MainWindow(), W.VideoWindow(), W.EqualizerWindow()};
  SnapWindow(*this, Message, Targets, W.VideoFullScreen());
}

void TfrmPlayList::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ENTERSIZEMOVE: FMoving = true; break;
    case WM_EXITSIZEMOVE: FMoving = false; break;
    case WM_WINDOWPOSCHANGING: Snap(Message); break;
    case WM_SYSCOMMAND:
      // The window has no menu bar: Alt pressed alone would only have the
      // platform paint the window menu's icon over the title.
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_DROPFILES:
      AcceptFiles(reinterpret_cast<HDROP>(Message.WParam));
      Message.Result = 0;
      return;
  }
  TForm::WndProc(Message);
}
