// TFilterGraph with real graphs under Wine: activation order, registration,
// rendering and playing every generated movie to its completion event on
// the GUI thread, event delivery, volume, the graph builder's callbacks and
// the failure path of a corrupt file.
#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>

#include "engine/filters/tests/test_graph_support.h"
#include "engine/graph/filter_graph.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/tests/pass_component.h"
#include "engine/graph/tests/stuck_clock.h"
#include "framework/application.h"
#include "framework/unicode.h"
#include "tests/support/process.h"

namespace {

using lctest::InGraph;
using lctest::TPassFilter;

// A registered component and event sink that write what they are told into
// one log shared with the graph component's events.
class TRecorder : public lctest::TPassComponent, public IGraphEventSink {
 public:
  explicit TRecorder(std::vector<std::string>& Log) : Log_(Log) {}
  void NotifyFilter(int Operation, int Param) override {
    Log_.push_back("notify " + std::to_string(Operation) + (InGraph(Filter) ? " in" : " out"));
    TPassComponent::NotifyFilter(Operation, Param);
  }
  void GraphEvent(int Event, LONG_PTR, LONG_PTR) override { Log_.push_back("sink event " + std::to_string(Event)); }
  void ControlEvent(int Operation, int Param) override {
    Log_.push_back("control " + std::to_string(Operation) + " " + std::to_string(Param));
  }

 private:
  std::vector<std::string>& Log_;
};

class FilterGraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetShowMessageProc([this](const std::wstring& Text) { Messages.push_back(Text); });
    Graph.InsertFilter(&Recorder);
    Graph.InsertEventSink(&Recorder);
    Graph.OnActivate = [this](TFilterGraph*) { Log.push_back("activate"); };
    Graph.OnDSEvent = [this](TFilterGraph*, int Event, LONG_PTR, LONG_PTR) {
      Log.push_back("event " + std::to_string(Event));
    };
  }
  void TearDown() override {
    Graph.SetActive(false);
    SetShowMessageProc(nullptr);
    Application.OnException = nullptr;
  }

  lctest::TComScope Com;
  std::vector<std::string> Log;
  std::vector<std::wstring> Messages;
  TRecorder Recorder{Log};
  TFilterGraph Graph;
};

TEST(GraphUtils, CheckDSErrorPassesSuccessAndRaisesFailureWithItsCode) {
  EXPECT_EQ(CheckDSError(S_FALSE), S_FALSE);
  EXPECT_EQ(CheckDSError(VFW_S_PARTIAL_RENDER), VFW_S_PARTIAL_RENDER);
  try {
    CheckDSError(VFW_E_CANNOT_RENDER);
    ADD_FAILURE() << "no exception";
  } catch (const EDirectShowException& e) {
    EXPECT_EQ(e.ErrorCode, VFW_E_CANNOT_RENDER);
    const std::string text = e.what();
    const std::string tail = " ($80040218).";
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  }
}

TEST_F(FilterGraphTest, ActivationAndDeactivationRunInOrderOnlyOnChange) {
  Graph.SetActive(true);
  ASSERT_TRUE(Graph.Active());
  Graph.SetActive(true);
  const std::vector<std::string> up = {"notify 0 out", "notify 1 in", "activate", "control 7 1"};
  EXPECT_EQ(Log, up);
  Log.clear();
  Graph.SetActive(false);
  Graph.SetActive(false);
  const std::vector<std::string> down = {"control 7 0", "notify 2 in", "notify 3 out"};
  EXPECT_EQ(Log, down);
  EXPECT_FALSE(Graph.Active());
}

TEST_F(FilterGraphTest, ComponentsRegisteredWhileActiveJoinAndLeaveAtOnce) {
  Graph.RemoveFilter(&Recorder);
  Graph.SetActive(true);
  Log.clear();
  Graph.InsertFilter(&Recorder);
  EXPECT_TRUE(InGraph(Recorder.Filter));
  Graph.RemoveFilter(&Recorder);
  EXPECT_FALSE(InGraph(Recorder.Filter));
  const std::vector<std::string> expected = {"notify 0 out", "notify 1 in", "notify 2 in", "notify 3 out"};
  EXPECT_EQ(Log, expected);
}

