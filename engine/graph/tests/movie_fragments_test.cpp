// Where the samples of an MP4 written in fragments end, read from files
// built here byte by byte: from the last fragments, found through the
// fragments' index at the file's end or by the boxes on its top level;
// broken or hostile files end where their last whole fragments end, and
// no run is believed to hold more samples than the file holds.
#include "engine/graph/movie_fragments.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace iso_test;

// Picture alone, 25 frames per second (512 units of 12800).
Bytes Pictures(const std::vector<Fragment>& Fragments, const std::vector<Listing>& Index = {}) {
  return Fragmented(FragmentedTrack(1, "vide", 12800), TrackDefaults(1, 512), Fragments, Index);
}
// Picture (track 1, 25 frames per second) and sound (track 2, 1000 units a
// second, 20 each).
Bytes PictureAndSound(const std::vector<Fragment>& Fragments, const std::vector<Listing>& Index = {}) {
  return Fragmented(Join({FragmentedTrack(1, "vide", 12800), FragmentedTrack(2, "soun", 1000)}),
                    Join({TrackDefaults(1, 512), TrackDefaults(2, 20)}), Fragments, Index);
}

// Reads File as ReaderOf does, counting the reads.
struct CountedReads {
  explicit CountedReads(const Bytes& File) : File(File) {}
  std::int64_t End() {
    const TReadAt read = ReaderOf(File);
    return IsoMediaFragmentsEnd(
        [&](std::uint64_t At, void* Buffer, std::size_t Count) {
          ++Reads;
          return read(At, Buffer, Count);
        },
        File.size()).End;
  }
  const Bytes& File;
  int Reads = 0;
};

std::int64_t FragmentsEnd(const Bytes& File) { return IsoMediaFragmentsEnd(ReaderOf(File), File.size()).End; }

// A box's contents, without its size and type.
Bytes ContentsOf(const Bytes& Box) { return Bytes(Box.begin() + 8, Box.end()); }

// Writes V at At of File, big-endian.
void Poke32(Bytes& File, std::size_t At, std::uint32_t V) {
  for (int i = 0; i < 4; ++i) File[At + std::size_t(i)] = std::uint8_t(V >> (24 - 8 * i));
}

