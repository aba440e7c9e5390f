// Where an MP4's picture starts in its own time stamps: the first video
// track's edit list, read from boxes built here byte by byte; anything
// else, broken or hostile, gives 0.
#include "engine/graph/movie_start.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& B, std::uint32_t V) {
  for (int s = 24; s >= 0; s -= 8) B.push_back(std::uint8_t(V >> s));
}
void Put64(Bytes& B, std::uint64_t V) {
  Put32(B, std::uint32_t(V >> 32));
  Put32(B, std::uint32_t(V));
}
Bytes Box(const char* Type, const Bytes& Contents) {
  Bytes b(8 + Contents.size());
  const std::uint32_t size = std::uint32_t(b.size());
  for (int i = 0; i < 4; ++i) {
    b[std::size_t(i)] = std::uint8_t(size >> (24 - 8 * i));
    b[std::size_t(4 + i)] = std::uint8_t(Type[i]);
  }
  std::copy(Contents.begin(), Contents.end(), b.begin() + 8);
  return b;
}
Bytes Join(std::initializer_list<Bytes> Parts) {
  Bytes b;
  for (const Bytes& p : Parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}
// A movie or media header of version 0 with its time scale.
Bytes Header(const char* Type, std::uint32_t Scale) {
  Bytes b;
  Put32(b, 0);      // version, flags
  Put32(b, 0);      // created
  Put32(b, 0);      // modified
  Put32(b, Scale);
  Put32(b, 0);      // duration
  return Box(Type, b);
}
Bytes Handler(const char* Kind) {
  Bytes b;
  Put32(b, 0);
  Put32(b, 0);
  b.insert(b.end(), Kind, Kind + 4);
  return Box("hdlr", b);
}
struct Edit {
  std::int64_t Duration, MediaTime;
};
Bytes EditList(const std::vector<Edit>& Edits, bool Wide = false) {
  Bytes b;
  Put32(b, Wide ? 0x01000000u : 0);
  Put32(b, std::uint32_t(Edits.size()));
  for (const Edit& e : Edits) {
    if (Wide) {
      Put64(b, std::uint64_t(e.Duration));
      Put64(b, std::uint64_t(e.MediaTime));
    } else {
      Put32(b, std::uint32_t(e.Duration));
      Put32(b, std::uint32_t(e.MediaTime));
    }
    Put32(b, 0x00010000);  // rate 1
  }
  return Box("edts", Box("elst", b));
}
Bytes Track(const char* Kind, std::uint32_t Scale, const Bytes& Edits) {
  return Box("trak", Join({Box("tkhd", Bytes(84, 0)), Edits,
                           Box("mdia", Join({Header("mdhd", Scale), Handler(Kind), Box("minf", {})}))}));
}
// ftyp, then the movie (time scale 1000) with its tracks, then the data.
Bytes Movie(std::initializer_list<Bytes> Tracks) {
  Bytes moov = Header("mvhd", 1000);
  for (const Bytes& t : Tracks) moov.insert(moov.end(), t.begin(), t.end());
  return Join({Box("ftyp", {'i', 's', 'o', 'm', 0, 0, 2, 0}), Box("moov", moov), Box("mdat", Bytes(32, 0))});
}

std::int64_t Start(const Bytes& File) {
  const TReadAt read = [&](std::uint64_t At, void* Buffer, std::size_t Count) {
    if (At > File.size() || Count > File.size() - At) return false;
    std::memcpy(Buffer, File.data() + At, Count);
    return true;
  };
  return IsoMediaPictureStart(read, File.size());
}

// 100-ns units: two frames of 25 per second are 800000.
TEST(MovieStart, TheFirstVideoTracksFirstEditGivesTheStart) {
  const struct {
    const char* Name;
    Bytes File;
    std::int64_t Expected;
  } cases[] = {
      // H.264 with B-frames as the common muxer writes it: media time 1024
      // of 12800 per second.
      {"two frames", Movie({Track("vide", 12800, EditList({{6000, 1024}}))}), 800000},
      {"64-bit edits", Movie({Track("vide", 90000, EditList({{6000, 7200}}, true))}), 800000},
      {"sound first", Movie({Track("soun", 44100, EditList({{6000, 1024}})), Track("vide", 25, EditList({{6000, 2}}))}),
       800000},
      {"a second video track is not read",
       Movie({Track("vide", 25, EditList({{6000, 1}})), Track("vide", 25, EditList({{6000, 2}}))}), 400000},
      // An empty edit of 100 ms of the movie's 1000 before media time 0: the
      // picture starts later.
      {"empty edit first", Movie({Track("vide", 12800, EditList({{100, -1}, {6000, 0}}))}), -1000000},
      {"empty edit and a delay", Movie({Track("vide", 12800, EditList({{80, -1}, {6000, 1024}}))}), 0},
      {"a third of a unit rounds", Movie({Track("vide", 3, EditList({{6000, 1}}))}), 3333333},
      {"no edit list", Movie({Track("vide", 12800, {})}), 0},
      {"no video", Movie({Track("soun", 44100, EditList({{6000, 1024}}))}), 0},
      {"only empty edits", Movie({Track("vide", 12800, EditList({{100, -1}}))}), 0},
      {"a negative media time", Movie({Track("vide", 12800, EditList({{6000, -2}}))}), 0},
      {"no media time scale", Movie({Track("vide", 0, EditList({{6000, 1024}}))}), 0},
      {"not ISO media", Bytes{'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'A', 'V', 'I', ' '}, 0},
      {"empty", Bytes{}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Start(c.File), c.Expected) << c.Name;
}

// The movie box may come last, and a box may give its size in 64 bits or
// run to the end of the file.
TEST(MovieStart, BoxesOfEveryKindOfSizeAreFollowed) {
  const Bytes track = Track("vide", 12800, EditList({{6000, 1024}}));
  const Bytes moov = Box("moov", Join({Header("mvhd", 1000), track}));
  // A 64-bit sized data box of 5 bytes before the movie.
  const Bytes big{0, 0, 0, 1, 'm', 'd', 'a', 't', 0, 0, 0, 0, 0, 0, 0, 16 + 5, 0, 0, 0, 0, 0};
  EXPECT_EQ(Start(Join({Box("ftyp", Bytes(8, 0)), big, moov})), 800000);
  Bytes toEnd = moov;  // a size of 0: to the end of the file
  toEnd[0] = toEnd[1] = toEnd[2] = toEnd[3] = 0;
  EXPECT_EQ(Start(Join({Box("ftyp", Bytes(8, 0)), toEnd})), 800000);
}

// A box that claims more than its parent or the file holds, an edit list
// cut short, or a file cut anywhere gives 0 and reads nothing outside it.
TEST(MovieStart, BrokenFilesGiveNoStart) {
  const Bytes good = Movie({Track("vide", 12800, EditList({{6000, 1024}}))});
  ASSERT_EQ(Start(good), 800000);
  const std::size_t moovEnd = good.size() - 40;  // the data box of 40 bytes comes last
  for (std::size_t cut = 0; cut < moovEnd; ++cut) {
    const Bytes shorter(good.begin(), good.begin() + std::ptrdiff_t(cut));
    EXPECT_EQ(Start(shorter), 0) << "cut at " << cut;
  }
  Bytes tooBig = good;
  const std::size_t moov = 16;  // after the 16-byte ftyp
  ASSERT_EQ(std::string(tooBig.begin() + moov + 4, tooBig.begin() + moov + 8), "moov");
  tooBig[moov] = 0x7F;  // the movie box claims 2 GB
  EXPECT_EQ(Start(tooBig), 0);
  Bytes manyEdits = Movie({Track("vide", 12800, EditList({{6000, 1024}}))});
  // The edit count claims far more entries than the list holds.
  const std::string text(manyEdits.begin(), manyEdits.end());
  const std::size_t elst = text.find("elst");
  ASSERT_NE(elst, std::string::npos);
  manyEdits[elst + 8] = 0xFF;
  EXPECT_EQ(Start(manyEdits), 800000);  // the first entry still fits and shows media
  manyEdits = Movie({Track("vide", 12800, EditList({{100, -1}}))});
  manyEdits[std::string(manyEdits.begin(), manyEdits.end()).find("elst") + 8] = 0xFF;
  EXPECT_EQ(Start(manyEdits), 0);  // the second does not fit
}

}  // namespace
