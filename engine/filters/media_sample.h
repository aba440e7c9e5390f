// TMediaSample: one buffer of a TMemAllocator with its times and flags.
//
// A sample is handed out by TMemAllocator::GetBuffer with one reference;
// when its last reference goes it returns to its allocator. Any thread may
// call it; a sample is used by one thread at a time (the one that holds it).
#pragma once

#include <atomic>

#include <windows.h>
#include <dshow.h>

class TMemAllocator;

class TMediaSample : public IMediaSample {
 public:
  TMediaSample(TMemAllocator* Allocator, BYTE* Buffer, LONG Size);
  ~TMediaSample();
  TMediaSample(const TMediaSample&) = delete;
  TMediaSample& operator=(const TMediaSample&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IMediaSample
  STDMETHODIMP GetPointer(BYTE** Buffer) override;
  STDMETHODIMP_(LONG) GetSize() override;
  STDMETHODIMP GetTime(REFERENCE_TIME* Start, REFERENCE_TIME* Stop) override;
  STDMETHODIMP SetTime(REFERENCE_TIME* Start, REFERENCE_TIME* Stop) override;
  STDMETHODIMP IsSyncPoint() override;
  STDMETHODIMP SetSyncPoint(BOOL Value) override;
  STDMETHODIMP IsPreroll() override;
  STDMETHODIMP SetPreroll(BOOL Value) override;
  STDMETHODIMP_(LONG) GetActualDataLength() override;
  STDMETHODIMP SetActualDataLength(LONG Length) override;
  STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** MediaType) override;
  STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* MediaType) override;
  STDMETHODIMP IsDiscontinuity() override;
  STDMETHODIMP SetDiscontinuity(BOOL Value) override;
  STDMETHODIMP GetMediaTime(LONGLONG* Start, LONGLONG* Stop) override;
  STDMETHODIMP SetMediaTime(LONGLONG* Start, LONGLONG* Stop) override;

  // For the allocator: clears times, flags, length and attached type before
  // the sample is handed out again, and gives it its first reference.
  void Reset();

 private:
  TMemAllocator* Allocator_;
  BYTE* Buffer_;
  LONG Size_;
  std::atomic<ULONG> Refs_{0};
  LONG Actual_ = 0;
  REFERENCE_TIME Start_ = 0, Stop_ = 0;
  LONGLONG MediaStart_ = 0, MediaStop_ = 0;
  bool TimeValid_ = false, StopValid_ = false, MediaTimeValid_ = false;
  bool SyncPoint_ = false, Preroll_ = false, Discontinuity_ = false;
  AM_MEDIA_TYPE* MediaType_ = nullptr;
};
