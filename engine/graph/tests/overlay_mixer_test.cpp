// The Overlay Mixer insertion on a real graph (the colour bars rendered into
// the platform's Video Renderer), with a stand-in mixer built on the filter
// base, since this platform has no Overlay Mixer.
#include "engine/graph/overlay_mixer.h"

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/filters/base_filter.h"
#include "engine/filters/com_helpers.h"
#include "engine/filters/input_pin.h"
#include "engine/filters/media_type.h"
#include "engine/filters/output_pin.h"
#include "tests/support/process.h"

namespace {

// Takes the one type the renderer took from the decoder, so that the
// output can hand it on unchanged.
class TMixerInput : public TBaseInputPin {
 public:
  TMixerInput(TBaseFilter* Filter, const wchar_t* Name, const TMediaType& Accepted)
      : TBaseInputPin(Filter, Name), Accepted_(Accepted) {}
  HRESULT CheckMediaType(const AM_MEDIA_TYPE* Type) override {
    return MediaTypesEqual(*Type, Accepted_) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
  }

 private:
  TMediaType Accepted_;
};

// Offers the type of the first input; refuses everything when told to.
class TMixerOutput : public TBaseOutputPin {
 public:
  TMixerOutput(TBaseFilter* Filter, TMixerInput* Source, const bool* Refuse)
      : TBaseOutputPin(Filter, L"Output"), Source_(Source), Refuse_(Refuse) {}
  HRESULT CheckMediaType(const AM_MEDIA_TYPE* Type) override {
    if (*Refuse_ || !Source_->IsConnected()) return VFW_E_TYPE_NOT_ACCEPTED;
    return MediaTypesEqual(*Type, Source_->CurrentMediaType()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
  }
  HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* Type) override {
    if (Position != 0 || *Refuse_ || !Source_->IsConnected()) return VFW_S_NO_MORE_ITEMS;
    *static_cast<TMediaType*>(Type) = Source_->CurrentMediaType();
    return S_OK;
  }
  HRESULT DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES*) override {
    ALLOCATOR_PROPERTIES want = {1, 4 << 20, 1, 0}, got;
    return Allocator->SetProperties(&want, &got);
  }

 private:
  TMixerInput* Source_;
  const bool* Refuse_;
};

// Two inputs and an "Output", under the Overlay Mixer's class identifier.
class TStandInMixer : public TBaseFilter {
 public:
  TStandInMixer(bool RefuseOutput, const TMediaType& Accepted)
      : TBaseFilter(CLSID_OverlayMixer), Refuse_(RefuseOutput), In0_(this, L"Input0", Accepted),
        In1_(this, L"Input1", Accepted), Out_(this, &In0_, &Refuse_) {}
  int GetPinCount() override { return 3; }
  TBasePin* GetPin(int Index) override {
    switch (Index) {
      case 0: return &In0_;
      case 1: return &In1_;
      case 2: return &Out_;
      default: return nullptr;
    }
  }

 private:
  bool Refuse_;
  TMixerInput In0_, In1_;
  TMixerOutput Out_;
};

TFilterFactory StandIn(bool RefuseOutput, const TMediaType& Accepted) {
  return [RefuseOutput, Accepted](const CLSID& Id, IBaseFilter** Filter) -> HRESULT {
    if (!IsEqualGUID(Id, CLSID_OverlayMixer)) return REGDB_E_CLASSNOTREG;
    *Filter = new TStandInMixer(RefuseOutput, Accepted);
    return S_OK;
  };
}

int FilterCount(IGraphBuilder* Graph) {
  IEnumFilters* filters = nullptr;
  Graph->EnumFilters(&filters);
  IBaseFilter* f = nullptr;
  int n = 0;
  while (filters->Next(1, &f, nullptr) == S_OK) {
    f->Release();
    ++n;
  }
  filters->Release();
  return n;
}

