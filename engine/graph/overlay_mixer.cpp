#include "engine/graph/overlay_mixer.h"

#include <vector>

#include "engine/filters/com_helpers.h"
#include "engine/graph/graph_utils.h"
#include "engine/graph/mixer_interfaces.h"

namespace {

// A link the insertion changed: taken apart (Broken) or made.
struct TLink {
  IPin* Output;
  IPin* Input;
  bool Broken;
};

// The first unconnected input pin of the filter (referenced), or nullptr.
IPin* FreeInput(IBaseFilter* Filter) {
  std::vector<IPin*> pins = PinsOf(Filter);
  IPin* found = nullptr;
  for (IPin* p : pins)
    if (!found && DirectionOf(p) == PINDIR_INPUT && !IsPinConnected(p)) {
      found = p;
      found->AddRef();
    }
  ReleaseAll(pins);
  return found;
}

// What the insertion did so far, for the way back.
struct TRewiring {
  IGraphBuilder* Graph = nullptr;  // not referenced
  IBaseFilter* Mixer = nullptr;
  IBaseFilter* Vmr = nullptr;
  IBaseFilter* NewLine21 = nullptr;
  TFilterFactory Create;
  std::vector<IBaseFilter*> OldLine21;
  std::vector<TLink> Links;

  void Note(IPin* Output, IPin* Input, bool Broken) {
    Output->AddRef();
    Input->AddRef();
    Links.push_back({Output, Input, Broken});
  }
  HRESULT Break(IPin* Output, IPin* Input) {
    Output->Disconnect();
    Input->Disconnect();
    Note(Output, Input, true);
    return S_OK;
  }
  HRESULT Make(IPin* Output, IPin* Input) {
    const HRESULT hr = Graph->Connect(Output, Input);
    if (SUCCEEDED(hr)) Note(Output, Input, false);
    return hr;
  }
  ~TRewiring() {
    for (TLink& l : Links) {
      l.Output->Release();
      l.Input->Release();
    }
    for (IBaseFilter* f : OldLine21) f->Release();
    if (NewLine21) NewLine21->Release();
    if (Vmr) Vmr->Release();
    if (Mixer) Mixer->Release();
  }
};

// Undoes the noted links from the last to the first, removes what the
// insertion added, and lets a Video Mixing Renderer take the renderer's
// place again. Returns the result to report.
HRESULT RollBack(TRewiring& W, IBaseFilter* OwnRenderer, TMixerInsertion& Out, HRESULT Result) {
  for (auto it = W.Links.rbegin(); it != W.Links.rend(); ++it) {
    if (it->Broken) {
      W.Graph->Connect(it->Output, it->Input);
    } else {
      it->Output->Disconnect();
      it->Input->Disconnect();
    }
  }
  if (W.NewLine21) W.Graph->RemoveFilter(W.NewLine21);
  const HRESULT removed = W.Graph->RemoveFilter(W.Mixer);
  if (FAILED(removed)) Result = removed;
  if (Out.Mixer) Out.Mixer->Release();
  Out.Mixer = nullptr;
  if (W.Vmr && OwnRenderer) {
    W.Graph->RemoveFilter(OwnRenderer);
    Out.VmrInPlace = W.Vmr;
    Out.VmrInPlace->AddRef();
  }
  return Result;
}

// Feeds the old Line 21 decoder's input into a new Line 21 Decoder, whose
// output goes to the mixer's Input.
HRESULT ReplaceLine21(TRewiring& W, IBaseFilter* Old, IPin* MixerInput) {
  std::vector<IPin*> oldPins = PinsOf(Old);
  IPin* oldInput = oldPins.empty() ? nullptr : oldPins[0];
  IPin* upstream = PeerOf(oldInput);
  HRESULT hr = upstream ? S_OK : E_FAIL;
  if (SUCCEEDED(hr)) W.Break(upstream, oldInput);
  if (SUCCEEDED(hr)) hr = W.Create(CLSID_Line21Decoder, &W.NewLine21);
  if (SUCCEEDED(hr)) hr = W.Graph->AddFilter(W.NewLine21, L"Line21 Decoder");
  std::vector<IPin*> newPins = PinsOf(SUCCEEDED(hr) ? W.NewLine21 : nullptr);
  if (SUCCEEDED(hr) && newPins.size() < 2) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = W.Make(upstream, newPins[0]);
  if (SUCCEEDED(hr)) hr = W.Make(newPins[1], MixerInput);
  if (SUCCEEDED(hr)) {
    Old->AddRef();
    W.OldLine21.push_back(Old);
  }
  ReleaseAll(newPins);
  ReleaseAll(oldPins);
  if (upstream) upstream->Release();
  return hr;
}

// Moves every stream that fed the Video Mixing Renderer to the mixer; a
// Line 21 Decoder 2 is replaced by a Line 21 Decoder on the way.
HRESULT MoveVmrInputs(TRewiring& W) {
  std::vector<IPin*> feeds;
  std::vector<IPin*> vmrPins = PinsOf(W.Vmr);
  for (IPin* p : vmrPins) {
    IPin* peer = PeerOf(p);
    if (!peer) break;
    W.Break(peer, p);
    feeds.push_back(peer);
  }
  ReleaseAll(vmrPins);
  HRESULT hr = S_OK;
  for (IPin* feed : feeds) {
    IPin* input = SUCCEEDED(hr) ? FreeInput(W.Mixer) : nullptr;
    if (SUCCEEDED(hr) && !input) hr = E_FAIL;
    IBaseFilter* owner = SUCCEEDED(hr) ? OwnerOf(feed) : nullptr;
    if (SUCCEEDED(hr) && IsEqualGUID(FilterClassId(owner), CLSID_Line21Decoder2Class)) {
      hr = ReplaceLine21(W, owner, input);
    } else if (SUCCEEDED(hr)) {
      hr = W.Make(feed, input);
    }
    if (owner) owner->Release();
    if (input) input->Release();
  }
  ReleaseAll(feeds);
  return hr;
}

// A mixer already in the graph counts only when it feeds the renderer and
// is fed itself.
bool MixerInPlace(IBaseFilter* Mixer, IBaseFilter* Renderer) {
  bool feedsRenderer = false, fed = false;
  std::vector<IPin*> pins = PinsOf(Mixer);
  for (IPin* p : pins) {
    IPin* peer = PeerOf(p);
    if (!peer) continue;
    const bool input = DirectionOf(p) == PINDIR_INPUT;
    IBaseFilter* owner = OwnerOf(peer);
    if (input) fed = true;
    if (!input && owner && owner == Renderer) feedsRenderer = true;
    if (owner) owner->Release();
    peer->Release();
  }
  ReleaseAll(pins);
  return feedsRenderer && fed;
}

}  // namespace

