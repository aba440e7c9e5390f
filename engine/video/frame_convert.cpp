#include "engine/video/frame_convert.h"

#include "engine/video/frame_kernels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The chroma part of a pixel, computed once per chroma sample.
struct TChroma {
  int32_t R, G, B;
  void Set(const TYuvTables& t, unsigned u, unsigned v) {
    R = t.RU[u] + t.RV[v];
    G = t.GU[u] + t.GV[v];
    B = t.BU[u] + t.BV[v];
  }
};

inline std::uint32_t Pack(const TYuvTables& t, unsigned y, const TChroma& c) {
  const int32_t l = t.Y[y];
  return (std::uint32_t(ByteClamp[(l + c.R) >> ColorFracBits]) << 16) |
         (std::uint32_t(ByteClamp[(l + c.G) >> ColorFracBits]) << 8) |
         ByteClamp[(l + c.B) >> ColorFracBits];
}

// Converts a row of a 4:2:x format. Luma(x) gives the luma byte of source
// column x, Chroma(pair, c) sets c from the chroma sample of column pair
// x / 2; the chroma part is reused while the column map stays on a pair.
template <typename TLuma, typename TChromaOf>
inline void ConvertYuvRow(const int* xmap, int n, const TYuvTables& t, std::uint32_t* dst,
                          TLuma Luma, TChromaOf ChromaOf) {
  int pair = -1;
  TChroma c{};
  for (int i = 0; i < n; ++i) {
    const int x = xmap[i];
    if ((x >> 1) != pair) {
      pair = x >> 1;
      ChromaOf(pair, c);
    }
    dst[i] = Pack(t, Luma(x), c);
  }
}

void RowPlanar(const TFrameView& f, int sy, const int* xmap, int n, const TYuvTables& t,
               std::uint32_t* dst) {
  const std::uint8_t* y = f.Plane[0] + std::ptrdiff_t(sy) * f.Stride[0];
  const std::uint8_t* u = f.Plane[1] + std::ptrdiff_t(sy >> 1) * f.Stride[1];
  const std::uint8_t* v = f.Plane[2] + std::ptrdiff_t(sy >> 1) * f.Stride[2];
  ConvertYuvRow(xmap, n, t, dst, [y](int x) { return y[x]; },
                [&](int p, TChroma& c) { c.Set(t, u[p], v[p]); });
}

void RowNV12(const TFrameView& f, int sy, const int* xmap, int n, const TYuvTables& t,
             std::uint32_t* dst) {
  const std::uint8_t* y = f.Plane[0] + std::ptrdiff_t(sy) * f.Stride[0];
  const std::uint8_t* uv = f.Plane[1] + std::ptrdiff_t(sy >> 1) * f.Stride[1];
  ConvertYuvRow(xmap, n, t, dst, [y](int x) { return y[x]; },
                [&](int p, TChroma& c) { c.Set(t, uv[2 * p], uv[2 * p + 1]); });
}

// Packed 4:2:2: each pair of pixels is four bytes; YOff is the offset of
// the first luma byte and UOff of the Cb byte within the pair.
template <int YOff, int UOff>
void RowPacked(const TFrameView& f, int sy, const int* xmap, int n, const TYuvTables& t,
               std::uint32_t* dst) {
  const std::uint8_t* row = f.Plane[0] + std::ptrdiff_t(sy) * f.Stride[0];
  ConvertYuvRow(xmap, n, t, dst, [row](int x) { return row[(x & ~1) * 2 + YOff + (x & 1) * 2]; },
                [&](int p, TChroma& c) { c.Set(t, row[4 * p + UOff], row[4 * p + UOff + 2]); });
}

void RowRgb(const TFrameView& f, int sy, const int* xmap, int n, std::uint32_t* dst) {
  const auto* row = reinterpret_cast<const std::uint32_t*>(f.Plane[0] +
                                                           std::ptrdiff_t(sy) * f.Stride[0]);
  for (int i = 0; i < n; ++i) dst[i] = row[xmap[i]] & 0x00FFFFFFu;
}

}  // namespace

bool IsYuvFormat(TPixelFormat Format) { return Format != TPixelFormat::RGB32; }

const char* PixelFormatName(TPixelFormat Format) {
  switch (Format) {
    case TPixelFormat::RGB32: return "RGB32";
    case TPixelFormat::YUY2: return "YUY2";
    case TPixelFormat::UYVY: return "UYVY";
    case TPixelFormat::I420: return "I420";
    case TPixelFormat::YV12: return "YV12";
    case TPixelFormat::NV12: return "NV12";
  }
  return "?";
}

