#include "framework/dialogs.h"

#include <algorithm>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

#include <cderr.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/late_library.h"

namespace {

TCommonDialog* StartingDialog = nullptr;

// The common dialogs' library, loaded when the first dialog opens.
template <class F>
F DialogFunction(const char* Name) {
  return LateFunction<F>(L"comdlg32.dll", Name);
}
using TFileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
BOOL RunOpenFileDialog(OPENFILENAMEW* O) {
  static const auto Run = DialogFunction<TFileDialogFunction>("GetOpenFileNameW");
  return Run && Run(O);
}
BOOL RunSaveFileDialog(OPENFILENAMEW* O) {
  static const auto Run = DialogFunction<TFileDialogFunction>("GetSaveFileNameW");
  return Run && Run(O);
}
DWORD DialogError() {
  static const auto Error = DialogFunction<DWORD(WINAPI*)()>("CommDlgExtendedError");
  return Error ? Error() : 0;
}
BOOL RunFontDialog(CHOOSEFONTW* C) {
  static const auto Run = DialogFunction<BOOL(WINAPI*)(CHOOSEFONTW*)>("ChooseFontW");
  return Run && Run(C);
}
BOOL RunColorDialog(CHOOSECOLORW* C) {
  static const auto Run = DialogFunction<BOOL(WINAPI*)(CHOOSECOLORW*)>("ChooseColorW");
  return Run && Run(C);
}

// The window a dialog belongs to: the active window when it is one of
// ours, else the application's window.
HWND DialogOwner() {
  HWND Active = GetActiveWindow();
  if (Active && TWinControl::FindControl(Active)) return Active;
  return Application.Handle();
}

// The file dialog's names: a buffer that grows with the selection, and the
// folder it showed last.
struct TFileBuffer {
  std::vector<wchar_t> Names;
  std::wstring LastFolder;
};

// The length of what CDM_GETSPEC or CDM_GETFOLDERPATH would give.
LRESULT DialogTextLength(HWND Dialog, UINT Message) {
  return std::max<LRESULT>(SendMessageW(Dialog, Message, 0, 0), 0);
}

// A multi-selection is written as the folder and every name, each ended by
// a NUL: the selection's text (names in quotes, blank-separated) plus the
// folder is enough. The dialog takes the names where lpstrFile points when
// it is confirmed, so the buffer may be replaced until then.
void FitSelection(HWND Dialog, OPENFILENAMEW& O) {
  auto& Buffer = *reinterpret_cast<TFileBuffer*>(O.lCustData);
  const LRESULT Folder = DialogTextLength(Dialog, CDM_GETFOLDERPATH);
  if (Folder > 0) {
    Buffer.LastFolder.assign(static_cast<std::size_t>(Folder), L'\0');
    SendMessageW(Dialog, CDM_GETFOLDERPATH, Folder, reinterpret_cast<LPARAM>(Buffer.LastFolder.data()));
    Buffer.LastFolder.resize(wcsnlen(Buffer.LastFolder.c_str(), Buffer.LastFolder.size()));
  }
  const std::size_t Needed = static_cast<std::size_t>(Folder + DialogTextLength(Dialog, CDM_GETSPEC)) + 2;
  if (Needed <= O.nMaxFile) return;
  std::vector<wchar_t> Grown(std::max(Needed, static_cast<std::size_t>(O.nMaxFile) * 2), L'\0');
  std::copy_n(O.lpstrFile, O.nMaxFile, Grown.begin());
  Buffer.Names = std::move(Grown);
  O.lpstrFile = Buffer.Names.data();
  O.nMaxFile = static_cast<DWORD>(Buffer.Names.size());
}

UINT_PTR CALLBACK FileDialogHook(HWND Dlg, UINT Msg, WPARAM, LPARAM LParam) {
  // The hook's window is a child of the dialog's own window.
  if (Msg == WM_INITDIALOG) StartingDialog->DialogShownFromHook(GetParent(Dlg));
  if (Msg == WM_NOTIFY) {
    const auto* Notify = reinterpret_cast<const OFNOTIFYW*>(LParam);
    if (Notify->hdr.code == CDN_SELCHANGE || Notify->hdr.code == CDN_FOLDERCHANGE)
      FitSelection(GetParent(Dlg), *Notify->lpOFN);
  }
  return 0;
}

UINT_PTR CALLBACK OwnWindowHook(HWND Dlg, UINT Msg, WPARAM, LPARAM) {
  if (Msg != WM_INITDIALOG) return 0;
  StartingDialog->DialogShownFromHook(Dlg);
  return TRUE;
}

int CALLBACK FolderCallback(HWND Wnd, UINT Msg, LPARAM, LPARAM Data) {
  if (Msg != BFFM_INITIALIZED) return 0;
  auto* Dialog = reinterpret_cast<TFolderDialog*>(Data);
  if (!Dialog->Directory.empty())
    SendMessageW(Wnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Dialog->Directory.c_str()));
  Dialog->DialogShownFromHook(Wnd);
  return 0;
}