TEST_F(FilterGraphTest, WithoutAGraphRenderGivesOneAndPlayGivesFalse) {
  EXPECT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_FALSE);
  EXPECT_FALSE(Graph.Play());
  EXPECT_FALSE(Graph.Pause());
  EXPECT_FALSE(Graph.Stop());
  EXPECT_EQ(Graph.GetDuration(), 0);
  EXPECT_TRUE(Log.empty()) << Log.front();
  EXPECT_TRUE(Messages.empty());
}

TEST_F(FilterGraphTest, ACorruptFileShowsTheErrorTextAndLeavesTheGraph) {
  Graph.SetActive(true);
  const HRESULT hr = Graph.RenderFile(lctest::MediaPath("corrupt.avi"));
  EXPECT_EQ(hr, static_cast<HRESULT>(0x80040218));
  EXPECT_FALSE(Graph.Active());
  ASSERT_EQ(Messages.size(), 1u);
  const std::wstring tail = L" ($80040218).";
  ASSERT_GT(Messages[0].size(), tail.size());
  EXPECT_EQ(Messages[0].substr(Messages[0].size() - tail.size()), tail);
  // Words for the user before the code, not the code again.
  const std::wstring text = Messages[0].substr(0, Messages[0].size() - tail.size());
  EXPECT_EQ(text.find(L"80040218"), std::wstring::npos) << EncodeText(text);
  int words = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (iswalpha(text[i]) && (i == 0 || !iswalpha(text[i - 1]))) ++words;
  EXPECT_GE(words, 4) << EncodeText(text);
}

TEST_F(FilterGraphTest, VolumeIsClampedStoredAndMappedOntoTheGraph) {
  Graph.SetVolume(12000);
  EXPECT_EQ(Graph.Volume(), 10000);
  Graph.SetVolume(-5);
  EXPECT_EQ(Graph.Volume(), 0);
  Graph.SetBalance(-20000);
  EXPECT_EQ(Graph.Balance(), -10000);
  Graph.SetBalance(0);
  Graph.SetVolume(5000);  // stored without a graph, applied by the render
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  ASSERT_TRUE(Graph.WaitForGraph(10000));
  IBasicAudio* audio = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)), S_OK);
  long volume = 1;
  audio->get_Volume(&volume);
  EXPECT_EQ(volume, -752);
  const struct {
    bool Linear;
    int In;
    long Out;
  } cases[] = {{true, 0, -10000}, {true, 10000, 0}, {true, 100, -4989}, {false, 2500, -7500}, {false, 10000, 0}};
  for (const auto& c : cases) {
    Graph.SetLinearVolume(c.Linear);
    Graph.SetVolume(c.In);
    ASSERT_TRUE(Graph.WaitForGraph(10000));
    audio->get_Volume(&volume);
    EXPECT_EQ(volume, c.Out) << "volume " << c.In << (c.Linear ? " linear" : " plain");
  }
  long balance = 1;
  audio->get_Balance(&balance);
  EXPECT_EQ(balance, 0);
  audio->Release();
}

TEST_F(FilterGraphTest, TwoQueuedEventsAreDeliveredFromOneNotification) {
  Graph.SetActive(true);
  int width = 0, height = 0;
  HRESULT paused = E_FAIL;
  Graph.OnGraphVideoSizeChanged = [&](TFilterGraph*, int W, int H) { width = W, height = H; };
  Graph.OnGraphPaused = [&](TFilterGraph*, HRESULT Result) { paused = Result; };
  IMediaEventSink* sink = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)), S_OK);
  sink->Notify(EC_VIDEO_SIZE_CHANGED, MAKELONG(320, 240), 0);
  sink->Notify(EC_PAUSED, S_OK, 0);
  sink->Release();
  Log.clear();
  SendMessageW(Graph.EventWindow(), WM_GRAPHNOTIFY, 0, 0);
  const std::vector<std::string> expected = {"sink event 10", "event 10", "sink event 14", "event 14"};
  EXPECT_EQ(Log, expected);
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);
  EXPECT_EQ(paused, S_OK);
}

