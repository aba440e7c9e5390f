#include "tools/shutdown.h"

#include <array>

#include <windows.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/word_wrap.h"
#include "kit/window_drag.h"
#include "settings/text_table.h"
#include "tools/config/config_dialog.h"
#include "tools/dialog_rules.h"
#include "tools/equalizer/preset_dialog.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/slider_dialogs.h"
#include "tools/tool_environment.h"

static_assert(kPowerOffFlags == (EWX_POWEROFF | EWX_FORCEIFHUNG));
static_assert(kShutdownFlags == (EWX_SHUTDOWN | EWX_FORCEIFHUNG));

TfrmShutDown* frmShutDown = nullptr;
bool ShutdownFailed = false;

namespace {

constexpr TColor FaceColor = 0xE0E0E0;  // RGB(224, 224, 224)
constexpr TColor TextColor = 0x166116;  // RGB(22, 97, 22)
constexpr int kTextTop = 46;
// Kept free beside the text, below the title and above the Cancel button.
constexpr int kTextMargin = 6;
// The text's own size, in points.
constexpr int kTextSize = 12;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }


// The tool windows that can be open modally, in their order.
std::array<TForm*, 7> ToolWindows() {
  return {frmAspectRatio, frmPanScan, frmJump, frmMessage, frmConfig, frmInfo, frmLoadSavePreset};
}

// Enables or disables the open tool windows, or the start-up windows when
// none is open.
void EnableWindows(bool Enable) {
  bool AnyTool = false;
  for (TForm* F : ToolWindows()) {
    if (!F) continue;
    AnyTool = true;
    F->SetEnabled(Enable);
  }
  if (AnyTool) return;
  for (TForm* F : lc::tools::ToolEnvironment().StartUpWindows())
    if (F) F->SetEnabled(Enable);
}

class TPlatformShutdown : public TShutdownApi {
 public:
  bool OpenProcessToken() override {
    return ::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &FToken) != 0;
  }
  bool LookupShutdownPrivilege() override {
    return LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &FPrivilege) != 0;
  }
  bool EnableShutdownPrivilege() override {
    TOKEN_PRIVILEGES P{};
    P.PrivilegeCount = 1;
    P.Privileges[0].Luid = FPrivilege;
    P.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    SetLastError(0);
    AdjustTokenPrivileges(FToken, FALSE, &P, 0, nullptr, nullptr);
    return GetLastError() == 0;
  }
  bool RequestExit(UINT Flags) override { return ExitWindowsEx(Flags, 0) != 0; }
  void CloseToken() override {
    if (FToken) CloseHandle(FToken);
    FToken = nullptr;
  }

 private:
  HANDLE FToken = nullptr;
  LUID FPrivilege{};
};

}  // namespace

// ---- the shutdown request ------------------------------------------------------------

bool ShutdownComputer(TShutdownApi& Api) {
  if (!Api.OpenProcessToken()) return Api.RequestExit(kShutdownFlags);
  const bool Allowed = Api.LookupShutdownPrivilege() && Api.EnableShutdownPrivilege();
  Api.CloseToken();
  return Allowed && Api.RequestExit(kPowerOffFlags);
}

bool ShutdownComputer() {
  TPlatformShutdown Api;
  return ShutdownComputer(Api);
}

// ---- the window ---------------------------------------------------------------------

TfrmShutDown::TfrmShutDown() : TToolDialog(L"TfrmShutDown", L"Message2", false) {
  frmShutDown = this;
  SetColor(FaceColor);
  SetTitle(Utf8ToWide(Texts().TextCaptions[7]));
  const int W = Host().Skin().Width();
  TVirtualButton& CloseBox = AddButton({W - 14, 7, W - 5, 16}, L"", Utf8ToWide(Texts().TextHints[0]),
                                       L"MainbtnClose", TButtonVariant::CaptionCentred);
  CloseBox.OnClick = [this] { ButtonClick(); };
  const int Left = (W - 80) / 2;
  FCancel = &AddButton({Left, 104, Left + 80, 124}, Utf8ToWide(Texts().TextButtons[7]), L"", L"",
                       TButtonVariant::CaptionCentred);
  FCancel->OnClick = [this] { ButtonClick(); };
  // The window's mouse order.
  Host().SetMouseOrder({&CloseBox, FCancel});
  TFont LabelFont;
  LabelFont.SetName(L"Arial");
  LabelFont.SetSize(kTextSize);
  LabelFont.SetColor(TextColor);
  FText = std::make_unique<TLabel>(this);
  FText->SetFont(LabelFont);
  FText->Transparent = true;
  FText->Alignment = TAlignment::taCenter;
  FText->OnMouseDown = [this](TComponent*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) StartWindowDrag(*this);
  };
}

