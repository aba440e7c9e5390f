// Where an MP4's picture starts in its own time stamps (the first video
// track's edit list) and how far ahead of their time an AVI's key frames
// are stored, read from files built here byte by byte; anything else,
// broken or hostile, gives nothing.
#include "engine/graph/movie_start.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graph/tests/avi_test_files.h"
#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace iso_test;
using namespace avi_test;

std::int64_t Start(const Bytes& File) { return IsoMediaPictureStart(ReaderOf(File), File.size()); }

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
      {"64-bit empty edit first", Movie({Track("vide", 90000, EditList({{100, -1}, {6000, 0}}, true))}), -1000000},
      // The movie's and the media's time scales after 64-bit times.
      {"version-1 headers", Movie({Track("vide", 12800, EditList({{100, -1}, {6000, 1024}}), true)}, true), -200000},
      {"a media time scale of 1", Movie({Track("vide", 1, EditList({{6000, 2}}))}), 20000000},
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
  // The movie box itself sized in 64 bits.
  Bytes wideMoov{0, 0, 0, 1, 'm', 'o', 'o', 'v'};
  Put64(wideMoov, moov.size() + 8);
  wideMoov.insert(wideMoov.end(), moov.begin() + 8, moov.end());
  EXPECT_EQ(Start(Join({Box("ftyp", Bytes(8, 0)), wideMoov})), 800000);
  Bytes toEnd = moov;  // a size of 0: to the end of the file
  toEnd[0] = toEnd[1] = toEnd[2] = toEnd[3] = 0;
  EXPECT_EQ(Start(Join({Box("ftyp", Bytes(8, 0)), toEnd})), 800000);
}

// Fields that end where their box or the file ends are read: a file
// whose last bytes are the video track's handler type, a media header
// that ends with its time scale.
TEST(MovieStart, FieldsEndingAtTheirBoxOrTheFileAreRead) {
  const Bytes track = Box("trak", Join({Box("tkhd", Bytes(84, 0)), EditList({{6000, 1024}}),
                                        Box("mdia", Join({Header("mdhd", 12800), Box("minf", {}), Handler("vide")}))}));
  const Bytes file = Join({Box("ftyp", Bytes(8, 0)), Box("moov", Join({Header("mvhd", 1000), track}))});
  ASSERT_EQ(std::string(file.end() - 4, file.end()), "vide");
  EXPECT_EQ(Start(file), 800000);
  Bytes shortHeader = Header("mdhd", 12800);
  shortHeader.resize(shortHeader.size() - 4);  // no duration
  shortHeader[3] = std::uint8_t(shortHeader.size());
  const Bytes shortTrack = Box(
      "trak", Join({EditList({{6000, 1024}}), Box("mdia", Join({shortHeader, Handler("vide")}))}));
  EXPECT_EQ(Start(Movie({shortTrack})), 800000);
}

