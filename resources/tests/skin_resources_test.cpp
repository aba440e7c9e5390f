// The compiled skin: every image a window or widget loads is in the module as
// RT_RCDATA under its name (any letter case), decodes as PNG at the size and
// with the frame layout its widget cuts it by, shows visibly different frames
// for its states, and the two hand cursors load with their hot spots.

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>

namespace {

// How a widget cuts its image: Count frames stacked (Vertical) or side by side.
struct Layout {
  int Count;
  bool Vertical;
};
constexpr Layout Single{1, true};
constexpr Layout Stacked4{4, true};
constexpr Layout Side2{2, false};
constexpr Layout Side4{4, false};
constexpr Layout Stacked2{2, true};
// The menus' icons, 16 x 16 side by side (kit/menu_images.h).
constexpr Layout MenuIcons{46, false};

struct SkinShape {
  const wchar_t* Name;
  int Width;   // 0: any size of at least MinWidth x MinHeight
  int Height;
  Layout Frames;
  int MinWidth = 0;
  int MinHeight = 0;
};

// Sizes and layouts the widgets and windows rely on.
const SkinShape kSkins[] = {
    {L"ButtonText1", 80, 80, Stacked4},
    {L"ButtonText2", 100, 80, Stacked4},
    {L"ButtonText3", 120, 80, Stacked4},
    {L"ButtonText4", 140, 80, Stacked4},
    {L"ButtonText5", 160, 80, Stacked4},
    {L"MainbtnPlay", 20, 80, Stacked4},
    {L"MainbtnPause", 20, 80, Stacked4},
    {L"MainbtnStop", 20, 80, Stacked4},
    {L"MainbtnForward", 16, 48, Stacked4},
    {L"MainbtnRewind", 16, 48, Stacked4},
    {L"MainbtnConfiguration", 12, 48, Stacked4},
    {L"MainbtnInfo", 12, 48, Stacked4},
    {L"MainbtnNext", 12, 48, Stacked4},
    {L"MainbtnPrior", 12, 48, Stacked4},
    {L"MainbtnOpenMovie", 12, 48, Stacked4},
    {L"MainbtnOpenSubtitle", 12, 48, Stacked4},
    {L"MainbtnPlaylist", 12, 48, Stacked4},
    {L"MainbtnMinimize", 9, 36, Stacked4},
    {L"MainbtnVolumeUp", 9, 36, Stacked4},
    {L"MainbtnVolumeDown", 9, 36, Stacked4},
    {L"MainbtnClose", 9, 36, Stacked4},
    {L"BtnLoadPreset", 14, 48, Stacked4},
    {L"BtnSavePreset", 12, 48, Stacked4},
    {L"RestoreBtn", 27, 108, Stacked4},
    {L"AboutMail", 44, 172, Stacked4},
    {L"AboutSite", 43, 60, Stacked4},
    {L"MainMute", 30, 13, Side2},
    {L"ShowHideSubtitles", 24, 8, Side2},
    {L"btnShuffle", 52, 15, Side4},
    {L"btnPreviousSettings", 52, 15, Side4},
    {L"btnClose", 18, 9, Side2},
    {L"btnOpenMovie", 24, 12, Side2},
    {L"btnAddFolder", 28, 12, Side2},
    {L"btnOpenPlaylist", 28, 12, Side2},
    {L"btnSavePlaylist", 24, 12, Side2},
    {L"btnRemove", 20, 12, Side2},
    {L"btnReplaceSubtitle", 24, 12, Side2},
    {L"CBPositions", 52, 13, Side4},
    {L"MainVolBar", 10, 78, Side2},
    {L"MainProgressBar", 407, 18, Stacked2},
    {L"VerticalSlider", 11, 7, Single},
    {L"HorizontalSlider", 7, 12, Single},
    {L"MainImage", 460, 150, Single},
    {L"About", 300, 341, Single},
    {L"AspectRatio", 304, 132, Single},
    {L"ColorControl", 292, 162, Single},
    {L"Equalizer", 425, 176, Single},
    {L"Keyboard", 480, 400, Single},
    {L"LoadSavePreset", 250, 300, Single},
    {L"Message1", 486, 254, Single},
    {L"Message2", 250, 132, Single},
    {L"PanScan", 250, 132, Single},
    // Faces whose size the windows take from the image: room for what they
    // place on it (the information window's close box at 426..435 and rows
    // down to 337; the profiles editor's list 490 wide and buttons on rows
    // 341..361).
    {L"Info", 0, 0, Single, 436, 338},
    {L"ProfilesEditor", 0, 0, Single, 494, 362},
    {L"Config", 0, 0, Single, 240, 100},
    {L"CAPTIONSETKEYS", 0, 0, Single, 100, 40},
    // The playlist stretches each part from a fixed source rectangle.
    {L"PlaylistPart1", 0, 0, Single, 26, 104},
    {L"PlaylistPart2", 0, 0, Single, 26, 1},
    {L"PlaylistPart3", 0, 0, Single, 26, 28},
    {L"PlaylistPart4", 0, 0, Single, 26, 16},
    {L"PlaylistPart5", 0, 0, Single, 1, 26},
    {L"PlaylistPart6", 0, 0, Single, 14, 26},
    {L"PlaylistPart7", 0, 0, Single, 8, 1},
    {L"PlaylistPart8", 0, 0, Single, 15, 15},
    {L"PlaylistPart9", 0, 0, Single, 1, 7},
    {L"PlaylistPart10", 0, 0, Single, 1, 5},
    {L"MenuImages", 46 * 16, 16, MenuIcons},
};

struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;  // rows top first, 3 bytes a pixel
};

