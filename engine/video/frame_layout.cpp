#include "engine/video/frame_layout.h"

namespace {

constexpr int kMaxSide = 16384;

int RoundUp(int Value, int Step) { return (Value + Step - 1) / Step * Step; }

bool IsPlanar420(TPixelFormat Format) {
  return Format == TPixelFormat::I420 || Format == TPixelFormat::YV12;
}

bool IsPacked422(TPixelFormat Format) {
  return Format == TPixelFormat::YUY2 || Format == TPixelFormat::UYVY;
}

// The bytes of a row of plane 0 that the visible width takes up.
int VisibleRowBytes(TPixelFormat Format, int Width) {
  if (Format == TPixelFormat::RGB32) return 4 * Width;
  if (IsPacked422(Format)) return 2 * RoundUp(Width, 2);
  return Width;
}

// The row a type declares when it declares no padding: the visible width
// in whole pixels of plane 0.
int UnpaddedRowBytes(TPixelFormat Format, int Width) {
  if (Format == TPixelFormat::RGB32) return 4 * Width;
  if (IsPacked422(Format)) return 2 * Width;
  return Width;
}

// Sets the planes from the rows of plane 0 (Stride0, Rows0) and of the
// chroma planes (StrideC, RowsC), stored one after another; false when a
// row is shorter than the visible picture needs.
bool SetPlanes(TFrameLayout& L, int Stride0, int Rows0, int StrideC, int RowsC) {
  const int chromaWidth = (L.Width + 1) / 2;
  if (Stride0 < VisibleRowBytes(L.Format, L.Width) || Rows0 < L.Height) return false;
  L.Planes = 1;
  L.Stride[0] = Stride0;
  L.Rows = Rows0;
  std::size_t at = std::size_t(Stride0) * std::size_t(Rows0);
  if (IsPlanar420(L.Format)) {
    if (StrideC < chromaWidth) return false;
    // YV12 stores Cr before Cb.
    const int first = L.Format == TPixelFormat::YV12 ? 2 : 1;
    for (int p : {first, 3 - first}) {
      L.Offset[p] = at;
      L.Stride[p] = StrideC;
      at += std::size_t(StrideC) * std::size_t(RowsC);
    }
    L.Planes = 3;
  } else if (L.Format == TPixelFormat::NV12) {
    if (StrideC < 2 * chromaWidth) return false;
    L.Offset[1] = at;
    L.Stride[1] = StrideC;
    at += std::size_t(StrideC) * std::size_t(RowsC);
    L.Planes = 2;
  }
  L.Bytes = at;
  return true;
}

TFrameLayout Blank(const TFrameDeclaration& T) {
  TFrameLayout L;
  L.Format = T.Format;
  L.Width = T.Width;
  L.Height = T.Height;
  L.BottomUp = T.Format == TPixelFormat::RGB32 && T.BottomUp;
  return L;
}

// As the type declares it.
std::optional<TFrameLayout> Declared(const TFrameDeclaration& T) {
  TFrameLayout L = Blank(T);
  const int chromaRows = (T.Rows + 1) / 2;
  const int chromaStride = IsPlanar420(T.Format) ? T.RowBytes / 2 : T.RowBytes;
  if (!SetPlanes(L, T.RowBytes, T.Rows, chromaStride, chromaRows)) return std::nullopt;
  return L;
}

// Every plane's rows rounded up to 4 bytes, the luma plane's height to
// even; only for a type that declares no padding.
std::optional<TFrameLayout> Aligned(const TFrameDeclaration& T) {
  if (T.RowBytes != UnpaddedRowBytes(T.Format, T.Width) || T.Rows != T.Height) return std::nullopt;
  TFrameLayout L = Blank(T);
  const bool subsampled = IsPlanar420(T.Format) || T.Format == TPixelFormat::NV12;
  const int rows = subsampled ? RoundUp(T.Height, 2) : T.Height;
  const int stride = RoundUp(VisibleRowBytes(T.Format, T.Width), 4);
  const int chromaStride = IsPlanar420(T.Format) ? RoundUp((T.Width + 1) / 2, 4) : stride;
  if (!SetPlanes(L, stride, rows, chromaStride, rows / 2)) return std::nullopt;
  return L;
}

bool Describable(const TFrameDeclaration& T) {
  return T.Width > 0 && T.Height > 0 && T.Width <= kMaxSide && T.Rows <= kMaxSide && T.Height <= T.Rows &&
         T.RowBytes > 0 && T.RowBytes <= 4 * kMaxSide;
}

// The different layouts of the type (0, 1 or 2). The aligned layout is
// never smaller than the declared one, plane by plane, so two different
// layouts always differ in size and a sample's length can tell them apart.
int Layouts(const TFrameDeclaration& T, TFrameLayout (&Out)[2]) {
  if (!Describable(T)) return 0;
  int n = 0;
  for (const auto& candidate : {Declared(T), Aligned(T)})
    if (candidate && (n == 0 || !(Out[0] == *candidate))) Out[n++] = *candidate;
  return n;
}

}  // namespace

bool CanLayOut(const TFrameDeclaration& Type) {
  TFrameLayout layouts[2];
  return Layouts(Type, layouts) > 0;
}

std::optional<TFrameLayout> LayoutOfSample(const TFrameDeclaration& Type, std::size_t DataLength) {
  TFrameLayout layouts[2];
  const int n = Layouts(Type, layouts);
  int held = 0, which = 0;
  for (int i = 0; i < n; ++i) {
    if (layouts[i].Bytes == DataLength) return layouts[i];
    if (layouts[i].Bytes < DataLength) {
      ++held;
      which = i;
    }
  }
  if (held != 1) return std::nullopt;
  return layouts[which];
}

TFrameView ViewOfFrame(const TFrameLayout& Layout, const std::uint8_t* Data) {
  TFrameView v;
  v.Format = Layout.Format;
  v.Width = Layout.Width;
  v.Height = Layout.Height;
  for (int p = 0; p < Layout.Planes; ++p) {
    v.Plane[p] = Data + Layout.Offset[p];
    v.Stride[p] = Layout.Stride[p];
  }
  if (Layout.BottomUp) {
    v.Plane[0] = Data + Layout.Offset[0] + std::size_t(Layout.Stride[0]) * std::size_t(Layout.Rows - 1);
    v.Stride[0] = -Layout.Stride[0];
  }
  return v;
}