TEST_F(FilterGraphTest, AnExceptionOfAHandlerStopsDrainingAndReachesTheApplication) {
  Graph.SetActive(true);
  int errors = 0, sizes = 0;
  Application.OnException = [&](TComponent*, std::exception_ptr) { ++errors; };
  Graph.OnGraphPaused = [&](TFilterGraph*, HRESULT) { throw std::runtime_error("handler failed"); };
  Graph.OnGraphVideoSizeChanged = [&](TFilterGraph*, int, int) { ++sizes; };
  IMediaEventSink* sink = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)), S_OK);
  sink->Notify(EC_PAUSED, S_OK, 0);
  sink->Notify(EC_VIDEO_SIZE_CHANGED, MAKELONG(16, 16), 0);
  sink->Release();
  SendMessageW(Graph.EventWindow(), WM_GRAPHNOTIFY, 0, 0);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(sizes, 0) << "draining stops at the exception";
  SendMessageW(Graph.EventWindow(), WM_GRAPHNOTIFY, 0, 0);
  EXPECT_EQ(sizes, 1) << "the next notification delivers the rest";
}

// A change of state that the platform refuses (the graph's one filter
// cannot start: Wine's graph reports that at once) is raised as the
// component's event on the GUI thread with the platform's result, and
// reaches the application's exception handling only where nobody handles
// that event.
TEST_F(FilterGraphTest, AFailedRunIsRaisedOnTheGuiThreadAndReachesTheApplicationOnlyUnhandled) {
  int Errors = 0;
  Application.OnException = [&](TComponent*, std::exception_ptr) { ++Errors; };
  std::vector<HRESULT> Failed;
  DWORD Thread = 0;
  Graph.OnGraphStateFailed = [&](TFilterGraph*, HRESULT Result) {
    Failed.push_back(Result);
    Thread = GetCurrentThreadId();
  };
  Graph.SetActive(true);
  Recorder.Filter->StartResult = VFW_E_RUNTIME_ERROR;
  ASSERT_TRUE(Graph.Play());
  EXPECT_TRUE(lctest::PumpUntil([&] { return !Failed.empty(); }, 10000));
  EXPECT_EQ(Failed, std::vector<HRESULT>{VFW_E_RUNTIME_ERROR});
  EXPECT_EQ(Thread, GetCurrentThreadId());
  EXPECT_EQ(Errors, 0);

  Graph.OnGraphStateFailed = nullptr;
  ASSERT_TRUE(Graph.Pause());
  EXPECT_TRUE(lctest::PumpUntil([&] { return Errors > 0; }, 10000));
  EXPECT_EQ(Errors, 1);
  EXPECT_EQ(Failed.size(), 1u);
}

TEST_F(FilterGraphTest, ClearGraphLeavesOnlyTheRegisteredFilters) {
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("clip.avi")), S_OK);
  lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
  IFilterGraph* graph = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&graph)), S_OK);
  EXPECT_GT(lctest::FilterNames(graph).size(), 2u);
  Graph.ClearGraph();
  const std::vector<std::wstring> expected = {L"Pass"};
  EXPECT_EQ(lctest::FilterNames(graph), expected);
  graph->Release();
  EXPECT_FALSE(Recorder.Filter->InputPin()->IsConnected());
}

// A graph whose last release does not end (its clock never lets go, as
// the platform's now and then does not) is left to end on its own: the
// deactivation returns without it, the registered filter is out of it, and
// the next graph renders and plays. The release ends later, elsewhere.
TEST_F(FilterGraphTest, AGraphWhoseReleaseDoesNotEndIsLeftAndTheNextOnePlays) {
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  lctest::TStuckClock clock;
  IMediaFilter* filter = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&filter)), S_OK);
  ASSERT_EQ(filter->SetSyncSource(&clock), S_OK);
  filter->Release();
  clock.Release();  // the graph holds the last reference
  Graph.SetActive(false);
  EXPECT_FALSE(clock.Released()) << "the deactivation waited for the release";
  EXPECT_FALSE(Graph.Active());
  EXPECT_FALSE(InGraph(Recorder.Filter));

  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  ASSERT_TRUE(Graph.Play());
  EXPECT_TRUE(lctest::PumpUntil([&] { return Recorder.Filter->Bytes.load() > 0; }, 10000));
  clock.LetGo();
  EXPECT_TRUE(clock.Released(10000));
  EXPECT_NE(clock.ReleasedOn(), GetCurrentThreadId());
}

