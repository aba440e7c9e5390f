// TDSVideoWindowEx2 and the graph: its renderer in every graph, the control
// operations and graph events, the renderer window, the key colour.
#include <algorithm>
#include <memory>
#include <utility>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/com_helpers.h"
#include "engine/filters/video_renderer.h"
#include "engine/graph/filter_graph.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/overlay_mixer.h"
#include "engine/graph/video_window.h"
#include "framework/application.h"
#include "framework/ole_automation.h"

namespace {

// Whether the desktop is composed (then no hardware overlay shows, even
// where a mixer exists). Asked of dwmapi when the system has it.
bool DesktopComposed() {
  HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm) return false;
  using TIsEnabled = HRESULT(WINAPI*)(BOOL*);
  BOOL enabled = FALSE;
  const auto isEnabled =
      reinterpret_cast<TIsEnabled>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  if (!isEnabled || FAILED(isEnabled(&enabled))) enabled = FALSE;
  FreeLibrary(dwm);
  return enabled != FALSE;
}

// Whether this platform can show the picture through an Overlay Mixer: the
// mixer exists and the desktop is not composed (asked once).
bool OverlayMixerAvailable() {
  static const bool available = [] {
    if (DesktopComposed()) return false;
    IBaseFilter* mixer = nullptr;
    if (FAILED(CoCreateInstance(CLSID_OverlayMixer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                reinterpret_cast<void**>(&mixer))))
      return false;
    mixer->Release();
    return true;
  }();
  return available;
}

// Stops the filter and disconnects each of its pins and their partners.
void StopAndDisconnect(IBaseFilter* Filter) {
  Filter->Stop();
  IEnumPins* pins = nullptr;
  if (FAILED(Filter->EnumPins(&pins))) return;
  IPin* pin = nullptr;
  while (pins->Next(1, &pin, nullptr) == S_OK) {
    if (IPin* peer = PeerOf(pin)) {
      peer->Disconnect();
      peer->Release();
    }
    pin->Disconnect();
    pin->Release();
  }
  pins->Release();
}

}  // namespace

// Joins the graph component as one of its filters and event sinks.
void TDSVideoWindowEx2::SetFilterGraph(TFilterGraph* Value) {
  if (Value == FFilterGraph) return;
  if (FFilterGraph) {
    FFilterGraph->RemoveFilter(this);
    FFilterGraph->RemoveEventSink(this);
  }
  if (Value) {
    Value->InsertFilter(this);
    Value->InsertEventSink(this);
  }
  FFilterGraph = Value;
}

// A fresh renderer for every graph: the Video Renderer where an Overlay
// Mixer can take over the picture, else the control's own.
void TDSVideoWindowEx2::CreateRenderer() {
  if (OverlayMixerAvailable())
    CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                     reinterpret_cast<void**>(&FRenderer));
  if (FRenderer) return;
  FOwnRenderer = new TVideoFrameRenderer();
  FRenderer = FOwnRenderer;
  Surface().ClearFrame();
  Surface().SetRenderer(FOwnRenderer);
  FOwnRenderer->SetPresenter(&Surface());
}

void TDSVideoWindowEx2::ReleaseGraphObjects() {
  if (FExclMode) FExclMode->SetCallbackInterface(nullptr, 0);
  ReleaseAndNil(FExclMode);
  ReleaseAndNil(FCallback);
  ReleaseAndNil(FMixer);
  ReleaseAndNil(FGraphRenderer);
  ReleaseAndNil(FVideoWindow);
  if (FOwnRenderer) {
    // The picture goes with the renderer, as a renderer's window would.
    FOwnRenderer->SetPresenter(nullptr);
    Surface().SetRenderer(nullptr);
    Surface().ClearFrame();
    FOwnRenderer = nullptr;
    Invalidate();
  }
  ReleaseAndNil(FRenderer);
  FOverlayInUse = false;
  FOverlayVisible = false;
}

