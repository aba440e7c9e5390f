// Reading the chunks of a RIFF file (an AVI): each chunk a four-character
// id, a 32-bit little-endian size and its contents, padded to an even
// length; a LIST chunk's contents begin with its list type and hold chunks
// of their own. Every read is checked against the file's size. No platform
// header: the file is read through a function.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/graph/read_at.h"

// A chunk id or list type as the file stores it, little-endian.
constexpr std::uint32_t Fourcc(const char (&Name)[5]) {
  return std::uint32_t(std::uint8_t(Name[0])) | std::uint32_t(std::uint8_t(Name[1])) << 8 |
         std::uint32_t(std::uint8_t(Name[2])) << 16 | std::uint32_t(std::uint8_t(Name[3])) << 24;
}

class TRiffReader {
 public:
  TRiffReader(const TReadAt& Read, std::uint64_t Size) : Read_(Read), Size_(Size) {}

  std::uint64_t Size() const { return Size_; }
  bool U32(std::uint64_t At, std::uint32_t& Value) const {
    std::uint8_t b[4];
    if (!Bytes(At, b, 4)) return false;
    Value = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    return true;
  }
  bool U64(std::uint64_t At, std::uint64_t& Value) const {
    std::uint32_t low = 0, high = 0;
    if (!U32(At, low) || !U32(At + 4, high)) return false;
    Value = std::uint64_t(high) << 32 | low;
    return true;
  }
  bool Bytes(std::uint64_t At, std::uint8_t* Buffer, std::size_t Count) const {
    return At <= Size_ && Count <= Size_ - At && Read_(At, Buffer, Count);
  }
  // Calls Visit(id, list type or 0, contents begin, contents end) for each
  // chunk in [Begin, End) until it returns false; chunks that do not fit
  // end the walk.
  template <class F>
  void Walk(std::uint64_t Begin, std::uint64_t End, F&& Visit) const {
    std::uint64_t at = Begin;
    for (int n = 0; n < 100000 && at + 8 <= End; ++n) {
      std::uint32_t id = 0, size = 0, type = 0;
      if (!U32(at, id) || !U32(at + 4, size) || size > End - at - 8) return;
      const bool list = id == Fourcc("LIST") && size >= 4 && U32(at + 8, type);
      if (!Visit(id, list ? type : 0, at + 8 + (list ? 4 : 0), at + 8 + size)) return;
      at += 8 + size + (size & 1);
    }
  }
  // The end of the RIFF file's form (its size from the header, within the
  // file) when it is a RIFF file of form Form; 0 otherwise.
  std::uint64_t FormEnd(std::uint32_t Form) const {
    std::uint32_t riff = 0, size = 0, form = 0;
    if (!U32(0, riff) || !U32(4, size) || !U32(8, form) || riff != Fourcc("RIFF") || form != Form) return 0;
    return std::uint64_t(size) + 8 < Size_ ? std::uint64_t(size) + 8 : Size_;
  }

 private:
  const TReadAt& Read_;
  std::uint64_t Size_;
};
