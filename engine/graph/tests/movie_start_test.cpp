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

TAviKeyFrames KeyFramesOf(const Bytes& File) { return AviKeyFrames(ReaderOf(File), File.size()); }

// Frames in the order the file stores them: an anchor before the B-frames
// shown before it; the key frames where the index lists them.
TEST(AviKeyFrames, TheIndexGivesEachKeyFramesPlaceAndTheBFramesStoredBehindIt) {
  const struct {
    const char* Name;
    Bytes File;
    std::vector<TKeyFrame> Expected;
  } cases[] = {
      // I0 P3 B1 B2 P6 B4 B5 I9 B7 B8: the second key frame is the 8th
      // chunk, shown as frame 9.
      {"two B-frames", AviOf("FMP4", "IPBBPBBIBBPBB"), {{0, 0}, {7, 2}}},
      {"lower-case code", AviOf("xvid", "IPBBPBBIBBPBB"), {{0, 0}, {7, 2}}},
      {"one B-frame", AviOf("DX50", "IPBPBIBPB"), {{0, 0}, {5, 1}}},
      {"three behind the key frame, one before", AviOf("XVID", "IPBIBBBP"), {{0, 0}, {3, 3}}},
      // A closed group: a P-frame before the key frame, which is shown in
      // its place.
      {"closed group", AviOf("FMP4", "IPBBPBBIPBB"), {{0, 0}, {7, 0}}},
      // Key frames where the picture changes: a different run behind each.
      {"scene cuts", AviOf("FMP4", "IPBBIPBBIBPBBIBBPBBI"), {{0, 0}, {4, 0}, {8, 1}, {13, 2}, {19, 0}}},
      // Pictures dropped (empty chunks) count as pictures, and an empty
      // chunk behind a key frame ends its run.
      {"dropped pictures first", AviOf("FMP4", "---IPBBPBBIBBP"), {{3, 0}, {10, 2}}},
      {"dropped pictures between", AviOf("FMP4", "IPBB--PBBIBBP"), {{0, 0}, {9, 2}}},
      {"a dropped picture behind the key frame", AviOf("FMP4", "IPBBIB-BP"), {{0, 0}, {4, 1}}},
      // The first key frame's chunk emptied: the index still lists it.
      {"the first key frame missing", AviOf("FMP4", "K--BPBBIBBPBB"), {{0, 0}, {7, 2}}},
      // A P-frame and the B-frame shown before it in one chunk, a picture
      // not coded in its place next: the key frame's B-frame is packed with
      // it, and one more stored behind it with two.
      {"packed", AviOf("DX50", "INcNcJcNc"), {{0, 0}, {5, 1}}},
      {"packed, two B-frames", AviOf("DX50", "INBcNBcJBcNBc"), {{0, 0}, {7, 2}}},
      {"packed, a closed group", AviOf("DX50", "INcNcIPNc"), {{0, 0}, {5, 0}}},
      // A picture not coded is at most 19 bytes long; one of 20 is a
      // picture of its own.
      {"packed, not coded in 19 bytes", AviOf("DX50", "INcNdJdNc"), {{0, 0}, {5, 1}}},
      {"packed, a picture of 20 bytes", AviOf("DX50", "INcNcJeNc"), {{0, 0}, {5, 0}}},
      // B-frames are counted up to 16 behind a key frame, each known by a
      // picture header within its chunk's first 256 bytes.
      {"twenty B-frames", AviOf("FMP4", "IPBBI" + std::string(20, 'B') + "P"), {{0, 0}, {4, 16}}},
      {"a header 251 bytes in", AviOf("FMP4", "IPBBIXXP"), {{0, 0}, {4, 2}}},
      {"a header 252 bytes in", AviOf("FMP4", "IPBBIXYP"), {{0, 0}, {4, 1}}},
      {"long group", AviOf("FMP4", "I" + std::string(2999, 'p') + "IBBPBB"), {{0, 0}, {3000, 2}}},
      {"no B-frames", AviOf("FMP4", "IPPPPIPPP"), {{0, 0}, {5, 0}}},
      {"one key frame", AviOf("FMP4", "IPBBPBB"), {{0, 0}}},
      // The index's places counted from the file's start, the video's
      // chunks named by its place among the streams.
      {"places from the file's start", AviOf("FMP4", "IPBBIBB", {.Kind = Index::FromFileStart}), {{0, 0}, {4, 2}}},
      {"video first", AviOf("FMP4", "IPBBIBB", {.SoundsBefore = 0}), {{0, 0}, {4, 2}}},
      {"video eleventh", AviOf("FMP4", "IPBBIBB", {.SoundsBefore = 10}), {{0, 0}, {4, 2}}},
      // The OpenDML index of files over 1 GB, first when there are both.
      {"OpenDML", AviOf("FMP4", "IPBBIBBPBBIBB", {.Kind = Index::OpenDml}), {{0, 0}, {4, 2}, {10, 2}}},
      {"OpenDML and legacy", AviOf("FMP4", "IPBBIBBPBBIBB", {.Kind = Index::OpenDmlAndLegacy}),
       {{0, 0}, {4, 2}, {10, 2}}},
      // A format too short to hold the compression: what follows it is
      // not read as one.
      {"a format of 20 bytes", AviOf("FMP4", "IPBBIBB", {.FormatBytes = 20}), {{0, 0}, {4, 2}}},
  };
  for (const auto& c : cases) {
    const TAviKeyFrames found = KeyFramesOf(c.File);
    EXPECT_TRUE(found.Mpeg4) << c.Name;
    EXPECT_TRUE(found.Indexed) << c.Name;
    EXPECT_EQ(found.KeyFrames, c.Expected) << c.Name;
  }
}

