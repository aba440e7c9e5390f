// TTransInPlaceFilter: a filter with one input and one output pin of the
// same media type that works on each sample in its own buffer.
//
// A derived filter gives CheckInputType and Transform; the other hooks are
// optional. Allocators: the input pin hands upstream the downstream pin's
// allocator when the output is connected, and the output pin offers the
// input's allocator downstream, so that one buffer travels the whole way.
// When the two ends use different allocators, or the upstream buffers are
// read-only and the filter modifies the data, each sample is copied into a
// buffer of the output allocator first.
//
// Threads: connection hooks on the GUI thread under StateLock; Receive,
// Transform, EndOfStream and NewSegment on the streaming thread under
// StreamingLock; BeginFlush/EndFlush on the flushing thread without either
// lock (BeginFlush unblocks the streaming thread, EndFlush then waits for
// it through StreamingLock); Stop/Pause/Run on the GUI thread.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "engine/filters/base_filter.h"
#include "engine/filters/input_pin.h"
#include "engine/filters/output_pin.h"
#include "engine/filters/seeking_passthru.h"

class TTransInPlaceFilter;

class TTransInPlaceInputPin : public TBaseInputPin {
 public:
  explicit TTransInPlaceInputPin(TTransInPlaceFilter* Filter);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* MediaType) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT CompleteConnect(IPin* ReceivePin) override;
  HRESULT BreakConnect() override;

  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** Enum) override;
  STDMETHODIMP GetAllocator(IMemAllocator** Allocator) override;
  STDMETHODIMP Receive(IMediaSample* Sample) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) override;

 private:
  TTransInPlaceFilter* Owner_;
};

class TTransInPlaceOutputPin : public TBaseOutputPin {
 public:
  explicit TTransInPlaceOutputPin(TTransInPlaceFilter* Filter);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* MediaType) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) override;
  HRESULT DecideAllocator(IMemInputPin* Input, IMemAllocator** Allocator) override;
  HRESULT CompleteConnect(IPin* ReceivePin) override;
  HRESULT BreakConnect() override;
  // IMediaSeeking, passed upstream through the input pin.
  HRESULT QueryPinInterface(REFIID Iid, void** Object) override;

 private:
  TTransInPlaceFilter* Owner_;
  TSeekingPassThru Seeking_;
};

class TTransInPlaceFilter : public TBaseFilter {
 public:
  // ModifiesData: Transform writes into the buffer, so read-only upstream
  // buffers are copied first.
  TTransInPlaceFilter(const CLSID& ClassId, bool ModifiesData);
  ~TTransInPlaceFilter() override;

  // Required: S_OK when the input can take this type (GUI thread at
  // connection, streaming thread when a sample brings a new type).
  virtual HRESULT CheckInputType(const AM_MEDIA_TYPE* MediaType) = 0;
  // Required: works on the sample in place (streaming thread). S_OK
  // delivers it, S_FALSE drops it, a failure is returned upstream.
  virtual HRESULT Transform(IMediaSample* Sample) = 0;

  // Optional hooks (GUI thread, StateLock held, unless said otherwise).
  // The output type must equal the input type; default: CheckInputType(In).
  virtual HRESULT CheckTransform(const AM_MEDIA_TYPE* In, const AM_MEDIA_TYPE* Out);
  // The output pin's types; default: the input type at position 0, its
  // major type alone at position 1.
  virtual HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* MediaType);
  // Sizes the output allocator; default: the upstream allocator's
  // properties, else one buffer of the input type's sample size.
  virtual HRESULT DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request);
  virtual HRESULT SetMediaType(PIN_DIRECTION Direction, const AM_MEDIA_TYPE* MediaType);
  virtual HRESULT CompleteConnect(PIN_DIRECTION Direction, IPin* ReceivePin);
  virtual HRESULT BreakConnect(PIN_DIRECTION Direction);
  // Streaming thread, StreamingLock held: the default passes the end of
  // the stream downstream.
  virtual HRESULT EndOfStream();
  // Flushing thread: the defaults pass the flush downstream.
  virtual HRESULT BeginFlush();
  virtual HRESULT EndFlush();
  // Streaming thread, StreamingLock held.
  virtual HRESULT NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate);
  // Streaming thread, StreamingLock held: copies when needed, calls
  // Transform and delivers.
  virtual HRESULT Receive(IMediaSample* Sample);

  // IMediaFilter: Stop also waits until the streaming thread has left.
  STDMETHODIMP Stop() override;

  int GetPinCount() override { return 2; }
  TBasePin* GetPin(int Index) override;
  TTransInPlaceInputPin* InputPin() { return &Input_; }
  TTransInPlaceOutputPin* OutputPin() { return &Output_; }

 protected:
  const bool ModifiesData_;

 private:
  // A copy of Source in a buffer of the output allocator (referenced).
  HRESULT CopySample(IMediaSample* Source, IMediaSample** Copy);
  bool UsesOutputAllocator() const;

  TTransInPlaceInputPin Input_;
  TTransInPlaceOutputPin Output_;
};
