// The configuration dialog's page metrics, shared by the files that build
// and lay out its pages.
#pragma once

namespace lc::tools::config_metrics {

// The notebook's place on the skin (the pages' own size, before they widen
// for longer texts).
inline constexpr int kPageLeft = 166, kPageTop = 28, kPageWidth = 346, kPageHeight = 336;
// The controls' least distance from a page's edges.
inline constexpr int kPageMargin = 4;
// Between a label and the control to its right.
inline constexpr int kLabelGap = 6;
// The platform check box's box and the gap before its caption; the room
// a check list line's box takes before its text, beyond the line's height.
inline constexpr int kCheckBoxPart = 20;
inline constexpr int kCheckLinePart = 6;
// The smallest character height a text is made to fit with.
inline constexpr int kSmallestTextHeight = 9;
// The File Types page: the buttons' column at its narrowest, and the gap
// between it and the extension list.
inline constexpr int kFileTypesColumn = 146;
inline constexpr int kFileTypesGap = 8;
// A column of the dialog's face that can be repeated when it widens (the
// plain middle of the notebook's frame).
inline constexpr int kWidenColumn = 340;

}  // namespace lc::tools::config_metrics
