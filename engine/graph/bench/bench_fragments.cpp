// Prints what finding the end of a long MP4 written one fragment per frame
// costs: the reads asked of the file, the bytes they brought and the time,
// for the opening's walk (bounded to kOpeningWalkReads reads; where it
// stops short, the end is an estimate) and for the walk to the file's end
// that then runs on a thread of its own, with the fragments' random-access
// index at the file's end and without it. The movies: ten minutes and two
// hours of picture and sound, each frame a fragment. The file is written
// to a temporary file and read through the C library, one call a read.
//
//   bench_fragments [--cold] [--fps N] [--bytes N] [minutes...]
//     --cold     empties the system's file cache before each walk (Linux,
//                as root: /proc/sys/vm/drop_caches), so that every read
//                comes from the disk
//     --fps N    frames a second (default 25)
//     --bytes N  bytes of each picture (default 400; the sound's are 100)
//     minutes    the movies' lengths (default: 10 120)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef __linux__
#include <unistd.h>
#endif

#include "engine/graph/movie_fragments.h"
#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace iso_test;

constexpr std::uint32_t kVideoScale = 90000;
constexpr std::uint32_t kSoundScale = 48000;
constexpr std::uint32_t kSoundBytes = 100;

struct Options {
  bool Cold = false;
  int Fps = 25;
  std::uint32_t PictureBytes = 400;
  std::vector<int> Minutes;
};

// Frames pictures with their sound, one fragment each, and the index of
// a key frame every 10 s when Indexed.
Bytes LongMovie(const Options& O, int Frames, bool Indexed) {
  const std::uint32_t frame = kVideoScale / std::uint32_t(O.Fps), soundFrame = kSoundScale / std::uint32_t(O.Fps);
  std::vector<Fragment> fragments;
  std::vector<int> keys;
  for (int f = 0; f < Frames; ++f) {
    if (f % (10 * O.Fps) == 0) keys.push_back(f);
    fragments.push_back({{.Id = 1, .Decode = std::int64_t(f) * frame, .Count = 1, .Size = O.PictureBytes},
                         {.Id = 2, .Decode = std::int64_t(f) * soundFrame, .Count = 1, .Size = kSoundBytes}});
  }
  return Fragmented(Join({FragmentedTrack(1, "vide", kVideoScale), FragmentedTrack(2, "soun", kSoundScale)}),
                    Join({TrackDefaults(1, frame), TrackDefaults(2, soundFrame)}), fragments,
                    Indexed ? std::vector<Listing>{{1, keys, true}, {2, keys, true}} : std::vector<Listing>{});
}

// Writes the file's pages to the disk and empties the system's file cache.
void DropCaches() {
#ifdef __linux__
  sync();
#endif
  std::FILE* drop = std::fopen("/proc/sys/vm/drop_caches", "w");
  if (drop == nullptr || std::fputs("3\n", drop) < 0 || std::fclose(drop) != 0) {
    std::printf("cannot empty the file cache (needs Linux and root)\n");
    std::exit(1);
  }
}

void Walk(std::FILE* File, std::uint64_t Size, const char* Name, int MostReads, bool Cold) {
  if (Cold) DropCaches();
  long reads = 0;
  std::uint64_t bytes = 0;
  const TReadAt read = [&](std::uint64_t At, void* Buffer, std::size_t Count) {
    ++reads;
    bytes += Count;
    return std::fseek(File, long(At), SEEK_SET) == 0 && std::fread(Buffer, 1, Count, File) == Count;
  };
  const auto start = std::chrono::steady_clock::now();
  const TFragmentsEnd end = IsoMediaFragmentsEnd(read, Size, MostReads);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("    %-14s %8ld reads, %10.1f KB, %9.2f ms; end %.2f s%s\n", Name, reads, bytes / 1024.0, ms,
              end.End / 1e7, end.Whole ? "" : " (estimated)");
}

void Measure(const Options& O, int Minutes, bool Indexed) {
  const int frames = Minutes * 60 * O.Fps;
  const Bytes movie = LongMovie(O, frames, Indexed);
  std::FILE* file = std::tmpfile();
  if (file == nullptr || std::fwrite(movie.data(), 1, movie.size(), file) != movie.size() || std::fflush(file) != 0) {
    std::printf("cannot write a temporary file\n");
    std::exit(1);
  }
  std::printf("%4d min, %7d fragments, %s index, %6.1f MB%s:\n", Minutes, frames, Indexed ? "with an   " : "without an",
              movie.size() / 1048576.0, O.Cold ? ", from the disk" : "");
  Walk(file, movie.size(), "at the opening", kOpeningWalkReads, O.Cold);
  Walk(file, movie.size(), "to the end", 0, O.Cold);
  std::fclose(file);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--cold")
      o.Cold = true;
    else if (a == "--fps" && i + 1 < argc)
      o.Fps = std::atoi(argv[++i]);
    else if (a == "--bytes" && i + 1 < argc)
      o.PictureBytes = std::uint32_t(std::atoi(argv[++i]));
    else
      o.Minutes.push_back(std::atoi(argv[i]));
  }
  if (o.Minutes.empty()) o.Minutes = {10, 120};
  if (o.Fps <= 0) o.Fps = 25;
  for (const int m : o.Minutes)
    for (const bool indexed : {true, false}) Measure(o, m, indexed);
  return 0;
}
