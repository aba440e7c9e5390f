// The rule every window's layout keeps, over plain rectangles and measured
// text extents: each text fits whole in the room its control draws it in,
// each control lies inside the area that holds it (its window, a page, a
// column drawn on the skin) and no two controls of one area overlap.
// Portable: the tests collect the boxes from the running windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/types.h"

namespace lc::kit {

struct TLayoutBox {
  // Names the box in a fault ("Config: button Delete extension").
  std::string Name;
  // In the window's client coordinates.
  TRect Bounds;
  // The index of the box that holds this one, -1 for the window itself.
  int Area = -1;
  // Where the control draws its text; empty when it shows none.
  TRect TextRoom{};
  // The measured extent of the text, every line of it.
  int TextWidth = 0;
  int TextHeight = 0;
};

// One line per broken rule, empty when the layout keeps them all: a text
// wider or taller than its room, a box that leaves its area (or Window, in
// the same coordinates, for the boxes of no area) and two boxes of the same
// area that share a pixel. Empty boxes are only checked for their text.
std::vector<std::string> LayoutFaults(const std::vector<TLayoutBox>& Boxes, const TRect& Window);

// One line per place where the wrapped `Lines` of `Text` part a word in the
// middle of a name ("Roam|ing"): a line may end at a blank or a line end of
// Text, or within a word right after a path's "\" or "/", nowhere else.
// Lines of only blanks are passed over, and so are the blanks dropped at
// a break; a line that is not the text where it should stand is a fault.
// With FitsALine (whether a text fits one line of the box), a file name in
// double quotes (with what follows it up to a blank) is also checked: a
// name that fits a line is broken nowhere, and one that does not is broken
// at a blank only where the piece between its separators around the blank
// does not fit a line either (it breaks after a separator first).
std::vector<std::string> BrokenNameFaults(const std::wstring& Text, const std::vector<std::wstring>& Lines,
                                          const std::function<bool(const std::wstring&)>& FitsALine = {});

}  // namespace lc::kit
