#include "engine/graph/filter_graph.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/filters/com_helpers.h"
#include "engine/graph/graph_site.h"
#include "engine/graph/graph_teardown.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/movie_file_timing.h"
#include "framework/application.h"
#include "engine/graph/wine_media_stack.h"

// {AD9AE9B1-A42A-49A1-AC7E-7404B0D3370D}
const GUID GraphComponentService = {0xAD9AE9B1, 0xA42A, 0x49A1, {0xAC, 0x7E, 0x74, 0x04, 0xB0, 0xD3, 0x37, 0x0D}};

namespace {

// A platform interface of the component's graph, released with the scope.
template <class T>
struct TGraphInterface {
  TGraphInterface(TFilterGraph& Graph, REFIID Iid) {
    if (FAILED(Graph.QueryInterface(Iid, reinterpret_cast<void**>(&Object)))) Object = nullptr;
  }
  ~TGraphInterface() { ReleaseAndNil(Object); }
  T* operator->() const { return Object; }
  explicit operator bool() const { return Object != nullptr; }
  T* Object = nullptr;
};

// A site that lives as long as the process, for a graph that may be
// released after the component is gone (Wine's graph takes no empty site).
IUnknown* NoSite() {
  struct TNoSite : public IUnknown {
    STDMETHODIMP QueryInterface(REFIID, void** Object) override {
      *Object = nullptr;
      return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
  };
  static TNoSite noSite;
  return &noSite;
}

}  // namespace

// What of the component is in the active graph besides its filters (the
// notify window, the running object table's entry, the log and the site),
// taken out; then the graph's objects (the graph first) are released, each
// held reference once. Any thread; the component's members are not used.
struct TFilterGraph::TGraphHooks {
  IMediaEventEx* Events = nullptr;
  DWORD RotCookie = 0;
  HANDLE Log = INVALID_HANDLE_VALUE;
  IObjectWithSite* Site = nullptr;
  IFilterGraph2* Graph = nullptr;  // the first of Objects
  std::vector<IUnknown*> Objects;

  void TakeOut() {
    if (Events != nullptr) {
      Events->SetNotifyFlags(AM_MEDIAEVENT_NONOTIFY);
      Events->SetNotifyWindow(0, 0, 0);
      ReleaseAndNil(Events);
    }
    if (RotCookie != 0) RemoveGraphFromRot(RotCookie);
    if (Log != INVALID_HANDLE_VALUE) {
      Graph->SetLogFile(0);
      CloseHandle(Log);
    }
    if (Site != nullptr) {
      Site->SetSite(NoSite());
      ReleaseAndNil(Site);
    }
  }
};

TFilterGraph::~TFilterGraph() {
  SetActive(false);
  if (Window_ != nullptr) DestroyWindow(Window_);
}

void TFilterGraph::Loaded() {
  if (AutoCreate) SetActive(true);
}

void TFilterGraph::SetActive(bool Value) {
  if (Value == Active_) return;
  if (Value)
    Activate();
  else
    Deactivate();
}

// A graph that the platform refuses to create leaves the component
// inactive: nothing else of the sequence runs.
void TFilterGraph::Activate() {
  HRESULT hr = E_FAIL;
  switch (Mode_) {
    case TGraphMode::gmNormal:
      hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                            reinterpret_cast<void**>(&Graph_));
      break;
    case TGraphMode::gmCapture:
      hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                            reinterpret_cast<void**>(&CaptureBuilder_));
      if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                              reinterpret_cast<void**>(&Graph_));
      if (SUCCEEDED(hr)) CaptureBuilder_->SetFiltergraph(Graph_);
      break;
    case TGraphMode::gmDVD: {
      hr = CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                            reinterpret_cast<void**>(&DvdBuilder_));
      IGraphBuilder* builder = nullptr;
      if (SUCCEEDED(hr)) hr = DvdBuilder_->GetFiltergraph(&builder);
      if (SUCCEEDED(hr)) {
        hr = builder->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(&Graph_));
        builder->Release();
      }
      break;
    }
  }
  if (FAILED(hr) || Graph_ == nullptr) {
    ReleaseAndNil(Graph_);
    ReleaseAndNil(CaptureBuilder_);
    ReleaseAndNil(DvdBuilder_);
    return;
  }
  Active_ = true;
  Stalled_ = false;
  Duration_.reset();
  Worker_ = TGraphWorker::Start(Graph_, [this](HRESULT Result) { PostStateFailure(Result); });
  if (SUCCEEDED(QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&MediaEvent_)))) {
    MediaEvent_->SetNotifyFlags(0);
    MediaEvent_->SetNotifyWindow(reinterpret_cast<OAHWND>(Window_), WM_GRAPHNOTIFY,
                                 reinterpret_cast<LONG_PTR>(MediaEvent_));
  }
  InstallSite();
  SetGraphEdit(GraphEdit_);
  SetLogFile(LogFile_);
  AddRegisteredFilters();
  if (OnActivate) OnActivate(this);
  NotifyFilters(coActivation, 1);
}

