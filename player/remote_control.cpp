// The remote-control message: a command code from another program becomes
// keystrokes for an open file dialog of ours, a navigation key for another
// dialog of ours, or one player command (mostly the key the key map would
// receive, so a code and its key behave alike). Keys only ever go to this
// process's own windows: they are posted to the focused window of our own
// GUI thread, never typed into the system's input stream.
#include <algorithm>
#include <array>
#include <cwctype>

#include "framework/application.h"
#include "framework/messages.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/remote_codes.h"
#include "settings/program_state.h"
#include "tools/color/color_control_window.h"

using lc::RemoteTarget;

namespace {

std::wstring ClassOf(HWND Window) {
  wchar_t Name[64] = {};
  GetClassNameW(Window, Name, 64);
  return Name;
}

std::wstring Lower(std::wstring Text) {
  std::transform(Text.begin(), Text.end(), Text.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
  return Text;
}

struct DialogSearch {
  std::wstring Program;
  HWND Found = nullptr;
};

BOOL CALLBACK CheckStandardDialog(HWND Window, LPARAM Data) {
  auto& S = *reinterpret_cast<DialogSearch*>(Data);
  DWORD Process = 0;
  GetWindowThreadProcessId(Window, &Process);
  if (Process != GetCurrentProcessId() || !IsWindowVisible(Window) || ClassOf(Window) != L"#32770") return TRUE;
  // A title that cannot be read is empty, which is not the program's name.
  const int Length = GetWindowTextLengthW(Window);
  std::wstring Title(static_cast<size_t>(Length) + 1, L'\0');
  GetWindowTextW(Window, Title.data(), Length + 1);
  Title.resize(wcslen(Title.c_str()));
  if (Lower(Title) == S.Program) return TRUE;
  S.Found = Window;
  return FALSE;
}

// The first visible standard dialog ("#32770") of this process that is not
// titled with the program's name (our own platform message boxes are), or
// nullptr.
HWND FindOwnStandardDialog() {
  DialogSearch S{Lower(Utf8ToWide(lc::Program().Names.AppName))};
  EnumWindows(CheckStandardDialog, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

// The window a key for Root goes to: our thread's focused window when it
// lies in Root, else Root itself.
HWND KeyTarget(HWND Root) {
  HWND Focus = GetFocus();
  if (Focus && (Focus == Root || IsChild(Root, Focus))) return Focus;
  return Root;
}

void PostKey(HWND Root, WORD Key, BYTE Scan, bool Up) {
  if (!Root) return;
  const LPARAM Repeat = 1 | (LPARAM(Scan) << 16);
  PostMessageW(KeyTarget(Root), Up ? WM_KEYUP : WM_KEYDOWN, Key, Up ? (Repeat | (LPARAM(3) << 30)) : Repeat);
}

// Tab and Shift+Tab move the focus as the dialog itself would; the other
// keys are posted to its focused control.
void TypeInto(HWND Dialog, const std::vector<lc::RemoteKeyEvent>& Keys) {
  const bool ShiftTab = Keys.size() == 4;
  for (const lc::RemoteKeyEvent& K : Keys) {
    if (K.Key == VK_SHIFT) continue;
    if (K.Key == VK_TAB) {
      if (!K.Up) PostMessageW(Dialog, WM_NEXTDLGCTL, ShiftTab ? 1 : 0, FALSE);
      continue;
    }
    PostKey(Dialog, K.Key, K.Scan, K.Up);
  }
}

void PostPress(HWND Root, WORD Key) {
  PostKey(Root, Key, 0, false);
  PostKey(Root, Key, 0, true);
}

bool IsArrow(WORD Key) { return Key >= VK_LEFT && Key <= VK_DOWN; }

// How a dialog created on demand takes a navigation key.
enum class Delivery { PressThenDown, Press, DownOrTypedArrow, PressOrTypedArrow };

struct OnDemandDialog {
  const wchar_t* ClassName;
  Delivery How;
};

// In the order they are asked.
constexpr std::array<OnDemandDialog, 11> kOnDemandDialogs = {{
    {L"TfrmAspectRatio", Delivery::PressThenDown},
    {L"TfrmPanScan", Delivery::PressThenDown},
    {L"TfrmJump", Delivery::Press},
    {L"TfrmMessage", Delivery::Press},
    {L"TfrmShutDown", Delivery::Press},
    {L"TfrmConfig", Delivery::DownOrTypedArrow},
    {L"TfrmKeyboard", Delivery::PressOrTypedArrow},
    {L"TfrmAbout", Delivery::Press},
    {L"TfrmInfo", Delivery::Press},
    {L"TfrmLoadSavePreset", Delivery::PressOrTypedArrow},
    {L"TfrmProfilesEditor", Delivery::PressOrTypedArrow},
}};

struct ExistingDialog {
  TForm* Form;
  Delivery How;
};

// The on-demand dialogs that exist now, in their order.
std::vector<ExistingDialog> ExistingDialogs() {
  std::vector<ExistingDialog> Found;
  for (const OnDemandDialog& D : kOnDemandDialogs)
    for (TForm* F : Screen.Forms())
      if (F->HandleAllocated() && ClassOf(F->Handle()) == D.ClassName) Found.push_back({F, D.How});
  return Found;
}

void DeliverToDialog(TForm& Dialog, Delivery How, WORD Key) {
  const bool Typed = IsArrow(Key) && Application.Active();
  switch (How) {
    case Delivery::PressThenDown:
      Dialog.Perform(WM_CHAR, Key);
      Dialog.Perform(WM_KEYDOWN, Key);
      break;
    case Delivery::Press: Dialog.Perform(WM_CHAR, Key); break;
    case Delivery::DownOrTypedArrow:
      if (Typed)
        PostPress(Dialog.Handle(), Key);
      else
        Dialog.Perform(WM_KEYDOWN, Key);
      break;
    case Delivery::PressOrTypedArrow:
      if (Typed)
        PostPress(Dialog.Handle(), Key);
      else
        Dialog.Perform(WM_CHAR, Key);
      break;
  }
}

}  // namespace

std::vector<TForm*> TfrmMain::OnDemandDialogs() {
  std::vector<TForm*> Forms;
  for (const ExistingDialog& D : ExistingDialogs()) Forms.push_back(D.Form);
  return Forms;
}

void TfrmMain::KeepAwake() {
  if (ResetTimer.OnTimer) ResetTimer.OnTimer(this);
}

bool TfrmMain::FileDialogShown() const {
  return std::any_of(RemoteFileDialogs.begin(), RemoteFileDialogs.end(),
                     [](const TCommonDialog* D) { return D && D->Tag == 1; });
}

void TfrmMain::WMRemoteCommand(TMessage& Message) {
  Message.Result = 0;
  const auto Code = static_cast<std::uint32_t>(Message.WParam);
  HWND Foreign = FindOwnStandardDialog();
  if (FileDialogShown()) {
    const std::vector<lc::RemoteKeyEvent> Keys = lc::FileDialogKeystrokes(Code);
    // The dialog runs on this thread: its window holds our focus.
    HWND Focus = GetFocus();
    if (!Application.Active() || Keys.empty())
      KeepAwake();
    else if (Focus)
      TypeInto(GetAncestor(Focus, GA_ROOT), Keys);
    return;
  }
  // Every remote command counts as the user's activity.
  KeepAwake();
  const std::vector<ExistingDialog> Dialogs = ExistingDialogs();
  if (!Dialogs.empty() || lc::Program().ModalDialogActive || Foreign) {
    const WORD Key = lc::DialogNavigationKey(Code);
    if (!Key) return;
    // The first that exists takes the key, and no other.
    if (!Dialogs.empty()) {
      DeliverToDialog(*Dialogs.front().Form, Dialogs.front().How, Key);
    } else if (Foreign) {
      if (GetActiveWindow() != Foreign) SetActiveWindow(Foreign);
      PostPress(Foreign, Key);
    }
    return;
  }
  RunRemoteAction(lc::RemoteActionFor(Code));
}

void TfrmMain::RunRemoteAction(const lc::RemoteAction& A) {
  WORD Key = A.Key;
  int WideKey = A.Key;
  TForm* List = Satellites.PlayList;
  switch (A.Target) {
    case RemoteTarget::None: break;
    case RemoteTarget::Key: ExecuteKeyCommand(Key, A.Shift); break;
    case RemoteTarget::VideoKey: SpecialKeyExecute(Key, A.Shift); break;
    case RemoteTarget::EqualizerKey: EqualizerKey(Key); break;
    case RemoteTarget::ColorKey:
      if (frmColorControl) frmColorControl->AllKeyDown(WideKey, 0);
      break;
    case RemoteTarget::Command: RunCommand(A.Command); break;
    case RemoteTarget::TogglePlaylist:
      if (!List) break;
      if (!List->Showing())
        List->Show();
      else
        List->Close();
      break;
    case RemoteTarget::PlaylistList:
    case RemoteTarget::PlaylistKey:
      if (List && List->Visible() && PlaylistListKey)
        PlaylistListKey(Key, A.Shift, A.Target == RemoteTarget::PlaylistList);
      break;
    case RemoteTarget::AspectCycle: AspectCycle(); break;
  }
}

void TfrmMain::AspectCycle() {
  if (!Commands().GraphActive()) return;
  const lc::PlayerState& P = lc::Player();
  switch (lc::AspectCycleStep(lc::NativeRatioHundredths(P.NativeWidth, P.NativeHeight),
                              lc::RatioHundredths(P.AspectRatioValue))) {
    case lc::AspectStep::Original: OriginalRatioMenuClick(); break;
    case lc::AspectStep::Wide169: N169RatioMenuClick(); break;
    case lc::AspectStep::Standard43: N43RatioMenuClick(); break;
    case lc::AspectStep::Square11: N11RatioMenuClick(); break;
    case lc::AspectStep::None: break;
  }
}
