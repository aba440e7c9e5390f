#include "engine/filters/output_pin.h"

#include "engine/filters/allocator.h"
#include "engine/filters/base_filter.h"

TBaseOutputPin::TBaseOutputPin(TBaseFilter* Filter, const wchar_t* Name) : TBasePin(Filter, Name, PINDIR_OUTPUT) {}

TBaseOutputPin::~TBaseOutputPin() {
  if (Allocator_ != nullptr) Allocator_->Release();
  if (Input_ != nullptr) Input_->Release();
}

void TBaseOutputPin::SetAllocator(IMemAllocator* Allocator) {
  if (Allocator != nullptr) Allocator->AddRef();
  if (Allocator_ != nullptr) Allocator_->Release();
  Allocator_ = Allocator;
}

HRESULT TBaseOutputPin::CheckConnect(IPin* Peer) {
  HRESULT hr = TBasePin::CheckConnect(Peer);
  if (FAILED(hr)) return hr;
  IMemInputPin* input = nullptr;
  hr = Peer->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
  if (FAILED(hr)) return E_NOINTERFACE;
  input->Release();
  return S_OK;
}

// The downstream pin's allocator first, then the pin's own.
HRESULT TBaseOutputPin::DecideAllocator(IMemInputPin* Input, IMemAllocator** Allocator) {
  ALLOCATOR_PROPERTIES request{};
  Input->GetAllocatorRequirements(&request);
  if (request.cbAlign == 0) request.cbAlign = 1;
  IMemAllocator* allocator = nullptr;
  HRESULT hr = Input->GetAllocator(&allocator);
  if (SUCCEEDED(hr)) {
    hr = DecideBufferSize(allocator, &request);
    if (SUCCEEDED(hr)) hr = Input->NotifyAllocator(allocator, FALSE);
    if (SUCCEEDED(hr)) {
      *Allocator = allocator;
      return S_OK;
    }
    allocator->Release();
  }
  allocator = TMemAllocator::Create();
  hr = DecideBufferSize(allocator, &request);
  if (SUCCEEDED(hr)) hr = Input->NotifyAllocator(allocator, FALSE);
  if (FAILED(hr)) {
    allocator->Release();
    return hr;
  }
  *Allocator = allocator;
  return S_OK;
}

HRESULT TBaseOutputPin::CompleteConnect(IPin* ReceivePin) {
  if (Input_ != nullptr) Input_->Release();
  Input_ = nullptr;
  HRESULT hr = ReceivePin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&Input_));
  if (FAILED(hr)) return hr;
  IMemAllocator* allocator = nullptr;
  hr = DecideAllocator(Input_, &allocator);
  if (FAILED(hr)) return hr;
  SetAllocator(allocator);
  allocator->Release();
  return S_OK;
}

HRESULT TBaseOutputPin::BreakConnect() {
  if (Allocator_ != nullptr) Allocator_->Decommit();
  SetAllocator(nullptr);
  if (Input_ != nullptr) Input_->Release();
  Input_ = nullptr;
  return S_OK;
}

HRESULT TBaseOutputPin::Active() { return Allocator_ != nullptr ? Allocator_->Commit() : VFW_E_NO_ALLOCATOR; }

HRESULT TBaseOutputPin::Inactive() { return Allocator_ != nullptr ? Allocator_->Decommit() : S_OK; }

HRESULT TBaseOutputPin::GetDeliveryBuffer(IMediaSample** Sample, REFERENCE_TIME* Start, REFERENCE_TIME* Stop,
                                          DWORD Flags) {
  if (Allocator_ == nullptr) return VFW_E_NO_ALLOCATOR;
  return Allocator_->GetBuffer(Sample, Start, Stop, Flags);
}

HRESULT TBaseOutputPin::Deliver(IMediaSample* Sample) {
  if (Input_ == nullptr) return VFW_E_NOT_CONNECTED;
  return Input_->Receive(Sample);
}

HRESULT TBaseOutputPin::DeliverEndOfStream() {
  IPin* peer = GetConnected();
  return peer != nullptr ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT TBaseOutputPin::DeliverNewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) {
  IPin* peer = GetConnected();
  return peer != nullptr ? peer->NewSegment(Start, Stop, Rate) : VFW_E_NOT_CONNECTED;
}

HRESULT TBaseOutputPin::DeliverBeginFlush() {
  IPin* peer = GetConnected();
  return peer != nullptr ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT TBaseOutputPin::DeliverEndFlush() {
  IPin* peer = GetConnected();
  return peer != nullptr ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}
