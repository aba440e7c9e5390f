// TMemAllocator: an IMemAllocator over plain memory.
//
// SetProperties and GetProperties are called at connection time on the GUI
// thread; Commit and Decommit when the owning pin becomes active or inactive
// (the control thread of base_filter.h, filter state lock held by the
// caller); GetBuffer on the
// streaming thread, where it blocks until a sample is free or the allocator
// is decommitted. The allocator has one internal lock of its own, a leaf:
// nothing else is taken while it is held.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/media_sample.h"

class TMemAllocator final : public IMemAllocator {
 public:
  // A new allocator with one reference held by the caller.
  static TMemAllocator* Create();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IMemAllocator
  STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* Request, ALLOCATOR_PROPERTIES* Actual) override;
  STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* Props) override;
  STDMETHODIMP Commit() override;
  STDMETHODIMP Decommit() override;
  STDMETHODIMP GetBuffer(IMediaSample** Sample, REFERENCE_TIME* Start, REFERENCE_TIME* Stop,
                         DWORD Flags) override;
  STDMETHODIMP ReleaseBuffer(IMediaSample* Sample) override;

  // Waits up to Ms milliseconds for a Decommit; whether the allocator is
  // decommitted. Any thread.
  bool WaitForDecommit(DWORD Ms);

 private:
  TMemAllocator() = default;
  ~TMemAllocator();
  // Frees the buffers once decommitted and every sample is back. Lock held.
  void FreeWhenIdle();

  std::atomic<ULONG> Refs_{1};
  std::mutex Lock_;
  std::condition_variable SampleFree_;
  ALLOCATOR_PROPERTIES Props_{};
  bool Committed_ = false;
  std::unique_ptr<BYTE[]> Memory_;
  std::vector<std::unique_ptr<TMediaSample>> Samples_;
  std::vector<TMediaSample*> Free_;
};
