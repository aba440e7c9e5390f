// TDSAudioFilter: the in-place audio filter that sits in the audio path of
// every graph. It accepts PCM and floating-point audio only, hands every
// buffer to its owner's callback (IDSAudioProcessorCallBack) on the
// streaming thread, keeps a ring of recent audio for a visualisation, and
// can shift the samples' time stamps by a delay.
//
// Threads: connection and state calls on the GUI thread; Transform, the
// media-type check of a sample and the callbacks PCMData and
// MediaTypeChanged on the streaming thread; BeginFlush/EndFlush on the
// flushing thread. Locks: those of the filter base (engine/filters/locks.h).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/transform_in_place.h"

// The audio format and the current buffer length: seven 32-bit values.
// Float, SPDIF and DTS are 32-bit booleans, -1 for true.
struct TDSStream {
  int32_t Size;
  int32_t Frequency;
  int32_t Channels;
  int32_t Bits;
  int32_t Float;
  int32_t SPDIF;
  int32_t DTS;
};
using PDSStream = TDSStream*;
static_assert(sizeof(TDSStream) == 28, "seven 32-bit values");

struct IDSAudioProcessorCallBack;

// On the filter: the owner's callback, the stream record and the delay.
struct IDSAudioProcessorInterface : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetCallBack(IDSAudioProcessorCallBack* CallBack) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStream(PDSStream* Stream) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDelayEnabled(BOOL* Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDelayEnabled(BOOL Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDelay(int32_t* Milliseconds) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDelay(int32_t Milliseconds) = 0;
};

// On the filter: the ring of recent audio for a visualisation.
struct IDSAudioProcessorVisualInterface : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetVisualAfterDSP(BOOL* AfterDSP) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVisualAfterDSP(BOOL AfterDSP) = 0;
  // The 16,384 frames audible now; S_FALSE (nil, 0) when none can be given.
  // The frames are a copy that stays as it is until the next call.
  virtual HRESULT STDMETHODCALLTYPE GetVisualBuffer(void** Buffer, int32_t* Size, PDSStream* Stream) = 0;
};

// On the owner: what the filter tells it.
struct IDSAudioProcessorCallBack : public IUnknown {
  // Every PCM or float buffer (streaming thread); NewSize may shorten it.
  virtual HRESULT STDMETHODCALLTYPE PCMData(void* Buffer, int32_t Size, int32_t* NewSize, PDSStream Stream) = 0;
  virtual HRESULT STDMETHODCALLTYPE MediaTypeChanged(PDSStream Stream) = 0;
  // The stream breaks off: flushed (a seek while running or paused) or
  // stopped; the next buffer does not follow the last one.
  virtual HRESULT STDMETHODCALLTYPE Flush() = 0;
};

extern const IID IID_IDSAudioProcessorInterface;
extern const IID IID_IDSAudioProcessorVisualInterface;
extern const IID IID_IDSAudioProcessorCallBack;
extern const CLSID CLSID_DSAudioFilter;

class TDSAudioFilter : public TTransInPlaceFilter,
                       public IDSAudioProcessorInterface,
                       public IDSAudioProcessorVisualInterface {
 public:
  TDSAudioFilter();
  ~TDSAudioFilter() override;
  // The class-factory constructor: a new filter with one reference, or
  // nullptr with CLASS_E_NOAGGREGATION when an outer object is given.
  static TDSAudioFilter* CreateInstance(IUnknown* Outer, HRESULT* Result);

  LC_FILTER_UNKNOWN

  // IMediaFilter (GUI thread).
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME Start) override;

  // TTransInPlaceFilter hooks.
  HRESULT CheckInputType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT CheckTransform(const AM_MEDIA_TYPE* In, const AM_MEDIA_TYPE* Out) override;
  HRESULT DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) override;
  HRESULT CompleteConnect(PIN_DIRECTION Direction, IPin* ReceivePin) override;
  HRESULT EndOfStream() override;
  HRESULT BeginFlush() override;
  HRESULT EndFlush() override;
  HRESULT Transform(IMediaSample* Sample) override;

  // IDSAudioProcessorInterface
  STDMETHODIMP SetCallBack(IDSAudioProcessorCallBack* CallBack) override;
  STDMETHODIMP GetStream(PDSStream* Stream) override;
  STDMETHODIMP GetDelayEnabled(BOOL* Enabled) override;
  STDMETHODIMP SetDelayEnabled(BOOL Enabled) override;
  STDMETHODIMP GetDelay(int32_t* Milliseconds) override;
  STDMETHODIMP SetDelay(int32_t Milliseconds) override;
  // IDSAudioProcessorVisualInterface
  STDMETHODIMP GetVisualAfterDSP(BOOL* AfterDSP) override;
  STDMETHODIMP SetVisualAfterDSP(BOOL AfterDSP) override;
  STDMETHODIMP GetVisualBuffer(void** Buffer, int32_t* Size, PDSStream* Stream) override;

  // Whether the ring is kept at all (the owner's visual switch): while off
  // the ring is not written. GUI thread.
  void SetVisualsEnabled(bool Value) { VisualsEnabled_.store(Value); }
  // The current stream record (read-only view; streaming thread writes it).
  const TDSStream& Stream() const { return Stream_; }
  // Ring geometry as of the last SetupStream, in bytes.
  int RingCapacity() const { return RingCapacity_; }
  int MirrorLength() const { return MirrorLength_; }
  double TimePerByte() const { return TimePerByte_; }

 protected:
  HRESULT QueryFilterInterface(REFIID Iid, void** Object) override;

 private:
  int SetupStream();
  bool HasDvdNavigator();
  void WriteVisualRing(const BYTE* Data, int Length);
  void CopyIntoRing(int Offset, const BYTE* Data, int Length);
  HRESULT ReadVisualRing(REFERENCE_TIME Time, void** Buffer, int32_t* Size);
  void UpdateSampleTimes(IMediaSample* Sample, int Length);

  bool EndOfStreamReached_ = false;
  REFERENCE_TIME EndTime_ = 0;
  std::atomic<bool> DelayEnabled_{false};
  std::atomic<int32_t> Delay_{0};
  TDSStream SetupCopy_{};
  TDSStream NotifiedCopy_{};
  std::atomic<bool> Flushing_{false};
  std::atomic<bool> Running_{false};
  int MirrorLength_ = 0;
  TDSStream Stream_{};
  std::atomic<bool> TypeChanging_{false};
  std::atomic<bool> VisualAfterDSP_{false};
  std::atomic<bool> VisualsEnabled_{true};
  std::atomic<IDSAudioProcessorCallBack*> CallBack_{nullptr};
  // The ring and its geometry, written by the streaming thread, reset by a
  // flush or a stop and read by GetVisualBuffer, under RingLock_ (a leaf
  // lock, held only for the copy in or out).
  TCritSec RingLock_;
  std::unique_ptr<BYTE[]> VisualRing_;
  std::vector<BYTE> VisualCopy_;  // what GetVisualBuffer handed out
  int RingFill_ = 0;
  bool RingFilled_ = false;
  REFERENCE_TIME LastDuration_ = 0;
  REFERENCE_TIME LastStop_ = -1;
  REFERENCE_TIME OldestTime_ = -1;
  int RingCapacity_ = 0;
  int WritePosition_ = 0;
  double TimePerByte_ = 0;
  int FrameBytes_ = 0;
  bool FirstSample_ = true;
  bool ClockUnreliable_ = false;
};