// A graph whose stop the platform does not end in time (a parser slow to
// end its stream) is left to end on its own: the close waits for nothing
// more than the bounded wait, the registered component lets go of its
// filter, which stays in the old graph, and the next graph renders and
// plays with a fresh one. The old graph lets go once its stop has ended.
TEST_F(FilterGraphTest, AGraphThatDoesNotStopInTimeIsLeftAndTheNextOnePlaysWithAFreshFilter) {
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  ASSERT_TRUE(Graph.Play());
  ASSERT_TRUE(lctest::PumpUntil([&] { return Recorder.Filter->Bytes.load() > 0; }, 10000));
  TPassFilter* Old = Recorder.Filter;
  Old->StopMs = 8000;
  Log.clear();
  const DWORD Start = GetTickCount();
  Graph.ClearGraph();
  Graph.SetActive(false);
  EXPECT_LT(GetTickCount() - Start, 4000u) << "the close waited for the stop";
  EXPECT_FALSE(Graph.Active());
  const std::vector<std::string> Left = {"control 2 0", "control 7 0", "notify 4 in"};
  EXPECT_EQ(Log, Left);
  ASSERT_EQ(Recorder.Left, Old);
  EXPECT_TRUE(InGraph(Old)) << "its stop under way, the old graph holds its filter";

  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  ASSERT_TRUE(Graph.Play());
  EXPECT_TRUE(lctest::PumpUntil([&] { return Recorder.Filter->Bytes.load() > 0; }, 10000));
  EXPECT_TRUE(lctest::PumpUntil([&] { return !InGraph(Old); }, 30000)) << "the old graph let go after its stop";
}

TFilterGraph* RenderToAbandon = nullptr;
void CALLBACK AbandonTheRender(HWND, UINT, UINT_PTR Timer, DWORD) {
  KillTimer(nullptr, Timer);
  if (RenderToAbandon != nullptr) RenderToAbandon->AbandonRender();
  RenderToAbandon = nullptr;
}

// A render that waits on a slow parser keeps the GUI thread answering: its
// messages are dispatched, the graph builder's callbacks run on it, and a
// timer abandons the render. RenderFile returns then, the render still
// waiting, with the component inactive and nothing shown; the abandoned
// render ends on its own with its graph and its later callbacks reach no
// handler, and the next graph renders and plays with a fresh filter.
TEST_F(FilterGraphTest, ARenderAbandonedAsItWaitsEndsOnItsOwnAndTheNextOnePlays) {
  const DWORD Gui = GetCurrentThreadId();
  int SelectedAfter = 0, ElsewhereSelected = 0;
  Graph.OnSelectedFilter = [&](IMoniker*, const std::wstring&, const GUID&) {
    if (RenderToAbandon == nullptr) ++SelectedAfter;
    if (GetCurrentThreadId() != Gui) ++ElsewhereSelected;
    return true;
  };
  Graph.SetActive(true);
  TPassFilter* Old = Recorder.Filter;
  Old->CheckMs = 3000;
  RenderToAbandon = &Graph;
  SetTimer(nullptr, 0, 300, AbandonTheRender);
  Log.clear();
  EXPECT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), E_ABORT);
  EXPECT_EQ(RenderToAbandon, nullptr) << "the timer ran during the render";
  EXPECT_FALSE(Old->InputPin()->IsConnected()) << "the render had got past the slow media type check";
  EXPECT_TRUE(Graph.RenderAbandoned());
  EXPECT_FALSE(Graph.Active());
  EXPECT_TRUE(Messages.empty());
  const std::vector<std::string> Left = {"control 3 0", "control 7 0", "notify 4 in"};
  EXPECT_EQ(Log, Left);
  ASSERT_EQ(Recorder.Left, Old);
  EXPECT_TRUE(lctest::PumpUntil([&] { return !InGraph(Old); }, 30000)) << "the abandoned render ended and let go";
  EXPECT_EQ(SelectedAfter, 0) << "a callback of the abandoned render reached the handler";

  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  EXPECT_FALSE(Graph.RenderAbandoned());
  EXPECT_GT(SelectedAfter, 0) << "the next render's callbacks reach it";
  EXPECT_EQ(ElsewhereSelected, 0) << "a callback ran off the GUI thread";
  ASSERT_TRUE(Graph.Play());
  EXPECT_TRUE(lctest::PumpUntil([&] { return Recorder.Filter->Bytes.load() > 0; }, 10000));
}

