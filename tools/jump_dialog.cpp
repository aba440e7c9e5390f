#include "tools/jump_dialog.h"

#include <algorithm>

#include <windows.h>

#include "framework/keys.h"
#include "framework/unicode.h"
#include "settings/text_table.h"
#include "tools/dialog_rules.h"
#include "tools/tool_environment.h"

std::int64_t LastJumpTime = 0;
TfrmJump* frmJump = nullptr;

namespace {

constexpr TColor TimeColor = 0x166116;  // RGB(22, 97, 22)
constexpr int kTimeFontHeight = 17;
constexpr int kSmallestTimeFont = 8;
// Kept free at the window's right edge.
constexpr int kRightMargin = 4;

}  // namespace

TfrmJump::TfrmJump(lc::tools::TDialogPlayerLink& Player)
    : TToolDialog(L"TfrmJump", L"Message2", false), FPlayer(Player) {
  frmJump = this;
  const lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  SetTitle(Utf8ToWide(T.TextCaptions[5]));
  const int W = Host().Skin().Width();
  TVirtualButton& CloseBox = AddCloseBox(W - 14);
  CloseBox.OnClick = [this] { Close(); };
  TVirtualButton& Ok = AddButton({0, 92, 0, 112}, Utf8ToWide(T.TextButtons[6]), L"", L"",
                                 TButtonVariant::CaptionGrowing);
  TVirtualButton& Cancel = AddButton({0, 92, 0, 112}, Utf8ToWide(T.TextButtons[7]), L"", L"",
                                     TButtonVariant::CaptionGrowing);
  PlaceCaptionButtons(Ok, Cancel, W, 92, 112);
  Ok.OnClick = [this] { btnOkClick(); };
  Cancel.OnClick = [this] { Close(); };
  // The dialog's mouse order.
  Host().SetMouseOrder({&CloseBox, &Ok, &Cancel});

  TFont TimeFont;
  TimeFont.SetName(L"MS Sans Serif");
  TimeFont.SetHeight(-kTimeFontHeight);
  TimeFont.SetStyle(fsBold);
  TimeFont.SetColor(TimeColor);
  FTime = std::make_unique<TEdit>(this);
  FTime->SetFont(TimeFont);
  FTime->SetBounds(24, 42, 81, 28);
  FTime->SetMaxLength(8);
  FTime->OnKeyPress = [this](TComponent*, wchar_t& Key) { ETimeKeyPress(Key); };
  FFromTime = std::make_unique<TLabel>(this);
  FFromTime->SetFont(TimeFont);
  FFromTime->Transparent = true;
  FFromTime->SetBounds(114, 47, 0, 0);
}

TfrmJump::~TfrmJump() {
  if (frmJump == this) frmJump = nullptr;
}

std::int64_t TfrmJump::DurationSeconds() const { return FPlayer.DurationMs() / 1000; }

void TfrmJump::ShowTime(std::int64_t Seconds) {
  FTime->SetText(Utf8ToWide(lc::tools::SecondsToHMS(Seconds)));
  SendMessageW(FTime->Handle(), EM_SETSEL, 4, 4);
}

void TfrmJump::DoShow() {
  if (FixAndPlace(TPlacement::BelowVideo)) {
    const std::int64_t Duration = DurationSeconds();
    ShowTime(std::min(LastJumpTime, Duration));
    FFromTime->SetCaption(Utf8ToWide(lc::settings::GlobalTextTable().TextLabels[28] + "  " +
                                     lc::tools::SecondsToHMS(Duration)));
    FitTimeFont();
  }
  TToolDialog::DoShow();
}

void TfrmJump::FitTimeFont() {
  const DWORD Margins = static_cast<DWORD>(SendMessageW(FTime->Handle(), EM_GETMARGINS, 0, 0));
  const int Room = FTime->ClientWidth() - LOWORD(Margins) - HIWORD(Margins) - 2;
  // The widest time the edit holds: eight characters of the widest digit.
  const std::wstring Widest = L"00:00:00";
  TBitmap Measure(1, 1);
  TCanvas& C = Measure.Canvas();
  TFont Font;
  Font.Assign(FTime->Font);
  for (int Height = kTimeFontHeight; Height >= kSmallestTimeFont; --Height) {
    Font.SetHeight(-Height);
    C.Font.Assign(Font);
    const int Time = std::max(C.TextWidth(Widest), C.TextWidth(FTime->Text()));
    const int Label = C.TextWidth(FFromTime->Caption());
    if (Time <= Room && FFromTime->Left() + Label <= Host().Skin().Width() - kRightMargin) break;
  }
  FTime->SetFont(Font);
  FFromTime->SetFont(Font);
}

void TfrmJump::Activate() {
  TToolDialog::Activate();
  SnapPointerTo(ClientWidth() / 2, ClientHeight() / 2);
}

// The time is typed at once: the focus the dialog gets goes on to the edit.
void TfrmJump::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS && FTime && FTime->HandleAllocated()) {
    FTime->SetFocus();
    Message.Result = 0;
    return;
  }
  TToolDialog::WndProc(Message);
}

void TfrmJump::btnOkClick() {
  const auto Seconds = lc::tools::ParseJumpTime(WideToUtf8(FTime->Text()));
  if (!Seconds) {
    ShowTime(LastJumpTime);
    MessageBeep(MB_OK);
    return;
  }
  lc::tools::TDialogPlayerLink& Player = FPlayer;
  LastJumpTime = std::min(DurationSeconds(), *Seconds);
  ModalResult = mrOk;
  const std::int64_t Position = LastJumpTime * 10000000;
  Player.SeekTo(Position);
  Player.ShowPositionOSD(Utf8ToWide(
      lc::tools::JumpOsdText(Position, Player.DurationMs(), Player.ShowFrames(), Player.FrameRate())));
}

void TfrmJump::ETimeKeyPress(wchar_t& Key) {
  if (Key == vkReturn) {
    Key = 0;
    btnOkClick();
  } else if (Key == vkEscape) {
    Key = 0;
    Close();
  } else if (!lc::tools::JumpEditAccepts(Key)) {
    Key = 0;
  }
}

void TfrmJump::FormKeyPress(wchar_t& Key) {
  if (Key != vkEscape) return;
  Key = 0;
  Close();
}

void TfrmJump::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TToolDialog::KeyPress(Key);
}
