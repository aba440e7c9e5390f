#pragma once

#include <memory>
#include <string>

#include "framework/forms.h"
#include "framework/graphics.h"
#include "kit/widget.h"

// The platform side of the widget protocol: the host of one skinned window.
// It holds the window's skin image (the face, never drawn on), an optional
// back buffer (the face plus everything the widgets and texts drew), and
// draws for its widgets on the window canvas and the back buffer. Hints go
// to the window's Hint text, cursors to Screen. GUI thread only.
class TSkinHost : public TWidgetHost {
 public:
  explicit TSkinHost(TWinControl& Window);

  // ---- the face ----
  // Loads the skin image Name (LoadSkinImage).
  void LoadSkin(const std::wstring& Name);
  TBitmap& Skin() { return FSkin; }
  // Creates the back buffer as a copy of the skin, with a clear brush and
  // the window's font.
  void CreateBackBuffer();
  // Nullptr for windows without a back buffer.
  TBitmap* BackBuffer() { return FBackBuffer.get(); }
  TWinControl& Window() { return FWindow; }

  // ---- drawing for the widgets ----
  // Copies SourceRect of Source onto Dest of the window canvas and, when
  // there is one, of the back buffer (stretching when the sizes differ).
  void Draw(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  // The same on the window canvas only.
  void DrawOnWindow(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  // Restores the face under Rect from the skin image on both targets.
  void RestoreSkin(const TRect& Rect);
  // Answers WM_ERASEBKGND: copies the window canvas's clip box from the back
  // buffer (from the skin without one). True: the background is done.
  bool EraseBackground();

  // ---- TWidgetHost ----
  void SetHintText(const std::wstring& Text) override;
  void CancelHint() override;
  void SetCursor(TWidgetCursor Cursor) override;

 private:
  TWinControl& FWindow;
  TBitmap FSkin;
  std::unique_ptr<TBitmap> FBackBuffer;
};

// What the second press of a double click is in a skinned window.
enum class TDoubleClick {
  // A press like any other: it presses a widget or drags the window, so two
  // quick clicks on a button click it twice.
  Press,
  // A double click alone: it runs the widgets' double-click actions and
  // neither presses a widget nor drags the window (the main window, whose
  // name labels open on a double click).
  ActionsOnly,
};

// A borderless skinned form: its face is a skin image, its widgets are fed
// by the mouse through its host, a left press that no widget takes drags the
// window, WM_ERASEBKGND is answered from the back buffer, a double click
// runs the widgets' double-click actions and its second press is what
// TDoubleClick says, losing the mouse capture before the release ends every
// press and drag, and the mouse leaving the window drops every hover look.
class TSkinForm : public TForm {
 public:
  // Loads the face SkinName, sizes the client area to it and, when
  // WithBackBuffer, creates the back buffer.
  TSkinForm(const std::wstring& ClassName, const std::wstring& SkinName,
            bool WithBackBuffer, TDoubleClick DoubleClick = TDoubleClick::Press);

  TSkinHost& Host() { return FHost; }

 protected:
  // ---- hooks ----
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick(int X, int Y) override;
  void MouseLeave() override;
  bool EraseBackground() override;
  void WndProc(TMessage& M) override;

 private:
  TSkinHost FHost;
  const TDoubleClick FDoubleClick;
  // Inside the framework's handling of a button release, which gives up the
  // capture itself before the widgets see the release.
  bool FReleasing = false;
};