TEST_F(FilterGraphTest, ARefusedFilterIsSkippedForTheNextCandidate) {
  std::vector<std::wstring> offered;
  Graph.OnSelectedFilter = [&](IMoniker*, const std::wstring& Name, const GUID&) {
    offered.push_back(Name);
    return offered.size() > 1 && Name != offered.front();
  };
  Graph.SetActive(true);
  const HRESULT hr = Graph.RenderFile(lctest::MediaPath("tone.wav"));
  EXPECT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
  ASSERT_GE(offered.size(), 2u);
  IFilterGraph* graph = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&graph)), S_OK);
  const std::vector<std::wstring> names = lctest::FilterNames(graph);
  graph->Release();
  EXPECT_EQ(std::find(names.begin(), names.end(), offered.front()), names.end())
      << "the refused filter is not in the graph";
  EXPECT_TRUE(Recorder.Filter->OutputPin()->IsConnected()) << "the file was rendered without it";
}

// An exception of a graph-builder callback does not vanish: the builder
// goes on as without a handler, and the exception reaches the application's
// exception handling after the render, on this (the GUI) thread.
TEST_F(FilterGraphTest, AnExceptionOfAFilterCallbackIsReportedAfterTheRender) {
  std::vector<std::string> reported;
  bool rendering = false, duringRender = false;
  DWORD thread = 0;
  Application.OnException = [&](TComponent*, std::exception_ptr Error) {
    duringRender = duringRender || rendering;
    thread = GetCurrentThreadId();
    try {
      std::rethrow_exception(Error);
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  };
  Graph.OnSelectedFilter = [](IMoniker*, const std::wstring&, const GUID&) -> bool {
    throw std::runtime_error("selected");
  };
  Graph.OnCreatedFilter = [](IBaseFilter*, const GUID&) -> bool { throw std::runtime_error("created"); };
  Graph.SetActive(true);
  rendering = true;
  EXPECT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  rendering = false;
  EXPECT_TRUE(Recorder.Filter->OutputPin()->IsConnected()) << "rendered as without handlers";
  EXPECT_TRUE(lctest::PumpUntil([&] { return reported.size() >= 2; }, 5000));
  EXPECT_FALSE(duringRender);
  EXPECT_EQ(thread, GetCurrentThreadId());
  EXPECT_NE(std::find(reported.begin(), reported.end(), "selected"), reported.end());
  EXPECT_NE(std::find(reported.begin(), reported.end(), "created"), reported.end());
}

TEST_F(FilterGraphTest, GraphEditRegistersTheActiveGraphInTheRunningObjectTable) {
  const auto count = [] {
    IRunningObjectTable* table = nullptr;
    IEnumMoniker* monikers = nullptr;
    int items = 0;
    if (SUCCEEDED(GetRunningObjectTable(0, &table)) && SUCCEEDED(table->EnumRunning(&monikers))) {
      IMoniker* moniker = nullptr;
      while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        ++items;
        moniker->Release();
      }
      monikers->Release();
    }
    if (table != nullptr) table->Release();
    return items;
  };
  const int before = count();
  Graph.SetGraphEdit(true);  // stored while inactive
  EXPECT_EQ(count(), before);
  Graph.SetActive(true);
  EXPECT_EQ(count(), before + 1);
  Graph.SetGraphEdit(false);
  EXPECT_EQ(count(), before);
  Graph.SetGraphEdit(true);
  Graph.SetActive(false);
  EXPECT_EQ(count(), before);
}

TEST_F(FilterGraphTest, AModeChangeRebuildsAnActiveGraphOfTheNewKind) {
  Graph.SetActive(true);
  Log.clear();
  Graph.SetMode(TGraphMode::gmCapture);
  ASSERT_TRUE(Graph.Active());
  const std::vector<std::string> rebuilt = {"control 7 0", "notify 2 in", "notify 3 out",
                                            "notify 0 out", "notify 1 in", "activate", "control 7 1"};
  EXPECT_EQ(Log, rebuilt);
  ICaptureGraphBuilder2* capture = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_ICaptureGraphBuilder2, reinterpret_cast<void**>(&capture)), S_OK);
  IGraphBuilder* builderGraph = nullptr;
  EXPECT_EQ(capture->GetFiltergraph(&builderGraph), S_OK);
  capture->Release();
  IFilterGraph* graph = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&graph)), S_OK);
  EXPECT_TRUE(builderGraph != nullptr && lctest::FilterNames(graph) == std::vector<std::wstring>{L"Pass"})
      << "the capture builder works on the component's graph, which holds the registered filter";
  if (builderGraph != nullptr) builderGraph->Release();
  graph->Release();
}

