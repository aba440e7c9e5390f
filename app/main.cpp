// Lumacraft's entry point.
//
// For now the program shows its main window (class "TfrmMain", caption
// AppName + "MainWindow") and runs the message loop; the start-up sequence
// grows around this as the windows arrive.
#include <string>

#include <windows.h>

namespace {

// The base name follows the executable's own file name.
std::wstring ExecutableBaseName() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  if (_wcsicmp(name.c_str(), L"LUMACRAFT") == 0) name = L"Lumacraft";
  return name;
}

LRESULT CALLBACK MainWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      RECT r;
      GetClientRect(wnd, &r);
      HBRUSH face = CreateSolidBrush(RGB(38, 40, 44));
      FillRect(dc, &r, face);
      DeleteObject(face);
      EndPaint(wnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const std::wstring appName = ExecutableBaseName();

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TfrmMain";
  if (!RegisterClassExW(&wc)) return 1;

  const std::wstring caption = appName + L"MainWindow";
  HWND wnd = CreateWindowExW(0, L"TfrmMain", caption.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                             CW_USEDEFAULT, CW_USEDEFAULT, 460, 150, nullptr, nullptr, instance, nullptr);
  if (!wnd) return 1;
  ShowWindow(wnd, show == SW_HIDE ? SW_SHOWNORMAL : show);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
