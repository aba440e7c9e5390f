#include "engine/graph/movie_start.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

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

  // Calls Visit(type, contents) for each child of Parent in order, of the
  // first Most, until it returns false; false when a child did not fit.
  template <class F>
  bool Walk(const TBox& Parent, F&& Visit, int Most = kMostBoxes) const {
    std::uint64_t at = Parent.Begin;
    for (int n = 0; n < Most && at < Parent.End; ++n) {
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
  bool Bytes(std::uint64_t At, std::uint8_t* Buffer, std::size_t Count) const {
    return At <= Size_ && Count <= Size_ - At && Read_(At, Buffer, Count);
  }

 private:
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

std::uint32_t TrackId(const TIsoReader& R, const TBox& Track) {
  const std::optional<TBox> header = R.Find(Track, Tag("tkhd"));
  bool wide = false;
  std::uint32_t id = 0;
  if (!header || !Version(R, *header, wide)) return 0;
  const std::uint64_t at = header->Begin + 4 + (wide ? 16 : 8);
  return header->End >= at + 4 && R.U32(at, id) ? id : 0;
}

// The movie's tracks with their time scales and the defaults of its
// fragments; empty for a movie that is not fragmented.
std::vector<TFragmentTrack> FragmentTracks(const TIsoReader& R, const TBox& Movie) {
  std::vector<TFragmentTrack> tracks;
  const std::optional<TBox> extends = R.Find(Movie, Tag("mvex"));
  if (!extends) return tracks;
  R.Walk(Movie, [&](std::uint32_t Type, const TBox& Track) {
    const std::optional<TBox> media = Type == Tag("trak") ? R.Find(Track, Tag("mdia")) : std::nullopt;
    const std::uint32_t scale = media ? TimeScale(R, R.Find(*media, Tag("mdhd"))) : 0;
    if (scale != 0) tracks.push_back({TrackId(R, Track), scale, 0, 0, 0});
    return true;
  });
  R.Walk(*extends, [&](std::uint32_t Type, const TBox& Defaults) {
    std::uint32_t id = 0, duration = 0;
    if (Type != Tag("trex") || Defaults.End - Defaults.Begin < 16 || !R.U32(Defaults.Begin + 4, id) ||
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
bool ReadRun(const TIsoReader& R, const TBox& Run, std::uint32_t Duration, TFragmentTrack& Track) {
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
bool ReadTrackFragment(const TIsoReader& R, const TBox& Fragment, std::vector<TFragmentTrack>& Tracks) {
  const std::optional<TBox> header = R.Find(Fragment, Tag("tfhd"));
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
  if (const std::optional<TBox> decode = R.Find(Fragment, Tag("tfdt"))) {
    bool wide = false;
    std::uint32_t time = 0;
    if (!Version(R, *decode, wide) || decode->End - decode->Begin < (wide ? 12u : 8u) ||
        !(wide ? R.U64(decode->Begin + 4, track->Next) : R.U32(decode->Begin + 4, time)))
      return false;
    if (!wide) track->Next = time;
    if (track->Next > kLatestTime) return false;
  }
  return R.Walk(Fragment, [&](std::uint32_t Type, const TBox& Run) {
    return Type != Tag("trun") || ReadRun(R, Run, duration, *track);
  });
}

}  // namespace

std::int64_t IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize) {
  const TIsoReader r(Read, FileSize);
  const std::optional<TBox> movie = r.Find(TBox{0, FileSize}, Tag("moov"));
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
      TBox{0, FileSize},
      [&](std::uint32_t Type, const TBox& Fragment) {
        if (Type != Tag("moof")) return true;
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
        return parts.Walk(Fragment, [&](std::uint32_t Type2, const TBox& Part) {
          return Type2 != Tag("traf") || ReadTrackFragment(parts, Part, tracks);
        });
      },
      kMostFragmentBoxes);
  std::int64_t end = 0;
  for (const TFragmentTrack& t : tracks)
    if (const std::optional<std::int64_t> time = t.End > 0 ? ToRefTime(std::uint64_t(t.End), t.Scale) : std::nullopt)
      end = std::max(end, *time);
  return end;
}

namespace {

constexpr std::uint32_t Fourcc(const char (&Name)[5]) {
  return std::uint32_t(std::uint8_t(Name[0])) | std::uint32_t(std::uint8_t(Name[1])) << 8 |
         std::uint32_t(std::uint8_t(Name[2])) << 16 | std::uint32_t(std::uint8_t(Name[3])) << 24;
}

// Video chunks looked at, and the bytes of each searched for pictures.
constexpr int kMostVideoChunks = 300;
constexpr std::size_t kChunkBytes = 65536;

// The compression codes of MPEG-4 part 2 video, upper case.
bool IsMpeg4Part2(std::uint32_t Code) {
  for (std::uint32_t known : {Fourcc("FMP4"), Fourcc("XVID"), Fourcc("DIVX"), Fourcc("DX50"), Fourcc("MP4V"),
                              Fourcc("3IV2"), Fourcc("M4S2"), Fourcc("MP4S"), Fourcc("RMP4"), Fourcc("DXGM")})
    if (Code == known) return true;
  return false;
}

std::uint32_t Upper(std::uint32_t Code) {
  std::uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint8_t c = std::uint8_t(Code >> (8 * i));
    if (c >= 'a' && c <= 'z') c = std::uint8_t(c - 'a' + 'A');
    out |= std::uint32_t(c) << (8 * i);
  }
  return out;
}

class TRiffReader {
 public:
  TRiffReader(const TReadAt& Read, std::uint64_t Size) : Read_(Read), Size_(Size) {}

  bool U32(std::uint64_t At, std::uint32_t& Value) const {
    std::uint8_t b[4];
    if (!Bytes(At, b, 4)) return false;
    Value = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
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

 private:
  const TReadAt& Read_;
  std::uint64_t Size_;
};

// The coding types of the pictures in a chunk's first bytes: 0 intra, 1
// predicted, 2 bidirectional, 3 sprite.
std::vector<int> PictureTypes(const std::uint8_t* Data, std::size_t Size) {
  std::vector<int> types;
  for (std::size_t i = 0; i + 4 < Size; ++i)
    if (Data[i] == 0 && Data[i + 1] == 0 && Data[i + 2] == 1 && Data[i + 3] == 0xB6) types.push_back(Data[i + 4] >> 6);
  return types;
}

}  // namespace

TKeyFrameLead AviKeyFrameLead(const TReadAt& Read, std::uint64_t FileSize) {
  const TRiffReader r(Read, FileSize);
  std::uint32_t riff = 0, size = 0, form = 0;
  if (!r.U32(0, riff) || !r.U32(4, size) || !r.U32(8, form) || riff != Fourcc("RIFF") || form != Fourcc("AVI "))
    return {};
  const std::uint64_t end = std::min<std::uint64_t>(FileSize, std::uint64_t(size) + 8);
  int stream = -1, streams = 0;
  TKeyFrameLead lead;
  int secondKey = -1;
  r.Walk(12, end, [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t Begin, std::uint64_t End) {
    if (Id == Fourcc("LIST") && Type == Fourcc("hdrl")) {
      r.Walk(Begin, End, [&](std::uint32_t Id2, std::uint32_t Type2, std::uint64_t B2, std::uint64_t E2) {
        if (Id2 != Fourcc("LIST") || Type2 != Fourcc("strl")) return true;
        std::uint32_t kind = 0, code = 0;
        r.Walk(B2, E2, [&](std::uint32_t Id3, std::uint32_t, std::uint64_t B3, std::uint64_t E3) {
          if (Id3 == Fourcc("strh") && E3 - B3 >= 4) r.U32(B3, kind);
          if (Id3 == Fourcc("strf") && E3 - B3 >= 20) r.U32(B3 + 16, code);
          return true;
        });
        if (stream < 0 && kind == Fourcc("vids") && IsMpeg4Part2(Upper(code))) stream = streams;
        ++streams;
        return true;
      });
      return true;
    }
    if (Id != Fourcc("LIST") || Type != Fourcc("movi")) return true;
    if (stream < 0 || stream > 99) return false;
    const std::uint32_t digits = std::uint32_t('0' + stream / 10) | std::uint32_t('0' + stream % 10) << 8;
    std::vector<std::uint8_t> data;
    int chunks = 0, run = 0;
    bool packed = false;
    const auto Chunk = [&](std::uint32_t Id2, std::uint32_t Type2, std::uint64_t B2, std::uint64_t E2) {
      if (Id2 == Fourcc("LIST") && Type2 == Fourcc("rec ")) return true;  // walked by the caller
      if ((Id2 & 0xFFFF) != digits || E2 == B2) return true;
      data.resize(std::size_t(std::min<std::uint64_t>(E2 - B2, kChunkBytes)));
      if (!r.Bytes(B2, data.data(), data.size())) return false;
      lead.Known = true;
      const std::vector<int> types = PictureTypes(data.data(), data.size());
      if (types.size() > 1) packed = true;
      if (!types.empty() && types.front() == 0 && chunks > 0 && secondKey < 0) secondKey = chunks;
      run = !types.empty() && types.front() == 2 ? run + 1 : 0;
      lead.Run = std::max(lead.Run, run);
      return !packed && ++chunks < kMostVideoChunks;
    };
    r.Walk(Begin, End, [&](std::uint32_t Id2, std::uint32_t Type2, std::uint64_t B2, std::uint64_t E2) {
      if (Id2 == Fourcc("LIST") && Type2 == Fourcc("rec ")) {
        bool more = true;
        r.Walk(B2, E2, [&](std::uint32_t I3, std::uint32_t T3, std::uint64_t B3, std::uint64_t E3) {
          return more = Chunk(I3, T3, B3, E3);
        });
        return more;
      }
      return Chunk(Id2, Type2, B2, E2);
    });
    if (packed) lead.Run = 0;
    if (secondKey < 0) secondKey = chunks;
    return false;
  });
  // The platform's stamps keep a slip of one frame no longer than the key
  // frame that has it.
  if (lead.Run >= 2) {
    lead.Frames = lead.Run;
    lead.FromFrame = secondKey + lead.Run;
  }
  return lead;
}
