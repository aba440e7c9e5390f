// Subtitles over a playing picture on the virtual display: the colour bars
// (red, green, blue and white, 100 pixels each in a 400 x 300 window) play
// while the pulse's subtitle step is given positions; the lines must show
// at the rows the placement rules give, leave the bars around them as they
// were and go after their entry's end. Then the subtitle commands.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "kit/message_box.h"
#include "player/tests/graph_fixture.h"
#include "tests/support/screen_grab.h"

namespace {

using lc::Player;
using lc::Program;
using lc::Subtitles;
using lctest::Pump;

// The end of a SubRip file: a second entry a minute in.
constexpr const char* kLater = "\r\n\r\n2\r\n00:01:00,000 --> 00:01:01,000\r\nEND\r\n";

// The control's client area, read back once.
class Snapshot : public lctest::ScreenGrab {
 public:
  explicit Snapshot(HWND Window) : ScreenGrab(Window), W(Width()), H(Height()) {}
  bool Yellow(int X, int Y) const { return R(X, Y) > 200 && G(X, Y) > 200 && B(X, Y) < 80; }
  bool Black(int X, int Y) const { return R(X, Y) < 40 && G(X, Y) < 40 && B(X, Y) < 40; }
  // Yellow pixels in rows [Top, Bottom) over the whole width.
  int YellowIn(int Top, int Bottom) const {
    int N = 0;
    for (int Y = std::max(Top, 0); Y < std::min(Bottom, H); ++Y)
      for (int X = 0; X < W; ++X) N += Yellow(X, Y);
    return N;
  }
  // Black pixels in rows [Top, Bottom) with no yellow pixel within Reach
  // columns and rows: outline that stands away from the letters.
  int StrayBlack(int Top, int Bottom, int Reach) const {
    int N = 0;
    for (int Y = std::max(Top, 0); Y < std::min(Bottom, H); ++Y)
      for (int X = 0; X < W; ++X)
        if (Black(X, Y) && !YellowNear(X, Y, Reach)) ++N;
    return N;
  }
  bool YellowNear(int X, int Y, int Reach) const {
    for (int V = std::max(Y - Reach, 0); V <= std::min(Y + Reach, H - 1); ++V)
      for (int U = std::max(X - Reach, 0); U <= std::min(X + Reach, W - 1); ++U)
        if (Yellow(U, V)) return true;
    return false;
  }
  int W, H;
};

// The height of "H" in Arial at Points on the 96-pixel-per-inch display.
int ArialLineHeight(int Points) {
  HFONT Font = CreateFontW(-MulDiv(Points, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                           L"Arial");
  HDC DC = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Font);
  SIZE S{};
  GetTextExtentPoint32W(DC, L"H", 1, &S);
  SelectObject(DC, Old);
  DeleteDC(DC);
  DeleteObject(Font);
  return S.cy;
}

class SubtitleDisplayTest : public lc::testing::GraphFixture {
 protected:
  void AdjustSettings(lc::settings::SettingsStore& S) override {
    S.OsdColor = 0xFF00FF;          // magenta, at the top
    S.SubtitleFontColor = 0x00FFFF;  // yellow: none of the bars' colours
    S.SubtitleFontName = "Arial";
    S.SubtitleSize = 200;            // 21.875, 22 points on 400 pixels
    S.AverageVerticalDisplayZone = 15;
    S.TransparentBackground = true;
    S.UseOutlineFont = false;
    S.AutoResizeFont = S.AutoSplitLine = S.WrapAllText = false;
    S.AutoCalculationTime = false;
  }
  void SetUp() override {
    GraphFixture::SetUp();
    form->InstallPictureRoom();
    // The positions come from the tests, not from the pulse.
    form->GeneralTimer.SetEnabled(false);
  }

  // The bars fill the window and play.
  void PlayBars() { ShowBars(4.0 / 3.0, true); }

  std::string WriteFile(const std::string& Name, const std::string& Bytes) {
    const std::string Path = folder.File(Name);
    std::ofstream(Path, std::ios::binary) << Bytes;
    return Path;
  }

