// Small helpers over the platform's filter and pin interfaces, shared by
// the filters, the graph component and the video control. Results marked
// "referenced" are released by the caller.
#pragma once

#include <initializer_list>
#include <vector>

#include <windows.h>
#include <dshow.h>

// Releases the object when there is one and clears the pointer.
template <class T>
void ReleaseAndNil(T*& Object) {
  if (Object != nullptr) Object->Release();
  Object = nullptr;
}

// Holds one reference (a "referenced" result, or one an interface query
// fills in through &Ref.P or Out()) and releases it at the end of the scope.
template <class T>
struct TComRef {
  T* P = nullptr;
  ~TComRef() { ReleaseAndNil(P); }
  T* operator->() const { return P; }
  void** Out() { return reinterpret_cast<void**>(&P); }
};

// The pin connected to Pin (referenced), or nullptr.
IPin* PeerOf(IPin* Pin);
bool IsPinConnected(IPin* Pin);
// The pin's direction; output when it cannot be read.
PIN_DIRECTION DirectionOf(IPin* Pin);
// The filter that owns the pin (referenced), or nullptr.
IBaseFilter* OwnerOf(IPin* Pin);

// The filter's pins in enumeration order (referenced); none for nullptr.
std::vector<IPin*> PinsOf(IBaseFilter* Filter);
// Releases every pin of the list and empties it.
void ReleaseAll(std::vector<IPin*>& Pins);
// The filter's first pin (referenced), or nullptr.
IPin* FirstPin(IBaseFilter* Filter);

// The filter's class identifier (IPersist), or GUID_NULL.
CLSID FilterClassId(IBaseFilter* Filter);
// The last filter of the graph whose class is one of Classes (referenced),
// or nullptr.
IBaseFilter* LastFilterOfClass(IFilterGraph* Graph, std::initializer_list<CLSID> Classes);
