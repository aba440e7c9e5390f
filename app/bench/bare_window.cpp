// The yardstick of the benchmarks: the least a Win32 program does to show a
// window (a class, a window, shown and painted, a message loop).
//
//   bench_bare_window [timer] [sound]
//
// The start-up benchmark starts it bare. The playback benchmark gives it
// what the player keeps running when it shows no movie or holds one
// paused: "timer", a 20 ms window timer whose ticks do nothing (the
// player's pulse); "sound", a DirectSound device with a stopped secondary
// buffer (the platform's sound mixer that a paused movie keeps open).
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

namespace {

constexpr UINT_PTR PulseTimer = 1;

LRESULT CALLBACK BareProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  if (Msg == WM_TIMER) return 0;
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

bool HasArgument(const wchar_t* CommandLine, const wchar_t* Word) { return wcsstr(CommandLine, Word) != nullptr; }

// A device and a stopped 16-bit stereo buffer of one second, kept for the
// program's life (the process's end frees them).
void OpenSound(HWND Wnd) {
  IDirectSound8* Sound = nullptr;
  if (FAILED(DirectSoundCreate8(nullptr, &Sound, nullptr))) return;
  Sound->SetCooperativeLevel(Wnd, DSSCL_PRIORITY);
  WAVEFORMATEX Format{};
  Format.wFormatTag = WAVE_FORMAT_PCM;
  Format.nChannels = 2;
  Format.nSamplesPerSec = 48000;
  Format.wBitsPerSample = 16;
  Format.nBlockAlign = 4;
  Format.nAvgBytesPerSec = 48000 * 4;
  DSBUFFERDESC Desc{};
  Desc.dwSize = sizeof(Desc);
  Desc.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;
  Desc.dwBufferBytes = Format.nAvgBytesPerSec;
  Desc.lpwfxFormat = &Format;
  IDirectSoundBuffer* Buffer = nullptr;
  Sound->CreateSoundBuffer(&Desc, &Buffer, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, PWSTR CommandLine, int) {
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
  if (HasArgument(CommandLine, L"timer")) SetTimer(Wnd, PulseTimer, 20, nullptr);
  if (HasArgument(CommandLine, L"sound")) OpenSound(Wnd);
  MSG Msg;
  while (GetMessageW(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  return 0;
}
