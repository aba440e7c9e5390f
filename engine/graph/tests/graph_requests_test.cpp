#include "engine/graph/graph_requests.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// A request as the cases write it.
std::string Text(const TGraphRequest& R) {
  std::ostringstream out;
  switch (R.Kind) {
    case TGraphRequest::Render: out << "render"; break;
    case TGraphRequest::State:
      out << (R.To == TGraphState::Running ? "run" : R.To == TGraphState::Paused ? "pause" : "stop");
      break;
    case TGraphRequest::Seek: out << "seek " << R.Position; break;
    case TGraphRequest::Audio: out << "audio " << R.Volume << " " << R.Balance; break;
    case TGraphRequest::Rate: out << "rate " << R.Speed; break;
  }
  return out.str();
}

// Plays a script of asks on Requests: "render", "run", "pause", "stop", "seek N",
// "audio V B", "rate R", "final", and "take" (the worker takes the next
// request, which stays in flight). The requests taken, in order.
std::vector<std::string> Play(TGraphRequests& Requests, const std::vector<std::string>& Script) {
  std::vector<std::string> Taken;
  for (const std::string& Line : Script) {
    std::istringstream in(Line);
    std::string Word;
    in >> Word;
    if (Word == "render") Requests.AskRender();
    if (Word == "run") Requests.AskState(TGraphState::Running);
    if (Word == "pause") Requests.AskState(TGraphState::Paused);
    if (Word == "stop") Requests.AskState(TGraphState::Stopped);
    if (Word == "final") Requests.AskFinalStop();
    if (Word == "seek") {
      long long At = 0;
      in >> At;
      Requests.AskSeek(At);
    }
    if (Word == "audio") {
      long Volume = 0, Balance = 0;
      in >> Volume >> Balance;
      Requests.AskAudio(Volume, Balance);
    }
    if (Word == "rate") {
      double Speed = 0;
      in >> Speed;
      Requests.AskRate(Speed);
    }
    if (Word == "take") {
      Requests.Done();
      TGraphRequest Next;
      if (Requests.Take(Next)) Taken.push_back(Text(Next));
    }
  }
  return Taken;
}

// The requests still pending after a script, as the worker takes them.
std::vector<std::string> Drain(TGraphRequests& Requests) {
  std::vector<std::string> Taken;
  TGraphRequest Next;
  for (Requests.Done(); Requests.Take(Next); Requests.Done()) Taken.push_back(Text(Next));
  return Taken;
}

struct GatherCase {
  const char* Name;
  std::vector<std::string> Script;
  std::vector<std::string> Taken;  // during the script and after it, in order
  long long Target;                // where the asked seeks lead after the script; -1 for none
};

TEST(GraphRequests, SeeksAreGatheredAndStateChangesKeepTheirOrder) {
  const GatherCase Cases[] = {
      {"a burst behind a seek in flight ends in its last target",
       {"seek 10", "take", "seek 20", "seek 30", "seek 40"},
       {"seek 10", "seek 40"},
       40},
      {"a seek in flight leads where it goes", {"seek 10", "take"}, {"seek 10"}, 10},
      {"a new target takes the pending seek's place between state changes",
       {"stop", "take", "pause", "seek 7", "run", "seek 9"},
       {"stop", "pause", "seek 9", "run"},
       9},
      {"state changes are all made, in order", {"run", "pause", "run", "stop"}, {"run", "pause", "run", "stop"}, -1},
      {"a seek asked after the pending one was taken waits again",
       {"seek 1", "take", "seek 2", "take", "seek 3"},
       {"seek 1", "seek 2", "seek 3"},
       3},
      {"volume and rate keep one request each with the latest values",
       {"audio -100 5", "run", "audio -200 -5", "rate 1.5", "rate 2"},
       {"audio -200 -5", "run", "rate 2"},
       -1},
      {"the final stop drops what is pending",
       {"seek 5", "take", "seek 6", "run", "audio 1 1", "final"},
       {"seek 5", "stop"},
       5},
      {"a repeat from the start: stop, seek, run", {"stop", "seek 0", "run"}, {"stop", "seek 0", "run"}, 0},
      {"what is asked during a render follows it, gathered as ever",
       {"render", "take", "audio 1 2", "seek 3", "audio 4 5", "seek 6"},
       {"render", "audio 4 5", "seek 6"},
       6},
      {"the final stop drops a render not begun", {"render", "final"}, {"stop"}, -1},
  };
  for (const GatherCase& C : Cases) {
    TGraphRequests Requests;
    std::vector<std::string> Taken = Play(Requests, C.Script);
    EXPECT_EQ(Requests.Target().value_or(-1), C.Target) << C.Name;
    for (const std::string& T : Drain(Requests)) Taken.push_back(T);
    EXPECT_EQ(Taken, C.Taken) << C.Name;
    EXPECT_TRUE(Requests.Idle()) << C.Name;
    EXPECT_FALSE(Requests.Target().has_value()) << C.Name << ": no seek is left asked";
  }
}

TEST(GraphRequests, ARenderIsUnderWayFromItsAskingUntilItIsDone) {
  TGraphRequests Requests;
  EXPECT_FALSE(Requests.Rendering());
  Requests.AskState(TGraphState::Stopped);
  Requests.AskRender();
  EXPECT_TRUE(Requests.Rendering()) << "pending behind a stop";
  TGraphRequest Next;
  ASSERT_TRUE(Requests.Take(Next));
  EXPECT_TRUE(Requests.Rendering()) << "the stop in flight";
  Requests.Done();
  ASSERT_TRUE(Requests.Take(Next));
  Requests.AskSeek(5);
  EXPECT_TRUE(Requests.Rendering()) << "in flight, a seek behind it";
  Requests.Done();
  EXPECT_FALSE(Requests.Rendering()) << "done, with the seek still pending";
  EXPECT_FALSE(Requests.Idle());
}

TEST(GraphRequests, IdleAndPendingFollowTheRequestInFlight) {
  using K = TGraphRequest;
  TGraphRequests Requests;
  EXPECT_TRUE(Requests.Idle());
  Requests.AskSeek(10);
  EXPECT_FALSE(Requests.Idle());
  EXPECT_TRUE(Requests.Pending(K::Seek));
  EXPECT_FALSE(Requests.Pending(K::State)) << "a seek is no state change";
  TGraphRequest Next;
  ASSERT_TRUE(Requests.Take(Next));
  EXPECT_FALSE(Requests.Pending(K::Seek)) << "the only seek is in flight";
  EXPECT_FALSE(Requests.Idle()) << "a seek in flight";
  Requests.AskState(TGraphState::Paused);
  EXPECT_FALSE(Requests.Pending(K::Seek)) << "a state change is no seek";
  EXPECT_TRUE(Requests.Pending(K::State));
  EXPECT_FALSE(Requests.Pending(K::Audio));
  Requests.AskSeek(20);
  EXPECT_TRUE(Requests.Pending(K::Seek));
  Requests.Done();
  ASSERT_TRUE(Requests.Take(Next));
  EXPECT_FALSE(Requests.Pending(K::State)) << "the pause is in flight";
  EXPECT_TRUE(Requests.Pending(K::Seek));
  Requests.Done();
  ASSERT_TRUE(Requests.Take(Next));
  EXPECT_EQ(Next.Position, 20);
  EXPECT_FALSE(Requests.Idle());
  Requests.Done();
  EXPECT_FALSE(Requests.Take(Next));
  EXPECT_TRUE(Requests.Idle());
}

}  // namespace
