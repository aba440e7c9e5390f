#include "engine/graph/color_control.h"

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/filters/base_filter.h"
#include "engine/filters/input_pin.h"
#include "engine/filters/output_pin.h"
#include "engine/filters/tests/test_graph_support.h"
#include "engine/graph/filter_graph.h"
#include "engine/graph/video_window.h"
#include "framework/exceptions.h"
#include "framework/forms.h"

namespace {

// The message a setter raises for Value, or "" when it accepts it.
template <class F>
std::string Refusal(F Set) {
  try {
    Set();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

TEST(ColorControl, SettersCheckTheirRanges) {
  TColorControl c(nullptr);
  const struct {
    const char* Name;
    void (TColorControl::*Set)(int);
    int Value;
    const char* Message;
  } cases[] = {
      {"Brightness", &TColorControl::SetBrightness, 10001,
       "Value 10001 out of range. Value must bee between 0 -> 10.000"},
      {"Brightness", &TColorControl::SetBrightness, 10000, ""},
      {"Contrast", &TColorControl::SetContrast, -1,
       "Value -1 out of range. Value must bee between 0 -> 20.000"},
      {"Hue", &TColorControl::SetHue, -180, ""},
      {"Hue", &TColorControl::SetHue, 180, ""},
      {"Hue", &TColorControl::SetHue, 181,
       "Value 181 out of range. Value must bee between -180 -> 180"},
      {"Saturation", &TColorControl::SetSaturation, 20001,
       "Value 20001 out of range. Value must bee between 0 -> 20.000"},
      {"Sharpness", &TColorControl::SetSharpness, 11,
       "Value 11 out of range. Value must bee between 0 -> 10"},
      {"Gamma", &TColorControl::SetGamma, 0, "Value 0 out of range. Value must bee between 1 -> 500"},
      {"Gamma", &TColorControl::SetGamma, 500, ""},
  };
  for (const auto& t : cases)
    EXPECT_EQ(Refusal([&] { (c.*t.Set)(t.Value); }), t.Message) << t.Name << " " << t.Value;
  EXPECT_EQ(c.Brightness(), 10000);  // the accepted value stayed, the refused one did not
  EXPECT_EQ(c.Hue(), 180);
}

TEST(ColorControl, SetColorControlsTakesAnyValue) {
  TColorControl c(nullptr);
  EXPECT_EQ(Refusal([&] { c.SetColorControls(-5, 30000, 400, -1); }), "");
  EXPECT_EQ(c.Brightness(), -5);
  EXPECT_EQ(c.Contrast(), 30000);
  EXPECT_EQ(c.Hue(), 400);
  EXPECT_EQ(c.Saturation(), -1);
}

TEST(ColorControl, StartsAtTheDefaultsAndRestoresThem) {
  TColorControl c(nullptr);
  EXPECT_EQ(c.Brightness(), 750);
  EXPECT_EQ(c.Contrast(), 10000);
  EXPECT_EQ(c.Hue(), 0);
  EXPECT_EQ(c.Saturation(), 10000);
  EXPECT_EQ(c.Sharpness(), 5);
  EXPECT_EQ(c.Gamma(), 1);
  EXPECT_TRUE(c.ColorEnable());
  EXPECT_EQ(c.Defaults().dwFlags, 0x7Fu);
  c.SetColorControls(1, 2, 3, 4);
  c.SetColorEnable(false);
  c.RestoreDefaults();
  EXPECT_EQ(c.Brightness(), 750);
  EXPECT_EQ(c.Saturation(), 10000);
  EXPECT_TRUE(c.ColorEnable());
}

// ---- with a graph: a stand-in mixer built on the filter base ----

// An output pin first, then the input pin that carries the colour
// controls: the control must take the first input pin.
class TStandInColorPin : public TBaseInputPin, public IMixerPinConfig2 {
 public:
  explicit TStandInColorPin(TBaseFilter* Filter) : TBaseInputPin(Filter, L"Input0") {}
  HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return VFW_E_TYPE_NOT_ACCEPTED; }
  HRESULT QueryPinInterface(REFIID Iid, void** Object) override {
    if (!IsEqualIID(Iid, IID_IMixerPinConfig2)) return TBaseInputPin::QueryPinInterface(Iid, Object);
    *Object = static_cast<IMixerPinConfig2*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override { return TBaseInputPin::QueryInterface(Iid, Object); }
  STDMETHODIMP_(ULONG) AddRef() override { return TBaseInputPin::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TBaseInputPin::Release(); }

  STDMETHODIMP SetOverlaySurfaceColorControls(TDDColorControl* Controls) override {
    Applied = *Controls;
    ++Applies;
    return S_OK;
  }
  STDMETHODIMP GetOverlaySurfaceColorControls(TDDColorControl* Controls) override {
    if (FailReads) return E_FAIL;
    *Controls = Held;
    return S_OK;
  }
  STDMETHODIMP SetRelativePosition(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetRelativePosition(DWORD*, DWORD*, DWORD*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetZOrder(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetZOrder(DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetColorKey(COLORKEY*) override { return E_NOTIMPL; }
  STDMETHODIMP GetColorKey(COLORKEY*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetBlendingParameter(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetBlendingParameter(DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP SetAspectRatioMode(TMixerAspectMode) override { return E_NOTIMPL; }
  STDMETHODIMP GetAspectRatioMode(TMixerAspectMode*) override { return E_NOTIMPL; }
  STDMETHODIMP SetStreamTransparent(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetStreamTransparent(BOOL*) override { return E_NOTIMPL; }

  TDDColorControl Held = {40, 0x03, 1111, 12345, 7, 9000, 3, 2, 1, 0};
  TDDColorControl Applied = {};
  int Applies = 0;
  bool FailReads = false;
};

class TNoTypeOutput : public TBaseOutputPin {
 public:
  explicit TNoTypeOutput(TBaseFilter* Filter) : TBaseOutputPin(Filter, L"Output") {}
  HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return VFW_E_TYPE_NOT_ACCEPTED; }
  HRESULT DecideBufferSize(IMemAllocator*, ALLOCATOR_PROPERTIES*) override { return E_FAIL; }
};

class TStandInColorMixer : public TBaseFilter {
 public:
  explicit TStandInColorMixer(const CLSID& Class) : TBaseFilter(Class), Out_(this), In_(this) {}
  int GetPinCount() override { return 2; }
  TBasePin* GetPin(int Index) override { return Index == 0 ? static_cast<TBasePin*>(&Out_) : Index == 1 ? &In_ : nullptr; }
  TStandInColorPin& Pin() { return In_; }

 private:
  TNoTypeOutput Out_;
  TStandInColorPin In_;
};

// {A0025E90-E45B-11D1-ABE9-00A0C905F375}
constexpr CLSID kOverlayMixer2 = {0xa0025e90, 0xe45b, 0x11d1, {0xab, 0xe9, 0x00, 0xa0, 0xc9, 0x05, 0xf3, 0x75}};

class ColorControlWithMixer : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TForm>(L"TColorTestForm");
    Video = std::make_unique<TDSVideoWindowEx2>(Form.get());
    Video->SetFilterGraph(&Graph);
    Graph.SetActive(true);
    ASSERT_EQ(Graph.QueryInterface(IID_IFilterGraph, reinterpret_cast<void**>(&FilterGraph)), S_OK);
  }
  void TearDown() override {
    if (FilterGraph != nullptr) {
      for (TStandInColorMixer* m : Mixers) FilterGraph->RemoveFilter(m);
      FilterGraph->Release();
    }
    for (TStandInColorMixer* m : Mixers) m->Release();
    Graph.SetActive(false);
    Video->SetFilterGraph(nullptr);
  }
  TStandInColorMixer& AddMixer(const CLSID& Class = CLSID_OverlayMixer) {
    auto* mixer = new TStandInColorMixer(Class);
    Mixers.push_back(mixer);
    const std::wstring name = L"Overlay Mixer " + std::to_wstring(Mixers.size());
    EXPECT_EQ(FilterGraph->AddFilter(mixer, name.c_str()), S_OK);
    return *mixer;
  }
  TColorControl& Colors() { return *Video->ColorControl(); }

  lctest::TComScope Com;
  TFilterGraph Graph;
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TDSVideoWindowEx2> Video;
  IFilterGraph* FilterGraph = nullptr;
  std::vector<TStandInColorMixer*> Mixers;
};

TEST_F(ColorControlWithMixer, GettersReadTheMixersCurrentValues) {
  TStandInColorPin& pin = AddMixer().Pin();
  EXPECT_EQ(Colors().Contrast(), 12345);
  EXPECT_EQ(Colors().Brightness(), 1111);
  EXPECT_EQ(Colors().Hue(), 7);
  EXPECT_EQ(Colors().Saturation(), 9000);
  EXPECT_EQ(Colors().Sharpness(), 3);
  EXPECT_EQ(Colors().Gamma(), 2);
  pin.Held.lColorEnable = 0;
  EXPECT_FALSE(Colors().ColorEnable());
  Graph.SetActive(false);
  EXPECT_EQ(Colors().Contrast(), 12345) << "inactive: the stored value";
}

TEST_F(ColorControlWithMixer, SetColorControlsPassesValuesOutsideTheRangesAsTheyAre) {
  TStandInColorPin& pin = AddMixer().Pin();
  Colors().SetColorControls(-5, 30000, 400, -1);
  ASSERT_EQ(pin.Applies, 1);
  EXPECT_EQ(pin.Applied.dwSize, 40u);
  EXPECT_EQ(pin.Applied.dwFlags, 0x7Fu);
  EXPECT_EQ(pin.Applied.lBrightness, -5);
  EXPECT_EQ(pin.Applied.lContrast, 30000);
  EXPECT_EQ(pin.Applied.lHue, 400);
  EXPECT_EQ(pin.Applied.lSaturation, -1);
  EXPECT_EQ(pin.Applied.lSharpness, 5);
  EXPECT_EQ(pin.Applied.lGamma, 1);
  EXPECT_EQ(pin.Applied.lColorEnable, 1);
  Colors().SetHue(-90);
  EXPECT_EQ(pin.Applies, 2);
  EXPECT_EQ(pin.Applied.lHue, -90);
}

TEST_F(ColorControlWithMixer, CapabilitiesFollowTheMixersFlagsOnceRead) {
  const TDSVideoWindowEx2Caps& caps = Video->Caps();
  EXPECT_TRUE(caps.CanControlHue()) << "before any mixer: all seven";
  EXPECT_TRUE(caps.CanControlGamma());
  AddMixer();
  Colors().ReadDefaultColorControls();
  EXPECT_TRUE(caps.CanControlBrigtness());
  EXPECT_TRUE(caps.CanControlContrast());
  EXPECT_FALSE(caps.CanControlHue());
  EXPECT_FALSE(caps.CanControlSaturation());
  EXPECT_FALSE(caps.CanControlColorEnabled());
  Colors().SetColorControls(1, 2, 3, 4);
  Colors().RestoreDefaults();
  Graph.SetActive(false);
  EXPECT_EQ(Colors().Brightness(), 1111) << "the mixer's defaults";
  EXPECT_EQ(Colors().Contrast(), 12345);
}

TEST_F(ColorControlWithMixer, AFailedReadResetsToTheBuiltInValues) {
  TStandInColorPin& pin = AddMixer().Pin();
  Colors().SetColorControls(1, 2, 3, 4);
  pin.FailReads = true;
  Colors().ReadColorControls();
  Graph.SetActive(false);
  EXPECT_EQ(Colors().Brightness(), 750);
  EXPECT_EQ(Colors().Contrast(), 10000);
  EXPECT_EQ(Colors().Hue(), 0);
  EXPECT_EQ(Colors().Saturation(), 10000);
}

// The getters read the mixer first; when that read fails they answer with
// what the user set, not with the built-in values.
TEST_F(ColorControlWithMixer, AFailedReadInAGetterKeepsTheUsersValues) {
  TStandInColorPin& pin = AddMixer().Pin();
  pin.FailReads = true;
  Colors().SetColorControls(1, 2, 3, 4);
  Colors().SetSharpness(9);
  Colors().SetGamma(200);
  Colors().SetColorEnable(false);
  EXPECT_EQ(Colors().Brightness(), 1);
  EXPECT_EQ(Colors().Contrast(), 2);
  EXPECT_EQ(Colors().Hue(), 3);
  EXPECT_EQ(Colors().Saturation(), 4);
  EXPECT_EQ(Colors().Sharpness(), 9);
  EXPECT_EQ(Colors().Gamma(), 200);
  EXPECT_FALSE(Colors().ColorEnable());
  // The values kept are the ones the mixer is given next.
  Colors().ApplyColorControls();
  EXPECT_EQ(pin.Applied.lBrightness, 1);
  EXPECT_EQ(pin.Applied.lContrast, 2);
  EXPECT_EQ(pin.Applied.lColorEnable, 0);
}

TEST_F(ColorControlWithMixer, TheLastMixerOfEitherClassCounts) {
  TStandInColorMixer& a = AddMixer();
  TStandInColorMixer& b = AddMixer(kOverlayMixer2);
  a.Pin().Held.lContrast = 111;
  b.Pin().Held.lContrast = 222;
  // The last of the two in the graph's own order.
  IEnumFilters* filters = nullptr;
  ASSERT_EQ(FilterGraph->EnumFilters(&filters), S_OK);
  IBaseFilter* filter = nullptr;
  TStandInColorMixer* last = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    if (filter == static_cast<IBaseFilter*>(&a)) last = &a;
    if (filter == static_cast<IBaseFilter*>(&b)) last = &b;
    filter->Release();
  }
  filters->Release();
  ASSERT_NE(last, nullptr);
  TStandInColorMixer& other = last == &a ? b : a;
  EXPECT_EQ(Colors().Contrast(), last->Pin().Held.lContrast);
  Colors().SetSaturation(123);
  EXPECT_EQ(last->Pin().Applied.lSaturation, 123);
  EXPECT_EQ(other.Pin().Applies, 0);
}

}  // namespace
