// What the main window reads of the movie in its graph: the frame rate of
// its video and the native picture size and ratio (as the graph's render
// found them), and the menu of the graph's filters with their property
// pages. Every platform failure is silent; every interface is released on
// every path.
#include <dshow.h>

#include <vector>

#include "engine/filters/com_helpers.h"
#include "engine/graph/graph_utils.h"
#include "player/main_form.h"
#include "player/picture_geometry.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"

namespace {

// The frame rate of the graph's video as its render found it; empty when
// the graph has no video with a frame duration.
std::vector<double> GraphVideoRate() {
  const double Frame = frmVideoWindow->FilterGraph.RenderedVideo().FrameSeconds;
  if (!(Frame > 0)) return {};
  return {1.0 / Frame};
}

// The filter is a file source: it is left out of the menu.
bool IsSourceFilter(IBaseFilter* Filter) {
  TComRef<IFileSourceFilter> Source;
  return SUCCEEDED(Filter->QueryInterface(IID_IFileSourceFilter, Source.Out()));
}

bool HasPropertyPages(IBaseFilter* Filter) {
  TComRef<ISpecifyPropertyPages> Pages;
  return SUCCEEDED(Filter->QueryInterface(IID_ISpecifyPropertyPages, Pages.Out()));
}

}  // namespace

double TfrmMain::GetMovieFrameRate() {
  if (!frmVideoWindow || !frmVideoWindow->GraphActive()) return lc::ChooseFrameRate({});
  return lc::ChooseFrameRate(GraphVideoRate());
}

void TfrmMain::ReadVideoAspect() {
  if (!frmVideoWindow || !frmVideoWindow->GraphActive()) return;
  const TRenderedVideo& Video = frmVideoWindow->FilterGraph.RenderedVideo();
  if (Video.Width <= 0 || Video.Height <= 0) return;
  lc::PlayerState& S = lc::Player();
  S.NativeWidth = static_cast<int>(Video.Width);
  S.NativeHeight = static_cast<int>(Video.Height);
  S.AspectRatioValue = lc::OriginalAspectRatio(S.NativeWidth, S.NativeHeight);
}

void TfrmMain::BuildFilterMenus() {
  TMenuItem* Menu = MenuItem(L"FiltersMenu");
  if (!Menu || !frmVideoWindow) return;
  TComRef<IFilterGraph> Graph;
  if (FAILED(frmVideoWindow->FilterGraph.QueryInterface(IID_IFilterGraph, Graph.Out()))) return;
  TComRef<IEnumFilters> Filters;
  if (FAILED(Graph->EnumFilters(&Filters.P))) return;
  IBaseFilter* Filter = nullptr;
  while (Filters->Next(1, &Filter, nullptr) == S_OK) {
    TComRef<IBaseFilter> Held{Filter};
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
  TComRef<IFilterGraph> Graph;
  TComRef<IBaseFilter> Filter;
  if (frmVideoWindow && SUCCEEDED(frmVideoWindow->FilterGraph.QueryInterface(IID_IFilterGraph, Graph.Out())) &&
      SUCCEEDED(Graph->FindFilterByName(Name.c_str(), &Filter.P))) {
    ShowFilterPropertyPage(Handle(), Filter.P, 0);
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