// A graph with the bars rendered into the Video Renderer.
class OverlayMixerInsertion : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&Graph)),
              S_OK);
    ASSERT_EQ(CreateFilterInProcess(CLSID_VideoRenderer, &Renderer), S_OK);
    ASSERT_EQ(Graph->AddFilter(Renderer, L"Video Renderer"), S_OK);
    ASSERT_TRUE(SUCCEEDED(Graph->RenderFile(lctest::MediaPath("bars.mp4").c_str(), nullptr)));
    RendererInput = FirstPin(Renderer);
    Decoder = PeerOf(RendererInput);
    ASSERT_NE(Decoder, nullptr);
    AM_MEDIA_TYPE type;
    ASSERT_EQ(RendererInput->ConnectionMediaType(&type), S_OK);
    Linked = type;
    FreeMediaType(type);
  }
  void TearDown() override {
    if (Decoder) Decoder->Release();
    if (RendererInput) RendererInput->Release();
    if (Renderer) Renderer->Release();
    if (Graph) Graph->Release();
  }

  IGraphBuilder* Graph = nullptr;
  IBaseFilter* Renderer = nullptr;
  IPin* RendererInput = nullptr;
  IPin* Decoder = nullptr;
  TMediaType Linked;  // the decoder's type at the renderer
};

TEST_F(OverlayMixerInsertion, PutsTheMixerBetweenDecoderAndRenderer) {
  TMixerInsertion result;
  ASSERT_EQ(InsertOverlayMixer(Graph, Renderer, StandIn(false, Linked), result), S_OK);
  ASSERT_NE(result.Mixer, nullptr);
  EXPECT_EQ(result.Renderer, Renderer);
  IBaseFilter* named = nullptr;
  ASSERT_EQ(Graph->FindFilterByName(L"Overlay Mixer", &named), S_OK);
  EXPECT_EQ(named, result.Mixer);
  named->Release();
  IPin *mixerInput = nullptr, *mixerOutput = nullptr;
  result.Mixer->FindPin(L"Input0", &mixerInput);
  result.Mixer->FindPin(L"Output", &mixerOutput);
  IPin* fed = PeerOf(mixerInput);
  IPin* feeds = PeerOf(mixerOutput);
  EXPECT_EQ(fed, Decoder);
  EXPECT_EQ(feeds, RendererInput);
  for (IPin* p : {mixerInput, mixerOutput, fed, feeds})
    if (p) p->Release();

  // A mixer already connected this way is accepted as it is.
  const int filters = FilterCount(Graph);
  TMixerInsertion again;
  EXPECT_EQ(InsertOverlayMixer(Graph, Renderer, StandIn(false, Linked), again), S_OK);
  EXPECT_EQ(again.Mixer, result.Mixer);
  EXPECT_EQ(FilterCount(Graph), filters);
}

TEST_F(OverlayMixerInsertion, FailureConnectsEverythingAgain) {
  const int filters = FilterCount(Graph);
  TMixerInsertion result;
  EXPECT_TRUE(FAILED(InsertOverlayMixer(Graph, Renderer, StandIn(true, Linked), result)));
  EXPECT_EQ(result.Mixer, nullptr);
  EXPECT_EQ(result.VmrInPlace, nullptr);
  IBaseFilter* named = nullptr;
  EXPECT_NE(Graph->FindFilterByName(L"Overlay Mixer", &named), S_OK);
  if (named) named->Release();
  EXPECT_EQ(FilterCount(Graph), filters);
  IPin* peer = PeerOf(RendererInput);
  EXPECT_EQ(peer, Decoder);  // the decoder feeds the renderer again
  if (peer) peer->Release();
}

TEST_F(OverlayMixerInsertion, NoMixerOnThePlatformChangesNothing) {
  const int filters = FilterCount(Graph);
  TMixerInsertion result;
  EXPECT_TRUE(FAILED(InsertOverlayMixer(Graph, Renderer, CreateFilterInProcess, result)));
  EXPECT_EQ(FilterCount(Graph), filters);
  IPin* peer = PeerOf(RendererInput);
  EXPECT_EQ(peer, Decoder);
  if (peer) peer->Release();
}

}  // namespace
