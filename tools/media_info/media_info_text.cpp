#include "tools/media_info/media_info_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/media_info/codec_names.h"

namespace lc::tools {

namespace {

std::string Fixed(double Value, int Decimals, char Separator) {
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.*f", Decimals, Value);
  std::string S = Text;
  std::replace(S.begin(), S.end(), '.', Separator);
  return S;
}

// The frame rate of a video stream; 25 when the block gives none.
double FrameRate(std::int64_t AvgTimePerFrame) {
  return AvgTimePerFrame > 0 ? 10000000.0 / static_cast<double>(AvgTimePerFrame) : 25.0;
}

}  // namespace

std::string FloatToText(double Value, char DecimalSeparator) {
  return Fixed(Value, Value == std::trunc(Value) ? 0 : 3, DecimalSeparator);
}

std::string ChannelsText(unsigned Channels) {
  if (Channels == 1) return "Mono";
  if (Channels == 2) return "Stereo";
  return std::to_string(Channels) + " Channels";
}

std::string LengthText(double Seconds, char DecimalSeparator) {
  if (Seconds < 60) return Fixed(Seconds, 3, DecimalSeparator) + " sec.";
  const long long H = static_cast<long long>(Seconds / 3600);
  const long long M = static_cast<long long>(Seconds / 60) - 60 * H;
  const float S = static_cast<float>(Seconds - 60.0 * M - 3600.0 * H);
  std::string Text = H > 0 ? std::to_string(H) + " h " : std::string();
  return Text + std::to_string(M) + " min. " + Fixed(S, 3, DecimalSeparator) + " sec.";
}

void TMediaInfoBuilder::SetLength(std::optional<double> Seconds) {
  FLengthKnown = Seconds.has_value();
  FLength = Seconds.value_or(0);
  FValues.Time = FLengthKnown ? LengthText(FLength, FSeparator) : "Unknown";
}

void TMediaInfoBuilder::AddVideo(const TVideoStreamFormat& Format) {
  const double F = FrameRate(Format.AvgTimePerFrame);
  FValues.NrOfVideoStreams = std::to_string(++FVideoStreams);
  if (FVideoStreams > 1) return;
  FValues.Resolution = std::to_string(Format.Width) + " x " + std::to_string(Format.Height);
  FValues.FramesPerSecond = FloatToText(F, FSeparator);
  FValues.NrOfFrames = Fixed(F * FLength, 0, FSeparator);
  FValues.BitDepth = std::to_string(Format.BitCount);
  FValues.VideoCompression = GetVideoCodecName(Format.Compression);
}

void TMediaInfoBuilder::AddAudio(const TAudioStreamFormat& Format) {
  FValues.NrOfAudioStreams = std::to_string(++FAudioStreams);
  if (FAudioStreams > 1) return;
  FAudioKbps = Format.AvgBytesPerSec * 8.0 / 1000.0;
  FValues.AudioCompression = GetAudioCodecName(Format.FormatTag);
  FValues.AverageAudioBitrate = FloatToText(FAudioKbps, FSeparator);
  FValues.AudioSampleRate = FloatToText(Format.SamplesPerSec, FSeparator);
  FValues.AudioChannels = ChannelsText(Format.Channels);
}

void TMediaInfoBuilder::Finish(std::int64_t FileSize) {
  if (FVideoStreams != 1 || !FLengthKnown || FLength <= 0) return;
  const double S = static_cast<double>(FileSize);
  // A detector that decodes reports the decoded sound (PCM at its full
  // rate); a stream faster than the whole file cannot be what the file
  // stores, so its rate is not known and the file's rate stands for the
  // video, as without a sound rate.
  if (FAudioStreams > 0 && FAudioKbps > S / FLength / 128) {
    FValues.AverageAudioBitrate = "Unknown";
    FAudioStreams = 0;
  }
  const double V = FAudioStreams > 0 ? (S / FLength / 128 - FAudioStreams * FAudioKbps) * 1.01688
                                     : S * 1.01688 / FLength / 128;
  FValues.AverageVideoBitrate = V < 0 ? "Error" : FloatToText(V, FSeparator);
}

int InfoValueColumnWidth(int WidestValue, int WidestCaption) {
  return std::min(std::min(std::max(WidestValue, 153), 201), 330 - WidestCaption);
}

}  // namespace lc::tools