void TDSVideoWindowEx2::NotifyFilter(int Operation, int) {
  switch (Operation) {
    case foAdding:
      FInsertAttempted = false;
      ReleaseGraphObjects();
      CreateRenderer();
      break;
    case foAdded:
      if (FRenderer && !FOwnRenderer)
        FRenderer->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&FVideoWindow));
      break;
    case foRemoving:
      if (FMixer) {
        FColorControl->RestoreDefaults();
        StopAndDisconnect(FMixer);
      }
      if (FRenderer) StopAndDisconnect(FRenderer);
      if (FExclMode) FExclMode->SetCallbackInterface(nullptr, 0);
      ReleaseAndNil(FCallback);
      break;
    case foRemoved:
    case foLeft:
      // Left in a graph that did not let go, the renderer is cut from the
      // picture and let go; the next graph gets a new one.
      FInsertAttempted = false;
      ReleaseGraphObjects();
      break;
    default: break;
  }
  PickPresenter();
}

// Puts the mixer in (or, failing that, the own renderer in place of the
// platform's) and brings the colour controls and the renderer window up.
void TDSVideoWindowEx2::Insert() {
  if (FOwnRenderer) {
    FInsertAttempted = true;
    FOverlayInUse = false;
  } else {
    FOverlayInUse = SUCCEEDED(InsertOverlayMixer());
    if (!FOverlayInUse) ReplaceRendererWithOwn();
  }
  if (FOverlayInUse || FOwnRenderer) {
    FColorControl->ReadDefaultColorControls();
    FColorControl->ApplyColorControls();
  }
  AttachVideoWindow();
  PickPresenter();
}

void TDSVideoWindowEx2::ControlEvent(int Operation, int) {
  switch (Operation) {
    case coRenderAfter:
      Insert();
      if (FOwnRenderer && FFilterGraph) {
        const std::shared_ptr<const TAviKeyFrames> keys = FFilterGraph->AviKeyFrames();
        FOwnRenderer->SetKeyFrames(
            keys->Mpeg4, keys->Indexed ? std::shared_ptr<const std::vector<TKeyFrame>>(keys, &keys->KeyFrames) : nullptr);
      }
      break;
    case coPlay:
    case coPause:
      if (!FInsertAttempted) Insert();
      if (FOverlayInUse && !FOverlayVisible) {
        FOverlayVisible = true;
        if (OnOverlayVisible) OnOverlayVisible(this, true);
        RepaintVideo();
      }
      break;
    case coStop:
      if (!FInsertAttempted) Insert();
      if (FOverlayInUse && FOverlayVisible) {
        FOverlayVisible = false;
        RepaintVideo();
        if (OnOverlayVisible) OnOverlayVisible(this, false);
      }
      break;
    default: break;
  }
}

void TDSVideoWindowEx2::GraphEvent(int Event, LONG_PTR, LONG_PTR) {
  if (Event == EC_PALETTE_CHANGED) {
    AttachVideoWindow();
  } else if (Event == EC_CLOCK_CHANGED) {
    if (FOverlayInUse) ApplyColorKey();
    SetDigitalZoom(FDigitalZoom);
    SetAspectRatio(FAspectRatio);
    if (FOverlayInUse) RepaintVideo();
  }
}

// Takes the platform renderer out and connects the decoder to the own
// renderer instead; on failure the old link is made again.
bool TDSVideoWindowEx2::ReplaceRendererWithOwn() {
  if (!FRenderer || !FFilterGraph) return false;
  IGraphBuilder* graph = nullptr;
  if (FAILED(FFilterGraph->QueryInterface(IID_IGraphBuilder, reinterpret_cast<void**>(&graph))))
    return false;
  IPin* oldInput = FirstPin(FRenderer);
  IPin* upstream = nullptr;
  if (oldInput) upstream = PeerOf(oldInput);
  bool done = false;
  if (upstream) {
    upstream->Disconnect();
    oldInput->Disconnect();
    auto* own = new TVideoFrameRenderer();
    if (SUCCEEDED(graph->AddFilter(own, Name.c_str())) &&
        SUCCEEDED(graph->Connect(upstream, own->InputPin()))) {
      graph->RemoveFilter(FRenderer);
      ReleaseAndNil(FVideoWindow);
      ReleaseAndNil(FRenderer);
      FOwnRenderer = own;
      FRenderer = own;
      Surface().ClearFrame();
      Surface().SetRenderer(own);
      own->SetPresenter(&Surface());
      done = true;
    } else {
      graph->RemoveFilter(own);
      own->Release();
      graph->Connect(upstream, oldInput);
    }
  }
  if (upstream) upstream->Release();
  if (oldInput) oldInput->Release();
  graph->Release();
  return done;
}

