// Where the planes of a decoded frame lie in the buffer a decoder hands
// over. A media type states a frame's format, its visible size and the
// length of a row of its first plane; decoders store the frame in one of
// two ways:
// - as the type declares it (the platform's convention): plane 0 has rows
//   of the declared length, the chroma planes of I420 and YV12 rows of
//   half that length, NV12's interleaved chroma rows of the full length,
//   each plane's rows one after another for the declared number of rows;
// - with every plane's rows rounded up to a multiple of 4 bytes and the
//   luma plane's height to an even number of rows (GStreamer's layout, in
//   which the platform's own decoder under Wine delivers its frames while
//   its type declares rows of the visible width).
// A type that declares its padding (rows longer than the visible width,
// or more rows than the visible height) is laid out as declared; a type
// that declares none may be either, and each sample's data length tells
// which (the two always differ in size when they differ at all). Where
// the length fits neither, or holds both without matching either, the
// frame cannot be laid out and is not drawn; a type that no layout can
// hold (rows too short for the visible picture) is refused.
//
// Plain functions without state; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/video/frame_convert.h"

// What a media type says of its frames.
struct TFrameDeclaration {
  TPixelFormat Format = TPixelFormat::RGB32;
  int Width = 0, Height = 0;  // the visible picture, from the top left
  int RowBytes = 0;           // the declared length of a row of plane 0
  int Rows = 0;               // the declared number of rows (>= Height)
  bool BottomUp = false;      // RGB32 stored bottom row first
};

// The planes of one frame: offsets from the start of the buffer and row
// lengths in bytes, in the order of TFrameView (plane
// 0 the packed picture or luma; for I420 and YV12 planes 1 and 2 are Cb
// and Cr whatever their stored order; for NV12 plane 1 the Cb Cr pairs).
struct TFrameLayout {
  TPixelFormat Format = TPixelFormat::RGB32;
  int Width = 0, Height = 0;
  int Planes = 0;
  std::size_t Offset[3] = {};
  int Stride[3] = {};
  int Rows = 0;           // rows stored in plane 0
  std::size_t Bytes = 0;  // where the last plane ends
  bool BottomUp = false;
  bool operator==(const TFrameLayout&) const = default;
};

// Whether frames of the declaration can be laid out: it describes a
// picture (sides from 1 to 16384, the visible part within the declared
// rows) that at least one layout holds.
bool CanLayOut(const TFrameDeclaration& Type);

// The layout of a sample of DataLength bytes of that type: the one whose
// size is exactly DataLength, else the only one that DataLength holds;
// nothing when none fits or two different ones do.
std::optional<TFrameLayout> LayoutOfSample(const TFrameDeclaration& Type, std::size_t DataLength);

// The frame at Data laid out by Layout (the buffer holds Layout.Bytes).
TFrameView ViewOfFrame(const TFrameLayout& Layout, const std::uint8_t* Data);
