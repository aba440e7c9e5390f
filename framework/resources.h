// Named resources of the program's own module.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include <windows.h>

// The bytes of the resource Name of the given type (RT_RCDATA by default;
// names match without regard to case). Raises EResNotFound when there is
// none. The bytes live as long as the module.
std::span<const std::uint8_t> LoadResourceData(const std::wstring& Name,
                                               LPCWSTR Type = RT_RCDATA);
