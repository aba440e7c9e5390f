// Reading the boxes of an ISO media file (.mp4, .m4v, .mov, .3gp): each
// box a 32-bit size (or 64 bits after a size of 1, or to its parent's end
// after 0), a four-letter type and its contents, boxes nested in boxes.
// Every read is checked against the file's size and the box that holds
// it. No platform header: the file is read through a function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/graph/read_at.h"

// A box's four-letter type as the file stores it, big-endian.
constexpr std::uint32_t IsoTag(const char (&Name)[5]) {
  return std::uint32_t(std::uint8_t(Name[0])) << 24 | std::uint32_t(std::uint8_t(Name[1])) << 16 |
         std::uint32_t(std::uint8_t(Name[2])) << 8 | std::uint32_t(std::uint8_t(Name[3]));
}

// Boxes looked at on one level: a real file has a handful; a hostile one
// is not walked for ever.
constexpr int kMostIsoBoxes = 4096;

// A box's contents: [Begin, End) of the file.
struct TIsoBox {
  std::uint64_t Begin = 0, End = 0;
};

class TIsoReader {
 public:
  TIsoReader(const TReadAt& Read, std::uint64_t Size) : Read_(Read), Size_(Size) {}

  std::uint64_t Size() const { return Size_; }

  // The first child of Parent with type Type (its contents), or none;
  // a child that does not fit its parent ends the search.
  std::optional<TIsoBox> Find(const TIsoBox& Parent, std::uint32_t Type) const;

  // Calls Visit(type, contents) for each child of Parent in order, of the
  // first Most, until it returns false; false when a child did not fit.
  template <class F>
  bool Walk(const TIsoBox& Parent, F&& Visit, int Most = kMostIsoBoxes) const {
    std::uint64_t at = Parent.Begin;
    for (int n = 0; n < Most && at < Parent.End; ++n) {
      std::uint32_t type = 0;
      TIsoBox child;
      if (!Child(at, Parent.End, type, child)) return false;
      if (!Visit(type, child)) return true;
      at = child.End;
    }
    return true;
  }

  // The box that begins at At inside a parent ending at End: its type and
  // contents; false when its header cannot be read or it does not fit.
  bool Child(std::uint64_t At, std::uint64_t End, std::uint32_t& Type, TIsoBox& Contents) const;

  bool U32(std::uint64_t At, std::uint64_t& Value) const;
  bool U32(std::uint64_t At, std::uint32_t& Value) const;
  bool U64(std::uint64_t At, std::uint64_t& Value) const;
  bool Bytes(std::uint64_t At, std::uint8_t* Buffer, std::size_t Count) const {
    return At <= Size_ && Count <= Size_ - At && Read_(At, Buffer, Count);
  }

 private:
  const TReadAt& Read_;
  std::uint64_t Size_;
};

// Whether a full box (one that begins with a version and flags) is of
// version 1, whose times are 64 bits wide; false when it is too short.
bool IsoVersion(const TIsoReader& R, const TIsoBox& Box, bool& Wide);

// The time scale of a movie or media header: after the creation and
// modification times, 32 or 64 bits each. 0 without a header or when it
// is too short.
std::uint32_t IsoTimeScale(const TIsoReader& R, const std::optional<TIsoBox>& Header);

// A start or end beyond this many seconds is no time of a movie.
constexpr std::int64_t kLongestIsoSeconds = 1000000000;

// Units of Scale per second to 100 ns, rounded; none beyond the longest
// time or for a scale of 0.
std::optional<std::int64_t> IsoUnitsToRefTime(std::uint64_t Units, std::uint32_t Scale);
