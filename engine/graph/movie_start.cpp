#include "engine/graph/movie_start.h"

#include <optional>

namespace {

constexpr std::uint32_t Tag(const char (&Name)[5]) {
  return std::uint32_t(std::uint8_t(Name[0])) << 24 | std::uint32_t(std::uint8_t(Name[1])) << 16 |
         std::uint32_t(std::uint8_t(Name[2])) << 8 | std::uint32_t(std::uint8_t(Name[3]));
}

// Boxes looked at on one level: a real file has a handful; a hostile one
// is not walked for ever.
constexpr int kMostBoxes = 4096;
// Edits looked at before the first that shows media.
constexpr std::uint32_t kMostEdits = 64;
// A start beyond this many seconds is no start of a picture.
constexpr std::int64_t kLongestStartSeconds = 1000000000;

// A box's contents: [Begin, End) of the file.
struct TBox {
  std::uint64_t Begin = 0, End = 0;
};

class TIsoReader {
 public:
  TIsoReader(const TReadAt& Read, std::uint64_t Size) : Read_(Read), Size_(Size) {}

  std::uint64_t Size() const { return Size_; }

  // The first child of Parent with type Type (its contents), or none;
  // a child that does not fit its parent ends the search.
  std::optional<TBox> Find(const TBox& Parent, std::uint32_t Type) const {
    std::optional<TBox> found;
    Walk(Parent, [&](std::uint32_t ChildType, const TBox& Child) {
      if (ChildType != Type) return true;
      found = Child;
      return false;
    });
    return found;
  }

  // Calls Visit(type, contents) for each child of Parent in order until it
  // returns false; false when a child did not fit.
  template <class F>
  bool Walk(const TBox& Parent, F&& Visit) const {
    std::uint64_t at = Parent.Begin;
    for (int n = 0; n < kMostBoxes && at < Parent.End; ++n) {
      std::uint64_t size = 0, header = 8;
      std::uint32_t type = 0;
      if (Parent.End - at < 8 || !U32(at, size) || !U32(at + 4, type)) return false;
      if (size == 1) {
        header = 16;
        if (Parent.End - at < 16 || !U64(at + 8, size)) return false;
      } else if (size == 0) {
        size = Parent.End - at;
      }
      if (size < header || size > Parent.End - at) return false;
      if (!Visit(type, TBox{at + header, at + size})) return true;
      at += size;
    }
    return true;
  }

  bool U32(std::uint64_t At, std::uint64_t& Value) const {
    std::uint32_t v = 0;
    if (!U32(At, v)) return false;
    Value = v;
    return true;
  }
  bool U32(std::uint64_t At, std::uint32_t& Value) const {
    std::uint8_t b[4];
    if (!Bytes(At, b, 4)) return false;
    Value = std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
    return true;
  }
  bool U64(std::uint64_t At, std::uint64_t& Value) const {
    std::uint32_t high = 0, low = 0;
    if (!U32(At, high) || !U32(At + 4, low)) return false;
    Value = std::uint64_t(high) << 32 | low;
    return true;
  }

 private:
  bool Bytes(std::uint64_t At, std::uint8_t* Buffer, std::size_t Count) const {
    return At <= Size_ && Count <= Size_ - At && Read_(At, Buffer, Count);
  }