  // A SubRip entry from 1 s to 2 s (and one at a minute, long after).
  void LoadAnsi(const std::string& Text = "HELLO") {
    const std::string Path = WriteFile("movie.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + Text + kLater);
    ASSERT_TRUE(form->LoadSubtitle(Path, true));
    Player().SubtitleLoaded = true;
  }

  void ShowAt(std::int64_t Ms) {
    form->ShowSubtitleAt(Ms);
    Pump(120);
  }

  Snapshot Shot() { return Snapshot(video->VideoWindow->Handle()); }
};

TEST_F(SubtitleDisplayTest, DirectLinesShowAtTheirRowsDuringTheEntryOnly) {
  PlayBars();
  LoadAnsi();
  const int LH = ArialLineHeight(22);
  // Gap: Round(15 % of 300) - LH div 2; the line ends that far above the bottom.
  const int Top = 300 - LH - (45 - LH / 2);
  ShowAt(500);
  EXPECT_EQ(Shot().YellowIn(0, 300), 0);
  EXPECT_EQ(video->VideoWindow->SubtitleIndex, -1);

  ShowAt(1500);
  Snapshot S = Shot();
  EXPECT_GT(S.YellowIn(Top, Top + LH), 60);
  EXPECT_EQ(S.YellowIn(0, Top), 0);
  EXPECT_EQ(S.YellowIn(Top + LH, 300), 0);
  EXPECT_EQ(video->VideoWindow->SubtitleIndex, 0);
  EXPECT_EQ(video->VideoWindow->SubtitleBandTop, Top - 1);
  ASSERT_EQ(video->VideoWindow->OverlaySubtitleLinesA, std::vector<std::string>{"HELLO"});
  // Without a background box the bars show beside and around the text.
  const int Mid = Top + LH / 2;
  EXPECT_GT(S.R(20, Mid), 200);
  EXPECT_LT(S.G(20, Mid), 60);
  EXPECT_GT(S.B(380, Mid), 200);
  EXPECT_GT(S.R(380, Mid), 200);
  EXPECT_GT(S.G(150, Top - 3), 200);
  EXPECT_LT(S.R(150, Top - 3), 80);

  // The same entry again repaints nothing: the index stays.
  ShowAt(1900);
  EXPECT_EQ(video->VideoWindow->SubtitleIndex, 0);
  ShowAt(2000);
  S = Shot();
  EXPECT_EQ(S.YellowIn(0, 300), 0);
  EXPECT_EQ(video->VideoWindow->SubtitleIndex, -1);
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());
  // The bar under the text is back.
  EXPECT_GT(S.G(150, Mid), 200);
  EXPECT_LT(S.R(150, Mid), 80);
}

TEST_F(SubtitleDisplayTest, WithoutTransparentBackgroundTheTextSitsOnBlack) {
  Program().Settings.TransparentBackground = false;
  PlayBars();
  LoadAnsi();
  const int LH = ArialLineHeight(22);
  const int Top = 300 - LH - (45 - LH / 2);
  ShowAt(1500);
  const Snapshot S = Shot();
  EXPECT_GT(S.YellowIn(Top, Top + LH), 60);
  // Black inside the text cell, the bars outside it.
  int Black = 0;
  for (int X = 150; X < 250; ++X) Black += S.Black(X, Top + 1);
  EXPECT_GT(Black, 50);
  EXPECT_GT(S.R(20, Top + 1), 200);
  EXPECT_LT(S.G(20, Top + 1), 60);
  EXPECT_GT(S.G(150, Top - 3), 200);
}

TEST_F(SubtitleDisplayTest, OutlinedLinesAreCopiedWithoutTheirKeyColour) {
  Program().Settings.UseOutlineFont = true;
  PlayBars();
  LoadAnsi();
  const int LH = ArialLineHeight(22);
  const int BH = LH + 11;
  const int Band = std::min(300 - 45 - BH / 2 + 2, 300 - BH + 5) + 1;
  const int TextTop = Band + 1 + 3;
  ShowAt(1500);
  const Snapshot S = Shot();
  EXPECT_EQ(video->VideoWindow->SubtitleBandTop, Band);
  EXPECT_GT(S.YellowIn(TextTop, TextTop + LH), 60);
  EXPECT_EQ(S.YellowIn(0, TextTop), 0);
  EXPECT_EQ(S.YellowIn(TextTop + LH, 300), 0);
  // A black outline around the text, and no pixel of the key (63, 63, 0).
  int Outline = 0, Key = 0;
  for (int Y = TextTop - 2; Y < TextTop + LH + 2; ++Y)
    for (int X = 120; X < 280; ++X) {
      Outline += S.Black(X, Y);
      Key += std::abs(S.R(X, Y) - 63) < 6 && std::abs(S.G(X, Y) - 63) < 6 && S.B(X, Y) < 6;
    }
  EXPECT_GT(Outline, 40);
  EXPECT_EQ(Key, 0);
  // Inside the bitmap's rows but away from the text, the bars.
  const int Mid = TextTop + LH / 2;
  EXPECT_GT(S.R(20, Mid), 200);
  EXPECT_LT(S.G(20, Mid), 60);
  EXPECT_GT(S.B(390, Mid), 200);
  EXPECT_GT(S.G(150, Band), 200);
  EXPECT_LT(S.R(150, Band), 80);
  ShowAt(2500);
  EXPECT_EQ(Shot().YellowIn(0, 300), 0);
}

TEST_F(SubtitleDisplayTest, TheOutlineStaysOnTheLettersToTheEndOfALongLine) {
  // Bold, many words: the outline is drawn unsmoothed and the text
  // smoothed, and each stamp must put every letter in the same place.
  lc::settings::SettingsStore& S = Program().Settings;
  S.UseOutlineFont = true;
  S.SubtitleShadowEffect = false;
  S.SubtitleFontStyle = lc::settings::kFontBold;
  S.SubtitleSize = 120;  // 13 points on 400 pixels: outline stamps 1 pixel out
  video->ApplySubtitleFont();
  PlayBars();
  LoadAnsi("Another subtitle with spaces in it");
  ShowAt(1500);
  const Snapshot Shown = Shot();
  const int Top = video->VideoWindow->SubtitleBandTop;
  EXPECT_GT(Shown.YellowIn(Top, 300), 200);
  EXPECT_EQ(Shown.StrayBlack(Top, 300, 3), 0);
  // The last letter keeps its outline: black just right of the rightmost
  // yellow column.
  int Right = -1, Row = -1;
  for (int Y = Top; Y < 300; ++Y)
    for (int X = 0; X < Shown.W; ++X)
      if (Shown.Yellow(X, Y) && X > Right) Right = X, Row = Y;
  ASSERT_GT(Right, 0);
  bool Outlined = false;
  for (int X = Right + 1; X <= std::min(Right + 3, Shown.W - 1); ++X) Outlined = Outlined || Shown.Black(X, Row);
  EXPECT_TRUE(Outlined) << "rightmost text pixel at " << Right << "," << Row;
}

TEST_F(SubtitleDisplayTest, WideCyrillicLinesArePaintedAsLetters) {
  PlayBars();
  const std::u16string Text = u"1\r\n00:00:01,000 --> 00:00:02,000\r\nПРИВЕТ МИР\r\n\r\n2\r\n00:01:00,000 --> 00:01:01,000\r\nКОНЕЦ\r\n";
  std::string Bytes = "\xFF\xFE";
  for (char16_t C : Text) {
    Bytes += static_cast<char>(C & 0xFF);
    Bytes += static_cast<char>(C >> 8);
  }
  ASSERT_TRUE(form->LoadSubtitle(WriteFile("wide.srt", Bytes), true));
  Player().SubtitleLoaded = true;
  ShowAt(1500);
  ASSERT_EQ(video->VideoWindow->OverlaySubtitleLinesW, std::vector<std::wstring>{L"ПРИВЕТ МИР"});
  const int Letters = Shot().YellowIn(150, 300);
  // The same count of question marks has far less ink.
  video->VideoWindow->OverlaySubtitleLinesW = {L"?????? ???"};
  video->VideoWindow->RepaintSubtitle();
  Pump(120);
  const int Marks = Shot().YellowIn(150, 300);
  EXPECT_GT(Marks, 20);
  EXPECT_GT(Letters, Marks * 3 / 2);
}

TEST_F(SubtitleDisplayTest, ADelayShiftMovesWhenTheTextAppears) {
  PlayBars();
  LoadAnsi();
  form->RunCommand(lc::Cmd::IncreaseTimeMenuClick);
  form->RunCommand(lc::Cmd::IncreaseTimeMenuClick);
  EXPECT_EQ(Subtitles().SubtitleDelay, 10);
  EXPECT_EQ(Player().OsdText, "Subtitle time correction: 1.0 sec");
  ShowAt(1500);
  EXPECT_EQ(Shot().YellowIn(150, 300), 0);
  ShowAt(2500);
  EXPECT_GT(Shot().YellowIn(150, 300), 60);
  ShowAt(3000);
  EXPECT_EQ(Shot().YellowIn(150, 300), 0);
  // Back by 20 s: the entry lies in the past.
  form->RunCommand(lc::Cmd::DecreaseTime20MenuClick);
  EXPECT_EQ(Subtitles().SubtitleDelay, -90);
  EXPECT_EQ(Subtitles().Current.Start[0], -8000);
  EXPECT_EQ(Player().OsdText, "Subtitle time correction: -9.0 sec");
  ShowAt(2500);
  EXPECT_EQ(Shot().YellowIn(150, 300), 0);
}

TEST_F(SubtitleDisplayTest, HiddenSubtitlesShowNothingAndRefuseShifts) {
  PlayBars();
  LoadAnsi();
  ShowAt(1500);
  EXPECT_GT(Shot().YellowIn(150, 300), 60);
  form->RunCommand(lc::Cmd::DisableSubtitleMenuClick);
  EXPECT_FALSE(form->SubtitlesShown);
  ASSERT_NE(form->MenuItem(L"DisableSubtitleMenu"), nullptr);
  EXPECT_TRUE(form->MenuItem(L"DisableSubtitleMenu")->Checked());
  EXPECT_EQ(Player().OsdText, "Subtitle disabled");
  Pump(100);
  EXPECT_EQ(Shot().YellowIn(150, 300), 0);
  ShowAt(1600);
  EXPECT_EQ(Shot().YellowIn(150, 300), 0);
  Player().OsdText.clear();
  form->RunCommand(lc::Cmd::IncreaseTimeMenuClick);
  EXPECT_EQ(Subtitles().SubtitleDelay, 0);
  EXPECT_EQ(Subtitles().Current.Start[0], 1000);
  EXPECT_EQ(Player().OsdText, "");
  form->RunCommand(lc::Cmd::DisableSubtitleMenuClick);
  EXPECT_TRUE(form->SubtitlesShown);
  EXPECT_EQ(Player().OsdText, "Subtitle enabled");
  ShowAt(1700);
  EXPECT_GT(Shot().YellowIn(150, 300), 60);
  // Without a subtitle the toggle does nothing.
  Player().SubtitleLoaded = false;
  form->RunCommand(lc::Cmd::DisableSubtitleMenuClick);
  EXPECT_TRUE(form->SubtitlesShown);
}

TEST_F(SubtitleDisplayTest, SizeStepsRoundStopAtTheLimitsAndRebuildTheLines) {
  PlayBars();
  LoadAnsi();
  ShowAt(1500);
  lc::settings::SettingsStore& S = Program().Settings;
  lc::Playback().SavedSubtitleSettings.Valid = true;
  form->MovieModeChecked = true;
  S.SubtitleSize = 998;
  form->RunCommand(lc::Cmd::IncreaseFontSizeMenuClick);
  EXPECT_EQ(S.SubtitleSize, 1000);
  EXPECT_EQ(Player().OsdText, "Subtitle size: 1000%");
  EXPECT_FALSE(lc::Playback().SavedSubtitleSettings.Valid);
  EXPECT_FALSE(form->MovieModeChecked);
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  // The lines are emptied: the next step builds them at the new size.
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());
  EXPECT_EQ(video->VideoWindow->SubtitleIndex, -1);
  form->RunCommand(lc::Cmd::IncreaseFontSizeMenuClick);
  EXPECT_EQ(S.SubtitleSize, 1000);
  EXPECT_EQ(Player().RmsChangeScore, 10000);
  S.SubtitleSize = 12;
  form->RunCommand(lc::Cmd::DecreaseFontSizeMenuClick);
  EXPECT_EQ(S.SubtitleSize, 10);
  form->RunCommand(lc::Cmd::DecreaseFontSizeMenuClick);
  EXPECT_EQ(S.SubtitleSize, 10);
  EXPECT_EQ(Player().OsdText, "Subtitle size: 10%");
  S.SubtitleSize = 100;
  form->RunCommand(lc::Cmd::IncreaseFontSizeMenuClick);
  EXPECT_EQ(S.SubtitleSize, 105);
}