// The graph reaches both callbacks through its one site, which answers
// both interfaces.
void TFilterGraph::InstallSite() {
  IObjectWithSite* site = nullptr;
  if (FAILED(QueryGraph(IID_IObjectWithSite, reinterpret_cast<void**>(&site)))) return;
  Site_ = new TGraphSite(this, Window_);
  site->SetSite(static_cast<IAMGraphBuilderCallback*>(Site_));
  site->SetSite(static_cast<IFilterGraphCallbackStd*>(Site_));
  site->Release();
}

// The graph's last release runs on a thread of its own: the platform's
// teardown may never end, and a graph not released in time is left to end
// on its own while the player goes on. Nothing of the component's stays in
// it: its filters, its site, its notify window and its log are taken out
// first. A graph that does not stop in time, or is still rendering, is
// left as it is (LeaveGraph).
void TFilterGraph::Deactivate() {
  // A running or paused graph released without a stop can hang the
  // platform's media stack: it is stopped first.
  if (Rendering_ || !FinalStop()) {
    LeaveGraph();
    return;
  }
  NotifyFilters(coActivation, 0);
  RemoveRegisteredFilters();
  TGraphHooks hooks = TakeHooks();
  hooks.TakeOut();
  // The worker holds the graph until its thread ends: when that is not in
  // time, the graph's last release is the worker's, on its thread.
  if (Worker_) Worker_->Leave(kGraphReleaseMs);
  Worker_.reset();
  ReleaseWithin(std::move(hooks.Objects), kGraphReleaseMs);
}

void TFilterGraph::LeaveGraph() {
  Rendering_ = false;
  NotifyFilters(coActivation, 0);
  for (IFilterComponent* component : Filters_) component->NotifyFilter(foLeft, 0);
  TGraphHooks hooks = TakeHooks();
  Worker_->LeaveWith([hooks]() mutable {
    hooks.TakeOut();
    for (IUnknown* object : hooks.Objects) object->Release();
  });
  Worker_.reset();
}

TFilterGraph::TGraphHooks TFilterGraph::TakeHooks() {
  TGraphHooks hooks;
  hooks.Events = std::exchange(MediaEvent_, nullptr);
  hooks.RotCookie = std::exchange(RotCookie_, 0);
  hooks.Log = std::exchange(Log_, INVALID_HANDLE_VALUE);
  if (FAILED(QueryGraph(IID_IObjectWithSite, reinterpret_cast<void**>(&hooks.Site)))) hooks.Site = nullptr;
  if (Site_ != nullptr) {
    Site_->Cut();
    ReleaseAndNil(Site_);
  }
  hooks.Graph = Graph_;
  for (IUnknown* object : {static_cast<IUnknown*>(Graph_), static_cast<IUnknown*>(CaptureBuilder_),
                           static_cast<IUnknown*>(DvdBuilder_)})
    if (object != nullptr) hooks.Objects.push_back(object);
  Graph_ = nullptr;
  CaptureBuilder_ = nullptr;
  DvdBuilder_ = nullptr;
  Walk_.reset();
  Active_ = false;
  std::lock_guard<std::mutex> lock(ExceptionsLock_);
  StateFailures_.clear();
  return hooks;
}

bool TFilterGraph::FinalStop() {
  if (!Worker_) return true;
  if (Stalled_) return false;
  Worker_->AskFinalStop();
  Stalled_ = !Worker_->WaitIdle(kGraphReleaseMs);
  return !Stalled_;
}

void TFilterGraph::SetMode(TGraphMode Value) {
  if (Value == Mode_) return;
  const bool wasActive = Active_;
  SetActive(false);
  Mode_ = Value;
  SetActive(wasActive);
}

