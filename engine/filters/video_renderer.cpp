#include "engine/filters/video_renderer.h"

#include <climits>
#include <cstdlib>
#include <optional>

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
  TFrameDeclaration& d = f.Frame;
  if (!PixelFormatOf(Type.subtype, d.Format)) return false;
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
  const LONG width = bmi->biWidth, rows = bmi->biHeight == LONG_MIN ? 0 : std::abs(bmi->biHeight);
  if (width <= 0 || rows <= 0 || width > 16384 || rows > 16384) return false;
  d.RowBytes = int(width) * PlaneBytesPerPixel(d.Format);
  d.Rows = int(rows);
  d.Width = int(width);
  d.Height = int(rows);
  // A decoder that pads its rows (or its height) gives the visible picture
  // in rcSource; an empty one means the whole declared picture.
  if (source->right > source->left && source->bottom > source->top) {
    if (source->left != 0 || source->top != 0 || source->right > width || source->bottom > rows) return false;
    d.Width = int(source->right);
    d.Height = int(source->bottom);
  }
  d.BottomUp = d.Format == TPixelFormat::RGB32 && bmi->biHeight > 0;
  if (!CanLayOut(d)) return false;
  Format = f;
  return true;
}

TVideoFrameRenderer::TVideoFrameRenderer()
    : TBaseRenderer(CLSID_LumacraftVideoRenderer, L"Input") {}

TVideoFrameRenderer::~TVideoFrameRenderer() = default;

void TVideoFrameRenderer::SetPresenter(IVideoFramePresenter* Presenter) {
  TAutoLock present(PresentLock_);
  if (Presenter_ && Presenter_ != Presenter) Presenter_->StreamReset();
  TAutoLock lock(PlacementLock_);
  Presenter_ = Presenter;
}

void TVideoFrameRenderer::GetPlacement(TVideoRect& Source, TVideoRect& Dest, bool& DefaultDest) {
  TAutoLock lock(PlacementLock_);
  const TVideoRect whole{0, 0, Format_.Frame.Width, Format_.Frame.Height};
  Source = DefaultSource_ ? whole : Source_;
  Dest = DefaultDest_ ? whole : Dest_;
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
    resized = f.Frame.Width != Format_.Frame.Width || f.Frame.Height != Format_.Frame.Height;
    Format_ = f;
    if (resized) DefaultSource_ = true;
  }
  if (resized) {
    NotifyPlacement();
    if (!IsStopped()) NotifyEvent(EC_VIDEO_SIZE_CHANGED, MAKELPARAM(f.Frame.Width, f.Frame.Height), 0);
  }
  return S_OK;
}

// A sample whose length fits no layout of its type (or that claims more
// data than its buffer holds) is not drawn: the picture on show stays.
void TVideoFrameRenderer::Present(IMediaSample* Sample) {
  BYTE* data = nullptr;
  if (FAILED(Sample->GetPointer(&data)) || data == nullptr) return;
  const long length = Sample->GetActualDataLength();
  const TVideoFormat f = Format();
  const std::optional<TFrameLayout> layout =
      length > 0 && length <= Sample->GetSize() ? LayoutOfSample(f.Frame, std::size_t(length)) : std::nullopt;
  if (!layout) {
    ++Unreadable_;
    return;
  }
  const TFrameView view = ViewOfFrame(*layout, data);
  // The presenter may keep the sample only where the decoder still has a
  // buffer to fill meanwhile (an allocator that kept its single buffer
  // would stall it).
  ALLOCATOR_PROPERTIES props{};
  IMemAllocator* allocator = InputPin()->Allocator();
  const bool spare = allocator && SUCCEEDED(allocator->GetProperties(&props)) && props.cBuffers >= 2;
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->PresentFrame(view, spare ? Sample : nullptr);
}

HRESULT TVideoFrameRenderer::DoRenderSample(IMediaSample* Sample) {
  Present(Sample);
  return S_OK;
}

void TVideoFrameRenderer::OnReceiveFirstSample(IMediaSample* Sample) { Present(Sample); }

REFERENCE_TIME TVideoFrameRenderer::PresentationTime(REFERENCE_TIME Start, REFERENCE_TIME Stop) {
  const int begins = Begins_.exchange(kSameStream);
  if (begins == kNewDecoder) Times_.Reset();
  if (begins != kSameStream) {
    const REFERENCE_TIME frame = Format().AvgTimePerFrame;
    std::optional<TPictureTimes::TFileStamps> file;
    {
      TAutoLock lock(KeyFramesLock_);
      if (Mpeg4_) file = TPictureTimes::TFileStamps{frame, KeyFrames_};
    }
    Times_.NewStream(InputPin()->SegmentStart(),
                     frame * (begins == kFlushed ? TPictureTimes::kReadAtFlush : TPictureTimes::kReadAtStop), file);
  }
  return Times_.Next(Start, Stop);
}

void TVideoFrameRenderer::SetKeyFrames(bool Mpeg4, std::shared_ptr<const std::vector<TKeyFrame>> KeyFrames) {
  TAutoLock lock(KeyFramesLock_);
  Mpeg4_ = Mpeg4;
  KeyFrames_ = std::move(KeyFrames);
}

// The decoder upstream may be another one: what was learnt of its stamps
// goes.
HRESULT TVideoFrameRenderer::BreakConnect() {
  Begins_.store(kNewDecoder);
  return TBaseRenderer::BreakConnect();
}

// A new stream begins, unless a new decoder or one after a stop begins
// anyway.
void TVideoFrameRenderer::OnFlush() {
  int expected = kSameStream;
  Begins_.compare_exchange_strong(expected, kFlushed);
  TAutoLock present(PresentLock_);
  if (Presenter_) Presenter_->StreamReset();
}

STDMETHODIMP TVideoFrameRenderer::Stop() {
  const HRESULT hr = TBaseRenderer::Stop();
  // A stop ends the stream, also one a flush ended, unless a new decoder
  // begins anyway.
  for (int from : {int(kSameStream), int(kFlushed)})
    if (Begins_.compare_exchange_strong(from, kStopped)) break;
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
