// Prints what each opening of a movie leaves behind in a process, for the
// platform's own filter graph alone (created, rendered, run for half a
// second, stopped, released), the same timed by a system clock as the
// graph component times its graphs on Wine, and the program's graph
// component with the video window's audio chain in it (activated,
// rendered, played for half a second, stopped, deactivated): threads,
// handles by kind, private memory and the private memory committed in the
// Windows address space after every opening, and what an opening keeps of
// both from the tenth on. What grows in the clocked loop is the platform's
// own; under Wine it grows in Wine's Unix libraries (private memory that
// is not committed in the Windows address space).
//
//   scripts/wine-run build/tests/bench_openings.exe [-n OPENINGS] [-loop NAME] MOVIE...
//
// The movies are opened in turn, round and round; each loop runs in a
// process of its own, or only the one named.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "player/audio_chain.h"
#include "tests/support/process_resources.h"

namespace {

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// Keeps the platform's video renderer window of a rendered graph hidden.
void HideVideo(IUnknown* graph) {
  IVideoWindow* window = nullptr;
  if (SUCCEEDED(graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window)))) {
    window->put_AutoShow(OAFALSE);
    window->Release();
  }
}

// The figures after each opening.
std::vector<lctest::ProcessResources> Measured;
void Report(int opening, const std::wstring& movie) {
  const lctest::ProcessResources& r =
      Measured.emplace_back(lctest::MeasureProcess(GetCurrentProcessId(), GetCurrentProcess()));
  std::printf("%3d  threads %3d  keys %5d  events %4d  private %7.1f MB  committed %6.1f MB  other: %s %ls\n", opening,
              r.threads, r.Handles(L"Key"), r.Handles(L"Event"), r.privateMB, r.committedMB,
              r.HandlesBut(L"Key", L"Event").c_str(), movie.c_str());
  std::fflush(stdout);
}

// Times a rendered graph by a system clock, as the graph component does on
// Wine's media stack (its DirectSound renderer's clock keeps a thread).
void UseSystemClock(IUnknown* graph) {
  IMediaFilter* filter = nullptr;
  IReferenceClock* clock = nullptr;
  if (SUCCEEDED(graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&filter))) &&
      SUCCEEDED(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                                 reinterpret_cast<void**>(&clock))))
    filter->SetSyncSource(clock);
  if (clock) clock->Release();
  if (filter) filter->Release();
}

void PlatformGraph(const std::wstring& movie, bool systemClock) {
  IGraphBuilder* graph = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&graph))))
    return;
  if (SUCCEEDED(graph->RenderFile(movie.c_str(), nullptr))) {
    HideVideo(graph);
    if (systemClock) UseSystemClock(graph);
    IMediaControl* control = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
      control->Run();
      Pump(500);
      control->Stop();
      control->Release();
    }
  }
  graph->Release();
}

void ComponentGraph(TFilterGraph& graph, const std::wstring& movie) {
  graph.SetActive(true);
  if (SUCCEEDED(graph.RenderFile(movie))) {
    HideVideo(static_cast<IServiceProvider*>(&graph));
    graph.Play();
    Pump(500);
    graph.Stop();
  }
  graph.SetActive(false);
}

const struct {
  const wchar_t* name;
  const char* title;
} kLoops[] = {
    {L"platform", "the platform's filter graph alone"},
    {L"clocked", "the platform's filter graph alone, timed by a system clock"},
    {L"component", "the graph component with the audio chain"},
};

// Runs the named loop, opening the movies in turn.
void RunLoop(const std::wstring& loop, int openings, const std::vector<std::wstring>& movies) {
  std::optional<TFilterGraph> graph;
  std::optional<TAudioChain> chain;
  if (loop == L"component") chain.emplace(graph.emplace());
  Report(0, L"");
  for (int i = 1; i <= openings; ++i) {
    const std::wstring& movie = movies[(i - 1) % movies.size()];
    if (graph)
      ComponentGraph(*graph, movie);
    else
      PlatformGraph(movie, loop == L"clocked");
    Report(i, movie);
  }
  const int settled = std::min(10, openings);
  if (openings <= settled) return;
  const lctest::ProcessResources &from = Measured[std::size_t(settled)], &to = Measured.back();
  std::printf("from opening %d to %d, an opening: private %.2f MB, committed %.3f MB\n", settled, openings,
              (to.privateMB - from.privateMB) / (openings - settled),
              (to.committedMB - from.committedMB) / (openings - settled));
}

// Runs each loop in a process of its own, so that what one loop leaves
// behind does not count in the next.
void RunEachLoop(const std::wstring& arguments) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  for (const auto& loop : kLoops) {
    std::printf("%s\n", loop.title);
    std::fflush(stdout);
    std::wstring command = L"\"" + std::wstring(self) + L"\" -loop " + loop.name + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      continue;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int openings = 20;
  std::wstring loop, arguments;
  std::vector<std::wstring> movies;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"-n" && i + 1 < argc) {
      openings = _wtoi(argv[++i]);
      arguments += L" -n " + std::to_wstring(openings);
    } else if (arg == L"-loop" && i + 1 < argc) {
      loop = argv[++i];
    } else {
      movies.push_back(arg);
      arguments += L" \"" + arg + L"\"";
    }
  }
  if (movies.empty()) {
    std::fprintf(stderr, "usage: bench_openings [-n OPENINGS] [-loop platform|clocked|component] MOVIE...\n");
    return 2;
  }
  if (loop.empty()) {
    RunEachLoop(arguments);
    return 0;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  RunLoop(loop, openings, movies);
  CoUninitialize();
  return 0;
}
