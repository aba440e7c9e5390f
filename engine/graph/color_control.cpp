#include "engine/graph/color_control.h"

#include <cstdio>
#include <string>

#include "engine/filters/com_helpers.h"
#include "engine/graph/filter_graph.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/video_window.h"
#include "framework/exceptions.h"

namespace {

constexpr TDDColorControl BuiltInDefaults = {40, 0x7F, 750, 10000, 0, 10000, 5, 1, 1, 0};

// Raises the range message when Value is outside Low..High; Range is the
// range as the message writes it.
void CheckRange(int Value, int Low, int High, const char* Range) {
  if (Value >= Low && Value <= High) return;
  char text[120];
  std::snprintf(text, sizeof text, "Value %d out of range. Value must bee between %s", Value, Range);
  throw Exception(text);
}

}  // namespace

TDDColorControl OwnRendererColorDefaults() {
  TDDColorControl r = BuiltInDefaults;
  r.dwFlags = ColorFlagBrightness | ColorFlagContrast | ColorFlagHue | ColorFlagSaturation |
              ColorFlagColorEnable;
  return r;
}

TColorControl::TColorControl(TDSVideoWindowEx2* Owner) : FOwner(Owner), FDefaults(BuiltInDefaults) {
  SetFrom(FDefaults);
}

void TColorControl::SetFrom(const TDDColorControl& r) {
  FBrightness = r.lBrightness;
  FContrast = r.lContrast;
  FHue = r.lHue;
  FSaturation = r.lSaturation;
  FSharpness = r.lSharpness;
  FGamma = r.lGamma;
  FColorEnable = r.lColorEnable != 0;
}

TDDColorControl TColorControl::Current() const {
  return {40,    0x7F,        FBrightness, FContrast, FHue, FSaturation,
          FSharpness, FGamma, FColorEnable ? 1 : 0, 0};
}

bool TColorControl::GraphReady() const {
  return FOwner && FOwner->FilterGraph() && FOwner->FilterGraph()->Active();
}

IMixerPinConfig2* TColorControl::FindMixerPin() const {
  if (!GraphReady()) return nullptr;
  IGraphBuilder* graph = nullptr;
  if (FAILED(FOwner->FilterGraph()->QueryInterface(IID_IGraphBuilder,
                                                   reinterpret_cast<void**>(&graph))))
    return nullptr;
  IBaseFilter* mixer = LastFilterOfClass(graph, {CLSID_OverlayMixer, CLSID_OverlayMixer2Class});
  graph->Release();
  if (!mixer) return nullptr;
  IMixerPinConfig2* config = nullptr;
  IEnumPins* pins = nullptr;
  if (SUCCEEDED(mixer->EnumPins(&pins))) {
    IPin* pin = nullptr;
    while (!config && pins->Next(1, &pin, nullptr) == S_OK) {
      PIN_DIRECTION dir;
      const bool input = SUCCEEDED(pin->QueryDirection(&dir)) && dir == PINDIR_INPUT;
      if (input) pin->QueryInterface(IID_IMixerPinConfig2, reinterpret_cast<void**>(&config));
      pin->Release();
      if (input) break;  // only the first input pin counts
    }
    pins->Release();
  }
  mixer->Release();
  return config;
}

void TColorControl::ApplyColorControls() {
  if (IMixerPinConfig2* pin = FindMixerPin()) {
    TDDColorControl r = Current();
    pin->SetOverlaySurfaceColorControls(&r);
    pin->Release();
  } else if (FOwner) {
    FOwner->SetOwnRendererColors({FBrightness, FContrast, FHue, FSaturation, FColorEnable});
  }
}

void TColorControl::ReadColorControls(bool ResetOnFailure) {
  IMixerPinConfig2* pin = FindMixerPin();
  if (!pin) return;  // no mixer: the stored values are the truth
  TDDColorControl r = {};
  r.dwSize = sizeof r;
  if (SUCCEEDED(pin->GetOverlaySurfaceColorControls(&r)))
    SetFrom(r);
  else if (ResetOnFailure)
    SetFrom(BuiltInDefaults);
  pin->Release();
}

void TColorControl::ReadDefaultColorControls() {
  if (IMixerPinConfig2* pin = FindMixerPin()) {
    TDDColorControl r = {};
    r.dwSize = sizeof r;
    if (SUCCEEDED(pin->GetOverlaySurfaceColorControls(&r))) FDefaults = r;
    pin->Release();
  } else if (FOwner && FOwner->OwnRendererInUse()) {
    FDefaults = OwnRendererColorDefaults();
  }
}

void TColorControl::RestoreDefaults() {
  SetFrom(FDefaults);
  if (GraphReady()) ApplyColorControls();
}

void TColorControl::SetColorControls(int Brightness, int Contrast, int Hue, int Saturation) {
  FBrightness = Brightness;
  FContrast = Contrast;
  FHue = Hue;
  FSaturation = Saturation;
  ApplyColorControls();
}

// A getter reads the picture path first; a failed read must not wipe what
// the user set, so it keeps the values.
#define LC_COLOR_PROPERTY(Name, Field, Low, High, Range) \
  int TColorControl::Name() {                             \
    if (GraphReady()) ReadColorControls(false);           \
    return Field;                                         \
  }                                                       \
  void TColorControl::Set##Name(int Value) {              \
    CheckRange(Value, Low, High, Range);                  \
    Field = Value;                                        \
    if (GraphReady()) ApplyColorControls();               \
  }

LC_COLOR_PROPERTY(Brightness, FBrightness, 0, 10000, "0 -> 10.000")
LC_COLOR_PROPERTY(Contrast, FContrast, 0, 20000, "0 -> 20.000")
LC_COLOR_PROPERTY(Hue, FHue, -180, 180, "-180 -> 180")
LC_COLOR_PROPERTY(Saturation, FSaturation, 0, 20000, "0 -> 20.000")
LC_COLOR_PROPERTY(Sharpness, FSharpness, 0, 10, "0 -> 10")
LC_COLOR_PROPERTY(Gamma, FGamma, 1, 500, "1 -> 500")

#undef LC_COLOR_PROPERTY

bool TColorControl::ColorEnable() {
  if (GraphReady()) ReadColorControls(false);
  return FColorEnable;
}

void TColorControl::SetColorEnable(bool Value) {
  FColorEnable = Value;
  if (GraphReady()) ApplyColorControls();
}

bool TDSVideoWindowEx2Caps::CanOverlayGraphic() const { return FOwner && FOwner->HoldsMixer(); }

bool TDSVideoWindowEx2Caps::Flag(DWORD Bit) const {
  const TColorControl* c = FOwner ? FOwner->ColorControl() : nullptr;
  return c && (c->Defaults().dwFlags & Bit) != 0;
}
