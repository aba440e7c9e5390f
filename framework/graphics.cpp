#include "framework/graphics.h"

#include <algorithm>
#include <cstring>

#include "framework/exceptions.h"
#include "framework/late_library.h"

int ScreenPixelsPerInch() {
  static const int Ppi = [] {
    HDC DC = GetDC(nullptr);
    int Value = GetDeviceCaps(DC, LOGPIXELSY);
    ReleaseDC(nullptr, DC);
    return Value > 0 ? Value : 96;
  }();
  return Ppi;
}

// ---------------------------------------------------------------- TFont

TFont::TFont() : FName(L"MS Sans Serif"), FHeight(-11) {}

void TFont::SetName(const std::wstring& Name) {
  if (Name == FName) return;
  FName = Name;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int Points) { SetHeight(-MulDiv(Points, ScreenPixelsPerInch(), 72)); }

void TFont::SetHeight(int Pixels) {
  if (Pixels == FHeight) return;
  FHeight = Pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles Style) {
  if (Style == FStyle) return;
  FStyle = Style;
  Changed();
}

void TFont::SetQuality(BYTE Quality) {
  if (Quality == FQuality) return;
  FQuality = Quality;
  Changed();
}

void TFont::Assign(const TFont& Source) {
  if (&Source == this) return;
  FName = Source.FName;
  FHeight = Source.FHeight;
  FStyle = Source.FStyle;
  FColor = Source.FColor;
  FQuality = Source.FQuality;
  FHandle = Source.FHandle;
}

std::shared_ptr<void> TFont::HandleRef() const {
  if (!FHandle) {
    LOGFONTW LF{};
    LF.lfHeight = FHeight;
    LF.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    LF.lfItalic = (FStyle & fsItalic) ? TRUE : FALSE;
    LF.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
    LF.lfStrikeOut = (FStyle & fsStrikeOut) ? TRUE : FALSE;
    LF.lfCharSet = DEFAULT_CHARSET;
    LF.lfOutPrecision = OUT_DEFAULT_PRECIS;
    LF.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    LF.lfQuality = FQuality;
    LF.lfPitchAndFamily = DEFAULT_PITCH;
    wcsncpy(LF.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    HFONT Font = CreateFontIndirectW(&LF);
    if (!Font) throw EOSError("CreateFontIndirect failed");
    FHandle = std::shared_ptr<void>(Font, [](void* H) { DeleteObject(static_cast<HGDIOBJ>(H)); });
  }
  return FHandle;
}

// -------------------------------------------------------------- TCanvas

TCanvas::TCanvas(HDC DC) { SetHandle(DC); }

TCanvas::~TCanvas() { Deselect(); }

void TCanvas::Deselect() {
  if (FHandle && FOldFont) SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
  FSelectedFont.reset();
}

void TCanvas::SetHandle(HDC DC) {
  if (DC == FHandle) return;
  Deselect();
  FHandle = DC;
}

void TCanvas::RequireFont() {
  std::shared_ptr<void> FontHandle = Font.HandleRef();
  if (FontHandle != FSelectedFont) {
    HGDIOBJ Old = SelectObject(FHandle, static_cast<HFONT>(FontHandle.get()));
    if (!FOldFont) FOldFont = Old;
    FSelectedFont = std::move(FontHandle);
  }
  SetTextColor(FHandle, Font.Color());
  if (Brush.Style == TBrushStyle::bsClear) {
    SetBkMode(FHandle, TRANSPARENT);
  } else {
    SetBkMode(FHandle, OPAQUE);
    SetBkColor(FHandle, Brush.Color);
  }
}

namespace {

bool SameSize(const TRect& A, const TRect& B) {
  return A.Width() == B.Width() && A.Height() == B.Height();
}

}  // namespace

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  if (!FHandle || !Source.FHandle) return;
  if (Source.FHandle == FHandle && Dest.Intersects(SourceRect) && !SameSize(Dest, SourceRect) &&
      !SourceRect.IsEmpty()) {
    // Stretching within one context with overlapping areas would read
    // pixels already written: go through a copy of the source area.
    TBitmap Copy(SourceRect.Width(), SourceRect.Height());
    Copy.Canvas().CopyRect(Rect(0, 0, SourceRect.Width(), SourceRect.Height()), Source,
                           SourceRect);
    CopyRect(Dest, Copy.Canvas(), Rect(0, 0, SourceRect.Width(), SourceRect.Height()));
    return;
  }
  if (SameSize(Dest, SourceRect)) {
    BitBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source.FHandle,
           SourceRect.Left, SourceRect.Top, SRCCOPY);
  } else {
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source.FHandle,
               SourceRect.Left, SourceRect.Top, SourceRect.Width(), SourceRect.Height(), SRCCOPY);
  }
}

void TCanvas::CopyRectTransparent(const TRect& Dest, TCanvas& Source, const TRect& SourceRect,
                                  TColor Key) {
  if (!FHandle || !Source.FHandle || Dest.IsEmpty() || SourceRect.IsEmpty()) return;
  // Drawn only by menus, the on-screen texts and samples, never before the
  // main window shows: its library is loaded by the first call.
  static const auto Transparent = LateFunction<decltype(&::TransparentBlt)>(L"msimg32.dll", "TransparentBlt");
  if (!Transparent) return;
  Transparent(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source.FHandle, SourceRect.Left,
              SourceRect.Top, SourceRect.Width(), SourceRect.Height(), Key);
}

