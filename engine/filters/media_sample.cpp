#include "engine/filters/media_sample.h"

#include "engine/filters/allocator.h"
#include "engine/filters/media_type.h"

TMediaSample::TMediaSample(TMemAllocator* Allocator, BYTE* Buffer, LONG Size)
    : Allocator_(Allocator), Buffer_(Buffer), Size_(Size) {}

TMediaSample::~TMediaSample() { DeleteMediaType(MediaType_); }

void TMediaSample::Reset() {
  Actual_ = 0;
  TimeValid_ = StopValid_ = MediaTimeValid_ = false;
  SyncPoint_ = Preroll_ = Discontinuity_ = false;
  DeleteMediaType(MediaType_);
  MediaType_ = nullptr;
  Refs_.store(1);
}

STDMETHODIMP TMediaSample::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IMediaSample) {
    *Object = static_cast<IMediaSample*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TMediaSample::AddRef() { return ++Refs_; }

// The last reference hands the sample back to its allocator.
STDMETHODIMP_(ULONG) TMediaSample::Release() {
  const ULONG refs = --Refs_;
  if (refs == 0) Allocator_->ReleaseBuffer(this);
  return refs;
}

STDMETHODIMP TMediaSample::GetPointer(BYTE** Buffer) {
  if (Buffer == nullptr) return E_POINTER;
  *Buffer = Buffer_;
  return S_OK;
}

STDMETHODIMP_(LONG) TMediaSample::GetSize() { return Size_; }

STDMETHODIMP TMediaSample::GetTime(REFERENCE_TIME* Start, REFERENCE_TIME* Stop) {
  if (!TimeValid_) return VFW_E_SAMPLE_TIME_NOT_SET;
  if (Start == nullptr || Stop == nullptr) return E_POINTER;
  *Start = Start_;
  *Stop = StopValid_ ? Stop_ : Start_ + 1;
  return StopValid_ ? S_OK : VFW_S_NO_STOP_TIME;
}

STDMETHODIMP TMediaSample::SetTime(REFERENCE_TIME* Start, REFERENCE_TIME* Stop) {
  TimeValid_ = Start != nullptr;
  StopValid_ = TimeValid_ && Stop != nullptr;
  if (TimeValid_) Start_ = *Start;
  if (StopValid_) Stop_ = *Stop;
  return S_OK;
}

STDMETHODIMP TMediaSample::IsSyncPoint() { return SyncPoint_ ? S_OK : S_FALSE; }
STDMETHODIMP TMediaSample::SetSyncPoint(BOOL Value) {
  SyncPoint_ = Value != FALSE;
  return S_OK;
}
STDMETHODIMP TMediaSample::IsPreroll() { return Preroll_ ? S_OK : S_FALSE; }
STDMETHODIMP TMediaSample::SetPreroll(BOOL Value) {
  Preroll_ = Value != FALSE;
  return S_OK;
}
STDMETHODIMP_(LONG) TMediaSample::GetActualDataLength() { return Actual_; }

STDMETHODIMP TMediaSample::SetActualDataLength(LONG Length) {
  if (Length < 0 || Length > Size_) return VFW_E_BUFFER_OVERFLOW;
  Actual_ = Length;
  return S_OK;
}

STDMETHODIMP TMediaSample::GetMediaType(AM_MEDIA_TYPE** MediaType) {
  if (MediaType == nullptr) return E_POINTER;
  *MediaType = nullptr;
  if (MediaType_ == nullptr) return S_FALSE;
  *MediaType = CreateMediaType(MediaType_);
  return *MediaType ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TMediaSample::SetMediaType(AM_MEDIA_TYPE* MediaType) {
  DeleteMediaType(MediaType_);
  MediaType_ = nullptr;
  if (MediaType == nullptr) return S_OK;
  MediaType_ = CreateMediaType(MediaType);
  return MediaType_ ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TMediaSample::IsDiscontinuity() { return Discontinuity_ ? S_OK : S_FALSE; }
STDMETHODIMP TMediaSample::SetDiscontinuity(BOOL Value) {
  Discontinuity_ = Value != FALSE;
  return S_OK;
}

STDMETHODIMP TMediaSample::GetMediaTime(LONGLONG* Start, LONGLONG* Stop) {
  if (!MediaTimeValid_) return VFW_E_MEDIA_TIME_NOT_SET;
  if (Start == nullptr || Stop == nullptr) return E_POINTER;
  *Start = MediaStart_;
  *Stop = MediaStop_;
  return S_OK;
}

STDMETHODIMP TMediaSample::SetMediaTime(LONGLONG* Start, LONGLONG* Stop) {
  MediaTimeValid_ = Start != nullptr && Stop != nullptr;
  if (MediaTimeValid_) {
    MediaStart_ = *Start;
    MediaStop_ = *Stop;
  }
  return S_OK;
}
