// The Overlay Mixer's configuration interfaces and records, declared from
// the platform's documented layout (the toolchain's headers lack them),
// and the class identifiers the video control looks for in a graph.
#pragma once

#include <windows.h>
#include <dshow.h>

// The overlay's colour controls (the platform's DDCOLORCONTROL): ten
// 32-bit fields.
struct TDDColorControl {
  DWORD dwSize;
  DWORD dwFlags;
  LONG lBrightness;
  LONG lContrast;
  LONG lHue;
  LONG lSaturation;
  LONG lSharpness;
  LONG lGamma;
  LONG lColorEnable;
  DWORD dwReserved1;
};
static_assert(sizeof(TDDColorControl) == 40);

// Flag bits of TDDColorControl::dwFlags.
constexpr DWORD ColorFlagBrightness = 0x01, ColorFlagContrast = 0x02, ColorFlagHue = 0x04,
                ColorFlagSaturation = 0x08, ColorFlagSharpness = 0x10, ColorFlagGamma = 0x20,
                ColorFlagColorEnable = 0x40;

// How the mixer fits the picture into its destination.
enum TMixerAspectMode : int { amStretched = 0, amLetterBox = 1, amCrop = 2 };

struct IMixerPinConfig : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD Left, DWORD Top, DWORD Right,
                                                        DWORD Bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* Left, DWORD* Top, DWORD* Right,
                                                        DWORD* Bottom) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD ZOrder) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* ZOrder) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetColorKey(COLORKEY* Key) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetColorKey(COLORKEY* Key, DWORD* Color) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(TMixerAspectMode Mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(TMixerAspectMode* Mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL Transparent) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL* Transparent) = 0;
};

struct IMixerPinConfig2 : public IMixerPinConfig {
  virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(TDDColorControl* Controls) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(TDDColorControl* Controls) = 0;
};

// {EBF47182-8764-11D1-9E69-00C04FD7C15B}
inline constexpr IID IID_IMixerPinConfig2 = {
    0xebf47182, 0x8764, 0x11d1, {0x9e, 0x69, 0x00, 0xc0, 0x4f, 0xd7, 0xc1, 0x5b}};
// The Overlay Mixer 2 {A0025E90-E45B-11D1-ABE9-00A0C905F375}.
inline constexpr CLSID CLSID_OverlayMixer2Class = {
    0xa0025e90, 0xe45b, 0x11d1, {0xab, 0xe9, 0x00, 0xa0, 0xc9, 0x05, 0xf3, 0x75}};
// The Line 21 Decoder 2 {E4206432-01A1-4BEE-B3E1-3702C8EDC574}.
inline constexpr CLSID CLSID_Line21Decoder2Class = {
    0xe4206432, 0x01a1, 0x4bee, {0xb3, 0xe1, 0x37, 0x02, 0xc8, 0xed, 0xc5, 0x74}};

