#include <gtest/gtest.h>

#include <vector>

#include "kit/message_layout.h"

namespace {

// Every character 7 px wide, lines 18 px high (near Arial at 16 px), unless
// told otherwise.
class TFixedMeasurer : public TTextMeasurer {
 public:
  explicit TFixedMeasurer(int Letter = 7, int Line = 18) : FLetter(Letter), FLine(Line) {}
  int TextWidth(const std::wstring& S) override { return FLetter * static_cast<int>(S.size()); }
  int LineHeight() override { return FLine; }

 private:
  int FLetter;
  int FLine;
};

// Count lines "line", one under the other.
std::wstring LinesOfLine(int Count) {
  std::wstring Text = L"line";
  for (int I = 1; I < Count; ++I) Text += L"\r\nline";
  return Text;
}

// The three copies of the crop: the bottom strip, the right strip and the
// bottom-right corner, each as its source and its destination.
void ExpectCropCopies(const TMessageLayout& L, const std::vector<TRect>& SourcesThenDests) {
  ASSERT_EQ(3u, L.CropCopies.size());
  for (std::size_t I = 0; I < 3; ++I) {
    EXPECT_EQ(SourcesThenDests[2 * I], L.CropCopies[I].Source) << "copy " << I;
    EXPECT_EQ(SourcesThenDests[2 * I + 1], L.CropCopies[I].Dest) << "copy " << I;
  }
}

TMessageLayoutInput Input(bool CheckBox) {
  TMessageLayoutInput In;
  In.ShowCheckBox = CheckBox;
  In.CheckBoxWidth = 13 + 13 + 250;
  In.OkRect = {203, 231, 283, 251};
  In.CloseRect = {200, 7, 209, 16};
  return In;
}

}  // namespace

TEST(MessageLayout, ShortTextGivesTheNarrowestBox) {
  TFixedMeasurer M;
  TMessageLayout L = LayoutMessage(L"Done.", Input(false), M);
  EXPECT_EQ(254, L.SkinHeight);  // not drawn out
  EXPECT_EQ(200, L.Width);
  EXPECT_EQ(466, L.WrapWidth);  // never narrowed: 35 / 18 is not above 2
  EXPECT_EQ(35, L.LabelWidth);
  EXPECT_EQ(18, L.LabelHeight);
  // Height: max(18 + 20, 55 div 3) + 62.
  EXPECT_EQ(100, L.Height);
  EXPECT_EQ((TPoint{82, 35}), L.LabelPos);
  EXPECT_EQ((TRect{60, 67, 140, 87}), L.OkRect);
  EXPECT_EQ((TRect{186, 7, 195, 16}), L.CloseRect);
}

TEST(MessageLayout, LongParagraphIsNarrowedUntilNoLongerTwiceAsWideAsTall) {
  TFixedMeasurer M;
  std::wstring Text;
  for (int I = 0; I < 40; ++I) Text += L"word ";
  TMessageLayout L = LayoutMessage(Text, Input(false), M);
  // The final block is at most about twice as wide as tall, and one more
  // 10-px step would have made it so.
  EXPECT_LE(L.WrapWidth, 466);
  EXPECT_EQ(0, (466 - L.WrapWidth) % 10);
  EXPECT_GT(L.LabelWidth, 2 * L.LabelHeight);
  TTextBlock Narrower = MeasureWrapped(EscapeForWrap(Text), L.WrapWidth - 10, M);
  EXPECT_LE(static_cast<double>(Narrower.Width) / Narrower.Height, 2.0);
  EXPECT_EQ(std::max(L.LabelHeight + 20, (L.LabelWidth + 20) / 3) + 62, L.Height);
  EXPECT_EQ(L.LabelWidth + 40, L.Width);
}

