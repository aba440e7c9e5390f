// Prints what each opening of a movie leaves behind in this process, for
// the platform's own filter graph alone (created, rendered, run for half a
// second, stopped, released) and for the program's graph component with
// the video window's audio chain in it (activated, rendered, played for
// half a second, stopped, deactivated): threads, handles by kind and
// private memory after every opening. What grows in both loops is the
// platform's own.
//
//   scripts/wine-run build/tests/bench_openings.exe [-n OPENINGS] MOVIE...
//
// The movies are opened in turn, round and round.
#include <cstdio>
#include <cstdlib>
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

void Report(int opening, const std::wstring& movie) {
  const lctest::ProcessResources r = lctest::MeasureProcess(GetCurrentProcessId(), GetCurrentProcess());
  std::printf("%3d  threads %3d  keys %5d  events %4d  private %7.1f MB  other: %s %ls\n", opening, r.threads,
              r.Handles(L"Key"), r.Handles(L"Event"), r.privateMB, r.HandlesBut(L"Key", L"Event").c_str(),
              movie.c_str());
  std::fflush(stdout);
}

void PlatformGraph(const std::wstring& movie) {
  IGraphBuilder* graph = nullptr;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&graph))))
    return;
  if (SUCCEEDED(graph->RenderFile(movie.c_str(), nullptr))) {
    HideVideo(graph);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int openings = 20;
  std::vector<std::wstring> movies;
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"-n" && i + 1 < argc)
      openings = _wtoi(argv[++i]);
    else
      movies.push_back(argv[i]);
  }
  if (movies.empty()) {
    std::fprintf(stderr, "usage: bench_openings [-n OPENINGS] MOVIE...\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::printf("the platform's filter graph alone\n");
  Report(0, L"");
  for (int i = 1; i <= openings; ++i) {
    PlatformGraph(movies[(i - 1) % movies.size()]);
    Report(i, movies[(i - 1) % movies.size()]);
  }
  {
    TFilterGraph graph;
    TAudioChain chain{graph};
    std::printf("the graph component with the audio chain\n");
    Report(0, L"");
    for (int i = 1; i <= openings; ++i) {
      ComponentGraph(graph, movies[(i - 1) % movies.size()]);
      Report(i, movies[(i - 1) % movies.size()]);
    }
  }
  CoUninitialize();
  return 0;
}
