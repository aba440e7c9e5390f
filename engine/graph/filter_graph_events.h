// The events of the graph component: one per graph event code of the
// platform (see TFilterGraph::HandleEvent for the table), each raised on the
// GUI thread with the component as sender.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/graph_math.h"

class TFilterGraph;

using TGraphNotifyEvent = std::function<void(TFilterGraph* Sender)>;
using TGraphResultEvent = std::function<void(TFilterGraph* Sender, HRESULT Result)>;
using TGraphIntEvent = std::function<void(TFilterGraph* Sender, int Value)>;
using TGraphIntPairEvent = std::function<void(TFilterGraph* Sender, int First, int Second)>;
using TGraphBoolEvent = std::function<void(TFilterGraph* Sender, bool Value)>;
using TGraphFilterEvent = std::function<void(TFilterGraph* Sender, IBaseFilter* Filter)>;
using TGraphCompleteEvent = std::function<void(TFilterGraph* Sender, HRESULT Result, IBaseFilter* Renderer)>;
using TGraphVideoSizeEvent = std::function<void(TFilterGraph* Sender, int Width, int Height)>;
using TGraphOleEvent = std::function<void(TFilterGraph* Sender, const wchar_t* String1, const wchar_t* String2)>;
using TGraphPinCookieEvent = std::function<void(TFilterGraph* Sender, IPin* PinSender, int Cookie)>;
using TGraphEndOfSegmentEvent = std::function<void(TFilterGraph* Sender, int64_t StreamTime, int NumSegment)>;
using TGraphDeviceLostEvent = std::function<void(TFilterGraph* Sender, IUnknown* Device, bool Removed)>;
using TGraphTimeCodeEvent = std::function<void(TFilterGraph* Sender, IBaseFilter* From, int DeviceID)>;
using TDVDLanguageEvent = std::function<void(TFilterGraph* Sender, int Stream, LCID Lcid, const std::wstring& Lang)>;
using TDVDCurrentTimeEvent =
    std::function<void(TFilterGraph* Sender, int Hours, int Minutes, int Seconds, int Frames, int FrameRate)>;
using TDVDRateEvent = std::function<void(TFilterGraph* Sender, float Rate)>;
using TDVDHMSFTimeEvent =
    std::function<void(TFilterGraph* Sender, const DVD_HMSF_TIMECODE& HMSFTimeCode, const TTimeCodeDigits& TimeCode)>;

// Every graph event, with its code and both parameters.
using TOnDSEvent = std::function<void(TFilterGraph* Sender, int Event, LONG_PTR Param1, LONG_PTR Param2)>;
// Accept (true) or refuse a filter the graph builder chose / created; the
// builder found no way to render a pin (true: handled).
using TOnSelectedFilter = std::function<bool(IMoniker* Moniker, const std::wstring& FilterName, const GUID& ClassID)>;
using TOnCreatedFilter = std::function<bool(IBaseFilter* Filter, const GUID& ClassID)>;
using TOnUnableToRender = std::function<bool(IPin* Pin)>;

struct TGraphEvents {
  TGraphNotifyEvent OnActivate;
  TOnDSEvent OnDSEvent;
  TOnSelectedFilter OnSelectedFilter;
  TOnCreatedFilter OnCreatedFilter;
  TOnUnableToRender OnUnableToRender;

  // A change of state (run, pause or stop) that the graph's worker made
  // failed: the platform's result, raised on the GUI thread while the graph
  // that failed is the active one. Without a handler the failure goes to
  // the application's exception handling.
  TGraphResultEvent OnGraphStateFailed;

  TGraphCompleteEvent OnGraphComplete;
  TGraphNotifyEvent OnGraphUserAbort;
  TGraphResultEvent OnGraphErrorAbort;
  TGraphIntPairEvent OnGraphStreamErrorStopped;       // Operation, Value
  TGraphIntPairEvent OnGraphStreamErrorStillPlaying;  // Operation, Value
  TGraphResultEvent OnGraphErrorStillPlaying;
  TGraphNotifyEvent OnGraphPaletteChanged;
  TGraphVideoSizeEvent OnGraphVideoSizeChanged;
  TGraphNotifyEvent OnGraphQualityChange;
  TGraphNotifyEvent OnGraphClockChanged;
  TGraphResultEvent OnGraphPaused;
  TGraphBoolEvent OnGraphOpeningFile;
  TGraphBoolEvent OnGraphBufferingData;
  TGraphFilterEvent OnGraphFullscreenLost;
  TGraphOleEvent OnGraphOleEvent;
  TGraphPinCookieEvent OnGraphStreamControlStopped;
  TGraphPinCookieEvent OnGraphStreamControlStarted;
  TGraphEndOfSegmentEvent OnGraphEndOfSegment;
  TGraphDeviceLostEvent OnGraphDeviceLost;
  TGraphNotifyEvent OnGraphStepComplete;
  TGraphTimeCodeEvent OnGraphTimeCodeAvailable;
  TGraphIntPairEvent OnGraphEXTDeviceModeChange;  // NewMode, DeviceID
  TGraphNotifyEvent OnGraphChanged;
  TGraphNotifyEvent OnGraphClockUnset;
  TGraphIntEvent OnGraphVMRRenderDevice;
  TGraphIntPairEvent OnGraphSNDDevInError;   // OccurWhen, ErrorCode
  TGraphIntPairEvent OnGraphSNDDevOutError;  // OccurWhen, ErrorCode

  TGraphNotifyEvent OnDVDDomainFirstPlay, OnDVDDomainVideoManagerMenu, OnDVDDomainVideoTitleSetMenu,
      OnDVDDomainTitle, OnDVDDomainStop;
  TGraphIntEvent OnDVDTitleChange, OnDVDChapterStart;
  TDVDLanguageEvent OnDVDAudioStreamChange, OnDVDSubpictureStreamChange;
  TGraphIntPairEvent OnDVDAngleChange, OnDVDButtonChange;  // total, current
  TGraphIntEvent OnDVDValidUOPSChange;
  TGraphIntPairEvent OnDVDStillOn;  // NoButtonAvailable (0/1), seconds
  TGraphNotifyEvent OnDVDStillOff;
  TDVDCurrentTimeEvent OnDVDCurrentTime;
  TGraphNotifyEvent OnDVDErrorUnexpected, OnDVDErrorInvalidDVD1_0Disc, OnDVDErrorInvalidDiscRegion,
      OnDVDErrorLowParentalLevel, OnDVDErrorIncompatibleSystemAndDecoderRegions,
      OnDVDErrorIncompatibleDiscAndDecoderRegions;
  TGraphNotifyEvent OnDVDWarningInvalidDVD1_0Disc, OnDVDWarningFormatNotSupported, OnDVDWarningIllegalNavCommand,
      OnDVDWarningOpen, OnDVDWarningSeek, OnDVDWarningRead;
  TGraphNotifyEvent OnDVDChapterAutoStop, OnDVDNoFP_PGC;
  TDVDRateEvent OnDVDPlaybackRateChange;
  TGraphIntEvent OnDVDParentalLevelChange;
  TGraphNotifyEvent OnDVDPlaybackStopped;
  TGraphBoolEvent OnDVDAnglesAvailable;
  TGraphNotifyEvent OnDVDPlayPeriodAutoStop;
  TGraphIntEvent OnDVDButtonAutoActivated, OnDVDCMDStart, OnDVDCMDEnd;
  TGraphNotifyEvent OnDVDDiscEjected, OnDVDDiscInserted;
  TDVDHMSFTimeEvent OnDVDCurrentHMSFTime;
  TGraphBoolEvent OnDVDKaraokeMode;
};