TEST(MessageLayout, CheckBoxWidensTheMinimumAndAddsItsRoom) {
  TFixedMeasurer M;
  TMessageLayout L = LayoutMessage(L"Done.", Input(true), M);
  EXPECT_EQ(100 + 13 + 13, L.Height);  // 75 + 13 instead of 62
  EXPECT_EQ(L.Height - 13 - 21, L.CheckBoxTop);
  EXPECT_EQ(L.Height - 13, L.CheckBoxBottom);
  EXPECT_EQ(L.Height - 46 - 13, L.OkRect.Top);
  EXPECT_EQ(87, L.OkRect.Bottom);  // 126 - 26 - 13
  EXPECT_EQ((L.Height - 75 - 18 - 13) / 2 + 25, L.LabelPos.Y);
  // The box is wide enough for the check box's caption (276 + 26), the
  // text and the button centred in it.
  EXPECT_EQ(302, L.Width);
  EXPECT_EQ(133, L.LabelPos.X);
  EXPECT_EQ(111, L.OkRect.Left);
  EXPECT_EQ(288, L.CloseRect.Left);
  // Never wider than the background.
  TMessageLayoutInput Wider = Input(true);
  Wider.CheckBoxWidth = 600;
  EXPECT_EQ(486, LayoutMessage(L"Done.", Wider, M).Width);
  // Narrowing stops at the check box's width + 26.
  std::wstring Text;
  for (int I = 0; I < 60; ++I) Text += L"ab ";
  TMessageLayout Wide = LayoutMessage(Text, Input(true), M);
  EXPECT_GE(Wide.WrapWidth, 276 + 26);
}

// Fifteen lines need a box 352 high (290 + 62): the skin is drawn out to
// it and the box laid out by the same rules as a cropped one.
TEST(MessageLayout, TallTextDrawsTheSkinOutDownwards) {
  TFixedMeasurer M;
  const std::wstring Text = LinesOfLine(15);
  TMessageLayout L = LayoutMessage(Text, Input(false), M);
  EXPECT_EQ(466, L.WrapWidth);
  EXPECT_EQ(15, L.ShownLines);
  EXPECT_EQ(270, L.LabelHeight);
  EXPECT_EQ(200, L.Width);
  EXPECT_EQ(352, L.Height);
  EXPECT_EQ(352, L.SkinHeight);
  EXPECT_EQ(127, L.DrawOutRow);
  EXPECT_EQ((TPoint{86, 35}), L.LabelPos);
  EXPECT_EQ((TRect{60, 319, 140, 339}), L.OkRect);
  EXPECT_EQ((TRect{186, 7, 195, 16}), L.CloseRect);
  ExpectCropCopies(L, {{0, 350, 198, 352}, {0, 350, 198, 352},
                       {484, 0, 486, 340}, {198, 0, 200, 350},
                       {484, 350, 486, 352}, {198, 350, 200, 352}});

  // With the check box: 75 + 13 below the text, as wide as its caption.
  L = LayoutMessage(Text, Input(true), M);
  EXPECT_EQ(302, L.Width);
  EXPECT_EQ(378, L.Height);
  EXPECT_EQ(378, L.SkinHeight);
  EXPECT_EQ((TPoint{137, 35}), L.LabelPos);
  EXPECT_EQ((TRect{111, 319, 191, 339}), L.OkRect);
  EXPECT_EQ(344, L.CheckBoxTop);
  EXPECT_EQ(365, L.CheckBoxBottom);
}

// Eight lines of 20 px with the check box narrow to the allowance (160)
// and need 268 pixels (180 + 88): the OK button and the check box move down
// with the bottom edge instead of meeting at the skin's own height.
TEST(MessageLayout, CheckBoxBoxJustTallerThanTheSkinKeepsTheButtonClear) {
  TFixedMeasurer M(7, 20);
  std::wstring Text;
  for (int I = 0; I < 8; ++I) Text += (I ? L"\r\n" : L"") + std::wstring(23, L'a') + L" " + std::wstring(23, L'b');
  TMessageLayout L = LayoutMessage(Text, Input(true), M);
  EXPECT_EQ(336, L.WrapWidth);
  EXPECT_EQ(369, L.Width);
  EXPECT_EQ(268, L.Height);
  EXPECT_EQ(268, L.SkinHeight);
  EXPECT_EQ((TPoint{20, 35}), L.LabelPos);
  EXPECT_EQ((TRect{144, 209, 224, 229}), L.OkRect);
  EXPECT_EQ(234, L.CheckBoxTop);
  EXPECT_EQ(255, L.CheckBoxBottom);
  EXPECT_EQ((TRect{355, 7, 364, 16}), L.CloseRect);
}

