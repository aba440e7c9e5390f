// TGraphSeeking: the IMediaSeeking the graph component hands out in place
// of the graph's own. Every call goes to the graph's seeking, except that on
// Wine's media stack a new current position for a graph that is not
// stopped is set with the graph stopped: stop, set the positions, then run
// or pause again as before. Seeking a running or paused graph in place
// flushes the streams, and Wine's media stack brings only one of two
// streams back after such a flush (no completion, and a later Stop never
// returns); its decoder, meanwhile, reads on as far as it can (a video
// renderer cannot tell how far: engine/video/picture_times.h). A graph
// that is stopped only stores the positions, and its next start begins
// there. Other platforms seek every graph in place. The length it reports
// is at least the end read from the movie's file (an AVI's longest stream,
// a fragmented MP4's samples), which the platform's parser may put too
// early, and the position never lies past that length.
//
// A seek in place flushes the streams, and the audio filter tells its
// owner; a seek from a stop reaches it as the stop, which it tells its
// owner the same way: either way the sound processing starts afresh.
//
// Reference counted; it holds the graph's interfaces while it lives. One
// thread at a time: the graph's worker (graph_worker.h), or the GUI thread
// while the worker has nothing to do.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "engine/filters/seeking_passthru.h"

class TGraphSeeking final : public TSeekingPassThru {
 public:
  // Wraps the graph's seeking; the result is referenced, or nullptr when
  // the graph offers no seeking or no media control. FileEnd: where the
  // movie's samples end by its file (100 ns), or 0.
  static TGraphSeeking* Create(IFilterGraph* Graph, LONGLONG FileEnd = 0);

  // The number of streams the graph plays to an end: filters with a
  // connected input pin and no output pin.
  static int StreamEnds(IFilterGraph* Graph);

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP SetPositions(LONGLONG* Current, DWORD CurrentFlags, LONGLONG* Stop,
                            DWORD StopFlags) override;
  // The graph's duration, or the file's end where that is later (in media
  // time).
  STDMETHODIMP GetDuration(LONGLONG* Duration) override;
  // The graph's position, at most the length above: a graph whose stop
  // lies beyond its streams' end reports its stop once they have ended.
  STDMETHODIMP GetCurrentPosition(LONGLONG* Current) override;

 protected:
  IMediaSeeking* Target() override;

 private:
  TGraphSeeking(IFilterGraph* Graph, IMediaSeeking* Seeking, IMediaControl* Control, LONGLONG FileEnd);
  ~TGraphSeeking();
  // Whether a new current position is set with the graph stopped; State
  // receives the state to return to.
  bool SeekStopped(DWORD CurrentFlags, OAFilterState& State);

  LONG References_ = 1;
  IFilterGraph* Graph_;
  IMediaSeeking* Seeking_;
  IMediaControl* Control_;
  LONGLONG FileEnd_;
};
