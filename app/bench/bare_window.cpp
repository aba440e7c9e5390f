// The yardstick of the start-up benchmark: the least a Win32 program does to
// show a window (a class, a window, shown and painted, a message loop).
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW Class{};
  Class.lpfnWndProc = BareProc;
  Class.hInstance = Instance;
  Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  Class.lpszClassName = L"LcBareWindow";
  RegisterClassW(&Class);
  HWND Wnd = CreateWindowExW(0, Class.lpszClassName, L"Bare", WS_POPUP, 100, 100, 460, 150, nullptr, nullptr,
                             Instance, nullptr);
  ShowWindow(Wnd, SW_SHOWNORMAL);
  UpdateWindow(Wnd);
  MSG Msg;
  while (GetMessageW(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return 0;
}
