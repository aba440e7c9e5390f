// Prints what finding the end of a long MP4 written one fragment per frame
// costs at an opening: the reads asked of the file, the bytes they
// brought and the time, for ten minutes and two hours of 25 frames a
// second with sound beside the picture, with the fragments' random-access
// index at the file's end and without it. The file is written to a
// temporary file and read through the C library, one call a read.
//
//   bench_fragments [minutes...]   the movies' lengths (default: 10 120)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/graph/movie_fragments.h"
#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace iso_test;

constexpr std::uint32_t kVideoScale = 12800, kFrame = 512;  // 25 frames a second
constexpr std::uint32_t kSoundScale = 48000, kSoundFrame = 1920;
constexpr int kKeyEvery = 250;  // a key frame every 10 s
constexpr std::size_t kPictureBytes = 400, kSoundBytes = 100;

// A track fragment of one run: its samples' data at Offset from the
// fragment box, each sample's duration and size listed.
Bytes TrackFragment(std::uint32_t Id, std::uint64_t Decode, std::uint32_t Offset, std::uint32_t Duration,
                    std::size_t Size) {
  Bytes header, decode, run;
  Put32(header, 0x20000);  // the data's offsets from the fragment box
  Put32(header, Id);
  Put32(decode, 0x01000000);
  Put64(decode, Decode);
  Put32(run, 0x301);
  Put32(run, 1);
  Put32(run, Offset);
  Put32(run, Duration);
  Put32(run, std::uint32_t(Size));
  return Box("traf", Join({Box("tfhd", header), Box("tfdt", decode), Box("trun", run)}));
}

// Frames pictures with their sound, one fragment each, and the index of
// every key frame's fragment when Indexed.
Bytes Movie(int Frames, bool Indexed) {
  const Bytes defaults = Join({TrackDefaults(1, kFrame), TrackDefaults(2, kSoundFrame)});
  Bytes file = Join({Box("ftyp", Bytes(8, 0)),
                     Box("moov", Join({Header("mvhd", 1000), FragmentedTrack(1, "vide", kVideoScale),
                                       FragmentedTrack(2, "soun", kSoundScale), Box("mvex", defaults)}))});
  std::vector<std::uint64_t> keys;
  for (int f = 0; f < Frames; ++f) {
    if (f % kKeyEvery == 0) keys.push_back(file.size());
    // The fragment box's size does not depend on the offsets it holds.
    const auto Fragment = [&](std::uint32_t Data) {
      Bytes sequence;
      Put32(sequence, 0);
      Put32(sequence, std::uint32_t(f + 1));
      return Box("moof", Join({Box("mfhd", sequence),
                               TrackFragment(1, std::uint64_t(f) * kFrame, Data, kFrame, kPictureBytes),
                               TrackFragment(2, std::uint64_t(f) * kSoundFrame, Data + kPictureBytes, kSoundFrame,
                                             kSoundBytes)}));
    };
    const std::size_t size = Fragment(0).size();
    for (const Bytes& box : {Fragment(std::uint32_t(size + 8)), Box("mdat", Bytes(kPictureBytes + kSoundBytes, 0x5A))})
      file.insert(file.end(), box.begin(), box.end());
  }
  if (!Indexed) return file;
  Bytes index;
  for (std::uint32_t id : {1u, 2u}) {
    Bytes entries;
    Put32(entries, 0x01000000);
    Put32(entries, id);
    Put32(entries, 0);  // one byte each for the fragment, run and sample numbers
    Put32(entries, std::uint32_t(keys.size()));
    for (std::size_t k = 0; k < keys.size(); ++k) {
      Put64(entries, k * kKeyEvery * (id == 1 ? kFrame : kSoundFrame));
      Put64(entries, keys[k]);
      entries.insert(entries.end(), {1, 1, 1});
    }
    index = Join({index, Box("tfra", entries)});
  }
  Bytes tail;
  Put32(tail, 0);
  Put32(tail, std::uint32_t(index.size() + 8 + 16));
  return Join({file, Box("mfra", Join({index, Box("mfro", tail)}))});
}

void Measure(int Minutes, bool Indexed) {
  const int frames = Minutes * 60 * 25;
  const Bytes movie = Movie(frames, Indexed);
  std::FILE* file = std::tmpfile();
  if (file == nullptr || std::fwrite(movie.data(), 1, movie.size(), file) != movie.size()) {
    std::printf("cannot write a temporary file\n");
    std::exit(1);
  }
  std::fflush(file);
  long reads = 0;
  std::uint64_t bytes = 0;
  const TReadAt read = [&](std::uint64_t At, void* Buffer, std::size_t Count) {
    ++reads;
    bytes += Count;
    return std::fseek(file, long(At), SEEK_SET) == 0 && std::fread(Buffer, 1, Count, file) == Count;
  };
  const auto start = std::chrono::steady_clock::now();
  const std::int64_t end = IsoMediaFragmentsEnd(read, movie.size());
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%4d min, %6d fragments, %s index, %6.1f MB: %7ld reads, %9.1f KB read, %8.2f ms; end %.2f s\n",
              Minutes, frames, Indexed ? "with an   " : "without an", movie.size() / 1048576.0, reads,
              bytes / 1024.0, ms, end / 1e7);
  std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> minutes;
  for (int i = 1; i < argc; ++i) minutes.push_back(std::atoi(argv[i]));
  if (minutes.empty()) minutes = {10, 120};
  for (const int m : minutes)
    for (const bool indexed : {true, false}) Measure(m, indexed);
  return 0;
}
