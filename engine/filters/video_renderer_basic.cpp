// IBasicVideo2 of TVideoFrameRenderer: the video size and the source and
// destination rectangles (GUI thread).
#include "engine/filters/video_renderer.h"

STDMETHODIMP TVideoFrameRenderer::GetTypeInfoCount(UINT* Count) {
  if (!Count) return E_POINTER;
  *Count = 0;
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::get_AvgTimePerFrame(REFTIME* Value) {
  if (!Value) return E_POINTER;
  if (!InputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  *Value = Format().AvgTimePerFrame / 10000000.0;
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::get_BitRate(long* Value) {
  if (!Value) return E_POINTER;
  *Value = 0;
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::get_BitErrorRate(long* Value) { return get_BitRate(Value); }

STDMETHODIMP TVideoFrameRenderer::GetVideoSize(long* Width, long* Height) {
  if (!Width || !Height) return E_POINTER;
  if (!InputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  const TVideoFormat f = Format();
  *Width = f.Frame.Width;
  *Height = f.Frame.Height;
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::get_VideoWidth(long* Value) {
  long h;
  return Value ? GetVideoSize(Value, &h) : E_POINTER;
}

STDMETHODIMP TVideoFrameRenderer::get_VideoHeight(long* Value) {
  long w;
  return Value ? GetVideoSize(&w, Value) : E_POINTER;
}

HRESULT TVideoFrameRenderer::GetRect(bool Source, long* Left, long* Top, long* Width, long* Height) {
  if (!Left || !Top || !Width || !Height) return E_POINTER;
  TVideoRect src, dst;
  bool defaultDest;
  GetPlacement(src, dst, defaultDest);
  const TVideoRect& r = Source ? src : dst;
  *Left = r.Left;
  *Top = r.Top;
  *Width = r.Width();
  *Height = r.Height();
  return S_OK;
}

HRESULT TVideoFrameRenderer::SetRect(bool Source, long Left, long Top, long Width, long Height) {
  if (Width <= 0 || Height <= 0) return E_INVALIDARG;
  {
    TAutoLock lock(PlacementLock_);
    const TVideoRect r{int(Left), int(Top), int(Left + Width), int(Top + Height)};
    if (Source) {
      if (Left < 0 || Top < 0 || r.Right > Format_.Frame.Width || r.Bottom > Format_.Frame.Height)
        return E_INVALIDARG;
      Source_ = r;
      DefaultSource_ = false;
    } else {
      Dest_ = r;
      DefaultDest_ = false;
    }
  }
  NotifyPlacement();
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::SetSourcePosition(long Left, long Top, long Width, long Height) {
  return SetRect(true, Left, Top, Width, Height);
}

STDMETHODIMP TVideoFrameRenderer::GetSourcePosition(long* Left, long* Top, long* Width,
                                                    long* Height) {
  return GetRect(true, Left, Top, Width, Height);
}

STDMETHODIMP TVideoFrameRenderer::SetDestinationPosition(long Left, long Top, long Width,
                                                         long Height) {
  return SetRect(false, Left, Top, Width, Height);
}

STDMETHODIMP TVideoFrameRenderer::GetDestinationPosition(long* Left, long* Top, long* Width,
                                                         long* Height) {
  return GetRect(false, Left, Top, Width, Height);
}

STDMETHODIMP TVideoFrameRenderer::SetDefaultSourcePosition() {
  {
    TAutoLock lock(PlacementLock_);
    DefaultSource_ = true;
  }
  NotifyPlacement();
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::SetDefaultDestinationPosition() {
  {
    TAutoLock lock(PlacementLock_);
    DefaultDest_ = true;
  }
  NotifyPlacement();
  return S_OK;
}

STDMETHODIMP TVideoFrameRenderer::IsUsingDefaultSource() {
  TAutoLock lock(PlacementLock_);
  return DefaultSource_ ? S_OK : S_FALSE;
}

STDMETHODIMP TVideoFrameRenderer::IsUsingDefaultDestination() {
  TAutoLock lock(PlacementLock_);
  return DefaultDest_ ? S_OK : S_FALSE;
}

// The single-side accessors change one edge or extent of a rectangle,
// keeping the rest.
#define LC_RECT_PROPERTY(Name, IsSource, Index)                          \
  STDMETHODIMP TVideoFrameRenderer::put_##Name(long Value) {            \
    long v[4];                                                          \
    const HRESULT hr = GetRect(IsSource, &v[0], &v[1], &v[2], &v[3]);   \
    if (FAILED(hr)) return hr;                                          \
    v[Index] = Value;                                                   \
    return SetRect(IsSource, v[0], v[1], v[2], v[3]);                   \
  }                                                                     \
  STDMETHODIMP TVideoFrameRenderer::get_##Name(long* Value) {           \
    if (!Value) return E_POINTER;                                       \
    long v[4];                                                          \
    const HRESULT hr = GetRect(IsSource, &v[0], &v[1], &v[2], &v[3]);   \
    *Value = v[Index];                                                  \
    return hr;                                                          \
  }

LC_RECT_PROPERTY(SourceLeft, true, 0)
LC_RECT_PROPERTY(SourceTop, true, 1)
LC_RECT_PROPERTY(SourceWidth, true, 2)
LC_RECT_PROPERTY(SourceHeight, true, 3)
LC_RECT_PROPERTY(DestinationLeft, false, 0)
LC_RECT_PROPERTY(DestinationTop, false, 1)
LC_RECT_PROPERTY(DestinationWidth, false, 2)
LC_RECT_PROPERTY(DestinationHeight, false, 3)

#undef LC_RECT_PROPERTY

STDMETHODIMP TVideoFrameRenderer::GetCurrentImage(long* BufferSize, long* Image) {
  return E_NOTIMPL;
}

STDMETHODIMP TVideoFrameRenderer::GetPreferredAspectRatio(long* X, long* Y) {
  if (!X || !Y) return E_POINTER;
  if (!InputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  const TVideoFormat f = Format();
  *X = f.AspectX > 0 ? f.AspectX : f.Frame.Width;
  *Y = f.AspectY > 0 ? f.AspectY : f.Frame.Height;
  return S_OK;
}
