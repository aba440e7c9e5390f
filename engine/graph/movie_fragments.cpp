#include "engine/graph/movie_fragments.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/graph/iso_boxes.h"

namespace {

// Boxes looked at on the file's top level for fragments: a fragment and its
// data every 30 ms of a two-hour movie.
constexpr int kMostFragmentBoxes = 1 << 19;
// A fragment box larger than this is read from the file piece by piece.
constexpr std::uint64_t kHeldFragmentBytes = 1 << 22;
// Bytes of a run's sample entries read at once.
constexpr std::size_t kRunBytes = 65536;

// What the fragments tell of one track: its time scale from the movie box,
// the duration of a sample that gives none, and where it has got to.
struct TFragmentTrack {
  std::uint32_t Id = 0, Scale = 0, DefaultDuration = 0;
  std::uint64_t Next = 0;  // the decode time after the last sample read
  std::int64_t End = 0;    // the latest end of a sample shown, in Scale units
};

std::uint32_t TrackId(const TIsoReader& R, const TIsoBox& Track) {
  const std::optional<TIsoBox> header = R.Find(Track, IsoTag("tkhd"));
  bool wide = false;
  std::uint32_t id = 0;
  if (!header || !IsoVersion(R, *header, wide)) return 0;
  const std::uint64_t at = header->Begin + 4 + (wide ? 16 : 8);
  return header->End >= at + 4 && R.U32(at, id) ? id : 0;
}

// The movie's tracks with their time scales and the defaults of its
// fragments; empty for a movie that is not fragmented.
std::vector<TFragmentTrack> FragmentTracks(const TIsoReader& R, const TIsoBox& Movie) {
  std::vector<TFragmentTrack> tracks;
  const std::optional<TIsoBox> extends = R.Find(Movie, IsoTag("mvex"));
  if (!extends) return tracks;
  R.Walk(Movie, [&](std::uint32_t Type, const TIsoBox& Track) {
    const std::optional<TIsoBox> media = Type == IsoTag("trak") ? R.Find(Track, IsoTag("mdia")) : std::nullopt;
    const std::uint32_t scale = media ? IsoTimeScale(R, R.Find(*media, IsoTag("mdhd"))) : 0;
    if (scale != 0) tracks.push_back({TrackId(R, Track), scale, 0, 0, 0});
    return true;
  });
  R.Walk(*extends, [&](std::uint32_t Type, const TIsoBox& Defaults) {
    std::uint32_t id = 0, duration = 0;
    if (Type != IsoTag("trex") || Defaults.End - Defaults.Begin < 16 || !R.U32(Defaults.Begin + 4, id) ||
        !R.U32(Defaults.Begin + 12, duration))
      return true;
    for (TFragmentTrack& t : tracks)
      if (t.Id == id) t.DefaultDuration = duration;
    return true;
  });
  return tracks;
}

// Decode times beyond this many units are no times of a movie.
constexpr std::uint64_t kLatestTime = std::uint64_t(1) << 62;

// Track passes a sample that starts at its decode time Next, Offset later
// on screen, and lasts Length; false beyond the latest time.
bool PassSample(TFragmentTrack& Track, std::uint64_t Length, std::int64_t Offset) {
  if (Length > kLatestTime - Track.Next) return false;
  Track.End = std::max(Track.End, std::int64_t(Track.Next + Length) + Offset);
  Track.Next += Length;
  return true;
}

// The samples of one run (trun) of Track, each lasting Duration unless the
// run gives its own. False when the run does not fit its box.
bool ReadRun(const TIsoReader& R, const TIsoBox& Run, std::uint32_t Duration, TFragmentTrack& Track) {
  std::uint32_t head = 0, count = 0;
  if (Run.End - Run.Begin < 8 || !R.U32(Run.Begin, head) || !R.U32(Run.Begin + 4, count)) return false;
  const bool signedOffsets = (head >> 24) != 0;
  const std::uint32_t flags = head & 0xFFFFFF;
  const bool durations = flags & 0x100, offsets = flags & 0x800;
  // Each sample's entry: duration, size, flags, composition offset.
  const std::uint32_t entry =
      4 * (int(durations) + int((flags & 0x200) != 0) + int((flags & 0x400) != 0) + int(offsets));
  std::uint64_t at = Run.Begin + 8 + (flags & 0x1 ? 4 : 0) + (flags & 0x4 ? 4 : 0);
  if (at > Run.End) return false;
  if (entry == 0) {  // samples alike: the last one ends the run
    if (count == 0) return true;
    if (Duration != 0 && count - 1 > (kLatestTime - Track.Next) / Duration) return false;
    Track.Next += std::uint64_t(count - 1) * Duration;
    return PassSample(Track, Duration, 0);
  }
  if (count > (Run.End - at) / entry) return false;
  std::vector<std::uint8_t> data;
  const auto Field = [&](std::size_t At) {
    return std::uint32_t(data[At]) << 24 | std::uint32_t(data[At + 1]) << 16 | std::uint32_t(data[At + 2]) << 8 |
           data[At + 3];
  };
  while (count > 0) {
    const std::uint32_t block = std::min<std::uint32_t>(count, kRunBytes / entry);
    data.resize(std::size_t(block) * entry);
    if (!R.Bytes(at, data.data(), data.size())) return false;
    for (std::size_t e = 0; e < data.size(); e += entry) {
      const std::uint32_t raw = offsets ? Field(e + entry - 4) : 0;
      const std::int64_t offset = signedOffsets ? std::int64_t(std::int32_t(raw)) : std::int64_t(raw);
      if (!PassSample(Track, durations ? Field(e) : Duration, offset)) return false;
    }
    count -= block;
    at += data.size();
  }
  return true;
}

// The runs of one track fragment (traf); false when a box does not fit.
bool ReadTrackFragment(const TIsoReader& R, const TIsoBox& Fragment, std::vector<TFragmentTrack>& Tracks) {
  const std::optional<TIsoBox> header = R.Find(Fragment, IsoTag("tfhd"));
  std::uint32_t head = 0, id = 0;
  if (!header || header->End - header->Begin < 8 || !R.U32(header->Begin, head) || !R.U32(header->Begin + 4, id))
    return false;
  const auto track = std::find_if(Tracks.begin(), Tracks.end(), [&](const TFragmentTrack& T) { return T.Id == id; });
  if (track == Tracks.end()) return true;  // a track the movie does not list
  std::uint32_t duration = track->DefaultDuration;
  if (head & 0x8) {
    const std::uint64_t at = header->Begin + 8 + (head & 0x1 ? 8 : 0) + (head & 0x2 ? 4 : 0);
    if (header->End < at + 4 || !R.U32(at, duration)) return false;
  }
  if (const std::optional<TIsoBox> decode = R.Find(Fragment, IsoTag("tfdt"))) {
    bool wide = false;
    std::uint32_t time = 0;
    if (!IsoVersion(R, *decode, wide) || decode->End - decode->Begin < (wide ? 12u : 8u) ||
        !(wide ? R.U64(decode->Begin + 4, track->Next) : R.U32(decode->Begin + 4, time)))
      return false;
    if (!wide) track->Next = time;
    if (track->Next > kLatestTime) return false;
  }
  return R.Walk(Fragment, [&](std::uint32_t Type, const TIsoBox& Run) {
    return Type != IsoTag("trun") || ReadRun(R, Run, duration, *track);
  });
}

}  // namespace