// 100-ns units: a picture of 25 per second is 400000.
TEST(FragmentsEnd, TheLatestSampleOfAnyTrackEndsTheMovie) {
  const struct {
    const char* Name;
    Bytes File;
    std::int64_t Expected;
  } cases[] = {
      // 300 frames in two fragments, at frames 0 and 250: 12 s.
      {"decode times and durations", Pictures({{{1, 0, 250, 512}}, {{1, 128000, 50, 512}}}), 120000000},
      {"the movie's default duration", Pictures({{{1, 0, 250}}, {{1, 128000, 50}}}), 120000000},
      {"one fragment after the other", Pictures({{{1, -1, 250, 512}}, {{1, -1, 50, 512}}}), 120000000},
      {"a decode time in the first fragment only", Pictures({{{1, 25600, 250, 512}}, {{1, -1, 50, 512}}}), 140000000},
      {"a fragment's own duration", Pictures({{{.Id = 1, .Decode = 0, .Count = 25, .Alike = 1024}}}), 20000000},
      {"one sample alike", Pictures({{{.Id = 1, .Decode = 0, .Count = 1, .Alike = 1024}}}), 800000},
      {"one sample listed", Pictures({{{1, 0, 1, 512}}}), 400000},
      {"no samples alike beside the picture",
       PictureAndSound({{{1, 0, 100, 512}, {.Id = 2, .Decode = 0, .Count = 0, .Alike = 20}}}), 40000000},
      // 2^32 units and 12 s: a decode time read whole.
      {"a 64-bit decode time",
       Pictures({{{.Id = 1, .Decode = 4295095296, .Count = 50, .Duration = 512, .Wide = true}}}), 3355563200000},
      // The last picture shown two frames after its decode time, or one
      // before it.
      {"composition offsets", Pictures({{{1, 128000, 50, 512, 1024}}}), 120800000},
      {"negative offsets", Pictures({{{1, 128000, 50, 512, -512}}}), 119600000},
      // Sound of 6 s (fragments of 3 s) beside 4 s of picture, in every
      // fragment after it, and 8 s of picture after sound of 6 s.
      {"picture and sound in every fragment",
       PictureAndSound({{{1, 0, 50, 512}, {2, 0, 150}}, {{1, 25600, 50, 512}, {2, 3000, 150}}}), 60000000},
      {"sound first in every fragment",
       PictureAndSound({{{2, 0, 150}, {1, 0, 100, 512}}, {{2, 3000, 150}, {1, 51200, 100, 512}}}), 80000000},
      // Samples alike that last nothing: the other track's end.
      {"like samples of no duration",
       PictureAndSound({{{1, 0, 100, 512}, {.Id = 2, .Decode = 0, .Count = 300, .Alike = 0}}}), 40000000},
      {"a track the movie does not list", Pictures({{{1, 0, 25, 512}}, {{7, 0, 900, 512}}}), 10000000},
      {"a track fragment without a run",
       PictureAndSound({{{1, 0, 100, 512}, {.Id = 2, .Decode = 0, .Count = 0, .NoRun = true}}}), 40000000},
      // Ten samples of a second each.
      {"a time scale of 1", Fragmented(FragmentedTrack(1, "vide", 1), TrackDefaults(1, 1), {{{1, 0, 10}}}), 100000000},
      // A box after the defaults whose bytes would read as track 1's
      // samples lasting 1024.
      {"another box beside the defaults",
       Fragmented(FragmentedTrack(1, "vide", 12800),
                  Join({TrackDefaults(1, 512), Box("free", ContentsOf(TrackDefaults(1, 1024)))}), {{{1, 0, 25}}}),
       10000000},
      // More than a fragment read in one piece.
      {"a fragment too large to hold", Pictures({{{.Id = 1, .Decode = 0, .Count = 600000, .Duration = 20, .Size = 1}}}),
       9375000000},
      // Its box ends two bytes into the time scale (what follows is no
      // box): the track has no time scale, and no end.
      {"a media header too short for its time scale",
       [] {
         Bytes file = Pictures({{{1, 0, 25, 512}}});
         file[std::string(file.begin(), file.end()).find("mdhd") - 1] = 8 + 4 + 8 + 2;
         return file;
       }(),
       0},
      {"version-1 track and media headers",
       Fragmented(FragmentedTrack(1, "vide", 12800, true), TrackDefaults(1, 512), {{{1, 0, 250, 512}}}), 100000000},
      {"not in fragments", Movie({Track("vide", 12800, EditList({{6000, 1024}}))}), 0},
      {"empty", Bytes{}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FragmentsEnd(c.File), c.Expected) << c.Name;
}

// 200 fragments of 0.4 s of picture and sound, the sound of the last
// 20 ms longer (80.02 s), and the fragments' index at the end. Where
// the index shows the last fragments (a key picture two fragments before
// the end), only those are read; an index that cannot be believed, or
// fragments that tell their times only from the first, have the file's
// fragments read. The data of a fragment takes more than the system
// reads at once.
TEST(FragmentsEnd, TheIndexLeadsToTheLastFragments) {
  std::vector<Fragment> fragments;
  for (int f = 0; f < 200; ++f)
    fragments.push_back({{.Id = 1, .Decode = f * 5120, .Count = 10, .Duration = 512, .Size = 400},
                         {.Id = 2, .Decode = f * 400, .Count = f == 199 ? 21 : 20, .Size = 4}});
  std::vector<Fragment> untimed = fragments;
  for (Fragment& f : untimed)
    for (Traf& r : f) r.Decode = -1;
  const std::vector<int> keys{0, 50, 100, 150, 198}, every{0, 40, 80, 120, 160, 190};
  const Bytes indexed = PictureAndSound(fragments, {{1, keys}});
  Bytes elsewhere = indexed;  // the last place listed is the data box after it
  const std::size_t lastPlace = elsewhere.size() - 16 - 3 - 4;
  Poke32(elsewhere, lastPlace, std::uint32_t(std::string(elsewhere.begin(), elsewhere.end()).rfind("mdat") - 4));
  Bytes tooMany = indexed;  // the index claims an entry more than it holds
  tooMany[std::string(tooMany.begin(), tooMany.end()).rfind("tfra") + 19] += 1;
  Bytes tooLong = indexed;  // the index's size beyond the file
  Poke32(tooLong, tooLong.size() - 4, std::uint32_t(tooLong.size() + 1));
  const struct {
    const char* Name;
    Bytes File;
    int MostReads;
  } cases[] = {
      {"the picture listed", indexed, 12},
      {"64-bit entries and numbers of 4 bytes", PictureAndSound(fragments, {{1, keys, true, 0x3F}}), 12},
      {"the sound listed up to an earlier fragment", PictureAndSound(fragments, {{1, keys}, {2, every, true}}), 30},
      {"the sound's list empty", PictureAndSound(fragments, {{1, keys}, {2, {}}}), 12},
      {"no index", PictureAndSound(fragments), 1000},
      {"no decode times", PictureAndSound(untimed, {{1, keys}}), 1000},
      {"a listed place that is no fragment", elsewhere, 1000},
      {"an index claiming an entry more", tooMany, 1000},
      {"an index larger than the file", tooLong, 1000},
  };
  for (const auto& c : cases) {
    CountedReads file(c.File);
    EXPECT_EQ(file.End(), 800200000) << c.Name;
    EXPECT_LE(file.Reads, c.MostReads) << c.Name;
  }
}

// Where the box of type Type begins in File after its Nth fragment box
// begins (the Nth fragment box itself for "moof").
std::size_t BoxIn(const Bytes& File, int Nth, const char* Type) {
  const std::string text(File.begin(), File.end());
  std::size_t at = 0;
  for (int n = 0; n <= Nth; ++n) at = text.find("moof", at + 1);
  return text.find(Type, at) - 4;
}

// A file cut anywhere ends where its last whole fragment with all of its
// data ends. Nothing outside the file is read.
TEST(FragmentsEnd, AFileCutShortEndsWithItsLastWholeFragment) {
  const Bytes good = Pictures({{{1, 0, 250, 512}}, {{1, 128000, 50, 512}}});
  const auto DataEnd = [&](int Nth) {
    const std::size_t data = BoxIn(good, Nth, "mdat");
    return data + (std::size_t(good[data + 2]) << 8 | good[data + 3]);
  };
  const std::size_t first = DataEnd(0), second = DataEnd(1);
  ASSERT_EQ(second, good.size());
  for (std::size_t cut = 0; cut <= good.size(); ++cut) {
    const std::int64_t expected = cut < first ? 0 : cut < second ? 100000000 : 120000000;
    EXPECT_EQ(FragmentsEnd(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut))), expected) << "cut at " << cut;
  }
}

