// TFilterGraph: the graph component. It owns the platform's filter graph
// while Active, adds the filters of the registered components to every
// graph it builds, renders files, runs, pauses and stops the graph, holds
// volume, balance and rate, and turns the graph's event notifications into
// its events (filter_graph_events.h) on the GUI thread.
//
// The component is used on the GUI thread: the hidden event window
// receives the platform's notification message, and the graph builder's
// callbacks run inside RenderFile. The calls that can wait on the
// platform's media stack (run, pause, stop, seek, and volume, balance and
// rate while those are under way) are made by the graph's worker thread
// (graph_worker.h), which the GUI thread only asks; while it is busy the
// position, and the length, are answered from what the component keeps.
// The GUI thread waits for the worker only for a bounded time (before the
// graph is emptied or released). The graph's last release runs on a thread
// of its own (Deactivate), when nothing of the component's is left in the
// graph, and so does the walk over a long fragmented MP4 (TFragmentsWalk),
// which posts its end to the event window.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/filter_graph_events.h"
#include "engine/graph/graph_component.h"
#include "engine/graph/graph_worker.h"
#include "engine/graph/movie_file_timing.h"
#include "engine/graph/movie_start.h"
#include "framework/messages.h"

// The service under which the graph hands out its graph component to a
// callback that only knows a pin: {AD9AE9B1-A42A-49A1-AC7E-7404B0D3370D}.
extern const GUID GraphComponentService;

// The graph's filter-graph callback with the platform's documented calling
// convention (the toolchain's declaration lacks it).
struct IFilterGraphCallbackStd : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE UnableToRender(IPin* Pin) = 0;
};
extern const IID IID_IAMFilterGraphCallbackStd;

enum class TGraphMode { gmNormal, gmCapture, gmDVD };

