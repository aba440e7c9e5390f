#include "engine/dsp/audio_processor.h"

#include <cstring>
#include <map>

#include "engine/filters/com_helpers.h"

namespace {
// The timers of the components, by timer id (GUI thread only).
std::map<UINT_PTR, TDSAudioProcessor*>& Timers() {
  static std::map<UINT_PTR, TDSAudioProcessor*> timers;
  return timers;
}
}  // namespace

TDSAudioProcessor::TDSAudioProcessor(const std::wstring& Name) : Name(Name) { CreateFilter(); }

// The filter may outlive the component inside a graph: it is told to
// forget the callback first.
TDSAudioProcessor::~TDSAudioProcessor() {
  VisualEnabled_ = false;
  UpdateTimer();
  SetFilterGraph(nullptr);
  ReleaseFilter();
}

void TDSAudioProcessor::CreateFilter() {
  Filter_ = new TDSAudioFilter();
  Filter_->SetVisualsEnabled(VisualEnabled_);
  Filter_->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&BaseFilter_));
  Filter_->QueryInterface(IID_IDSAudioProcessorInterface, reinterpret_cast<void**>(&Control_));
  Filter_->QueryInterface(IID_IDSAudioProcessorVisualInterface, reinterpret_cast<void**>(&Visual_));
}

// Takes the lock, so that no callback of the filter runs on after it.
void TDSAudioProcessor::ReleaseFilter() {
  {
    TAutoLock lock(Lock_);
    if (Control_ != nullptr) Control_->SetCallBack(nullptr);
  }
  ReleaseAndNil(Control_);
  ReleaseAndNil(Visual_);
  ReleaseAndNil(BaseFilter_);
  ReleaseAndNil(Filter_);
}

// A graph that did not let go keeps the filter: the next graph gets a new
// one with the same delay (the visual settings follow when it is added).
void TDSAudioProcessor::RenewFilter() {
  const bool delayEnabled = DelayEnabled();
  const int delay = Delay();
  ReleaseFilter();
  CreateFilter();
  SetDelayEnabled(delayEnabled);
  SetDelay(delay);
}

void TDSAudioProcessor::SetVisualEnabled(bool Value) {
  VisualEnabled_ = Value;
  Filter_->SetVisualsEnabled(Value);
  UpdateTimer();
}

void TDSAudioProcessor::SetVisualInterval(uint16_t Milliseconds) {
  VisualInterval_ = Milliseconds;
  UpdateTimer();
}

void TDSAudioProcessor::UpdateTimer() {
  if (Timer_ != 0) {
    KillTimer(nullptr, Timer_);
    Timers().erase(Timer_);
    Timer_ = 0;
  }
  if (!VisualEnabled_ || VisualInterval_ == 0) return;
  Timer_ = SetTimer(nullptr, 0, VisualInterval_, TimerProc);
  if (Timer_ != 0) Timers()[Timer_] = this;
}

void CALLBACK TDSAudioProcessor::TimerProc(HWND, UINT, UINT_PTR Id, DWORD) {
  const auto found = Timers().find(Id);
  if (found != Timers().end()) found->second->VisualTimerTimer();
}

void TDSAudioProcessor::SetVisualAfterDSP(bool Value) {
  VisualAfterDSP_ = Value;
  if (Visual_ != nullptr) Visual_->SetVisualAfterDSP(Value);
}

bool TDSAudioProcessor::DelayEnabled() const {
  BOOL enabled = FALSE;
  if (Control_ != nullptr) Control_->GetDelayEnabled(&enabled);
  return enabled != FALSE;
}

void TDSAudioProcessor::SetDelayEnabled(bool Value) {
  if (Control_ != nullptr) Control_->SetDelayEnabled(Value);
}

int TDSAudioProcessor::Delay() const {
  int32_t delay = 0;
  if (Control_ != nullptr) Control_->GetDelay(&delay);
  return delay;
}

void TDSAudioProcessor::SetDelay(int Milliseconds) {
  if (Control_ != nullptr) Control_->SetDelay(Milliseconds);
}

void TDSAudioProcessor::SetFilterGraph(TFilterGraph* Value) {
  if (Value == FilterGraph_) return;
  if (FilterGraph_ != nullptr) FilterGraph_->RemoveFilter(this);
  if (Value != nullptr) Value->InsertFilter(this);
  FilterGraph_ = Value;
}

IBaseFilter* TDSAudioProcessor::GetFilter() { return BaseFilter_; }

void TDSAudioProcessor::NotifyFilter(int Operation, int) {
  if (Operation == foAdded) InstallCallbacks();
  if (Operation == foRemoving && BaseFilter_ != nullptr) BaseFilter_->Stop();
  if (Operation == foLeft) RenewFilter();
}

void TDSAudioProcessor::InstallCallbacks() {
  if (Control_ != nullptr) Control_->SetCallBack(this);
  if (Visual_ != nullptr) Visual_->SetVisualAfterDSP(VisualAfterDSP_);
}

STDMETHODIMP TDSAudioProcessor::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IDSAudioProcessorCallBack) {
    *Object = static_cast<IDSAudioProcessorCallBack*>(this);
    return S_OK;
  }
  *Object = nullptr;
  return BaseFilter_ != nullptr ? BaseFilter_->QueryInterface(Iid, Object) : E_NOINTERFACE;
}

STDMETHODIMP TDSAudioProcessor::PCMData(void* Buffer, int32_t Size, int32_t* NewSize, PDSStream Stream) {
  *NewSize = Size;
  if (!OnPCMData || !DSPEnabled_.load()) return S_OK;
  TAutoLock lock(Lock_);
  const auto* bytes = static_cast<const uint8_t*>(Buffer);
  Backup_.assign(bytes, bytes + Size);
  int size = Size;
  try {
    OnPCMData(this, Buffer, Size, size, Stream);
    *NewSize = size;
  } catch (...) {
    std::memcpy(Buffer, Backup_.data(), static_cast<size_t>(Size));
    *NewSize = Size;
    Report(std::current_exception());
  }
  return S_OK;
}

STDMETHODIMP TDSAudioProcessor::MediaTypeChanged(PDSStream Stream) {
  try {
    if (OnMediaTypeChanged) OnMediaTypeChanged(this, Stream);
  } catch (...) {
    Report(std::current_exception());
  }
  return S_OK;
}

// Takes the lock, so that a flush never clears the processing chain's
// memory while a buffer is being processed.
STDMETHODIMP TDSAudioProcessor::Flush() {
  if (!OnFlush) return S_OK;
  TAutoLock lock(Lock_);
  try {
    OnFlush(this);
  } catch (...) {
    Report(std::current_exception());
  }
  return S_OK;
}

void TDSAudioProcessor::Report(std::exception_ptr Error) {
  if (FilterGraph_ != nullptr) FilterGraph_->PostException(std::move(Error));
}

void TDSAudioProcessor::VisualTimerTimer() {
  if (Visual_ == nullptr || !OnVisualData) return;
  void* buffer = nullptr;
  int32_t size = 0;
  PDSStream stream = nullptr;
  if (Visual_->GetVisualBuffer(&buffer, &size, &stream) == S_OK) OnVisualData(this, buffer, size, stream);
}
