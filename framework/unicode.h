// Conversions between the program's UTF-16 strings and 8-bit text in a code
// page (UTF-8 unless another is named, for example CP_ACP). The one place
// that calls the platform's conversions.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

// Text in CodePage to UTF-16. Bytes that do not convert become the
// replacement character; never fails.
std::wstring DecodeText(std::string_view Text, UINT CodePage = CP_UTF8);

// UTF-16 to text in CodePage. Characters without a form there become the
// code page's default character; never fails.
std::string EncodeText(std::wstring_view Text, UINT CodePage = CP_UTF8);

// The program keeps its texts in UTF-8 and hands UTF-16 to the platform:
// the two conversions between them (invalid input is replaced, never
// rejected).
std::wstring Utf8ToWide(const std::string& Utf8);
std::string WideToUtf8(const std::wstring& Wide);
