// The codec name tables: the quoted rows, case-sensitive keys, the numeric
// keys, and the texts for codes and tags that are not in the tables.
#include "tools/media_info/codec_names.h"

#include <gtest/gtest.h>

#include <set>

namespace lc::tools {
namespace {

// The code of four characters in file order, the first in the low byte.
std::uint32_t Code(const char* S) {
  return static_cast<std::uint8_t>(S[0]) | static_cast<std::uint8_t>(S[1]) << 8 |
         static_cast<std::uint8_t>(S[2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(S[3])) << 24;
}

TEST(VideoCodecNames, QuotedRows) {
  const struct {
    const char* Key;
    const char* Text;
  } Rows[] = {
      {"XVID", "XviD MPEG-4 codec"},
      {"DIVX", "OpenDivX (DivX 4.0 and later)"},
      {"divx", "DivX"},
      {"DX50", "DivX 5.0 codec"},
      {"MP4V", "Microsoft MPEG-4 (hacked MS MPEG-4)"},
      {"mp4v", "(MPEG4) Apple MPEG4 Video"},
      {"WMV3", "Windows Media Video 9"},
      {"H264", "Intel H.264"},
      {"WMS2", "Microsoft Corporation"},
      {"VP60", "VP60\tOn2\tcodec"},
      {"VP62", "On2 VP6"},
  };
  for (const auto& R : Rows) EXPECT_EQ(R.Text, GetVideoCodecName(Code(R.Key))) << R.Key;
  EXPECT_EQ("Full Frames (Uncompressed)", GetVideoCodecName(0x00424752));
  EXPECT_EQ("(RGB) Raw BGR32", GetVideoCodecName(0x20424752));
}

TEST(VideoCodecNames, CompressedTexturesAndTheReservedRange) {
  for (const char* K : {"DXT1", "DXT2", "DXT3", "DXT4", "DXT5"})
    EXPECT_EQ("DirectX Compressed Texture", GetVideoCodecName(Code(K))) << K;
  int Reserved = 0;
  for (char C : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
    const char Key[5] = {'D', 'X', 'T', C, 0};
    if (GetVideoCodecName(Code(Key)) == "Microsoft Corporation\tReserved") ++Reserved;
  }
  EXPECT_EQ(30, Reserved);
  EXPECT_NE("Microsoft Corporation\tReserved", GetVideoCodecName(Code("DXTC")));
  EXPECT_NE("Microsoft Corporation\tReserved", GetVideoCodecName(Code("DXTn")));
}

TEST(VideoCodecNames, EveryKeyOnceAndFound) {
  const auto Table = VideoCodecTable();
  EXPECT_EQ(648u, Table.size());
  std::set<std::uint32_t> Keys;
  for (const TVideoCodecRow& Row : Table) {
    EXPECT_TRUE(Keys.insert(Row.Code).second) << Row.Code;
    EXPECT_EQ(Row.Text, GetVideoCodecName(Row.Code)) << Row.Code;
  }
  // The rows with a point, a blank or a zero byte.
  for (std::uint32_t K : {0x302E3151u, 0x312E3151u, 0x20003859u, 0x57415220u, 0x00585652u})
    EXPECT_EQ(1u, Keys.count(K)) << K;
}

TEST(VideoCodecNames, UnknownCodes) {
  EXPECT_EQ("Unknown (h264)", GetVideoCodecName(Code("h264")));
  EXPECT_EQ("Unknown (0)", GetVideoCodecName(0));
  EXPECT_EQ("Unknown (3)", GetVideoCodecName(3));
  // A zero top byte gives the decimal code, not characters.
  EXPECT_EQ("Unknown (4276545)", GetVideoCodecName(0x00414141));
  EXPECT_EQ("Unknown (ABCD)", GetVideoCodecName(Code("ABCD")));
  EXPECT_EQ("Unknown (xvid)", GetVideoCodecName(Code("xvid")));
}

TEST(AudioCodecNames, QuotedRows) {
  const struct {
    std::uint32_t Tag;
    const char* Text;
  } Rows[] = {
      {0x0000, "Unknown Wave"},
      {0x0001, "Microsoft PCM"},
      {0x0050, "MPEG1 Layer 1,2"},
      {0x0055, "MPEG1 Layer-3"},
      {0x00FF, "AAC"},
      {0x0161, "Windows Media Audio 2"},
      {0x2000, "FAST Multimedia AG DVM (Dolby AC3)"},
      {0x2001, "Digital Theater Systems"},
      {0x674F, "Ogg Vorbis (mode 1)"},
      {0xFFFE, "Extensible wave format"},
      {0xFFFF, "In Development / Unregistered"},
  };
  for (const auto& R : Rows) EXPECT_EQ(R.Text, GetAudioCodecName(R.Tag)) << R.Tag;
}

TEST(AudioCodecNames, EveryTagOnceAndFound) {
  const auto Table = AudioCodecTable();
  EXPECT_EQ(157u, Table.size());
  std::set<std::uint32_t> Tags;
  for (const TAudioCodecRow& Row : Table) {
    EXPECT_TRUE(Tags.insert(Row.Tag).second) << Row.Tag;
    EXPECT_EQ(Row.Text, GetAudioCodecName(Row.Tag)) << Row.Tag;
  }
}

TEST(AudioCodecNames, UnknownTags) {
  EXPECT_EQ("Unknown (9)", GetAudioCodecName(9));
  EXPECT_EQ("Unknown (254)", GetAudioCodecName(254));
  // From 256 on: the two bytes as characters, low byte first.
  EXPECT_EQ(std::string("Unknown (\x02\x01)"), GetAudioCodecName(0x0102));
  EXPECT_EQ("Unknown (AB)", GetAudioCodecName(0x4241));
  EXPECT_EQ("Unknown (01)", GetAudioCodecName(0x3130));
  // Beyond 16 bits: the number.
  EXPECT_EQ("Unknown (65536)", GetAudioCodecName(65536));
}

}  // namespace
}  // namespace lc::tools