// Finds Name as RT_RCDATA, checks the PNG signature and decodes it.
::testing::AssertionResult LoadSkin(const wchar_t* Name, Image& Out) {
  HMODULE Module = GetModuleHandleW(nullptr);
  HRSRC Info = FindResourceW(Module, Name, RT_RCDATA);
  if (!Info) return ::testing::AssertionFailure() << "no RT_RCDATA resource";
  HGLOBAL Handle = LoadResource(Module, Info);
  const auto* Data = static_cast<const std::uint8_t*>(LockResource(Handle));
  DWORD Size = SizeofResource(Module, Info);
  static const std::uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!Data || Size < 8 || !std::equal(Signature, Signature + 8, Data))
    return ::testing::AssertionFailure() << "does not start with the PNG signature";
  png_image Png{};
  Png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&Png, Data, Size))
    return ::testing::AssertionFailure() << "bad PNG header: " << Png.message;
  Png.format = PNG_FORMAT_RGB;
  Out.Width = static_cast<int>(Png.width);
  Out.Height = static_cast<int>(Png.height);
  Out.Rgb.resize(PNG_IMAGE_SIZE(Png));
  if (!png_image_finish_read(&Png, nullptr, Out.Rgb.data(), 0, nullptr))
    return ::testing::AssertionFailure() << "PNG does not decode: " << Png.message;
  return ::testing::AssertionSuccess();
}

// The pixels of frame Index under Frames.
std::vector<std::uint8_t> FramePixels(const Image& Img, Layout Frames, int Index) {
  int X0 = 0, X1 = Img.Width, Y0 = 0, Y1 = Img.Height;
  if (Frames.Vertical) {
    Y0 = Index * Img.Height / Frames.Count;
    Y1 = (Index + 1) * Img.Height / Frames.Count;
  } else {
    X0 = Index * Img.Width / Frames.Count;
    X1 = (Index + 1) * Img.Width / Frames.Count;
  }
  std::vector<std::uint8_t> Out;
  for (int Y = Y0; Y < Y1; ++Y) {
    const std::uint8_t* Row = Img.Rgb.data() + (static_cast<size_t>(Y) * Img.Width + X0) * 3;
    Out.insert(Out.end(), Row, Row + (X1 - X0) * 3);
  }
  return Out;
}

std::string Narrow(const wchar_t* S) { return std::string(S, S + wcslen(S)); }

void PrintTo(const SkinShape& Shape, std::ostream* Out) { *Out << Narrow(Shape.Name); }

class SkinImage : public ::testing::TestWithParam<SkinShape> {};

