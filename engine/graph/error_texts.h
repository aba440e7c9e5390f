// Short texts of our own for the DirectShow results a user meets when a
// file does not play, for platforms whose error-text routine has none (it
// gives nothing, or only the code again). Plain C++: no Windows header.
#pragma once

#include <cstdint>
#include <string>

// Our text for the result, or nullptr for a result without one.
const wchar_t* OwnErrorText(std::uint32_t Code);

// Whether a platform's error text tells the user nothing: it is empty or
// merely restates the code in hexadecimal ("Error: 0x80040218").
bool ErrorTextIsBare(const std::wstring& Text, std::uint32_t Code);

// The text to show: the platform's, or ours where the platform's is bare
// and we have one.
std::wstring ChooseErrorText(const std::wstring& PlatformText, std::uint32_t Code);
