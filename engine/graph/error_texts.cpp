#include "engine/graph/error_texts.h"

#include <cwctype>

namespace {

struct TErrorText {
  std::uint32_t Code;
  const wchar_t* Text;
};

// The results of opening and playing a file, by code.
constexpr TErrorText kTexts[] = {
    {0x80040200, L"The media type is not valid."},
    {0x80040209, L"The filters are not connected."},
    {0x80040216, L"A filter needed to play the file was not found."},
    {0x80040217, L"No combination of filters can make this connection."},
    {0x80040218, L"No combination of filters can play this file."},
    {0x80040227, L"The player cannot do this in its present state."},
    {0x8004022E, L"The operation took too long."},
    {0x8004022F, L"The file format is not valid."},
    {0x80040240, L"The file type is not recognised."},
    {0x80040241, L"No source can read this file."},
    {0x80040243, L"The file is too short."},
    {0x80040255, L"No decoder for this format is installed."},
    {0x80040256, L"No sound device is available."},
    {0x8004025C, L"The sound format is not supported."},
    {0x8004025D, L"The picture format is not supported."},
    {0x80040265, L"The file format is not supported."},
    {0x80070002, L"The file was not found."},
    {0x80070003, L"The folder was not found."},
    {0x80070005, L"Access to the file was denied."},
    {0x8007000E, L"There is not enough memory."},
    {0x80070020, L"The file is in use by another program."},
};

// The code's hexadecimal digits, upper case, without leading zeros.
std::wstring HexDigits(std::uint32_t Code) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), L"0123456789ABCDEF"[Code & 15]);
    Code >>= 4;
  } while (Code != 0);
  return digits;
}

}  // namespace

const wchar_t* OwnErrorText(std::uint32_t Code) {
  for (const TErrorText& entry : kTexts)
    if (entry.Code == Code) return entry.Text;
  return nullptr;
}

bool ErrorTextIsBare(const std::wstring& Text, std::uint32_t Code) {
  std::wstring upper;
  for (wchar_t c : Text) upper += static_cast<wchar_t>(std::towupper(c));
  return upper.find_first_not_of(L" \t\r\n.") == std::wstring::npos || upper.find(HexDigits(Code)) != std::wstring::npos;
}

std::wstring ChooseErrorText(const std::wstring& PlatformText, std::uint32_t Code) {
  const wchar_t* own = ErrorTextIsBare(PlatformText, Code) ? OwnErrorText(Code) : nullptr;
  return own != nullptr ? own : PlatformText;
}
