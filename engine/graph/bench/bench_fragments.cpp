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
constexpr std::uint32_t kPictureBytes = 400, kSoundBytes = 100;

// Frames pictures with their sound, one fragment each, and the index of
// every key frame's fragment when Indexed.
Bytes LongMovie(int Frames, bool Indexed) {
  std::vector<Fragment> fragments;
  std::vector<int> keys;
  for (int f = 0; f < Frames; ++f) {
    if (f % kKeyEvery == 0) keys.push_back(f);
    fragments.push_back({{.Id = 1, .Decode = std::int64_t(f) * kFrame, .Count = 1, .Size = kPictureBytes},
                         {.Id = 2, .Decode = std::int64_t(f) * kSoundFrame, .Count = 1, .Size = kSoundBytes}});
  }
  return Fragmented(Join({FragmentedTrack(1, "vide", kVideoScale), FragmentedTrack(2, "soun", kSoundScale)}),
                    Join({TrackDefaults(1, kFrame), TrackDefaults(2, kSoundFrame)}), fragments,
                    Indexed ? std::vector<Listing>{{1, keys, true}, {2, keys, true}} : std::vector<Listing>{});
}

void Measure(int Minutes, bool Indexed) {
  const int frames = Minutes * 60 * 25;
  const Bytes movie = LongMovie(frames, Indexed);
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
