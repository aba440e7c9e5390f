// Writes the seed corpora of the fuzz targets with the program's own
// writers (settings file, remembered settings, hand-over text), the
// language writer of the fuzz targets and audio buffers of every format,
// and a dictionary per target of the words its reader looks for.
//
//   fuzz_seeds FOLDER    writes FOLDER/<target>/*, FOLDER/<target>.dict
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "fuzz/language_writer.h"
#include "player/handover.h"
#include "playlist/playlist_file.h"
#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/rms_table.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"
#include "tools/eq_presets.h"

namespace {

namespace fs = std::filesystem;
using namespace lc::settings;

fs::path gRoot;

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(gRoot / target);
  std::ofstream(gRoot / target / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A libFuzzer dictionary: one quoted word per line, bytes outside printable
// ASCII as \xNN.
void WriteDictionary(const std::string& target, const std::vector<std::string>& words) {
  std::ofstream out(gRoot / (target + ".dict"), std::ios::binary);
  for (const std::string& word : words) {
    out << '"';
    for (unsigned char c : word) {
      if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out << hex;
      } else {
        out << c;
      }
    }
    out << "\"\n";
  }
}

std::string Ansi(const std::string& utf8) { return Windows1252Codec().FromUtf8(utf8); }

void SettingsSeeds() {
  const testing::FakeHost host;
  SettingsStore store;
  SetDefaultSettings(store, host.screenWidth, host.screenHeight);
  Write("settings_file", "defaults.ini",
        Ansi(ConfigText(ConfigKeyNames(), BuildConfigValues(store, host, kNoChange))));
  store.MainXPosition = 5000;
  store.VideoWindowWidth = 9000;
  store.EqualizerSettings = {10, -20, 30, 0, 0, 100, -100, 5, 5, 5, 5};
  store.RecentFiles[0] = "C:\\Filme\\Caf\xC3\xA9 \xE2\x82\xAC.avi";
  store.BossKeyHide = static_cast<ShortCut>(kShortCutCtrl | kShortCutAlt | 'H');
  store.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  store.MediaExtensions = {"avi", "", "mkv"};
  store.FileAssociation = "101";
  Write("settings_file", "changed.ini",
        Ansi(ConfigText(ConfigKeyNames(), BuildConfigValues(store, host, kNoChange))));

  std::vector<std::string> words = {"[Configuration]", "\r\n", "True", "False", "Ctrl+", "Alt+",
                                    "Shift+", "Num ", "Desktop", "No change", ";", ","};
  for (const std::string& key : ConfigKeyNames()) words.push_back(key + "=");
  WriteDictionary("settings_file", words);
}

RmsLiveState Live(const std::string& name) {
  RmsLiveState live;
  live.MovieName = name;
  live.AspectRatioValue = 1.78;
  live.VideoWindowWidth = 640;
  live.VideoWindowHeight = 360;
  live.Position100ns = 123456789012;
  live.BookmarkCaptions = {"00:01:02\tAlt+1", "01:59:59"};
  live.BrightnessSlider = 75;
  live.ContrastSlider = 100;
  live.SaturationSlider = 100;
  live.VolumePosition = 10;
  live.SubtitleFontName = "Tahoma";
  live.SubtitleFontStyle = kFontBold | kFontItalic;
  return live;
}

void RmsSeeds() {
  RmsTable table;
  AddToRms(table, Live("movie.avi"), 45351.5);
  RmsLiveState fixedRatio = Live("Caf\xC3\xA9.mkv");
  fixedRatio.KeepAspectRatio = false;
  fixedRatio.MovieMode = true;
  fixedRatio.SavedPanScan = -50;
  AddToRms(table, fixedRatio, -1.25);  // 29/12/1899 06:00
  AddToRms(table, Live(""), 0);
  const std::string text = RmsToText(table);
  Write("rms_file", "three.rs", Ansi(text));

  std::vector<std::string> words = {"[", "]", "\r\n", "/", ":", "True", "False", ",", "."};
  for (const std::string& line : SplitLines(text)) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) words.push_back(line.substr(0, eq + 1));
  }
  WriteDictionary("rms_file", words);
}

void LanguageSeeds() {
  TextTable table;
  SetDefaultTexts(table);
  std::string text;
  if (lc::fuzz::WriteLanguageText(table, "// Translated by: nobody\r\n\r\n", text)) {
    Write("language_file", "english.lng", Ansi(text));
  }
  WriteDictionary("language_file", {"//", "\\n", "\\t", "\r\n", "Translated by: "});
}

void HandoverSeeds() {
  Write("handover", "three.txt", lc::BuildHandoverText({"C:\\a.avi", "C:\\b c.mkv", "D:\\films"}));
  Write("handover", "cut.txt", lc::BuildHandoverText({std::string(9000, 'a'), std::string(400, 'b')}));
  WriteDictionary("handover", {"\x01"});
}

