// The media information window's values: number texts, the length text,
// the stream values of the first video and audio streams and the average
// video bitrate, built from plain stream formats. The stream counts and the
// audio bitrate are kept as numbers, never read back from the texts. The
// decimal separator is the user's (a parameter). Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lc::tools {

// Fixed notation: no decimals when Value has no fractional part, else 3;
// no thousands separators ("25", "29.970", "1411.200").
std::string FloatToText(double Value, char DecimalSeparator = '.');

// "Mono", "Stereo", else the count and " Channels".
std::string ChannelsText(unsigned Channels);

// Below 60 s "45.500 sec.", else "1 min. 0.000 sec." or
// "1 h 30 min. 25.500 sec.".
std::string LengthText(double Seconds, char DecimalSeparator = '.');

// What the window reads of a video format block (any of the four layouts).
struct TVideoStreamFormat {
  std::int64_t AvgTimePerFrame = 0;  // 100-ns units
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // signed, as stored
  std::uint16_t BitCount = 0;
  std::uint32_t Compression = 0;
};

// What it reads of a WAVEFORMATEX.
struct TAudioStreamFormat {
  std::uint16_t FormatTag = 0;
  std::uint16_t Channels = 0;
  std::uint32_t SamplesPerSec = 0;
  std::uint32_t AvgBytesPerSec = 0;
};

// The thirteen value texts.
struct TMediaInfoValues {
  std::string VideoCompression, NrOfVideoStreams = "0", Time, NrOfFrames, Resolution, FramesPerSecond,
      AverageVideoBitrate, BitDepth, NrOfAudioStreams = "0", AudioCompression, AverageAudioBitrate,
      AudioSampleRate, AudioChannels;
};

// Collects a file's length and streams in the order the media detector
// reports them, then the file size.
class TMediaInfoBuilder {
 public:
  explicit TMediaInfoBuilder(char DecimalSeparator = '.') : FSeparator(DecimalSeparator) {}

  // The length of stream 0; nullopt when it could not be read ("Unknown",
  // no frame count and no video bitrate).
  void SetLength(std::optional<double> Seconds);
  // Counts a stream; the first of its kind fills that kind's values.
  void AddVideo(const TVideoStreamFormat& Format);
  void AddAudio(const TAudioStreamFormat& Format);
  // The average video bitrate in Kbps from the file's size in bytes, only
  // with exactly one video stream and a known length above 0: the file's
  // rate less every audio stream at the first one's rate, times 1.01688;
  // "Error" when that is negative. An audio stream faster than the whole
  // file (the detector reported it decoded) has an "Unknown" bitrate and
  // takes nothing off the file's rate.
  void Finish(std::int64_t FileSize);

  const TMediaInfoValues& Values() const { return FValues; }

 private:
  char FSeparator;
  TMediaInfoValues FValues;
  double FLength = 0;
  bool FLengthKnown = false;
  int FVideoStreams = 0;
  int FAudioStreams = 0;
  double FAudioKbps = 0;
};

// The value column's width: the widest value, at least 153 and at most
// 201, and never wider than 330 less the widest caption.
int InfoValueColumnWidth(int WidestValue, int WidestCaption);

}  // namespace lc::tools
