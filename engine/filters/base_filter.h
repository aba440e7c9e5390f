// TBaseFilter: the IBaseFilter that every filter of this program derives
// from. A derived filter gives its pins (GetPinCount, GetPin); everything
// else has a working default.
//
// Threads and locks (see locks.h for the order):
// - The control thread is the one that calls a filter's state changes: in
//   the program the graph's worker (engine/graph/graph_worker.h), which
//   runs, pauses, stops and seeks the graph; it connects and disconnects
//   on the GUI thread, while the worker has nothing to do. One at a time.
// - StateLock guards the state, the clock, the graph and the pins'
//   connections. The control thread takes it in every
//   IBaseFilter/IMediaFilter call, and the graph builder takes it (through
//   the pins) while it connects.
// - StreamingLock serialises the streaming calls of the input pins
//   (Receive, EndOfStream, NewSegment). Stop takes it after the state lock,
//   once the pins are inactive, to wait for the streaming thread to leave.
// State, start time and clock are also readable without the lock from the
// streaming thread: the graph changes the clock only while stopped.
#pragma once

#include <atomic>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/locks.h"

class TBasePin;

class TBaseFilter : public IBaseFilter {
 public:
  explicit TBaseFilter(const CLSID& ClassId);
  virtual ~TBaseFilter();
  TBaseFilter(const TBaseFilter&) = delete;
  TBaseFilter& operator=(const TBaseFilter&) = delete;

  // Required: the pins, numbered from 0. Called with or without StateLock.
  virtual int GetPinCount() = 0;
  virtual TBasePin* GetPin(int Index) = 0;

  // IUnknown. The reference count covers the filter and its pins.
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPersist
  STDMETHODIMP GetClassID(CLSID* ClassId) override;

  // IMediaFilter (control thread). Stop makes the connected pins inactive,
  // Pause active (from stopped), Run starts from Pause.
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME Start) override;
  STDMETHODIMP GetState(DWORD Timeout, FILTER_STATE* State) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* Clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** Clock) override;

  // IBaseFilter (control thread)
  STDMETHODIMP EnumPins(IEnumPins** Enum) override;
  STDMETHODIMP FindPin(LPCWSTR Id, IPin** Pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* Info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* Graph, LPCWSTR Name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* Info) override;

  // The reference-clock time minus the stream start; VFW_E_NO_CLOCK without
  // a clock. Any thread.
  HRESULT StreamTime(REFERENCE_TIME& Time);
  // Sends an event to the graph's event sink; E_NOTIMPL outside a graph.
  // Any thread.
  HRESULT NotifyEvent(long Code, LONG_PTR Param1, LONG_PTR Param2);

  FILTER_STATE State() const { return State_.load(); }
  bool IsStopped() const { return State_.load() == State_Stopped; }
  REFERENCE_TIME StartTime() const { return Start_; }
  // The graph this filter is in (not referenced), or nullptr.
  IFilterGraph* Graph() const { return Graph_; }
  // The clock (not referenced), or nullptr.
  IReferenceClock* Clock() const { return Clock_; }

  TCritSec StateLock;
  TCritSec StreamingLock;

 protected:
  // Optional: further interfaces of a derived filter. Called by
  // QueryInterface after the base interfaces were not matched.
  virtual HRESULT QueryFilterInterface(REFIID Iid, void** Object);
  // Sets the state without the pin work (for derived Stop/Pause/Run).
  void SetState(FILTER_STATE Value) { State_.store(Value); }

 private:
  CLSID ClassId_;
  std::atomic<ULONG> Refs_{1};
  std::atomic<FILTER_STATE> State_{State_Stopped};
  REFERENCE_TIME Start_ = 0;
  IReferenceClock* Clock_ = nullptr;
  IFilterGraph* Graph_ = nullptr;
  IMediaEventSink* EventSink_ = nullptr;
  std::wstring Name_;
};

// Interfaces of a COM object that derives from TBaseFilter and adds
// interfaces of its own: every IUnknown base then reaches the filter's.
#define LC_FILTER_UNKNOWN                                                                 \
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override {                      \
    return TBaseFilter::QueryInterface(Iid, Object);                                     \
  }                                                                                       \
  STDMETHODIMP_(ULONG) AddRef() override { return TBaseFilter::AddRef(); }               \
  STDMETHODIMP_(ULONG) Release() override { return TBaseFilter::Release(); }