// The mixer insertion of overlay_mixer.cpp, on this control's graph. After
// a failure a Video Mixing Renderer may have taken the place of the
// control's renderer: it becomes the renderer whose window is attached.
HRESULT TDSVideoWindowEx2::InsertOverlayMixer() {
  ReleaseAndNil(FMixer);
  ReleaseAndNil(FGraphRenderer);
  FInsertAttempted = true;
  IGraphBuilder* graph = nullptr;
  if (!FFilterGraph ||
      FAILED(FFilterGraph->QueryInterface(IID_IGraphBuilder, reinterpret_cast<void**>(&graph))))
    return E_NOINTERFACE;
  TMixerInsertion found;
  const HRESULT hr = ::InsertOverlayMixer(graph, FRenderer, CreateFilterInProcess, found);
  graph->Release();
  std::swap(FGraphRenderer, found.Renderer);
  if (SUCCEEDED(hr)) {
    std::swap(FMixer, found.Mixer);
    RegisterCallback();
  } else if (found.VmrInPlace) {
    ReleaseAndNil(FVideoWindow);
    ReleaseAndNil(FRenderer);
    std::swap(FRenderer, found.VmrInPlace);
    FRenderer->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&FVideoWindow));
  }
  return hr;
}

bool TDSVideoWindowEx2::PicturePosition(LONGLONG& Position) const {
  REFERENCE_TIME shown = 0;
  if (!FOwnRenderer || !FOwnRenderer->ShownPosition(shown)) return false;
  const REFERENCE_TIME start = FFilterGraph ? FFilterGraph->PictureStart() : 0;
  Position = std::max<REFERENCE_TIME>(shown - start, 0);
  return true;
}

void TDSVideoWindowEx2::AttachVideoWindow() {
  if (!FVideoWindow) return;
  HWND parent = Parent() ? Parent()->Handle() : GetParent(Handle());
  FVideoWindow->put_Owner(reinterpret_cast<OAHWND>(parent));
  FVideoWindow->put_WindowStyle(FWindowStyle | WS_CHILD | WS_CLIPSIBLINGS);
  FVideoWindow->put_WindowStyleEx(FWindowExStyle);
  FVideoWindow->SetWindowPosition(Left(), Top(), Width(), Height());
  if (!Name.empty()) {
    BSTR caption = late::SysAllocString(Name.c_str());
    FVideoWindow->put_Caption(caption);
    late::SysFreeString(caption);
  }
  FVideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(Handle()));
  Application.ProcessMessages();
  FVideoWindow->put_AutoShow(OATRUE);
}

void TDSVideoWindowEx2::ApplyColorKey() {
  if (!FOverlayInUse) return;
  HWND parent = Parent() ? Parent()->Handle() : GetParent(Handle());
  HWND window = FindWindowExW(parent, nullptr, L"VideoRenderer", Name.c_str());
  if (!window) window = FindWindowW(L"VideoRenderer", Name.c_str());
  if (!window) return;
  SetWindowPos(window, Handle(), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
  IMixerPinConfig2* config = MixerPinConfig();
  if (!config) return;
  COLORKEY key = {};
  DWORD color = 0;
  if (SUCCEEDED(config->GetColorKey(&key, &color))) {
    FColorKey.store(key.HighColorValue);
    if (OnColorKeyChanged) OnColorKeyChanged(this);
  }
  config->Release();
}

IMixerPinConfig2* TDSVideoWindowEx2::MixerPinConfig() {
  IPin* pin = FMixer ? FirstPin(FMixer) : nullptr;
  IMixerPinConfig2* config = nullptr;
  if (pin) pin->QueryInterface(IID_IMixerPinConfig2, reinterpret_cast<void**>(&config));
  if (pin) pin->Release();
  return config;
}

void TDSVideoWindowEx2::RegisterCallback() {
  if (!FMixer) return;
  if (FAILED(FMixer->QueryInterface(IID_IDDrawExclModeVideo, reinterpret_cast<void**>(&FExclMode))))
    return;
  ReleaseAndNil(FCallback);
  FCallback = new TOverlayCallback(this);
  FExclMode->SetCallbackInterface(FCallback, 0);
}