// A fragment that is broken or claims more than the file holds ends the
// movie before it: the last one of fragments that tell their decode
// times (the fragments before it tell the end), the middle one of
// fragments of which it alone tells its time (the last one, placed after
// it, cannot be placed). Fragments at frames 0, 250 and 300, of 250, 50
// and 25 frames; the picture's samples of 4 bytes listed one by one, or
// alike.
TEST(FragmentsEnd, ABrokenFragmentEndsTheMovieBeforeIt) {
  const auto File = [](bool Timed, bool Alike) {
    std::vector<Fragment> fragments;
    for (const auto& [decode, count] : {std::pair{0, 250}, {128000, 50}, {153600, 25}}) {
      const std::int64_t time = Timed || decode == 128000 ? decode : -1;
      fragments.push_back({Alike ? Traf{.Id = 1, .Decode = time, .Count = count, .Alike = 512}
                                 : Traf{.Id = 1, .Decode = time, .Count = count, .Duration = 512}});
    }
    return Pictures(fragments);
  };
  // A run's count at its box's 12th byte, its data offset at the 16th; a
  // track fragment header's flags at its 8th.
  const struct {
    const char* Name;
    bool Alike;
    void (*Break)(Bytes& File, int Nth);
  } cases[] = {
      {"a run of 2^32-1 samples listed", false, [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 12, ~0u); }},
      {"a run of 2^32-1 samples alike", true, [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 12, ~0u); }},
      {"samples alike, one more than the data hold", true,
       [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 12, N == 1 ? 51 : 26); }},
      // Samples of no bytes take a byte each.
      {"samples alike of no bytes, more than the file holds", true,
       [](Bytes& F, int N) {
         Poke32(F, BoxIn(F, N, "tfhd") + 20, 0);
         Poke32(F, BoxIn(F, N, "trun") + 12, std::uint32_t(F.size()));
       }},
      {"a sample larger than the file", false,
       [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 24, ~0u); }},
      {"data before the file's start", false, [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 16, 1u << 31); }},
      {"data beyond the file's end", false, [](Bytes& F, int N) { Poke32(F, BoxIn(F, N, "trun") + 16, 1u << 30); }},
      // The header announces the data's 64-bit base, then defaults, that
      // its box does not hold.
      {"a header without its data's base", false, [](Bytes& F, int N) { F[BoxIn(F, N, "tfhd") + 11] |= 0x1; }},
      {"a header without its defaults", false, [](Bytes& F, int N) { F[BoxIn(F, N, "tfhd") + 11] |= 0x18; }},
      {"no track fragment header", false, [](Bytes& F, int N) { F[BoxIn(F, N, "tfhd") + 4] = 'x'; }},
      // A decode time box of version 1 that holds 32 bits.
      {"a decode time too short for 64 bits", false, [](Bytes& F, int N) { F[BoxIn(F, N, "tfdt") + 8] = 1; }},
      {"a run larger than its fragment", false, [](Bytes& F, int N) { F[BoxIn(F, N, "trun") + 2] += 1; }},
      // The run's box ends after its count, the rest a box of its own.
      {"a run too short for its data's offset", false,
       [](Bytes& F, int N) {
         const std::size_t run = BoxIn(F, N, "trun");
         const std::uint32_t size = std::uint32_t(F[run + 2]) << 8 | F[run + 3];
         Poke32(F, run, 16);
         Poke32(F, run + 16, size - 16);
         std::memcpy(&F[run + 20], "free", 4);
       }},
      {"a run cut before its count", false,
       [](Bytes& F, int N) {
         const std::size_t run = BoxIn(F, N, "trun");
         F[run + 3] = 12;  // a box of 4 bytes: no count
       }},
  };
  for (const auto& c : cases) {
    Bytes timed = File(true, c.Alike), untimed = File(false, c.Alike);
    ASSERT_EQ(FragmentsEnd(timed), 130000000) << c.Name;
    ASSERT_EQ(FragmentsEnd(untimed), 130000000) << c.Name;
    c.Break(timed, 2);
    c.Break(untimed, 1);
    EXPECT_EQ(FragmentsEnd(timed), 120000000) << c.Name << ", the last fragment";
    EXPECT_EQ(FragmentsEnd(untimed), 100000000) << c.Name << ", the middle fragment timed alone";
  }
  // A decode time beyond any movie.
  EXPECT_EQ(FragmentsEnd(Pictures({{{1, 0, 250, 512}}, {{.Id = 1, .Decode = INT64_MAX, .Count = 50, .Duration = 512,
                                                           .Wide = true}}})),
            100000000);
}

