// TBasePin: the connection logic shared by input and output pins.
//
// A pin lives inside its filter and shares the filter's reference count.
// Connecting, disconnecting and the media-type queries run on the GUI thread
// under the filter's StateLock. A derived pin gives CheckMediaType; the
// other hooks are optional.
#pragma once

#include <atomic>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/media_type.h"

class TBaseFilter;

class TBasePin : public IPin {
 public:
  TBasePin(TBaseFilter* Filter, const wchar_t* Name, PIN_DIRECTION Direction);
  virtual ~TBasePin();
  TBasePin(const TBasePin&) = delete;
  TBasePin& operator=(const TBasePin&) = delete;

  // Required: S_OK when the pin can take this type (GUI thread).
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) = 0;

  // Optional hooks (GUI thread, StateLock held).
  // The preferred types, from position 0; VFW_S_NO_MORE_ITEMS past the last.
  virtual HRESULT GetMediaType(int Position, AM_MEDIA_TYPE* MediaType);
  // Stores the connection type.
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType);
  // Refuses a peer of the same direction.
  virtual HRESULT CheckConnect(IPin* Peer);
  // The connection is made (type set); a failure undoes it.
  virtual HRESULT CompleteConnect(IPin* ReceivePin);
  // The connection is being broken.
  virtual HRESULT BreakConnect();
  // The filter leaves or enters the stopped state (connected pins only).
  virtual HRESULT Active();
  virtual HRESULT Inactive();
  // The filter starts running at stream time Start.
  virtual HRESULT Run(REFERENCE_TIME Start);
  // Further interfaces of a derived pin.
  virtual HRESULT QueryPinInterface(REFIID Iid, void** Object);

  // IUnknown: delegated to the filter.
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IPin
  STDMETHODIMP Connect(IPin* ReceivePin, const AM_MEDIA_TYPE* MediaType) override;
  STDMETHODIMP ReceiveConnection(IPin* Connector, const AM_MEDIA_TYPE* MediaType) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** Pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* MediaType) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* Info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* Direction) override;
  STDMETHODIMP QueryId(LPWSTR* Id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* MediaType) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** Enum) override;
  STDMETHODIMP QueryInternalConnections(IPin** Pins, ULONG* Count) override;
  STDMETHODIMP NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) override;
  // EndOfStream, BeginFlush and EndFlush are the input pin's.

  bool IsConnected() const { return Connected_ != nullptr; }
  // The peer (not referenced), or nullptr.
  IPin* GetConnected() const { return Connected_; }
  const TMediaType& CurrentMediaType() const { return MediaType_; }
  const std::wstring& Name() const { return Name_; }
  PIN_DIRECTION Direction() const { return Direction_; }
  TBaseFilter* Filter() const { return Filter_; }

 protected:
  TBaseFilter* Filter_;
  TMediaType MediaType_;
  REFERENCE_TIME SegmentStart_ = 0, SegmentStop_ = 0;
  double SegmentRate_ = 1.0;

 private:
  HRESULT AttemptConnection(IPin* ReceivePin, const AM_MEDIA_TYPE* MediaType);
  HRESULT TryMediaTypes(IPin* ReceivePin, const AM_MEDIA_TYPE* Partial, IEnumMediaTypes* Enum);
  void DisconnectLocked();

  std::wstring Name_;
  PIN_DIRECTION Direction_;
  IPin* Connected_ = nullptr;
};

// True when Type fills in every field a partial type Partial gives.
bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& Type, const AM_MEDIA_TYPE* Partial);
