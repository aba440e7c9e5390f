#include "engine/graph/presenter_choice.h"

#include <gtest/gtest.h>

// The overlay shows through the control even though the renderer behind
// it has a window; only without overlay does a renderer window show the
// picture, and without either the control composes it.
TEST(PresenterChoice, OverlayThenRendererWindowThenCompositing) {
  const struct {
    bool Overlay, Window;
    TPresenterKind Expected;
  } cases[] = {
      {true, true, TPresenterKind::KeyColour},
      {true, false, TPresenterKind::KeyColour},
      {false, true, TPresenterKind::RendererWindow},
      {false, false, TPresenterKind::Compositing},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PresenterKindFor(c.Overlay, c.Window), c.Expected) << "overlay " << c.Overlay << ", window " << c.Window;
}