TEST_F(SubtitleDisplayTest, PositionStepsMoveTheLinesWithinTheZone) {
  PlayBars();
  LoadAnsi();
  lc::settings::SettingsStore& S = Program().Settings;
  S.AverageVerticalDisplayZone = 0;
  ShowAt(1500);
  const int LH = ArialLineHeight(22);
  EXPECT_GT(Shot().YellowIn(300 - LH, 300), 60);
  form->RunCommand(lc::Cmd::MoveSubtitleDownMenuClick);
  EXPECT_EQ(S.AverageVerticalDisplayZone, 0);
  EXPECT_EQ(Player().OsdText, "Subtitle vertical position: 0%");
  lc::Playback().SavedSubtitleSettings.Valid = true;
  for (int i = 0; i < 50; ++i) form->RunCommand(lc::Cmd::MoveSubtitleUpMenuClick);
  EXPECT_EQ(S.AverageVerticalDisplayZone, 50);
  EXPECT_FALSE(lc::Playback().SavedSubtitleSettings.Valid);
  Pump(100);
  // At 50 % the line is centred on the middle row.
  const Snapshot At50 = Shot();
  EXPECT_GT(At50.YellowIn(150 - LH / 2, 150 + LH / 2), 60);
  EXPECT_EQ(At50.YellowIn(150 + LH, 300), 0);
  // At the limit nothing changes, but the value is still shown.
  lc::Playback().SavedSubtitleSettings.Valid = true;
  Player().OsdText.clear();
  form->RunCommand(lc::Cmd::MoveSubtitleUpMenuClick);
  EXPECT_EQ(S.AverageVerticalDisplayZone, 50);
  EXPECT_TRUE(lc::Playback().SavedSubtitleSettings.Valid);
  EXPECT_EQ(Player().OsdText, "Subtitle vertical position: 50%");
  EXPECT_EQ(Player().RmsChangeScore, 10000);
}