// This platform's DVD graph builder exists but gives no graph: the
// component then stays inactive, answers no graph interface and plays
// nothing, telling no sink.
TEST_F(FilterGraphTest, ADvdBuilderWithoutAGraphLeavesTheComponentInactive) {
  IDvdGraphBuilder* probe = nullptr;
  IGraphBuilder* probeGraph = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                             reinterpret_cast<void**>(&probe)),
            S_OK);
  const HRESULT platform = probe->GetFiltergraph(&probeGraph);
  probe->Release();
  ASSERT_TRUE(FAILED(platform)) << "this platform's DVD builder gives a graph: the case does not arise";
  Graph.SetActive(true);
  Graph.SetMode(TGraphMode::gmDVD);
  EXPECT_FALSE(Graph.Active());
  EXPECT_FALSE(InGraph(Recorder.Filter));
  IFilterGraph* graph = nullptr;
  EXPECT_EQ(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&graph)), E_NOINTERFACE);
  EXPECT_EQ(graph, nullptr);
  Log.clear();
  EXPECT_FALSE(Graph.Play());
  EXPECT_TRUE(Log.empty()) << Log.front();
  Graph.SetMode(TGraphMode::gmNormal);
  EXPECT_FALSE(Graph.Active()) << "the remembered state was inactive";
}

// Movies with picture and sound, sought while playing and while paused:
// the position reads back at once, both streams go on from there to the
// completion event, and Stop returns. The sound that passes the registered
// filter after the seek is about the second left after the new position.
struct TSeekCase {
  const char* File;
  int SeekMs;  // one second before the end
};

class SeeksMovies : public FilterGraphTest, public ::testing::WithParamInterface<TSeekCase> {
 protected:
  void Open() {
    Graph.OnGraphComplete = [this](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
    Graph.SetActive(true);
    ASSERT_EQ(Graph.RenderFile(lctest::MediaPath(GetParam().File)), S_OK);
    lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
    ASSERT_TRUE(Recorder.Filter->InputPin()->IsConnected());
    ASSERT_TRUE(Graph.Play());
    ASSERT_TRUE(lctest::PumpUntil([this] { return PositionMs() >= 400; }, 10000)) << "playback started";
  }
  int PositionMs() { return int(Graph.Position().value_or(-10000) / 10000); }
  // The seek as the player asks it, done by the graph's worker.
  void Seek() {
    ASSERT_TRUE(Graph.SeekTo(LONGLONG(GetParam().SeekMs) * 10000));
    ASSERT_TRUE(Graph.WaitForGraph(10000)) << "the seek was done";
  }
  // Plays on from the seek to the completion event and stops.
  void ExpectCompletionAndStop() {
    EXPECT_TRUE(lctest::PumpUntil([this] { return Completed; }, 10000)) << "EC_COMPLETE after the seek";
    const long rate = Recorder.Filter->BytesPerSecond.load();
    ASSERT_GT(rate, 0);
    EXPECT_NEAR(double(Recorder.Filter->BytesSinceStop.load()) / rate, 1.0, 0.4)
        << "seconds of sound after the seek (its stop)";
    ExpectStopReturns();
  }
  // A Stop that hangs ends the program: nothing after it could run.
  void ExpectStopReturns() {
    ASSERT_TRUE(Graph.Stop());
    if (!Graph.WaitForGraph(10000)) {
      ADD_FAILURE() << "Stop did not return";
      fflush(stdout);
      TerminateProcess(GetCurrentProcess(), 3);
    }
  }

  bool Completed = false;
};

TEST_P(SeeksMovies, WhilePlaying) {
  Open();
  Seek();
  EXPECT_NEAR(PositionMs(), GetParam().SeekMs, 250);
  ExpectCompletionAndStop();
}

TEST_P(SeeksMovies, WhilePausedAndPlaysOnFromThere) {
  Open();
  Graph.Pause();
  ASSERT_TRUE(Graph.WaitForGraph(10000));
  Seek();
  EXPECT_NEAR(PositionMs(), GetParam().SeekMs, 100);
  lctest::PumpUntil([] { return false; }, 400);
  EXPECT_NEAR(PositionMs(), GetParam().SeekMs, 100) << "still paused";
  EXPECT_FALSE(Completed);
  ASSERT_TRUE(Graph.Play());
  ExpectCompletionAndStop();
}

// Seeks asked while the graph is slow to stop: no call waits for the
// graph, the position answers where the seeks lead at once, the seeks
// asked while one is under way end in one (a seek of a playing graph
// stops it), and both streams play on from the last one.
TEST_F(FilterGraphTest, SeeksAskedFasterThanTheGraphStopsEndInOne) {
  bool Completed = false;
  Graph.OnGraphComplete = [&](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("movie_h264.mp4")), S_OK);
  lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
  ASSERT_TRUE(Graph.Play());
  ASSERT_TRUE(lctest::PumpUntil([&] { return Graph.Position().value_or(0) >= 4000000; }, 10000));
  Recorder.Filter->StopMs = 1000;
  Recorder.Filter->Stops = 0;
  DWORD Longest = 0;
  const auto Timed = [&](auto Call) {
    const DWORD Start = GetTickCount();
    Call();
    Longest = std::max(Longest, GetTickCount() - Start);
  };
  for (int Step = 0; Step <= 10; ++Step) {
    Timed([&] { Graph.SeekTo(10000000 + Step * 1000000LL); });
    Timed([&] { EXPECT_EQ(Graph.Position().value_or(-1), 10000000 + Step * 1000000LL) << "step " << Step; });
    Timed([&] { EXPECT_GT(Graph.GetDuration(), 3900); });
    Sleep(20);
  }
  EXPECT_LT(Longest, 500u) << "a call waited for the graph";
  ASSERT_TRUE(Graph.WaitForGraph(10000));
  Recorder.Filter->StopMs = 0;
  EXPECT_EQ(Recorder.Filter->Stops.load(), 2) << "stops: the first seek's and the last one's";
  EXPECT_TRUE(lctest::PumpUntil([&] { return Completed; }, 10000)) << "EC_COMPLETE after the seeks";
  const long Rate = Recorder.Filter->BytesPerSecond.load();
  ASSERT_GT(Rate, 0);
  EXPECT_NEAR(double(Recorder.Filter->BytesSinceStop.load()) / Rate, 2.0, 0.4)
      << "seconds of sound after the last seek, to 2 s of 4";
}

