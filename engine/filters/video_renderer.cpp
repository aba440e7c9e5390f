#include "engine/filters/video_renderer.h"

#include <cstdlib>

#include <dvdmedia.h>

namespace {

// A FourCC media subtype.
constexpr GUID FourCCType(DWORD Code) {
  return {Code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}
constexpr DWORD FourCC(char a, char b, char c, char d) {
  return DWORD(std::uint8_t(a)) | (DWORD(std::uint8_t(b)) << 8) | (DWORD(std::uint8_t(c)) << 16) |
         (DWORD(std::uint8_t(d)) << 24);
}

bool PixelFormatOf(const GUID& Subtype, TPixelFormat& Format) {
  const struct { GUID Type; TPixelFormat Format; } table[] = {
      {MEDIASUBTYPE_RGB32, TPixelFormat::RGB32},
      {MEDIASUBTYPE_ARGB32, TPixelFormat::RGB32},
      {FourCCType(FourCC('Y', 'U', 'Y', '2')), TPixelFormat::YUY2},
      {FourCCType(FourCC('U', 'Y', 'V', 'Y')), TPixelFormat::UYVY},
      {FourCCType(FourCC('I', '4', '2', '0')), TPixelFormat::I420},
      {FourCCType(FourCC('I', 'Y', 'U', 'V')), TPixelFormat::I420},
      {FourCCType(FourCC('Y', 'V', '1', '2')), TPixelFormat::YV12},
      {FourCCType(FourCC('N', 'V', '1', '2')), TPixelFormat::NV12},
  };
  for (const auto& e : table)
    if (IsEqualGUID(Subtype, e.Type)) {
      Format = e.Format;
      return true;
    }
  return false;
}

// Bytes per pixel of plane 0 (what biWidth counts in).
int PlaneBytesPerPixel(TPixelFormat Format) {
  switch (Format) {
    case TPixelFormat::RGB32: return 4;
    case TPixelFormat::YUY2:
    case TPixelFormat::UYVY: return 2;
    default: return 1;
  }
}

}  // namespace

bool ParseVideoType(const AM_MEDIA_TYPE& Type, TVideoFormat& Format) {
  if (!IsEqualGUID(Type.majortype, MEDIATYPE_Video)) return false;
  TVideoFormat f;
  if (!PixelFormatOf(Type.subtype, f.Format)) return false;
  const BITMAPINFOHEADER* bmi = nullptr;
  const RECT* source = nullptr;
  if (IsEqualGUID(Type.formattype, FORMAT_VideoInfo) && Type.cbFormat >= sizeof(VIDEOINFOHEADER) &&
      Type.pbFormat) {
    const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(Type.pbFormat);
    bmi = &vih->bmiHeader;
    source = &vih->rcSource;
    f.AvgTimePerFrame = vih->AvgTimePerFrame;
  } else if (IsEqualGUID(Type.formattype, FORMAT_VideoInfo2) &&
             Type.cbFormat >= sizeof(VIDEOINFOHEADER2) && Type.pbFormat) {
    const auto* vih = reinterpret_cast<const VIDEOINFOHEADER2*>(Type.pbFormat);
    bmi = &vih->bmiHeader;
    source = &vih->rcSource;
    f.AvgTimePerFrame = vih->AvgTimePerFrame;
    f.AspectX = int(vih->dwPictAspectRatioX);
    f.AspectY = int(vih->dwPictAspectRatioY);
  } else {
    return false;
  }
  const int stridePixels = bmi->biWidth;
  const int height = std::abs(bmi->biHeight);
  if (stridePixels <= 0 || height <= 0 || stridePixels > 16384 || height > 16384) return false;
  f.Width = stridePixels;
  // A decoder that pads its rows gives the visible width in rcSource.
  if (source->right > source->left && source->right <= stridePixels) f.Width = source->right;
  f.Height = height;
  f.Stride = stridePixels * PlaneBytesPerPixel(f.Format);
  if (f.Format != TPixelFormat::RGB32 && f.Stride < NaturalStride(f.Format, f.Width)) return false;
  f.BottomUp = f.Format == TPixelFormat::RGB32 && bmi->biHeight > 0;
  Format = f;
  return true;
}

TVideoFrameRenderer::TVideoFrameRenderer()
    : TBaseRenderer(CLSID_LumacraftVideoRenderer, L"Input") {}

TVideoFrameRenderer::~TVideoFrameRenderer() = default;

void TVideoFrameRenderer::SetPresenter(IVideoFramePresenter* Presenter) {
  TAutoLock present(PresentLock_);
  TAutoLock lock(PlacementLock_);
  Presenter_ = Presenter;
}

void TVideoFrameRenderer::GetPlacement(TVideoRect& Source, TVideoRect& Dest, bool& DefaultDest) {
  TAutoLock lock(PlacementLock_);
  Source = DefaultSource_ ? TVideoRect{0, 0, Format_.Width, Format_.Height} : Source_;
  Dest = DefaultDest_ ? TVideoRect{0, 0, Format_.Width, Format_.Height} : Dest_;
  DefaultDest = DefaultDest_;
}

TVideoFormat TVideoFrameRenderer::Format() {
  TAutoLock lock(PlacementLock_);
  return Format_;
}

HRESULT TVideoFrameRenderer::CheckMediaType(const AM_MEDIA_TYPE* MediaType) {
  TVideoFormat f;
  return MediaType && ParseVideoType(*MediaType, f) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// A new type that changes the picture size resets the source rectangle
// and tells the graph.
HRESULT TVideoFrameRenderer::SetMediaType(const AM_MEDIA_TYPE* MediaType) {
  TVideoFormat f;
  if (!MediaType || !ParseVideoType(*MediaType, f)) return VFW_E_TYPE_NOT_ACCEPTED;
  bool resized;
  {
    TAutoLock lock(PlacementLock_);
    resized = f.Width != Format_.Width || f.Height != Format_.Height;
    Format_ = f;
    if (resized) DefaultSource_ = true;
  }
  if (resized) {
    NotifyPlacement();
    if (!IsStopped()) NotifyEvent(EC_VIDEO_SIZE_CHANGED, MAKELPARAM(f.Width, f.Height), 0);
  }
  return S_OK;
}

void TVideoFrameRenderer::Present(IMediaSample* Sample) {
  BYTE* data = nullptr;
  if (FAILED(Sample->GetPointer(&data)) || data == nullptr) return;
  const TVideoFormat f = Format();
  const std::size_t need = FrameBytes(f.Format, f.Width, f.Height, f.Stride);
  if (f.Width <= 0 || std::size_t(Sample->GetActualDataLength()) < need) return;
  const TFrameView view = DescribeFrame(f.Format, data, f.Width, f.Height, f.Stride, f.BottomUp);
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->PresentFrame(view);
}

HRESULT TVideoFrameRenderer::DoRenderSample(IMediaSample* Sample) {
  Present(Sample);
  return S_OK;
}

void TVideoFrameRenderer::OnReceiveFirstSample(IMediaSample* Sample) { Present(Sample); }

void TVideoFrameRenderer::OnFlush() {
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->StreamReset();
}

STDMETHODIMP TVideoFrameRenderer::Stop() {
  const HRESULT hr = TBaseRenderer::Stop();
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->StreamReset();
  return hr;
}

void TVideoFrameRenderer::NotifyPlacement() {
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->PlacementChanged();
}

HRESULT TVideoFrameRenderer::QueryFilterInterface(REFIID Iid, void** Object) {
  if (IsEqualIID(Iid, IID_IBasicVideo) || IsEqualIID(Iid, IID_IBasicVideo2) ||
      IsEqualIID(Iid, IID_IDispatch)) {
    *Object = static_cast<IBasicVideo2*>(this);
    AddRef();
    return S_OK;
  }
  return TBaseRenderer::QueryFilterInterface(Iid, Object);
}
