#include "kit/tests/widget_fakes.h"

#include "kit/skin_strip.h"

namespace fakes {

std::unique_ptr<TSkinImage> MakeCaptionImage(int TextWidth, int Width) {
  int N = Width > 0 ? CaptionImageForWidth(Width) : CaptionImageForText(TextWidth);
  return std::make_unique<TFakeImage>(
      "ButtonText" + std::to_string(N),
      Width > 0 ? CaptionWidthForRequest(Width, TextWidth) : CaptionWidthForText(TextWidth), CaptionImageHeight);
}

}  // namespace fakes