// Sixty lines would need 1162 pixels; a work area 738 high takes the 36
// lines (648 px) that fit above the button's room, the rest are scrolled in.
TEST(MessageLayout, TextTallerThanTheAreaIsCutAtTheLastWholeLine) {
  TFixedMeasurer M;
  const std::wstring Text = LinesOfLine(60);
  TMessageLayoutInput In = Input(false);
  In.MaxHeight = 738;
  TMessageLayout L = LayoutMessage(Text, In, M);
  EXPECT_EQ(60u, L.Lines.size());
  EXPECT_EQ(36, L.ShownLines);
  EXPECT_EQ(648, L.LabelHeight);
  EXPECT_EQ(730, L.Height);
  EXPECT_EQ(730, L.SkinHeight);
  EXPECT_EQ((TPoint{86, 35}), L.LabelPos);
  EXPECT_EQ((TRect{60, 697, 140, 717}), L.OkRect);

  In = Input(true);
  In.MaxHeight = 738;
  L = LayoutMessage(Text, In, M);
  EXPECT_EQ(35, L.ShownLines);
  EXPECT_EQ(738, L.Height);
  EXPECT_EQ((TRect{111, 679, 191, 699}), L.OkRect);
  EXPECT_EQ(704, L.CheckBoxTop);
  EXPECT_EQ(725, L.CheckBoxBottom);
}

TEST(MessageLayout, ABoxExactlyAsHighAsTheAreaKeepsEveryLine) {
  TFixedMeasurer M;
  const std::wstring Text = LinesOfLine(15);
  TMessageLayoutInput In = Input(false);
  In.MaxHeight = 352;
  EXPECT_EQ(15, LayoutMessage(Text, In, M).ShownLines);
  In.MaxHeight = 351;
  TMessageLayout L = LayoutMessage(Text, In, M);
  EXPECT_EQ(14, L.ShownLines);
  EXPECT_EQ(334, L.Height);
  // An area too low for a line and the button still shows one line.
  In.MaxHeight = 50;
  L = LayoutMessage(Text, In, M);
  EXPECT_EQ(1, L.ShownLines);
  EXPECT_EQ(50, L.Height);
  // A box that fits today's skin is not touched by the area.
  In.MaxHeight = 120;
  EXPECT_EQ(100, LayoutMessage(L"Done.", In, M).Height);
}

TEST(MessageLayout, ScrollingKeepsTheViewInsideTheText) {
  struct TRow {
    int First, Delta, Total, Shown, Expected;
  };
  for (const TRow& R : {TRow{0, 1, 60, 36, 1}, TRow{20, 10, 60, 36, 24}, TRow{3, -5, 60, 36, 0},
                        TRow{24, -1, 60, 36, 23}, TRow{0, 5, 10, 10, 0}, TRow{0, 1, 10, 20, 0}})
    EXPECT_EQ(R.Expected, ScrolledFirstLine(R.First, R.Delta, R.Total, R.Shown))
        << R.First << " + " << R.Delta << " of " << R.Total << ", " << R.Shown << " shown";
}

TEST(MessageLayout, CropCopiesCarryTheEdgesIn) {
  TFixedMeasurer M;
  TMessageLayout L = LayoutMessage(L"Done.", Input(false), M);
  ExpectCropCopies(L, {{0, 252, 198, 254}, {0, 98, 198, 100},
                       {484, 0, 486, 88}, {198, 0, 200, 98},
                       {484, 252, 486, 254}, {198, 98, 200, 100}});
}