void TCanvas::Draw(int X, int Y, TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  CopyRect(Bounds(X, Y, Bitmap.Width(), Bitmap.Height()), Bitmap.Canvas(),
           Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
}

void TCanvas::TextOut(int X, int Y, const std::wstring& Text) {
  if (!FHandle) return;
  RequireFont();
  UINT Align = SetTextAlign(FHandle, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ExtTextOutW(FHandle, X, Y, 0, nullptr, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  SetTextAlign(FHandle, Align);
}

TSize TCanvas::TextExtent(const std::wstring& Text) {
  if (!FHandle) return {};
  RequireFont();
  SIZE S{};
  GetTextExtentPoint32W(FHandle, Text.c_str(), static_cast<int>(Text.size()), &S);
  return {S.cx, S.cy};
}

TRect TCanvas::DrawText(const std::wstring& Text, const TRect& Rect, UINT Format) {
  if (!FHandle) return Rect;
  RequireFont();
  RECT R{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  ::DrawTextW(FHandle, Text.c_str(), static_cast<int>(Text.size()), &R, Format);
  return {R.left, R.top, R.right, R.bottom};
}

void TCanvas::FillRect(const TRect& R) {
  if (!FHandle || Brush.Style == TBrushStyle::bsClear) return;
  RECT WR{R.Left, R.Top, R.Right, R.Bottom};
  HBRUSH B = CreateSolidBrush(Brush.Color);
  ::FillRect(FHandle, &WR, B);
  DeleteObject(B);
}

void TCanvas::FrameRect(const TRect& R) {
  if (!FHandle) return;
  RECT WR{R.Left, R.Top, R.Right, R.Bottom};
  HBRUSH B = CreateSolidBrush(Brush.Color);
  ::FrameRect(FHandle, &WR, B);
  DeleteObject(B);
}

TColor TCanvas::Pixel(int X, int Y) {
  if (!FHandle) return clNone;
  GdiFlush();
  COLORREF C = GetPixel(FHandle, X, Y);
  return C == CLR_INVALID ? clNone : static_cast<TColor>(C);
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  if (FHandle) SetPixelV(FHandle, X, Y, Color);
}

TRect TCanvas::ClipRect() {
  if (!FHandle) return {};
  RECT R{};
  GetClipBox(FHandle, &R);
  return {R.left, R.top, R.right, R.bottom};
}

bool TCanvas::RightToLeft() const { return FHandle && (GetLayout(FHandle) & LAYOUT_RTL) != 0; }

// -------------------------------------------------------------- TBitmap

TBitmap::TBitmap() {
  FDC = CreateCompatibleDC(nullptr);
  if (!FDC) throw EOSError("CreateCompatibleDC failed");
  FCanvas.SetHandle(FDC);
}

TBitmap::TBitmap(int Width, int Height) : TBitmap() { SetSize(Width, Height); }

TBitmap::~TBitmap() {
  FCanvas.SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC, FOldBitmap);
  if (FBitmap) DeleteObject(FBitmap);
  DeleteDC(FDC);
}

HBITMAP TBitmap::CreateSection(int Width, int Height, void** Bits) const {
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = Width;
  Info.bmiHeader.biHeight = -Height;  // top-down rows
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 24;
  Info.bmiHeader.biCompression = BI_RGB;
  HBITMAP B = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, Bits, nullptr, 0);
  if (!B) throw EOSError("CreateDIBSection failed");
  return B;
}

void TBitmap::SetSize(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (Width == FWidth && Height == FHeight) return;
  HBITMAP NewBitmap = nullptr;
  void* NewBits = nullptr;
  int NewStride = ((Width * 3 + 3) / 4) * 4;
  if (Width > 0 && Height > 0) {
    // A new section's memory comes fresh from the system, zero (black):
    // only the part kept from the old pixels is written, so the pages of a
    // large bitmap are touched only where it is drawn on.
    NewBitmap = CreateSection(Width, Height, &NewBits);
    GdiFlush();
    int CopyBytes = std::min(Width, FWidth) * 3;
    if (FBits)
      for (int Y = 0; Y < std::min(Height, FHeight); ++Y)
        std::memcpy(static_cast<std::uint8_t*>(NewBits) + Y * NewStride, FBits + Y * FStride,
                    CopyBytes);
  }
  if (FBitmap) {
    SelectObject(FDC, FOldBitmap);
    FOldBitmap = nullptr;
    DeleteObject(FBitmap);
  }
  FBitmap = NewBitmap;
  FBits = static_cast<std::uint8_t*>(NewBits);
  // A size with one side 0 has no pixels but is kept, so that setting the
  // width and then the height of an empty bitmap gives both.
  FWidth = Width;
  FHeight = Height;
  FStride = NewBitmap ? NewStride : 0;
  if (FBitmap) FOldBitmap = SelectObject(FDC, FBitmap);
}

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  SetSize(0, 0);
  SetSize(Source.FWidth, Source.FHeight);
  GdiFlush();
  if (FBits) std::memcpy(FBits, Source.FBits, static_cast<size_t>(FStride) * FHeight);
}

std::uint8_t* TBitmap::ScanLine(int Y) {
  if (!FBits || Y < 0 || Y >= FHeight) return nullptr;
  GdiFlush();
  return FBits + static_cast<ptrdiff_t>(Y) * FStride;
}

const std::uint8_t* TBitmap::ScanLine(int Y) const {
  return const_cast<TBitmap*>(this)->ScanLine(Y);
}
