// The readers of every opened movie's headers: the input's bytes as a
// whole file through the MP4 edit list reader, the fragmented MP4's end
// reader and the AVI key frame reader, then again through a file that
// stops answering after some reads (a file cut off while it is read).
// Contracts: no read is asked for outside the file; each answer is the
// same for the same bytes; a file without a movie box starts at 0 and a
// file that is not an AVI tells nothing of its key frames; a start lies
// within the readers' bound of a billion seconds either way; a file
// without fragment boxes or without the movie's fragment defaults has no
// fragments' end, and an end is never negative nor past the bound; key
// frames are listed only for an indexed MPEG-4 stream, in the order of
// their places, each with at most 16 B-frames behind it.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/graph/movie_fragments.h"
#include "engine/graph/movie_start.h"
#include "fuzz/fuzz_support.h"

namespace {

// Reads the input as a file; with Budget >= 0 the file answers that many
// reads and refuses the rest.
TReadAt FileOf(const std::uint8_t* Data, std::size_t Size, long& Budget) {
  return [Data, Size, &Budget](std::uint64_t At, void* Buffer, std::size_t Count) {
    LC_FUZZ_CHECK(At <= Size && Count <= Size - At);
    if (Budget == 0) return false;
    if (Budget > 0) --Budget;
    if (Count > 0) std::memcpy(Buffer, Data + At, Count);
    return true;
  };
}

void CheckKeyFrames(const TAviKeyFrames& Found) {
  LC_FUZZ_CHECK(Found.Mpeg4 || !Found.Indexed);
  LC_FUZZ_CHECK(Found.Indexed == !Found.KeyFrames.empty());
  int place = -1;
  for (const TKeyFrame& k : Found.KeyFrames) {
    LC_FUZZ_CHECK(k.Place > place && k.Run >= 0 && k.Run <= 16);
    place = k.Place;
  }
}

constexpr std::int64_t kBound = (1000000000LL + 1) * 10000000LL;

void CheckStart(std::int64_t Start) { LC_FUZZ_CHECK(Start >= -kBound && Start <= kBound); }

void CheckEnd(std::int64_t End) { LC_FUZZ_CHECK(End >= 0 && End <= kBound); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  long unlimited = -1;
  const TReadAt file = FileOf(data, size, unlimited);
  const std::int64_t start = IsoMediaPictureStart(file, size);
  const TAviKeyFrames keys = AviKeyFrames(file, size);
  const std::int64_t end = IsoMediaFragmentsEnd(file, size);
  CheckStart(start);
  CheckKeyFrames(keys);
  CheckEnd(end);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.find("moov") == bytes.npos) LC_FUZZ_CHECK(start == 0);
  if (bytes.find("moof") == bytes.npos || bytes.find("mvex") == bytes.npos) LC_FUZZ_CHECK(end == 0);
  LC_FUZZ_CHECK(IsoMediaFragmentsEnd(file, size) == end);
  if (size < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "AVI ") LC_FUZZ_CHECK(!keys.Mpeg4);
  LC_FUZZ_CHECK(IsoMediaPictureStart(file, size) == start);
  const TAviKeyFrames again = AviKeyFrames(file, size);
  LC_FUZZ_CHECK(again.Mpeg4 == keys.Mpeg4 && again.Indexed == keys.Indexed && again.KeyFrames == keys.KeyFrames);

  // A file that stops answering part way: the readers take what they
  // read as the file's end.
  long budget = long(size % 61);
  const TReadAt cut = FileOf(data, size, budget);
  CheckStart(IsoMediaPictureStart(cut, size));
  budget = long(size % 61);
  CheckKeyFrames(AviKeyFrames(cut, size));
  budget = long(size % 61);
  CheckEnd(IsoMediaFragmentsEnd(cut, size));
  return 0;
}
