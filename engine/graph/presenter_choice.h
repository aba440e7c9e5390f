// Which presenter the video control shows its painting through, from the
// state of its graph. No platform header.
#pragma once

enum class TPresenterKind {
  // The overlay shows the picture through the key colour the control
  // paints on its own window, which covers the renderer's window.
  KeyColour,
  // A renderer's own window (the platform renderer without overlay, or a
  // mixing renderer put back after a failed insertion) shows the picture
  // over the control's area.
  RendererWindow,
  // No renderer window: the control draws every frame of its own renderer
  // itself, with its painting laid over the picture.
  Compositing,
};

// The overlay in use wins over everything else; otherwise a renderer
// window shows the picture when there is one; without either the control
// composes the picture itself.
TPresenterKind PresenterKindFor(bool OverlayInUse, bool HasRendererWindow);
