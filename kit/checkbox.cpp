#include "kit/checkbox.h"

#include "kit/skin_strip.h"

namespace {

constexpr TColor HoverCaptionColor = 254;  // red
constexpr TColor CaptionColor = 0x166116;

}  // namespace

TVirtualCheckbox::TVirtualCheckbox(TWidgetHost& Host, TWidgetSurface& Surface, int X,
                                   const std::wstring& Caption,
                                   const std::wstring& SkinName)
    : TWidget(Host, {}),
      FSurface(Surface),
      FImage(Surface.LoadImage(SkinName)),
      FCaption(Caption) {
  FRect.Left = X;
  FRect.Right = X + 13 + BoxWidth() + FSurface.TextExtent(Caption, {}).cx;
}

int TVirtualCheckbox::Quarter() const {
  if (FHover && FPressed) return Checked ? 3 : 1;
  return Checked ? 2 : 0;
}

void TVirtualCheckbox::Paint() {
  if (!Visible) return;
  // Ceil of half the room left beside the text (division truncates toward
  // zero, which is the ceiling for negative values).
  int Room = FRect.Bottom - FRect.Top + 1 - FSurface.TextExtent(L"H", {}).cy;
  int Dy = Room >= 0 ? (Room + 1) / 2 : Room / 2;
  int TextX = FRect.Left + 9 + BoxWidth();
  if (!FHover) FSurface.RestoreSkin(FRect, ptBoth);
  FSurface.TextOut(TextX, FRect.Top + Dy, FCaption,
                   {0, FHover ? HoverCaptionColor : CaptionColor}, ptBoth);
  TRect Box = SideFrame(FImage->Width(), FImage->Height(), 4, Quarter());
  int Left = FRect.Left + 4, Top = FRect.Top + 5;
  FSurface.Copy(*FImage, Box, {Left, Top, Left + BoxWidth(), Top + FImage->Height()},
                ptBoth);
}

bool TVirtualCheckbox::MouseDown(int X, int Y) {
  if (!Visible) return false;
  return TWidget::MouseDown(X, Y);
}

bool TVirtualCheckbox::MouseMove(int X, int Y, bool LeftDown) {
  if (!Visible) return false;
  return TWidget::MouseMove(X, Y, LeftDown);
}

bool TVirtualCheckbox::MouseUp(int X, int Y) {
  if (!Visible || !FPressed || !PointInside(X, Y)) return false;
  Checked = !Checked;
  FPressed = false;
  Paint();
  return true;
}
