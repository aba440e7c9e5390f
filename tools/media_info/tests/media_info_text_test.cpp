// The media information values: number, channel and length texts, the
// first streams' values, the stream counts and the video bitrate.
#include "tools/media_info/media_info_text.h"

#include <gtest/gtest.h>

namespace lc::tools {
namespace {

TEST(InfoNumberTexts, WholeNumbersWithoutDecimalsOthersWithThree) {
  EXPECT_EQ("25", FloatToText(25.0));
  EXPECT_EQ("29.970", FloatToText(10000000.0 / 333667));
  EXPECT_EQ("128", FloatToText(16000 * 8 / 1000.0));
  EXPECT_EQ("1411.200", FloatToText(176400 * 8 / 1000.0));
  EXPECT_EQ("44100", FloatToText(44100));
  EXPECT_EQ("0", FloatToText(0));
  EXPECT_EQ("1411,200", FloatToText(1411.2, ','));
  // No thousands separators.
  EXPECT_EQ("1234567", FloatToText(1234567));
}

TEST(InfoNumberTexts, Channels) {
  EXPECT_EQ("Mono", ChannelsText(1));
  EXPECT_EQ("Stereo", ChannelsText(2));
  EXPECT_EQ("6 Channels", ChannelsText(6));
  EXPECT_EQ("0 Channels", ChannelsText(0));
}

TEST(InfoNumberTexts, Lengths) {
  EXPECT_EQ("45.500 sec.", LengthText(45.5));
  EXPECT_EQ("59.500 sec.", LengthText(59.5));
  EXPECT_EQ("1 min. 0.000 sec.", LengthText(60));
  EXPECT_EQ("1 h 0 min. 0.000 sec.", LengthText(3600));
  EXPECT_EQ("1 h 30 min. 25.500 sec.", LengthText(5425.5));
  EXPECT_EQ("2 min. 5,250 sec.", LengthText(125.25, ','));
}

TEST(InfoValueColumn, BetweenTheLimits) {
  EXPECT_EQ(153, InfoValueColumnWidth(80, 100));
  EXPECT_EQ(170, InfoValueColumnWidth(170, 100));
  EXPECT_EQ(201, InfoValueColumnWidth(400, 100));
  // Wide captions leave less room, even below 153.
  EXPECT_EQ(150, InfoValueColumnWidth(170, 180));
  EXPECT_EQ(130, InfoValueColumnWidth(80, 200));
}

TVideoStreamFormat Video(std::int64_t AvgTimePerFrame, std::uint32_t Compression) {
  TVideoStreamFormat V;
  V.AvgTimePerFrame = AvgTimePerFrame;
  V.Width = 720;
  V.Height = -576;
  V.BitCount = 24;
  V.Compression = Compression;
  return V;
}

TAudioStreamFormat Audio(std::uint32_t BytesPerSecond, std::uint16_t Channels) {
  TAudioStreamFormat A;
  A.FormatTag = 0x0055;
  A.Channels = Channels;
  A.SamplesPerSec = 48000;
  A.AvgBytesPerSec = BytesPerSecond;
  return A;
}

TEST(InfoStreams, OneVideoAndOneAudioStream) {
  TMediaInfoBuilder B;
  B.SetLength(100.0);
  B.AddVideo(Video(400000, 0x44495658));  // "XVID"
  B.AddAudio(Audio(16000, 2));
  B.Finish(10'000'000);
  const TMediaInfoValues& V = B.Values();
  EXPECT_EQ("1 min. 40.000 sec.", V.Time);
  EXPECT_EQ("XviD MPEG-4 codec", V.VideoCompression);
  EXPECT_EQ("1", V.NrOfVideoStreams);
  EXPECT_EQ("720 x -576", V.Resolution);
  EXPECT_EQ("25", V.FramesPerSecond);
  EXPECT_EQ("2500", V.NrOfFrames);
  EXPECT_EQ("24", V.BitDepth);
  EXPECT_EQ("1", V.NrOfAudioStreams);
  EXPECT_EQ("MPEG1 Layer-3", V.AudioCompression);
  EXPECT_EQ("128", V.AverageAudioBitrate);
  EXPECT_EQ("48000", V.AudioSampleRate);
  EXPECT_EQ("Stereo", V.AudioChannels);
  // (10,000,000 / 100 / 128 - 128) x 1.01688 = 664.277
  EXPECT_EQ("664.277", V.AverageVideoBitrate);
}

TEST(InfoStreams, WithoutAudioTheWholeFileIsVideo) {
  TMediaInfoBuilder B;
  B.SetLength(10.0);
  B.AddVideo(Video(0, 0));
  B.Finish(1'280'000);
  EXPECT_EQ("Unknown (0)", B.Values().VideoCompression);
  EXPECT_EQ("25", B.Values().FramesPerSecond);
  EXPECT_EQ("250", B.Values().NrOfFrames);
  // 1,280,000 x 1.01688 / 10 / 128
  EXPECT_EQ("1016.880", B.Values().AverageVideoBitrate);
  EXPECT_EQ("0", B.Values().NrOfAudioStreams);
  EXPECT_EQ("", B.Values().AudioCompression);
}

TEST(InfoStreams, TwoAudioStreamsAreBothSubtractedAtTheFirstOnesRate) {
  TMediaInfoBuilder B;
  B.SetLength(100.0);
  B.AddVideo(Video(333667, 0));
  B.AddAudio(Audio(16000, 2));
  B.AddAudio(Audio(32000, 6));
  B.Finish(10'000'000);
  EXPECT_EQ("2", B.Values().NrOfAudioStreams);
  EXPECT_EQ("128", B.Values().AverageAudioBitrate);
  EXPECT_EQ("Stereo", B.Values().AudioChannels);
  EXPECT_EQ("29.970", B.Values().FramesPerSecond);
  EXPECT_EQ("2997", B.Values().NrOfFrames);
  // (781.25 - 2 x 128) x 1.01688 = 534.116
  EXPECT_EQ("534.116", B.Values().AverageVideoBitrate);
}

TEST(InfoStreams, SoundFasterThanTheWholeFileWasReportedDecoded) {
  // 1411.2 Kbps of PCM in a file of 78.125 Kbps: the rate is not the
  // file's; the video takes the whole file, 100,000 x 1.01688 / 10 / 128.
  TMediaInfoBuilder B;
  B.SetLength(10.0);
  B.AddVideo(Video(400000, 0));
  B.AddAudio(Audio(176400, 2));
  B.Finish(100'000);
  EXPECT_EQ("Unknown", B.Values().AverageAudioBitrate);
  EXPECT_EQ("79.444", B.Values().AverageVideoBitrate);
  EXPECT_EQ("48000", B.Values().AudioSampleRate) << "the other sound values stay";
}

TEST(InfoStreams, TwoSoundStreamsTogetherAboveTheFileRateAreAnError) {
  // The file: 156.25 Kbps; each stream 100 Kbps, together 200.
  TMediaInfoBuilder B;
  B.SetLength(10.0);
  B.AddVideo(Video(400000, 0));
  B.AddAudio(Audio(12500, 2));
  B.AddAudio(Audio(12500, 2));
  B.Finish(200'000);
  EXPECT_EQ("100", B.Values().AverageAudioBitrate);
  EXPECT_EQ("Error", B.Values().AverageVideoBitrate);
}

TEST(InfoStreams, TwoVideoStreamsShowTheFirstAndNoBitrate) {
  TMediaInfoBuilder B;
  B.SetLength(10.0);
  B.AddVideo(Video(400000, 0x44495658));
  TVideoStreamFormat Second = Video(200000, 0);
  Second.Width = 320;
  B.AddVideo(Second);
  B.Finish(1'000'000);
  EXPECT_EQ("2", B.Values().NrOfVideoStreams);
  EXPECT_EQ("720 x -576", B.Values().Resolution);
  EXPECT_EQ("25", B.Values().FramesPerSecond);
  EXPECT_EQ("XviD MPEG-4 codec", B.Values().VideoCompression);
  EXPECT_EQ("", B.Values().AverageVideoBitrate);
}

TEST(InfoStreams, AnUnknownLengthCountsNoFramesAndNoBitrate) {
  TMediaInfoBuilder B;
  B.SetLength(std::nullopt);
  B.AddVideo(Video(400000, 0));
  B.Finish(1'000'000);
  EXPECT_EQ("Unknown", B.Values().Time);
  EXPECT_EQ("0", B.Values().NrOfFrames);
  EXPECT_EQ("", B.Values().AverageVideoBitrate);
}

TEST(InfoStreams, HalfASecondHasABitrateAndNoLengthHasNone) {
  TMediaInfoBuilder Short;
  Short.SetLength(0.5);
  Short.AddVideo(Video(400000, 0));
  Short.Finish(64'000);
  // 64,000 x 1.01688 / 0.5 / 128
  EXPECT_EQ("1016.880", Short.Values().AverageVideoBitrate);
  TMediaInfoBuilder Empty;
  Empty.SetLength(0.0);
  Empty.AddVideo(Video(400000, 0));
  Empty.Finish(64'000);
  EXPECT_EQ("", Empty.Values().AverageVideoBitrate);
  EXPECT_EQ("0.000 sec.", Empty.Values().Time);
}

TEST(InfoStreams, NoStreamsLeaveEmptyValuesAndZeroCounts) {
  TMediaInfoBuilder B;
  B.Finish(1000);
  EXPECT_EQ("0", B.Values().NrOfVideoStreams);
  EXPECT_EQ("0", B.Values().NrOfAudioStreams);
  EXPECT_EQ("", B.Values().Resolution);
  EXPECT_EQ("", B.Values().AverageVideoBitrate);
}

}  // namespace
}  // namespace lc::tools