// An AVI its parser reads chunk by chunk, without an index, is MPEG-4
// with no key frames known; other files and other video are nothing.
TEST(AviKeyFrames, WithoutAnIndexNoKeyFrameIsKnown) {
  const Bytes partial = AviOf("FMP4", "IPBBIBBPBBIBB", {.Kind = Index::None});
  const struct {
    const char* Name;
    Bytes File;
    bool Mpeg4;
  } cases[] = {
      {"no index", AviOf("FMP4", "IPBBIBB", {.Kind = Index::None}), true},
      {"an index not to be used", AviOf("FMP4", "IPBBIBB", {.Kind = Index::Unflagged}), true},
      {"no key frame listed", AviOf("FMP4", "PBBPBB"), true},
      // A partial download: the movie list runs past the file's end.
      {"cut in its movie list", Bytes(partial.begin(), partial.begin() + std::ptrdiff_t(partial.size() / 2)), true},
      {"not MPEG-4", AviOf("MJPG", "IPBBIBB"), false},
      {"a format of 16 bytes", AviOf("FMP4", "IPBBIBB", {.FormatBytes = 16}), false},
      {"an MP4", Movie({Track("vide", 12800, EditList({{6000, 1024}}))}), false},
      {"empty", Bytes{}, false},
  };
  for (const auto& c : cases) {
    const TAviKeyFrames found = KeyFramesOf(c.File);
    EXPECT_EQ(found.Mpeg4, c.Mpeg4) << c.Name;
    EXPECT_FALSE(found.Indexed) << c.Name;
    EXPECT_EQ(found.KeyFrames, std::vector<TKeyFrame>()) << c.Name;
  }
}

// An OpenDML index whose standard indexes lie beyond the file, or whose
// entries are too short to be one (no long or one each), leaves the legacy
// index beside it to be read.
TEST(AviKeyFrames, AnOpenDmlIndexThatCannotBeReadLeavesTheLegacyIndex) {
  const Bytes good = AviOf("FMP4", "IPBBIBB", {.Kind = Index::OpenDmlAndLegacy});
  const std::size_t indx = std::string(good.begin(), good.end()).find("indx") + 8;
  for (const int patch : {0, 1, 2}) {
    Bytes file = good;
    if (patch < 2) file[indx] = std::uint8_t(patch);  // longs an entry
    if (patch == 2) file[indx + 28] = file[indx + 44] = 1;  // 4 GB further on
    EXPECT_EQ(KeyFramesOf(file).KeyFrames, (std::vector<TKeyFrame>{{0, 0}, {4, 2}})) << patch;
  }
}

// A file cut anywhere reads nothing outside it and lists no key frame it
// does not hold; an OpenDML index cut in its second part keeps the first.
TEST(AviKeyFrames, AFileCutShortListsWhatItHolds) {
  const Bytes good = AviOf("FMP4", "IPBIBBPBBIBB", {.Kind = Index::OpenDml});
  const std::vector<TKeyFrame> all = {{0, 0}, {3, 2}, {9, 2}};
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    const std::vector<TKeyFrame> found = KeyFramesOf(Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut))).KeyFrames;
    ASSERT_LE(found.size(), all.size()) << "cut at " << cut;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].Place, all[i].Place) << "cut at " << cut;
      EXPECT_LE(found[i].Run, all[i].Run) << "cut at " << cut;
    }
  }
  const std::string text(good.begin(), good.end());
  const std::size_t second = text.rfind("ix01");
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(KeyFramesOf(Bytes(good.begin(), good.begin() + std::ptrdiff_t(second + 12))).KeyFrames,
            (std::vector<TKeyFrame>{{0, 0}, {3, 2}}));
  Bytes tooBig = good;
  tooBig[4] = tooBig[5] = tooBig[6] = 0xFF;  // the RIFF claims 16 MB
  EXPECT_EQ(KeyFramesOf(tooBig).KeyFrames, all);  // read as far as the file goes
}

}  // namespace
