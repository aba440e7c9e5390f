#include "engine/graph/movie_start.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/graph/iso_boxes.h"
#include "engine/graph/riff_chunks.h"

namespace {

// Edits looked at before the first that shows media.
constexpr std::uint32_t kMostEdits = 64;

bool IsVideoTrack(const TIsoReader& R, const TIsoBox& Media) {
  const std::optional<TIsoBox> handler = R.Find(Media, IsoTag("hdlr"));
  std::uint32_t type = 0;
  return handler && handler->End - handler->Begin >= 12 && R.U32(handler->Begin + 8, type) &&
         type == IsoTag("vide");
}

// The start of a video track from its edit list; 0 without one.
std::int64_t TrackStart(const TIsoReader& R, const TIsoBox& Track, std::uint32_t MovieScale) {
  const std::optional<TIsoBox> media = R.Find(Track, IsoTag("mdia"));
  const std::optional<TIsoBox> edits = R.Find(Track, IsoTag("edts"));
  const std::optional<TIsoBox> list = edits ? R.Find(*edits, IsoTag("elst")) : std::nullopt;
  if (!media || !list) return 0;
  const std::uint32_t mediaScale = IsoTimeScale(R, R.Find(*media, IsoTag("mdhd")));
  bool wide = false;
  std::uint32_t count = 0;
  if (mediaScale == 0 || MovieScale == 0 || !IsoVersion(R, *list, wide) || list->End - list->Begin < 8 ||
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
    const std::optional<std::int64_t> start = IsoUnitsToRefTime(mediaTime, mediaScale);
    const std::optional<std::int64_t> late = IsoUnitsToRefTime(empty, MovieScale);
    return start && late ? *start - *late : 0;
  }
  return 0;
}

}  // namespace

std::int64_t IsoMediaPictureStart(const TReadAt& Read, std::uint64_t FileSize) {
  const TIsoReader r(Read, FileSize);
  const std::optional<TIsoBox> movie = r.Find(TIsoBox{0, FileSize}, IsoTag("moov"));
  if (!movie) return 0;
  const std::uint32_t movieScale = IsoTimeScale(r, r.Find(*movie, IsoTag("mvhd")));
  std::int64_t start = 0;
  r.Walk(*movie, [&](std::uint32_t Type, const TIsoBox& Track) {
    if (Type != IsoTag("trak")) return true;
    const std::optional<TIsoBox> media = r.Find(Track, IsoTag("mdia"));
    if (!media || !IsVideoTrack(r, *media)) return true;
    start = TrackStart(r, Track, movieScale);
    return false;
  });
  return start;
}

