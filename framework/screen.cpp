#include <algorithm>

#include "framework/application.h"

// The screen is defined before the application so that it outlives the
// forms the application frees at exit.
TScreen Screen;
TApplication Application;

namespace {

TRect ToRect(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }

LPCWSTR BuiltInCursor(TCursor Index) {
  switch (Index) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

BOOL CALLBACK AddMonitor(HMONITOR Monitor, HDC, LPRECT, LPARAM Data) {
  auto* List = reinterpret_cast<std::vector<TMonitor>*>(Data);
  MONITORINFO Info{};
  Info.cbSize = sizeof(Info);
  if (!GetMonitorInfoW(Monitor, &Info)) return TRUE;
  TMonitor M;
  M.Handle = Monitor;
  M.MonitorNum = static_cast<int>(List->size());
  M.Primary = (Info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  M.BoundsRect = ToRect(Info.rcMonitor);
  M.WorkareaRect = ToRect(Info.rcWork);
  List->push_back(M);
  return TRUE;
}

}  // namespace

TScreen::TScreen() { HintFont.SetName(L"Tahoma"); }

TScreen::~TScreen() = default;

void TScreen::SetCursor(TCursor Cursor) {
  FCursor = Cursor;
  ::SetCursor(Cursors(Cursor == crDefault ? crArrow : Cursor));
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  if (auto It = FCursors.find(Index); It != FCursors.end()) return It->second;
  if (auto It = FCursorResources.find(Index); It != FCursorResources.end()) {
    if (HCURSOR Loaded = LoadCursorW(GetModuleHandleW(nullptr), It->second.c_str())) {
      FCursors[Index] = Loaded;
      return Loaded;
    }
  }
  if (Index == crNone) return nullptr;
  return LoadCursorW(nullptr, BuiltInCursor(Index));
}

void TScreen::SetCursors(TCursor Index, HCURSOR Cursor) {
  FCursorResources.erase(Index);
  FCursors[Index] = Cursor;
}

void TScreen::SetCursorResource(TCursor Index, const std::wstring& Name) {
  FCursors.erase(Index);
  FCursorResources[Index] = Name;
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const {
  RECT R{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
  return ToRect(R);
}

TRect TScreen::DesktopRect() const {
  int X = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int Y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Bounds(X, Y, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

std::vector<TMonitor> TScreen::Monitors() const {
  std::vector<TMonitor> List;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&List));
  return List;
}

void TScreen::AddForm(TForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}
