#include "kit/message_layout.h"

#include <algorithm>

namespace {

constexpr int NarrowStep = 10;
constexpr int MinBoxWidth = 200;

// The height allowance of the text block, its minimum wrap width, and the
// room below the text for the button (and the check box).
int HeightAllowance(const TMessageLayoutInput& In) {
  return In.BackgroundHeight - (In.ShowCheckBox ? 94 : 89);
}
int MinimumWidth(const TMessageLayoutInput& In) {
  return In.ShowCheckBox ? std::max(MinBoxWidth, In.CheckBoxWidth + 26) : MinBoxWidth;
}
int BottomRoom(const TMessageLayoutInput& In) {
  return In.ShowCheckBox ? 75 + In.CheckBoxHeight : 62;
}

// `WidestWord` (at most the widest wrap width): narrowing never cuts a word
// that fits the box whole, such as a file's path.
bool KeepNarrowing(const TTextBlock& B, int Width, int WidestWord, const TMessageLayoutInput& In) {
  // An empty block (no line height) never narrows: its ratio has no value.
  if (B.Height <= 0) return false;
  return B.Height <= HeightAllowance(In) && Width >= MinimumWidth(In) && Width >= WidestWord &&
         static_cast<double>(B.Width) / B.Height > 2.0;
}

// The box's height for the text block shown: the block's lines, and at
// least a third of its width (a wide, low block is not squeezed flat).
// A block wider than the skin (a long name grew the box sideways) counts
// with the skin's width there: the box is no taller than a box of the
// skin's width with the same lines.
int BoxHeight(const TMessageLayout& L, const TMessageLayoutInput& In) {
  const int Width = std::min(L.LabelWidth, In.BackgroundWidth - 20);
  return std::max(L.LabelHeight + 20, (Width + 20) / 3) + BottomRoom(In);
}

// Cuts the text to the lines that fit a box of at most In.MaxHeight (at
// least one line): the text block ends at the last whole line above the
// button's room, and the other lines are scrolled into view.
void CutToMaxHeight(TMessageLayout& L, const TMessageLayoutInput& In, int LineHeight) {
  if (LineHeight <= 0) return;
  int Fit = (In.MaxHeight - BottomRoom(In) - 20) / LineHeight;
  L.ShownLines = std::clamp(Fit, 1, static_cast<int>(L.Lines.size()));
  L.LabelHeight = L.ShownLines * LineHeight;
  L.Height = std::min(BoxHeight(L, In), In.MaxHeight);
}

// The background, drawn out to SkinHeight, is cropped to Width x Height;
// the text, the OK button and the check box are placed on it.
void Crop(TMessageLayout& L, const TMessageLayoutInput& In) {
  int BgW = L.SkinWidth, BgH = L.SkinHeight, W = L.Width, H = L.Height;
  L.CropCopies = {{{0, BgH - 2, W - 2, BgH}, {0, H - 2, W - 2, H}},
                  {{BgW - 2, 0, BgW, H - 12}, {W - 2, 0, W, H - 2}},
                  {{BgW - 2, BgH - 2, BgW, BgH}, {W - 2, H - 2, W, H}}};
  int Cb = In.ShowCheckBox ? In.CheckBoxHeight : 0;
  L.LabelPos.X = (W - L.LabelWidth) / 2;
  L.LabelPos.Y = In.ShowCheckBox ? (H - 75 - L.LabelHeight - Cb) / 2 + 25
                                 : (H - 62 - L.LabelHeight) / 2 + 25;
  int OkW = In.OkRect.Width();
  L.OkRect.Left = (W - OkW) / 2;
  L.OkRect.Right = L.OkRect.Left + OkW;
  L.OkRect.Top = In.ShowCheckBox ? H - 46 - Cb : H - 33;
  L.OkRect.Bottom = In.ShowCheckBox ? H - 26 - Cb : H - 13;
}

}  // namespace

TTextBlock MeasureWrapped(const std::wstring& EscapedText, int Width,
                          TTextMeasurer& Measurer) {
  auto Measure = [&Measurer](const std::wstring& S) {
    return Measurer.TextWidth(UnescapeWrapped(S));
  };
  TTextBlock B;
  B.Joined = ReplaceAll(JoinLines(WrapLines(EscapedText, Width, Measure)), L"\r\n\r\n",
                        L"\r\n");
  std::vector<std::wstring> Lines = SplitLines(B.Joined);
  for (const std::wstring& Line : Lines) B.Width = std::max(B.Width, Measure(Line));
  B.Height = static_cast<int>(Lines.size()) * Measurer.LineHeight();
  return B;
}

