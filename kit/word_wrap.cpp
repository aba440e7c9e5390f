#include "kit/word_wrap.h"

#include <algorithm>

#include "kit/text_utils.h"

namespace {

constexpr wchar_t EscBackslash = 1;
constexpr wchar_t EscHyphen = 2;
constexpr wchar_t EscExclamation = 3;
constexpr wchar_t EscQuestion = 4;

bool IsEscapePair(wchar_t C) { return C == EscExclamation || C == EscQuestion; }

// The end of the word that starts at Start: the next blank or line end,
// except that a name in double quotes is one word with its blanks (up to
// the blank after its closing quote). A quote without a closing one on
// its line quotes nothing.
size_t WordEndAt(const std::wstring& Text, size_t Start) {
  size_t I = Start;
  while (I < Text.size() && Text[I] != L' ' && Text[I] != L'\r' && Text[I] != L'\n') {
    if (Text[I] == L'"') {
      const size_t Close = Text.find_first_of(L"\"\r\n", I + 1);
      if (Close != std::wstring::npos && Text[Close] == L'"') I = Close;
    }
    ++I;
  }
  return I;
}

// The paragraphs of Text, split at CR LF, a lone CR or a lone LF.
std::vector<std::wstring> Paragraphs(const std::wstring& Text) {
  std::vector<std::wstring> Result(1);
  for (size_t I = 0; I < Text.size(); ++I) {
    wchar_t C = Text[I];
    if (C == L'\r' || C == L'\n') {
      if (C == L'\r' && I + 1 < Text.size() && Text[I + 1] == L'\n') ++I;
      Result.emplace_back();
    } else {
      Result.back() += C;
    }
  }
  return Result;
}

// The longest prefix of Word (at least one character) no wider than Width,
// never ending between the two characters of an escaped mark.
size_t FittingPrefix(const std::wstring& Word, int Width,
                     const std::function<int(const std::wstring&)>& Measure) {
  size_t N = 1;
  while (N < Word.size() && Measure(Word.substr(0, N + 1)) <= Width) ++N;
  if (N < Word.size() && IsEscapePair(Word[N]) && Word[N - 1] == Word[N])
    N = N > 1 ? N - 1 : N + 1;
  return N;
}

// Where a word wider than the line is cut: after the last "\" or "/" of
// the longest prefix that fits, so that a path breaks between its names;
// else, in a quoted name, at the last blank of that prefix (the blanks
// there go with the break); between characters where the prefix has
// neither after its first character. The line ends at End, the rest of
// the word starts at Next.
struct TCut {
  size_t End, Next;
};
TCut CutPoint(const std::wstring& Word, int Width, const std::function<int(const std::wstring&)>& Measure) {
  const size_t N = FittingPrefix(Word, Width, Measure);
  const size_t Separator = Word.find_last_of(std::wstring{EscBackslash, L'/'}, N - 1);
  if (Separator != std::wstring::npos && Separator > 0) return {Separator + 1, Separator + 1};
  const size_t Space = Word.find_last_of(L' ', N);
  const size_t Before = Space == std::wstring::npos ? Space : Word.find_last_not_of(L' ', Space);
  if (Before == std::wstring::npos) return {N, N};
  return {Before + 1, Word.find_first_not_of(L' ', Space)};
}

void WrapParagraph(const std::wstring& Para, int Width,
                   const std::function<int(const std::wstring&)>& Measure,
                   std::vector<std::wstring>& Lines) {
  // The paragraph's leading blanks stay on its first line; the blanks at a
  // break are dropped.
  std::wstring Line;
  bool Fresh = true;  // nothing placed on the paragraph yet
  size_t I = 0;
  while (I < Para.size()) {
    size_t WordStart = Para.find_first_not_of(L' ', I);
    if (WordStart == std::wstring::npos) break;  // trailing blanks hang
    size_t WordEnd = WordEndAt(Para, WordStart);
    std::wstring Blanks = Para.substr(I, WordStart - I);
    std::wstring Word = Para.substr(WordStart, WordEnd - WordStart);
    I = WordEnd;
    if (Measure(Line + Blanks + Word) <= Width) {
      Line += Blanks + Word;
      Fresh = false;
      continue;
    }
    if (!Fresh) Lines.push_back(Line);
    Fresh = false;
    // A word wider than the line is cut: a path at its separators.
    while (Word.size() > 1 && Measure(Word) > Width) {
      const TCut Cut = CutPoint(Word, Width, Measure);
      Lines.push_back(Word.substr(0, Cut.End));
      Word.erase(0, Cut.Next);
    }
    Line = Word;
  }
  Lines.push_back(Line);
}

// Calls Visit(Start, End) for each word of Text: the runs between blanks
// and line ends, a quoted name whole.
template <class TVisit>
void ForEachWord(const std::wstring& Text, TVisit&& Visit) {
  size_t Start = 0;
  while (Start < Text.size()) {
    const size_t End = WordEndAt(Text, Start);
    if (End > Start) Visit(Start, End);
    Start = End + 1;
  }
}

}  // namespace

