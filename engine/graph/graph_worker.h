// TGraphWorker: the thread of one graph that makes every call on it that
// can wait on the platform's media stack: the changes of state (run, pause,
// stop), the seeks, and the changes of volume, balance and rate. Under Wine a stop waits for the platform's parser to end its
// stream, which can take seconds on a busy machine, and while it does the
// graph's other interfaces wait for it too; the GUI thread only asks
// (graph_requests.h gathers what it asks) and reads what the worker keeps.
//
// A seek of a graph meant to run, made while another seek waits, shows its
// picture before the next is made: the graph is paused there until its
// picture is on show, and runs again after the last seek. So a seek key
// held down moves the picture along, and the sound starts again with the
// picture from the last seek. The next seek would throw away a picture
// still being decoded (the decoder starts again from a key frame), so the
// worker waits for it as long as the decoder takes, up to kCueMs; it stops
// waiting at once for a change of state, and when no seek was asked for
// kQuietMs (the key was let go: the last target goes first).
//
// The GUI thread asks and reads; the worker thread calls the graph. The
// platform's result of a change of state that failed is handed to Failed
// on the worker thread (never after Leave). Nothing of the worker's is held
// while the graph is called.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/graph_requests.h"

// What a render found of the movie's picture (IBasicVideo): its size, 0 x
// 0 without a picture, and the seconds of one frame, 0 when not known.
struct TRenderedVideo {
  long Width = 0, Height = 0;
  double FrameSeconds = 0;
};

class TGraphWorker {
 public:
  using TFailed = std::function<void(HRESULT)>;

  // Starts the worker of Graph, which it references until its thread ends;
  // nullptr when the graph offers no media control or seeking, or no
  // thread can be started.
  static std::shared_ptr<TGraphWorker> Start(IFilterGraph* Graph, TFailed Failed);
  ~TGraphWorker();
  TGraphWorker(const TGraphWorker&) = delete;
  TGraphWorker& operator=(const TGraphWorker&) = delete;

  // The platform's render of the file into the graph; its result is
  // RenderResult, and what it found of the picture RenderedVideo, once
  // Rendering is false.
  void AskRender(const std::wstring& FileName);
  void AskState(TGraphState To);
  void AskSeek(REFERENCE_TIME Position);
  // The stop before the graph goes: what is still pending is dropped.
  void AskFinalStop();
  // Volume and balance (the graph's units), and rate.
  void AskAudio(long Volume, long Balance);
  void AskRate(double Rate);

  // Nothing asked is left to do.
  bool Idle() const;
  // A render asked is not done yet.
  bool Rendering() const;
  HRESULT RenderResult() const;
  TRenderedVideo RenderedVideo() const;
  // Signalled (auto-reset) each time a request is done, for a wait that
  // also answers the GUI thread's messages.
  HANDLE DoneEvent() const { return DoneEvent_; }
  // Where the seeks asked lead (graph_requests.h).
  std::optional<REFERENCE_TIME> Target() const;
  // The graph's position as it reported it after the last request done.
  REFERENCE_TIME Known() const;
  // Waits up to Ms until nothing asked is left to do; whether so.
  bool WaitIdle(DWORD Ms);
  // Tells the thread to end once nothing is asked, with no more failures
  // handed over, and waits up to Ms for it to end; whether it did. A
  // thread that does not is left to end on its own, with the graph.
  bool Leave(DWORD Ms);
  // Leave without a wait: the thread runs Last (on its thread, once
  // nothing is asked) and then ends, with the graph when Last released the
  // owner's references.
  void LeaveWith(std::function<void()> Last);

  // How long a seek waits at most for its picture before the next seek is
  // made, and how long no seek asked ends that wait.
  static constexpr DWORD kCueMs = 2000;
  static constexpr DWORD kQuietMs = 300;

 private:
  TGraphWorker(IFilterGraph* Graph, IMediaControl* Control, IMediaSeeking* Seeking, TFailed Failed);
  static DWORD WINAPI ThreadMain(void* Param);
  void Run();
  // The platform's result of a change of state; S_OK for other requests.
  HRESULT Do(const TGraphRequest& Request);
  HRESULT Render();
  HRESULT Seek(REFERENCE_TIME Position);
  void AwaitPicture();
  // Whether a request of that kind waits behind the one in flight.
  bool Asked(TGraphRequest::TKind Kind) const;
  void ApplyAudio(long Volume, long Balance);

  IFilterGraph* Graph_;
  IMediaControl* Control_;
  IMediaSeeking* Seeking_;
  // The worker thread's own: the state the graph is meant to be in, and
  // whether it is paused on a seek's picture instead of running.
  TGraphState Wanted_ = TGraphState::Stopped;
  bool Cued_ = false;

  mutable std::mutex Lock_;
  std::condition_variable Changed_;
  TGraphRequests Requests_;
  REFERENCE_TIME Known_ = 0;
  DWORD SeekAsked_ = 0;  // GetTickCount of the last seek asked
  std::wstring RenderFile_;
  HRESULT RenderResult_ = E_PENDING;
  TRenderedVideo RenderedVideo_;
  HANDLE DoneEvent_ = nullptr;
  bool Leaving_ = false;
  std::function<void()> Last_;
  TFailed Failed_;
  HANDLE Thread_ = nullptr;
};
