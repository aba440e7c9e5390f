#include "engine/filters/renderer.h"

#include "engine/filters/media_type.h"
#include "framework/thread_name.h"

// ---- input pin -------------------------------------------------------------

TRendererInputPin::TRendererInputPin(TBaseRenderer* Renderer, const wchar_t* Name)
    : TBaseInputPin(Renderer, Name), Owner_(Renderer) {}

HRESULT TRendererInputPin::CheckMediaType(const AM_MEDIA_TYPE* MediaType) {
  return Owner_->CheckMediaType(MediaType);
}

HRESULT TRendererInputPin::SetMediaType(const AM_MEDIA_TYPE* MediaType) {
  const HRESULT hr = TBaseInputPin::SetMediaType(MediaType);
  return FAILED(hr) ? hr : Owner_->SetMediaType(MediaType);
}

HRESULT TRendererInputPin::CompleteConnect(IPin* ReceivePin) {
  const HRESULT hr = TBaseInputPin::CompleteConnect(ReceivePin);
  return FAILED(hr) ? hr : Owner_->CompleteConnect(ReceivePin);
}

HRESULT TRendererInputPin::BreakConnect() {
  Owner_->BreakConnect();
  return TBaseInputPin::BreakConnect();
}

STDMETHODIMP TRendererInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* Props) {
  const long kept = Owner_->SamplesKept();
  if (kept <= 0) return TBaseInputPin::GetAllocatorRequirements(Props);
  if (Props == nullptr) return E_POINTER;
  *Props = {};
  Props->cBuffers = 1 + kept;
  return S_OK;
}

// How long the streaming thread is held at most once the renderer stopped.
constexpr DWORD kHoldWhileStoppedMs = 1000;

// A sample that comes while stopped holds the streaming thread until the
// upstream filter has stopped too.
STDMETHODIMP TRendererInputPin::Receive(IMediaSample* Sample) {
  if (Sample == nullptr) return E_POINTER;
  // The platform's streaming thread, named for what it runs of ours.
  NameCurrentThreadOnce(L"lc renderer");
  HoldWhileStopped();
  return Streaming([&] { return Owner_->Receive(Sample); });
}

void TRendererInputPin::HoldWhileStopped() {
  TMemAllocator* own = OwnAllocator();
  if (own == nullptr || !Owner_->IsStopped()) return;
  const DWORD start = GetTickCount();
  while (Owner_->IsStopped() && !IsFlushing() && GetTickCount() - start < kHoldWhileStoppedMs)
    if (own->WaitForDecommit(10)) return;
}

HRESULT TRendererInputPin::Inactive() {
  if (OwnAllocator() == nullptr) return TBaseInputPin::Inactive();
  AtEndOfStream_.store(false);
  return S_OK;
}

STDMETHODIMP TRendererInputPin::EndOfStream() {
  return Streaming([&] {
    const HRESULT hr = TBaseInputPin::EndOfStream();
    return hr != S_OK ? hr : Owner_->EndOfStream();
  });
}

STDMETHODIMP TRendererInputPin::BeginFlush() {
  TBaseInputPin::BeginFlush();
  return Owner_->BeginFlush();
}

STDMETHODIMP TRendererInputPin::NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) {
  const HRESULT hr = TBaseInputPin::NewSegment(Start, Stop, Rate);
  Owner_->SegmentBegins(Start);
  return hr;
}

STDMETHODIMP TRendererInputPin::EndFlush() {
  const HRESULT hr = Owner_->EndFlush();
  TBaseInputPin::EndFlush();
  return hr;
}

// ---- renderer --------------------------------------------------------------

TBaseRenderer::TBaseRenderer(const CLSID& ClassId, const wchar_t* PinName)
    : TBaseFilter(ClassId),
      Input_(this, PinName),
      Seeking_(this),
      WakeEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      AdviseEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      ReadyEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TBaseRenderer::~TBaseRenderer() {
  SetWaitingSample(nullptr);
  CloseHandle(WakeEvent_);
  CloseHandle(AdviseEvent_);
  CloseHandle(ReadyEvent_);
}