TMessageLayout LayoutMessage(const std::wstring& Text, const TMessageLayoutInput& In,
                             TTextMeasurer& Measurer) {
  std::wstring Escaped = EscapeForWrap(Text);
  auto Measure = [&Measurer](const std::wstring& S) { return Measurer.TextWidth(UnescapeWrapped(S)); };
  // The skin's width, or the widest name's within the area the box stands in.
  int Widest = In.BackgroundWidth - 20;
  if (In.MaxWidth - 20 > Widest) Widest = std::clamp(WidestName(Escaped, Measure), Widest, In.MaxWidth - 20);
  int Width = Widest;
  TTextBlock Block = MeasureWrapped(Escaped, Width, Measurer);
  const int WidestWord = std::min(::WidestWord(Escaped, Measure), Widest);
  while (KeepNarrowing(Block, Width, WidestWord, In)) {
    Width -= NarrowStep;
    Block = MeasureWrapped(Escaped, Width, Measurer);
  }
  // Back to the last width at which everything held (or the widest).
  Width = std::min(Width + NarrowStep, Widest);
  Block = MeasureWrapped(Escaped, Width, Measurer);

  TMessageLayout L;
  L.WrapWidth = Width;
  L.Lines = SplitLines(UnescapeWrapped(Block.Joined));
  L.ShownLines = static_cast<int>(L.Lines.size());
  L.LabelWidth = Block.Width;
  L.LabelHeight = Block.Height;
  L.Height = BoxHeight(L, In);
  if (In.MaxHeight > 0 && L.Height > In.MaxHeight) CutToMaxHeight(L, In, Measurer.LineHeight());
  // At least as wide as the check box's caption needs, which a short text
  // alone would leave running out of the box.
  // A box wider than the background draws it out at a column of plain
  // paper halfway across, and a taller one at a row halfway down, below the
  // title and above the bottom edge.
  L.SkinWidth = Widest + 20;
  L.DrawOutColumn = In.BackgroundWidth / 2;
  L.Width = std::min(std::max(L.LabelWidth + 40, MinimumWidth(In)), L.SkinWidth);
  L.SkinHeight = std::max(L.Height, In.BackgroundHeight);
  L.DrawOutRow = In.BackgroundHeight / 2;
  Crop(L, In);
  L.CheckBoxTop = L.Height - In.CheckBoxHeight - 21;
  L.CheckBoxBottom = L.Height - 13;
  L.CloseRect = In.CloseRect;
  L.CloseRect.Right = L.Width - 5;
  L.CloseRect.Left = L.CloseRect.Right - In.CloseRect.Width();
  return L;
}

int ScrolledFirstLine(int First, int Delta, int Total, int Shown) {
  return std::clamp(First + Delta, 0, std::max(0, Total - Shown));
}

TRect MessageBoxArea(const TMessagePlacementInput& In) {
  if (In.CentreOnVideo) return In.VideoMonitor;
  return In.MonitorsDiffer ? In.MainMonitor : In.WorkArea;
}

TPoint PlaceMessageBox(const TMessagePlacementInput& In) {
  int CW = In.ClientWidth, CH = In.ClientHeight;
  if (In.CentreOnVideo) {
    const TRect& M = In.VideoMonitor;
    return {M.Left + (M.Width() - CW) / 2, M.Top + (M.Height() - CH) / 2};
  }
  int RefX = In.ScreenWidth / 2, RefY = In.ScreenHeight / 2;
  const TRect Area = MessageBoxArea(In);
  if (In.MonitorsDiffer) {
    RefX = Area.Left + Area.Width() / 2;
    RefY = Area.Top + Area.Height() / 2;
  }
  const TRect& Main = In.MainWindow;
  int X = (RefX + Main.Left + Main.Width() / 2) / 2 - CW / 2;
  int Y = (RefY + Main.Top + Main.Height() / 2) / 2 - CH / 2;
  // When the box is larger than the area, the upper bound wins.
  X = std::min(std::max(X, Area.Left), Area.Left + Area.Width() - CW);
  Y = std::min(std::max(Y, Area.Top), Area.Top + Area.Height() - CH);
  return {X, Y};
}