TEST_F(SubtitleDisplayTest, TheFontDialogConvertsSizesBothWays) {
  PlayBars();
  lc::settings::SettingsStore& S = Program().Settings;
  S.SubtitleSize = 100;
  lc::Playback().SavedSubtitleSettings.Valid = true;
  int Offered = 0;
  form->RunFontDialog = [&] {
    Offered = form->FontDialogSub.Font.Size();
    return false;
  };
  form->RunCommand(lc::Cmd::FontMenuClick);
  // 100 % on the 1920-pixel screen: 52.5 points offered as 52.
  EXPECT_EQ(Offered, 52);
  EXPECT_EQ(S.SubtitleSize, 100);
  EXPECT_FALSE(lc::Playback().SavedSubtitleSettings.Valid);
  EXPECT_EQ(Player().RmsChangeScore, 0);

  form->RunFontDialog = [&] {
    TFont& F = form->FontDialogSub.Font;
    F.SetName(L"Courier New");
    F.SetSize(56);
    F.SetColor(static_cast<TColor>(0x0000FF));
    return true;
  };
  form->RunCommand(lc::Cmd::FontMenuClick);
  EXPECT_EQ(S.SubtitleSize, 107);  // 56 x 102400 / (1920 x 28) = 106.7
  EXPECT_EQ(S.SubtitleFontName, "Courier New");
  EXPECT_EQ(S.SubtitleFontColor, 0x0000FF);
  EXPECT_EQ(video->VideoWindow->Font.Name(), L"Courier New");
  EXPECT_EQ(Player().RmsChangeScore, 10000);
  // Not while a movie is being opened.
  Program().OpeningMovie = true;
  Offered = -1;
  form->RunFontDialog = [&] {
    Offered = 1;
    return false;
  };
  form->RunCommand(lc::Cmd::FontMenuClick);
  EXPECT_EQ(Offered, -1);
  Program().OpeningMovie = false;
}