TBasePin* TBaseRenderer::GetPin(int Index) { return Index == 0 ? &Input_ : nullptr; }

HRESULT TBaseRenderer::QueryFilterInterface(REFIID Iid, void** Object) {
  if (Iid == IID_IMediaSeeking) {
    *Object = static_cast<IMediaSeeking*>(&Seeking_);
  } else if (Iid == IID_IAMFilterMiscFlags) {
    *Object = static_cast<IAMFilterMiscFlags*>(this);
  } else {
    return TBaseFilter::QueryFilterInterface(Iid, Object);
  }
  AddRef();
  return S_OK;
}

HRESULT TBaseRenderer::SetMediaType(const AM_MEDIA_TYPE*) { return S_OK; }
HRESULT TBaseRenderer::CompleteConnect(IPin*) { return S_OK; }
HRESULT TBaseRenderer::BreakConnect() { return S_OK; }
void TBaseRenderer::OnReceiveFirstSample(IMediaSample*) {}
void TBaseRenderer::OnFlush() {}
REFERENCE_TIME TBaseRenderer::PresentationTime(REFERENCE_TIME Start, REFERENCE_TIME) { return Start; }

HRESULT TBaseRenderer::OnMediaTypeChange(const AM_MEDIA_TYPE* MediaType) {
  if (CheckMediaType(MediaType) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  return SetMediaType(MediaType);
}

void TBaseRenderer::SetWaitingSample(IMediaSample* Sample) {
  if (Sample != nullptr) Sample->AddRef();
  IMediaSample* old = nullptr;
  {
    TAutoLock lock(SampleLock_);
    old = Waiting_;
    Waiting_ = Sample;
  }
  if (old != nullptr) old->Release();
}

IMediaSample* TBaseRenderer::LastSample() {
  TAutoLock lock(SampleLock_);
  if (Waiting_ != nullptr) Waiting_->AddRef();
  return Waiting_;
}

// A sample taken while paused is shown at once (unless a step is waiting
// for it) and held; a held sample already on show only makes way for the
// next one when a step asks for it. So is the first sample of a stream
// that waited for its time when the renderer paused: the picture of a
// stream paused just after it began is its first, not one from before.
HRESULT TBaseRenderer::Receive(IMediaSample* Sample) {
  AM_MEDIA_TYPE* type = nullptr;
  if (Sample->GetMediaType(&type) == S_OK && type != nullptr) {
    const HRESULT hr = OnMediaTypeChange(type);
    DeleteMediaType(type);
    if (FAILED(hr)) return hr;
  }
  TSampleTime time;
  REFERENCE_TIME stop = 0;
  time.Valid = SUCCEEDED(Sample->GetTime(&time.Start, &stop));
  if (time.Valid) time.Start = PresentationTime(time.Start, stop);
  SetWaitingSample(Sample);
  bool shown = false;
  if (State() == State_Paused && StepLeft_.load() == 0) {
    OnReceiveFirstSample(Sample);
    NoteShown(time);
    shown = true;
  }
  SetEvent(ReadyEvent_);
  HRESULT hr = S_OK;
  for (;;) {
    const TWait wait = WaitForRenderTime(time, shown || ShownValid_.load());
    if (wait == TWait::Show) {
      OnReceiveFirstSample(Sample);
      NoteShown(time);
      shown = true;
      continue;
    }
    if (wait == TWait::Render) {
      hr = DoRenderSample(Sample);
      NoteShown(time);
    }
    if (wait != TWait::Step || shown) break;
    const long left = RenderStepFrame(Sample, time, hr);
    if (left > 1) break;  // more to step: on to the next sample
    shown = left == 1;    // the last one is held as in pause
  }
  SetWaitingSample(nullptr);
  SendCompleteIfDue();
  return hr;
}

// Takes one frame of the step: renders it and, for the last one, tells the
// graph. Whoever brings the count to 0 (here, or CancelStep) sends the one
// event of the step.
long TBaseRenderer::RenderStepFrame(IMediaSample* Sample, const TSampleTime& Time, HRESULT& Result) {
  long left = StepLeft_.load();
  while (left > 0 && !StepLeft_.compare_exchange_weak(left, left - 1)) {
  }
  if (left <= 0) return 0;
  Result = DoRenderSample(Sample);
  NoteShown(Time);
  if (left == 1) NotifyEvent(EC_STEP_COMPLETE, FALSE, 0);
  return left;
}

void TBaseRenderer::CancelStep() {
  if (StepLeft_.exchange(0) > 0) NotifyEvent(EC_STEP_COMPLETE, TRUE, 0);
}

HRESULT TBaseRenderer::Step(long Count) {
  if (Count < 1) return E_INVALIDARG;
  TAutoLock lock(StateLock);
  if (State() != State_Paused) return VFW_E_NOT_PAUSED;
  if (!Input_.IsConnected()) return VFW_E_NOT_CONNECTED;
  if (EndOfStream_.load()) return VFW_E_SAMPLE_REJECTED_EOS;
  if (StepLeft_.exchange(Count) > 0) NotifyEvent(EC_STEP_COMPLETE, TRUE, 0);
  // The stream may have ended meanwhile; its end found no step to cancel.
  if (EndOfStream_.load() && StepLeft_.exchange(0) > 0) return VFW_E_SAMPLE_REJECTED_EOS;
  Wake();
  return S_OK;
}

void TBaseRenderer::NoteShown(const TSampleTime& Time) {
  if (!Time.Valid) return;
  const REFERENCE_TIME shown = Input_.SegmentStart() + REFERENCE_TIME(double(Time.Start) * Input_.SegmentRate());
  ShownTime_.store(shown);
  ShownValid_.store(true);
}

void TBaseRenderer::SegmentBegins(REFERENCE_TIME Start) {
  TAutoLock streaming(StreamingLock);
  if (IsStopped()) return;
  BegunAt_.store(Start);
  SegmentBegun_.store(true);
}

bool TBaseRenderer::ShownPosition(REFERENCE_TIME& Position) const {
  if (EndOfStream_.load()) return false;
  if (ShownValid_.load())
    Position = ShownTime_.load();
  else if (SegmentBegun_.load())
    Position = BegunAt_.load();
  else
    return false;
  return true;
}

TBaseRenderer::TSeeking::TSeeking(TBaseRenderer* Owner)
    : TSeekingPassThru(static_cast<IBaseFilter*>(Owner), &Owner->Input_), Owner_(Owner) {}

STDMETHODIMP TBaseRenderer::TSeeking::GetCurrentPosition(LONGLONG* Current) {
  if (Current == nullptr) return E_POINTER;
  if (Owner_->ShownValid_.load() && IsUsingTimeFormat(&TIME_FORMAT_MEDIA_TIME) == S_OK) {
    *Current = Owner_->ShownTime_.load();
    return S_OK;
  }
  return TSeekingPassThru::GetCurrentPosition(Current);
}

// Paused: wait for Run (or for a step), or show the sample first when
// nothing is on show. Running: wait for the clock to reach the sample's
// start. A state change or a flush wakes the thread to look again.
TBaseRenderer::TWait TBaseRenderer::WaitForRenderTime(const TSampleTime& Time, bool Shown) {
  IReferenceClock* clock = nullptr;
  DWORD_PTR cookie = 0;
  TWait outcome = TWait::Drop;
  for (;;) {
    const FILTER_STATE state = State();
    if (Abort_.load() || state == State_Stopped) break;
    if (state == State_Paused && StepLeft_.load() > 0) {
      outcome = TWait::Step;
      break;
    }
    if (state == State_Paused && !Shown) {
      outcome = TWait::Show;
      break;
    }
    if (state == State_Running && clock == nullptr) {
      clock = Clock();
      if (clock == nullptr || !Time.Valid) {
        clock = nullptr;
        outcome = TWait::Render;
        break;
      }
      ResetEvent(AdviseEvent_);
      if (FAILED(clock->AdviseTime(StartTime(), Time.Start, reinterpret_cast<HEVENT>(AdviseEvent_), &cookie))) {
        clock = nullptr;
        outcome = TWait::Render;
        break;
      }
    } else if (state == State_Paused && clock != nullptr) {
      clock->Unadvise(cookie);
      clock = nullptr;
    }
    HANDLE handles[2] = {WakeEvent_, AdviseEvent_};
    const DWORD result = WaitForMultipleObjects(clock != nullptr ? 2 : 1, handles, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 + 1) {
      clock = nullptr;
      if (!Abort_.load()) outcome = TWait::Render;
      break;
    }
  }
  if (clock != nullptr) clock->Unadvise(cookie);
  return outcome;
}

void TBaseRenderer::SendCompleteIfDue() {
  if (State() != State_Running || !EndOfStream_.load()) return;
  {
    TAutoLock lock(SampleLock_);
    if (Waiting_ != nullptr) return;
  }
  if (!CompleteSent_.exchange(true))
    NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

HRESULT TBaseRenderer::EndOfStream() {
  EndOfStream_.store(true);
  CancelStep();  // no frame is left to step to
  SetEvent(ReadyEvent_);
  SendCompleteIfDue();
  return S_OK;
}

HRESULT TBaseRenderer::BeginFlush() {
  CancelStep();
  Abort_.store(true);
  Wake();
  {
    TAutoLock streaming(StreamingLock);
    SetWaitingSample(nullptr);
    ShownValid_.store(false);
    SegmentBegun_.store(false);
  }
  if (State() == State_Paused) ResetEvent(ReadyEvent_);
  OnFlush();
  return S_OK;
}

HRESULT TBaseRenderer::EndFlush() {
  Abort_.store(false);
  EndOfStream_.store(false);
  CompleteSent_.store(false);
  return S_OK;
}

STDMETHODIMP TBaseRenderer::Stop() {
  TAutoLock lock(StateLock);
  CancelStep();
  Abort_.store(true);
  Wake();
  const HRESULT hr = TBaseFilter::Stop();
  {
    TAutoLock streaming(StreamingLock);
    SetWaitingSample(nullptr);
    ShownValid_.store(false);
    SegmentBegun_.store(false);
  }
  ResetEvent(ReadyEvent_);
  return hr;
}

STDMETHODIMP TBaseRenderer::Pause() {
  TAutoLock lock(StateLock);
  if (IsStopped()) {
    Abort_.store(false);
    EndOfStream_.store(false);
    CompleteSent_.store(false);
    ResetEvent(ReadyEvent_);
  } else if (State() == State_Running && !EndOfStream_.load()) {
    TAutoLock sample(SampleLock_);
    if (Waiting_ == nullptr) ResetEvent(ReadyEvent_);
  }
  const HRESULT hr = TBaseFilter::Pause();
  if (!Input_.IsConnected()) SetEvent(ReadyEvent_);
  Wake();
  return hr;
}

STDMETHODIMP TBaseRenderer::Run(REFERENCE_TIME Start) {
  TAutoLock lock(StateLock);
  CancelStep();
  const HRESULT hr = TBaseFilter::Run(Start);
  if (FAILED(hr)) return hr;
  SetEvent(ReadyEvent_);
  Wake();
  if (!Input_.IsConnected()) {
    // No stream will ever arrive: the graph must not wait for its end.
    NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
    return hr;
  }
  SendCompleteIfDue();
  return hr;
}

// A paused renderer is in an intermediate state until a sample or the end of
// the stream arrived.
STDMETHODIMP TBaseRenderer::GetState(DWORD Timeout, FILTER_STATE* State) {
  if (State == nullptr) return E_POINTER;
  *State = this->State();
  if (*State != State_Paused) return S_OK;
  return WaitForSingleObject(ReadyEvent_, Timeout) == WAIT_OBJECT_0 ? S_OK : VFW_S_STATE_INTERMEDIATE;
}