// Narrowing goes on while the text block is no higher than the
// background's height less 89 (less 94 with the check box): a block exactly
// that high still narrows. Eight (eleven) lines of two 23-letter (24-letter)
// words stay whole down to a wrap width of 336 (346); one step further
// each line breaks in two.
TEST(MessageLayout, ABlockExactlyAsHighAsTheAllowanceStillNarrows) {
  auto Lines = [](int Count, int Letters) {
    std::wstring Text;
    for (int I = 0; I < Count; ++I) {
      if (I > 0) Text += L"\r\n";
      Text += std::wstring(Letters, L'a') + L" " + std::wstring(Letters, L'b');
    }
    return Text;
  };
  TFixedMeasurer With(7, 20);  // 8 lines: 160 = 254 - 94
  TMessageLayout L = LayoutMessage(Lines(8, 23), Input(true), With);
  EXPECT_EQ(336, L.WrapWidth);
  EXPECT_EQ(329, L.LabelWidth);
  EXPECT_EQ(160, L.LabelHeight);
  TFixedMeasurer Without(7, 15);  // 11 lines: 165 = 254 - 89
  L = LayoutMessage(Lines(11, 24), Input(false), Without);
  EXPECT_EQ(346, L.WrapWidth);
  EXPECT_EQ(343, L.LabelWidth);
  EXPECT_EQ(165, L.LabelHeight);
}

// A wide, low block is as high as a third of its width + 20: one word of
// thirty letters (210 px) stops the narrowing at 216, where it is whole.
TEST(MessageLayout, WideLowBlockTakesAThirdOfItsWidthAsHeight) {
  TFixedMeasurer M;
  TMessageLayout L = LayoutMessage(std::wstring(30, L'x'), Input(false), M);
  EXPECT_EQ(216, L.WrapWidth);
  EXPECT_EQ(210, L.LabelWidth);
  EXPECT_EQ(18, L.LabelHeight);
  EXPECT_EQ(254, L.SkinHeight);
  EXPECT_EQ(138, L.Height);  // max(18 + 20, 230 div 3) + 62
  EXPECT_EQ(250, L.Width);
  EXPECT_EQ((TPoint{20, 54}), L.LabelPos);
  EXPECT_EQ((TRect{85, 105, 165, 125}), L.OkRect);
}

// With 9-px letters the word is 270 px: max(18 + 20, 290 div 3) + 62.
TEST(MessageLayout, TheThirdOfTheWidthIsTruncated) {
  TFixedMeasurer M(9, 18);
  TMessageLayout L = LayoutMessage(std::wstring(30, L'x'), Input(false), M);
  EXPECT_EQ(276, L.WrapWidth);
  EXPECT_EQ(270, L.LabelWidth);
  EXPECT_EQ(158, L.Height);
}

// The narrowing stops before it would cut a file's path that fits the box
// whole (it went on to make the block no more than twice as wide as tall,
// and cut "Roam|ing"); a path wider than the box breaks between its names.
TEST(MessageLayout, APathIsNeverCutInTheMiddleOfAName) {
  TFixedMeasurer M;
  const std::wstring Fits = L"\"C:\\users\\root\\AppData\\Roaming\\Lumacraft\\Lumacraft.ini\"!";  // 60 letters
  TMessageLayout L = LayoutMessage(L"Error reading from " + Fits + L"\r\nIt is kept as \"Lumacraft.ini.bad\".", Input(false), M);
  EXPECT_EQ((std::vector<std::wstring>{L"Error reading from", Fits, L"It is kept as \"Lumacraft.ini.bad\"."}), L.Lines);
  const std::wstring Long = L"D:\\Archive\\Family\\Holidays\\Summer2019\\TheMountains\\Day01\\Camera2\\sync.mp4";
  L = LayoutMessage(L"is running but did not take these files:\r\n\"" + Long + L"\"", Input(false), M);
  EXPECT_EQ((std::vector<std::wstring>{L"is running but did not take these files:",
                                       L"\"D:\\Archive\\Family\\Holidays\\Summer2019\\TheMountains\\Day01\\Camera2\\",
                                       L"sync.mp4\""}),
            L.Lines);
}

