// The filter base outside any graph: what the graph builder and the
// enumerating code rely on from our filters and pins (enumerators, names,
// connection rules and the state changes the pins are told of).
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>

#include "engine/filters/base_filter.h"
#include "engine/filters/media_type.h"
#include "engine/filters/pin.h"

namespace {

const CLSID kProbeId = {0x1c0ffee3, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kMajor = {0x2c0ffee0, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kSubA = {0x2c0ffee1, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kSubB = {0x2c0ffee2, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kFormat = {0x2c0ffee3, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};

// A pin that offers and accepts subtypes of kMajor from fixed lists, and
// counts the state changes it is told of.
class TProbePin : public TBasePin {
 public:
  TProbePin(TBaseFilter* Filter, const wchar_t* Name, PIN_DIRECTION Direction)
      : TBasePin(Filter, Name, Direction) {}

  HRESULT CheckMediaType(const AM_MEDIA_TYPE* Type) override {
    if (Type->majortype != kMajor) return S_FALSE;
    for (const GUID& sub : Accepted)
      if (Type->subtype == sub) return S_OK;
    return S_FALSE;
  }
  HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* Type) override {
    if (Position < 0) return E_INVALIDARG;
    if (Position >= static_cast<int>(Offered.size())) return VFW_S_NO_MORE_ITEMS;
    Type->majortype = kMajor;
    Type->subtype = Offered[Position];
    Type->formattype = kFormat;
    return S_OK;
  }
  HRESULT Active() override {
    ++Activations;
    return ActiveResult;
  }
  HRESULT Inactive() override {
    ++Deactivations;
    return S_OK;
  }
  HRESULT Run(REFERENCE_TIME Start) override {
    ++Runs;
    RunStart = Start;
    return S_OK;
  }
  STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
  STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

  std::vector<GUID> Offered, Accepted;
  HRESULT ActiveResult = S_OK;
  int Activations = 0, Deactivations = 0, Runs = 0;
  REFERENCE_TIME RunStart = -1;
};

// A filter with an input pin "In", an output pin "Out" and a second output
// "Aux", in that order.
class TProbeFilter : public TBaseFilter {
 public:
  TProbeFilter() : TBaseFilter(kProbeId) {}
  int GetPinCount() override { return 3; }
  TBasePin* GetPin(int Index) override { return Index == 0 ? &In : (Index == 1 ? &Out : &Aux); }

  TProbePin In{this, L"In", PINDIR_INPUT};
  TProbePin Out{this, L"Out", PINDIR_OUTPUT};
  TProbePin Aux{this, L"Aux", PINDIR_OUTPUT};
};

// Two probe filters; the test connects Up's pins to Down's.
class PinContract : public ::testing::Test {
 protected:
  void TearDown() override {
    Up->Stop();
    Down->Stop();
    for (TProbeFilter* f : {Up, Down}) {
      for (int i = 0; i < f->GetPinCount(); ++i) f->GetPin(i)->Disconnect();
    }
    Up->Release();
    Down->Release();
  }
  // The subtype both ends of a connection report.
  GUID ConnectedSubtype(IPin* Pin) {
    AM_MEDIA_TYPE type{};
    if (Pin->ConnectionMediaType(&type) != S_OK) return GUID_NULL;
    const GUID sub = type.subtype;
    FreeMediaType(type);
    return sub;
  }

  TProbeFilter* Up = new TProbeFilter();
  TProbeFilter* Down = new TProbeFilter();
};

TEST_F(PinContract, ThePinEnumeratorCountsSkipsResetsAndClones) {
  IEnumPins* pins = nullptr;
  ASSERT_EQ(Up->EnumPins(&pins), S_OK);
  IPin* got[3] = {};
  ULONG fetched = 99;
  EXPECT_EQ(pins->Next(2, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(got[0], static_cast<IPin*>(&Up->In));
  EXPECT_EQ(got[1], static_cast<IPin*>(&Up->Out));
  got[0]->Release();
  got[1]->Release();
  EXPECT_EQ(pins->Next(2, got, &fetched), S_FALSE);  // only one left
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(got[0], static_cast<IPin*>(&Up->Aux));
  got[0]->Release();
  EXPECT_EQ(pins->Next(1, got, nullptr), S_FALSE);
  EXPECT_EQ(pins->Next(2, got, nullptr), E_POINTER);  // two asked for, no count to report

  EXPECT_EQ(pins->Reset(), S_OK);
  EXPECT_EQ(pins->Skip(3), S_OK);
  EXPECT_EQ(pins->Skip(1), S_FALSE);
  pins->Reset();
  pins->Skip(1);
  IEnumPins* clone = nullptr;
  ASSERT_EQ(pins->Clone(&clone), S_OK);
  for (IEnumPins* e : {pins, clone}) {
    ASSERT_EQ(e->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0], static_cast<IPin*>(&Up->Out));
    got[0]->Release();
  }
  clone->Release();
  pins->Release();
}

TEST_F(PinContract, TheTypeEnumeratorListsThePinsTypesInOrder) {
  Up->Out.Offered = {kSubA, kSubB};
  IEnumMediaTypes* types = nullptr;
  ASSERT_EQ(Up->Out.EnumMediaTypes(&types), S_OK);
  AM_MEDIA_TYPE* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(types->Next(3, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(got[0]->subtype, kSubA);
  EXPECT_EQ(got[1]->subtype, kSubB);
  EXPECT_EQ(got[1]->majortype, kMajor);
  DeleteMediaType(got[0]);
  DeleteMediaType(got[1]);
  types->Reset();
  EXPECT_EQ(types->Skip(2), S_OK);
  EXPECT_EQ(types->Skip(1), S_FALSE);
  types->Release();
}

TEST_F(PinContract, NamesIdsAndInfoAreThoseGiven) {
  IPin* pin = nullptr;
  ASSERT_EQ(Up->FindPin(L"Out", &pin), S_OK);
  EXPECT_EQ(pin, static_cast<IPin*>(&Up->Out));
  pin->Release();
  EXPECT_EQ(Up->FindPin(L"out", &pin), VFW_E_NOT_FOUND);
  EXPECT_EQ(pin, nullptr);

  PIN_INFO info{};
  ASSERT_EQ(Up->Aux.QueryPinInfo(&info), S_OK);
  EXPECT_STREQ(info.achName, L"Aux");
  EXPECT_EQ(info.dir, PINDIR_OUTPUT);
  EXPECT_EQ(info.pFilter, static_cast<IBaseFilter*>(Up));
  info.pFilter->Release();
  LPWSTR id = nullptr;
  ASSERT_EQ(Up->In.QueryId(&id), S_OK);
  EXPECT_STREQ(id, L"In");
  CoTaskMemFree(id);

  // A name longer than the record holds is cut to 127 characters.
  const std::wstring longName(200, L'x');
  Up->JoinFilterGraph(nullptr, longName.c_str());
  FILTER_INFO filter{};
  ASSERT_EQ(Up->QueryFilterInfo(&filter), S_OK);
  EXPECT_EQ(std::wstring(filter.achName), std::wstring(127, L'x'));
  EXPECT_EQ(filter.pGraph, nullptr);
}

TEST_F(PinContract, OnlyOppositeDirectionsConnect) {
  Up->Out.Offered = {kSubA};
  Up->Out.Accepted = Down->Aux.Accepted = {kSubA};
  EXPECT_EQ(Up->Out.Connect(&Down->Aux, nullptr), VFW_E_INVALID_DIRECTION);
  EXPECT_FALSE(Up->Out.IsConnected());
  EXPECT_FALSE(Down->Aux.IsConnected());
}

TEST_F(PinContract, TheReceiversTypesAreTriedFirstThenTheConnectors) {
  Up->Out.Accepted = Down->In.Accepted = {kSubA, kSubB};
  Up->Out.Offered = {kSubA};
  Down->In.Offered = {kSubB};
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);
  EXPECT_EQ(ConnectedSubtype(&Up->Out), kSubB);
  EXPECT_EQ(ConnectedSubtype(&Down->In), kSubB);
  EXPECT_EQ(Up->Out.Connect(&Down->In, nullptr), VFW_E_ALREADY_CONNECTED);

  // The receiver accepts only A now; its own offer B fails, the
  // connector's A is taken.
  ASSERT_EQ(Up->Out.Disconnect(), S_OK);
  Down->In.Disconnect();
  Down->In.Accepted = {kSubA};
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);
  EXPECT_EQ(ConnectedSubtype(&Down->In), kSubA);
}

TEST_F(PinContract, APartialTypeNarrowsTheCandidates) {
  Up->Out.Accepted = Down->In.Accepted = {kSubA, kSubB};
  Up->Out.Offered = {kSubA, kSubB};
  AM_MEDIA_TYPE partial{};
  partial.majortype = kMajor;
  partial.subtype = kSubB;
  ASSERT_EQ(Up->Out.Connect(&Down->In, &partial), S_OK);
  EXPECT_EQ(ConnectedSubtype(&Down->In), kSubB);
  Up->Out.Disconnect();
  Down->In.Disconnect();

  Down->In.Accepted = {kSubA};
  EXPECT_EQ(Up->Out.Connect(&Down->In, &partial), VFW_E_NO_ACCEPTABLE_TYPES);
  EXPECT_FALSE(Up->Out.IsConnected());
  EXPECT_FALSE(Down->In.IsConnected());
}

TEST_F(PinContract, AnUnconnectedPinSaysSoAndDisconnectingTwiceIsHarmless) {
  IPin* peer = reinterpret_cast<IPin*>(1);
  EXPECT_EQ(Up->Out.ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(peer, nullptr);
  AM_MEDIA_TYPE type{};
  EXPECT_EQ(Up->Out.ConnectionMediaType(&type), VFW_E_NOT_CONNECTED);
  EXPECT_EQ(Up->Out.Disconnect(), S_FALSE);

  Up->Out.Accepted = Down->In.Accepted = {kSubA};
  Up->Out.Offered = {kSubA};
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);
  ASSERT_EQ(Up->Out.ConnectedTo(&peer), S_OK);
  EXPECT_EQ(peer, static_cast<IPin*>(&Down->In));
  peer->Release();
  EXPECT_EQ(Down->In.QueryAccept(&Up->Out.CurrentMediaType()), S_OK);
  AM_MEDIA_TYPE other = Up->Out.CurrentMediaType();
  other.subtype = kSubB;
  EXPECT_EQ(Down->In.QueryAccept(&other), S_FALSE);
  EXPECT_EQ(Up->Out.Disconnect(), S_OK);
  EXPECT_EQ(Up->Out.Disconnect(), S_FALSE);
}

TEST_F(PinContract, ConnectionsChangeOnlyWhileStopped) {
  Up->Out.Accepted = Down->In.Accepted = {kSubA};
  Up->Out.Offered = {kSubA};
  ASSERT_EQ(Up->Pause(), S_OK);
  EXPECT_EQ(Up->Out.Connect(&Down->In, nullptr), VFW_E_NOT_STOPPED);
  Up->Stop();
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);
  Down->Pause();
  EXPECT_EQ(Down->In.Disconnect(), VFW_E_NOT_STOPPED);
  EXPECT_TRUE(Down->In.IsConnected());
}

TEST_F(PinContract, StateChangesReachOnlyConnectedPins) {
  Up->Out.Accepted = Down->In.Accepted = {kSubA};
  Up->Out.Offered = {kSubA};
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);

  ASSERT_EQ(Up->Pause(), S_OK);
  EXPECT_EQ(Up->Out.Activations, 1);
  EXPECT_EQ(Up->Aux.Activations, 0);
  EXPECT_EQ(Up->In.Activations, 0);
  ASSERT_EQ(Up->Run(5000000), S_OK);
  EXPECT_EQ(Up->Out.Activations, 1);  // already active from the pause
  EXPECT_EQ(Up->Out.Runs, 1);
  EXPECT_EQ(Up->Out.RunStart, 5000000);
  EXPECT_EQ(Up->Aux.Runs, 0);
  EXPECT_EQ(Up->StartTime(), 5000000);
  ASSERT_EQ(Up->Run(7000000), S_OK);  // running already: the pins are not told again
  EXPECT_EQ(Up->Out.Runs, 1);
  FILTER_STATE state = State_Stopped;
  EXPECT_EQ(Up->GetState(0, &state), S_OK);
  EXPECT_EQ(state, State_Running);
  ASSERT_EQ(Up->Pause(), S_OK);
  EXPECT_EQ(Up->Out.Activations, 1);

  ASSERT_EQ(Up->Stop(), S_OK);
  EXPECT_EQ(Up->Out.Deactivations, 1);
  EXPECT_EQ(Up->Aux.Deactivations, 0);
  Up->Stop();
  EXPECT_EQ(Up->Out.Deactivations, 1);  // stopping a stopped filter tells nobody

  // A run from stopped pauses first.
  ASSERT_EQ(Up->Run(0), S_OK);
  EXPECT_EQ(Up->Out.Activations, 2);
  EXPECT_EQ(Up->Out.Runs, 2);
}

TEST_F(PinContract, APinThatCannotStartKeepsTheFilterStopped) {
  Up->Out.Accepted = Down->In.Accepted = {kSubA};
  Up->Out.Offered = {kSubA};
  ASSERT_EQ(Up->Out.Connect(&Down->In, nullptr), S_OK);
  Up->Out.ActiveResult = E_OUTOFMEMORY;
  EXPECT_EQ(Up->Pause(), E_OUTOFMEMORY);
  EXPECT_TRUE(Up->IsStopped());
  EXPECT_EQ(Up->Run(0), E_OUTOFMEMORY);
  EXPECT_TRUE(Up->IsStopped());
  EXPECT_EQ(Up->Out.Runs, 0);
}

}  // namespace
