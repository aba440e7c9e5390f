// The picture compositor of the video control's own renderer: scales the
// source crop of a frame into the destination rectangle of a 32-bit target
// surface (bilinear; a picture shown at its own size is copied), fills
// the rest with the background colour, and lays a key-coloured overlay
// layer (the on-screen display and subtitle bands) over the result, its
// key-coloured pixels letting the picture through.
//
// Pixels are 0x00RRGGBB. A compositor is used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/video/color_adjust.h"
#include "engine/video/frame_convert.h"
#include "engine/video/frame_reduce.h"
#include "engine/video/frame_scale.h"

// A rectangle, right and bottom excluded.
struct TVideoRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TVideoRect&) const = default;
};

// The part of a Width x Height source that a digital zoom of Zoom percent
// (0..99) leaves, centred: w = W - Zoom * W / 100, h = w * H / W, all
// truncated. A source without width or height gives the whole (empty)
// source.
TVideoRect ZoomSourceRect(int Width, int Height, int Zoom);

// How a picture fills its destination rectangle: stretched to it, fitted
// inside it with bars (its proportions kept), or filling it with the
// source cut to the destination's proportions.
enum class TFitMode { Stretch, LetterBox, Crop };

// Fits the Source crop into Dest by Mode: Placed is where the picture goes
// (inside Dest, centred), Source is narrowed for Crop. Empty inputs are
// left as they are.
void FitPicture(TFitMode Mode, const TVideoRect& Dest, TVideoRect& Source, TVideoRect& Placed);

// A colour reference ($BBGGRR) as a pixel (0x00RRGGBB) and back.
inline std::uint32_t PixelOfColorRef(std::uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The pixels of a layer that are not the key colour, kept as runs so that
// laying it over a frame copies only them.
class TKeyedLayer {
 public:
  // Takes the runs of Width x Height pixels (Stride pixels per row) whose
  // colour is not Key; the alpha byte is ignored.
  TKeyedLayer(const std::uint32_t* Pixels, int Width, int Height, int Stride, std::uint32_t Key);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Number of opaque pixels.
  std::size_t OpaqueCount() const { return FPixels.size(); }
  // Copies the opaque pixels onto Target (clipped to its size).
  void Apply(std::uint32_t* Target, int Width, int Height, int Stride) const;

 private:
  struct TRun {
    int Y, X, Count;
    std::size_t Offset;  // into FPixels
  };
  int FWidth, FHeight;
  std::vector<TRun> FRuns;
  std::vector<std::uint32_t> FPixels;
};

class TFrameCompositor {
 public:
  TFrameCompositor();

  // Resizes the target surface (its content becomes undefined).
  void SetTarget(int Width, int Height);
  // Dest is in target coordinates and may reach beyond it; Source is the
  // crop in frame pixels (an empty rectangle means the whole frame).
  void SetPlacement(const TVideoRect& Dest, const TVideoRect& Source);
  void SetColors(const TColorSettings& Settings);
  void SetBackground(std::uint32_t Pixel) { FBackground = Pixel; }
  // The overlay layer, or none; it is laid at the target's origin.
  void SetLayer(std::shared_ptr<const TKeyedLayer> Layer) { FLayer = std::move(Layer); }

  // Draws Frame into the surface: background, picture, layer. With Copy,
  // Frame is the view its Start gave: each source row is copied just
  // before it is read (the caller finishes the copy).
  void Compose(const TFrameView& Frame, TFrameCopy* Copy = nullptr);
  // Draws the surface without a picture: the destination is background.
  void ComposeBlank();

  const std::uint32_t* Pixels() const { return FSurface.data(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

 private:
  void Prepare(const TFrameView& Frame);
  void FillBackground(const TVideoRect& Hole);
  void ConvertPictureRow(const TFrameView& Frame, int Sy, std::uint32_t* Row);
  void ComposeScaled(const TFrameView& Frame);
  // Finds the columns the horizontal taps read (FColumns) and whether
  // converting only those pays.
  void PlanColumns(TPixelFormat Format, int Width);
  // The horizontally scaled source row Sy, from the two-row cache.
  const std::uint32_t* ScaledRow(const TFrameView& Frame, int Sy);
  // Source row Sy's span with the colours of an RGB source applied where
  // they go before the scaling, written to Out or, when nothing changes
  // the frame's own pixels, read in place: the pixels' start (alpha bytes
  // as they come).
  const std::uint32_t* SourceSpan(const TFrameView& Frame, int Sy, std::uint32_t* Out);

  int FWidth = 0, FHeight = 0;
  std::vector<std::uint32_t> FSurface;
  TFrameCopy* FCopy = nullptr;  // during Compose
  TVideoRect FDest, FSource;
  TColorSettings FColors;
  std::uint32_t FBackground = 0;
  std::shared_ptr<const TKeyedLayer> FLayer;

  // Cached for the last frame geometry and placement.
  bool FMapsValid = false;
  int FFrameWidth = -1, FFrameHeight = -1;
  TPixelFormat FFrameFormat = TPixelFormat::RGB32;
  TVideoRect FClip;  // Dest clipped to the surface
  std::vector<int> FXMap, FYMap;
  // The source columns the map reads (YUV rows are converted as a span
  // and then picked from), and whether the map is that span itself.
  int FSpanLeft = 0, FSpanCount = 0;
  bool FContiguous = false;
  std::vector<std::uint32_t> FRow;
  // Bilinear scaling: whether it applies, the taps, and the two most
  // recent horizontally scaled source rows (in FScaledRows or, for a span
  // read in place, in the frame).
  bool FScaled = false;
  bool FColorsFirst = false;  // an RGB source's colours are adjusted before scaling
  // The columns keep their width (each destination pixel is one source
  // pixel): the span is the scaled row.
  bool FSameColumns = false;
  TScaleTaps FXTaps, FYTaps;
  // A reduced YUV picture reads only some columns of its span: those
  // (rising), converted alone, and the horizontal taps over them; used
  // where they are clearly fewer than the span's.
  bool FConvertColumns = false;
  TColumnConversion FColumns;
  TScaleTaps FColumnTaps;
  // The same rows converted straight into their scaled width, where that
  // runs.
  TReducedRows FReduced;
  std::vector<std::uint32_t> FScaledRows[2];
  const std::uint32_t* FScaledRowData[2] = {};
  int FScaledRowIndex[2] = {-1, -1};
  bool FTablesValid = false;
  bool FTablesYuv = false;
  std::unique_ptr<TYuvTables> FYuv;
  std::unique_ptr<TRgbTables> FRgb;
};