int NaturalStride(TPixelFormat Format, int Width) {
  switch (Format) {
    case TPixelFormat::RGB32: return Width * 4;
    case TPixelFormat::YUY2:
    case TPixelFormat::UYVY: return ((Width + 1) & ~1) * 2;
    default: return (Width + 1) & ~1;
  }
}

std::size_t FrameBytes(TPixelFormat Format, int Width, int Height, int Stride) {
  const std::size_t rows = static_cast<std::size_t>(Height);
  const std::size_t luma = rows * static_cast<std::size_t>(Stride);
  const std::size_t chromaRows = (rows + 1) / 2;
  switch (Format) {
    case TPixelFormat::I420:
    case TPixelFormat::YV12: return luma + 2 * chromaRows * static_cast<std::size_t>(Stride / 2);
    case TPixelFormat::NV12: return luma + chromaRows * static_cast<std::size_t>(Stride);
    default: return luma;
  }
}

TFrameView DescribeFrame(TPixelFormat Format, const std::uint8_t* Data, int Width, int Height,
                         int Stride, bool BottomUp) {
  TFrameView f;
  f.Format = Format;
  f.Width = Width;
  f.Height = Height;
  f.Plane[0] = Data;
  f.Stride[0] = Stride;
  const std::ptrdiff_t luma = std::ptrdiff_t(Stride) * Height;
  const std::ptrdiff_t chroma = std::ptrdiff_t(Stride / 2) * ((Height + 1) / 2);
  switch (Format) {
    case TPixelFormat::RGB32:
      if (BottomUp && Height > 0) {
        f.Plane[0] = Data + std::ptrdiff_t(Stride) * (Height - 1);
        f.Stride[0] = -Stride;
      }
      break;
    case TPixelFormat::I420:
    case TPixelFormat::YV12: {
      const bool swapped = Format == TPixelFormat::YV12;
      f.Plane[swapped ? 2 : 1] = Data + luma;
      f.Plane[swapped ? 1 : 2] = Data + luma + chroma;
      f.Stride[1] = f.Stride[2] = Stride / 2;
      break;
    }
    case TPixelFormat::NV12:
      f.Plane[1] = Data + luma;
      f.Stride[1] = Stride;
      break;
    default: break;
  }
  return f;
}

TFrameView CopyFrame(const TFrameView& Frame, std::vector<std::uint8_t>& Buffer) {
  TFrameCopy copy;
  const TFrameView view = copy.Start(Frame, Buffer);
  copy.Finish();
  return view;
}

TFrameView TFrameCopy::Start(const TFrameView& Frame, std::vector<std::uint8_t>& Buffer) {
  FPlanes = Frame.Format == TPixelFormat::NV12 ? 2
            : (Frame.Format == TPixelFormat::I420 || Frame.Format == TPixelFormat::YV12)
                ? 3
                : 1;
  FRows = std::max(Frame.Height, 0);
  const int chromaRows = (FRows + 1) / 2;
  std::size_t total = 0;
  for (int p = 0; p < FPlanes; ++p)
    total += std::size_t(p == 0 ? FRows : chromaRows) * std::size_t(std::abs(Frame.Stride[p]));
  Buffer.resize(total);
  FFrom = Frame;
  FTo = Frame;
  std::uint8_t* out = Buffer.data();
  for (int p = 0; p < FPlanes; ++p) {
    FTo.Plane[p] = out;
    FTo.Stride[p] = std::abs(Frame.Stride[p]);
    out += std::size_t(p == 0 ? FRows : chromaRows) * std::size_t(FTo.Stride[p]);
  }
  FDone.assign(std::size_t(FRows), false);
  FChromaDone.assign(FPlanes > 1 ? std::size_t(chromaRows) : 0, false);
  return FTo;
}

void TFrameCopy::CopyRow(int Sy) {
  auto copy = [this](int p, int y) {
    std::memcpy(const_cast<std::uint8_t*>(FTo.Plane[p]) + std::ptrdiff_t(y) * FTo.Stride[p],
                FFrom.Plane[p] + std::ptrdiff_t(y) * FFrom.Stride[p], std::size_t(FTo.Stride[p]));
  };
  copy(0, Sy);
  FDone[std::size_t(Sy)] = true;
  const int c = Sy >> 1;
  if (FPlanes > 1 && !FChromaDone[std::size_t(c)]) {
    for (int p = 1; p < FPlanes; ++p) copy(p, c);
    FChromaDone[std::size_t(c)] = true;
  }
}

