#include "engine/graph/graph_worker.h"

#include <chrono>
#include <utility>

#include "engine/graph/graph_seeking.h"
#include "framework/thread_name.h"

namespace {

// What the thread holds: the worker lives until both the thread and its
// owner let go of it.
struct TThreadStart {
  std::shared_ptr<TGraphWorker> Worker;
};

}  // namespace

std::shared_ptr<TGraphWorker> TGraphWorker::Start(IFilterGraph* Graph, TFailed Failed) {
  if (Graph == nullptr) return nullptr;
  IMediaControl* control = nullptr;
  if (FAILED(Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) return nullptr;
  TGraphSeeking* seeking = TGraphSeeking::Create(Graph);
  if (seeking == nullptr) {
    control->Release();
    return nullptr;
  }
  std::shared_ptr<TGraphWorker> worker(new TGraphWorker(Graph, control, seeking, std::move(Failed)));
  if (worker->DoneEvent_ == nullptr) return nullptr;
  auto start = std::make_unique<TThreadStart>(TThreadStart{worker});
  worker->Thread_ = CreateThread(nullptr, 0, ThreadMain, start.get(), 0, nullptr);
  if (worker->Thread_ == nullptr) return nullptr;
  start.release();
  return worker;
}

TGraphWorker::TGraphWorker(IFilterGraph* Graph, IMediaControl* Control, IMediaSeeking* Seeking, TFailed Failed)
    : Graph_(Graph),
      Control_(Control),
      Seeking_(Seeking),
      DoneEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      Failed_(std::move(Failed)) {
  Graph_->AddRef();
}

TGraphWorker::~TGraphWorker() {
  Seeking_->Release();
  Control_->Release();
  Graph_->Release();
  if (Thread_ != nullptr) CloseHandle(Thread_);
  if (DoneEvent_ != nullptr) CloseHandle(DoneEvent_);
}

DWORD WINAPI TGraphWorker::ThreadMain(void* Param) {
  std::unique_ptr<TThreadStart> start(static_cast<TThreadStart*>(Param));
  NameCurrentThread(L"lc graph worker");
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  start->Worker->Run();
  // The graph's interfaces go here when the owner let go first.
  start.reset();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

void TGraphWorker::Run() {
  for (;;) {
    TGraphRequest request;
    {
      std::unique_lock<std::mutex> lock(Lock_);
      Changed_.wait(lock, [&] { return Requests_.Take(request) || Leaving_; });
      if (Requests_.Idle()) {
        const std::function<void()> last = std::move(Last_);
        lock.unlock();
        if (last) last();
        return;
      }
    }
    const HRESULT result = Do(request);
    LONGLONG position = 0;
    const bool known = SUCCEEDED(Seeking_->GetCurrentPosition(&position));
    std::lock_guard<std::mutex> lock(Lock_);
    if (known) Known_ = position;
    if (request.Kind == TGraphRequest::Render)
      RenderResult_ = result;
    else if (FAILED(result) && Failed_)
      Failed_(result);
    Requests_.Done();
    Changed_.notify_all();
    SetEvent(DoneEvent_);
  }
}

HRESULT TGraphWorker::Do(const TGraphRequest& Request) {
  switch (Request.Kind) {
    case TGraphRequest::Render:
      return Render();
    case TGraphRequest::State:
      Wanted_ = Request.To;
      Cued_ = false;
      return Request.To == TGraphState::Running  ? Control_->Run()
             : Request.To == TGraphState::Paused ? Control_->Pause()
                                                  : Control_->Stop();
    case TGraphRequest::Seek:
      return Seek(Request.Position);
    case TGraphRequest::Audio:
      ApplyAudio(Request.Volume, Request.Balance);
      break;
    case TGraphRequest::Rate:
      Seeking_->SetRate(Request.Speed);
      break;
  }
  return S_OK;
}

HRESULT TGraphWorker::Render() {
  std::wstring fileName;
  {
    std::lock_guard<std::mutex> lock(Lock_);
    fileName = RenderFile_;
  }
  IGraphBuilder* builder = nullptr;
  if (FAILED(Graph_->QueryInterface(IID_IGraphBuilder, reinterpret_cast<void**>(&builder)))) return E_NOINTERFACE;
  const HRESULT result = builder->RenderFile(fileName.c_str(), nullptr);
  builder->Release();
  TRenderedVideo video;
  IBasicVideo* basic = nullptr;
  if (SUCCEEDED(result) && SUCCEEDED(Graph_->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&basic)))) {
    if (FAILED(basic->GetVideoSize(&video.Width, &video.Height))) video.Width = video.Height = 0;
    if (FAILED(basic->get_AvgTimePerFrame(&video.FrameSeconds))) video.FrameSeconds = 0;
    basic->Release();
  }
  std::lock_guard<std::mutex> lock(Lock_);
  RenderedVideo_ = video;
  return result;
}