std::int64_t IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize) {
  const TIsoReader r(Read, FileSize);
  const std::optional<TIsoBox> movie = r.Find(TIsoBox{0, FileSize}, IsoTag("moov"));
  std::vector<TFragmentTrack> tracks = movie ? FragmentTracks(r, *movie) : std::vector<TFragmentTrack>{};
  if (tracks.empty()) return 0;
  // The fragment box held in memory, from the file's offset heldFrom on.
  std::vector<std::uint8_t> held;
  std::uint64_t heldFrom = 0;
  const TReadAt fromHeld = [&](std::uint64_t Offset, void* Buffer, std::size_t Count) {
    if (Offset < heldFrom || Offset - heldFrom > held.size() || Count > held.size() - (Offset - heldFrom)) return false;
    std::memcpy(Buffer, held.data() + (Offset - heldFrom), Count);
    return true;
  };
  r.Walk(
      TIsoBox{0, FileSize},
      [&](std::uint32_t Type, const TIsoBox& Fragment) {
        if (Type != IsoTag("moof")) return true;
        // A fragment box is read in one piece where it is not too large,
        // and its parts from there.
        const std::uint64_t size = Fragment.End - Fragment.Begin;
        const bool hold = size <= kHeldFragmentBytes;
        if (hold) {
          held.resize(std::size_t(size));
          heldFrom = Fragment.Begin;
          if (!r.Bytes(Fragment.Begin, held.data(), held.size())) return false;
        }
        const TIsoReader inMemory(fromHeld, Fragment.End);
        const TIsoReader& parts = hold ? inMemory : r;
        return parts.Walk(Fragment, [&](std::uint32_t Type2, const TIsoBox& Part) {
          return Type2 != IsoTag("traf") || ReadTrackFragment(parts, Part, tracks);
        });
      },
      kMostFragmentBoxes);
  std::int64_t end = 0;
  for (const TFragmentTrack& t : tracks) {
    const std::optional<std::int64_t> time =
        t.End > 0 ? IsoUnitsToRefTime(std::uint64_t(t.End), t.Scale) : std::nullopt;
    if (time) end = std::max(end, *time);
  }
  return end;
}