void TFrameCopy::Finish() {
  for (int y = 0; y < FRows; ++y) Row(y);
}

void ConvertRow(const TFrameView& Frame, int Sy, const int* XMap, int Count,
                const TYuvTables& Tables, std::uint32_t* Dst) {
  switch (Frame.Format) {
    case TPixelFormat::RGB32: RowRgb(Frame, Sy, XMap, Count, Dst); break;
    case TPixelFormat::YUY2: RowPacked<0, 1>(Frame, Sy, XMap, Count, Tables, Dst); break;
    case TPixelFormat::UYVY: RowPacked<1, 0>(Frame, Sy, XMap, Count, Tables, Dst); break;
    case TPixelFormat::I420:
    case TPixelFormat::YV12: RowPlanar(Frame, Sy, XMap, Count, Tables, Dst); break;
    case TPixelFormat::NV12: RowNV12(Frame, Sy, XMap, Count, Tables, Dst); break;
  }
}

void ConvertSpan(const TFrameView& Frame, int Sy, int X0, int Count, const TYuvTables& Tables,
                 std::uint32_t* Dst) {
  const bool planar = Frame.Format == TPixelFormat::I420 || Frame.Format == TPixelFormat::YV12;
  const bool nv12 = Frame.Format == TPixelFormat::NV12;
  // The vector kernels start on a chroma pair (an even column): an odd
  // start converts its first pixel on its own (a scaled picture's span
  // often starts on an odd column).
  const int lead = (planar || nv12) && (X0 & 1) && Count > 0 ? 1 : 0;
  if (lead) ConvertRow(Frame, Sy, &X0, 1, Tables, Dst);
  int done = lead;
  const int x = X0 + lead;
  const std::uint8_t* y = Frame.Plane[0] + std::ptrdiff_t(Sy) * Frame.Stride[0] + x;
  const std::ptrdiff_t crow = std::ptrdiff_t(Sy >> 1);
  if (planar)
    done += Yuv420RowSimd(y, Frame.Plane[1] + crow * Frame.Stride[1] + x / 2,
                          Frame.Plane[2] + crow * Frame.Stride[2] + x / 2, Count - lead, Tables, Dst + lead);
  else if (nv12)
    done += Nv12RowSimd(y, Frame.Plane[1] + crow * Frame.Stride[1] + x, Count - lead, Tables, Dst + lead);
  int xmap[64];
  for (int i = done; i < Count;) {
    const int n = std::min(Count - i, 64);
    for (int k = 0; k < n; ++k) xmap[k] = X0 + i + k;
    ConvertRow(Frame, Sy, xmap, n, Tables, Dst + i);
    i += n;
  }
}

void TColumnConversion::Build(TPixelFormat Format, int Width, const int* Cols, int Count,
                              int SpanLeft, int SpanCount) {
  FCols.assign(Cols, Cols + Count);
  FNv12 = Format == TPixelFormat::NV12;
  FVector = FNv12 || Format == TPixelFormat::I420 || Format == TPixelFormat::YV12;
  FGroups.clear();
  FGathers.clear();
  FFirst = FLast = FGathered = 0;
  if (!FVector) return;
  // ConvertSpan's split: an odd first column on its own, the vector code
  // on whole groups of 8 from the next even one, the table code after.
  const int lead = (SpanLeft & 1) && SpanCount > 0 ? 1 : 0;
  const int from = SpanLeft + lead, to = from + (SpanCount - lead) / 8 * 8;
  FFirst = int(std::lower_bound(Cols, Cols + Count, from) - Cols);
  FLast = int(std::lower_bound(Cols + FFirst, Cols + Count, to) - Cols);
  // The bytes a row holds: its luma, and the chroma bytes from the Cb of
  // the first pair to the Cr of the last (read 1 byte on for NV12).
  const int step = FNv12 ? 2 : 1;
  const int chromaBytes = FNv12 ? 2 * ((Width + 1) / 2) - 1 : (Width + 1) / 2;
  // A vector pixel does not depend on its neighbours, so groups may start
  // anywhere and overlap: each starts where 8 columns fit in 16 bytes of
  // each plane, at the first column not converted yet or up to 7 columns
  // before it; a column where none fits is gathered.
  auto group = [&](int i, TColumnGroup& g) {
    g.At = i;
    g.Luma = Cols[i];
    g.Chroma = (Cols[i] >> 1) * step;
    if (g.Luma + 16 > Width || g.Chroma + 16 > chromaBytes) return false;
    for (int k = 0; k < 8; ++k) {
      const int luma = Cols[i + k] - g.Luma, chroma = (Cols[i + k] >> 1) * step - g.Chroma;
      if (luma >= 16 || chroma >= 16) return false;
      g.LumaLanes[2 * k] = std::uint8_t(luma);
      g.ChromaLanes[2 * k] = std::uint8_t(chroma);
      g.LumaLanes[2 * k + 1] = g.ChromaLanes[2 * k + 1] = 0x80;
    }
    return true;
  };
  for (int i = FFirst; i < FLast;) {
    TColumnGroup g;
    bool found = false;
    for (int at = std::min(i, FLast - 8); !found && at >= std::max(FFirst, i - 7); --at) found = group(at, g);
    if (found) {
      FGroups.push_back(g);
      i = g.At + 8;
      continue;
    }
    if (FGathers.empty() || FGathers.back().At + FGathers.back().Count != i || FGathers.back().Count == 64)
      FGathers.push_back({i, 0});
    FGathers.back().Count++;
    ++FGathered;
    ++i;
  }
}

