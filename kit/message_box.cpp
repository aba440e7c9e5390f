#include "kit/message_box.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include <windows.h>

#include "framework/application.h"
#include "kit/pointer_snap.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"

TfrmMessage* frmMessage = nullptr;

namespace {

constexpr TColor FormColor = 0xE0E0E0;
constexpr TColor TitleColor = 0x999999;
constexpr TColor TextColor = 0x166116;
constexpr int OkWidth = 80;

// The program as the box reaches it, once connected.
struct TMessageBoxLinks {
  const TProgramWindows* Windows = nullptr;
  std::function<TMessageBoxTexts()> Texts;
};

TMessageBoxLinks& Links() {
  static TMessageBoxLinks L;
  return L;
}

const TProgramWindows& Windows() {
  if (!Links().Windows) throw std::logic_error("the message box is not connected to the program");
  return *Links().Windows;
}

// Measures text on a canvas in its current font.
class TCanvasMeasurer : public TTextMeasurer {
 public:
  explicit TCanvasMeasurer(TCanvas& Canvas) : FCanvas(Canvas) {}
  int TextWidth(const std::wstring& Text) override { return FCanvas.TextWidth(Text); }
  int LineHeight() override { return FCanvas.TextHeight(L"Hg"); }

 private:
  TCanvas& FCanvas;
};

}  // namespace

void ConnectMessageBox(const TProgramWindows& Windows, std::function<TMessageBoxTexts()> Texts) {
  if (!Texts) throw std::invalid_argument("the message box needs its texts");
  Links() = {&Windows, std::move(Texts)};
}

void DisconnectMessageBox(const TProgramWindows& Windows) {
  if (Links().Windows == &Windows) Links() = {};
}

// ---- creation ------------------------------------------------------------------

TfrmMessage::TfrmMessage()
    : TSkinForm(L"TfrmMessage", L"Message1", false), FSurface(Host()), FWindows(Windows()) {
  FTexts = Links().Texts();
  SetCaption(L"Message");
  SetColor(FormColor);
  Font.SetName(L"Verdana");
  Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  Font.SetColor(TitleColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  FTextFont.SetName(L"Arial");
  FTextFont.SetHeight(-16);
  FTextFont.SetColor(TextColor);

  // This window keeps no back buffer: everything is drawn on its canvas.
  TButtonOptions Options{TButtonVariant::CaptionCentred, ptWindow};
  FCloseButton = std::make_unique<TVirtualButton>(Host(), FSurface, TRect{200, 7, 209, 16},
                                                  L"", FTexts.CloseHint, L"MainbtnClose",
                                                  Options);
  int OkLeft = (Host().Skin().Width() - OkWidth) / 2;
  FOkButton = std::make_unique<TVirtualButton>(
      Host(), FSurface, TRect{OkLeft, 231, OkLeft + OkWidth, 251}, FTexts.Ok, L"", L"",
      Options);
  FCheckBox = std::make_unique<TVirtualCheckbox>(Host(), FSurface, 13, FTexts.DoNotShow,
                                                 L"CBPositions");
  // The box's mouse order.
  Host().SetMouseOrder({FCloseButton.get(), FOkButton.get(), FCheckBox.get()});
  FCloseButton->OnClick = [this] { Close(); };
  FOkButton->OnClick = [this] { Close(); };
}

TfrmMessage::~TfrmMessage() = default;

// ---- showing ---------------------------------------------------------------------

void TfrmMessage::DoShow() {
  if (!FWindows.SkipFormPlacement()) LayOut();
  TSkinForm::DoShow();
}

void TfrmMessage::LayOut() {
  TBitmap& Background = Host().Skin();
  TMessagePlacementInput Placement = PlacementInput();
  TMessageLayoutInput In;
  In.BackgroundWidth = Background.Width();
  In.BackgroundHeight = Background.Height();
  In.ShowCheckBox = FCheckBox->Visible;
  In.CheckBoxWidth = FCheckBox->Rect().Width();
  In.CheckBoxHeight = FCheckBox->ImageHeight();
  In.OkRect = FOkButton->Rect();
  In.CloseRect = FCloseButton->Rect();
  const TRect Area = MessageBoxArea(Placement);
  In.MaxHeight = Area.Height();
  In.MaxWidth = Area.Width();
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.Assign(FTextFont);
  TCanvasMeasurer Measurer(Measure.Canvas());
  FLayout = LayoutMessage(FText, In, Measurer);
  FFirstLine = 0;

  WidenSkinImage(Background, FLayout.SkinWidth, FLayout.DrawOutColumn);
  HeightenSkinImage(Background, FLayout.SkinHeight, FLayout.DrawOutRow);
  CropBackground();
  FOkButton->SetRect(FLayout.OkRect);
  Constraints = {FLayout.Width, FLayout.Height, FLayout.Width, FLayout.Height};
  SetClientSize(FLayout.Width, FLayout.Height);
  if (FCheckBox->Visible) FCheckBox->SetVertical(FLayout.CheckBoxTop, FLayout.CheckBoxBottom);
  Placement.ClientWidth = ClientWidth();
  Placement.ClientHeight = ClientHeight();
  TPoint At = PlaceMessageBox(Placement);
  SetBounds(At.X, At.Y, Width(), Height());
  TCanvas& Face = Background.Canvas();
  Face.Font.Assign(Font);
  Face.Brush.Style = TBrushStyle::bsClear;
  Face.TextOut(5, 5, FTexts.Title);
  FCloseButton->SetRect(FLayout.CloseRect);
  MessageBeep(0);
}

// Carries the background's bottom and right edges in and cuts it to the
// box's size. The right edge is stretched within the same bitmap, over rows
// it also reads: CopyRect copies such overlapping areas safely.
void TfrmMessage::CropBackground() {
  TBitmap& Background = Host().Skin();
  for (const TStripCopy& C : FLayout.CropCopies) {
    if (C.Dest.IsEmpty() || C.Source.IsEmpty()) continue;
    Background.Canvas().CopyRect(C.Dest, Background.Canvas(), C.Source);
  }
  Background.SetSize(FLayout.Width, FLayout.Height);
}

// Where the box may stand and what it is placed by; the client size is
// the caller's.
TMessagePlacementInput TfrmMessage::PlacementInput() const {
  TMessagePlacementInput P;
  bool OwnerUp = OwnerForm && OwnerForm->Enabled() && OwnerForm->Showing();
  P.CentreOnVideo = FWindows.VideoFullScreen() && !OwnerUp;
  P.ScreenWidth = Screen.Width();
  P.ScreenHeight = Screen.Height();
  P.VideoMonitor = FWindows.VideoMonitor();
  P.WorkArea = Screen.WorkAreaRect();
  TForm& Main = FWindows.MainWindow();
  P.MainWindow = Main.BoundsRect();
  P.MonitorsDiffer = FWindows.MonitorsDiffer();
  if (P.MonitorsDiffer) P.MainMonitor = GetWindowMonitor(Main.Handle()).BoundsRect;
  return P;
}

void TfrmMessage::Activate() {
  TSkinForm::Activate();
  const TRect& R = FOkButton->Rect();
  SnapPointerTo(*this, R.Left + R.Width() / 2, R.Top + R.Height() / 2);
}

// ---- painting and input ------------------------------------------------------------

void TfrmMessage::Paint() {
  TSkinForm::Paint();  // the background and the three widgets
  TCanvas& C = Canvas();
  C.Font.Assign(FTextFont);
  C.Brush.Style = TBrushStyle::bsClear;
  int LineHeight = C.TextHeight(L"Hg");
  int Y = FLayout.LabelPos.Y;
  int End = std::min(FFirstLine + FLayout.ShownLines, static_cast<int>(FLayout.Lines.size()));
  for (int I = FFirstLine; I < End; ++I) {
    const std::wstring& Line = FLayout.Lines[I];
    // Centred within the text block.
    C.TextOut(FLayout.LabelPos.X + (FLayout.LabelWidth - C.TextWidth(Line)) / 2, Y, Line);
    Y += LineHeight;
  }
}

// Moves a text cut to the screen's height by Lines (negative: back towards
// its start); a text shown whole stays.
void TfrmMessage::ScrollText(int Lines) {
  int First = ScrolledFirstLine(FFirstLine, Lines, static_cast<int>(FLayout.Lines.size()),
                                FLayout.ShownLines);
  if (First == FFirstLine) return;
  FFirstLine = First;
  Invalidate();
}

void TfrmMessage::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The host clears the capture and asks the close button, the OK button
  // and the check box in that order; the buttons close the box.
  TSkinForm::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  Application.ProcessMessages();
  Application.CancelHint();
}