class TFilterGraph : public TGraphEvents,
                     public IServiceProvider,
                     public IAMGraphBuilderCallback,
                     public IFilterGraphCallbackStd {
 public:
  TFilterGraph();
  virtual ~TFilterGraph();
  TFilterGraph(const TFilterGraph&) = delete;
  TFilterGraph& operator=(const TFilterGraph&) = delete;

  // The owner's form was loaded: activates when AutoCreate is set.
  void Loaded();

  bool Active() const { return Active_; }
  // Runs the activation or deactivation sequence; nothing when unchanged.
  void SetActive(bool Value);
  bool AutoCreate = false;
  TGraphMode Mode() const { return Mode_; }
  // Rebuilds an active graph as the new kind.
  void SetMode(TGraphMode Value);
  bool GraphEdit() const { return GraphEdit_; }
  void SetGraphEdit(bool Value);
  // On: volume and balance pass through the logarithmic mappings.
  bool LinearVolume() const { return LinearVolume_; }
  void SetLinearVolume(bool Value);
  const std::wstring& LogFile() const { return LogFile_; }
  void SetLogFile(const std::wstring& Value);

  // 0..10000 (clamped), stored even without a graph; applied at once when
  // the graph has audio, and after every render.
  int Volume() const { return Volume_; }
  void SetVolume(int Value);
  // -10000..10000 (clamped).
  int Balance() const { return Balance_; }
  void SetBalance(int Value);
  double Rate() const { return Rate_; }
  void SetRate(double Value);

  // Registration of components; see graph_component.h.
  void InsertFilter(IFilterComponent* Component);
  void RemoveFilter(IFilterComponent* Component);
  void InsertEventSink(IGraphEventSink* Sink);
  void RemoveEventSink(IGraphEventSink* Sink);

  // Renders the file into the graph. Without a graph: 1. A failure
  // deactivates the graph and shows the error text with its code
  // (ShowGraphMessage); nothing is raised. The result is returned.
  HRESULT RenderFile(const std::wstring& FileName);
  // The media time (100 ns) at which the rendered file's picture starts in
  // the time stamps its samples carry: an MP4's edit list start, which the
  // platform's parser here does not apply (engine/graph/movie_start.h).
  // The same however the movie is then played or sought; 0 for other files.
  REFERENCE_TIME PictureStart() const { return PictureStart_; }
  // Where the rendered AVI's key frames lie and how far ahead of their
  // time each is stored (B-frames behind it), which a parser that stamps a
  // key frame with its place in the file stamps it early; nothing for
  // other files.
  std::shared_ptr<const TAviKeyFrames> AviKeyFrames() const { return AviKeyFrames_; }
  // Where the rendered movie's streams end by its file (movie_file_timing.h):
  // an AVI's longest stream, a fragmented MP4's samples in their time
  // stamps. The graph plays to there and its seeking reports it as the
  // length when the platform's parser reports less. For a fragmented MP4
  // too long to walk at the opening it is an estimate until the walk on a
  // thread of its own ends; then it changes, and the component raises the
  // platform's EC_LENGTH_CHANGED as a graph event. 0 for other files.
  REFERENCE_TIME FileEnd() const { return FileEnd_; }
  // Tell the registered sinks, then ask the graph's worker for the state,
  // after what was asked before; false without a graph that has media
  // control and seeking. A failure of the platform's call reaches the
  // application's exception handling later (PostException).
  bool Play();
  bool Pause();
  bool Stop();
  // Asks the graph's worker for a seek to Position (media time, 100 ns):
  // gathered with the seeks asked before it that are not under way yet;
  // false without a graph.
  bool SeekTo(REFERENCE_TIME Position);
  // Where the seeks asked and not done yet lead; nothing when none is.
  std::optional<REFERENCE_TIME> SeekTarget() const;
  // The graph's position: where the seeks asked lead; while the worker is
  // busy otherwise, the position it last read; else the graph's own.
  // Nothing without a graph.
  std::optional<REFERENCE_TIME> Position();
  // Waits up to Ms until the worker has done everything asked; whether it
  // has (true without a graph).
  bool WaitForGraph(DWORD Ms);
  // Stops and empties the graph except for the registered filters; what
  // was asked and is not under way yet is dropped, and the stop is waited
  // for a bounded time.
  void ClearGraph();
  // Disconnects every pin of every filter in the graph.
  void DisconnectFilters();
  // The graph's length (media time, 100 ns), the last one read while the
  // worker is busy; nothing without seeking.
  std::optional<REFERENCE_TIME> Duration();
  // Milliseconds; 0 without seeking.
  int GetDuration();

  // Raises the events of one graph event; overridable.
  virtual void HandleEvent(int Event, LONG_PTR Param1, LONG_PTR Param2);

  // An exception raised by an event handler, or handed over below, goes to
  // the application's exception handling (Application.HandleException).
  // Hands an exception caught on any thread, or inside a platform call, to
  // the application's exception handling later, on the GUI thread, in the
  // order handed over.
  void PostException(std::exception_ptr Error);

  HWND EventWindow() const { return Window_; }

  // IUnknown. Not reference counted: the component is owned by its form.
  // Interfaces the component lacks are asked of the active graph objects.
  // The graph's media control and seeking (graph_seeking.h) handed out so
  // call the graph on the caller's thread: the program asks the worker
  // instead (Play, SeekTo, Position...), and a caller of these waits for
  // the worker first (WaitForGraph).
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  // IServiceProvider
  STDMETHODIMP QueryService(REFGUID Service, REFIID Iid, void** Object) override;
  // IAMGraphBuilderCallback
  STDMETHODIMP SelectedFilter(IMoniker* Moniker) override;
  STDMETHODIMP CreatedFilter(IBaseFilter* Filter) override;
  // IAMFilterGraphCallback
  HRESULT STDMETHODCALLTYPE UnableToRender(IPin* Pin) override;

  // Asks the graph objects alone (the second half of QueryInterface).
  HRESULT QueryGraph(REFIID Iid, void** Object);

 private:
  void Activate();
  void Deactivate();
  // The stop before the graph is emptied or released: pending requests
  // dropped, the stop waited for at most kGraphReleaseMs; whether it ended.
  bool FinalStop();
  void InstallSite();
  void RemoveSite();
  void AddRegisteredFilters();
  void RemoveRegisteredFilters();
  void AddComponentFilter(IFilterComponent* Component);
  void RemoveComponentFilter(IFilterComponent* Component);
  void NotifyFilters(int Operation, int Param);
  void BroadcastGraphEvent(int Event, LONG_PTR Param1, LONG_PTR Param2);
  void ApplySettings();
  void ApplyAudio();
  void ApplyRate();
  // Times the rendered graph by a system clock of its own where the
  // platform's audio renderer's clock outlives its graph.
  void UseSystemClock();
  // Moves the stop of the rendered graph to its streams' latest end.
  void PlayToStreamsEnd();
  // The walk over a long fragmented MP4 has ended (WM_FRAGMENTSWALKED).
  void FragmentsWalked();
  void CloseLog();
  bool RaiseSimpleEvent(int Event, LONG_PTR Param1, LONG_PTR Param2);
  bool RaiseDVDEvent(int Event, LONG_PTR Param1, LONG_PTR Param2);
  void RaiseDVDLanguage(bool Audio, int Stream);
  void HandleEvents();
  void DeliverExceptions();
  static LRESULT CALLBACK EventWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

  // How long a deactivation waits for the graph's last release.
  static constexpr DWORD kGraphReleaseMs = 1000;
  // A stop later than the end of any movie: 20 days.
  static constexpr REFERENCE_TIME kBeyondAnyEnd = 20LL * 86400 * 10000000;

  HWND Window_ = nullptr;
  bool Active_ = false;
  TGraphMode Mode_ = TGraphMode::gmNormal;
  bool GraphEdit_ = false;
  bool LinearVolume_ = true;
  std::wstring LogFile_;
  int Volume_ = 10000;
  int Balance_ = 0;
  double Rate_ = 1.0;
  REFERENCE_TIME PictureStart_ = 0;
  std::shared_ptr<const TAviKeyFrames> AviKeyFrames_ = std::make_shared<TAviKeyFrames>();
  REFERENCE_TIME FileEnd_ = 0;
  // The length read last, answered while the worker is busy.
  std::optional<REFERENCE_TIME> Duration_;
  // The walk over a long fragmented MP4 under way, if any.
  std::unique_ptr<TFragmentsWalk> Walk_;

  IFilterGraph2* Graph_ = nullptr;
  // The active graph's worker; nullptr while inactive.
  std::shared_ptr<TGraphWorker> Worker_;
  ICaptureGraphBuilder2* CaptureBuilder_ = nullptr;
  IDvdGraphBuilder* DvdBuilder_ = nullptr;
  IMediaEventEx* MediaEvent_ = nullptr;
  DWORD RotCookie_ = 0;
  HANDLE Log_ = INVALID_HANDLE_VALUE;
  std::vector<IFilterComponent*> Filters_;
  std::vector<IGraphEventSink*> Sinks_;
  std::mutex ExceptionsLock_;
  std::vector<std::exception_ptr> Exceptions_;
};
