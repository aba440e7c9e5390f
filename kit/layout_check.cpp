#include "kit/layout_check.h"

#include <cstddef>

namespace lc::kit {

namespace {

std::string Show(const TRect& R) {
  std::string Text = "(";
  Text += std::to_string(R.Left) + "," + std::to_string(R.Top) + ")-(";
  Text += std::to_string(R.Right) + "," + std::to_string(R.Bottom) + ")";
  return Text;
}

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

}  // namespace

std::vector<std::string> LayoutFaults(const std::vector<TLayoutBox>& Boxes, const TRect& Window) {
  std::vector<std::string> Faults;
  const auto AreaOf = [&](const TLayoutBox& B) -> const TRect& {
    return B.Area >= 0 && static_cast<std::size_t>(B.Area) < Boxes.size() ? Boxes[B.Area].Bounds : Window;
  };
  for (std::size_t I = 0; I < Boxes.size(); ++I) {
    const TLayoutBox& B = Boxes[I];
    // A box without text (0 x 0) fits any room.
    if (B.TextWidth > B.TextRoom.Width() || B.TextHeight > B.TextRoom.Height())
      Faults.push_back(B.Name + ": text " + std::to_string(B.TextWidth) + "x" + std::to_string(B.TextHeight) +
                       " in room " + std::to_string(B.TextRoom.Width()) + "x" + std::to_string(B.TextRoom.Height()));
    if (B.Bounds.IsEmpty()) continue;
    const TRect& Area = AreaOf(B);
    if (!Inside(B.Bounds, Area)) Faults.push_back(B.Name + ": " + Show(B.Bounds) + " leaves its area " + Show(Area));
    for (std::size_t J = I + 1; J < Boxes.size(); ++J) {
      const TLayoutBox& O = Boxes[J];
      if (O.Area != B.Area || O.Bounds.IsEmpty()) continue;
      if (B.Bounds.Intersects(O.Bounds))
        Faults.push_back(B.Name + " " + Show(B.Bounds) + " overlaps " + O.Name + " " + Show(O.Bounds));
    }
  }
  return Faults;
}

}  // namespace lc::kit
