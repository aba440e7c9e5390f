#include "engine/filters/media_type.h"

#include <cstring>

HRESULT CopyMediaType(AM_MEDIA_TYPE* Target, const AM_MEDIA_TYPE* Source) {
  if (Target == nullptr || Source == nullptr) return E_POINTER;
  if (Target == Source || (Source->cbFormat != 0 && Source->pbFormat == nullptr)) return E_INVALIDARG;
  *Target = *Source;
  HRESULT hr = S_OK;
  if (Source->cbFormat != 0) {
    Target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(Source->cbFormat));
    if (Target->pbFormat == nullptr) {
      Target->cbFormat = 0;
      hr = E_OUTOFMEMORY;
    } else {
      std::memcpy(Target->pbFormat, Source->pbFormat, Source->cbFormat);
    }
  }
  if (Target->pUnk != nullptr) Target->pUnk->AddRef();
  return hr;
}

void FreeMediaType(AM_MEDIA_TYPE& MediaType) {
  if (MediaType.cbFormat != 0) {
    CoTaskMemFree(MediaType.pbFormat);
    MediaType.cbFormat = 0;
    MediaType.pbFormat = nullptr;
  }
  if (MediaType.pUnk != nullptr) {
    MediaType.pUnk->Release();
    MediaType.pUnk = nullptr;
  }
}

void DeleteMediaType(AM_MEDIA_TYPE* MediaType) {
  if (MediaType == nullptr) return;
  FreeMediaType(*MediaType);
  CoTaskMemFree(MediaType);
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* Source) {
  auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (copy == nullptr) return nullptr;
  const HRESULT hr = CopyMediaType(copy, Source);
  if (SUCCEEDED(hr)) return copy;
  if (hr == E_OUTOFMEMORY) FreeMediaType(*copy);  // the reference it took
  CoTaskMemFree(copy);
  return nullptr;
}

bool MediaTypesEqual(const AM_MEDIA_TYPE& A, const AM_MEDIA_TYPE& B) {
  if (A.majortype != B.majortype || A.subtype != B.subtype || A.formattype != B.formattype) return false;
  if (A.cbFormat != B.cbFormat) return false;
  return A.cbFormat == 0 || std::memcmp(A.pbFormat, B.pbFormat, A.cbFormat) == 0;
}

TMediaType::TMediaType() : AM_MEDIA_TYPE{} {}

TMediaType::TMediaType(const AM_MEDIA_TYPE& Source) : AM_MEDIA_TYPE{} {
  CopyMediaType(this, &Source);
}

TMediaType::TMediaType(const TMediaType& Source) : AM_MEDIA_TYPE{} {
  CopyMediaType(this, &Source);
}

TMediaType& TMediaType::operator=(const TMediaType& Source) {
  return *this = static_cast<const AM_MEDIA_TYPE&>(Source);
}

TMediaType& TMediaType::operator=(const AM_MEDIA_TYPE& Source) {
  if (&Source == this) return *this;
  TMediaType copy(Source);
  Clear();
  *static_cast<AM_MEDIA_TYPE*>(this) = copy;
  static_cast<AM_MEDIA_TYPE&>(copy) = AM_MEDIA_TYPE{};
  return *this;
}

TMediaType::~TMediaType() { FreeMediaType(*this); }

void TMediaType::Clear() {
  FreeMediaType(*this);
  *static_cast<AM_MEDIA_TYPE*>(this) = AM_MEDIA_TYPE{};
}

bool TMediaType::SetFormat(const void* Data, ULONG Size) {
  BYTE* block = nullptr;
  if (Size != 0) {
    block = static_cast<BYTE*>(CoTaskMemAlloc(Size));
    if (block == nullptr) return false;
    std::memcpy(block, Data, Size);
  }
  if (cbFormat != 0) CoTaskMemFree(pbFormat);
  pbFormat = block;
  cbFormat = Size;
  return true;
}
