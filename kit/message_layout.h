#pragma once

#include <string>
#include <vector>

#include "framework/types.h"
#include "kit/word_wrap.h"

// The layout of the skinned message box: the text is wrapped at the widest
// width first and narrowed in 10-pixel steps while the text block stays
// within the height allowance, the width stays above the minimum and the
// block is more than twice as wide as it is tall; the skin image is then
// cropped to the block. Portable: the text is measured by the caller's
// measurer (the label's font).

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
};

// One copy within the background bitmap while it is cropped.
struct TStripCopy {
  TRect Source;
  TRect Dest;
};

struct TMessageLayout {
  int WrapWidth = 0;
  // The shown text: its lines with the escapes undone, and the block's size.
  std::vector<std::wstring> Lines;
  int LabelWidth = 0;
  int LabelHeight = 0;
  // The box's (and the cropped background's) size; Cropped is False when
  // the text needs more than the whole background, which then stays.
  bool Cropped = false;
  int Width = 0;
  int Height = 0;
  // The copies that carry the background's bottom and right edges in,
  // before its size is set to Width x Height (none when not cropped).
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
TPoint PlaceMessageBox(const TMessagePlacementInput& In);
