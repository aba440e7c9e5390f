#include "engine/filters/allocator.h"

#include <chrono>

TMemAllocator* TMemAllocator::Create() { return new TMemAllocator(); }

TMemAllocator::~TMemAllocator() = default;

STDMETHODIMP TMemAllocator::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IMemAllocator) {
    *Object = static_cast<IMemAllocator*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TMemAllocator::AddRef() { return ++Refs_; }

STDMETHODIMP_(ULONG) TMemAllocator::Release() {
  const ULONG refs = --Refs_;
  if (refs == 0) delete this;
  return refs;
}

// The properties can change only while nothing is committed or handed out.
STDMETHODIMP TMemAllocator::SetProperties(ALLOCATOR_PROPERTIES* Request, ALLOCATOR_PROPERTIES* Actual) {
  if (Request == nullptr || Actual == nullptr) return E_POINTER;
  std::lock_guard<std::mutex> lock(Lock_);
  if (Committed_) return VFW_E_ALREADY_COMMITTED;
  if (Free_.size() != Samples_.size()) return VFW_E_BUFFERS_OUTSTANDING;
  if (Request->cBuffers <= 0 || Request->cbBuffer <= 0 || Request->cbAlign < 0 || Request->cbPrefix < 0)
    return E_INVALIDARG;
  const long align = Request->cbAlign == 0 ? 1 : Request->cbAlign;
  if ((align & (align - 1)) != 0) return VFW_E_BADALIGN;
  Props_ = *Request;
  Props_.cbAlign = align;
  // Each buffer (prefix included) starts on an aligned boundary.
  const long whole = (Props_.cbBuffer + Props_.cbPrefix + align - 1) / align * align;
  Props_.cbBuffer = whole - Props_.cbPrefix;
  *Actual = Props_;
  return S_OK;
}

STDMETHODIMP TMemAllocator::GetProperties(ALLOCATOR_PROPERTIES* Props) {
  if (Props == nullptr) return E_POINTER;
  std::lock_guard<std::mutex> lock(Lock_);
  *Props = Props_;
  return S_OK;
}

STDMETHODIMP TMemAllocator::Commit() {
  std::lock_guard<std::mutex> lock(Lock_);
  if (Props_.cBuffers <= 0) return VFW_E_SIZENOTSET;
  Committed_ = true;
  if (!Samples_.empty()) return S_OK;  // still allocated from before
  const size_t whole = static_cast<size_t>(Props_.cbBuffer + Props_.cbPrefix);
  Memory_.reset(new (std::nothrow) BYTE[whole * Props_.cBuffers + Props_.cbAlign]);
  if (!Memory_) {
    Committed_ = false;
    return E_OUTOFMEMORY;
  }
  auto base = reinterpret_cast<uintptr_t>(Memory_.get());
  base = (base + Props_.cbAlign - 1) / Props_.cbAlign * Props_.cbAlign;
  for (long i = 0; i < Props_.cBuffers; ++i) {
    BYTE* buffer = reinterpret_cast<BYTE*>(base) + whole * i + Props_.cbPrefix;
    Samples_.push_back(std::make_unique<TMediaSample>(this, buffer, Props_.cbBuffer));
    Free_.push_back(Samples_.back().get());
  }
  return S_OK;
}

// Wakes every thread waiting in GetBuffer; the memory goes once every
// sample is back.
STDMETHODIMP TMemAllocator::Decommit() {
  {
    std::lock_guard<std::mutex> lock(Lock_);
    Committed_ = false;
    FreeWhenIdle();
  }
  SampleFree_.notify_all();
  return S_OK;
}

bool TMemAllocator::WaitForDecommit(DWORD Ms) {
  std::unique_lock<std::mutex> lock(Lock_);
  return SampleFree_.wait_for(lock, std::chrono::milliseconds(Ms), [this] { return !Committed_; });
}

void TMemAllocator::FreeWhenIdle() {
  if (Committed_ || Free_.size() != Samples_.size()) return;
  Free_.clear();
  Samples_.clear();
  Memory_.reset();
}

STDMETHODIMP TMemAllocator::GetBuffer(IMediaSample** Sample, REFERENCE_TIME*, REFERENCE_TIME*, DWORD Flags) {
  if (Sample == nullptr) return E_POINTER;
  *Sample = nullptr;
  std::unique_lock<std::mutex> lock(Lock_);
  for (;;) {
    if (!Committed_) return VFW_E_NOT_COMMITTED;
    if (!Free_.empty()) break;
    if (Flags & AM_GBF_NOWAIT) return VFW_E_TIMEOUT;
    SampleFree_.wait(lock);
  }
  TMediaSample* sample = Free_.back();
  Free_.pop_back();
  sample->Reset();
  *Sample = sample;
  // An outstanding sample keeps its allocator alive.
  AddRef();
  return S_OK;
}

STDMETHODIMP TMemAllocator::ReleaseBuffer(IMediaSample* Sample) {
  if (Sample == nullptr) return E_POINTER;
  {
    std::lock_guard<std::mutex> lock(Lock_);
    Free_.push_back(static_cast<TMediaSample*>(Sample));
    FreeWhenIdle();
  }
  SampleFree_.notify_one();
  Release();
  return S_OK;
}
