// Decoded video frames as the renderer receives them, and their conversion
// to 32-bit RGB (0x00RRGGBB per pixel, rows top-down) with the colour
// controls folded into the conversion.
//
// Conversion works one destination row at a time over a column map, so the
// scaler converts only the source pixels it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/video/color_adjust.h"
#include "engine/video/frame_kernels.h"

enum class TPixelFormat { RGB32, YUY2, UYVY, I420, YV12, NV12 };

bool IsYuvFormat(TPixelFormat Format);
// The format's name as a four-character code or "RGB32".
const char* PixelFormatName(TPixelFormat Format);

// Where a frame's planes lie. Plane 0 is the packed picture or the luma
// plane; for I420 and YV12 planes 1 and 2 are Cb and Cr (YV12's stored
// order is already swapped here); for NV12 plane 1 holds Cb Cr pairs.
// Strides are in bytes and negative for a bottom-up RGB picture.
struct TFrameView {
  TPixelFormat Format = TPixelFormat::RGB32;
  int Width = 0;
  int Height = 0;
  const std::uint8_t* Plane[3] = {};
  int Stride[3] = {};
};

// The natural row stride in bytes of plane 0 (no padding).
int NaturalStride(TPixelFormat Format, int Width);
// The bytes a buffer of that format needs; Stride is the row stride of
// plane 0 (the chroma planes of I420 and YV12 take half of it).
std::size_t FrameBytes(TPixelFormat Format, int Width, int Height, int Stride);
// Describes a buffer laid out as its type declares it: planes one after
// another, chroma rows of planar formats half as long as Stride. BottomUp
// applies to RGB32 only (a bitmap with a positive height). The renderer
// finds each sample's planes with frame_layout.h, since decoders do not
// all store what they declare.
TFrameView DescribeFrame(TPixelFormat Format, const std::uint8_t* Data, int Width, int Height,
                         int Stride, bool BottomUp);

// Copies the frame's planes into Buffer (rows top-down, the strides kept)
// and returns the view of the copy.
TFrameView CopyFrame(const TFrameView& Frame, std::vector<std::uint8_t>& Buffer);

// The same copy made row by row while the rows are read from it, so that
// the frame comes from memory once: Start sizes Buffer and gives the view
// of the copy, none of its rows there yet; Row(Sy) copies what source row
// Sy reads (its row of plane 0 and its chroma row) unless that is there;
// Finish copies every row still missing. The source frame stays valid
// until Finish.
class TFrameCopy {
 public:
  TFrameView Start(const TFrameView& Frame, std::vector<std::uint8_t>& Buffer);
  void Row(int Sy) {
    if (Sy >= 0 && Sy < FRows && !FDone[std::size_t(Sy)]) CopyRow(Sy);
  }
  void Finish();

 private:
  void CopyRow(int Sy);
  TFrameView FFrom, FTo;
  int FPlanes = 0, FRows = 0;
  std::vector<bool> FDone, FChromaDone;
};

// Writes the pixels XMap[0..Count) of source row Sy to Dst. YUV sources go
// through Tables; RGB32 pixels are copied (the caller applies its own RGB
// tables).
void ConvertRow(const TFrameView& Frame, int Sy, const int* XMap, int Count,
                const TYuvTables& Tables, std::uint32_t* Dst);

// Writes the Count source pixels from column X0 of row Sy to Dst, with the
// vector kernels where they apply.
void ConvertSpan(const TFrameView& Frame, int Sy, int X0, int Count, const TYuvTables& Tables,
                 std::uint32_t* Dst);

// Converts the columns a scaler reads of each row, each pixel as
// ConvertSpan(Frame, Sy, SpanLeft, SpanCount) writes it: a scaler that
// reads only some columns of its span converts just those, with the same
// pixels.
class TColumnConversion {
 public:
  // Cols[0..Count): rising columns inside the span, of frames of Format
  // that are Width columns wide.
  void Build(TPixelFormat Format, int Width, const int* Cols, int Count, int SpanLeft,
             int SpanCount);
  int Count() const { return int(FCols.size()); }
  // Whether converting the columns costs less than converting the span at
  // the kernel level in use: the table code costs per column, the vector
  // code pays only where it can pick most columns out of whole loads.
  bool Pays() const;
  // Writes the columns of row Sy of Frame (of the format and width built
  // for) to Dst[0..Count()).
  void Convert(const TFrameView& Frame, int Sy, const TYuvTables& Tables, std::uint32_t* Dst) const;

 private:
  // Gathers the bytes of FCols[From..From + N) one by one and converts
  // them with the vector code.
  void Gather(const std::uint8_t* Y, const std::uint8_t* U, const std::uint8_t* V, int From, int N,
              const TYuvTables& Tables, std::uint32_t* Dst) const;
  std::vector<int> FCols;
  bool FVector = false;  // a 4:2:0 or NV12 frame: ConvertSpan runs vector code
  bool FNv12 = false;
  // The columns ConvertSpan gives to the vector code, FCols[FFirst..FLast):
  // groups of 8 picked out of whole loads, and runs of columns that no
  // group holds, gathered one by one.
  struct TRun {
    int At, Count;
  };
  int FFirst = 0, FLast = 0, FGathered = 0;
  std::vector<TColumnGroup> FGroups;
  std::vector<TRun> FGathers;
};

// Converts the whole frame to Dst (Width x Height pixels, DstStride pixels
// per row) with the colour controls applied.
void ConvertFrame(const TFrameView& Frame, const TColorSettings& Settings, std::uint32_t* Dst,
                  int DstStride);
