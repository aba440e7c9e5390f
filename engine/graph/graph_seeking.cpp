#include "engine/graph/graph_seeking.h"

#include <algorithm>

#include "engine/filters/com_helpers.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/wine_media_stack.h"

namespace {

// Whether the filter has a connected input pin and no output pin.
bool IsStreamEnd(IBaseFilter* Filter) {
  std::vector<IPin*> pins = PinsOf(Filter);
  bool connectedInput = false, output = false;
  for (IPin* pin : pins) {
    if (DirectionOf(pin) == PINDIR_OUTPUT)
      output = true;
    else if (IsPinConnected(pin))
      connectedInput = true;
  }
  ReleaseAll(pins);
  return connectedInput && !output;
}

}  // namespace

TGraphSeeking* TGraphSeeking::Create(IFilterGraph* Graph, LONGLONG FileEnd) {
  if (Graph == nullptr) return nullptr;
  IMediaSeeking* seeking = nullptr;
  IMediaControl* control = nullptr;
  if (SUCCEEDED(Graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking))) &&
      SUCCEEDED(Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control))))
    return new TGraphSeeking(Graph, seeking, control, FileEnd);
  if (seeking != nullptr) seeking->Release();
  return nullptr;
}

int TGraphSeeking::StreamEnds(IFilterGraph* Graph) {
  TFilterList filters(Graph);
  int ends = 0;
  for (int i = 0; i < filters.Count(); ++i)
    if (IsStreamEnd(filters.GetFilter(i))) ++ends;
  return ends;
}

TGraphSeeking::TGraphSeeking(IFilterGraph* Graph, IMediaSeeking* Seeking, IMediaControl* Control,
                             LONGLONG FileEnd)
    : TSeekingPassThru(static_cast<IMediaSeeking*>(this), nullptr),
      Graph_(Graph),
      Seeking_(Seeking),
      Control_(Control),
      FileEnd_(FileEnd) {
  Graph_->AddRef();
}

TGraphSeeking::~TGraphSeeking() {
  Control_->Release();
  Seeking_->Release();
  Graph_->Release();
}

STDMETHODIMP TGraphSeeking::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IMediaSeeking) {
    *Object = static_cast<IMediaSeeking*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

IMediaSeeking* TGraphSeeking::Target() {
  Seeking_->AddRef();
  return Seeking_;
}

STDMETHODIMP_(ULONG) TGraphSeeking::AddRef() { return InterlockedIncrement(&References_); }

STDMETHODIMP_(ULONG) TGraphSeeking::Release() {
  const LONG left = InterlockedDecrement(&References_);
  if (left == 0) delete this;
  return left;
}

bool TGraphSeeking::SeekStopped(DWORD CurrentFlags, OAFilterState& State) {
  if (!WineMediaStack() || (CurrentFlags & AM_SEEKING_PositioningBitsMask) == AM_SEEKING_NoPositioning)
    return false;
  State = State_Stopped;
  return SUCCEEDED(Control_->GetState(0, &State)) && State != State_Stopped;
}

STDMETHODIMP TGraphSeeking::SetPositions(LONGLONG* Current, DWORD CurrentFlags, LONGLONG* Stop,
                                         DWORD StopFlags) {
  OAFilterState state = State_Stopped;
  if (!SeekStopped(CurrentFlags, state)) return Seeking_->SetPositions(Current, CurrentFlags, Stop, StopFlags);
  Control_->Stop();
  const HRESULT hr = Seeking_->SetPositions(Current, CurrentFlags, Stop, StopFlags);
  if (state == State_Running)
    Control_->Run();
  else
    Control_->Pause();
  return hr;
}

STDMETHODIMP TGraphSeeking::GetDuration(LONGLONG* Duration) {
  const HRESULT hr = Seeking_->GetDuration(Duration);
  if (SUCCEEDED(hr) && FileEnd_ > *Duration && Seeking_->IsUsingTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK)
    *Duration = FileEnd_;
  return hr;
}

STDMETHODIMP TGraphSeeking::GetCurrentPosition(LONGLONG* Current) {
  const HRESULT hr = Seeking_->GetCurrentPosition(Current);
  LONGLONG length = 0;
  if (SUCCEEDED(hr) && FileEnd_ > 0 && *Current > FileEnd_ &&
      Seeking_->IsUsingTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK && SUCCEEDED(GetDuration(&length)))
    *Current = std::min(*Current, length);
  return hr;
}
