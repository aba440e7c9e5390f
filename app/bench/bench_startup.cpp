// Start-up time: from the start of the process to its visible main window,
// for a copy of the shipped player with a user's data files in place (a
// settings file, 200 remembered movies, a playlist of 40 movies) and for a
// bare Win32 window, started in turns in one run so that both meet the same
// machine. Prints the median of each and their ratio; it never passes or
// fails anything.
//
//   bench_startup BARE_EXE [ROUNDS]
//
// LC_BENCH_EXE (a Windows path) names another build of the player (an
// older one) measured in the same turns.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

constexpr DWORD kLimitMs = 60000;

double NowMs() {
  static LARGE_INTEGER Frequency = [] {
    LARGE_INTEGER F;
    QueryPerformanceFrequency(&F);
    return F;
  }();
  LARGE_INTEGER Count;
  QueryPerformanceCounter(&Count);
  return Count.QuadPart * 1000.0 / Frequency.QuadPart;
}

struct Wanted {
  const wchar_t* ClassName;  // nullptr: any class
  DWORD Pid;
  HWND Found;
};

BOOL CALLBACK MatchVisible(HWND Wnd, LPARAM LParam) {
  auto* W = reinterpret_cast<Wanted*>(LParam);
  DWORD Owner = 0;
  GetWindowThreadProcessId(Wnd, &Owner);
  if (Owner != W->Pid || !IsWindowVisible(Wnd)) return TRUE;
  wchar_t Class[64] = {};
  if (W->ClassName && (!GetClassNameW(Wnd, Class, 64) || wcscmp(Class, W->ClassName) != 0)) return TRUE;
  W->Found = Wnd;
  return FALSE;
}

// Starts Exe and returns the milliseconds until its window of ClassName is
// visible (negative when it never showed), then closes it and waits for
// its end.
double TimeToWindow(const std::wstring& Exe, const wchar_t* ClassName) {
  const double Start = NowMs();
  lctest::ChildProcess Process(Exe, L"");
  if (!Process.Started()) return -1;
  Wanted W{ClassName, Process.Id(), nullptr};
  while (!W.Found && NowMs() - Start < kLimitMs) {
    EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&W));
    if (!W.Found) Sleep(1);
  }
  const double Shown = NowMs() - Start;
  if (!W.Found) return -1;
  PostMessageW(W.Found, WM_CLOSE, 0, 0);
  if (Process.Wait(kLimitMs) == STILL_ACTIVE) return -1;
  return Shown;
}

double Median(std::vector<double> Values) {
  std::sort(Values.begin(), Values.end());
  const std::size_t N = Values.size();
  return N % 2 ? Values[N / 2] : (Values[N / 2 - 1] + Values[N / 2]) / 2;
}

// What a user's data folder holds after a while: the remembered settings of
// 200 movies and a playlist of 40.
void WriteUserFiles(const lctest::ProgramCopy& Copy) {
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "RememberMovieSettings=1"});
  std::string Rms;
  for (int I = 0; I < 200; ++I) {
    Rms += "[movie " + std::to_string(I) + ".avi]\r\nLastAccessed=01/02/2024 10:11:12\r\nPanScan=0\r\n"
           "AspectRatio=1.78\r\nVideoWindowWidth=640\r\nVideoWindowHeight=360\r\nLastVideoPosition=00:12:34\r\n"
           "BookMark1=00:01:00\r\nBrightness=2000\r\nContrast=10000\r\nHue=0\r\nSaturation=10000\r\n"
           "FullScreen=0\r\nAudioVolume=5000\r\nSubtitleFontName=Arial\r\nSubtitleSize=100\r\n";
  }
  lctest::WriteFileText(Copy.DataFolder() + Copy.BaseName() + L".rs", Rms);
  std::string List;
  for (int I = 0; I < 40; ++I) List += "C:\\movies\\movie " + std::to_string(I) + ".avi\r\nNo subtitle\r\n";
  lctest::WriteFileText(Copy.DataFolder() + Copy.BaseName() + L".lpl", List);
}

// One program measured: its name in the figures, its executable, the
// class of the window that counts as shown (nullptr: any) and its times.
struct Measured {
  const char* Name;
  std::wstring Exe;
  const wchar_t* WindowClass;
  std::vector<double> Ms;
};

void Print(const Measured& M, double Bare) {
  const double Med = Median(M.Ms);
  std::printf("  %-22s %8.1f ms  (min %.1f, max %.1f)", M.Name, Med, *std::min_element(M.Ms.begin(), M.Ms.end()),
              *std::max_element(M.Ms.begin(), M.Ms.end()));
  if (Bare > 0) std::printf("  %.2f x the bare window (+%.1f ms)", Med / Bare, Med - Bare);
  std::printf("\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_startup BARE_EXE [ROUNDS]\n");
    return 2;
  }
  const int Rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 15;
  lctest::ProgramCopy Copy(L"LcBenchStart", lctest::Build::Shipped);
  WriteUserFiles(Copy);
  std::vector<Measured> Programs = {{"bare Win32 window", argv[1], nullptr, {}},
                                    {"Lumacraft", Copy.Exe(), L"TfrmMain", {}}};
  // Another build of the player (an older one, to compare), with the same
  // files, in the same turns.
  std::unique_ptr<lctest::ProgramCopy> Other;
  if (const wchar_t* OtherExe = _wgetenv(L"LC_BENCH_EXE"); OtherExe && *OtherExe) {
    Other = std::make_unique<lctest::ProgramCopy>(L"LcBenchOther", lctest::Build::Shipped);
    if (!CopyFileW(OtherExe, Other->Exe().c_str(), FALSE)) {
      std::fprintf(stderr, "cannot copy LC_BENCH_EXE\n");
      return 1;
    }
    WriteUserFiles(*Other);
    Programs.push_back({"Lumacraft (LC_BENCH_EXE)", Other->Exe(), L"TfrmMain", {}});
  }
  // Once each before measuring: the first start of a program pays for
  // loading its files from the disk.
  for (const Measured& M : Programs) TimeToWindow(M.Exe, M.WindowClass);
  bool Failed = false;
  for (int R = 0; R < Rounds && !Failed; ++R) {
    // In turns, each going first in its round in turn.
    for (std::size_t I = 0; I < Programs.size(); ++I) {
      Measured& M = Programs[(R + I) % Programs.size()];
      M.Ms.push_back(TimeToWindow(M.Exe, M.WindowClass));
      Failed = Failed || M.Ms.back() < 0;
    }
  }
  Copy.Uninstall();
  if (Other) Other->Uninstall();
  if (Failed) {
    std::fprintf(stderr, "a window did not show within %lu ms\n", kLimitMs);
    return 1;
  }
  std::printf("start-up to a visible window, median of %d rounds\n", Rounds);
  const double Bare = Median(Programs[0].Ms);
  Print(Programs[0], 0);
  for (std::size_t I = 1; I < Programs.size(); ++I) Print(Programs[I], Bare);
  return 0;
}
