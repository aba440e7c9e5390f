// TDSAudioProcessor: the component that owns the audio filter, registers
// it with the graph component (its filter joins every graph) and turns the
// filter's calls into events.
//
// Threads: the properties and the visual timer on the GUI thread; OnPCMData
// and OnMediaTypeChanged on the streaming thread of the audio path; OnFlush
// on the thread that flushes the stream, and on the GUI thread when the
// graph stops (the stream starts afresh then too). The component's lock
// serialises OnPCMData and OnFlush with each other; the GUI thread changes
// the processing parameters without it.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "engine/dsp/audio_filter.h"
#include "engine/filters/locks.h"
#include "engine/graph/filter_graph.h"

class TDSAudioProcessor;

using TPCMNotifyEvent =
    std::function<void(TDSAudioProcessor* Sender, void* Buffer, int Size, int& NewSize, PDSStream Stream)>;
using TVisualNotifyEvent = std::function<void(TDSAudioProcessor* Sender, void* Buffer, int Size, PDSStream Stream)>;
using TMediaTypeNotifyEvent = std::function<void(TDSAudioProcessor* Sender, PDSStream Stream)>;
using TAudioNotifyEvent = std::function<void(TDSAudioProcessor* Sender)>;

class TDSAudioProcessor : public IDSAudioProcessorCallBack, public IFilterComponent {
 public:
  // Creates the filter (named after Name) and the visual timer (off).
  explicit TDSAudioProcessor(const std::wstring& Name = L"DSAudioProcessor");
  virtual ~TDSAudioProcessor();
  TDSAudioProcessor(const TDSAudioProcessor&) = delete;
  TDSAudioProcessor& operator=(const TDSAudioProcessor&) = delete;

  std::wstring Name;

  // Starts or stops the visual timer; the filter keeps its ring only while
  // on.
  bool VisualEnabled() const { return VisualEnabled_; }
  void SetVisualEnabled(bool Value);
  uint16_t VisualInterval() const { return VisualInterval_; }
  void SetVisualInterval(uint16_t Milliseconds);
  bool VisualAfterDSP() const { return VisualAfterDSP_; }
  void SetVisualAfterDSP(bool Value);
  // Gates OnPCMData. Any thread.
  bool DSPEnabled() const { return DSPEnabled_.load(); }
  void SetDSPEnabled(bool Value) { DSPEnabled_.store(Value); }
  bool DelayEnabled() const;
  void SetDelayEnabled(bool Value);
  int Delay() const;
  void SetDelay(int Milliseconds);
  // Unregisters from the old graph component, registers with the new one.
  TFilterGraph* FilterGraph() const { return FilterGraph_; }
  void SetFilterGraph(TFilterGraph* Value);

  TVisualNotifyEvent OnVisualData;
  TPCMNotifyEvent OnPCMData;
  TMediaTypeNotifyEvent OnMediaTypeChanged;
  TAudioNotifyEvent OnFlush;

  // The filter object (the component holds a reference): a new one after
  // a graph was left with the old one in it (foLeft).
  TDSAudioFilter* Filter() const { return Filter_; }

  // IFilterComponent
  IBaseFilter* GetFilter() override;
  std::wstring GetName() override { return Name; }
  void NotifyFilter(int Operation, int Param) override;

  // IUnknown: the component's own interfaces, then every interface of the
  // filter. Not reference counted: the component is owned by its form.
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  // IDSAudioProcessorCallBack. PCMData runs OnPCMData under the lock; an
  // exception of a handler leaves the buffer as it came (whatever the
  // handler had changed is undone) and goes to the graph component's
  // exception route, to be reported on the GUI thread.
  STDMETHODIMP PCMData(void* Buffer, int32_t Size, int32_t* NewSize, PDSStream Stream) override;
  STDMETHODIMP MediaTypeChanged(PDSStream Stream) override;
  STDMETHODIMP Flush() override;

  // GUI thread, every VisualInterval ms while VisualEnabled.
  void VisualTimerTimer();

 private:
  void CreateFilter();
  void ReleaseFilter();
  void RenewFilter();
  void InstallCallbacks();
  // Hands a handler's exception to the graph component (PostException).
  void Report(std::exception_ptr Error);
  void UpdateTimer();
  static void CALLBACK TimerProc(HWND Window, UINT Message, UINT_PTR Id, DWORD Time);

  TDSAudioFilter* Filter_ = nullptr;
  IDSAudioProcessorInterface* Control_ = nullptr;
  IDSAudioProcessorVisualInterface* Visual_ = nullptr;
  IBaseFilter* BaseFilter_ = nullptr;
  bool VisualEnabled_ = false;
  uint16_t VisualInterval_ = 40;
  bool VisualAfterDSP_ = false;
  std::atomic<bool> DSPEnabled_{false};
  TFilterGraph* FilterGraph_ = nullptr;
  TCritSec Lock_;
  std::vector<uint8_t> Backup_;  // the buffer as it came, under Lock_
  UINT_PTR Timer_ = 0;
};
