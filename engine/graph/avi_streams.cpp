#include "engine/graph/avi_streams.h"

#include <algorithm>
#include <optional>

#include "engine/graph/riff_chunks.h"

namespace {

// The smallest chunk a frame or a chunk of samples takes in the file: its
// id and size.
constexpr std::uint64_t kChunkHeaderBytes = 8;
// An end beyond this many seconds is no time of a movie.
constexpr std::uint64_t kLongestSeconds = 1000000000;
constexpr std::uint64_t kRefPerSecond = 10000000;

// Where a stream whose stream header's contents are [Begin, End) ends:
// its start and length in units of Scale / Rate seconds. None when the
// header is too short, the scale or rate is 0, or the stream claims more
// than the file holds.
std::optional<std::int64_t> StreamEnd(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End,
                                      std::uint64_t FileSize) {
  // The header's fields: type, handler, flags, priority and language,
  // initial frames, scale, rate, start, length, buffer size, quality,
  // sample size.
  std::uint32_t scale = 0, rate = 0, start = 0, length = 0, sampleSize = 0;
  if (End - Begin < 48 || !R.U32(Begin + 20, scale) || !R.U32(Begin + 24, rate) || !R.U32(Begin + 28, start) ||
      !R.U32(Begin + 32, length) || !R.U32(Begin + 44, sampleSize) || scale == 0 || rate == 0)
    return std::nullopt;
  const std::uint64_t most = FileSize / (sampleSize != 0 ? sampleSize : kChunkHeaderBytes);
  if (start > most || length > most) return std::nullopt;
  // Seconds = units * scale / rate, in parts that fit 64 bits: the units
  // (below 2^33) as whole rates and the rest, whose product with the scale
  // stays below 2^64.
  const std::uint64_t units = std::uint64_t(start) + length, whole = units / rate, part = units % rate * scale;
  if (whole > kLongestSeconds / scale) return std::nullopt;
  const std::uint64_t seconds = whole * scale + part / rate, rest = part % rate;
  if (seconds > kLongestSeconds) return std::nullopt;
  return std::int64_t(seconds * kRefPerSecond + (rest * kRefPerSecond + rate / 2) / rate);
}

}  // namespace

std::int64_t AviStreamsEnd(const TReadAt& Read, std::uint64_t FileSize) {
  const TRiffReader r(Read, FileSize);
  const std::uint64_t form = r.FormEnd(Fourcc("AVI "));
  std::int64_t end = 0;
  r.Walk(12, form, [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t Begin, std::uint64_t End) {
    if (Id != Fourcc("LIST") || Type != Fourcc("hdrl")) return true;
    r.Walk(Begin, End, [&](std::uint32_t Id2, std::uint32_t Type2, std::uint64_t B2, std::uint64_t E2) {
      if (Id2 != Fourcc("LIST") || Type2 != Fourcc("strl")) return true;
      r.Walk(B2, E2, [&](std::uint32_t Id3, std::uint32_t, std::uint64_t B3, std::uint64_t E3) {
        if (Id3 != Fourcc("strh")) return true;
        end = std::max(end, StreamEnd(r, B3, E3, FileSize).value_or(0));
        return false;
      });
      return true;
    });
    return false;
  });
  return end;
}
