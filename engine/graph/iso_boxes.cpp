#include "engine/graph/iso_boxes.h"

std::optional<TIsoBox> TIsoReader::Find(const TIsoBox& Parent, std::uint32_t Type) const {
  std::optional<TIsoBox> found;
  Walk(Parent, [&](std::uint32_t ChildType, const TIsoBox& Child) {
    if (ChildType != Type) return true;
    found = Child;
    return false;
  });
  return found;
}

bool TIsoReader::Child(std::uint64_t At, std::uint64_t End, std::uint32_t& Type, TIsoBox& Contents) const {
  std::uint64_t size = 0, header = 8;
  if (At > End || End - At < 8 || !U32(At, size) || !U32(At + 4, Type)) return false;
  if (size == 1) {
    header = 16;
    if (End - At < 16 || !U64(At + 8, size)) return false;
  } else if (size == 0) {
    size = End - At;
  }
  if (size < header || size > End - At) return false;
  Contents = TIsoBox{At + header, At + size};
  return true;
}

bool TIsoReader::U32(std::uint64_t At, std::uint64_t& Value) const {
  std::uint32_t v = 0;
  if (!U32(At, v)) return false;
  Value = v;
  return true;
}

bool TIsoReader::U32(std::uint64_t At, std::uint32_t& Value) const {
  std::uint8_t b[4];
  if (!Bytes(At, b, 4)) return false;
  Value = std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
  return true;
}

bool TIsoReader::U64(std::uint64_t At, std::uint64_t& Value) const {
  std::uint32_t high = 0, low = 0;
  if (!U32(At, high) || !U32(At + 4, low)) return false;
  Value = std::uint64_t(high) << 32 | low;
  return true;
}

bool IsoVersion(const TIsoReader& R, const TIsoBox& Box, bool& Wide) {
  std::uint32_t head = 0;
  if (Box.End - Box.Begin < 4 || !R.U32(Box.Begin, head)) return false;
  Wide = (head >> 24) == 1;
  return true;
}

std::uint32_t IsoTimeScale(const TIsoReader& R, const std::optional<TIsoBox>& Header) {
  bool wide = false;
  if (!Header || !IsoVersion(R, *Header, wide)) return 0;
  const std::uint64_t at = Header->Begin + 4 + (wide ? 16 : 8);
  std::uint32_t scale = 0;
  if (Header->End < at || Header->End - at < 4 || !R.U32(at, scale)) return 0;
  return scale;
}

std::optional<std::int64_t> IsoUnitsToRefTime(std::uint64_t Units, std::uint32_t Scale) {
  if (Scale == 0 || Units / Scale > std::uint64_t(kLongestIsoSeconds)) return std::nullopt;
  const std::uint64_t whole = Units / Scale * 10000000;
  const std::uint64_t part = ((Units % Scale) * 10000000 + Scale / 2) / Scale;
  return std::int64_t(whole + part);
}
