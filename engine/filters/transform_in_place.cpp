#include "engine/filters/transform_in_place.h"

#include <algorithm>
#include <cstring>

#include "framework/thread_name.h"

// ---- input pin -------------------------------------------------------------

TTransInPlaceInputPin::TTransInPlaceInputPin(TTransInPlaceFilter* Filter)
    : TBaseInputPin(Filter, L"Input"), Owner_(Filter) {}

// The filter judges the type; with the output connected, downstream must
// take it too, since both pins carry the same type.
HRESULT TTransInPlaceInputPin::CheckMediaType(const AM_MEDIA_TYPE* MediaType) {
  const HRESULT hr = Owner_->CheckInputType(MediaType);
  if (hr != S_OK) return hr;
  IPin* downstream = Owner_->OutputPin()->GetConnected();
  if (downstream == nullptr) return S_OK;
  return downstream->QueryAccept(MediaType) == S_OK ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TTransInPlaceInputPin::GetMediaType(int Position, AM_MEDIA_TYPE*) {
  return Position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

HRESULT TTransInPlaceInputPin::SetMediaType(const AM_MEDIA_TYPE* MediaType) {
  const HRESULT hr = TBaseInputPin::SetMediaType(MediaType);
  return FAILED(hr) ? hr : Owner_->SetMediaType(PINDIR_INPUT, MediaType);
}

HRESULT TTransInPlaceInputPin::CompleteConnect(IPin* ReceivePin) {
  const HRESULT hr = TBaseInputPin::CompleteConnect(ReceivePin);
  return FAILED(hr) ? hr : Owner_->CompleteConnect(PINDIR_INPUT, ReceivePin);
}

HRESULT TTransInPlaceInputPin::BreakConnect() {
  Owner_->BreakConnect(PINDIR_INPUT);
  return TBaseInputPin::BreakConnect();
}

// With the output connected, upstream sees the types downstream offers.
STDMETHODIMP TTransInPlaceInputPin::EnumMediaTypes(IEnumMediaTypes** Enum) {
  IPin* downstream = Owner_->OutputPin()->GetConnected();
  if (downstream != nullptr) return downstream->EnumMediaTypes(Enum);
  return TBaseInputPin::EnumMediaTypes(Enum);
}

// With the output connected, upstream writes straight into the buffers of
// the downstream allocator.
STDMETHODIMP TTransInPlaceInputPin::GetAllocator(IMemAllocator** Allocator) {
  if (Allocator == nullptr) return E_POINTER;
  {
    TAutoLock lock(Owner_->StateLock);
    IMemInputPin* downstream = Owner_->OutputPin()->InputPin();
    if (downstream != nullptr && SUCCEEDED(downstream->GetAllocator(Allocator))) return S_OK;
  }
  return TBaseInputPin::GetAllocator(Allocator);
}

STDMETHODIMP TTransInPlaceInputPin::Receive(IMediaSample* Sample) {
  if (Sample == nullptr) return E_POINTER;
  // The platform's streaming thread, named for what it runs of ours.
  NameCurrentThreadOnce(L"lc transform");
  return Streaming([&] { return Owner_->Receive(Sample); });
}

STDMETHODIMP TTransInPlaceInputPin::EndOfStream() {
  return Streaming([&] {
    const HRESULT hr = TBaseInputPin::EndOfStream();
    return hr != S_OK ? hr : Owner_->EndOfStream();
  });
}

STDMETHODIMP TTransInPlaceInputPin::BeginFlush() {
  TBaseInputPin::BeginFlush();
  try {
    return Owner_->BeginFlush();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

STDMETHODIMP TTransInPlaceInputPin::EndFlush() {
  HRESULT hr = E_UNEXPECTED;
  try {
    hr = Owner_->EndFlush();
  } catch (...) {
  }
  TBaseInputPin::EndFlush();
  return hr;
}

STDMETHODIMP TTransInPlaceInputPin::NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) {
  TAutoLock lock(Owner_->StreamingLock);
  TBaseInputPin::NewSegment(Start, Stop, Rate);
  return Owner_->NewSegment(Start, Stop, Rate);
}

// ---- output pin ------------------------------------------------------------

TTransInPlaceOutputPin::TTransInPlaceOutputPin(TTransInPlaceFilter* Filter)
    : TBaseOutputPin(Filter, L"Output"), Owner_(Filter), Seeking_(static_cast<IPin*>(this), Filter->InputPin()) {}

// The output carries exactly the input's type.
HRESULT TTransInPlaceOutputPin::CheckMediaType(const AM_MEDIA_TYPE* MediaType) {
  TTransInPlaceInputPin* input = Owner_->InputPin();
  if (!input->IsConnected()) return VFW_E_NOT_CONNECTED;
  if (!MediaTypesEqual(input->CurrentMediaType(), *MediaType)) return VFW_E_TYPE_NOT_ACCEPTED;
  return Owner_->CheckTransform(&input->CurrentMediaType(), MediaType);
}

HRESULT TTransInPlaceOutputPin::GetMediaType(int Position, AM_MEDIA_TYPE* MediaType) {
  return Owner_->GetMediaType(Position, MediaType);
}

HRESULT TTransInPlaceOutputPin::SetMediaType(const AM_MEDIA_TYPE* MediaType) {
  const HRESULT hr = TBaseOutputPin::SetMediaType(MediaType);
  return FAILED(hr) ? hr : Owner_->SetMediaType(PINDIR_OUTPUT, MediaType);
}

HRESULT TTransInPlaceOutputPin::DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) {
  return Owner_->DecideBufferSize(Allocator, Request);
}

// The upstream allocator is offered downstream first, so that samples pass
// through without a copy.
HRESULT TTransInPlaceOutputPin::DecideAllocator(IMemInputPin* Input, IMemAllocator** Allocator) {
  IMemAllocator* upstream = Owner_->InputPin()->Allocator();
  if (upstream != nullptr) {
    ALLOCATOR_PROPERTIES request{};
    Input->GetAllocatorRequirements(&request);
    if (request.cbAlign == 0) request.cbAlign = 1;
    HRESULT hr = DecideBufferSize(upstream, &request);
    if (SUCCEEDED(hr)) hr = Input->NotifyAllocator(upstream, Owner_->InputPin()->ReadOnly());
    if (SUCCEEDED(hr)) {
      upstream->AddRef();
      *Allocator = upstream;
      return S_OK;
    }
  }
  return TBaseOutputPin::DecideAllocator(Input, Allocator);
}

HRESULT TTransInPlaceOutputPin::CompleteConnect(IPin* ReceivePin) {
  const HRESULT hr = TBaseOutputPin::CompleteConnect(ReceivePin);
  return FAILED(hr) ? hr : Owner_->CompleteConnect(PINDIR_OUTPUT, ReceivePin);
}

HRESULT TTransInPlaceOutputPin::BreakConnect() {
  Owner_->BreakConnect(PINDIR_OUTPUT);
  return TBaseOutputPin::BreakConnect();
}

HRESULT TTransInPlaceOutputPin::QueryPinInterface(REFIID Iid, void** Object) {
  if (Iid == IID_IMediaSeeking) {
    *Object = static_cast<IMediaSeeking*>(&Seeking_);
    AddRef();
    return S_OK;
  }
  return TBaseOutputPin::QueryPinInterface(Iid, Object);
}

// ---- filter ----------------------------------------------------------------

TTransInPlaceFilter::TTransInPlaceFilter(const CLSID& ClassId, bool ModifiesData)
    : TBaseFilter(ClassId), ModifiesData_(ModifiesData), Input_(this), Output_(this) {}

TTransInPlaceFilter::~TTransInPlaceFilter() = default;

TBasePin* TTransInPlaceFilter::GetPin(int Index) {
  if (Index == 0) return &Input_;
  if (Index == 1) return &Output_;
  return nullptr;
}

HRESULT TTransInPlaceFilter::CheckTransform(const AM_MEDIA_TYPE* In, const AM_MEDIA_TYPE*) {
  return CheckInputType(In);
}

// Position 1 is the input's major type alone: graph builders choose the
// filters to try for an output pin by the registered types of its offers,
// and renderers register narrow subtypes (a float stream would find none).
// Connecting still takes only the exact input type (position 0).
HRESULT TTransInPlaceFilter::GetMediaType(int Position, AM_MEDIA_TYPE* MediaType) {
  if (!Input_.IsConnected()) return E_UNEXPECTED;
  if (Position < 0) return E_INVALIDARG;
  if (Position > 1) return VFW_S_NO_MORE_ITEMS;
  if (Position == 0) {
    const HRESULT hr = CopyMediaType(MediaType, &Input_.CurrentMediaType());
    if (FAILED(hr)) return hr;
  } else {
    *MediaType = AM_MEDIA_TYPE{};
    MediaType->majortype = Input_.CurrentMediaType().majortype;
  }
  return S_OK;
}

HRESULT TTransInPlaceFilter::DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) {
  if (!Input_.IsConnected()) return E_UNEXPECTED;
  ALLOCATOR_PROPERTIES want = *Request;
  ALLOCATOR_PROPERTIES upstream{};
  if (Input_.Allocator() != nullptr && SUCCEEDED(Input_.Allocator()->GetProperties(&upstream))) {
    want.cBuffers = std::max(want.cBuffers, upstream.cBuffers);
    want.cbBuffer = std::max(want.cbBuffer, upstream.cbBuffer);
  }
  want.cBuffers = std::max<long>(want.cBuffers, 1);
  want.cbBuffer = std::max<long>({want.cbBuffer, static_cast<long>(Input_.CurrentMediaType().lSampleSize), 1});
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = Allocator->SetProperties(&want, &actual);
  if (FAILED(hr)) return hr;
  return actual.cBuffers < want.cBuffers || actual.cbBuffer < want.cbBuffer ? E_FAIL : S_OK;
}

HRESULT TTransInPlaceFilter::SetMediaType(PIN_DIRECTION, const AM_MEDIA_TYPE*) { return S_OK; }
HRESULT TTransInPlaceFilter::CompleteConnect(PIN_DIRECTION, IPin*) { return S_OK; }
HRESULT TTransInPlaceFilter::BreakConnect(PIN_DIRECTION) { return S_OK; }

HRESULT TTransInPlaceFilter::EndOfStream() { return Output_.DeliverEndOfStream(); }
HRESULT TTransInPlaceFilter::BeginFlush() { return Output_.DeliverBeginFlush(); }
HRESULT TTransInPlaceFilter::EndFlush() { return Output_.DeliverEndFlush(); }

HRESULT TTransInPlaceFilter::NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) {
  return Output_.DeliverNewSegment(Start, Stop, Rate);
}

