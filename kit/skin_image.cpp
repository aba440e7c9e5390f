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

void WidenSkinImage(TBitmap& Skin, int Width, int Column) {
  const int Own = Skin.Width();
  const int H = Skin.Height();
  const int Extra = Width - Own;
  if (Extra <= 0) return;
  TBitmap Old;
  Old.Assign(Skin);
  Skin.SetSize(Width, H);
  TCanvas& C = Skin.Canvas();
  C.CopyRect({Column + Extra, 0, Width, H}, Old.Canvas(), {Column, 0, Own, H});
  C.CopyRect({Column, 0, Column + Extra, H}, Old.Canvas(), {Column, 0, Column + 1, H});
}

void LoadSkinImage(const std::wstring& Name, TBitmap& Bitmap) {
  std::span<const std::uint8_t> Data = LoadResourceData(Name, RT_RCDATA);

  png_image Image;
  std::memset(&Image, 0, sizeof(Image));
  Image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Image, Data.data(), Data.size()))
    throw Exception("Skin image " + EncodeText(Name) + " is no PNG: " + Image.message);
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
  HINSTANCE Module = GetModuleHandleW(nullptr);
  if (HCURSOR Press = LoadCursorW(Module, L"CRHANDPRESS"))
    Screen.SetCursors(crHandPress, Press);
  if (HCURSOR Point = LoadCursorW(Module, L"CRHANDPOINT"))
    Screen.SetCursors(crHandPoint, Point);
}