TEST_P(SkinImage, DecodesAtItsSizeWithDistinctFrames) {
  const SkinShape& Shape = GetParam();
  Image Img;
  ASSERT_TRUE(LoadSkin(Shape.Name, Img));
  if (Shape.Width > 0) {
    EXPECT_EQ(Shape.Width, Img.Width);
    EXPECT_EQ(Shape.Height, Img.Height);
  } else {
    EXPECT_GE(Img.Width, Shape.MinWidth);
    EXPECT_GE(Img.Height, Shape.MinHeight);
  }
  // Every state must look different from every other one.
  for (int A = 0; A < Shape.Frames.Count; ++A)
    for (int B = A + 1; B < Shape.Frames.Count; ++B)
      EXPECT_NE(FramePixels(Img, Shape.Frames, A), FramePixels(Img, Shape.Frames, B))
          << "frames " << A << " and " << B << " are identical";
}

INSTANTIATE_TEST_SUITE_P(Skin, SkinImage, ::testing::ValuesIn(kSkins),
                         [](const ::testing::TestParamInfo<SkinShape>& Info) {
                           return Narrow(Info.param.Name);
                         });

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR Name, LONG_PTR Param) {
  if (!IS_INTRESOURCE(Name)) {
    std::wstring S(Name);
    std::transform(S.begin(), S.end(), S.begin(), ::towupper);
    reinterpret_cast<std::set<std::wstring>*>(Param)->insert(S);
  }
  return TRUE;
}

TEST(SkinResources, ModuleHoldsExactlyTheSkinImages) {
  std::set<std::wstring> Found, Expected;
  EnumResourceNamesW(GetModuleHandleW(nullptr), RT_RCDATA, CollectName,
                     reinterpret_cast<LONG_PTR>(&Found));
  for (const SkinShape& Shape : kSkins) {
    std::wstring S(Shape.Name);
    std::transform(S.begin(), S.end(), S.begin(), ::towupper);
    Expected.insert(S);
  }
  std::vector<std::wstring> Missing, Extra;
  std::set_difference(Expected.begin(), Expected.end(), Found.begin(), Found.end(),
                      std::back_inserter(Missing));
  std::set_difference(Found.begin(), Found.end(), Expected.begin(), Expected.end(),
                      std::back_inserter(Extra));
  EXPECT_EQ(std::vector<std::wstring>{}, Missing);
  EXPECT_EQ(std::vector<std::wstring>{}, Extra);
}

TEST(SkinResources, NamesMatchWithoutRegardToCase) {
  // The windows spell some names differently from the image table.
  for (const wchar_t* Name : {L"MainBtnClose", L"btnSavePreset", L"mainimage", L"CBPOSITIONS"}) {
    Image Img;
    EXPECT_TRUE(LoadSkin(Name, Img)) << Narrow(Name);
  }
}

TEST(SkinResources, HandCursorsLoadWithTheirHotSpots) {
  struct {
    const wchar_t* Name;
    DWORD HotX, HotY;
  } const Cursors[] = {{L"crhandpoint", 9, 1}, {L"crhandpress", 9, 6}};
  for (const auto& C : Cursors) {
    HCURSOR Cursor = LoadCursorW(GetModuleHandleW(nullptr), C.Name);
    ASSERT_NE(nullptr, Cursor) << Narrow(C.Name);
    ICONINFO Info{};
    ASSERT_TRUE(GetIconInfo(Cursor, &Info)) << Narrow(C.Name);
    EXPECT_FALSE(Info.fIcon) << Narrow(C.Name);
    EXPECT_EQ(C.HotX, Info.xHotspot) << Narrow(C.Name);
    EXPECT_EQ(C.HotY, Info.yHotspot) << Narrow(C.Name);
    BITMAP Mask{};
    GetObjectW(Info.hbmMask, sizeof(Mask), &Mask);
    EXPECT_EQ(32, Mask.bmWidth) << Narrow(C.Name);
    if (Info.hbmColor) DeleteObject(Info.hbmColor);
    DeleteObject(Info.hbmMask);
  }
}

}  // namespace