// A quoted file name with blanks (62 letters: 434 px) fits the skin's
// line: it is one word, whole on its line, and the narrowing stops where
// it still fits (at 426 it would not).
TEST(MessageLayout, AQuotedNameThatFitsALineIsNotBrokenAtItsBlanks) {
  TFixedMeasurer M;
  const std::wstring Name = L"\"C:\\Films\\Deepfolder\\Second part of the movie at the lake.avi\"";
  TMessageLayout L = LayoutMessage(L"Lumacraft is running but did not take these files:\r\n" + Name, Input(false), M);
  EXPECT_EQ((std::vector<std::wstring>{L"Lumacraft is running but did not take these files:", Name}), L.Lines);
  EXPECT_EQ(436, L.WrapWidth);
  EXPECT_EQ(434, L.LabelWidth);
  EXPECT_EQ(474, L.Width);
  EXPECT_EQ(213, L.Height);  // max(36 + 20, 454 div 3) + 62
}

// A file name of 75 letters and its closing quote (532 px) is wider than
// the skin's 466: the box grows sideways to it within the area, the skin
// drawn out at its middle column, and the name stays whole on its line.
// Only a name wider than the area is cut, and with no area the box keeps
// the skin's width.
TEST(MessageLayout, ANameWiderThanTheSkinWidensTheBoxUpToTheArea) {
  TFixedMeasurer M;
  const std::wstring Name = L"the_lake_in_the_mountains_with_the_family_summer_holidays_2026_part_one.mp4";
  const std::wstring Text = L"Lumacraft is running but did not take these files:\r\n\"D:\\Films\\" + Name + L"\"";
  TMessageLayoutInput In = Input(false);
  In.MaxWidth = 1024;
  TMessageLayout L = LayoutMessage(Text, In, M);
  EXPECT_EQ((std::vector<std::wstring>{L"Lumacraft is running but did not take these files:", L"\"D:\\Films\\",
                                       Name + L"\""}),
            L.Lines);
  EXPECT_EQ(532, L.WrapWidth);
  EXPECT_EQ(532, L.LabelWidth);
  EXPECT_EQ(552, L.SkinWidth);
  EXPECT_EQ(243, L.DrawOutColumn);
  EXPECT_EQ(552, L.Width);
  // As high as a box of the skin's width with these lines:
  // max(54 + 20, 486 div 3) + 62, not a third of the wider block.
  EXPECT_EQ(224, L.Height);
  EXPECT_EQ(254, L.SkinHeight);
  EXPECT_EQ((TPoint{10, 79}), L.LabelPos);
  EXPECT_EQ((TRect{236, 191, 316, 211}), L.OkRect);
  EXPECT_EQ((TRect{538, 7, 547, 16}), L.CloseRect);
  ExpectCropCopies(L, {{0, 252, 550, 254}, {0, 222, 550, 224},
                       {550, 0, 552, 212}, {550, 0, 552, 222},
                       {550, 252, 552, 254}, {550, 222, 552, 224}});

  // An area 500 wide: the box grows to it and the name is cut there.
  In.MaxWidth = 500;
  L = LayoutMessage(Text, In, M);
  EXPECT_EQ(480, L.WrapWidth);
  EXPECT_EQ(500, L.Width);
  EXPECT_EQ(500, L.SkinWidth);
  ASSERT_EQ(4u, L.Lines.size());
  EXPECT_EQ(Name.substr(0, 68), L.Lines[2]);
  // An area narrower than the skin, or none: the skin's width.
  for (int Area : {400, 480, 0}) {
    In.MaxWidth = Area;
    L = LayoutMessage(Text, In, M);
    EXPECT_EQ(466, L.WrapWidth) << Area;
    EXPECT_EQ(486, L.Width) << Area;
    EXPECT_EQ(486, L.SkinWidth) << Area;
  }
  // A text whose names fit the skin keeps its layout in a wide area.
  In.MaxWidth = 1024;
  EXPECT_EQ(200, LayoutMessage(L"Done.", In, M).Width);
  EXPECT_EQ(486, LayoutMessage(L"Done.", In, M).SkinWidth);
}

