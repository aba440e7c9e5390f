// TBaseInputPin: an input pin that receives samples through IMemInputPin.
//
// Connection calls run on the GUI thread under StateLock. Receive,
// ReceiveMultiple, EndOfStream and NewSegment arrive on the upstream
// filter's streaming thread; BeginFlush and EndFlush on the thread that
// flushes (usually the graph's worker during a seek). The default Receive only
// checks that the pin may stream; a derived pin (or its filter) does the
// work. A sample's attached media type is the derived filter's to judge.
#pragma once

#include <atomic>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/allocator.h"
#include "engine/filters/base_filter.h"
#include "engine/filters/pin.h"

class TBaseInputPin : public TBasePin, public IMemInputPin {
 public:
  TBaseInputPin(TBaseFilter* Filter, const wchar_t* Name);
  ~TBaseInputPin() override;

  // IUnknown (shared by IPin and IMemInputPin): delegated to the filter.
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPin, streaming control. The defaults keep the flags below.
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;

  // IMemInputPin
  STDMETHODIMP GetAllocator(IMemAllocator** Allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* Allocator, BOOL ReadOnly) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* Props) override;
  STDMETHODIMP Receive(IMediaSample* Sample) override;
  STDMETHODIMP ReceiveMultiple(IMediaSample** Samples, long Count, long* Processed) override;
  STDMETHODIMP ReceiveCanBlock() override;

  // TBasePin hooks: the pin becomes inactive by decommitting its allocator
  // (which releases a streaming thread waiting for a buffer).
  HRESULT Active() override;
  HRESULT Inactive() override;
  HRESULT BreakConnect() override;
  HRESULT CheckConnect(IPin* Peer) override;

  // S_OK when a sample may be received now: connected, not flushing, not at
  // the end of the stream, filter not stopped. Streaming thread.
  HRESULT CheckStreaming();
  bool IsFlushing() const { return Flushing_.load(); }
  bool EndOfStreamReached() const { return AtEndOfStream_.load(); }
  bool ReadOnly() const { return ReadOnly_; }
  // The allocator the upstream pin chose (not referenced), or nullptr.
  IMemAllocator* Allocator() const { return Allocator_; }
  // That allocator where it is the one this pin made, or nullptr.
  TMemAllocator* OwnAllocator() const { return Allocator_ != nullptr && Allocator_ == Own_ ? Own_ : nullptr; }

 protected:
  // Streaming thread: under the filter's StreamingLock, runs Work when the
  // pin may stream (else returns why not). No exception of the filter's code
  // leaves into the platform's thread: it becomes E_UNEXPECTED.
  template <class F>
  HRESULT Streaming(F Work) {
    TAutoLock lock(Filter_->StreamingLock);
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    try {
      return Work();
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  std::atomic<bool> Flushing_{false};
  std::atomic<bool> AtEndOfStream_{false};

 private:
  IMemAllocator* Allocator_ = nullptr;
  TMemAllocator* Own_ = nullptr;  // the allocator GetAllocator made, while Allocator_ is it
  bool ReadOnly_ = false;
};
