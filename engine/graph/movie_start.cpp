#include "engine/graph/movie_start.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/graph/avi_file.h"
#include "engine/graph/iso_boxes.h"

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

// A chunk's first bytes, where its picture's header is.
constexpr std::size_t kHeadBytes = 256;
// B-frames looked for behind a key frame.
constexpr int kLongestRun = 16;
// A chunk this short holds a picture not coded (as packed B-frames leave
// behind them), no other.
constexpr std::uint32_t kNotCodedBytes = 19;
// Pictures and key frames listed: a week of pictures, a million key frames.
constexpr int kMostPictures = 1 << 24;
constexpr std::size_t kMostKeyFrames = std::size_t(1) << 20;

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

// The coding type of the first picture in a chunk's first bytes: 0 intra,
// 1 predicted, 2 bidirectional, 3 sprite; -1 for none.
int PictureType(const std::uint8_t* Data, std::size_t Size) {
  for (std::size_t i = 0; i + 4 < Size; ++i)
    if (Data[i] == 0 && Data[i + 1] == 0 && Data[i + 2] == 1 && Data[i + 3] == 0xB6) return Data[i + 4] >> 6;
  return -1;
}

// The place among the streams of the first MPEG-4 part 2 video stream,
// or -1.
int Mpeg4VideoStream(const TAviFile& File) {
  for (std::size_t i = 0; i < File.Streams.size(); ++i)
    if (File.Streams[i].Kind == Fourcc("vids") && IsMpeg4Part2(Upper(File.Streams[i].Compression))) return int(i);
  return -1;
}

}  // namespace

TAviKeyFrames AviKeyFrames(const TReadAt& Read, std::uint64_t FileSize) {
  const std::optional<TAviFile> file = ReadAviFile(Read, FileSize);
  const int stream = file ? Mpeg4VideoStream(*file) : -1;
  if (stream < 0) return {};
  TAviKeyFrames found;
  found.Mpeg4 = true;
  const TRiffReader r(Read, FileSize);
  const std::uint32_t compressed = AviChunkId(stream, "dc"), plain = AviChunkId(stream, "db");
  int place = 0;
  bool counting = false;  // the B-frames behind the last key frame
  std::uint8_t head[kHeadBytes];
  const TAviIndex index = ReadAviIndex(r, *file, stream, [&](const TAviIndexEntry& Entry) {
    if (Entry.Id != compressed && Entry.Id != plain) return true;
    if (Entry.Key) {
      found.KeyFrames.push_back({place, 0});
      counting = true;
    } else if (counting) {
      const std::size_t size = std::min<std::size_t>(Entry.Size, kHeadBytes);
      const int type = r.Bytes(Entry.At, head, size) ? PictureType(head, size) : -1;
      int& run = found.KeyFrames.back().Run;
      // Packed B-frames: the last stored with its anchor, a picture not
      // coded in the anchor's place.
      if (type >= 0 && type != 2 && Entry.Size <= kNotCodedBytes) ++run;
      counting = type == 2 && ++run < kLongestRun;
    }
    return ++place < kMostPictures && found.KeyFrames.size() < kMostKeyFrames;
  });
  found.Indexed = index != TAviIndex::None && !found.KeyFrames.empty();
  if (!found.Indexed) found.KeyFrames.clear();
  return found;
}