// A file that fails to read a place (a damaged disk) ends the movie where
// the fragments before that place end: fragments of 250, 1,100 and 25
// frames, the middle one's box larger than a page; its box unreadable
// past its first page, or its data box's header unreadable. Fragments
// that tell their decode times place the last one without the middle.
TEST(FragmentsEnd, AFileThatFailsToReadAPlaceEndsBeforeIt) {
  const auto File = [](bool Timed) {
    return Pictures({{{1, Timed ? 0 : -1, 250, 512}}, {{1, Timed ? 128000 : -1, 1100, 512}},
                     {{1, Timed ? 691200 : -1, 25, 512}}});
  };
  const struct {
    const char* Name;
    std::size_t (*Place)(const Bytes& File);
    std::int64_t Timed, Untimed;
  } cases[] = {
      {"the middle fragment past its first page", [](const Bytes& F) { return BoxIn(F, 1, "moof") + 5000; }, 550000000,
       100000000},
      {"the middle fragment's data box", [](const Bytes& F) { return BoxIn(F, 1, "mdat"); }, 540000000, 540000000},
  };
  for (const auto& c : cases)
    for (const bool timed : {true, false}) {
      const Bytes file = File(timed);
      ASSERT_EQ(FragmentsEnd(file), 550000000) << c.Name;
      const std::size_t place = c.Place(file);
      const TReadAt read = ReaderOf(file);
      const std::int64_t end = IsoMediaFragmentsEnd(
          [&](std::uint64_t At, void* Buffer, std::size_t Count) {
            return (At > place || At + Count <= place) && read(At, Buffer, Count);
          },
          file.size()).End;
      EXPECT_EQ(end, timed ? c.Timed : c.Untimed) << c.Name << (timed ? ", timed" : ", untimed");
    }
}

