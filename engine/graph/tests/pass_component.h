// A component for tests that registers with the graph component
// (TFilterGraph): an audio pass-through that counts what passes it and can
// be made to behave as a platform filter at its worst: a start that fails,
// a stop that takes its time (a parser slow to end its stream), a media type
// check that takes its time (a render that waits on a slow parser). Like
// the player's components it answers a graph left behind (foLeft) with a
// fresh filter for the next graph.
#pragma once

#include <atomic>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/transform_in_place.h"
#include "engine/graph/graph_component.h"

namespace lctest {

inline constexpr CLSID kPassFilterId = {0x1c0ffee3, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};

// Counts the bytes it sees (in all, and since its last stop) and its stops.
// Each stop takes StopMs, each media type offered takes CheckMs, and a
// pause or run returns StartResult when that is a failure (a filter that
// cannot start). Any thread.
class TPassFilter : public TTransInPlaceFilter {
 public:
  TPassFilter() : TTransInPlaceFilter(kPassFilterId, false) {}
  STDMETHODIMP Stop() override {
    ++Stops;
    Sleep(DWORD(StopMs.load()));
    const HRESULT Result = TTransInPlaceFilter::Stop();
    BytesSinceStop = 0;
    return Result;
  }
  STDMETHODIMP Pause() override {
    const HRESULT Result = StartResult.load();
    return FAILED(Result) ? Result : TTransInPlaceFilter::Pause();
  }
  STDMETHODIMP Run(REFERENCE_TIME Start) override {
    const HRESULT Result = StartResult.load();
    return FAILED(Result) ? Result : TTransInPlaceFilter::Run(Start);
  }
  HRESULT CheckInputType(const AM_MEDIA_TYPE* Type) override {
    ++Checks;
    Sleep(DWORD(CheckMs.load()));
    if (Type->majortype != MEDIATYPE_Audio || Type->formattype != FORMAT_WaveFormatEx) return VFW_E_TYPE_NOT_ACCEPTED;
    BytesPerSecond = reinterpret_cast<const WAVEFORMATEX*>(Type->pbFormat)->nAvgBytesPerSec;
    return S_OK;
  }
  HRESULT Transform(IMediaSample* Sample) override {
    Bytes += Sample->GetActualDataLength();
    BytesSinceStop += Sample->GetActualDataLength();
    return S_OK;
  }
  std::atomic<long long> Bytes{0}, BytesSinceStop{0};
  std::atomic<long> BytesPerSecond{0};
  std::atomic<int> Stops{0}, StopMs{0}, Checks{0}, CheckMs{0};
  std::atomic<HRESULT> StartResult{S_OK};
};

// Whether the filter is in a graph now.
inline bool InGraph(IBaseFilter* Filter) {
  FILTER_INFO Info{};
  Filter->QueryFilterInfo(&Info);
  if (Info.pGraph == nullptr) return false;
  Info.pGraph->Release();
  return true;
}

// The component of one TPassFilter, named "Pass". Left in a graph that did
// not let go, the filter is kept for the test to look at (Left) and the
// next graph gets a fresh one. GUI thread.
class TPassComponent : public IFilterComponent {
 public:
  ~TPassComponent() override {
    Filter->Release();
    if (Left != nullptr) Left->Release();
  }
  IBaseFilter* GetFilter() override { return Filter; }
  std::wstring GetName() override { return L"Pass"; }
  void NotifyFilter(int Operation, int) override {
    if (Operation != foLeft) return;
    if (Left != nullptr) Left->Release();
    Left = Filter;
    Filter = new TPassFilter();
  }
  TPassFilter* Filter = new TPassFilter();
  // The filter of the graph left last, or nullptr.
  TPassFilter* Left = nullptr;
};

}  // namespace lctest
