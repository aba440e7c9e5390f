#include "tools/slider_dialogs.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "settings/text_table.h"
#include "settings/value_parse.h"
#include "tools/jump_dialog.h"
#include "tools/tool_environment.h"

TfrmAspectRatio* frmAspectRatio = nullptr;
TfrmPanScan* frmPanScan = nullptr;

namespace {

constexpr int kRestoreWidth = 27;

// The ratio as the player's on-screen text writes it: general notation
// with the user's decimal separator ("1.33", "2").
std::string RatioText(double Ratio) {
  std::string Text = lc::settings::FloatToText(Ratio);
  const wchar_t S = lc::tools::DecimalSeparator();
  std::replace(Text.begin(), Text.end(), '.', S > 0 && S < 128 ? static_cast<char>(S) : '.');
  return Text;
}

}  // namespace

TSliderDialog::TSliderDialog(TKind Kind, lc::tools::TDialogPlayerLink& Player)
    : TToolDialog(Kind == TKind::AspectRatio ? L"TfrmAspectRatio" : L"TfrmPanScan",
                  Kind == TKind::AspectRatio ? L"AspectRatio" : L"PanScan", false),
      FKind(Kind),
      FPlayer(Player) {
  const lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  const bool Aspect = Kind == TKind::AspectRatio;
  SetTitle(Utf8ToWide(T.TextCaptions[Aspect ? 1 : 8]));
  FThumb = Surface().LoadImage(L"HorizontalSlider");
  FSlider = std::make_unique<TVirtualTrackBar>(Host(), Surface(), Aspect ? AspectRatioTrack() : PanScanTrack(),
                                               FThumb.get(), ptWindow);
  const int W = Host().Skin().Width();
  TVirtualButton& CloseBox = AddCloseBox(Aspect ? 290 : W - 14);
  CloseBox.OnClick = [this] { Close(); };
  PlaceButtons();
  // The dialog's mouse order: the close box, OK, Cancel, Restore (aspect
  // ratio only), the slider.
  std::vector<TWidget*> Order{&CloseBox, FOk, FCancel, FRestore, FSlider.get()};
  std::erase(Order, nullptr);
  Host().SetMouseOrder(std::move(Order));
  FSlider->OnChange = [this] {
    if (FKind == TKind::PanScan) {
      Apply();
    } else if (Showing()) {
      Apply();
      Application.ProcessMessages();
    }
  };
}

TSliderDialog::~TSliderDialog() = default;

void TSliderDialog::PlaceButtons() {
  const lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  const bool Aspect = FKind == TKind::AspectRatio;
  const int W = Host().Skin().Width();
  FOk = &AddButton({0, 90, 0, 110}, Utf8ToWide(T.TextButtons[6]), L"", L"", TButtonVariant::CaptionGrowing);
  FCancel = &AddButton({0, 90, 0, 110}, Utf8ToWide(T.TextButtons[7]), L"", L"", TButtonVariant::CaptionGrowing);
  PlaceCaptionButtons(*FOk, *FCancel, W, 90, 110, Aspect ? kRestoreWidth : 0);
  FOk->OnClick = [this] {
    ModalResult = mrOk;
    Close();
  };
  FCancel->OnClick = [this] { Cancel(); };
  if (!Aspect) return;
  const int Left = (W - kRestoreWidth) / 2;
  FRestore = &AddButton({Left, 86, Left + kRestoreWidth, 113}, L"", Utf8ToWide(T.TextHints[28]), L"RestoreBtn",
                        TButtonVariant::Standard);
  FRestore->OnClick = [this] { RestoreClick(); };
}

int TSliderDialog::PlayerValue() const {
  lc::tools::TDialogPlayerLink& P = FPlayer;
  return FKind == TKind::AspectRatio ? lc::tools::AspectPosition(P.AspectRatio()) : P.PanScan();
}

void TSliderDialog::Apply() {
  const int Position = FSlider->Position();
  if (Position == PlayerValue()) return;
  if (FKind == TKind::AspectRatio)
    FPlayer.ApplyAspectRatio(Position * 0.01, RatioText(Position * 0.01));
  else
    FPlayer.ApplyPanScan(Position);
}

void TSliderDialog::Step(int Delta) {
  FSlider->SetPosition(FSlider->Position() + Delta);
  Apply();
}

void TSliderDialog::Cancel() {
  FSlider->SetPosition(FSaved);
  Apply();
  ModalResult = mrCancel;
  Close();
}

void TSliderDialog::RestoreClick() {
  const TSize Native = FPlayer.NativeVideoSize();
  const auto R = lc::tools::RestoreAspectPosition(Native.cx, Native.cy, FPlayer.AspectRatio());
  if (!R) return;
  FSlider->SetPosition(*R);
  FPlayer.ApplyAspectRatio(*R * 0.01, RatioText(*R * 0.01));
}

void TSliderDialog::DoShow() {
  if (FKind == TKind::AspectRatio) {
    if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) {
      FSaved = PlayerValue();
      FixAndPlace(TPlacement::BelowVideo);
      DrawTitle(Host().Skin().Canvas());
    }
  } else if (FixAndPlace(TPlacement::None)) {
    DrawTitle(Host().Skin().Canvas());
    const TRect M = PlacementInput().VideoMonitor;
    SetBounds(M.Left + M.Width() / 2, M.Top + M.Height() / 2, Width(), Height());
    FSaved = FSlider->Position();
  }
  TToolDialog::DoShow();
}

// The title is part of the face.
void TSliderDialog::Paint() { TSkinForm::Paint(); }

void TSliderDialog::Activate() {
  TToolDialog::Activate();
  SnapPointerTo(FSlider->ThumbPos(), 48);
}

void TSliderDialog::SliderKeyPress(wchar_t& Key) {
  using A = lc::tools::TSliderKey::TAction;
  const lc::tools::TSliderKey K =
      FKind == TKind::AspectRatio ? lc::tools::AspectRatioKey(Key) : lc::tools::PanScanKey(Key);
  switch (K.Action) {
    case A::Set:
      FSlider->SetPosition(K.Position);
      Apply();
      break;
    case A::Close:
      ModalResult = mrOk;
      Close();
      break;
    case A::Cancel: Cancel(); break;
    case A::None: return;
  }
  Key = 0;
}

void TSliderDialog::FormKeyDown(WORD& Key) {
  if (Key == vkLeft || Key == vkDown)
    Step(-1);
  else if (Key == vkRight || Key == vkUp)
    Step(1);
}

void TSliderDialog::KeyPress(wchar_t& Key) {
  SliderKeyPress(Key);
  TToolDialog::KeyPress(Key);
}

void TSliderDialog::KeyDown(WORD& Key, TShiftState Shift) {
  FormKeyDown(Key);
  TToolDialog::KeyDown(Key, Shift);
}

void TSliderDialog::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEWHEEL) {
    Step(GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0 ? 1 : -1);
    Message.Result = 0;
    return;
  }
  TToolDialog::WndProc(Message);
}

TfrmAspectRatio::TfrmAspectRatio(lc::tools::TDialogPlayerLink& Player) : TSliderDialog(TKind::AspectRatio, Player) {
  frmAspectRatio = this;
}

TfrmAspectRatio::~TfrmAspectRatio() {
  if (frmAspectRatio == this) frmAspectRatio = nullptr;
}

TfrmPanScan::TfrmPanScan(lc::tools::TDialogPlayerLink& Player) : TSliderDialog(TKind::PanScan, Player) {
  frmPanScan = this;
}

TfrmPanScan::~TfrmPanScan() {
  if (frmPanScan == this) frmPanScan = nullptr;
}
