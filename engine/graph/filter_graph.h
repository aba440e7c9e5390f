// TFilterGraph: the graph component. It owns the platform's filter graph
// while Active, adds the filters of the registered components to every
// graph it builds, renders files, runs, pauses and stops the graph, holds
// volume, balance and rate, and turns the graph's event notifications into
// its events (filter_graph_events.h) on the GUI thread.
//
// The component is used on the GUI thread: the hidden event window
// receives the platform's notification message, and the graph builder's
// callbacks run inside RenderFile. The calls that can wait on the
// platform's media stack (run, pause, stop, seek, volume, balance and
// rate) are made by the graph's worker thread
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

enum class TGraphMode { gmNormal, gmCapture, gmDVD };

class TGraphSite;

class TFilterGraph : public TGraphEvents, public IServiceProvider {
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

  // 0..10000 (clamped), stored even without a graph; asked of the graph's
  // worker at once when there is a graph, and after every render.
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
  // The platform's render runs on the graph's worker thread, for as long
  // as the platform's parser takes; meanwhile the GUI thread dispatches
  // its messages (the caller guards what they may start) and answers the
  // graph builder's callbacks. An exception a callback's handler raised
  // reaches the application's exception handling after the render.
  HRESULT RenderFile(const std::wstring& FileName);
  // What the last render found of the movie's picture: its size and the
  // seconds of one frame (graph_worker.h), kept so that the GUI thread asks
  // the graph nothing for them (the graph's video interfaces wait behind a
  // stop under way). Nothing found before a render and after a failed one.
  const TRenderedVideo& RenderedVideo() const { return RenderedVideo_; }
  // RenderFile is waiting for the platform's render.
  bool Rendering() const { return Rendering_; }
  // While RenderFile waits: the render is left to end on its own with its
  // graph, which the component leaves as it leaves a graph that does not
  // stop (the registered components get fresh filters); RenderFile then
  // returns E_ABORT at once with the component inactive and nothing
  // shown. Nothing otherwise. A deactivation during the render does the
  // same.
  void AbandonRender();
  // The last RenderFile was abandoned.
  bool RenderAbandoned() const { return RenderAbandoned_; }
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
  // control and seeking. A failure of the platform's call is raised later
  // as OnGraphStateFailed.
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
  // for a bounded time. A graph that has not stopped by then is not
  // emptied: the deactivation that follows leaves it as it is.
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

  // The graph builder's callbacks, on the GUI thread (the graph's site,
  // graph_site.h, carries them there from the graph's threads): they raise
  // OnSelectedFilter, OnCreatedFilter and OnUnableToRender, whose
  // exceptions go to PostException; without a handler a filter is taken
  // and a pin left unrendered.
  HRESULT SelectedFilter(IMoniker* Moniker, const std::wstring& Name, const GUID& ClassId);
  HRESULT CreatedFilter(IBaseFilter* Filter, const GUID& ClassId);
  HRESULT UnableToRender(IPin* Pin);

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

  // Asks the graph objects alone (the second half of QueryInterface).
  HRESULT QueryGraph(REFIID Iid, void** Object);

 private:
  struct TGraphHooks;
  void Activate();
  void Deactivate();
  // The stop before the graph is emptied or released: pending requests
  // dropped, the stop waited for at most kGraphReleaseMs; whether it ended.
  // False at once after one that did not end (the graph is stalled).
  bool FinalStop();
  // The graph's objects and what of the component's is in the graph
  // besides its filters, taken from the component, which is inactive then.
  TGraphHooks TakeHooks();
  // Leaves the graph to end on its own with its worker, whose call under
  // way (a stop, a render) the platform has not ended: the registered
  // components let go of their filters without calling them (foLeft), and
  // the worker takes out the rest and releases the graph once the call
  // has ended. The component is inactive then.
  void LeaveGraph();
  // The platform's render on the worker, waited for while the GUI thread
  // dispatches its messages; E_ABORT when the wait was ended
  // (AbandonRender, a deactivation, the application's end).
  HRESULT RenderOnWorker(const std::wstring& FileName);
  void InstallSite();
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
  // Worker thread: queues a failed change of state for the GUI thread.
  void PostStateFailure(HRESULT Result);
  void DeliverStateFailures();
  static LRESULT CALLBACK EventWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

  // How long a deactivation waits for the graph's last release.
  static constexpr DWORD kGraphReleaseMs = 1000;
  // A stop later than the end of any movie: 20 days.
  static constexpr REFERENCE_TIME kBeyondAnyEnd = 20LL * 86400 * 10000000;

  HWND Window_ = nullptr;
  bool Active_ = false;
  // The active graph did not stop within kGraphReleaseMs.
  bool Stalled_ = false;
  bool Rendering_ = false;
  bool RenderAbandoned_ = false;
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
  // Reads the graph's length and keeps it, whatever the worker does.
  std::optional<REFERENCE_TIME> ReadDuration();
  // The walk over a long fragmented MP4 under way, if any.
  std::unique_ptr<TFragmentsWalk> Walk_;
  TRenderedVideo RenderedVideo_;

  IFilterGraph2* Graph_ = nullptr;
  // The active graph's site (referenced), cut when the graph goes.
  TGraphSite* Site_ = nullptr;
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
  // The active graph's failed changes of state not raised yet, under
  // ExceptionsLock_; dropped with the graph.
  std::vector<HRESULT> StateFailures_;
};