namespace {

// Video chunks looked at: key frames up to about 2000 pictures apart.
constexpr int kMostVideoChunks = 2048;
// The first chunks are searched whole (up to kChunkBytes) for a P-frame
// packed with a B-frame; later ones only where their picture's header is.
constexpr int kWholeChunks = 32;
constexpr std::size_t kChunkBytes = 65536;
constexpr std::size_t kHeadBytes = 256;

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

// The coding types of the pictures in a chunk's first bytes: 0 intra, 1
// predicted, 2 bidirectional, 3 sprite.
std::vector<int> PictureTypes(const std::uint8_t* Data, std::size_t Size) {
  std::vector<int> types;
  for (std::size_t i = 0; i + 4 < Size; ++i)
    if (Data[i] == 0 && Data[i + 1] == 0 && Data[i + 2] == 1 && Data[i + 3] == 0xB6) types.push_back(Data[i + 4] >> 6);
  return types;
}

// The place among the streams (0..99) of the first MPEG-4 part 2 video
// stream in the header list [Begin, End), or -1.
int Mpeg4VideoStream(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End) {
  int found = -1, streams = 0;
  R.Walk(Begin, End, [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t B, std::uint64_t E) {
    if (Id != Fourcc("LIST") || Type != Fourcc("strl")) return true;
    std::uint32_t kind = 0, code = 0;
    R.Walk(B, E, [&](std::uint32_t Id2, std::uint32_t, std::uint64_t B2, std::uint64_t E2) {
      if (Id2 == Fourcc("strh") && E2 - B2 >= 4) R.U32(B2, kind);
      if (Id2 == Fourcc("strf") && E2 - B2 >= 20) R.U32(B2 + 16, code);
      return true;
    });
    if (found < 0 && kind == Fourcc("vids") && IsMpeg4Part2(Upper(code))) found = streams;
    ++streams;
    return found < 0;
  });
  return found <= 99 ? found : -1;
}

// The video's chunks in the order the file stores them, one picture each
// (an empty chunk a picture dropped), up to the B-frames stored behind the
// second key frame.
class TVideoChunks {
 public:
  // Takes the next chunk's picture types (none for an empty chunk or one
  // without a picture); false once nothing more is to be learnt.
  bool Add(const std::vector<int>& Types) {
    const int index = Count_++;
    if (Types.size() > 1) Packed_ = true;
    const int type = Types.empty() ? -1 : Types.front();
    if (SecondKey_ >= 0) {
      if (type != 2) return false;
      ++Behind_;
    } else if (type == 0) {
      (FirstKey_ < 0 ? FirstKey_ : SecondKey_) = index;
    }
    return !Packed_ && Count_ < kMostVideoChunks;
  }
  int Count() const { return Count_; }
  TKeyFrameLead Lead() const {
    TKeyFrameLead lead;
    if (Packed_) {
      lead.Known = true;
    } else if (SecondKey_ >= 0) {
      lead = {true, Behind_, Behind_ >= 2 ? Behind_ : 0, SecondKey_, SecondKey_ + Behind_ - FirstKey_};
    }
    return lead;
  }

 private:
  int Count_ = 0;
  int FirstKey_ = -1, SecondKey_ = -1;
  int Behind_ = 0;  // B-frames stored right after the second key frame
  bool Packed_ = false;
};

// Reads the video chunks (named by the stream's place Stream) of the
// movie list [Begin, End), record lists included, into Chunks.
void ReadVideoChunks(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End, int Stream, TVideoChunks& Chunks) {
  const std::uint32_t digits = std::uint32_t('0' + Stream / 10) | std::uint32_t('0' + Stream % 10) << 8;
  std::vector<std::uint8_t> data;
  const auto Chunk = [&](std::uint32_t Id, std::uint64_t B, std::uint64_t E) {
    const std::uint32_t kind = Id >> 16;
    if ((Id & 0xFFFF) != digits || (kind != (Fourcc("00dc") >> 16) && kind != (Fourcc("00db") >> 16))) return true;
    data.resize(std::size_t(std::min<std::uint64_t>(E - B, Chunks.Count() < kWholeChunks ? kChunkBytes : kHeadBytes)));
    if (!R.Bytes(B, data.data(), data.size())) return false;
    return Chunks.Add(PictureTypes(data.data(), data.size()));
  };
  R.Walk(Begin, End, [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t B, std::uint64_t E) {
    if (Id != Fourcc("LIST") || Type != Fourcc("rec ")) return Chunk(Id, B, E);
    bool more = true;
    R.Walk(B, E, [&](std::uint32_t Id2, std::uint32_t, std::uint64_t B2, std::uint64_t E2) {
      return more = Chunk(Id2, B2, E2);
    });
    return more;
  });
}

}  // namespace

TKeyFrameLead AviKeyFrameLead(const TReadAt& Read, std::uint64_t FileSize) {
  const TRiffReader r(Read, FileSize);
  const std::uint64_t end = r.FormEnd(Fourcc("AVI "));
  if (end == 0) return {};
  int stream = -1;
  TVideoChunks chunks;
  r.Walk(12, end, [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t Begin, std::uint64_t End) {
    if (Id != Fourcc("LIST")) return true;
    if (Type == Fourcc("hdrl")) stream = Mpeg4VideoStream(r, Begin, End);
    if (Type != Fourcc("movi")) return true;
    if (stream >= 0) ReadVideoChunks(r, Begin, End, stream, chunks);
    return false;
  });
  return chunks.Lead();
}