std::wstring ReplaceAll(std::wstring Text, const std::wstring& From, const std::wstring& To) {
  return WideReplaceAll(Text, From, To);
}

std::wstring EscapeForWrap(const std::wstring& Text) {
  std::wstring S;
  for (wchar_t C : Text)
    if (C < EscBackslash || C > EscQuestion) S += C;
  S = ReplaceAll(S, L"\\", std::wstring(1, EscBackslash));
  S = ReplaceAll(S, L"-", std::wstring(1, EscHyphen));
  S = ReplaceAll(S, L" !", std::wstring(2, EscExclamation));
  return ReplaceAll(S, L" ?", std::wstring(2, EscQuestion));
}

std::wstring UnescapeWrapped(const std::wstring& Text) {
  std::wstring S = ReplaceAll(Text, std::wstring(1, EscBackslash), L"\\");
  S = ReplaceAll(S, std::wstring(1, EscHyphen), L"-");
  S = ReplaceAll(S, std::wstring(2, EscExclamation), L" !");
  return ReplaceAll(S, std::wstring(2, EscQuestion), L" ?");
}

std::vector<std::wstring> WrapLines(const std::wstring& Text, int Width,
                                    const std::function<int(const std::wstring&)>& Measure) {
  std::vector<std::wstring> Lines;
  for (const std::wstring& Para : Paragraphs(Text)) WrapParagraph(Para, Width, Measure, Lines);
  return Lines;
}

int WidestWord(const std::wstring& Text, const std::function<int(const std::wstring&)>& Measure) {
  int Widest = 0;
  ForEachWord(Text, [&](size_t Start, size_t End) {
    Widest = std::max(Widest, Measure(Text.substr(Start, End - Start)));
  });
  return Widest;
}

int WidestName(const std::wstring& Text, const std::function<int(const std::wstring&)>& Measure) {
  int Widest = 0;
  ForEachWord(Text, [&](size_t Start, size_t End) {
    // A word breaks after a separator that is not its first character.
    size_t Piece = Start;
    for (size_t I = Start + 1; I < End; ++I) {
      if (Text[I] != EscBackslash && Text[I] != L'/') continue;
      Widest = std::max(Widest, Measure(Text.substr(Piece, I + 1 - Piece)));
      Piece = I + 1;
    }
    if (End > Piece) Widest = std::max(Widest, Measure(Text.substr(Piece, End - Piece)));
  });
  return Widest;
}

std::wstring JoinLines(const std::vector<std::wstring>& Lines) {
  std::wstring S;
  for (size_t I = 0; I < Lines.size(); ++I) {
    if (I > 0) S += L"\r\n";
    S += Lines[I];
  }
  return S;
}

std::vector<std::wstring> SplitLines(const std::wstring& Text) {
  std::vector<std::wstring> Lines;
  size_t Start = 0;
  for (;;) {
    size_t Pos = Text.find(L"\r\n", Start);
    if (Pos == std::wstring::npos) {
      Lines.push_back(Text.substr(Start));
      return Lines;
    }
    Lines.push_back(Text.substr(Start, Pos - Start));
    Start = Pos + 2;
  }
}
