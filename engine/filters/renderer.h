// TBaseRenderer: a filter with one input pin that presents each sample at
// its time on the reference clock.
//
// A derived renderer gives CheckMediaType and DoRenderSample; the other
// hooks are optional.
// - Stopped: samples are refused. On an allocator of the renderer's own,
//   the streaming thread that brings one is held until the filter upstream
//   has stopped too (and decommitted it), at most a second: it does not
//   run on, making samples nobody takes, between the renderer's stop and
//   its own (a decoder would read on meanwhile).
// - Paused: the first sample received is kept (OnReceiveFirstSample shows
//   it) and the streaming thread waits with it, and so is a stream's first
//   sample that came while running and still waits for its time; the pause
//   is complete once a sample or the end of the stream arrived. The
//   renderer keeps that last sample while paused (LastSample, for
//   repainting).
// - Running: each sample waits until the clock reaches its time (stream
//   start + its presentation time: its start unless a derived renderer's
//   PresentationTime corrects it) and is then rendered; a sample without
//   a time, or a graph without a clock, renders at once.
// - The end of the stream sends EC_COMPLETE once the last sample was
//   rendered while running (or when the renderer is run after it arrived).
//   A renderer whose input is not connected sends it whenever it is run.
// - A flush (seek) or Stop drops the waiting sample and releases the
//   streaming thread; EndFlush starts a new stream.
// - Frame stepping (Step, only while paused): the next N samples after the
//   one on show are rendered at once, one after the other; the last of
//   them is then held as in pause and EC_STEP_COMPLETE (Param1 FALSE) is
//   sent. Stop, Run, a flush, the end of the stream or a new step cancel a
//   step that has not completed: EC_STEP_COMPLETE with Param1 TRUE.
// - The current position that the filter's IMediaSeeking reports is the
//   media time of the sample last shown (segment start + its presentation
//   time); before one was shown in this stream it is asked upstream.
// The filter exposes IMediaSeeking, passed to the pin upstream but for that
// current position, and IAMFilterMiscFlags (a renderer).
//
// Threads and locks: Stop/Pause/Run/GetState/Step on the control thread
// (base_filter.h) under StateLock; Receive and EndOfStream on the streaming
// thread under StreamingLock, which also covers DoRenderSample (never take
// StateLock there). The waiting sample is handed between threads under
// SampleLock, a leaf lock held only for a few instructions and never while
// calling out.
// The step count is an atomic handed between the two threads: the thread
// that brings it to 0 sends the step's one EC_STEP_COMPLETE.
#pragma once

#include <atomic>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/base_filter.h"
#include "engine/filters/input_pin.h"
#include "engine/filters/seeking_passthru.h"

class TBaseRenderer;

class TRendererInputPin : public TBaseInputPin {
 public:
  TRendererInputPin(TBaseRenderer* Renderer, const wchar_t* Name);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT CompleteConnect(IPin* ReceivePin) override;
  HRESULT BreakConnect() override;

  // One buffer for the sample in flight and one for each the renderer
  // keeps (TBaseRenderer::SamplesKept); the pin's own answer when none.
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* Props) override;
  STDMETHODIMP Receive(IMediaSample* Sample) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) override;
  // Leaves an allocator of the pin's own committed: the upstream filter
  // decommits it when it stops.
  HRESULT Inactive() override;

  // The segment of the samples now arriving (streaming thread).
  REFERENCE_TIME SegmentStart() const { return SegmentStart_; }
  double SegmentRate() const { return SegmentRate_; }

 private:
  // Waits while the renderer is stopped and an allocator of the pin's own
  // is still committed (streaming thread, no lock held).
  void HoldWhileStopped();

  TBaseRenderer* Owner_;
};

class TBaseRenderer : public TBaseFilter, public IAMFilterMiscFlags {
 public:
  TBaseRenderer(const CLSID& ClassId, const wchar_t* PinName);
  ~TBaseRenderer() override;