// The graph's seeking sets the position (under Wine with the graph
// stopped, then back in the state it was in). With another seek waiting, a
// graph meant to run is paused instead, until its picture is on show; the
// last seek lets it run again; the result is that run's.
HRESULT TGraphWorker::Seek(REFERENCE_TIME Position) {
  LONGLONG current = Position;
  Seeking_->SetPositions(&current, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  const bool more = Asked(TGraphRequest::Seek);
  if (more && Wanted_ == TGraphState::Running && !Cued_) {
    Control_->Pause();
    Cued_ = true;
  }
  if (more && Wanted_ != TGraphState::Stopped) AwaitPicture();
  if (!more && Cued_) {
    Cued_ = false;
    // A change of state asked meanwhile sets the state itself.
    if (!Asked(TGraphRequest::State)) return Control_->Run();
  }
  return S_OK;
}

// The paused graph is in an intermediate state until its picture is on
// show; asked in short slices so that a change of state or the end of the
// seeks asked ends the wait.
void TGraphWorker::AwaitPicture() {
  constexpr DWORD kSliceMs = 40;
  const DWORD start = GetTickCount();
  for (;;) {
    OAFilterState state = State_Stopped;
    if (Control_->GetState(kSliceMs, &state) != VFW_S_STATE_INTERMEDIATE) return;
    const DWORD now = GetTickCount();
    std::lock_guard<std::mutex> lock(Lock_);
    if (Requests_.Pending(TGraphRequest::State) || now - start >= kCueMs || now - SeekAsked_ >= kQuietMs) return;
  }
}

bool TGraphWorker::Asked(TGraphRequest::TKind Kind) const {
  std::lock_guard<std::mutex> lock(Lock_);
  return Requests_.Pending(Kind);
}

void TGraphWorker::ApplyAudio(long Volume, long Balance) {
  IBasicAudio* audio = nullptr;
  if (FAILED(Graph_->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)))) return;
  audio->put_Volume(Volume);
  audio->put_Balance(Balance);
  audio->Release();
}

void TGraphWorker::AskRender(const std::wstring& FileName) {
  std::lock_guard<std::mutex> lock(Lock_);
  RenderFile_ = FileName;
  RenderResult_ = E_PENDING;
  RenderedVideo_ = {};
  Requests_.AskRender();
  Changed_.notify_all();
}

void TGraphWorker::AskState(TGraphState To) {
  std::lock_guard<std::mutex> lock(Lock_);
  Requests_.AskState(To);
  Changed_.notify_all();
}

void TGraphWorker::AskSeek(REFERENCE_TIME Position) {
  std::lock_guard<std::mutex> lock(Lock_);
  Requests_.AskSeek(Position);
  SeekAsked_ = GetTickCount();
  Changed_.notify_all();
}

void TGraphWorker::AskFinalStop() {
  std::lock_guard<std::mutex> lock(Lock_);
  Requests_.AskFinalStop();
  Changed_.notify_all();
}

void TGraphWorker::AskAudio(long Volume, long Balance) {
  std::lock_guard<std::mutex> lock(Lock_);
  Requests_.AskAudio(Volume, Balance);
  Changed_.notify_all();
}

void TGraphWorker::AskRate(double Rate) {
  std::lock_guard<std::mutex> lock(Lock_);
  Requests_.AskRate(Rate);
  Changed_.notify_all();
}

bool TGraphWorker::Idle() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return Requests_.Idle();
}

bool TGraphWorker::Rendering() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return Requests_.Rendering();
}

HRESULT TGraphWorker::RenderResult() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return RenderResult_;
}

TRenderedVideo TGraphWorker::RenderedVideo() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return RenderedVideo_;
}

std::optional<REFERENCE_TIME> TGraphWorker::Target() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return Requests_.Target();
}

REFERENCE_TIME TGraphWorker::Known() const {
  std::lock_guard<std::mutex> lock(Lock_);
  return Known_;
}

bool TGraphWorker::WaitIdle(DWORD Ms) {
  std::unique_lock<std::mutex> lock(Lock_);
  return Changed_.wait_for(lock, std::chrono::milliseconds(Ms), [&] { return Requests_.Idle(); });
}

bool TGraphWorker::Leave(DWORD Ms) {
  LeaveWith(nullptr);
  return WaitForSingleObject(Thread_, Ms) == WAIT_OBJECT_0;
}

void TGraphWorker::LeaveWith(std::function<void()> Last) {
  std::lock_guard<std::mutex> lock(Lock_);
  Leaving_ = true;
  Last_ = std::move(Last);
  Failed_ = nullptr;
  Changed_.notify_all();
}