void TfrmMessage::FormKeyPress(wchar_t& Key) {
  if (Key == 13 || Key == 27) Close();
}

void TfrmMessage::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TSkinForm::KeyPress(Key);
}

void TfrmMessage::KeyDown(WORD& Key, TShiftState Shift) {
  const int Page = std::max(FLayout.ShownLines - 1, 1);
  switch (Key) {
    case VK_UP: ScrollText(-1); break;
    case VK_DOWN: ScrollText(1); break;
    case VK_PRIOR: ScrollText(-Page); break;
    case VK_NEXT: ScrollText(Page); break;
    default: break;
  }
  TSkinForm::KeyDown(Key, Shift);
}

void TfrmMessage::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEWHEEL) {
    // The user's lines per notch, at least one line a turn either way.
    UINT PerNotch = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &PerNotch, 0);
    const int Delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    int Lines = PerNotch == WHEEL_PAGESCROLL ? std::max(FLayout.ShownLines - 1, 1)
                                             : static_cast<int>(PerNotch);
    Lines = std::max(1, std::abs(Delta) * Lines / WHEEL_DELTA);
    if (Delta != 0) ScrollText(Delta > 0 ? -Lines : Lines);
    Message.Result = 0;
    return;
  }
  TSkinForm::WndProc(Message);
}

void TfrmMessage::DoClose(TCloseAction& Action) {
  Screen.SetCursor(crDefault);
  Host().MouseLeave();  // the buttons lose their hover look
  TSkinForm::DoClose(Action);
}

// ---- the one entry point ------------------------------------------------------------

void ShowMessageBox(const std::wstring& Text, TForm* Owner, bool ShowCheckBox,
                    bool& Checked) {
  if (frmMessage) return;
  struct TGuard {
    ~TGuard() { frmMessage = nullptr; }
  } Guard;
  auto Form = std::make_unique<TfrmMessage>();
  frmMessage = Form.get();
  Form->SetText(Text);
  Form->OwnerForm = Owner;
  Form->CheckBox().Visible = ShowCheckBox;
  Form->ShowModal();
  if (ShowCheckBox) Checked = Form->CheckBox().Checked;
}

void ShowMessageBoxOverOpenBox(const std::wstring& Text, TForm* Owner, bool ShowCheckBox,
                               bool& Checked) {
  TfrmMessage* Open = frmMessage;
  if (!Open) {
    ShowMessageBox(Text, Owner, ShowCheckBox, Checked);
    return;
  }
  struct TStepAside {
    TfrmMessage* Box;
    bool WasVisible;
    ~TStepAside() {
      frmMessage = Box;
      if (WasVisible) Box->Show();
    }
  } Aside{Open, Open->Visible()};
  Open->Hide();
  frmMessage = nullptr;
  ShowMessageBox(Text, Owner, ShowCheckBox, Checked);
}
