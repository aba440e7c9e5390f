#include "framework/unicode.h"

std::wstring DecodeText(std::string_view Text, UINT CodePage) {
  if (Text.empty()) return {};
  const int Size = static_cast<int>(Text.size());
  const int N = MultiByteToWideChar(CodePage, 0, Text.data(), Size, nullptr, 0);
  if (N <= 0) return {};
  std::wstring Out(static_cast<std::size_t>(N), L'\0');
  MultiByteToWideChar(CodePage, 0, Text.data(), Size, Out.data(), N);
  return Out;
}

std::string EncodeText(std::wstring_view Text, UINT CodePage) {
  if (Text.empty()) return {};
  const int Size = static_cast<int>(Text.size());
  const int N = WideCharToMultiByte(CodePage, 0, Text.data(), Size, nullptr, 0, nullptr, nullptr);
  if (N <= 0) return {};
  std::string Out(static_cast<std::size_t>(N), '\0');
  WideCharToMultiByte(CodePage, 0, Text.data(), Size, Out.data(), N, nullptr, nullptr);
  return Out;
}

std::wstring Utf8ToWide(const std::string& Utf8) { return DecodeText(Utf8); }

std::string WideToUtf8(const std::wstring& Wide) { return EncodeText(Wide); }
