#include "engine/graph/movie_fragments.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "engine/graph/iso_boxes.h"
#include "engine/graph/read_ahead.h"

namespace {

// A fragment box larger than this is read from the file piece by piece.
constexpr std::uint64_t kHeldFragmentBytes = 1 << 22;
// Bytes of a run's sample entries read at once.
constexpr std::size_t kRunBytes = 65536;
// Decode times and lengths beyond this many units are no times of a movie.
constexpr std::uint64_t kLatestTime = std::uint64_t(1) << 62;
// The latest end of no sample at all.
constexpr std::int64_t kNoEnd = std::numeric_limits<std::int64_t>::min();

// A fragment box on the file's top level: where it begins, its contents,
// and those of the data box right after it, where its samples' data lie.
struct TFragmentBox {
  std::uint64_t Start = 0;
  TIsoBox Contents;
  std::optional<TIsoBox> Data;
};

// What a track's fragments give a sample that tells nothing of its own.
struct TSampleDefaults {
  std::uint32_t Duration = 0, Size = 0;
};

// The samples of one track fragment, in its track's units from its own
// decode start: the decode time it gives, their decode durations and the
// latest end of one on screen (its composition offset and duration).
struct TFragmentTimes {
  std::uint32_t Track = 0;
  std::optional<std::uint64_t> Decode;
  std::uint64_t Length = 0;
  std::int64_t Reach = kNoEnd;
};

// One track of the movie and what the fragments read so far, from the
// file's end back, tell of it: their decode durations and latest end from
// the start of the earliest read, and its end once a fragment told its
// decode time (or the file's first fragment was read).
struct TFragmentTrack {
  std::uint32_t Id = 0, Scale = 0;
  TSampleDefaults Defaults;
  bool Indexed = false;  // the fragments' random-access index lists it
  bool Seen = false, Timed = false;
  std::uint64_t Length = 0;
  std::int64_t Reach = kNoEnd;
  std::int64_t End = kNoEnd;  // once Timed