// Presses OK in the first dialog box of this thread as soon as its face
// list holds a choice; the face, style and size it showed are kept.
struct DialogAnswer {
  std::wstring Face, Style, Size;
  static DialogAnswer* Current;
  static BOOL CALLBACK FindBox(HWND Window, LPARAM Found) {
    wchar_t Class[16] = {};
    GetClassNameW(Window, Class, 16);
    if (std::wstring(Class) != L"#32770" || !IsWindowVisible(Window)) return TRUE;
    *reinterpret_cast<HWND*>(Found) = Window;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD) {
    HWND Box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&Box));
    wchar_t Text[3][LF_FACESIZE] = {};
    for (int I = 0; Box && I < 3; ++I) GetDlgItemTextW(Box, 0x470 + I, Text[I], LF_FACESIZE);
    if (!Box || !Text[0][0]) return;
    KillTimer(nullptr, Id);
    *Current = {Text[0], Text[1], Text[2]};
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
  }
};
DialogAnswer* DialogAnswer::Current = nullptr;

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM Found) {
  *reinterpret_cast<bool*>(Found) = true;
  return 0;
}

bool FaceInstalled(const std::wstring& Name) {
  LOGFONTW Wanted = {};
  Wanted.lfCharSet = DEFAULT_CHARSET;
  Name.copy(Wanted.lfFaceName, LF_FACESIZE - 1);
  bool Found = false;
  HDC DC = GetDC(nullptr);
  EnumFontFamiliesExW(DC, &Wanted, FaceFound, reinterpret_cast<LPARAM>(&Found), 0);
  ReleaseDC(nullptr, DC);
  return Found;
}

