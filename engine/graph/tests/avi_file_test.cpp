// An AVI's headers and indexes as the shared reader gives them, from files
// built here byte by byte.
#include "engine/graph/avi_file.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graph/tests/avi_test_files.h"
#include "engine/graph/tests/iso_test_files.h"

namespace {

using namespace avi_test;
using iso_test::ReaderOf;

std::string Text(const Bytes& File, std::uint64_t At, std::size_t Count) {
  return At + Count <= File.size() ? std::string(File.begin() + std::ptrdiff_t(At), File.begin() + std::ptrdiff_t(At + Count))
                                   : std::string();
}

// A sound stream, then the video; the room a muxer keeps, the movie list
// and the legacy index. Cut in its movie list, the file has its headers
// and no index.
TEST(AviFile, TheHeadersGiveEachStreamAndWhereTheMovieAndItsIndexLie) {
  const Bytes file = AviOf("XVID", "IPB");
  const std::optional<TAviFile> avi = ReadAviFile(ReaderOf(file), file.size());
  ASSERT_TRUE(avi);
  EXPECT_EQ(avi->Flags, kAviHasIndex);
  ASSERT_EQ(avi->Streams.size(), 2u);
  EXPECT_EQ(avi->Streams[0].Kind, Fourcc("auds"));
  EXPECT_EQ(avi->Streams[0].Compression, 0u);
  EXPECT_EQ(avi->Streams[1].Kind, Fourcc("vids"));
  EXPECT_EQ(avi->Streams[1].Compression, Fourcc("XVID"));
  EXPECT_EQ(Text(file, avi->MovieBegin - 4, 8), "movi00wb");
  EXPECT_EQ(Text(file, avi->MovieEnd, 8), std::string("idx1\x60\0\0\0", 8));
  EXPECT_EQ(avi->IndexBegin, avi->MovieEnd + 8);
  EXPECT_EQ(avi->IndexEnd, file.size());
  const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(avi->MovieBegin + 20));
  const std::optional<TAviFile> partial = ReadAviFile(ReaderOf(cut), cut.size());
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->Streams.size(), 2u);
  EXPECT_EQ(partial->IndexEnd, 0u);
}

// Each of a stream's chunks, where its contents lie, how long they are and
// whether it is a key frame, in the stream's order: from the legacy index
// (its places counted from the movie list or the file's start) and from
// the OpenDML index, which lists the video alone; a stream the file does
// not have has none.
TEST(AviFile, TheIndexListsEachChunkOfAStream) {
  const std::string pictures = "IPB-I";
  for (const Index kind : {Index::Legacy, Index::FromFileStart, Index::OpenDml}) {
    const Bytes file = AviOf("FMP4", pictures, {.Kind = kind});
    const TReadAt read = ReaderOf(file);
    const TRiffReader r(read, file.size());
    const std::optional<TAviFile> avi = ReadAviFile(read, file.size());
    ASSERT_TRUE(avi);
    for (const int stream : {0, 1, 2}) {
      std::vector<TAviIndexEntry> entries;
      const TAviIndex read = ReadAviIndex(r, *avi, stream, [&](const TAviIndexEntry& E) {
        entries.push_back(E);
        return true;
      });
      const bool listed = stream == 1 || (stream == 0 && kind != Index::OpenDml);
      EXPECT_EQ(read, !listed ? TAviIndex::None : kind == Index::OpenDml ? TAviIndex::OpenDml : TAviIndex::Legacy);
      ASSERT_EQ(entries.size(), listed ? pictures.size() : 0u) << int(kind) << " " << stream;
      for (std::size_t i = 0; i < entries.size(); ++i) {
        const Bytes contents = stream == 1 ? Picture(pictures[i]) : Bytes(6, 0x55);
        EXPECT_EQ(entries[i].Id, stream == 1 ? Fourcc("01dc") : Fourcc("00wb")) << i;
        EXPECT_EQ(Text(file, entries[i].At, contents.size()), std::string(contents.begin(), contents.end())) << i;
        EXPECT_EQ(Text(file, entries[i].At - 8, 2), stream == 1 ? "01" : "00") << i;
        EXPECT_EQ(entries[i].Size, contents.size()) << i;
        EXPECT_EQ(entries[i].Key, stream == 0 || pictures[i] == 'I') << i;
      }
    }
  }
}

// An OpenDML index whose standard indexes give entries of no length or of
// more longs than any writer uses, or list another stream's chunks, is
// damaged: the legacy index beside it is read instead.
TEST(AviFile, ADamagedOpenDmlIndexLeavesTheLegacyIndex) {
  struct Damage {
    std::size_t At;  // from the standard index chunk's id
    char Byte;
  };
  for (const Damage damage : {Damage{8, 0}, Damage{8, 1}, Damage{8, 17}, Damage{17, '0'}}) {
    Bytes file = AviOf("FMP4", "IPBPI", {.Kind = Index::OpenDmlAndLegacy});
    for (std::size_t at = 0; at + 24 <= file.size(); ++at)
      if (Text(file, at, 4) == "ix01") file[at + damage.At] = std::uint8_t(damage.Byte);
    const TReadAt read = ReaderOf(file);
    const std::optional<TAviFile> avi = ReadAviFile(read, file.size());
    ASSERT_TRUE(avi);
    std::size_t entries = 0;
    EXPECT_EQ(ReadAviIndex(TRiffReader(read, file.size()), *avi, 1,
                           [&](const TAviIndexEntry&) {
                             ++entries;
                             return true;
                           }),
              TAviIndex::Legacy)
        << damage.At << " " << int(damage.Byte);
    EXPECT_EQ(entries, 5u) << damage.At << " " << int(damage.Byte);
  }
}

}  // namespace
