#include "engine/graph/presenter_choice.h"

TPresenterKind PresenterKindFor(bool OverlayInUse, bool HasRendererWindow) {
  if (OverlayInUse) return TPresenterKind::KeyColour;
  if (HasRendererWindow) return TPresenterKind::RendererWindow;
  return TPresenterKind::Compositing;
}
