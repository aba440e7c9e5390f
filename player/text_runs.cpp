#include "player/text_runs.h"

#include <utility>

TTextRun::TTextRun(HDC DC, std::wstring Text) : FText(std::move(Text)) {
  const int N = static_cast<int>(FText.size());
  if (N == 0) return;
  // The extent of the text up to and including each character.
  std::vector<INT> Partial(static_cast<std::size_t>(N));
  SIZE Size{};
  int Fit = 0;
  if (!GetTextExtentExPointW(DC, FText.c_str(), N, 0, &Fit, Partial.data(), &Size)) return;
  FAdvances.resize(Partial.size());
  INT Before = 0;
  for (std::size_t I = 0; I < Partial.size(); ++I) {
    FAdvances[I] = Partial[I] - Before;
    Before = Partial[I];
  }
  FWidth = Size.cx;
}

void TTextRun::Draw(HDC DC, int X, int Y) const {
  if (FText.empty()) return;
  ExtTextOutW(DC, X, Y, 0, nullptr, FText.c_str(), static_cast<UINT>(FText.size()),
              FAdvances.empty() ? nullptr : FAdvances.data());
}

std::wstring FontCodePageText(HDC DC, const std::string& Text) {
  if (Text.empty()) return {};
  UINT CodePage = CP_ACP;
  CHARSETINFO Info{};
  const int CharSet = GetTextCharset(DC);
  if (CharSet != DEFAULT_CHARSET &&
      TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(CharSet)), &Info, TCI_SRCCHARSET))
    CodePage = Info.ciACP;
  const int Bytes = static_cast<int>(Text.size());
  const int Chars = MultiByteToWideChar(CodePage, 0, Text.data(), Bytes, nullptr, 0);
  std::wstring Wide(static_cast<std::size_t>(Chars), L'\0');
  if (Chars > 0) MultiByteToWideChar(CodePage, 0, Text.data(), Bytes, Wide.data(), Chars);
  return Wide;
}