HRESULT CreateFilterInProcess(const CLSID& ClassId, IBaseFilter** Filter) {
  return CoCreateInstance(ClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          reinterpret_cast<void**>(Filter));
}

TMixerInsertion::~TMixerInsertion() {
  if (Mixer) Mixer->Release();
  if (Renderer) Renderer->Release();
  if (VmrInPlace) VmrInPlace->Release();
}

HRESULT InsertOverlayMixer(IGraphBuilder* Graph, IBaseFilter* OwnRenderer,
                           const TFilterFactory& Create, TMixerInsertion& Out) {
  TRewiring w;
  w.Graph = Graph;
  w.Create = Create;
  {
    TFilterList list(Graph);
    for (int i = 0; i < list.Count(); ++i) {
      IBaseFilter* f = list.GetFilter(i);
      const CLSID id = FilterClassId(f);
      IBaseFilter** slot = IsEqualGUID(id, CLSID_OverlayMixer)           ? &Out.Mixer
                           : IsEqualGUID(id, CLSID_VideoRenderer)        ? &Out.Renderer
                           : IsEqualGUID(id, CLSID_VideoMixingRenderer) ? &w.Vmr
                                                                          : nullptr;
      if (!slot) continue;
      if (*slot) (*slot)->Release();
      *slot = f;
      f->AddRef();
    }
  }
  if (Out.Mixer) return MixerInPlace(Out.Mixer, Out.Renderer) ? S_OK : E_FAIL;
  HRESULT hr = Create(CLSID_OverlayMixer, &w.Mixer);
  if (FAILED(hr)) return hr;
  hr = Graph->AddFilter(w.Mixer, L"Overlay Mixer");
  if (FAILED(hr)) return hr;
  Out.Mixer = w.Mixer;
  Out.Mixer->AddRef();
  std::vector<IPin*> rendererPins = PinsOf(Out.Renderer);
  IPin* rendererInput = rendererPins.empty() ? nullptr : rendererPins[0];
  if (rendererInput) rendererInput->AddRef();
  ReleaseAll(rendererPins);
  if (!rendererInput) return RollBack(w, OwnRenderer, Out, E_FAIL);
  if (!w.Vmr) {
    IPin* decoder = PeerOf(rendererInput);
    IPin* input = FreeInput(w.Mixer);
    hr = decoder && input ? S_OK : E_FAIL;
    if (SUCCEEDED(hr)) w.Break(decoder, rendererInput);
    if (SUCCEEDED(hr)) hr = w.Make(decoder, input);
    if (decoder) decoder->Release();
    if (input) input->Release();
  } else {
    hr = MoveVmrInputs(w);
  }
  if (SUCCEEDED(hr)) {
    IPin* output = nullptr;
    hr = w.Mixer->FindPin(L"Output", &output);
    if (SUCCEEDED(hr)) hr = w.Make(output, rendererInput);
    if (output) output->Release();
  }
  rendererInput->Release();
  if (FAILED(hr)) return RollBack(w, OwnRenderer, Out, hr);
  for (IBaseFilter* f : w.OldLine21) Graph->RemoveFilter(f);
  if (w.Vmr) Graph->RemoveFilter(w.Vmr);
  return S_OK;
}