void TFilterGraph::SetGraphEdit(bool Value) {
  if (!Value) {
    if (RotCookie_ != 0) RemoveGraphFromRot(RotCookie_);
    RotCookie_ = 0;
  } else if (RotCookie_ == 0 && Active_) {
    AddGraphToRot(Graph_, RotCookie_);
  }
  GraphEdit_ = Value;
}

void TFilterGraph::CloseLog() {
  if (Graph_ != nullptr) Graph_->SetLogFile(0);
  if (Log_ != INVALID_HANDLE_VALUE) CloseHandle(Log_);
  Log_ = INVALID_HANDLE_VALUE;
}

// A log file that cannot be created leaves the log off and the old name.
void TFilterGraph::SetLogFile(const std::wstring& Value) {
  if (Active_) {
    CloseLog();
    if (!Value.empty()) {
      Log_ = CreateFileW(Value.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
      if (Log_ == INVALID_HANDLE_VALUE) return;
      Graph_->SetLogFile(reinterpret_cast<DWORD_PTR>(Log_));
    }
  }
  LogFile_ = Value;
}

void TFilterGraph::AddComponentFilter(IFilterComponent* Component) {
  Component->NotifyFilter(foAdding, 0);
  Graph_->AddFilter(Component->GetFilter(), Component->GetName().c_str());
  Component->NotifyFilter(foAdded, 0);
}

void TFilterGraph::RemoveComponentFilter(IFilterComponent* Component) {
  Component->NotifyFilter(foRemoving, 0);
  Graph_->RemoveFilter(Component->GetFilter());
  Component->NotifyFilter(foRemoved, 0);
}

void TFilterGraph::AddRegisteredFilters() {
  for (IFilterComponent* component : Filters_) AddComponentFilter(component);
}

void TFilterGraph::RemoveRegisteredFilters() {
  for (IFilterComponent* component : Filters_) RemoveComponentFilter(component);
}

void TFilterGraph::InsertFilter(IFilterComponent* Component) {
  Filters_.push_back(Component);
  if (Active_) AddComponentFilter(Component);
}

void TFilterGraph::RemoveFilter(IFilterComponent* Component) {
  const auto found = std::find(Filters_.begin(), Filters_.end(), Component);
  if (found == Filters_.end()) return;
  Filters_.erase(found);
  if (Active_) RemoveComponentFilter(Component);
}

void TFilterGraph::InsertEventSink(IGraphEventSink* Sink) { Sinks_.push_back(Sink); }

void TFilterGraph::RemoveEventSink(IGraphEventSink* Sink) {
  const auto found = std::find(Sinks_.begin(), Sinks_.end(), Sink);
  if (found != Sinks_.end()) Sinks_.erase(found);
}

void TFilterGraph::NotifyFilters(int Operation, int Param) {
  for (IGraphEventSink* sink : Sinks_) sink->ControlEvent(Operation, Param);
}

HRESULT TFilterGraph::RenderFile(const std::wstring& FileName) {
  RenderAbandoned_ = false;
  RenderedVideo_ = {};
  if (Graph_ == nullptr) return S_FALSE;
  WaitForGraph(kGraphReleaseMs);
  Duration_.reset();
  PictureStart_ = 0;
  AviKeyFrames_ = std::make_shared<TAviKeyFrames>();
  FileEnd_ = 0;
  Walk_.reset();
  NotifyFilters(coRenderBefore, 0);
  const HRESULT hr = RenderOnWorker(FileName);
  {
    // The handlers' exceptions held back during the render.
    std::lock_guard<std::mutex> lock(ExceptionsLock_);
    if (!Exceptions_.empty()) PostMessageW(Window_, WM_GRAPHEXCEPTION, 0, 0);
  }
  if (RenderAbandoned_) return E_ABORT;
  if (FAILED(hr)) {
    SetActive(false);
    ShowGraphMessage(FormatDSError(hr));
    return hr;
  }
  const TFileTiming timing = ReadFileTiming(FileName);
  PictureStart_ = timing.PictureStart;
  AviKeyFrames_ = std::make_shared<TAviKeyFrames>(timing.KeyFrames);
  FileEnd_ = timing.StreamsEnd;
  if (timing.EndEstimated) Walk_ = std::make_unique<TFragmentsWalk>(FileName, Window_, WM_FRAGMENTSWALKED);
  PlayToStreamsEnd();
  ApplySettings();
  UseSystemClock();
  NotifyFilters(coRenderAfter, 0);
  // The length is kept for the time the worker is busy: read here, where
  // the worker has only the settings just asked before it.
  ReadDuration();
  return hr;
}

// The loop ends when the render is done, or when a message it dispatched
// abandoned it or deactivated the component, or on the application's end;
// a render not done then is left with its graph.
HRESULT TFilterGraph::RenderOnWorker(const std::wstring& FileName) {
  if (!Worker_) return Graph_->RenderFile(FileName.c_str(), nullptr);
  const std::shared_ptr<TGraphWorker> worker = Worker_;
  worker->AskRender(FileName);
  Rendering_ = true;
  const HANDLE done = worker->DoneEvent();
  while (Worker_ == worker && worker->Rendering() && !Application.Terminated()) {
    MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    Application.ProcessMessages();
  }
  Rendering_ = false;
  if (Worker_ == worker && worker->Rendering()) LeaveGraph();
  RenderAbandoned_ = Worker_ != worker;
  if (RenderAbandoned_) return E_ABORT;
  RenderedVideo_ = worker->RenderedVideo();
  return worker->RenderResult();
}

void TFilterGraph::AbandonRender() {
  if (Rendering_) LeaveGraph();
}

// The graph plays every stream to its own end: the latest end the graph
// or the file tells (FileEnd_). The platform's parser stops every stream
// where its first one ends (an AVI's picture, when the sound is longer),
// or where a fragmented MP4's index or first fragment ends. While the walk
// over a long fragmented MP4 goes on, no stream is stopped before its own
// end: on Wine's media stack a stop moved while the graph runs restarts
// the position it reports and loses the end of the streams, so the stop
// stays there once the walk has ended.
void TFilterGraph::PlayToStreamsEnd() {
  TGraphInterface<IMediaSeeking> seeking(*this, IID_IMediaSeeking);
  LONGLONG reported = 0, current = 0;
  if (!seeking || FAILED(seeking->GetStopPosition(&reported))) return;
  LONGLONG stop = Walk_ ? kBeyondAnyEnd : std::max(reported, FileEnd_);
  seeking->SetPositions(&current, AM_SEEKING_NoPositioning, &stop, AM_SEEKING_AbsolutePositioning);
}

// The walk's end becomes the length the graph's seeking reports, and the
// one kept for the time the worker is busy; the owner hears of it as the
// platform's length-changed event.
void TFilterGraph::FragmentsWalked() {
  const std::optional<REFERENCE_TIME> end = Walk_ ? Walk_->End() : std::nullopt;
  if (!end) return;
  Walk_.reset();
  FileEnd_ = *end;
  Duration_ = FileEnd_;
  ReadDuration();
  HandleEvent(EC_LENGTH_CHANGED, 0, 0);
}

// Wine's DirectSound renderer never ends the thread of its clock once the
// clock has timed anything, so a graph timed by it (every movie with
// picture and sound) left a thread and its memory behind. On that media
// stack the graph is timed by a system clock of its own instead, which ends
// its thread with the graph; that renderer's clock is a system clock too,
// so the timing is the same. The clock is one whose release always ends
// (graph_teardown.h): the graph's release, a close that comes as the movie
// starts to play, is its last.
void TFilterGraph::UseSystemClock() {
  if (!WineMediaStack()) return;
  TGraphInterface<IMediaFilter> graph(*this, IID_IMediaFilter);
  if (!graph) return;
  IReferenceClock* clock = NewWakefulSystemClock();
  if (clock == nullptr) return;
  graph->SetSyncSource(clock);
  clock->Release();
}

bool TFilterGraph::Play() {
  if (!Worker_) return false;
  NotifyFilters(coPlay, 0);
  Worker_->AskState(TGraphState::Running);
  return true;
}

bool TFilterGraph::Pause() {
  if (!Worker_) return false;
  NotifyFilters(coPause, 0);
  Worker_->AskState(TGraphState::Paused);
  return true;
}

bool TFilterGraph::Stop() {
  if (!Worker_) return false;
  NotifyFilters(coStop, 0);
  Worker_->AskState(TGraphState::Stopped);
  return true;
}

bool TFilterGraph::SeekTo(REFERENCE_TIME Position) {
  if (!Worker_) return false;
  Worker_->AskSeek(Position);
  return true;
}

std::optional<REFERENCE_TIME> TFilterGraph::SeekTarget() const {
  if (!Worker_) return std::nullopt;
  return Worker_->Target();
}

std::optional<REFERENCE_TIME> TFilterGraph::Position() {
  if (!Worker_) return std::nullopt;
  if (const auto target = Worker_->Target()) return target;
  if (!Worker_->Idle()) return Worker_->Known();
  TGraphInterface<IMediaSeeking> seeking(*this, IID_IMediaSeeking);
  LONGLONG position = 0;
  if (!seeking || FAILED(seeking->GetCurrentPosition(&position))) return std::nullopt;
  return position;
}

bool TFilterGraph::WaitForGraph(DWORD Ms) { return !Worker_ || Worker_->WaitIdle(Ms); }

// Each pin is released right after its disconnection: a splitter may drop
// its output pins when its input is disconnected, so no pin is held across
// another pin's disconnection, and each connection is broken at both ends
// together, so no pin keeps a peer that is dropped later. A pin set that
// changed under the enumeration is enumerated again.
void TFilterGraph::DisconnectFilters() {
  if (Graph_ == nullptr) return;
  TFilterList filters(Graph_);
  for (int f = 0; f < filters.Count(); ++f) {
    IEnumPins* pins = nullptr;
    if (FAILED(filters.GetFilter(f)->EnumPins(&pins))) continue;
    for (int pass = 0; pass < 16; ++pass) {
      IPin* pin = nullptr;
      HRESULT hr;
      while ((hr = pins->Next(1, &pin, nullptr)) == S_OK) {
        // Both ends at once: a pin left holding its peer would keep a
        // pointer that a splitter frees when it drops its output pins.
        IPin* peer = nullptr;
        if (SUCCEEDED(pin->ConnectedTo(&peer)) && peer != nullptr) {
          peer->Disconnect();
          peer->Release();
        }
        const HRESULT result = pin->Disconnect();
        pin->Release();
        if (FAILED(result)) {
          pins->Release();
          CheckDSError(result);
        }
      }
      if (hr != VFW_E_ENUM_OUT_OF_SYNC) break;
      pins->Reset();
    }
    pins->Release();
  }
}

void TFilterGraph::ClearGraph() {
  if (Graph_ == nullptr) return;
  NotifyFilters(coStop, 0);
  // A graph still stopping waits for nothing more: it is left as it is.
  if (!FinalStop()) return;
  DisconnectFilters();
  TFilterList filters(Graph_);
  for (IFilterComponent* component : Filters_) filters.Remove(component->GetFilter());
  for (int i = 0; i < filters.Count(); ++i) CheckDSError(Graph_->RemoveFilter(filters.GetFilter(i)));
}

void TFilterGraph::SetVolume(int Value) {
  Volume_ = std::clamp(Value, 0, 10000);
  ApplyAudio();
}

void TFilterGraph::SetBalance(int Value) {
  Balance_ = std::clamp(Value, -10000, 10000);
  ApplyAudio();
}

void TFilterGraph::SetRate(double Value) {
  Rate_ = Value;
  ApplyRate();
}

void TFilterGraph::SetLinearVolume(bool Value) {
  if (Value == LinearVolume_) return;
  LinearVolume_ = Value;
  ApplyAudio();
}

// Volume and balance go to the graph together.
void TFilterGraph::ApplyAudio() {
  if (Worker_)
    Worker_->AskAudio(LinearVolume_ ? LinearVolumeToDB(Volume_) : Volume_ - 10000,
                      LinearVolume_ ? LinearBalanceToDB(Balance_) : Balance_);
}

void TFilterGraph::ApplyRate() {
  if (Worker_) Worker_->AskRate(Rate_);
}

void TFilterGraph::ApplySettings() {
  ApplyAudio();
  ApplyRate();
}

std::optional<REFERENCE_TIME> TFilterGraph::Duration() {
  if (!Worker_ || !Worker_->Idle()) return Duration_;
  return ReadDuration();
}

std::optional<REFERENCE_TIME> TFilterGraph::ReadDuration() {
  TGraphInterface<IMediaSeeking> seeking(*this, IID_IMediaSeeking);
  LONGLONG duration = 0;
  if (!seeking || FAILED(seeking->GetDuration(&duration))) return std::nullopt;
  Duration_ = duration;
  return duration;
}

int TFilterGraph::GetDuration() {
  const auto duration = Duration();
  return duration ? RefTimeToMilliSec(*duration) : 0;
}