// The chain's settings: everything on, FFT 2,048, chunks of 64 frames, the
// form's gain settings, a few bands changed.
std::string AudioSettings() {
  std::string s = {0x1F, 10, 3, 3, 3};
  for (uint32_t v : {1000u, 3000u, 7500u, 10000u, 5000u}) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  s += std::string{0, 3, 0, 50, 0, 100, 0, static_cast<char>(-100), 1, 9, 0, 20, 0, 0, 4, 10};
  return s;
}

// One buffer of the stream: format index, channel byte, rate index, flags,
// length, the bytes.
std::string Packet(int stream, int channels, const std::string& bytes, int flags = 0) {
  std::string p = {static_cast<char>(stream), static_cast<char>(channels - 1), 0, static_cast<char>(flags),
                   static_cast<char>(bytes.size() & 0xFF), static_cast<char>(bytes.size() >> 8)};
  return p + bytes;
}

// A sine of `frames` frames in every channel, in the given format.
std::string Sine(int stream, int channels, int frames) {
  std::string out;
  for (int i = 0; i < frames; ++i) {
    const double v = 0.6 * std::sin(2 * std::numbers::pi * 440.0 * i / 44100.0);
    for (int c = 0; c < channels; ++c) {
      char b[4];
      int size = 0;
      switch (stream) {
        case 0: b[0] = static_cast<char>(128 + std::lround(v * 127)); size = 1; break;
        case 1: { const int16_t x = static_cast<int16_t>(std::lround(v * 32767)); std::memcpy(b, &x, 2); size = 2; break; }
        case 2: { const int32_t x = static_cast<int32_t>(std::lround(v * 8388607)); std::memcpy(b, &x, 3); size = 3; break; }
        case 3: { const int32_t x = static_cast<int32_t>(std::lround(v * 2147483647.0)); std::memcpy(b, &x, 4); size = 4; break; }
        default: { const float x = static_cast<float>(v); std::memcpy(b, &x, 4); size = 4; break; }
      }
      out.append(b, size);
    }
  }
  return out;
}

void AudioSeeds() {
  const char* names[] = {"u8", "s16", "s24", "s32", "f32"};
  for (int stream = 0; stream < 5; ++stream) {
    Write("audio_chain", std::string(names[stream]) + "_stereo.bin",
          AudioSettings() + Packet(stream, 2, Sine(stream, 2, 300)) + Packet(stream, 2, Sine(stream, 2, 100)));
  }
  Write("audio_chain", "s16_twelve_channels.bin", AudioSettings() + Packet(1, 12, Sine(1, 12, 100)));
  // A float buffer with a NaN, then 32-bit integers without a flush.
  std::string nan = Sine(4, 1, 200);
  const float bad = std::nanf("");
  std::memcpy(&nan[40], &bad, 4);
  Write("audio_chain", "f32_nan_then_s32.bin",
        AudioSettings() + Packet(4, 1, nan) + Packet(3, 1, Sine(3, 1, 200)));
}

void PlaylistSeeds() {
  // The first byte of an input is the target's own: how many entries the
  // list holds before the file is read.
  Write("playlist_file", "two.lpl",
        std::string(1, '\0') + lc::playlist::FormatPlaylistBytes({"C:\\a.avi", "D:\\Filme\\Caf\xC3\xA9.mkv"},
                                                                   {"C:\\a.srt", lc::playlist::kNoSubtitle}));
  Write("playlist_file", "utf8.lpl",
        std::string(1, '\2') + lc::playlist::FormatPlaylistBytes({"C:\\\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE.avi"},
                                                                   {lc::playlist::kNoSubtitle}));
  WriteDictionary("playlist_file", {"\r\n", lc::playlist::kNoSubtitle, "\xEF\xBB\xBF", "C:\\"});
}

void PresetSeeds() {
  const std::vector<lc::tools::TNamedPreset> presets = {
      {"Rock", {-10, -40, -20, 0, 10, 20, 20, 10, 0, -20, -40}},
      {"Caf\xC3\xA9 bass", {0, -100, -60, -20, 0, 0, 0, 0, 0, 0, 100}},
  };
  Write("eq_presets", "two.eq", Ansi(lc::tools::FormatPresetLines(presets)));
  WriteDictionary("eq_presets", {"=", ",", "-", "\r\n", "-100", "100"});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  gRoot = argv[1];
  SettingsSeeds();
  RmsSeeds();
  LanguageSeeds();
  HandoverSeeds();
  AudioSeeds();
  PlaylistSeeds();
  PresetSeeds();
  return 0;
}