bool TColumnConversion::Pays() const {
  switch (KernelLevel()) {
    case TKernelLevel::Plain: return true;
    case TKernelLevel::Sse2: return !FVector;
    case TKernelLevel::Avx2: return !FVector || 8 * FGathered <= FLast - FFirst;
  }
  return false;
}

void TColumnConversion::Gather(const std::uint8_t* Y, const std::uint8_t* U, const std::uint8_t* V,
                               int From, int N, const TYuvTables& Tables, std::uint32_t* Dst) const {
  std::uint8_t ys[64], us[64], vs[64];
  std::uint32_t out[64];
  const int step = FNv12 ? 2 : 1;
  const int whole = (N + 7) / 8 * 8;  // the last group padded
  for (int k = 0; k < whole; ++k) {
    const int x = FCols[std::size_t(From + std::min(k, N - 1))], c = (x >> 1) * step;
    ys[k] = Y[x];
    us[k] = U[c];
    vs[k] = V[c];
  }
  Yuv444RowSimd(ys, us, vs, whole, Tables, out);
  std::copy(out, out + N, Dst);
}

void TColumnConversion::Convert(const TFrameView& Frame, int Sy, const TYuvTables& Tables,
                                std::uint32_t* Dst) const {
  const int count = Count();
  if (!FVector || KernelLevel() == TKernelLevel::Plain)
    return ConvertRow(Frame, Sy, FCols.data(), count, Tables, Dst);  // table code throughout
  ConvertRow(Frame, Sy, FCols.data(), FFirst, Tables, Dst);
  ConvertRow(Frame, Sy, FCols.data() + FLast, count - FLast, Tables, Dst + FLast);
  const std::uint8_t* y = Frame.Plane[0] + std::ptrdiff_t(Sy) * Frame.Stride[0];
  const std::uint8_t* u = Frame.Plane[1] + std::ptrdiff_t(Sy >> 1) * Frame.Stride[1];
  const std::uint8_t* v = FNv12 ? u + 1 : Frame.Plane[2] + std::ptrdiff_t(Sy >> 1) * Frame.Stride[2];
  if (Avx2InUse()) {
    YuvColumnsAvx2(y, u, v, FGroups.data(), int(FGroups.size()), Tables, Dst);
  } else {
    for (const TColumnGroup& g : FGroups) Gather(y, u, v, g.At, 8, Tables, Dst + g.At);
  }
  for (const TRun& r : FGathers) Gather(y, u, v, r.At, r.Count, Tables, Dst + r.At);
}

void ConvertFrame(const TFrameView& Frame, const TColorSettings& Settings, std::uint32_t* Dst,
                  int DstStride) {
  auto yuv = std::make_unique<TYuvTables>();
  auto rgb = std::make_unique<TRgbTables>();
  if (IsYuvFormat(Frame.Format))
    yuv->Build(Settings);
  else
    rgb->Build(Settings);
  for (int y = 0; y < Frame.Height; ++y) {
    std::uint32_t* row = Dst + std::ptrdiff_t(y) * DstStride;
    ConvertSpan(Frame, y, 0, Frame.Width, *yuv, row);
    if (!IsYuvFormat(Frame.Format)) rgb->Apply(row, Frame.Width);
  }
}
