// What the program has asked of a graph and the graph's worker thread has
// not done yet, and the rule that gathers it. Renders and state changes
// are done in the order asked. Seeks are gathered: one in flight and at most one pending, a
// new target replacing the pending one where it stands, so that seeks asked
// faster than the graph can make them end in one. Changes of volume and
// balance, and of rate, keep one pending request each, with the latest
// values. The stop before the graph goes drops whatever is still pending.
//
// No lock: the owner (graph_worker.h) guards it.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

enum class TGraphState { Stopped, Paused, Running };

struct TGraphRequest {
  enum TKind { Render, State, Seek, Audio, Rate };
  TKind Kind = State;
  TGraphState To = TGraphState::Stopped;  // State
  std::int64_t Position = 0;              // Seek: media time, 100 ns
  long Volume = 0, Balance = 0;           // Audio: the graph's own units
  double Speed = 1.0;                     // Rate
};

class TGraphRequests {
 public:
  void AskRender();
  void AskState(TGraphState To);
  void AskSeek(std::int64_t Position);
  void AskAudio(long Volume, long Balance);
  void AskRate(double Speed);
  // The stop before the graph is released: nothing pending is done.
  void AskFinalStop();

  // The first pending request, which is then in flight until Done; false
  // when nothing is pending.
  bool Take(TGraphRequest& Next);
  void Done();

  // Nothing pending and nothing in flight.
  bool Idle() const { return Pending_.empty() && !InFlight_; }
  // Whether a request of that kind waits behind the request in flight.
  bool Pending(TGraphRequest::TKind Kind) const;
  // Whether a render is pending or in flight.
  bool Rendering() const;
  // Where the seeks asked lead: the pending seek's position, else that of
  // the seek in flight; nothing when no seek is asked.
  std::optional<std::int64_t> Target() const;

 private:
  // The pending request of that kind, appended when there is none.
  TGraphRequest& PendingOf(TGraphRequest::TKind Kind);

  std::deque<TGraphRequest> Pending_;
  std::optional<TGraphRequest> InFlight_;
};