  // Required: S_OK when the renderer takes this type (GUI thread).
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) = 0;
  // Required: presents the sample (streaming thread, StreamingLock held).
  virtual HRESULT DoRenderSample(IMediaSample* Sample) = 0;

  // Optional hooks.
  // The connection type is set: GUI thread under StateLock at connection;
  // streaming thread when a sample brings a new type.
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType);
  // The connection is made / broken (GUI thread, StateLock held).
  virtual HRESULT CompleteConnect(IPin* ReceivePin);
  virtual HRESULT BreakConnect();
  // A sample arrived while paused: show it now (streaming thread).
  virtual void OnReceiveFirstSample(IMediaSample* Sample);
  // A sample brings a media type (streaming thread); default:
  // CheckMediaType, then SetMediaType. A failure refuses the sample.
  virtual HRESULT OnMediaTypeChange(const AM_MEDIA_TYPE* MediaType);
  // The stream was flushed, after the waiting sample was dropped
  // (flushing thread).
  virtual void OnFlush();
  // The time (stream time) at which to show a sample stamped Start ..
  // Stop; called once for each sample that arrives (streaming thread).
  // The default is Start.
  virtual REFERENCE_TIME PresentationTime(REFERENCE_TIME Start, REFERENCE_TIME Stop);
  // Samples the renderer may hold after presenting them (the frame on
  // show, until the next one, a flush or a stop); its pin asks the
  // upstream allocator for as many buffers more (any thread).
  virtual long SamplesKept() const { return 0; }

  LC_FILTER_UNKNOWN

  // Steps Count (>= 1) frames while paused (GUI thread). E_INVALIDARG for
  // Count < 1, VFW_E_NOT_PAUSED while stopped or running,
  // VFW_E_NOT_CONNECTED without input, VFW_E_SAMPLE_REJECTED_EOS once the
  // stream has ended. A step still under way is cancelled and replaced.
  HRESULT Step(long Count);
  // Frames still to be rendered by the current step; 0 when none.
  long StepFramesLeft() const { return StepLeft_.load(); }

  // IAMFilterMiscFlags
  STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

  // IMediaFilter (control thread).
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME Start) override;
  STDMETHODIMP GetState(DWORD Timeout, FILTER_STATE* State) override;

  int GetPinCount() override { return 1; }
  TBasePin* GetPin(int Index) override;
  TRendererInputPin* InputPin() { return &Input_; }

  // The sample kept while paused (referenced), or nullptr. Any thread.
  IMediaSample* LastSample();
  // Whether EC_COMPLETE was sent for the current stream.
  bool CompleteSent() const { return CompleteSent_.load(); }
  // The media time of the sample on show (segment start + presentation time),
  // what a picture renderer's window shows; before a sample of a stream
  // that has begun (its segment came) was shown, where the stream begins:
  // the picture on show stays until the stream's first sample comes, late
  // on a busy machine, and what follows the picture waits for it. False
  // after a flush or Stop until a new segment comes, and once the stream
  // has ended. Any thread.
  bool ShownPosition(REFERENCE_TIME& Position) const;

  // Called by the input pin (streaming thread, StreamingLock held).
  HRESULT Receive(IMediaSample* Sample);
  HRESULT EndOfStream();
  // Called by the input pin (flushing thread).
  HRESULT BeginFlush();
  HRESULT EndFlush();
  // A new segment begins at Start (streaming thread); one that comes while
  // stopped belongs to no stream yet.
  void SegmentBegins(REFERENCE_TIME Start);

 protected:
  HRESULT QueryFilterInterface(REFIID Iid, void** Object) override;

 private:
  class TSeeking : public TSeekingPassThru {
   public:
    explicit TSeeking(TBaseRenderer* Owner);
    STDMETHODIMP GetCurrentPosition(LONGLONG* Current) override;

   private:
    TBaseRenderer* Owner_;
  };
  enum class TWait { Render, Drop, Step, Show };
  // A sample's presentation time, when it has one.
  struct TSampleTime {
    bool Valid = false;
    REFERENCE_TIME Start = 0;
  };
  // Waits until the sample's time has come (Render), the wait was
  // abandoned by a stop or flush (Drop), or, while paused, a step asks for
  // the next frame (Step) or, with nothing on show (Shown false), the
  // sample is to be shown (Show). Streaming thread.
  TWait WaitForRenderTime(const TSampleTime& Time, bool Shown);
  // Renders a sample as a frame of the current step; returns the frames
  // the step had left before it (0: no step took it). Streaming thread.
  long RenderStepFrame(IMediaSample* Sample, const TSampleTime& Time, HRESULT& Result);
  // Ends a step that has not completed: EC_STEP_COMPLETE (cancelled).
  void CancelStep();
  // Notes the media time of a sample put on show (streaming thread).
  void NoteShown(const TSampleTime& Time);
  // Sends EC_COMPLETE when running, the stream ended and nothing waits.
  void SendCompleteIfDue();
  void SetWaitingSample(IMediaSample* Sample);
  void Wake() { SetEvent(WakeEvent_); }

  TRendererInputPin Input_;
  TSeeking Seeking_;
  TCritSec SampleLock_;
  IMediaSample* Waiting_ = nullptr;
  std::atomic<bool> Abort_{false};
  std::atomic<bool> EndOfStream_{false};
  std::atomic<bool> SegmentBegun_{false};  // a segment came since the last flush or Stop
  std::atomic<REFERENCE_TIME> BegunAt_{0};  // and where it begins
  std::atomic<bool> CompleteSent_{false};
  std::atomic<long> StepLeft_{0};
  std::atomic<bool> ShownValid_{false};
  std::atomic<REFERENCE_TIME> ShownTime_{0};
  HANDLE WakeEvent_;
  HANDLE AdviseEvent_;
  HANDLE ReadyEvent_;
};