TEST_F(SubtitleDisplayTest, TheFontDialogOpensOnTheFaceThatDrawsAMissingFont) {
  lc::settings::SettingsStore& S = Program().Settings;
  // No face of this name exists; the subtitles are drawn in a stand-in.
  S.SubtitleFontName = "Lumacraft Missing Face";
  host.fonts.clear();
  S.SubtitleSize = 105;  // 55 points on the 1920-pixel screen
  S.SubtitleFontStyle = lc::settings::kFontBold | lc::settings::kFontItalic;
  S.SubtitleFontColor = 0x00FFFF;
  DialogAnswer Shown;
  DialogAnswer::Current = &Shown;
  SetTimer(nullptr, 0, 100, &DialogAnswer::Tick);
  form->RunCommand(lc::Cmd::FontMenuClick);
  // OK without a touch: an installed face across, at the size and in the
  // style the subtitles had.
  EXPECT_EQ(Shown.Style, L"Bold Italic");
  EXPECT_EQ(Shown.Size, L"55");
  EXPECT_NE(Shown.Face.substr(0, 1), L"@") << "a face for vertical writing";
  EXPECT_TRUE(FaceInstalled(Shown.Face)) << WideToUtf8(Shown.Face);
  EXPECT_EQ(S.SubtitleFontName, WideToUtf8(Shown.Face));
  EXPECT_EQ(S.SubtitleSize, 105);
  EXPECT_EQ(S.SubtitleFontPointSize, 55);
  EXPECT_EQ(S.SubtitleFontStyle, lc::settings::kFontBold | lc::settings::kFontItalic);
  EXPECT_EQ(S.SubtitleFontColor, 0x00FFFF);
  EXPECT_EQ(video->VideoWindow->Font.Name(), Shown.Face);
}

