#include "engine/graph/graph_requests.h"

TGraphRequest& TGraphRequests::PendingOf(TGraphRequest::TKind Kind) {
  for (TGraphRequest& request : Pending_)
    if (request.Kind == Kind) return request;
  Pending_.emplace_back();
  Pending_.back().Kind = Kind;
  return Pending_.back();
}

void TGraphRequests::AskRender() {
  TGraphRequest request;
  request.Kind = TGraphRequest::Render;
  Pending_.push_back(request);
}

void TGraphRequests::AskState(TGraphState To) {
  TGraphRequest request;
  request.Kind = TGraphRequest::State;
  request.To = To;
  Pending_.push_back(request);
}

void TGraphRequests::AskSeek(std::int64_t Position) { PendingOf(TGraphRequest::Seek).Position = Position; }

void TGraphRequests::AskAudio(long Volume, long Balance) {
  TGraphRequest& request = PendingOf(TGraphRequest::Audio);
  request.Volume = Volume;
  request.Balance = Balance;
}

void TGraphRequests::AskRate(double Speed) { PendingOf(TGraphRequest::Rate).Speed = Speed; }

void TGraphRequests::AskFinalStop() {
  Pending_.clear();
  AskState(TGraphState::Stopped);
}

bool TGraphRequests::Take(TGraphRequest& Next) {
  if (Pending_.empty()) return false;
  Next = Pending_.front();
  Pending_.pop_front();
  InFlight_ = Next;
  return true;
}

void TGraphRequests::Done() { InFlight_.reset(); }

bool TGraphRequests::Pending(TGraphRequest::TKind Kind) const {
  for (const TGraphRequest& request : Pending_)
    if (request.Kind == Kind) return true;
  return false;
}

bool TGraphRequests::Rendering() const {
  return (InFlight_ && InFlight_->Kind == TGraphRequest::Render) || Pending(TGraphRequest::Render);
}

std::optional<std::int64_t> TGraphRequests::Target() const {
  for (const TGraphRequest& request : Pending_)
    if (request.Kind == TGraphRequest::Seek) return request.Position;
  if (InFlight_ && InFlight_->Kind == TGraphRequest::Seek) return InFlight_->Position;
  return std::nullopt;
}