// A wrap width exactly at the check box's minimum (280 + 26) still narrows
// once more, and the last width that held is that minimum.
TEST(MessageLayout, NarrowingReachesTheMinimumWidthItself) {
  TFixedMeasurer M;
  std::wstring Text;
  for (int I = 0; I < 60; ++I) Text += L"ab ";
  TMessageLayoutInput In = Input(true);
  In.CheckBoxWidth = 280;
  EXPECT_EQ(306, LayoutMessage(Text, In, M).WrapWidth);
}

TEST(MessageLayout, EmptyTextIsOneEmptyLine) {
  TFixedMeasurer M;
  TMessageLayout L = LayoutMessage(L"", Input(false), M);
  EXPECT_EQ(0, L.LabelWidth);
  EXPECT_EQ(18, L.LabelHeight);
  EXPECT_EQ(200, L.Width);
  EXPECT_EQ(100, L.Height);
}

TEST(MessagePlacement, HalfwayBetweenScreenCentreAndMainWindow) {
  TMessagePlacementInput In;
  In.ClientWidth = 200;
  In.ClientHeight = 100;
  In.ScreenWidth = 1024;
  In.ScreenHeight = 768;
  In.WorkArea = {0, 0, 1024, 738};
  In.MainWindow = {0, 0, 460, 150};
  // x: (512 + 230) div 2 - 100 = 271; y: (384 + 75) div 2 - 50 = 179.
  EXPECT_EQ((TPoint{271, 179}), PlaceMessageBox(In));
  In.MainWindow = {-2000, 5000, -1540, 5150};  // far away: clamped
  EXPECT_EQ((TPoint{0, 638}), PlaceMessageBox(In));
  In.ClientWidth = 2000;  // larger than the area: the upper bound wins
  EXPECT_EQ(1024 - 2000, PlaceMessageBox(In).X);
}

TEST(MessagePlacement, TheAreaIsTheVideoMonitorTheMainMonitorOrTheWorkArea) {
  TMessagePlacementInput In;
  In.WorkArea = {0, 0, 1024, 738};
  In.MainMonitor = {-1280, 0, 0, 1024};
  In.VideoMonitor = {1024, 0, 2048, 768};
  EXPECT_EQ((TRect{0, 0, 1024, 738}), MessageBoxArea(In));
  In.MonitorsDiffer = true;
  EXPECT_EQ((TRect{-1280, 0, 0, 1024}), MessageBoxArea(In));
  In.CentreOnVideo = true;
  EXPECT_EQ((TRect{1024, 0, 2048, 768}), MessageBoxArea(In));
}

TEST(MessagePlacement, PerMonitorAndOnTheVideoMonitor) {
  TMessagePlacementInput In;
  In.ClientWidth = 200;
  In.ClientHeight = 100;
  In.MonitorsDiffer = true;
  In.MainMonitor = {-1280, 0, 0, 1024};
  In.MainWindow = {-1000, 100, -540, 250};
  // x: (-640 + -770) div 2 - 100 = -805; y: (512 + 175) div 2 - 50 = 293.
  EXPECT_EQ((TPoint{-805, 293}), PlaceMessageBox(In));
  In.CentreOnVideo = true;
  In.VideoMonitor = {1024, 0, 2048, 768};
  EXPECT_EQ((TPoint{1024 + 412, 334}), PlaceMessageBox(In));
}