TEST_F(SubtitleDisplayTest, TheOpenDialogAttachesTheFileToTheMovieAndItsEntry) {
  // Nothing without an open movie.
  bool Asked = false;
  form->RunOpenSubtitleDialog = [&] { return Asked = true; };
  form->RunCommand(lc::Cmd::BtnOpenSubtitleClick);
  EXPECT_FALSE(Asked);

  PlayBars();
  const std::string Movie = WriteFile("clip.avi", "x");
  form->CurrentMovieFile = Movie;
  form->Playlist().AddMovie(Movie);
  form->Playlist().SetItemIndex(0);
  const std::string File = WriteFile("other.srt", std::string("1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO") + kLater);
  form->SubtitlesShown = false;
  form->RunOpenSubtitleDialog = [&] {
    form->OpenSubtitleDialog.FileName = Utf8ToWide(File);
    return true;
  };
  form->RunCommand(lc::Cmd::BtnOpenSubtitleClick);
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_TRUE(form->SubtitlesShown);
  EXPECT_EQ(Subtitles().CurrentSubtitleFile, File);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"other.srt");
  EXPECT_EQ(form->Playlist().Entries().PlaylistSubtitles[0], File);
  // The selected entry took it: the dialog keeps the name.
  EXPECT_EQ(form->OpenSubtitleDialog.FileName, Utf8ToWide(File));
  ShowAt(1500);
  EXPECT_GT(Shot().YellowIn(150, 300), 60);

  // A file that is no subtitle, attached from the opening of files.
  const std::string Text = WriteFile("notes.txt", "just some words\r\nand more\r\n");
  EXPECT_FALSE(form->AttachSubtitle(Text));
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(Subtitles().Current.Count(), 0u);
}

// What the failure's message box saw while it was up: its text, whether
// an operation counted as under way, and a shell macro arriving then.
struct TWhileTheBoxIsUp {
  TfrmMain* Form = nullptr;
  std::string Movie;
  std::wstring Text;
  bool Busy = false;
};
TWhileTheBoxIsUp WhileUp;

void CALLBACK MacroThenClose(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  WhileUp.Text = frmMessage->Text();
  WhileUp.Busy = Program().BusyFlag;
  WhileUp.Form->SystemExecuteMacro({"/AddFile " + WhileUp.Movie});
  wchar_t Escape = 27;
  frmMessage->FormKeyPress(Escape);
}

TEST_F(SubtitleDisplayTest, TheFailureMessageKeepsOtherCommandsOut) {
  WhileUp = {form.get(), WriteFile("Film.avi", "x"), L"", false};
  const std::string Text = WriteFile("notes.txt", "");
  const UINT_PTR Timer = SetTimer(nullptr, 0, 200, MacroThenClose);
  EXPECT_FALSE(form->LoadSubtitle(Text, false));
  KillTimer(nullptr, Timer);
  EXPECT_EQ(L"This is not a text!", WhileUp.Text);
  EXPECT_TRUE(WhileUp.Busy);
  EXPECT_EQ(0, form->Playlist().Count());
  EXPECT_FALSE(Program().BusyFlag);
}

TEST_F(SubtitleDisplayTest, TheSearchChecksOrLoadsTheBestCandidate) {
  const std::string Movie = WriteFile("Film.avi", "x");
  WriteFile("Film.txt", "an ordinary text file\r\nwith two lines\r\n");
  const std::string Srt = WriteFile("Film.en.srt", std::string("1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO") + kLater);
  // The exact name is tried first and refused; the next best is taken.
  EXPECT_EQ(form->SearchSubtitle(Movie, true), Srt);
  EXPECT_EQ(Subtitles().SubtitleSearchResult, Srt);
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_FALSE(Program().BusyFlag);
  EXPECT_EQ(form->SearchSubtitle(Movie, false), Srt);
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(Subtitles().CurrentSubtitleFile, Srt);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"Film.en.srt");
  EXPECT_EQ(Subtitles().Current.Count(), 2u);
  // The playlist's movies get the search's answer.
  Program().Settings.AutoLoadSubtitle = true;
  form->Playlist().AddMovie(Movie);
  ASSERT_EQ(form->Playlist().Count(), 1);
  EXPECT_EQ(form->Playlist().Entries().PlaylistSubtitles[0], Srt);
  // Nothing found: the result is emptied.
  EXPECT_EQ(form->SearchSubtitle(WriteFile("Other.avi", "x"), true), "");
  EXPECT_EQ(Subtitles().SubtitleSearchResult, "");
}

}  // namespace
