// Start-up time: from the start of the process to its visible main window,
// for a copy of the shipped player with a user's data files in place (a
// settings file, 200 remembered movies, a playlist of 40 movies), for one
// with no data files but its settings, and for a bare Win32 window, started
// in turns in one run so that all meet the same machine. Each is timed to
// two points: its window visible, and that window answering a message (its
// show done, its thread back in a message loop). Prints the median of each
// and their ratio to the bare window's; it never passes or fails anything.
//
//   bench_startup BARE_EXE [ROUNDS]
//
// LC_BENCH_EXE (a Windows path) names another build of the player (an
// older one) measured in the same turns.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

// The two times of one start, in milliseconds; negative when the window
// never showed.
struct Times {
  double Visible = -1;
  double Answering = -1;
};

// Starts Exe and times it until its window of ClassName is visible and
// until that window answers, then closes it and waits for its end.
Times TimeToWindow(const std::wstring& Exe, const wchar_t* ClassName) {
  Times T;
  const double Start = NowMs();
  lctest::ChildProcess Process(Exe, L"");
  if (!Process.Started()) return T;
  Wanted W{ClassName, Process.Id(), nullptr};
  while (!W.Found && NowMs() - Start < kLimitMs) {
    EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&W));
    if (!W.Found) Sleep(1);
  }
  if (!W.Found) return T;
  T.Visible = NowMs() - Start;
  DWORD_PTR Unused = 0;
  if (SendMessageTimeoutW(W.Found, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &Unused)) T.Answering = NowMs() - Start;
  PostMessageW(W.Found, WM_CLOSE, 0, 0);
  if (Process.Wait(kLimitMs) == STILL_ACTIVE) return {};
  return T;
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

// The playlist type belongs to the copy that registered it last, and each
// copy's start takes it back (writing it and telling the shell). Copies
// measured in turns would each pay for that at every start, which a user's
// single copy never does: before a copy starts, the type is given back to
// it, as its own last start left it.
void GiveBackPlaylistType(const lctest::ProgramCopy& Copy) {
  const std::wstring ProgId = Copy.BaseName() + L".File";
  HKEY Key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".lpl", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &Key, nullptr)) return;
  RegSetValueExW(Key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ProgId.c_str()),
                 static_cast<DWORD>((ProgId.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(Key);
}

// A copy that starts with its settings file alone, as a user's first
// start after the first run's question: the files its last close wrote
// are taken away.
void KeepOnlySettings(const lctest::ProgramCopy& Copy) {
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0"});
  DeleteFileW((Copy.DataFolder() + Copy.BaseName() + L".rs").c_str());
  DeleteFileW((Copy.DataFolder() + Copy.BaseName() + L".lpl").c_str());
}

// One program measured: its name in the figures, its executable, the
// class of the window that counts as shown (nullptr: any), what is done
// before each of its starts (outside the time) and its times.
struct Measured {
  const char* Name;
  std::wstring Exe;
  const wchar_t* WindowClass;
  std::function<void()> Prepare;
  std::vector<double> Visible, Answering;
};

void PrintOne(const char* Name, const char* Point, const std::vector<double>& Ms, double Bare) {
  const double Med = Median(Ms);
  std::printf("  %-30s %-9s %7.1f ms  (min %.1f, max %.1f)", Name, Point, Med, *std::min_element(Ms.begin(), Ms.end()),
              *std::max_element(Ms.begin(), Ms.end()));
  if (Bare > 0) std::printf("  %.2f x the bare window (+%.1f ms)", Med / Bare, Med - Bare);
  std::printf("\n");
}

void Print(const Measured& M, const Measured* Bare) {
  PrintOne(M.Name, "visible", M.Visible, Bare ? Median(Bare->Visible) : 0);
  PrintOne(M.Name, "answering", M.Answering, Bare ? Median(Bare->Answering) : 0);
}

Times Start(Measured& M) {
  if (M.Prepare) M.Prepare();
  return TimeToWindow(M.Exe, M.WindowClass);
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
  lctest::ProgramCopy Empty(L"LcBenchEmpty", lctest::Build::Shipped);
  std::vector<Measured> Programs = {
      {"bare Win32 window", argv[1], nullptr, nullptr, {}, {}},
      {"Lumacraft", Copy.Exe(), L"TfrmMain", [&Copy] { GiveBackPlaylistType(Copy); }, {}, {}},
      {"Lumacraft, no data files", Empty.Exe(), L"TfrmMain",
       [&Empty] {
         KeepOnlySettings(Empty);
         GiveBackPlaylistType(Empty);
       },
       {}, {}}};
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
    lctest::ProgramCopy& O = *Other;
    Programs.push_back({"Lumacraft (LC_BENCH_EXE)", O.Exe(), L"TfrmMain", [&O] { GiveBackPlaylistType(O); }, {}, {}});
  }
  // Once each before measuring: the first start of a program pays for
  // loading its files from the disk.
  for (Measured& M : Programs) Start(M);
  bool Failed = false;
  for (int R = 0; R < Rounds && !Failed; ++R) {
    // In turns, each going first in its round in turn.
    for (std::size_t I = 0; I < Programs.size(); ++I) {
      Measured& M = Programs[(R + I) % Programs.size()];
      const Times T = Start(M);
      M.Visible.push_back(T.Visible);
      M.Answering.push_back(T.Answering);
      Failed = Failed || T.Visible < 0 || T.Answering < 0;
    }
  }
  Copy.Uninstall();
  Empty.Uninstall();
  if (Other) Other->Uninstall();
  if (Failed) {
    std::fprintf(stderr, "a window did not show or answer within %lu ms\n", kLimitMs);
    return 1;
  }
  std::printf("start-up to a visible window and to its answer, median of %d rounds\n", Rounds);
  Print(Programs[0], nullptr);
  for (std::size_t I = 1; I < Programs.size(); ++I) Print(Programs[I], &Programs[0]);
  return 0;
}
