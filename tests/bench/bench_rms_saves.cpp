// Prints how long the frames of a playing movie wait for the player's GUI
// thread while it saves the remembered settings: the GUI thread copies
// every composed frame to the window when it takes the surface's message,
// so a frame composed while that thread is busy waits until it is free.
// A probe thread sends the player's main window an empty message again and
// again and records how long each took to be answered; a frame composed at
// instant t waits as long as the probe message under way at t still had
// to wait. Frames are taken every 40 ms (the movie's 25 frames a second).
//
//   scripts/bench-saves [rounds]  (builds nothing; runs this program as
//   bench_rms_saves.exe EXE MOVIE ROUNDS under Wine)
//
// The player (a copy of EXE under a base name of its own, with the
// remembered settings of 200 movies and repeat off) plays MOVIE. Each
// round: two volume steps ask for a save (the player saves its remembered
// settings when their change score reaches 10000); the next second is a
// save's, the 1.5 s after it quiet. Then, twice, this program holds the
// save lock (another player's save, as two players closing at once) for
// 3 s while a save is asked, and the next 4 s count. Printed: frames,
// frames that waited over 10 ms and over a whole frame (40 ms), the
// longest wait, the median over the windows of the longest time the GUI
// thread kept a message waiting, and the saves the file shows. Prints
// figures only.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "framework/messages.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

constexpr WPARAM kVolumeUp = 14, kVolumeDown = 15;

double NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One probe message: sent at `sent`, answered `waited` ms later.
struct Probe {
  double sent, waited;
};

// Sends the window empty messages until told to stop.
class Prober {
 public:
  explicit Prober(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const double sent = NowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
            probes_.push_back({sent, NowMs() - sent});
            Sleep(2);
          }
        }) {}
  std::vector<Probe> Stop() {
    stop_ = true;
    thread_.join();
    return probes_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::vector<Probe> probes_;
  std::thread thread_;
};

// How long a frame composed at `t` waited for the GUI thread: what was
// left of the probe under way at t.
double WaitAt(const std::vector<Probe>& probes, double t) {
  double wait = 0;
  for (const Probe& p : probes) {
    if (p.sent > t) break;
    if (p.sent + p.waited > t) wait = std::max(wait, p.sent + p.waited - t);
  }
  return wait;
}

struct Window {
  double from, to;
};

struct Figures {
  int frames = 0, over10 = 0, over40 = 0;
  double longest = 0;
  // The longest time the GUI thread kept a message waiting in each window
  // (whether or not a frame came then), the median of the windows.
  double medianHeld = 0;
};

Figures FramesIn(const std::vector<Probe>& probes, const std::vector<Window>& windows) {
  Figures f;
  std::vector<double> held;
  for (const Window& w : windows) {
    for (double t = w.from; t < w.to; t += 40) {
      const double wait = WaitAt(probes, t);
      ++f.frames;
      f.over10 += wait > 10;
      f.over40 += wait > 40;
      f.longest = std::max(f.longest, wait);
    }
    double most = 0;
    for (const Probe& p : probes)
      if (p.sent >= w.from && p.sent < w.to) most = std::max(most, p.waited);
    held.push_back(most);
  }
  std::sort(held.begin(), held.end());
  if (!held.empty()) f.medianHeld = held[held.size() / 2];
  return f;
}

void Print(const char* what, const Figures& f) {
  std::printf("  %-34s frames %5d  waited >10 ms %4d  >40 ms %4d  longest %7.1f ms  held (median) %6.1f ms\n",
              what, f.frames, f.over10, f.over40, f.longest, f.medianHeld);
}

