#include "engine/filters/com_helpers.h"

IPin* PeerOf(IPin* Pin) {
  IPin* peer = nullptr;
  if (Pin == nullptr || FAILED(Pin->ConnectedTo(&peer))) return nullptr;
  return peer;
}

bool IsPinConnected(IPin* Pin) {
  IPin* peer = PeerOf(Pin);
  if (peer != nullptr) peer->Release();
  return peer != nullptr;
}

PIN_DIRECTION DirectionOf(IPin* Pin) {
  PIN_DIRECTION direction = PINDIR_OUTPUT;
  if (FAILED(Pin->QueryDirection(&direction))) direction = PINDIR_OUTPUT;
  return direction;
}

IBaseFilter* OwnerOf(IPin* Pin) {
  PIN_INFO info = {};
  if (Pin == nullptr || FAILED(Pin->QueryPinInfo(&info))) return nullptr;
  return info.pFilter;
}

std::vector<IPin*> PinsOf(IBaseFilter* Filter) {
  std::vector<IPin*> result;
  IEnumPins* pins = nullptr;
  if (Filter == nullptr || FAILED(Filter->EnumPins(&pins))) return result;
  IPin* pin = nullptr;
  while (pins->Next(1, &pin, nullptr) == S_OK) result.push_back(pin);
  pins->Release();
  return result;
}

void ReleaseAll(std::vector<IPin*>& Pins) {
  for (IPin* pin : Pins) pin->Release();
  Pins.clear();
}

IPin* FirstPin(IBaseFilter* Filter) {
  IEnumPins* pins = nullptr;
  IPin* pin = nullptr;
  if (Filter == nullptr || FAILED(Filter->EnumPins(&pins))) return nullptr;
  if (pins->Next(1, &pin, nullptr) != S_OK) pin = nullptr;
  pins->Release();
  return pin;
}

CLSID FilterClassId(IBaseFilter* Filter) {
  CLSID id = GUID_NULL;
  if (Filter == nullptr || FAILED(Filter->GetClassID(&id))) id = GUID_NULL;
  return id;
}

IBaseFilter* LastFilterOfClass(IFilterGraph* Graph, std::initializer_list<CLSID> Classes) {
  IEnumFilters* filters = nullptr;
  if (Graph == nullptr || FAILED(Graph->EnumFilters(&filters))) return nullptr;
  IBaseFilter* found = nullptr;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) {
    const CLSID id = FilterClassId(filter);
    bool match = false;
    for (const CLSID& c : Classes) match = match || IsEqualGUID(id, c);
    if (match) {
      ReleaseAndNil(found);
      found = filter;
    } else {
      filter->Release();
    }
  }
  filters->Release();
  return found;
}
