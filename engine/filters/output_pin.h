// TBaseOutputPin: an output pin that delivers samples to an IMemInputPin.
//
// CompleteConnect (GUI thread, StateLock) runs the allocator negotiation:
// DecideAllocator asks the downstream pin for its allocator, sizes it with
// DecideBufferSize and tells the downstream pin which one is used; when the
// downstream pin has none, the pin's own TMemAllocator is used. Active
// commits the allocator and Inactive decommits it (the control thread of
// base_filter.h). The Deliver
// family runs on the streaming thread; DeliverBeginFlush and DeliverEndFlush
// on the flushing thread. A derived pin gives CheckMediaType and
// DecideBufferSize.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "engine/filters/pin.h"

class TBaseOutputPin : public TBasePin {
 public:
  TBaseOutputPin(TBaseFilter* Filter, const wchar_t* Name);
  ~TBaseOutputPin() override;

  // Required: sizes Allocator for this connection (SetProperties).
  virtual HRESULT DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) = 0;
  // Optional: chooses, sizes and notifies the allocator of the connection.
  virtual HRESULT DecideAllocator(IMemInputPin* Input, IMemAllocator** Allocator);

  // IPin: an output pin takes no stream control from upstream.
  STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
  STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

  // TBasePin hooks.
  HRESULT CheckConnect(IPin* Peer) override;
  HRESULT CompleteConnect(IPin* ReceivePin) override;
  HRESULT BreakConnect() override;
  HRESULT Active() override;
  HRESULT Inactive() override;

  // Streaming thread: an empty sample of the connection's allocator.
  HRESULT GetDeliveryBuffer(IMediaSample** Sample, REFERENCE_TIME* Start, REFERENCE_TIME* Stop,
                            DWORD Flags);
  HRESULT Deliver(IMediaSample* Sample);
  HRESULT DeliverEndOfStream();
  HRESULT DeliverNewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate);
  // Flushing thread.
  HRESULT DeliverBeginFlush();
  HRESULT DeliverEndFlush();

  // The connection's allocator and the downstream IMemInputPin (not
  // referenced), or nullptr while unconnected.
  IMemAllocator* Allocator() const { return Allocator_; }
  IMemInputPin* InputPin() const { return Input_; }

 protected:
  // Makes Allocator the connection's allocator (takes a reference).
  void SetAllocator(IMemAllocator* Allocator);

 private:
  IMemAllocator* Allocator_ = nullptr;
  IMemInputPin* Input_ = nullptr;
};
