#include "engine/filters/renderer.h"

#include "engine/filters/media_type.h"

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

STDMETHODIMP TRendererInputPin::Receive(IMediaSample* Sample) {
  if (Sample == nullptr) return E_POINTER;
  return Streaming([&] { return Owner_->Receive(Sample); });
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

STDMETHODIMP TRendererInputPin::EndFlush() {
  const HRESULT hr = Owner_->EndFlush();
  TBaseInputPin::EndFlush();
  return hr;
}

// ---- renderer --------------------------------------------------------------

TBaseRenderer::TBaseRenderer(const CLSID& ClassId, const wchar_t* PinName)
    : TBaseFilter(ClassId),
      Input_(this, PinName),
      Seeking_(static_cast<IBaseFilter*>(this), &Input_),
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

HRESULT TBaseRenderer::Receive(IMediaSample* Sample) {
  AM_MEDIA_TYPE* type = nullptr;
  if (Sample->GetMediaType(&type) == S_OK && type != nullptr) {
    const HRESULT hr = OnMediaTypeChange(type);
    DeleteMediaType(type);
    if (FAILED(hr)) return hr;
  }
  SetWaitingSample(Sample);
  if (State() == State_Paused) OnReceiveFirstSample(Sample);
  SetEvent(ReadyEvent_);
  HRESULT hr = S_OK;
  if (WaitForRenderTime(Sample)) hr = DoRenderSample(Sample);
  SetWaitingSample(nullptr);
  SendCompleteIfDue();
  return hr;
}

// Paused: wait for Run. Running: wait for the clock to reach the sample's
// start. A state change or a flush wakes the thread to look again.
bool TBaseRenderer::WaitForRenderTime(IMediaSample* Sample) {
  IReferenceClock* clock = nullptr;
  DWORD_PTR cookie = 0;
  bool due = false;
  for (;;) {
    const FILTER_STATE state = State();
    if (Abort_.load() || state == State_Stopped) break;
    if (state == State_Running && clock == nullptr) {
      REFERENCE_TIME start = 0, stop = 0;
      clock = Clock();
      if (clock == nullptr || FAILED(Sample->GetTime(&start, &stop))) {
        clock = nullptr;
        due = true;
        break;
      }
      ResetEvent(AdviseEvent_);
      if (FAILED(clock->AdviseTime(StartTime(), start, reinterpret_cast<HEVENT>(AdviseEvent_), &cookie))) {
        clock = nullptr;
        due = true;
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
      due = !Abort_.load();
      break;
    }
  }
  if (clock != nullptr) clock->Unadvise(cookie);
  return due;
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
  SetEvent(ReadyEvent_);
  SendCompleteIfDue();
  return S_OK;
}

HRESULT TBaseRenderer::BeginFlush() {
  Abort_.store(true);
  Wake();
  {
    TAutoLock streaming(StreamingLock);
    SetWaitingSample(nullptr);
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
  Abort_.store(true);
  Wake();
  const HRESULT hr = TBaseFilter::Stop();
  {
    TAutoLock streaming(StreamingLock);
    SetWaitingSample(nullptr);
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
  const HRESULT hr = TBaseFilter::Run(Start);
  if (FAILED(hr)) return hr;
  SetEvent(ReadyEvent_);
  Wake();
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
