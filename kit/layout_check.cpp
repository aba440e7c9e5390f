#include "kit/layout_check.h"

#include <algorithm>
#include <cstddef>

namespace lc::kit {

namespace {

bool IsBreak(wchar_t C) { return C == L' ' || C == L'\r' || C == L'\n'; }

// A text for a fault line: ASCII as it is, anything else "?".
std::string Narrow(const std::wstring& Text) {
  std::string S;
  for (wchar_t C : Text) S += C > 0 && C < 128 ? static_cast<char>(C) : '?';
  return S;
}

std::wstring LastWord(const std::wstring& Line) {
  const size_t Blank = Line.find_last_of(L' ');
  return Blank == std::wstring::npos ? Line : Line.substr(Blank + 1);
}
std::wstring FirstWord(const std::wstring& Line) { return Line.substr(0, Line.find(L' ')); }

std::string Show(const TRect& R) {
  std::string Text = "(";
  Text += std::to_string(R.Left) + "," + std::to_string(R.Top) + ")-(";
  Text += std::to_string(R.Right) + "," + std::to_string(R.Bottom) + ")";
  return Text;
}

bool IsSeparator(wchar_t C) { return C == L'\\' || C == L'/'; }

// A file name in double quotes within one line of Text, with what follows
// its closing quote up to a blank or a line end ("...avi"!).
struct TQuoted {
  size_t Start, End;
};
std::vector<TQuoted> QuotedNames(const std::wstring& Text) {
  std::vector<TQuoted> Names;
  for (size_t Open = Text.find(L'"'); Open != std::wstring::npos; Open = Text.find(L'"', Open)) {
    const size_t Close = Text.find_first_of(L"\"\r\n", Open + 1);
    if (Close == std::wstring::npos) break;
    if (Text[Close] != L'"') {
      Open = Close;
      continue;
    }
    const size_t End = std::min(Text.find_first_of(L" \r\n", Close), Text.size());
    Names.push_back({Open, End});
    Open = End;
  }
  return Names;
}

// What is wrong with a break of Name (in Text) between Pos (the end of the
// line before) and At (the start of the next line), or "".
std::string QuotedBreakFault(const std::wstring& Text, const TQuoted& Name, size_t Pos, size_t At,
                             const std::function<bool(const std::wstring&)>& FitsALine) {
  const std::wstring Whole = Text.substr(Name.Start, Name.End - Name.Start);
  if (FitsALine(Whole)) return "breaks the name " + Narrow(Whole) + ", which fits a line";
  if (At == Pos || IsSeparator(Text[Pos - 1])) return "";
  // A break at a blank: the piece between the separators around it.
  size_t From = Name.Start;
  for (size_t I = Name.Start; I < Pos; ++I)
    if (IsSeparator(Text[I])) From = I + 1;
  size_t To = At;
  while (To < Name.End && !IsSeparator(Text[To])) ++To;
  To = std::min(To + 1, Name.End);
  const std::wstring Piece = Text.substr(From, To - From);
  return FitsALine(Piece) ? "breaks " + Narrow(Piece) + " at a blank, not after a separator" : "";
}

bool Inside(const TRect& Inner, const TRect& Outer) {
  return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
         Inner.Bottom <= Outer.Bottom;
}

}  // namespace

std::vector<std::string> LayoutFaults(const std::vector<TLayoutBox>& Boxes, const TRect& Window) {
  std::vector<std::string> Faults;
  const auto AreaOf = [&](const TLayoutBox& B) -> const TRect& {
    return B.Area >= 0 && static_cast<std::size_t>(B.Area) < Boxes.size() ? Boxes[B.Area].Bounds : Window;
  };
  for (std::size_t I = 0; I < Boxes.size(); ++I) {
    const TLayoutBox& B = Boxes[I];
    // A box without text (0 x 0) fits any room.
    if (B.TextWidth > B.TextRoom.Width() || B.TextHeight > B.TextRoom.Height())
      Faults.push_back(B.Name + ": text " + std::to_string(B.TextWidth) + "x" + std::to_string(B.TextHeight) +
                       " in room " + std::to_string(B.TextRoom.Width()) + "x" + std::to_string(B.TextRoom.Height()));
    if (B.Bounds.IsEmpty()) continue;
    const TRect& Area = AreaOf(B);
    if (!Inside(B.Bounds, Area)) Faults.push_back(B.Name + ": " + Show(B.Bounds) + " leaves its area " + Show(Area));
    for (std::size_t J = I + 1; J < Boxes.size(); ++J) {
      const TLayoutBox& O = Boxes[J];
      if (O.Area != B.Area || O.Bounds.IsEmpty()) continue;
      if (B.Bounds.Intersects(O.Bounds))
        Faults.push_back(B.Name + " " + Show(B.Bounds) + " overlaps " + O.Name + " " + Show(O.Bounds));
    }
  }
  return Faults;
}

std::vector<std::string> BrokenNameFaults(const std::wstring& Text, const std::vector<std::wstring>& Lines,
                                          const std::function<bool(const std::wstring&)>& FitsALine) {
  std::vector<std::string> Faults;
  const std::vector<TQuoted> Names = FitsALine ? QuotedNames(Text) : std::vector<TQuoted>{};
  size_t Pos = 0;
  const std::wstring* Before = nullptr;  // the last line of text, ending at Pos
  for (const std::wstring& Line : Lines) {
    if (Line.find_first_not_of(L' ') == std::wstring::npos) continue;
    // A paragraph's leading blanks stay on its first line: the line stands
    // at Pos, or after the blanks and line ends of a break.
    size_t At = Pos;
    while (Text.compare(At, Line.size(), Line) != 0) {
      if (At >= Text.size() || !IsBreak(Text[At])) {
        Faults.push_back("line \"" + Narrow(Line) + "\" is not the text's");
        return Faults;
      }
      ++At;
    }
    const bool InWord = Before && At == Pos && At > 0 && !IsBreak(Text[At - 1]);
    if (InWord && !IsSeparator(Before->back()))
      Faults.push_back("breaks \"" + Narrow(LastWord(*Before)) + "|" + Narrow(FirstWord(Line)) + "\"");
    for (const TQuoted& Name : Names)
      if (Before && Name.Start < Pos && At < Name.End) {
        const std::string Fault = QuotedBreakFault(Text, Name, Pos, At, FitsALine);
        if (!Fault.empty()) Faults.push_back(Fault);
      }
    Pos = At + Line.size();
    Before = &Line;
  }
  return Faults;
}

}  // namespace lc::kit