// The remembered settings of 200 movies, as a user's file holds them.
std::string RememberedSettings() {
  std::string text;
  for (int i = 0; i < 200; ++i) {
    char entry[512];
    std::snprintf(entry, sizeof entry,
                  "[movie %d.avi]\r\nLastAccessed=01/02/2024 10:%02d:00\r\nPanScan=0\r\nAspectRatio=1.78\r\n"
                  "VideoImageXPosition=0\r\nVideoImageYPosition=0\r\nVideoWindowWidth=640\r\nVideoWindowHeight=360\r\n"
                  "LastVideoPosition=00:%02d:00\r\nBookMark1=00:01:00\r\nBrightness=2000\r\nContrast=10000\r\n"
                  "Hue=0\r\nSaturation=10000\r\nFullScreen=0\r\nAudioVolume=5000\r\nSubtitleFontName=Arial\r\n"
                  "SubtitleSize=100\r\nSubtitleFontColor=16777215\r\nSubtitleFontStyle=1\r\n"
                  "TransparentBackground=1\r\nUseOutlineFont=1\r\nAverageVerticalDisplayZone=15\r\n",
                  i, i % 60, i % 60);
    text += entry;
  }
  return text;
}

// Waits `ms` while the rest of the program runs.
void Wait(double ms) {
  const double end = NowMs() + ms;
  while (NowMs() < end) Sleep(5);
}

int Run(const std::wstring& exe, const std::wstring& movie, int rounds) {
  // The player under a base name of its own, in a folder of its own.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"LcBenchSaves\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"LcBenchSaves.exe";
  if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy %ls\n", exe.c_str());
    return 1;
  }
  wchar_t appData[MAX_PATH];
  GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
  const std::wstring data = std::wstring(appData) + L"\\LcBenchSaves\\";
  CreateDirectoryW(data.c_str(), nullptr);
  lctest::WriteSettingsFile(data + L"LcBenchSaves.ini", {"FirstRun=0", "RememberMovieSettings=1", "RepeatStatus=0"});
  const std::wstring rs = data + L"LcBenchSaves.rs";
  lctest::WriteFileText(rs, RememberedSettings());

  lctest::ChildProcess player(copy, L"\"" + movie + L"\"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), 30000);
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  Wait(3000);  // playing
  const auto AskForSave = [main] {
    PostMessageW(main, WM_REMOTECOMMAND, kVolumeDown, 0);
    PostMessageW(main, WM_REMOTECOMMAND, kVolumeUp, 0);
  };
  Prober prober(main);
  std::vector<Window> saving, quiet, locked;
  int saves = 0, asked = 0;
  for (int round = 0; round < rounds; ++round) {
    const FILETIME before = lctest::WrittenAt(rs);
    const double at = NowMs();
    AskForSave();
    ++asked;
    Wait(1000);
    saving.push_back({at, at + 1000});
    Wait(1500);
    quiet.push_back({at + 1000, at + 2500});
    const FILETIME after = lctest::WrittenAt(rs);
    saves += CompareFileTime(&before, &after) != 0;
  }
  for (int round = 0; round < 2; ++round) {
    const FILETIME before = lctest::WrittenAt(rs);
    void* othersSave = lc::settings::LockSaveWin(std::string(rs.begin(), rs.end()));  // an ASCII path
    const double at = NowMs();
    AskForSave();
    ++asked;
    Wait(3000);
    if (othersSave) lc::settings::UnlockSaveWin(othersSave);
    Wait(1000);
    locked.push_back({at, at + 4000});
    Wait(1500);
    const FILETIME after = lctest::WrittenAt(rs);
    saves += CompareFileTime(&before, &after) != 0;
  }
  const std::vector<Probe> probes = prober.Stop();
  PostMessageW(main, WM_CLOSE, 0, 0);
  player.Wait(30000);

  std::printf("%ls: %d saves asked, %d written; %zu probes\n", exe.c_str(), asked, saves, probes.size());
  Print("in the second after a save's ask", FramesIn(probes, saving));
  Print("quiet (no save asked)", FramesIn(probes, quiet));
  Print("another player's save held 3 s", FramesIn(probes, locked));
  DeleteFileW(rs.c_str());
  DeleteFileW((data + L"LcBenchSaves.ini").c_str());
  DeleteFileW((data + L"LcBenchSaves.lpl").c_str());
  RemoveDirectoryW(data.c_str());
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_rms_saves EXE MOVIE [ROUNDS]\n");
    return 2;
  }
  return Run(argv[1], argv[2], argc > 3 ? _wtoi(argv[3]) : 10);
}
