// TColorControl: the picture's brightness, contrast, hue, saturation,
// sharpness, gamma and colour switch, carried to the Overlay Mixer's input
// pin when the graph holds a mixer, and to the video control's own
// renderer otherwise (which applies brightness, contrast, hue, saturation
// and the colour switch itself, in the same units). TDSVideoWindowEx2Caps
// tells which controls the picture path supports.
//
// GUI thread.
#pragma once

#include <windows.h>

#include "engine/graph/mixer_interfaces.h"

class TDSVideoWindowEx2;
struct IMixerPinConfig2;

class TColorControl {
 public:
  explicit TColorControl(TDSVideoWindowEx2* Owner);
  virtual ~TColorControl() = default;

  // Getters read the current values from the picture path first while a
  // graph is active (a failed read keeps the values); setters check the
  // range (raising "Value %d out of range. Value must bee between ..."),
  // store and apply.
  int Brightness();
  void SetBrightness(int Value);
  int Contrast();
  void SetContrast(int Value);
  int Hue();
  void SetHue(int Value);
  int Saturation();
  void SetSaturation(int Value);
  int Sharpness();
  void SetSharpness(int Value);
  int Gamma();
  void SetGamma(int Value);
  bool ColorEnable();
  void SetColorEnable(bool Value);

  // Stores the four values without range checks and applies them.
  void SetColorControls(int Brightness, int Contrast, int Hue, int Saturation);
  // The mixer's (or own renderer's) defaults and capability flags become
  // the defaults record; a failed read keeps it.
  void ReadDefaultColorControls();
  // The current values take the defaults record's, then are applied.
  void RestoreDefaults();
  // Carries the current values to the picture path.
  void ApplyColorControls();
  // Reads the current values from the picture path; a failed read resets
  // them to the built-in defaults only when ResetOnFailure is set.
  void ReadColorControls(bool ResetOnFailure = true);

  const TDDColorControl& Defaults() const { return FDefaults; }

 private:
  // The graph is there and active (the condition for talking to it).
  bool GraphReady() const;
  // The first input pin of the last Overlay Mixer in the graph, or nullptr.
  IMixerPinConfig2* FindMixerPin() const;
  TDDColorControl Current() const;
  void SetFrom(const TDDColorControl& Record);

  TDSVideoWindowEx2* FOwner;
  TDDColorControl FDefaults;
  int FBrightness, FContrast, FHue, FSaturation, FSharpness, FGamma;
  bool FColorEnable;
};

class TDSVideoWindowEx2Caps {
 public:
  explicit TDSVideoWindowEx2Caps(TDSVideoWindowEx2* Owner) : FOwner(Owner) {}
  virtual ~TDSVideoWindowEx2Caps() = default;

  // True while the video control holds an Overlay Mixer.
  bool CanOverlayGraphic() const;
  bool CanControlBrigtness() const { return Flag(ColorFlagBrightness); }
  bool CanControlContrast() const { return Flag(ColorFlagContrast); }
  bool CanControlHue() const { return Flag(ColorFlagHue); }
  bool CanControlSaturation() const { return Flag(ColorFlagSaturation); }
  bool CanControlSharpness() const { return Flag(ColorFlagSharpness); }
  bool CanControlGamma() const { return Flag(ColorFlagGamma); }
  bool CanControlColorEnabled() const { return Flag(ColorFlagColorEnable); }

 private:
  bool Flag(DWORD Bit) const;
  TDSVideoWindowEx2* FOwner;
};

// The flags and values the own renderer reports as its colour controls.
TDDColorControl OwnRendererColorDefaults();
