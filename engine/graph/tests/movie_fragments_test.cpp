// Where the samples of an MP4 written in fragments end, read from files
// built here byte by byte; broken or hostile ones end where their whole
// fragments end.
#include "engine/graph/movie_fragments.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace iso_test;

// A track fragment of track Id with one run of Count samples: Decode its
// decode time (none when negative; 64 bits when Wide), each sample's
// duration in the run when Duration is not 0 (else the defaults'), Offset
// its composition offset when not 0 (signed when negative). A fragment
// with a Default duration of its own has samples alike: its run lists
// none.
struct Run {
  std::uint32_t Id;
  std::int64_t Decode;
  int Count;
  std::uint32_t Duration;
  std::int32_t Offset = 0;
  bool Wide = false;
  std::uint32_t Default = 0;
};
Bytes TrackFragment(const Run& R) {
  Bytes header, decode, run;
  Put32(header, R.Default ? 0x8u : 0u);
  Put32(header, R.Id);
  if (R.Default) Put32(header, R.Default);
  Put32(decode, R.Wide ? 0x01000000u : 0u);
  if (R.Wide) Put32(decode, std::uint32_t(R.Decode >> 32));
  Put32(decode, std::uint32_t(R.Decode));
  Put32(run, (R.Offset < 0 ? 0x01000000u : 0u) | 0x1u | (R.Default ? 0u : 0x200u) | (R.Duration ? 0x100u : 0u) |
                 (R.Offset ? 0x800u : 0u));
  Put32(run, std::uint32_t(R.Count));
  Put32(run, 0);  // data offset
  for (int i = 0; i < R.Count; ++i)
    for (std::uint32_t v : {R.Duration, R.Default ? 0u : 100u, std::uint32_t(R.Offset)})  // duration, size, offset
      if (v != 0) Put32(run, v);
  return Box("traf", Join({Box("tfhd", header), R.Decode >= 0 ? Box("tfdt", decode) : Bytes{}, Box("trun", run)}));
}
// The movie with its tracks and their defaults, then each fragment and its
// data.
Bytes Fragmented(const Bytes& Tracks, const Bytes& Defaults, std::initializer_list<Bytes> Fragments) {
  const Bytes moov = Box("moov", Join({Header("mvhd", 1000), Tracks, Box("mvex", Defaults)}));
  Bytes file = Join({Box("ftyp", Bytes(8, 0)), moov});
  for (const Bytes& f : Fragments)
    file = Join({file, Box("moof", Join({Box("mfhd", Bytes(8, 0)), f})), Box("mdat", Bytes(16, 0))});
  return file;
}
// Picture alone, 25 frames per second (512 units of 12800).
Bytes Pictures(std::initializer_list<Bytes> Fragments) {
  return Fragmented(FragmentedTrack(1, "vide", 12800), TrackDefaults(1, 512), Fragments);
}
std::int64_t FragmentsEnd(const Bytes& File) { return IsoMediaFragmentsEnd(ReaderOf(File), File.size()); }

// 300 frames in two fragments, at frames 0 and 250: 12 s, 100-ns units.
TEST(FragmentsEnd, TheLatestSampleOfAnyTrackEndsTheMovie) {
  const Bytes sound = Join({FragmentedTrack(1, "vide", 12800), FragmentedTrack(2, "soun", 44100)});
  const struct {
    const char* Name;
    Bytes File;
    std::int64_t Expected;
  } cases[] = {
      {"decode times and durations", Pictures({TrackFragment({1, 0, 250, 512}), TrackFragment({1, 128000, 50, 512})}),
       120000000},
      {"the movie's default duration", Pictures({TrackFragment({1, 0, 250, 0}), TrackFragment({1, 128000, 50, 0})}),
       120000000},
      {"one fragment after the other", Pictures({TrackFragment({1, -1, 250, 512}), TrackFragment({1, -1, 50, 512})}),
       120000000},
      {"a fragment's own default duration", Pictures({TrackFragment({1, 0, 25, 0, 0, false, 1024})}), 20000000},
      {"a 64-bit decode time", Pictures({TrackFragment({1, 128000, 50, 512, 0, true})}), 120000000},
      // The last picture shown two frames after its decode time, or one
      // before it.
      {"composition offsets", Pictures({TrackFragment({1, 128000, 50, 512, 1024})}), 120800000},
      {"negative offsets", Pictures({TrackFragment({1, 128000, 50, 512, -512})}), 119600000},
      // Sound of 12.5 s beside the picture of 12 s.
      {"the longer track",
       Fragmented(sound, Join({TrackDefaults(1, 512), TrackDefaults(2, 1024)}),
                  {Join({TrackFragment({1, 0, 300, 512}), TrackFragment({2, 0, 538, 1024})}),
                   TrackFragment({2, 550912, 1, 338})}),
       125000000},
      {"a track the movie does not list", Pictures({TrackFragment({1, 0, 25, 512}), TrackFragment({7, 0, 900, 512})}),
       10000000},
      // More than a fragment read in one piece.
      {"a fragment too large to hold", Pictures({TrackFragment({1, 0, 600000, 20})}), 9375000000},
      {"not in fragments", Movie({Track("vide", 12800, EditList({{6000, 1024}}))}), 0},
      {"empty", Bytes{}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FragmentsEnd(c.File), c.Expected) << c.Name;
}

// A file cut anywhere ends where its whole fragments end; a run that
// claims more samples than it holds, or a decode time beyond any movie,
// ends it at the fragments before. Nothing outside the file is read.
TEST(FragmentsEnd, BrokenFilesEndWhereTheirWholeFragmentsEnd) {
  const Bytes good = Pictures({TrackFragment({1, 0, 250, 512}), TrackFragment({1, 128000, 50, 512})});
  const std::string text(good.begin(), good.end());
  // A fragment box ends where the size before its type says.
  const auto End = [&](std::size_t Type) { return Type - 4 + (std::size_t(good[Type - 2]) << 8 | good[Type - 1]); };
  const std::size_t first = End(text.find("moof")), second = End(text.rfind("moof"));
  for (std::size_t cut = 0; cut <= good.size(); ++cut) {
    const std::int64_t expected = cut < first ? 0 : cut < second ? 100000000 : 120000000;
    EXPECT_EQ(FragmentsEnd(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut))), expected) << "cut at " << cut;
  }
  Bytes many = good;
  many[text.rfind("trun") + 8] = 0xFF;  // the second run claims 4 billion samples more
  EXPECT_EQ(FragmentsEnd(many), 100000000);
  EXPECT_EQ(FragmentsEnd(Pictures({TrackFragment({1, 0, 250, 512}), TrackFragment({1, INT64_MAX, 50, 512, 0, true})})),
            100000000);
}

}  // namespace
