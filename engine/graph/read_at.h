// How the window-free readers of a movie's headers read its file: a
// function, so that they need no platform header and tests hand them bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Reads Size bytes at Offset into Buffer; false when the file has fewer.
using TReadAt = std::function<bool(std::uint64_t Offset, void* Buffer, std::size_t Size)>;