TfrmShutDown::~TfrmShutDown() {
  if (frmShutDown == this) frmShutDown = nullptr;
}

void TfrmShutDown::ShowCountdown(int Elapsed) {
  ShowText(Utf8ToWide(lc::tools::CountdownText(Texts().TextMessages[21], Elapsed, Texts().TextMessages[22])));
}

void TfrmShutDown::ShowText(const std::wstring& Text) {
  const int W = Host().Skin().Width();
  TBitmap Measure(1, 1);
  TCanvas& C = Measure.Canvas();
  C.Font.Assign(Font);
  const int TitleBottom = 5 + C.TextHeight(L"Hg");
  TFont Drawn;
  Drawn.Assign(FText->Font());
  Drawn.SetSize(kTextSize);
  const int Own = -Drawn.Height();
  const auto In = [&](int Height) -> TCanvas& {
    Drawn.SetHeight(-Height);
    C.Font.Assign(Drawn);
    return C;
  };
  const lc::tools::TTextMetrics Metrics{[&](int Height, const std::wstring& Line) { return In(Height).TextWidth(Line); },
                                        [&](int Height) { return In(Height).TextHeight(L"Hg"); }};
  const lc::tools::TTextRoom Room{W - 2 * kTextMargin, kTextTop, TitleBottom + kTextMargin,
                                  FCancel->Rect().Top - kTextMargin};
  const lc::tools::TCountdownLayout Layout = lc::tools::FitCountdownText(Text, Own, Room, Metrics);
  Drawn.SetHeight(-Layout.FontHeight);
  FText->SetFont(Drawn);
  FText->SetCaption(JoinLines(Layout.Lines));
  FText->SetBounds((W - FText->Width()) / 2, Layout.Top, FText->Width(), FText->Height());
}

void TfrmShutDown::DoShow() {
  FixAndPlace(TPlacement::BetweenMain);
  TToolDialog::DoShow();
}

void TfrmShutDown::Activate() {
  TToolDialog::Activate();
  const TRect& R = FCancel->Rect();
  SnapPointerTo(R.Left + (R.Right - R.Left) / 2, R.Top + (R.Bottom - R.Top) / 2);
}

void TfrmShutDown::ButtonClick() {
  EnableWindows(true);
  Close();
}

void TfrmShutDown::DoClose(TCloseAction& Action) {
  TToolDialog::DoClose(Action);
  EnableWindows(true);
}

void TfrmShutDown::FormKeyPress(wchar_t& Key) {
  if (Key != vkReturn && Key != vkEscape) return;
  Key = 0;
  Close();
}

void TfrmShutDown::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TToolDialog::KeyPress(Key);
}

// ---- the countdown ------------------------------------------------------------------

namespace {

class TPlatformShutdownCalls : public TShutdownCalls {
 public:
  bool Shutdown() override { return ShutdownComputer(); }
  void Report(const std::wstring& Text) override {
    bool Unused = false;
    ShowMessageBox(Text, &lc::tools::ToolEnvironment().Windows().MainWindow(), false, Unused);
  }
  void Terminate() override { Application.Terminate(); }
  std::uint64_t Clock() override { return GetTickCount64(); }
};

}  // namespace

TShutdownCalls& PlatformShutdownCalls() {
  static TPlatformShutdownCalls Calls;
  return Calls;
}

void ShutdownCountdown(TShutdownCalls& Calls) {
  if (frmShutDown) return;
  const lc::tools::TToolEnvironment& E = lc::tools::ToolEnvironment();
  EnableWindows(false);
  auto Window = std::make_unique<TfrmShutDown>();
  Window->ShowCountdown(0);
  Window->Show();
  const std::uint64_t Start = Calls.Clock();
  int Shown = -1;
  for (;;) {
    Sleep(100);
    Application.ProcessMessages();
    // The program was asked to end (the session ends): as a cancel.
    if (Application.Terminated()) Window->Close();
    if (!Window->Visible()) break;
    const int Elapsed = lc::tools::ElapsedSeconds(Start, Calls.Clock());
    if (Elapsed != Shown && Elapsed < lc::tools::kCountdownSeconds) {
      Window->ShowCountdown(Elapsed);
      Shown = Elapsed;
    }
    if (Elapsed < lc::tools::kCountdownSeconds) continue;
    Window->Close();
    E.ClosePlayer();
    if (Calls.Shutdown()) return;
    ShutdownFailed = true;
    break;
  }
  Window.reset();
  if (!ShutdownFailed) return;
  Calls.Report(Utf8ToWide(Texts().TextMessages[1]));
  Calls.Terminate();
}
