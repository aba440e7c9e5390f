// The insertion of the Overlay Mixer between the video decoder and the
// Video Renderer, with the way back: every link it changes is noted, and a
// failure after the mixer joined the graph puts the graph back as it was.
// GUI thread.
#pragma once

#include <functional>

#include <windows.h>
#include <dshow.h>

// Creates a filter of the class (in-process); the control passes the
// platform's class factory, tests a stand-in.
using TFilterFactory = std::function<HRESULT(const CLSID& ClassId, IBaseFilter** Filter)>;

HRESULT CreateFilterInProcess(const CLSID& ClassId, IBaseFilter** Filter);

// What the insertion found and left (each referenced, released with the
// record).
struct TMixerInsertion {
  IBaseFilter* Mixer = nullptr;     // the Overlay Mixer in the graph
  IBaseFilter* Renderer = nullptr;  // the Video Renderer found in the graph
  // A Video Mixing Renderer that took back the renderer's place after a
  // failed insertion (OwnRenderer was removed from the graph).
  IBaseFilter* VmrInPlace = nullptr;

  TMixerInsertion() = default;
  TMixerInsertion(const TMixerInsertion&) = delete;
  TMixerInsertion& operator=(const TMixerInsertion&) = delete;
  ~TMixerInsertion();
};

// Rewires Graph so that the decoded video runs decoder -> Overlay Mixer
// ("Overlay Mixer") -> Video Renderer (streams that fed a Video Mixing
// Renderer move to the mixer, a Line 21 Decoder 2 becoming a Line 21
// Decoder). A mixer already in the graph is accepted when it feeds the
// renderer and is fed itself. OwnRenderer is the control's renderer, which
// a Video Mixing Renderer replaces when the insertion fails. Returns S_OK
// or the failure, with the graph restored; Result tells what is there.
HRESULT InsertOverlayMixer(IGraphBuilder* Graph, IBaseFilter* OwnRenderer,
                           const TFilterFactory& Create, TMixerInsertion& Result);
