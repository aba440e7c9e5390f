#include "framework/dialogs.h"

#include <algorithm>
#include <exception>

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include "framework/application.h"
#include "framework/forms.h"

namespace {

TCommonDialog* StartingDialog = nullptr;

// The window a dialog belongs to: the active window when it is one of
// ours, else the application's window.
HWND DialogOwner() {
  HWND Active = GetActiveWindow();
  if (Active && TWinControl::FindControl(Active)) return Active;
  return Application.Handle();
}

UINT_PTR CALLBACK FileDialogHook(HWND Dlg, UINT Msg, WPARAM, LPARAM) {
  // The hook's window is a child of the dialog's own window.
  if (Msg == WM_INITDIALOG) StartingDialog->DialogShownFromHook(GetParent(Dlg));
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
    if (ActiveBefore && IsWindow(ActiveBefore)) SetActiveWindow(ActiveBefore);
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

bool TOpenDialog::Execute() {
  std::vector<wchar_t> Buffer(32768, L'\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), Buffer.size() - 2), Buffer.begin());
  std::wstring Filters = DialogFilterList(Filter);
  OPENFILENAMEW O{};
  O.lStructSize = sizeof(O);
  O.lpstrFilter = OrNull(Filters);
  O.nFilterIndex = std::max(FilterIndex, 1);
  O.lpstrFile = Buffer.data();
  O.nMaxFile = static_cast<DWORD>(Buffer.size());
  O.lpstrInitialDir = OrNull(InitialDir);
  O.lpstrTitle = OrNull(Title);
  O.lpstrDefExt = OrNull(DefaultExt);
  O.Flags = FileFlags(Options, IsSaveDialog());
  O.lpfnHook = &FileDialogHook;
  bool Ok = RunModal([&](HWND Owner) {
    O.hwndOwner = Owner;
    return IsSaveDialog() ? GetSaveFileNameW(&O) != FALSE : GetOpenFileNameW(&O) != FALSE;
  });
  if (!Ok) return false;
  Files = SplitDialogFileList(Buffer.data());
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
    return ChooseFontW(&C) != FALSE;
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
    return ChooseColorW(&C) != FALSE;
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