  const TReadAt& Read_;
  std::uint64_t Size_;
};

bool Version(const TIsoReader& R, const TBox& Box, bool& Wide) {
  std::uint32_t head = 0;
  if (Box.End - Box.Begin < 4 || !R.U32(Box.Begin, head)) return false;
  Wide = (head >> 24) == 1;
  return true;
}

// The time scale of a movie or media header: after the creation and
// modification times, 32 or 64 bits each.
std::uint32_t TimeScale(const TIsoReader& R, const std::optional<TBox>& Header) {
  bool wide = false;
  if (!Header || !Version(R, *Header, wide)) return 0;
  const std::uint64_t at = Header->Begin + 4 + (wide ? 16 : 8);
  std::uint32_t scale = 0;
  if (Header->End < at || Header->End - at < 4 || !R.U32(at, scale)) return 0;
  return scale;
}

bool IsVideoTrack(const TIsoReader& R, const TBox& Media) {
  const std::optional<TBox> handler = R.Find(Media, Tag("hdlr"));
  std::uint32_t type = 0;
  return handler && handler->End - handler->Begin >= 12 && R.U32(handler->Begin + 8, type) &&
         type == Tag("vide");
}

// Units of Scale per second to 100 ns; nullopt beyond the longest start.
std::optional<std::int64_t> ToRefTime(std::uint64_t Units, std::uint32_t Scale) {
  if (Scale == 0 || Units / Scale > std::uint64_t(kLongestStartSeconds)) return std::nullopt;
  const std::uint64_t whole = Units / Scale * 10000000;
  const std::uint64_t part = ((Units % Scale) * 10000000 + Scale / 2) / Scale;
  return std::int64_t(whole + part);
}

// The start of a video track from its edit list; 0 without one.
std::int64_t TrackStart(const TIsoReader& R, const TBox& Track, std::uint32_t MovieScale) {
  const std::optional<TBox> media = R.Find(Track, Tag("mdia"));
  const std::optional<TBox> edits = R.Find(Track, Tag("edts"));
  const std::optional<TBox> list = edits ? R.Find(*edits, Tag("elst")) : std::nullopt;
  if (!media || !list) return 0;
  const std::uint32_t mediaScale = TimeScale(R, R.Find(*media, Tag("mdhd")));
  bool wide = false;
  std::uint32_t count = 0;
  if (mediaScale == 0 || MovieScale == 0 || !Version(R, *list, wide) || list->End - list->Begin < 8 ||
      !R.U32(list->Begin + 4, count))
    return 0;
  const std::uint64_t entryBytes = wide ? 20 : 12;
  std::uint64_t empty = 0;
  for (std::uint32_t i = 0; i < count && i < kMostEdits; ++i) {
    const std::uint64_t at = list->Begin + 8 + i * entryBytes;
    if (list->End < at || list->End - at < entryBytes) return 0;
    std::uint64_t duration = 0, mediaTime = 0;
    if (wide ? !R.U64(at, duration) || !R.U64(at + 8, mediaTime)
             : !R.U32(at, duration) || !R.U32(at + 4, mediaTime))
      return 0;
    const bool emptyEdit = wide ? mediaTime == ~std::uint64_t(0) : mediaTime == 0xFFFFFFFFu;
    if (emptyEdit) {
      empty += duration;
      if (empty < duration) return 0;
      continue;
    }
    if (mediaTime >> (wide ? 63 : 31)) return 0;  // negative: not a time
    const std::optional<std::int64_t> start = ToRefTime(mediaTime, mediaScale);
    const std::optional<std::int64_t> late = ToRefTime(empty, MovieScale);
    return start && late ? *start - *late : 0;
  }
  return 0;
}

}  // namespace

std::int64_t IsoMediaPictureStart(const TReadAt& Read, std::uint64_t FileSize) {
  const TIsoReader r(Read, FileSize);
  const std::optional<TBox> movie = r.Find(TBox{0, FileSize}, Tag("moov"));
  if (!movie) return 0;
  const std::uint32_t movieScale = TimeScale(r, r.Find(*movie, Tag("mvhd")));
  std::int64_t start = 0;
  r.Walk(*movie, [&](std::uint32_t Type, const TBox& Track) {
    if (Type != Tag("trak")) return true;
    const std::optional<TBox> media = r.Find(Track, Tag("mdia"));
    if (!media || !IsVideoTrack(r, *media)) return true;
    start = TrackStart(r, Track, movieScale);
    return false;
  });
  return start;
}