INSTANTIATE_TEST_SUITE_P(Media, SeeksMovies,
                         ::testing::Values(TSeekCase{"movie_h264.mp4", 3000}, TSeekCase{"clip.avi", 2000}),
                         [](const auto& Info) { return std::string(Info.param.File[0] == 'm' ? "H264Aac" : "AviPcm"); });

// Every generated movie renders, passes its audio through the registered
// filter and plays to its completion event, which arrives on this (the GUI)
// thread through the event window.
class PlaysToCompletion : public FilterGraphTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlaysToCompletion, RendersAndCompletesOnTheGuiThread) {
  DWORD completeThread = 0;
  HRESULT completeResult = E_FAIL;
  Graph.OnGraphComplete = [&](TFilterGraph*, HRESULT Result, IBaseFilter*) {
    completeThread = GetCurrentThreadId();
    completeResult = Result;
  };
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath(GetParam())), S_OK);
  lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
  EXPECT_TRUE(Recorder.Filter->InputPin()->IsConnected())
      << "the registered filter is in the audio path; the graph holds: " << [&] {
           IFilterGraph* graph = nullptr;
           std::string names;
           if (SUCCEEDED(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&graph)))) {
             for (const std::wstring& name : lctest::FilterNames(graph)) names += EncodeText(name) + "; ";
             graph->Release();
           }
           return names;
         }();
  const int duration = Graph.GetDuration();
  EXPECT_GT(duration, 900);
  Log.clear();
  ASSERT_TRUE(Graph.Play());
  EXPECT_TRUE(lctest::PumpUntil([&] { return completeThread != 0; }, duration + 20000));
  EXPECT_EQ(completeThread, GetCurrentThreadId());
  EXPECT_EQ(completeResult, S_OK);
  EXPECT_GT(Recorder.Filter->Bytes.load(), 0);
  // The sink hears the completion before OnDSEvent.
  const auto sink = std::find(Log.begin(), Log.end(), "sink event 1");
  const auto event = std::find(Log.begin(), Log.end(), "event 1");
  EXPECT_TRUE(sink < event && event != Log.end());
  EXPECT_EQ(Log.front(), "control 0 0");
  EXPECT_TRUE(Graph.Stop());
}

INSTANTIATE_TEST_SUITE_P(Media, PlaysToCompletion,
                         ::testing::Values("tone.wav", "clip.avi", "clip.mp4", "clip.mkv", "demo.mp4"));

}  // namespace