// A hostile file is not walked for ever: a level's first 4,096 boxes are
// looked at, and a track's first 64 edits before one that shows media;
// empty edits that add up past 64 bits give nothing.
TEST(MovieStart, TheReaderStopsAtItsLimits) {
  const Bytes moov = Box("moov", Join({Header("mvhd", 1000), Track("vide", 12800, EditList({{6000, 1024}}))}));
  for (const int boxes : {4096, 4097}) {
    Bytes file = Box("ftyp", Bytes(8, 0));
    for (int i = 2; i < boxes; ++i) file = Join({file, Box("free", {})});
    EXPECT_EQ(Start(Join({file, moov})), boxes == 4096 ? 800000 : 0) << boxes << " boxes";
  }
  for (const int empty : {63, 64}) {
    std::vector<Edit> edits(std::size_t(empty), Edit{10, -1});  // 10 ms each
    edits.push_back({6000, 1024});
    EXPECT_EQ(Start(Movie({Track("vide", 12800, EditList(edits))})), empty == 63 ? 800000 - 6300000 : 0)
        << empty << " empty edits";
  }
  const std::int64_t half = std::int64_t(std::uint64_t(1) << 63);
  EXPECT_EQ(Start(Movie({Track("vide", 12800, EditList({{half, -1}, {half + 10, -1}, {6000, 0}}, true))})), 0);
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

// ---------------------------------------------------------------- AVI

// A picture of coding type I, P, B, a P-frame of 1,000 bytes (p), a chunk
// of two: P and B (N; n with the P-frame's 1,000 bytes), or an empty
// chunk, a picture dropped (-).
Bytes Picture(char Type) {
  const auto Vop = [](int Code) { return Bytes{0, 0, 1, 0xB6, std::uint8_t(Code << 6), 0x12, 0x34}; };
  const Bytes data(993, 0x55);
  switch (Type) {
    case 'I': return Join({Bytes{0, 0, 1, 0xB0, 1}, Vop(0)});
    case 'P': return Vop(1);
    case 'p': return Join({Vop(1), data});
    case 'B': return Vop(2);
    case 'N': return Join({Vop(1), Vop(2)});
    case 'n': return Join({Vop(1), data, Vop(2)});
    default: return {};
  }
}
// How an AVI is laid out: SoundsBefore sound streams before the video
// stream (one after it when none), each picture's chunk after a sound
// chunk, in a record list of their own (with an empty one first) where
// Records, then Last and the index.
struct AviShape {
  int SoundsBefore = 1;
  bool Records = false;
  Bytes Last = {};
  bool Index = true;
};
Bytes AviOf(const Bytes& Video, const std::string& Pictures, const AviShape& Shape = {}) {
  const int video = Shape.SoundsBefore;
  const std::string videoId = {char('0' + video / 10), char('0' + video % 10), 'd', 'c'};
  const char* soundId = video == 0 ? "01wb" : "00wb";
  Bytes movi = Shape.Records ? List("rec ", {}) : Bytes{};
  for (char p : Pictures) {
    const Bytes pair = Join({Chunk(soundId, Bytes(6, 0x55)), Chunk(videoId.c_str(), Picture(p))});
    movi = Join({movi, Shape.Records ? List("rec ", pair) : pair});
  }
  if (!Shape.Last.empty()) movi = Join({movi, Chunk(videoId.c_str(), Shape.Last)});
  Bytes streams = Chunk("avih", Bytes(56, 0));
  for (int i = 0; i < Shape.SoundsBefore; ++i) streams = Join({streams, StreamList("auds", "\1\0\0\0")});
  streams = Join({streams, Video, Shape.SoundsBefore == 0 ? StreamList("auds", "\1\0\0\0") : Bytes{}});
  const Bytes body = Join({Bytes{'A', 'V', 'I', ' '}, List("hdrl", streams), List("movi", movi),
                           Shape.Index ? Chunk("idx1", Bytes(16, 0)) : Bytes{}});
  return Chunk("RIFF", body);
}
Bytes Avi(const char* Compression, const std::string& Pictures) {
  return AviOf(StreamList("vids", Compression), Pictures);
}

TKeyFrameLead Lead(const Bytes& File) { return AviKeyFrameLead(ReaderOf(File), File.size()); }

// Frames are in the order the file stores them: an anchor before the
// B-frames shown ahead of it.
TEST(KeyFrameLead, TheBFramesStoredBehindTheSecondKeyFrameGiveItsLead) {
  const std::string longGroup = "I" + std::string(599, 'p') + "IBBP";
  const struct {
    const char* Name;
    Bytes File;
    bool Known;
    int Run, Frames, SecondKey, Interval;
  } cases[] = {
      // I0 P3 B1 B2 P6 B4 B5 I9 B7 B8: the second key frame is the 8th
      // chunk, shown as frame 9.
      {"two B-frames", Avi("FMP4", "IPBBPBBIBBPBB"), true, 2, 2, 7, 9},
      {"lower-case code", Avi("xvid", "IPBBPBBIBBPBB"), true, 2, 2, 7, 9},
      // One B-frame: only the key frames' own stamps slip.
      {"one B-frame", Avi("DX50", "IPBPBIBPB"), true, 1, 0, 5, 6},
      {"three B-frames behind the key frame, one before", Avi("XVID", "IPBIBBBP"), true, 3, 3, 3, 6},
      {"one behind the key frame, three before", Avi("XVID", "IPBBBIBP"), true, 1, 0, 5, 6},
      // A closed group: a P-frame before the key frame, which is shown in
      // its place.
      {"closed group", Avi("FMP4", "IPBBPBBIPBB"), true, 0, 0, 7, 7},
      // Pictures dropped (empty chunks) count as pictures.
      {"dropped pictures first", Avi("FMP4", "---IPBBPBBIBBP"), true, 2, 2, 10, 9},
      {"dropped pictures between", Avi("FMP4", "IPBB--PBBIBBP"), true, 2, 2, 9, 11},
      {"a dropped picture behind the key frame", Avi("FMP4", "IPBBIB-BP"), true, 1, 0, 4, 5},
      // The second key frame 600 pictures on, read by its first bytes.
      {"a group of 600", Avi("FMP4", longGroup), true, 2, 2, 600, 602},
      // None among the first 2048 pictures: nothing known.
      {"a group of 2048", Avi("FMP4", "I" + std::string(2047, 'P') + "IBB"), false, 0, 0, 0, 0},
      {"one key frame", Avi("FMP4", "IPBBPBB"), false, 0, 0, 0, 0},
      {"no B-frames", Avi("FMP4", "IPPPPIPPP"), true, 0, 0, 5, 5},
      // A P-frame and the B-frame shown before it in one chunk.
      {"packed", Avi("DX50", "INBNBINB"), true, 0, 0, 0, 0},
      {"packed after unpacked ones", Avi("DX50", "IPBBPBBN"), true, 0, 0, 0, 0},
      {"packed behind a long P-frame", Avi("DX50", "IPBBnBBIBB"), true, 0, 0, 0, 0},
      {"not MPEG-4", Avi("MJPG", "IPBBPBBIBB"), false, 0, 0, 0, 0},
      {"no video chunk", Avi("FMP4", ""), false, 0, 0, 0, 0},
      // A format too short to hold the compression: what follows it is
      // not read as one.
      {"a format of 16 bytes", AviOf(StreamList("vids", "FMP4", 16, Chunk("XVID", {})), "IPBBPBBIBB"), false, 0, 0, 0,
       0},
      {"a format of 20 bytes", AviOf(StreamList("vids", "FMP4", 20), "IPBBPBBIBB"), true, 2, 2, 7, 9},
      // The last B-frame's type is the file's last byte.
      {"a picture ending the file",
       AviOf(StreamList("vids", "FMP4"), "IPBBIB", {.Last = {0x12, 0x34, 0x56, 0, 0, 1, 0xB6, 0x80}, .Index = false}),
       true, 2, 2, 4, 6},
      // The video's chunks named by its place among the streams, and
      // chunks grouped in record lists.
      {"video first", AviOf(StreamList("vids", "FMP4"), "IPBBPBBIBB", {.SoundsBefore = 0}), true, 2, 2, 7, 9},
      {"video eleventh", AviOf(StreamList("vids", "FMP4"), "IPBBPBBIBB", {.SoundsBefore = 10}), true, 2, 2, 7, 9},
      {"record lists", AviOf(StreamList("vids", "FMP4"), "IPBBPBBIBB", {.Records = true}), true, 2, 2, 7, 9},
      {"an MP4", Movie({Track("vide", 12800, EditList({{6000, 1024}}))}), false, 0, 0, 0, 0},
      {"empty", Bytes{}, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const TKeyFrameLead lead = Lead(c.File);
    EXPECT_EQ(lead.Known, c.Known) << c.Name;
    EXPECT_EQ(lead.Run, c.Run) << c.Name;
    EXPECT_EQ(lead.Frames, c.Frames) << c.Name;
    EXPECT_EQ(lead.SecondKey, c.SecondKey) << c.Name;
    EXPECT_EQ(lead.Interval, c.Interval) << c.Name;
  }
}

// A file cut anywhere or a chunk that claims more than the file holds
// reads nothing outside it.
TEST(KeyFrameLead, BrokenFilesReadNothingOutside) {
  const Bytes good = Avi("FMP4", "IPBBPBBIBB");
  ASSERT_EQ(Lead(good).Frames, 2);
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    const TKeyFrameLead lead = Lead(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut)));
    EXPECT_LE(lead.Frames, 2) << "cut at " << cut;
  }
  Bytes tooBig = good;
  tooBig[4] = tooBig[5] = tooBig[6] = 0xFF;  // the RIFF claims 16 MB
  EXPECT_EQ(Lead(tooBig).Frames, 2);          // read as far as the file goes
}

}  // namespace