  void Forget() {
    Seen = Timed = false;
    Length = 0;
    Reach = End = kNoEnd;
  }
};

std::uint32_t TrackId(const TIsoReader& R, const TIsoBox& Track) {
  const std::optional<TIsoBox> header = R.Find(Track, IsoTag("tkhd"));
  bool wide = false;
  std::uint32_t id = 0;
  if (!header || !IsoVersion(R, *header, wide)) return 0;
  const std::uint64_t at = header->Begin + 4 + (wide ? 16 : 8);
  return header->End >= at + 4 && R.U32(at, id) ? id : 0;
}

// The movie's tracks with their time scales and the defaults of their
// fragments; empty for a movie that is not fragmented.
std::vector<TFragmentTrack> FragmentTracks(const TIsoReader& R, const TIsoBox& Movie) {
  std::vector<TFragmentTrack> tracks;
  const std::optional<TIsoBox> extends = R.Find(Movie, IsoTag("mvex"));
  if (!extends) return tracks;
  R.Walk(Movie, [&](std::uint32_t Type, const TIsoBox& Track) {
    const std::optional<TIsoBox> media = Type == IsoTag("trak") ? R.Find(Track, IsoTag("mdia")) : std::nullopt;
    const std::uint32_t scale = media ? IsoTimeScale(R, R.Find(*media, IsoTag("mdhd"))) : 0;
    if (scale == 0) return true;
    TFragmentTrack track;
    track.Id = TrackId(R, Track);
    track.Scale = scale;
    tracks.push_back(track);
    return true;
  });
  R.Walk(*extends, [&](std::uint32_t Type, const TIsoBox& Defaults) {
    std::uint32_t id = 0, duration = 0, size = 0;
    if (Type != IsoTag("trex") || Defaults.End - Defaults.Begin < 20 || !R.U32(Defaults.Begin + 4, id) ||
        !R.U32(Defaults.Begin + 12, duration) || !R.U32(Defaults.Begin + 16, size))
      return true;
    for (TFragmentTrack& t : tracks)
      if (t.Id == id) t.Defaults = {duration, size};
    return true;
  });
  return tracks;
}

// Times passes a sample that lasts Length and is shown Offset after its
// decode time; false beyond the latest time.
bool PassSample(TFragmentTimes& Times, std::uint64_t Length, std::int64_t Offset) {
  if (Length > kLatestTime - Times.Length) return false;
  Times.Reach = std::max(Times.Reach, std::int64_t(Times.Length + Length) + Offset);
  Times.Length += Length;
  return true;
}

// The samples of one run (trun) of a track fragment whose data are counted
// from Base, each lasting and holding what Defaults say unless the run
// gives its own. A run's samples lie, each taking a byte at least, from
// their data's start to the end of the fragment's data box (Data) where
// they start in it, else to the file's end: a run that claims more samples
// than that holds, or does not fit its box, is no run (false).
bool ReadRun(const TIsoReader& R, const TIsoBox& Run, TSampleDefaults Defaults, std::uint64_t Base,
             const std::optional<TIsoBox>& Data, TFragmentTimes& Times) {
  std::uint32_t head = 0, count = 0, dataOffset = 0;
  if (Run.End - Run.Begin < 8 || !R.U32(Run.Begin, head) || !R.U32(Run.Begin + 4, count)) return false;
  const bool signedOffsets = (head >> 24) != 0;
  const std::uint32_t flags = head & 0xFFFFFF;
  const bool durations = flags & 0x100, sizes = flags & 0x200, offsets = flags & 0x800;
  // Each sample's entry: duration, size, flags, composition offset.
  const std::uint32_t entry = 4 * (int(durations) + int(sizes) + int((flags & 0x400) != 0) + int(offsets));
  const std::uint64_t at = Run.Begin + 8 + (flags & 0x1 ? 4 : 0) + (flags & 0x4 ? 4 : 0);
  if (at > Run.End || ((flags & 0x1) && !R.U32(Run.Begin + 8, dataOffset))) return false;
  const std::int64_t shift = std::int32_t(dataOffset);
  if (shift < 0 && std::uint64_t(-shift) > Base) return false;
  const std::uint64_t data = Base + std::uint64_t(shift);
  const bool inData = Data && data >= Data->Begin && data <= Data->End;
  const std::uint64_t end = inData ? Data->End : R.Size();
  if (data > end) return false;
  std::uint64_t room = end - data;
  if (entry == 0) {  // samples alike: the last one ends the run
    const std::uint64_t length = Defaults.Duration;
    if (count > room / std::max<std::uint64_t>(Defaults.Size, 1)) return false;
    if (count == 0) return true;
    if (length != 0 && count - 1 > (kLatestTime - Times.Length) / length) return false;
    Times.Length += std::uint64_t(count - 1) * length;
    return PassSample(Times, length, 0);
  }
  if (count > (Run.End - at) / entry) return false;
  std::vector<std::uint8_t> block;
  const auto Field = [&](std::size_t At) {
    return std::uint32_t(block[At]) << 24 | std::uint32_t(block[At + 1]) << 16 | std::uint32_t(block[At + 2]) << 8 |
           block[At + 3];
  };
  for (std::uint64_t from = at; count > 0;) {
    const std::uint32_t n = std::min<std::uint32_t>(count, kRunBytes / entry);
    block.resize(std::size_t(n) * entry);
    if (!R.Bytes(from, block.data(), block.size())) return false;
    for (std::size_t e = 0; e < block.size(); e += entry) {
      const std::uint64_t bytes = std::max<std::uint32_t>(sizes ? Field(e + 4 * int(durations)) : Defaults.Size, 1);
      if (bytes > room) return false;
      room -= bytes;
      const std::uint32_t raw = offsets ? Field(e + entry - 4) : 0;
      const std::int64_t offset = signedOffsets ? std::int64_t(std::int32_t(raw)) : std::int64_t(raw);
      if (!PassSample(Times, durations ? Field(e) : Defaults.Duration, offset)) return false;
    }
    count -= n;
    from += block.size();
  }
  return true;
}

// The runs of one track fragment (traf) of the fragment box Box; a track
// the movie does not list gives Track 0. False when a box does not fit or
// a run is no run.
bool ReadTrackFragment(const TIsoReader& R, const TIsoBox& Fragment, const TFragmentBox& Box,
                       const std::vector<TFragmentTrack>& Tracks, TFragmentTimes& Times) {
  const std::optional<TIsoBox> header = R.Find(Fragment, IsoTag("tfhd"));
  std::uint32_t head = 0, id = 0;
  if (!header || header->End - header->Begin < 8 || !R.U32(header->Begin, head) || !R.U32(header->Begin + 4, id))
    return false;
  const auto track = std::find_if(Tracks.begin(), Tracks.end(), [&](const TFragmentTrack& T) { return T.Id == id; });
  if (track == Tracks.end()) return true;
  TSampleDefaults defaults = track->Defaults;
  std::uint64_t base = Box.Start;
  // Optional fields: the data's base (64 bits), the sample description,
  // the samples' duration and size.
  const std::uint64_t descriptionAt = header->Begin + 8 + (head & 0x1 ? 8 : 0);
  const std::uint64_t durationAt = descriptionAt + (head & 0x2 ? 4 : 0);
  const std::uint64_t sizeAt = durationAt + (head & 0x8 ? 4 : 0);
  if (header->End < sizeAt + (head & 0x10 ? 4 : 0) || ((head & 0x1) && !R.U64(header->Begin + 8, base)) ||
      ((head & 0x8) && !R.U32(durationAt, defaults.Duration)) || ((head & 0x10) && !R.U32(sizeAt, defaults.Size)))
    return false;
  if (const std::optional<TIsoBox> decode = R.Find(Fragment, IsoTag("tfdt"))) {
    bool wide = false;
    std::uint64_t time = 0;
    if (!IsoVersion(R, *decode, wide) || decode->End - decode->Begin < (wide ? 12u : 8u) ||
        !(wide ? R.U64(decode->Begin + 4, time) : R.U32(decode->Begin + 4, time)) || time > kLatestTime)
      return false;
    Times.Decode = time;
  }
  Times.Track = id;
  bool runs = true;
  return R.Walk(Fragment, [&](std::uint32_t Type, const TIsoBox& Run) {
    return runs = Type != IsoTag("trun") || ReadRun(R, Run, defaults, base, Box.Data, Times);
  }) && runs;
}

// The track fragments of one fragment box, read in one piece where it is
// not too large; false when any of them is broken.
bool ReadFragment(const TIsoReader& R, const TFragmentBox& Box, const std::vector<TFragmentTrack>& Tracks,
                  std::vector<TFragmentTimes>& Times) {
  const TIsoBox& contents = Box.Contents;
  std::vector<std::uint8_t> held;
  const TReadAt fromHeld = [&](std::uint64_t Offset, void* Buffer, std::size_t Count) {
    if (Offset < contents.Begin || Offset - contents.Begin > held.size() ||
        Count > held.size() - (Offset - contents.Begin))
      return false;
    if (Count > 0) std::memcpy(Buffer, held.data() + (Offset - contents.Begin), Count);
    return true;
  };
  const bool hold = contents.End - contents.Begin <= kHeldFragmentBytes;
  if (hold) {
    held.resize(std::size_t(contents.End - contents.Begin));
    if (!R.Bytes(contents.Begin, held.data(), held.size())) return false;
  }
  const TIsoReader inMemory(fromHeld, R.Size());
  const TIsoReader& parts = hold ? inMemory : R;
  Times.clear();
  bool whole = true;
  return parts.Walk(contents, [&](std::uint32_t Type, const TIsoBox& Part) {
    if (Type != IsoTag("traf")) return true;
    TFragmentTimes times;
    whole = ReadTrackFragment(parts, Part, Box, Tracks, times);
    if (whole && times.Track != 0) Times.push_back(times);
    return whole;
  }) && whole;
}

// Where the latest fragment a random-access box (tfra) lists begins, and
// the track it lists; no place for a box that lists none, false for one
// that does not fit.
bool LastListed(const TIsoReader& R, const TIsoBox& List, std::uint32_t& Track, std::optional<std::uint64_t>& At) {
  bool wide = false;
  std::uint32_t sizes = 0, count = 0;
  if (!IsoVersion(R, List, wide) || List.End - List.Begin < 16 || !R.U32(List.Begin + 4, Track) ||
      !R.U32(List.Begin + 8, sizes) || !R.U32(List.Begin + 12, count))
    return false;
  // Each entry: time and place, then the numbers of the track fragment,
  // run and sample, of 1 to 4 bytes each.
  const std::uint64_t entry = (wide ? 16 : 8) + ((sizes >> 4) & 3) + ((sizes >> 2) & 3) + (sizes & 3) + 3;
  if (count > (List.End - List.Begin - 16) / entry) return false;
  if (count == 0) return true;
  const std::uint64_t last = List.Begin + 16 + (count - 1) * entry;
  std::uint64_t place = 0;
  if (!(wide ? R.U64(last + 8, place) : R.U32(last + 4, place))) return false;
  At = place;
  return true;
}

// The start of the latest fragments the random-access index at the file's
// end lists: the earliest of its tracks' latest listed fragments, which
// must be a fragment box; the tracks it lists are marked. None for a file
// without an index, or with one that does not fit or lists no fragment.
std::optional<std::uint64_t> IndexedStart(const TIsoReader& R, std::vector<TFragmentTrack>& Tracks) {
  const std::uint64_t size = R.Size();
  std::uint32_t ownSize = 0, type = 0, indexSize = 0;
  if (size < 16 || !R.U32(size - 16, ownSize) || !R.U32(size - 12, type) || !R.U32(size - 4, indexSize) ||
      ownSize != 16 || type != IsoTag("mfro") || indexSize > size)
    return std::nullopt;
  TIsoBox index, first;
  if (!R.Child(size - indexSize, size, type, index) || type != IsoTag("mfra") || index.End != size)
    return std::nullopt;
  std::optional<std::uint64_t> start;
  bool whole = true;
  R.Walk(index, [&](std::uint32_t Type, const TIsoBox& List) {
    std::uint32_t id = 0;
    std::optional<std::uint64_t> at;
    if (Type != IsoTag("tfra")) return true;
    if (!(whole = LastListed(R, List, id, at))) return false;
    for (TFragmentTrack& t : Tracks)
      if (t.Id == id && at) {
        t.Indexed = true;
        start = std::min(start.value_or(*at), *at);
      }
    return true;
  });
  if (!whole || !start || !R.Child(*start, size, type, first) || type != IsoTag("moof")) return std::nullopt;
  return start;
}

// The fragment boxes on the file's top level from From (a box's start)
// on, with the data boxes right after them, up to the first box that does
// not fit (Whole), or as far as MostReads reads of Ahead (more than 0)
// take the walk; where it stopped.
struct TTopLevel {
  std::vector<TFragmentBox> Boxes;
  std::uint64_t Reached = 0;
  bool Whole = true;
};
TTopLevel FragmentsFrom(const TIsoReader& R, std::uint64_t From, const TReadAhead& Ahead, int MostReads) {
  TTopLevel walk;
  const int first = Ahead.Reads();
  std::uint32_t type = 0, previous = 0;
  for (walk.Reached = From; walk.Reached < R.Size(); previous = type) {
    TIsoBox contents;
    if (MostReads > 0 && Ahead.Reads() - first >= MostReads) {
      walk.Whole = false;
      break;
    }
    if (!R.Child(walk.Reached, R.Size(), type, contents)) break;
    if (type == IsoTag("moof")) walk.Boxes.push_back({walk.Reached, contents, std::nullopt});
    if (type == IsoTag("mdat") && previous == IsoTag("moof")) walk.Boxes.back().Data = contents;
    walk.Reached = contents.End;
  }
  return walk;
}

// Adds a track fragment read before those already read of its track;
// false when the track's length goes beyond the latest time.
bool Prepend(TFragmentTrack& Track, const TFragmentTimes& Times) {
  if (Track.Timed) return true;
  if (Track.Length > kLatestTime - Times.Length) return false;
  const std::int64_t later = Track.Reach == kNoEnd ? kNoEnd : std::int64_t(Times.Length) + Track.Reach;
  Track.Reach = std::max(Times.Reach, later);
  Track.Length += Times.Length;
  Track.Seen = true;
  if (Times.Decode) {
    if (*Times.Decode > kLatestTime - Track.Length) return false;
    Track.Timed = true;
    Track.End = Track.Reach == kNoEnd ? kNoEnd : std::int64_t(*Times.Decode) + Track.Reach;
  }
  return true;
}

// Reads Boxes from the last back until the tracks whose end is wanted are
// timed: every track when All, else those the index lists and those met.
// A fragment that is broken ends the file before it: what was read after
// it is forgotten. Reaching the first of Boxes, when it is the file's
// first fragment (First), starts the tracks met at 0. False when the end
// is not known from these fragments.
bool TimeFromTheEnd(const TIsoReader& R, const std::vector<TFragmentBox>& Boxes, bool All, bool First,
                    std::vector<TFragmentTrack>& Tracks) {
  const auto Done = [&] {
    return std::all_of(Tracks.begin(), Tracks.end(), [&](const TFragmentTrack& T) {
      return T.Timed || !(All || T.Indexed || T.Seen);
    });
  };
  std::vector<TFragmentTimes> times;
  for (auto box = Boxes.rbegin(); box != Boxes.rend() && !Done(); ++box) {
    bool whole = ReadFragment(R, *box, Tracks, times);
    for (auto t = times.rbegin(); whole && t != times.rend(); ++t)
      for (TFragmentTrack& track : Tracks)
        if (track.Id == t->Track) whole = whole && Prepend(track, *t);
    if (!whole)
      for (TFragmentTrack& track : Tracks) track.Forget();
  }
  if (!First) return Done();
  for (TFragmentTrack& track : Tracks)
    if (track.Seen && !track.Timed) {
      track.Timed = true;
      track.End = track.Reach;
    }
  return true;
}

// The latest end of the tracks' samples (100-ns units), 0 for none.
std::int64_t TracksEnd(const std::vector<TFragmentTrack>& Tracks) {
  std::int64_t end = 0;
  for (const TFragmentTrack& t : Tracks) {
    const std::optional<std::int64_t> time =
        t.Timed && t.End > 0 ? IsoUnitsToRefTime(std::uint64_t(t.End), t.Scale) : std::nullopt;
    if (time) end = std::max(end, *time);
  }
  return end;
}

// Where the fragment box Box begins in time (100-ns units): the earliest
// decode time its track fragments give, 0 where none does.
std::int64_t FragmentStart(const TIsoReader& R, const TFragmentBox& Box, const std::vector<TFragmentTrack>& Tracks) {
  std::vector<TFragmentTimes> times;
  std::optional<std::int64_t> start;
  if (!ReadFragment(R, Box, Tracks, times)) return 0;
  for (const TFragmentTimes& t : times)
    for (const TFragmentTrack& track : Tracks) {
      const std::optional<std::int64_t> time =
          track.Id == t.Track && t.Decode ? IsoUnitsToRefTime(*t.Decode, track.Scale) : std::nullopt;
      if (time) start = std::min(start.value_or(*time), *time);
    }
  return start.value_or(0);
}

// The end the tracks tell after the walk from the file's first fragment;
// where the walk stopped short, the time from the first fragment to the
// end of those walked grown in proportion to the bytes from the first
// fragment to the file's end.
TFragmentsEnd Ended(const TIsoReader& R, const std::vector<TFragmentTrack>& Tracks, const TTopLevel& Walk) {
  const std::int64_t end = TracksEnd(Tracks);
  if (Walk.Whole || Walk.Boxes.empty()) return {end, Walk.Whole};
  const std::uint64_t first = Walk.Boxes.front().Start;
  const std::int64_t start = std::min(FragmentStart(R, Walk.Boxes.front(), Tracks), end);
  const double share = double(R.Size() - first) / double(Walk.Reached - first);
  return {start + std::int64_t(double(end - start) * share), false};
}

}  // namespace

TFragmentsEnd IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize, int MostReads) {
  TReadAhead ahead(Read, FileSize);
  const TReadAt read = std::ref(ahead);
  const TIsoReader r(read, FileSize);
  const std::optional<TIsoBox> movie = r.Find(TIsoBox{0, FileSize}, IsoTag("moov"));
  std::vector<TFragmentTrack> tracks = movie ? FragmentTracks(r, *movie) : std::vector<TFragmentTrack>{};
  if (tracks.empty()) return {};
  // The latest fragments the index lists and those after them; the whole
  // file where they do not tell.
  if (const std::optional<std::uint64_t> listed = IndexedStart(r, tracks)) {
    const TTopLevel walk = FragmentsFrom(r, *listed, ahead, MostReads);
    if (walk.Whole && TimeFromTheEnd(r, walk.Boxes, false, false, tracks)) return {TracksEnd(tracks), true};
    for (TFragmentTrack& t : tracks) t.Forget();
  }
  const TTopLevel walk = FragmentsFrom(r, 0, ahead, MostReads);
  TimeFromTheEnd(r, walk.Boxes, true, true, tracks);
  return Ended(r, tracks, walk);
}
