// What the main window reads of a movie and its graph: the frame rate (of
// the graph's video, or of another file through the media detector), the
// native picture size and ratio, and the menu of the graph's filters with
// their property pages. Every platform failure is silent; every interface
// is released on every path.
#include <dshow.h>
#include <qedit.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/graph/graph_utils.h"
#include "player/main_form.h"
#include "player/picture_geometry.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/win/settings_win.h"

namespace {

// Releases a COM reference at the end of a scope.
template <class T>
struct TReleasing {
  T* Object = nullptr;
  ~TReleasing() {
    if (Object) Object->Release();
  }
  T* operator->() const { return Object; }
  void** Out() { return reinterpret_cast<void**>(&Object); }
};

// The rates of a file's streams in stream order; empty when the detector
// cannot read it.
std::vector<double> StreamRates(const std::string& FileName) {
  std::vector<double> Rates;
  TReleasing<IMediaDet> Det;
  if (FAILED(CoCreateInstance(CLSID_MediaDet, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IMediaDet,
                              Det.Out())))
    return Rates;
  BSTR Name = SysAllocString(lc::settings::Utf8ToWide(FileName).c_str());
  const HRESULT Opened = Det->put_Filename(Name);
  SysFreeString(Name);
  if (FAILED(Opened)) return Rates;
  long Count = 0;
  if (FAILED(Det->get_OutputStreams(&Count))) return Rates;
  try {
    for (long I = 0; I < Count; ++I) {
      double Rate = 0;
      if (FAILED(Det->put_CurrentStream(I)) || FAILED(Det->get_FrameRate(&Rate))) Rate = 0;
      Rates.push_back(Rate);
      if (Rate >= 1.0 && Rate <= 60.0) break;
    }
  } catch (...) {
  }
  return Rates;
}

// StreamRates on a thread of its own, given Milliseconds: the platform's
// detector can stay stuck in a file it cannot parse, and the GUI thread
// does not wait for it (the thread is left to end by itself). Empty when
// no answer came in time.
std::vector<double> StreamRatesWithin(const std::string& FileName, int Milliseconds) {
  struct Answer {
    std::mutex Lock;
    std::condition_variable Ready;
    bool Done = false;
    std::vector<double> Rates;
  };
  auto Shared = std::make_shared<Answer>();
  std::thread([Shared, FileName] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::vector<double> Rates = StreamRates(FileName);
    CoUninitialize();
    std::lock_guard<std::mutex> Hold(Shared->Lock);
    Shared->Rates = std::move(Rates);
    Shared->Done = true;
    Shared->Ready.notify_one();
  }).detach();
  std::unique_lock<std::mutex> Hold(Shared->Lock);
  if (!Shared->Ready.wait_for(Hold, std::chrono::milliseconds(Milliseconds), [&] { return Shared->Done; }))
    return {};
  return Shared->Rates;
}

// The frame rate of the graph's video as its renderer was connected; empty
// when the graph has no video with a frame duration.
std::vector<double> GraphVideoRate() {
  TReleasing<IBasicVideo> Video;
  REFTIME Frame = 0;
  if (FAILED(frmVideoWindow->FilterGraph.QueryInterface(IID_IBasicVideo, Video.Out())) ||
      FAILED(Video->get_AvgTimePerFrame(&Frame)) || !(Frame > 0))
    return {};
  return {1.0 / Frame};
}

// The filter is a file source: it is left out of the menu.
bool IsSourceFilter(IBaseFilter* Filter) {
  TReleasing<IFileSourceFilter> Source;
  return SUCCEEDED(Filter->QueryInterface(IID_IFileSourceFilter, Source.Out()));
}

bool HasPropertyPages(IBaseFilter* Filter) {
  TReleasing<ISpecifyPropertyPages> Pages;
  return SUCCEEDED(Filter->QueryInterface(IID_ISpecifyPropertyPages, Pages.Out()));
}

}  // namespace

double TfrmMain::GetMovieFrameRate(const std::string& FileName) {
  if (frmVideoWindow && frmVideoWindow->GraphActive() && FileName == lc::Player().CurrentMovieFile)
    return lc::ChooseFrameRate(GraphVideoRate());
  return lc::ChooseFrameRate(StreamRatesWithin(FileName, 5000));
}

void TfrmMain::ReadVideoAspect() {
  if (!frmVideoWindow || !frmVideoWindow->GraphActive()) return;
  TReleasing<IBasicVideo> Video;
  if (FAILED(frmVideoWindow->FilterGraph.QueryInterface(IID_IBasicVideo, Video.Out()))) return;
  long Width = 0, Height = 0;
  if (FAILED(Video->GetVideoSize(&Width, &Height))) return;
  lc::PlayerState& S = lc::Player();
  S.NativeWidth = static_cast<int>(Width);
  S.NativeHeight = static_cast<int>(Height);
  S.AspectRatioValue = lc::OriginalAspectRatio(S.NativeWidth, S.NativeHeight);
}

void TfrmMain::BuildFilterMenus() {
  TMenuItem* Menu = MenuItem(L"FiltersMenu");
  if (!Menu || !frmVideoWindow) return;
  TReleasing<IFilterGraph> Graph;
  if (FAILED(frmVideoWindow->FilterGraph.QueryInterface(IID_IFilterGraph, Graph.Out()))) return;
  TReleasing<IEnumFilters> Filters;
  if (FAILED(Graph->EnumFilters(&Filters.Object))) return;
  IBaseFilter* Filter = nullptr;
  while (Filters->Next(1, &Filter, nullptr) == S_OK) {
    TReleasing<IBaseFilter> Held{Filter};
    FILTER_INFO Info{};
    if (FAILED(Filter->QueryFilterInfo(&Info))) continue;
    if (Info.pGraph) Info.pGraph->Release();
    if (IsSourceFilter(Filter) || !HasPropertyPages(Filter)) continue;
    std::wstring Caption(Info.achName);
    if (Caption.size() > 128) Caption.resize(128);
    const std::wstring Name = L"FilterMenus" + std::to_wstring(FilterMenuItems.size());
    TMenuItem* Item = Menu->Add(Caption, nullptr, Name);
    Item->OnClick = [this, Item](TComponent*) { FilterMenuClick(Item); };
    FilterMenuItems.push_back(Item);
  }
  Menu->Enabled = true;
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
}

void TfrmMain::FilterMenuClick(TMenuItem* Item) {
  std::wstring Name = Item->Caption;
  if (const std::size_t Amp = Name.find(L'&'); Amp != std::wstring::npos) Name.erase(Amp, 1);
  TReleasing<IFilterGraph> Graph;
  TReleasing<IBaseFilter> Filter;
  if (frmVideoWindow && SUCCEEDED(frmVideoWindow->FilterGraph.QueryInterface(IID_IFilterGraph, Graph.Out())) &&
      SUCCEEDED(Graph->FindFilterByName(Name.c_str(), &Filter.Object))) {
    ShowFilterPropertyPage(Handle(), Filter.Object, 0);
  } else if (Name == L"DirectVobSub") {
    WinExec("rundll32.exe dvobsub.ax,Configure", SW_SHOWNORMAL);
  }
}

void TfrmMain::ClearFilterMenus() {
  TMenuItem* Menu = MenuItem(L"FiltersMenu");
  if (!Menu) return;
  for (TMenuItem* Item : FilterMenuItems) Menu->Remove(Item);
  FilterMenuItems.clear();
  Menu->Enabled = false;
}
