#include "engine/filters/enumerators.h"

#include <atomic>

#include "engine/filters/base_filter.h"
#include "engine/filters/media_type.h"
#include "engine/filters/pin.h"

namespace {

// The IUnknown of an enumerator that holds its filter alive.
template <class Interface, const IID* Iid>
class TEnumBase : public Interface {
 public:
  TEnumBase(TBaseFilter* Filter, ULONG Position) : Filter_(Filter), Position_(Position) { Filter_->AddRef(); }
  virtual ~TEnumBase() { Filter_->Release(); }

  STDMETHODIMP QueryInterface(REFIID Id, void** Object) override {
    if (Object == nullptr) return E_POINTER;
    if (Id == IID_IUnknown || Id == *Iid) {
      *Object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++Refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG refs = --Refs_;
    if (refs == 0) delete this;
    return refs;
  }
  STDMETHODIMP Skip(ULONG Count) override {
    Position_ += Count;
    return Position_ <= Total() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    Position_ = 0;
    return S_OK;
  }

 protected:
  virtual ULONG Total() = 0;
  TBaseFilter* Filter_;
  ULONG Position_;

 private:
  std::atomic<ULONG> Refs_{1};
};

class TEnumPins : public TEnumBase<IEnumPins, &IID_IEnumPins> {
 public:
  using TEnumBase::TEnumBase;

  STDMETHODIMP Next(ULONG Count, IPin** Pins, ULONG* Fetched) override {
    if (Pins == nullptr || (Count > 1 && Fetched == nullptr)) return E_POINTER;
    ULONG got = 0;
    while (got < Count && Position_ < Total()) {
      TBasePin* pin = Filter_->GetPin(static_cast<int>(Position_++));
      pin->AddRef();
      Pins[got++] = pin;
    }
    if (Fetched != nullptr) *Fetched = got;
    return got == Count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Clone(IEnumPins** Enum) override { return CreatePinEnumerator(Filter_, Position_, Enum); }

 protected:
  ULONG Total() override { return static_cast<ULONG>(Filter_->GetPinCount()); }
};

class TEnumMediaTypes : public TEnumBase<IEnumMediaTypes, &IID_IEnumMediaTypes> {
 public:
  TEnumMediaTypes(TBasePin* Pin, ULONG Position) : TEnumBase(Pin->Filter(), Position), Pin_(Pin) {}

  STDMETHODIMP Next(ULONG Count, AM_MEDIA_TYPE** Types, ULONG* Fetched) override {
    if (Types == nullptr || (Count > 1 && Fetched == nullptr)) return E_POINTER;
    ULONG got = 0;
    while (got < Count) {
      TMediaType type;
      if (Pin_->GetMediaType(static_cast<int>(Position_), &type) != S_OK) break;
      AM_MEDIA_TYPE* copy = CreateMediaType(&type);
      if (copy == nullptr) break;
      Types[got++] = copy;
      ++Position_;
    }
    if (Fetched != nullptr) *Fetched = got;
    return got == Count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Clone(IEnumMediaTypes** Enum) override { return CreateMediaTypeEnumerator(Pin_, Position_, Enum); }

 protected:
  // The number of types the pin offers now.
  ULONG Total() override {
    ULONG count = 0;
    for (;; ++count) {
      TMediaType type;
      if (Pin_->GetMediaType(static_cast<int>(count), &type) != S_OK) return count;
    }
  }

 private:
  TBasePin* Pin_;
};

}  // namespace

HRESULT CreatePinEnumerator(TBaseFilter* Filter, ULONG Position, IEnumPins** Enum) {
  if (Enum == nullptr) return E_POINTER;
  *Enum = new TEnumPins(Filter, Position);
  return S_OK;
}

HRESULT CreateMediaTypeEnumerator(TBasePin* Pin, ULONG Position, IEnumMediaTypes** Enum) {
  if (Enum == nullptr) return E_POINTER;
  *Enum = new TEnumMediaTypes(Pin, Position);
  return S_OK;
}
