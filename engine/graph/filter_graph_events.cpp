// The event window of TFilterGraph and the dispatch of graph events to the
// component's events. GUI thread.
#include <iterator>

#include "engine/graph/filter_graph.h"
#include "engine/graph/graph_site.h"
#include "engine/graph/graph_utils.h"
#include "framework/application.h"

namespace {

const wchar_t kWindowClass[] = L"TFilterGraphEventWindow";

void RegisterWindowClass(WNDPROC Proc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW window{};
  window.lpfnWndProc = Proc;
  window.hInstance = GetModuleHandleW(nullptr);
  window.lpszClassName = kWindowClass;
  registered = RegisterClassW(&window) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

using TNotifyMember = TGraphNotifyEvent TGraphEvents::*;
using TResultMember = TGraphResultEvent TGraphEvents::*;
using TIntMember = TGraphIntEvent TGraphEvents::*;
using TIntPairMember = TGraphIntPairEvent TGraphEvents::*;
using TBoolMember = TGraphBoolEvent TGraphEvents::*;

// Events without arguments.
const struct {
  int Code;
  TNotifyMember Event;
} kNotifyEvents[] = {
    {0x02, &TGraphEvents::OnGraphUserAbort},       {0x09, &TGraphEvents::OnGraphPaletteChanged},
    {0x0B, &TGraphEvents::OnGraphQualityChange},   {0x0D, &TGraphEvents::OnGraphClockChanged},
    {0x24, &TGraphEvents::OnGraphStepComplete},    {0x50, &TGraphEvents::OnGraphChanged},
    {0x51, &TGraphEvents::OnGraphClockUnset},      {0x10A, &TGraphEvents::OnDVDStillOff},
    {0x10E, &TGraphEvents::OnDVDChapterAutoStop},  {0x10F, &TGraphEvents::OnDVDNoFP_PGC},
    {0x112, &TGraphEvents::OnDVDPlaybackStopped},  {0x114, &TGraphEvents::OnDVDPlayPeriodAutoStop},
    {0x118, &TGraphEvents::OnDVDDiscEjected},      {0x119, &TGraphEvents::OnDVDDiscInserted},
};

// Events with the result in P1.
const struct {
  int Code;
  TResultMember Event;
} kResultEvents[] = {
    {0x03, &TGraphEvents::OnGraphErrorAbort},
    {0x08, &TGraphEvents::OnGraphErrorStillPlaying},
    {0x0E, &TGraphEvents::OnGraphPaused},
};

// Events with P1 as their one value.
const struct {
  int Code;
  TIntMember Event;
} kIntEvents[] = {
    {0x53, &TGraphEvents::OnGraphVMRRenderDevice},     {0x102, &TGraphEvents::OnDVDTitleChange},
    {0x103, &TGraphEvents::OnDVDChapterStart},         {0x108, &TGraphEvents::OnDVDValidUOPSChange},
    {0x111, &TGraphEvents::OnDVDParentalLevelChange},  {0x115, &TGraphEvents::OnDVDButtonAutoActivated},
    {0x116, &TGraphEvents::OnDVDCMDStart},             {0x117, &TGraphEvents::OnDVDCMDEnd},
};

// Events with P1 and P2 as two values.
const struct {
  int Code;
  TIntPairMember Event;
} kIntPairEvents[] = {
    {0x06, &TGraphEvents::OnGraphStreamErrorStopped},  {0x07, &TGraphEvents::OnGraphStreamErrorStillPlaying},
    {0x31, &TGraphEvents::OnGraphEXTDeviceModeChange}, {0x106, &TGraphEvents::OnDVDAngleChange},
    {0x107, &TGraphEvents::OnDVDButtonChange},         {0x200, &TGraphEvents::OnGraphSNDDevInError},
    {0x201, &TGraphEvents::OnGraphSNDDevOutError},
};

// Events with the flag P1 = 1.
const struct {
  int Code;
  TBoolMember Event;
} kBoolEvents[] = {
    {0x10, &TGraphEvents::OnGraphOpeningFile},
    {0x11, &TGraphEvents::OnGraphBufferingData},
    {0x113, &TGraphEvents::OnDVDAnglesAvailable},
};

// Sub-codes of the DVD domain (0x101), error (0x10C) and warning (0x10D)
// events.
const struct {
  int Code;
  int Sub;
  TNotifyMember Event;
} kDVDSubEvents[] = {
    {0x101, 1, &TGraphEvents::OnDVDDomainFirstPlay},
    {0x101, 2, &TGraphEvents::OnDVDDomainVideoManagerMenu},
    {0x101, 3, &TGraphEvents::OnDVDDomainVideoTitleSetMenu},
    {0x101, 4, &TGraphEvents::OnDVDDomainTitle},
    {0x101, 5, &TGraphEvents::OnDVDDomainStop},
    {0x10C, 1, &TGraphEvents::OnDVDErrorUnexpected},
    {0x10C, 3, &TGraphEvents::OnDVDErrorInvalidDVD1_0Disc},
    {0x10C, 4, &TGraphEvents::OnDVDErrorInvalidDiscRegion},
    {0x10C, 5, &TGraphEvents::OnDVDErrorLowParentalLevel},
    {0x10C, 7, &TGraphEvents::OnDVDErrorIncompatibleSystemAndDecoderRegions},
    {0x10C, 8, &TGraphEvents::OnDVDErrorIncompatibleDiscAndDecoderRegions},
    {0x10D, 1, &TGraphEvents::OnDVDWarningInvalidDVD1_0Disc},
    {0x10D, 2, &TGraphEvents::OnDVDWarningFormatNotSupported},
    {0x10D, 3, &TGraphEvents::OnDVDWarningIllegalNavCommand},
    {0x10D, 4, &TGraphEvents::OnDVDWarningOpen},
    {0x10D, 5, &TGraphEvents::OnDVDWarningSeek},
    {0x10D, 6, &TGraphEvents::OnDVDWarningRead},
};

int I(LONG_PTR Value) { return static_cast<int>(Value); }

}  // namespace

TFilterGraph::TFilterGraph() {
  RegisterWindowClass(EventWindowProc);
  Window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (Window_ != nullptr) SetWindowLongPtrW(Window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// An exception of an event handler ends the draining of this notification
// and goes to the application's exception handling.
LRESULT CALLBACK TFilterGraph::EventWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* graph = reinterpret_cast<TFilterGraph*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (Message == WM_GRAPHEXCEPTION && graph != nullptr) {
    graph->DeliverExceptions();
    return 0;
  }
  if (Message == WM_FRAGMENTSWALKED && graph != nullptr) {
    try {
      graph->FragmentsWalked();
    } catch (...) {
      Application.HandleException(std::current_exception());
    }
    return 0;
  }
  if (Message == WM_GRAPHSTATEFAILED && graph != nullptr) {
    graph->DeliverStateFailures();
    return 0;
  }
  if (Message == WM_GRAPHCALLBACK) return TGraphSite::RunSentCall(LParam);
  if (Message != WM_GRAPHNOTIFY || graph == nullptr) return DefWindowProcW(Window, Message, WParam, LParam);
  try {
    graph->HandleEvents();
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
  return 0;
}

void TFilterGraph::PostException(std::exception_ptr Error) {
  {
    std::lock_guard<std::mutex> lock(ExceptionsLock_);
    Exceptions_.push_back(std::move(Error));
  }
  PostMessageW(Window_, WM_GRAPHEXCEPTION, 0, 0);
}

// Each exception goes to the application's exception handling on its own;
// during a render they wait for its end (RenderFile).
void TFilterGraph::DeliverExceptions() {
  if (Rendering_) return;
  std::vector<std::exception_ptr> pending;
  {
    std::lock_guard<std::mutex> lock(ExceptionsLock_);
    pending.swap(Exceptions_);
  }
  for (std::exception_ptr& error : pending) Application.HandleException(error);
}

void TFilterGraph::PostStateFailure(HRESULT Result) {
  {
    std::lock_guard<std::mutex> lock(ExceptionsLock_);
    StateFailures_.push_back(Result);
  }
  PostMessageW(Window_, WM_GRAPHSTATEFAILED, 0, 0);
}

// A handler that deactivates the graph (the player closes the movie) ends
// the delivery: the failures left were that graph's.
void TFilterGraph::DeliverStateFailures() {
  std::vector<HRESULT> pending;
  {
    std::lock_guard<std::mutex> lock(ExceptionsLock_);
    pending.swap(StateFailures_);
  }
  for (const HRESULT result : pending) {
    if (!Active_) return;
    try {
      if (OnGraphStateFailed)
        OnGraphStateFailed(this, result);
      else
        CheckDSError(result);
    } catch (...) {
      Application.HandleException(std::current_exception());
    }
  }
}

void TFilterGraph::HandleEvents() {
  long code = 0;
  LONG_PTR param1 = 0, param2 = 0;
  while (MediaEvent_ != nullptr && MediaEvent_->GetEvent(&code, &param1, &param2, 0) == S_OK) {
    IMediaEventEx* events = MediaEvent_;
    events->AddRef();
    try {
      HandleEvent(code, param1, param2);
    } catch (...) {
      events->FreeEventParams(code, param1, param2);
      events->Release();
      throw;
    }
    events->FreeEventParams(code, param1, param2);
    events->Release();
  }
}

void TFilterGraph::BroadcastGraphEvent(int Event, LONG_PTR Param1, LONG_PTR Param2) {
  for (IGraphEventSink* sink : Sinks_) sink->GraphEvent(Event, Param1, Param2);
}

void TFilterGraph::HandleEvent(int Event, LONG_PTR Param1, LONG_PTR Param2) {
  BroadcastGraphEvent(Event, Param1, Param2);
  if (OnDSEvent) OnDSEvent(this, Event, Param1, Param2);
  if (RaiseSimpleEvent(Event, Param1, Param2)) return;
  RaiseDVDEvent(Event, Param1, Param2);
}

namespace {
// Calls Raise with the event of the table row for Event; false when the
// table has no such row.
template <class Table, class F>
bool Dispatch(const Table& Rows, int Event, F Raise) {
  for (const auto& row : Rows) {
    if (row.Code != Event) continue;
    Raise(row.Event);
    return true;
  }
  return false;
}
}  // namespace

// The events whose arguments are taken straight from P1 and P2; true when
// the code was one of them.
bool TFilterGraph::RaiseSimpleEvent(int Event, LONG_PTR P1, LONG_PTR P2) {
  if (Dispatch(kNotifyEvents, Event, [&](TNotifyMember E) { if (this->*E) (this->*E)(this); }) ||
      Dispatch(kResultEvents, Event, [&](TResultMember E) { if (this->*E) (this->*E)(this, I(P1)); }) ||
      Dispatch(kIntEvents, Event, [&](TIntMember E) { if (this->*E) (this->*E)(this, I(P1)); }) ||
      Dispatch(kIntPairEvents, Event, [&](TIntPairMember E) { if (this->*E) (this->*E)(this, I(P1), I(P2)); }) ||
      Dispatch(kBoolEvents, Event, [&](TBoolMember E) { if (this->*E) (this->*E)(this, P1 == 1); }))
    return true;
  for (const auto& row : kDVDSubEvents) {
    if (row.Code != Event || row.Sub != P1) continue;
    if (this->*row.Event) (this->*row.Event)(this);
    return true;
  }
  switch (Event) {
    case 0x01:
      if (OnGraphComplete) OnGraphComplete(this, I(P1), reinterpret_cast<IBaseFilter*>(P2));
      return true;
    case 0x0A:
      if (OnGraphVideoSizeChanged) OnGraphVideoSizeChanged(this, I(P1) & 0xFFFF, (I(P1) >> 16) & 0xFFFF);
      return true;
    case 0x12:
      if (OnGraphFullscreenLost) OnGraphFullscreenLost(this, reinterpret_cast<IBaseFilter*>(P2));
      return true;
    case 0x18:
      if (OnGraphOleEvent)
        OnGraphOleEvent(this, reinterpret_cast<const wchar_t*>(P1), reinterpret_cast<const wchar_t*>(P2));
      return true;
    case 0x1A:
      if (OnGraphStreamControlStopped) OnGraphStreamControlStopped(this, reinterpret_cast<IPin*>(P1), I(P2));
      return true;
    case 0x1B:
      if (OnGraphStreamControlStarted) OnGraphStreamControlStarted(this, reinterpret_cast<IPin*>(P1), I(P2));
      return true;
    case 0x1C:
      if (OnGraphEndOfSegment && P1 != 0)
        OnGraphEndOfSegment(this, *reinterpret_cast<const REFERENCE_TIME*>(P1), I(P2));
      return true;
    case 0x1F:
      if (OnGraphDeviceLost) OnGraphDeviceLost(this, reinterpret_cast<IUnknown*>(P1), P2 == 1);
      return true;
    case 0x30:
      if (OnGraphTimeCodeAvailable) OnGraphTimeCodeAvailable(this, reinterpret_cast<IBaseFilter*>(P1), I(P2));
      return true;
    default:
      return false;
  }
}

// The DVD events whose arguments need work.
bool TFilterGraph::RaiseDVDEvent(int Event, LONG_PTR P1, LONG_PTR P2) {
  switch (Event) {
    case 0x104:
      if (OnDVDAudioStreamChange) RaiseDVDLanguage(true, I(P1));
      return true;
    case 0x105:
      if (OnDVDSubpictureStreamChange) RaiseDVDLanguage(false, I(P1));
      return true;
    case 0x109:
      if (OnDVDStillOn) OnDVDStillOn(this, P1 == 1 ? 1 : 0, I(P2));
      return true;
    case 0x10B: {
      if (!OnDVDCurrentTime) return true;
      const TTimeCodeDigits d = IntToTimeCode(static_cast<uint32_t>(P1));
      const int rate = d[8] == 1 ? 25 : d[8] == 3 ? 30 : 0;
      OnDVDCurrentTime(this, d[0] + 10 * d[1], d[2] + 10 * d[3], d[4] + 10 * d[5], d[6] + 10 * d[7], rate);
      return true;
    }
    case 0x110:
      if (OnDVDPlaybackRateChange) OnDVDPlaybackRateChange(this, static_cast<float>(I(P1) / 10000.0));
      return true;
    case 0x11A: {
      if (!OnDVDCurrentHMSFTime) return true;
      DVD_HMSF_TIMECODE hmsf;
      const auto bytes = static_cast<uint32_t>(P1);
      hmsf.bHours = static_cast<BYTE>(bytes);
      hmsf.bMinutes = static_cast<BYTE>(bytes >> 8);
      hmsf.bSeconds = static_cast<BYTE>(bytes >> 16);
      hmsf.bFrames = static_cast<BYTE>(bytes >> 24);
      OnDVDCurrentHMSFTime(this, hmsf, IntToTimeCode(static_cast<uint32_t>(P2)));
      return true;
    }
    case 0x11B:
      if (OnDVDKaraokeMode) OnDVDKaraokeMode(this, P1 != 0);
      return true;
    default:
      return false;
  }
}

// Audio: the language query must succeed (a failure raises); subpicture:
// its result is not examined, and a failed query reports language 0.
void TFilterGraph::RaiseDVDLanguage(bool Audio, int Stream) {
  IDvdInfo2* info = nullptr;
  if (FAILED(QueryInterface(IID_IDvdInfo2, reinterpret_cast<void**>(&info)))) return;
  LCID lcid = 0;
  HRESULT hr = Audio ? info->GetAudioLanguage(Stream, &lcid) : info->GetSubpictureLanguage(Stream, &lcid);
  info->Release();
  if (Audio) CheckDSError(hr);
  if (FAILED(hr)) lcid = 0;
  wchar_t name[260] = {};
  GetLocaleInfoW(lcid, LOCALE_SENGLANGUAGE, name, 260);
  if (Audio)
    OnDVDAudioStreamChange(this, Stream, lcid, name);
  else
    OnDVDSubpictureStreamChange(this, Stream, lcid, name);
}