// The top level is walked to the file's end however many boxes it holds
// before the fragment: over a million (2^19 boxes and more were once not
// looked at).
TEST(FragmentsEnd, TheTopLevelIsWalkedToTheFilesEnd) {
  for (const int boxes : {524289, 1100000}) {
    const Bytes movie = Pictures({{{1, 0, 25, 512}}});
    const std::size_t first = BoxIn(movie, 0, "moof");
    Bytes file(movie.begin(), movie.begin() + std::ptrdiff_t(first));
    for (int i = 3; i < boxes; ++i) file.insert(file.end(), {0, 0, 0, 8, 'f', 'r', 'e', 'e'});
    file.insert(file.end(), movie.begin() + std::ptrdiff_t(first), movie.end());
    EXPECT_EQ(FragmentsEnd(file), 10000000) << boxes << " boxes";
  }
}

// A walk given 16 reads over the top level of 3000 fragments of a frame
// each (120 s, about 80 pages) stops short: its end is an estimate, the
// time of the fragments walked grown in proportion to the bytes from the
// first fragment to the file's end, and from the first fragment's own
// decode time in a movie that starts 1 h in. The index leads to the end
// within the reads; an index that lists only the first fragment does not,
// and the walk from the start gives the estimate. Without a bound, the
// walk tells the end.
TEST(FragmentsEnd, AWalkBoundedInItsReadsEstimatesTheEnd) {
  const auto Frames = [](std::int64_t First) {
    std::vector<Fragment> fragments;
    for (int f = 0; f < 3000; ++f) fragments.push_back({{1, First + f * 512, 1, 512}});
    return fragments;
  };
  const struct {
    const char* Name;
    Bytes File;
    bool Whole;
    std::int64_t End;
    int MostReads;
  } cases[] = {
      // The walk's 16 reads, and those of the movie's header, of the place
      // of an index, and of the first and the last fragment walked.
      {"no index", Pictures(Frames(0)), false, 1200000000, 20},
      {"from 1 h on", Pictures(Frames(3600 * 12800)), false, 37200000000, 20},
      {"the last fragment listed", Pictures(Frames(0), {{1, {0, 2999}}}), true, 1200000000, 4},
      // Both walks, and the index's list.
      {"only the first fragment listed", Pictures(Frames(0), {{1, {0}}}), false, 1200000000, 38},
  };
  for (const auto& c : cases) {
    int reads = 0;
    const TReadAt read = ReaderOf(c.File);
    const TFragmentsEnd bounded = IsoMediaFragmentsEnd(
        [&](std::uint64_t At, void* Buffer, std::size_t Count) {
          ++reads;
          return read(At, Buffer, Count);
        },
        c.File.size(), 16);
    EXPECT_EQ(bounded.Whole, c.Whole) << c.Name;
    EXPECT_NEAR(double(bounded.End), double(c.End), 400000) << c.Name << ": within a frame";
    EXPECT_LE(reads, c.MostReads) << c.Name;
    EXPECT_EQ(FragmentsEnd(c.File), c.End) << c.Name << ", walked whole";
  }
}

}  // namespace
