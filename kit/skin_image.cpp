#include "kit/skin_image.h"

#include <cstring>
#include <vector>

#include <windows.h>
#include <png.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "framework/resources.h"
#include "framework/unicode.h"

namespace {

// Moves the part of Skin from Line on (a column, or a row when Down) on by
// Extra pixels and fills the gap by repeating Line.
void DrawOutSkinImage(TBitmap& Skin, int Extra, int Line, bool Down) {
  if (Extra <= 0) return;
  TBitmap Old;
  Old.Assign(Skin);
  const int W = Old.Width();
  const int H = Old.Height();
  const int Own = Down ? H : W;
  // From A to B in the direction drawn out, across the whole face.
  auto Band = [&](int A, int B) { return Down ? TRect{0, A, W, B} : TRect{A, 0, B, H}; };
  Skin.SetSize(Down ? W : W + Extra, Down ? H + Extra : H);
  TCanvas& C = Skin.Canvas();
  C.CopyRect(Band(Line + Extra, Own + Extra), Old.Canvas(), Band(Line, Own));
  C.CopyRect(Band(Line, Line + Extra), Old.Canvas(), Band(Line, Line + 1));
}

}  // namespace

void WidenSkinImage(TBitmap& Skin, int Width, int Column) {
  DrawOutSkinImage(Skin, Width - Skin.Width(), Column, false);
}

void HeightenSkinImage(TBitmap& Skin, int Height, int Row) {
  DrawOutSkinImage(Skin, Height - Skin.Height(), Row, true);
}

namespace {

// Reads the header of the skin image Name's PNG data into Image (which the
// caller frees with png_image_free).
void BeginSkinImage(const std::wstring& Name, png_image& Image) {
  std::span<const std::uint8_t> Data = LoadResourceData(Name, RT_RCDATA);
  std::memset(&Image, 0, sizeof(Image));
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Image, Data.data(), Data.size()))
    throw Exception("Skin image " + EncodeText(Name) + " is no PNG: " + Image.message);
}

}  // namespace

TSize SkinImageSize(const std::wstring& Name) {
  png_image Image;
  BeginSkinImage(Name, Image);
  const TSize Size{static_cast<int>(Image.width), static_cast<int>(Image.height)};
  png_image_free(&Image);
  return Size;
}

void LoadSkinImage(const std::wstring& Name, TBitmap& Bitmap) {
  png_image Image;
  BeginSkinImage(Name, Image);
  Image.format = PNG_FORMAT_BGR;
  const int Stride = static_cast<int>(PNG_IMAGE_ROW_STRIDE(Image));
  std::vector<std::uint8_t> Pixels(PNG_IMAGE_BUFFER_SIZE(Image, Stride));
  png_color Black{0, 0, 0};
  if (!png_image_finish_read(&Image, &Black, Pixels.data(), Stride, nullptr)) {
    std::string Message = Image.message;
    png_image_free(&Image);
    throw Exception("Skin image " + EncodeText(Name) + " cannot be decoded: " + Message);
  }

  const int Width = static_cast<int>(Image.width);
  const int Height = static_cast<int>(Image.height);
  Bitmap.SetSize(Width, Height);
  for (int Y = 0; Y < Height; ++Y)
    std::memcpy(Bitmap.ScanLine(Y), Pixels.data() + std::size_t(Y) * Stride,
                std::size_t(Width) * 3);
}

void InstallSkinCursors() {
  Screen.SetCursorResource(crHandPress, L"CRHANDPRESS");
  Screen.SetCursorResource(crHandPoint, L"CRHANDPOINT");
}