bool TTransInPlaceFilter::UsesOutputAllocator() const {
  return Input_.Allocator() != nullptr && Input_.Allocator() == Output_.Allocator();
}

HRESULT TTransInPlaceFilter::Receive(IMediaSample* Sample) {
  if (!Output_.IsConnected()) return S_OK;
  IMediaSample* work = Sample;
  if (!UsesOutputAllocator() || (ModifiesData_ && Input_.ReadOnly())) {
    const HRESULT hr = CopySample(Sample, &work);
    if (FAILED(hr)) return hr;
  } else {
    work->AddRef();
  }
  HRESULT hr = Transform(work);
  if (hr == S_OK)
    hr = Output_.Deliver(work);
  else if (hr == S_FALSE)
    hr = S_OK;
  work->Release();
  return hr;
}

HRESULT TTransInPlaceFilter::CopySample(IMediaSample* Source, IMediaSample** Copy) {
  IMediaSample* out = nullptr;
  HRESULT hr = Output_.GetDeliveryBuffer(&out, nullptr, nullptr, 0);
  if (FAILED(hr)) return hr;
  const long length = Source->GetActualDataLength();
  BYTE* from = nullptr;
  BYTE* to = nullptr;
  if (length > out->GetSize() || FAILED(Source->GetPointer(&from)) || FAILED(out->GetPointer(&to))) {
    out->Release();
    return VFW_E_BUFFER_OVERFLOW;
  }
  std::memcpy(to, from, static_cast<size_t>(length));
  out->SetActualDataLength(length);
  REFERENCE_TIME start = 0, stop = 0;
  hr = Source->GetTime(&start, &stop);
  if (SUCCEEDED(hr)) out->SetTime(&start, hr == S_OK ? &stop : nullptr);
  LONGLONG mediaStart = 0, mediaStop = 0;
  if (SUCCEEDED(Source->GetMediaTime(&mediaStart, &mediaStop))) out->SetMediaTime(&mediaStart, &mediaStop);
  out->SetSyncPoint(Source->IsSyncPoint() == S_OK);
  out->SetPreroll(Source->IsPreroll() == S_OK);
  out->SetDiscontinuity(Source->IsDiscontinuity() == S_OK);
  AM_MEDIA_TYPE* type = nullptr;
  if (Source->GetMediaType(&type) == S_OK) {
    out->SetMediaType(type);
    DeleteMediaType(type);
  }
  *Copy = out;
  return S_OK;
}

// The pins become inactive (which releases a streaming thread waiting for a
// buffer); then the streaming lock is taken once, so that Stop returns only
// after the streaming thread has left Receive.
STDMETHODIMP TTransInPlaceFilter::Stop() {
  TAutoLock lock(StateLock);
  const HRESULT hr = TBaseFilter::Stop();
  TAutoLock streaming(StreamingLock);
  return hr;
}
