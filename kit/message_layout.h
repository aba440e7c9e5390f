#pragma once

#include <string>
#include <vector>

#include "framework/types.h"
#include "kit/word_wrap.h"

// The layout of the skinned message box: the text is wrapped at the widest
// width first and narrowed in 10-pixel steps while the text block stays
// within the height allowance, the width stays above the minimum and its
// widest word (a file's path whole, where the box can hold it) and the
// block is more than twice as wide as it is tall; the skin image is then
// cropped to the block. A block taller than the skin allows draws the skin
// out downwards (a middle row repeated) and lays the box out by the same
// rules at its new height, up to the height of the area the box stands in.
// A name wider than the skin (a long file name, which a path's separators
// cannot break) draws the skin out sideways (a middle column repeated) to
// the name's width, up to the width of that area: only a name wider than
// the area is cut. A box grown sideways is as high as its lines make a box
// of the skin's width.
// Portable: the text is measured by the caller's measurer (the label's
// font).

struct TMessageLayoutInput {
  int BackgroundWidth = 486;
  int BackgroundHeight = 254;
  bool ShowCheckBox = false;
  // The check box's full width (box, gaps and caption) and image height.
  int CheckBoxWidth = 0;
  int CheckBoxHeight = 13;
  // The OK and close buttons as created.
  TRect OkRect;
  TRect CloseRect;
  // The height of the area the box stands in (MessageBoxArea); a box that
  // would be taller shows only the text's lines that fit. 0: no limit.
  int MaxHeight = 0;
  // The width of that area: the box grows sideways up to it for a name
  // wider than the skin. 0: the box keeps the skin's width.
  int MaxWidth = 0;
};

// One copy within the background bitmap while it is cropped.
struct TStripCopy {
  TRect Source;
  TRect Dest;
};

struct TMessageLayout {
  int WrapWidth = 0;
  // The text: all its lines with the escapes undone, how many of them are
  // shown at once (all, unless the box reached MaxHeight), and the size of
  // the block shown.
  std::vector<std::wstring> Lines;
  int ShownLines = 0;
  int LabelWidth = 0;
  int LabelHeight = 0;
  // The box's (and the cropped background's) size.
  int Width = 0;
  int Height = 0;
  // The background is first drawn out to SkinWidth by repeating its column
  // DrawOutColumn and to SkinHeight by repeating its row DrawOutRow (each
  // its own size when the text fits it), ...
  int SkinWidth = 0;
  int DrawOutColumn = 0;
  int SkinHeight = 0;
  int DrawOutRow = 0;
  // ... then these copies carry its bottom and right edges in, before its
  // size is set to Width x Height.
  std::vector<TStripCopy> CropCopies;
  TPoint LabelPos;
  TRect OkRect;
  TRect CloseRect;
  // The check box's top and bottom.
  int CheckBoxTop = 0;
  int CheckBoxBottom = 0;
};

// The block of wrapped, escaped Text at Width: its lines joined (an empty
// line between paragraphs dropped) and its size, measured without escapes.
struct TTextBlock {
  std::wstring Joined;
  int Width = 0;
  int Height = 0;
};
TTextBlock MeasureWrapped(const std::wstring& EscapedText, int Width, TTextMeasurer& Measurer);

TMessageLayout LayoutMessage(const std::wstring& Text, const TMessageLayoutInput& In,
                             TTextMeasurer& Measurer);

// The first of the Shown lines in view after moving by Delta lines
// (negative: towards the start) from First, of Total lines: the view never
// leaves the text.
int ScrolledFirstLine(int First, int Delta, int Total, int Shown);

// Where the message box goes (screen coordinates of its top-left corner).
struct TMessagePlacementInput {
  int ClientWidth = 0;
  int ClientHeight = 0;
  // Full-screen video with an owner that is not both enabled and showing:
  // the box is centred on the video's monitor.
  bool CentreOnVideo = false;
  TRect VideoMonitor;
  // Otherwise between a reference centre and the main window's centre: the
  // primary screen's centre clamped to the work area, or, when monitors
  // differ, the main window's monitor's centre clamped to that monitor.
  TRect MainWindow;
  bool MonitorsDiffer = false;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  TRect WorkArea;
  TRect MainMonitor;
};
// The area the box is kept in: the video's monitor, the main window's
// monitor when monitors differ, else the work area. The client size is not
// read.
TRect MessageBoxArea(const TMessagePlacementInput& In);
TPoint PlaceMessageBox(const TMessagePlacementInput& In);