DWORD FileFlags(TOpenOptions Options, bool Save) {
  DWORD Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  if (Options & ofAllowMultiSelect) Flags |= OFN_ALLOWMULTISELECT;
  if ((Options & ofOverwritePrompt) && Save) Flags |= OFN_OVERWRITEPROMPT;
  if (Options & ofFileMustExist) Flags |= OFN_FILEMUSTEXIST;
  if (Options & ofPathMustExist) Flags |= OFN_PATHMUSTEXIST;
  if (Options & ofHideReadOnly) Flags |= OFN_HIDEREADONLY;
  if (Options & ofEnableSizing) Flags |= OFN_ENABLESIZING;
  if (Options & ofNoChangeDir) Flags |= OFN_NOCHANGEDIR;
  return Flags;
}

const wchar_t* OrNull(const std::wstring& S) { return S.empty() ? nullptr : S.c_str(); }

}  // namespace

// ------------------------------------------------------- TCommonDialog

void TCommonDialog::DialogShownFromHook(HWND Wnd) {
  FHandle = Wnd;
  // The platform's dialog code is on the stack: nothing may unwind into it.
  try {
    if (OnShow) OnShow(this);
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
}

bool TCommonDialog::RunModal(const std::function<bool(HWND Owner)>& Show) {
  HWND Owner = DialogOwner();
  HWND ActiveBefore = GetActiveWindow();
  std::vector<HWND> Disabled;
  for (TForm* F : Screen.Forms()) {
    HWND W = F->Handle();
    if (W && IsWindowVisible(W) && IsWindowEnabled(W)) {
      EnableWindow(W, FALSE);
      Disabled.push_back(W);
    }
  }
  Application.ModalStarted();
  TCommonDialog* Outer = StartingDialog;
  StartingDialog = this;
  auto Finish = [&] {
    StartingDialog = Outer;
    FHandle = nullptr;
    for (HWND W : Disabled)
      if (IsWindow(W)) EnableWindow(W, TRUE);
    Application.GiveKeyboardBack(ActiveBefore);
    Application.ModalFinished();
  };
  bool Result = false;
  try {
    Result = Show(Owner);
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
  if (OnClose) OnClose(this);
  return Result;
}

// --------------------------------------------------------- TOpenDialog

TOpenDialog::TOpenDialog() = default;

TSaveDialog::TSaveDialog() { Options |= ofOverwritePrompt; }

// The names' buffer grows with the selection (FitSelection). Should the
// dialog still find it too small (a long list typed by hand), it is shown
// once more with a larger one, in the folder it showed, rather than
// returning as if nothing had been chosen.
bool TOpenDialog::Execute() {
  TFileBuffer Buffer;
  Buffer.Names.assign(32768, L'\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), Buffer.Names.size() - 2), Buffer.Names.begin());
  std::wstring Filters = DialogFilterList(Filter);
  std::wstring Folder = InitialDir;
  OPENFILENAMEW O{};
  O.lStructSize = sizeof(O);
  O.lpstrFilter = OrNull(Filters);
  O.nFilterIndex = std::max(FilterIndex, 1);
  O.lpstrTitle = OrNull(Title);
  O.lpstrDefExt = OrNull(DefaultExt);
  O.Flags = FileFlags(Options, IsSaveDialog());
  O.lpfnHook = &FileDialogHook;
  O.lCustData = reinterpret_cast<LPARAM>(&Buffer);
  bool Ok = false;
  for (int Attempt = 0; Attempt < 2; ++Attempt) {
    O.lpstrFile = Buffer.Names.data();
    O.nMaxFile = static_cast<DWORD>(Buffer.Names.size());
    O.lpstrInitialDir = OrNull(Folder);
    Ok = RunModal([&](HWND Owner) {
      O.hwndOwner = Owner;
      return IsSaveDialog() ? RunSaveFileDialog(&O) != FALSE : RunOpenFileDialog(&O) != FALSE;
    });
    if (Ok || DialogError() != FNERR_BUFFERTOOSMALL) break;
    Buffer.Names.assign(Buffer.Names.size() * 4, L'\0');
    if (!Buffer.LastFolder.empty()) Folder = Buffer.LastFolder;
  }
  if (!Ok) return false;
  Files = SplitDialogFileList(O.lpstrFile);
  FileName = Files.empty() ? std::wstring() : Files.front();
  FilterIndex = static_cast<int>(O.nFilterIndex);
  return true;
}

std::vector<std::wstring> SplitDialogFileList(const wchar_t* Buffer) {
  std::vector<std::wstring> Names;
  for (const wchar_t* P = Buffer; *P; P += Names.back().size() + 1) Names.emplace_back(P);
  if (Names.size() <= 1) return Names;
  std::wstring Folder = Names.front();
  if (Folder.back() != L'\\') Folder += L'\\';
  std::vector<std::wstring> Paths;
  for (size_t I = 1; I < Names.size(); ++I) Paths.push_back(Folder + Names[I]);
  return Paths;
}

std::wstring DialogFilterList(const std::wstring& Filter) {
  if (Filter.empty()) return {};
  std::wstring List = Filter;
  std::replace(List.begin(), List.end(), L'|', L'\0');
  List.push_back(L'\0');
  List.push_back(L'\0');
  return List;
}

// --------------------------------------------------------- TFontDialog

TFontDialog::TFontDialog() = default;

bool TFontDialog::Execute() {
  LOGFONTW LF{};
  Font.Name().copy(LF.lfFaceName, LF_FACESIZE - 1);
  LF.lfHeight = Font.Height();
  LF.lfWeight = (Font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
  LF.lfItalic = (Font.Style() & fsItalic) != 0;
  LF.lfUnderline = (Font.Style() & fsUnderline) != 0;
  LF.lfStrikeOut = (Font.Style() & fsStrikeOut) != 0;
  LF.lfCharSet = CharSet;
  CHOOSEFONTW C{};
  C.lStructSize = sizeof(C);
  C.lpLogFont = &LF;
  C.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  C.rgbColors = Font.Color();
  C.lpfnHook = &OwnWindowHook;
  bool Ok = RunModal([&](HWND Owner) {
    C.hwndOwner = Owner;
    return RunFontDialog(&C) != FALSE;
  });
  if (!Ok) return false;
  Font.SetName(LF.lfFaceName);
  Font.SetHeight(LF.lfHeight);
  Font.SetStyle((LF.lfWeight >= FW_BOLD ? fsBold : 0u) | (LF.lfItalic ? fsItalic : 0u) |
                (LF.lfUnderline ? fsUnderline : 0u) | (LF.lfStrikeOut ? fsStrikeOut : 0u));
  Font.SetColor(C.rgbColors);
  CharSet = LF.lfCharSet;
  return true;
}

// -------------------------------------------------------- TColorDialog

bool TColorDialog::Execute() {
  std::array<COLORREF, 16> Custom;
  std::copy(CustomColors.begin(), CustomColors.end(), Custom.begin());
  CHOOSECOLORW C{};
  C.lStructSize = sizeof(C);
  C.rgbResult = Color;
  C.lpCustColors = Custom.data();
  C.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
  C.lpfnHook = &OwnWindowHook;
  bool Ok = RunModal([&](HWND Owner) {
    C.hwndOwner = Owner;
    return RunColorDialog(&C) != FALSE;
  });
  if (!Ok) return false;
  Color = C.rgbResult;
  std::copy(Custom.begin(), Custom.end(), CustomColors.begin());
  return true;
}

// ------------------------------------------------------- TFolderDialog

bool TFolderDialog::Execute() {
  HRESULT Com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  BROWSEINFOW B{};
  B.lpszTitle = OrNull(Title);
  B.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  B.lpfn = &FolderCallback;
  B.lParam = reinterpret_cast<LPARAM>(this);
  std::wstring Chosen;
  // No "drive not ready" boxes while the tree looks at removable drives.
  UINT OldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  bool Ok = RunModal([&](HWND Owner) {
    B.hwndOwner = Owner;
    PIDLIST_ABSOLUTE List = SHBrowseForFolderW(&B);
    if (!List) return false;
    wchar_t Path[MAX_PATH] = {};
    bool IsFolder = SHGetPathFromIDListW(List, Path) && Path[0];
    CoTaskMemFree(List);
    Chosen = Path;
    return IsFolder;
  });
  SetErrorMode(OldMode);
  if (SUCCEEDED(Com)) CoUninitialize();
  if (Ok) Directory = Chosen;
  return Ok;
}

// ------------------------------------------------------ the plain message box

namespace {

class TPlainMessage : public TCommonDialog {
 public:
  void Execute(const std::wstring& Text) {
    RunModal([&](HWND Owner) { return MessageBoxW(Owner, Text.c_str(), Application.Title().c_str(), MB_OK) != 0; });
  }
};

}  // namespace

void ShowMessage(const std::wstring& Text) { TPlainMessage().Execute(Text); }
