// Writes the seed corpora of the fuzz targets with the program's own
// writers (settings file, remembered settings, hand-over text), the
// language writer of the fuzz targets and audio buffers of every format,
// movie files built here, and a dictionary per target of the words its
// reader looks for.
//
// The file readers' seeds are small: the fuzzer explores from them with
// small inputs. Their limits get seeds of their own, at each limit and
// just past it (the byte limit of each file, the 1,000 entries the reader
// takes of remembered settings, the 2,000 lines of a playlist, the
// characters of a subtitle file in each encoding), which scripts/fuzz runs
// once each in a separate pass.
//
//   fuzz_seeds FOLDER    writes FOLDER/<target>/*, FOLDER/<target>.dict
//                        and FOLDER/limits/<target>/*
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
#include "player/display_modes.h"
#include "player/handover.h"
#include "playlist/playlist_file.h"
#include "settings/file_io.h"
#include "settings/language_file.h"
#include "settings/rms_file.h"
#include "settings/rms_table.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"
#include "subtitles/subtitle_text.h"
#include "tools/equalizer/eq_presets.h"

namespace {

namespace fs = std::filesystem;
using namespace lc::settings;

fs::path gRoot;

void WriteIn(const fs::path& folder, const std::string& name, const std::string& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
  WriteIn(gRoot / target, name, bytes);
}

// A seed of the limit pass.
void WriteLimit(const std::string& target, const std::string& name, const std::string& bytes) {
  WriteIn(gRoot / "limits" / target, name, bytes);
}

// `text` and, when it is shorter than `size`, a last line of `fill`
// characters that brings it to exactly `size` bytes.
std::string PaddedTo(std::string text, std::size_t size, char fill) {
  if (text.size() < size) text.append(size - text.size(), fill);
  return text;
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

  // The reader's 1 MiB and one byte more: every key, then lines of no key.
  std::string large = Ansi(ConfigText(ConfigKeyNames(), BuildConfigValues(store, host, kNoChange)));
  const std::string filler = "Unknown=" + std::string(1000, 'x') + "\r\n";
  while (large.size() + filler.size() <= kMaxConfigFileBytes) large += filler;
  WriteLimit("settings_file", "at_limit.ini", PaddedTo(large, kMaxConfigFileBytes, 'y'));
  WriteLimit("settings_file", "past_limit.ini", PaddedTo(large, kMaxConfigFileBytes + 1, 'y'));

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

RmsTable OneEntry(TRmsEntry entry) {
  RmsTable table;
  table.Append(std::move(entry));
  return table;
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

  // The 201st movie the player remembers replaces the oldest of its 200.
  RmsTable kept;
  for (int i = 0; i <= 200; ++i) AddToRms(kept, Live("movie" + std::to_string(1000 + i) + ".avi"), 45000 + i);
  WriteLimit("rms_file", "two_hundred.rs", Ansi(RmsToText(kept)));
  // 1,000 entries (all the reader takes) and 1,001 in nearly the whole
  // byte limit; the 1,001 brought to the limit and one byte past it.
  const std::size_t bare = RmsToText(OneEntry(MakeRmsEntry(Live("m0000.avi"), 1))).size();
  const std::size_t nameLength = (kMaxRmsFileBytes - 4096) / 1001 - bare + 9;
  RmsTable crowded;
  for (int i = 0; i < 1001; ++i) {
    std::string name = std::to_string(10000 + i);
    name += std::string(nameLength - name.size(), 'n');
    crowded.Append(MakeRmsEntry(Live(name), i));
    if (i == 999) WriteLimit("rms_file", "thousand.rs", Ansi(RmsToText(crowded)));
  }
  const std::string thousandAndOne = Ansi(RmsToText(crowded));
  WriteLimit("rms_file", "thousand_and_one.rs", thousandAndOne);
  WriteLimit("rms_file", "at_limit.rs", PaddedTo(thousandAndOne, kMaxRmsFileBytes, 'x'));
  WriteLimit("rms_file", "past_limit.rs", PaddedTo(thousandAndOne, kMaxRmsFileBytes + 1, 'x'));

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
    // The same texts after comment lines, of the reader's 4 MiB and of one
    // byte more.
    const std::string texts = Ansi(text);
    const std::string comment = "// " + std::string(4000, 'c') + "\r\n";
    std::string comments;
    while (comments.size() + 2 * comment.size() + texts.size() <= kMaxLanguageFileBytes) comments += comment;
    for (std::size_t size : {kMaxLanguageFileBytes, kMaxLanguageFileBytes + 1}) {
      const std::string last = "//" + std::string(size - texts.size() - comments.size() - 4, 'c') + "\r\n";
      WriteLimit("language_file", size == kMaxLanguageFileBytes ? "at_limit.lng" : "past_limit.lng",
                 comments + last + texts);
    }
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
  // The 8,192-point equalizer, whole buffers (3,276 frames of ten 16-bit
  // channels each) in the largest size, with separate kernels.
  std::string large = AudioSettings();
  large[0] = 0x13;  // equalizer on, separate, automatic gain
  large[1] = 12;    // 8,192 points
  large[2] = 0;     // the whole buffer at once
  for (int i = 0; i < 4; ++i) large += Packet(1, 10, Sine(1, 10, 3276));
  Write("audio_chain", "s16_ten_channels_8192.bin", large);
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
  // 1,000 entries fill the 2,000 lines a list holds; one more is beyond.
  // Their names take nearly the whole byte limit of the file, and a last
  // line of no entry brings them to the limit and one byte past it.
  using lc::playlist::kMaxPlaylistFileBytes;
  std::vector<std::string> movies, subtitles;
  const std::size_t nameLength = (kMaxPlaylistFileBytes - 8192) / 1001 / 2;
  for (int i = 0; i < 1001; ++i) {
    const std::string base = "C:\\" + std::to_string(10000 + i);
    movies.push_back(base + std::string(nameLength - base.size() - 4, 'm') + ".avi");
    subtitles.push_back(i % 100 == 0 ? lc::playlist::kNoSubtitle : base + std::string(nameLength - base.size() - 4, 's') + ".srt");
    if (i == 999) {
      WriteLimit("playlist_file", "thousand.lpl",
                 std::string(1, '\0') + lc::playlist::FormatPlaylistBytes(movies, subtitles));
    }
  }
  const std::string list = std::string(1, '\0') + lc::playlist::FormatPlaylistBytes(movies, subtitles);
  WriteLimit("playlist_file", "thousand_and_one.lpl", list);
  WriteLimit("playlist_file", "at_limit.lpl", PaddedTo(list, 1 + kMaxPlaylistFileBytes, 'z'));
  WriteLimit("playlist_file", "past_limit.lpl", PaddedTo(list, 2 + kMaxPlaylistFileBytes, 'z'));
  // The same list read into one that already holds 999 entries.
  WriteLimit("playlist_file", "after_999.lpl", "\2" + list.substr(1));
  WriteDictionary("playlist_file", {"\r\n", lc::playlist::kNoSubtitle, "\xEF\xBB\xBF", "C:\\"});
}

void PresetSeeds() {
  const std::vector<lc::tools::TNamedPreset> presets = {
      {"Rock", {-10, -40, -20, 0, 10, 20, 20, 10, 0, -20, -40}},
      {"Caf\xC3\xA9 bass", {0, -100, -60, -20, 0, 0, 0, 0, 0, 0, 100}},
  };
  Write("eq_presets", "two.eq", Ansi(lc::tools::FormatPresetLines(presets)));
  // Presets up to the reader's 1 MiB, and one byte more.
  std::vector<lc::tools::TNamedPreset> many;
  std::size_t bytes = 0;
  for (int i = 0; bytes < (1u << 20) - 256; ++i) {
    many.push_back({"Preset " + std::to_string(i), {static_cast<std::int8_t>(i % 201 - 100)}});
    bytes += lc::tools::FormatPresetLines({many.back()}).size();
  }
  const std::string all = Ansi(lc::tools::FormatPresetLines(many));
  WriteLimit("eq_presets", "at_limit.eq", PaddedTo(all, 1u << 20, 'p'));
  WriteLimit("eq_presets", "past_limit.eq", PaddedTo(all, (1u << 20) + 1, 'p'));
  WriteDictionary("eq_presets", {"=", ",", "-", "\r\n", "-100", "100"});
}

// Subtitle files at the readers' limits and one step past them: 8-bit
// text of the most bytes taken (whole 128-byte blocks up to 1 MiB) and of
// one block more, UTF-16 and UTF-8 of the most characters and of one
// more. The first byte is the target's own (the frame rate).
void SubtitleSeeds() {
  using lc::subtitles::kMaxAnsiBytes;
  using lc::subtitles::kMaxWideChars;
  std::string srt;
  for (int i = 1; srt.size() < kMaxAnsiBytes - 100; ++i) {
    char entry[128];
    std::snprintf(entry, sizeof entry, "%d\r\n%02d:%02d:%02d,000 --> %02d:%02d:%02d,500\r\nLine %d\r\n\r\n", i,
                  i / 3600 % 100, i / 60 % 60, i % 60, i / 3600 % 100, i / 60 % 60, i % 60, i);
    srt += entry;
  }
  WriteLimit("subtitle_file", "ansi_at_limit.srt", std::string(1, '\0') + PaddedTo(srt, kMaxAnsiBytes + 127, ' '));
  WriteLimit("subtitle_file", "ansi_past_limit.srt", std::string(1, '\0') + PaddedTo(srt, kMaxAnsiBytes + 128, ' '));

  std::u16string sub;
  for (int i = 0; sub.size() < kMaxWideChars - 64; ++i) {
    const std::string line = "{" + std::to_string(25 * i) + "}{" + std::to_string(25 * i + 20) + "}";
    sub.append(line.begin(), line.end());
    sub += u"\u041A\u0438\u043D\u043E\r\n";
  }
  for (std::size_t characters : {kMaxWideChars, kMaxWideChars + 1}) {
    std::string wide = "\x01\xFF\xFE";
    for (char16_t c : sub) wide += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    for (std::size_t n = sub.size(); n < characters; ++n) wide += {' ', '\0'};
    WriteLimit("subtitle_file", characters == kMaxWideChars ? "utf16_at_limit.sub" : "utf16_past_limit.sub", wide);
  }

  std::string tmp = "\x02\xEF\xBB\xBF";
  std::size_t characters = 0;  // each line's two-byte letter is one
  for (int i = 0; characters < kMaxWideChars - 64; ++i) {
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%02d:%02d:%02d:Caf\xC3\xA9 %d\r\n", i / 3600 % 100,
                                i / 60 % 60, i % 60, i);
    tmp += line;
    characters += static_cast<std::size_t>(n) - 1;
  }
  WriteLimit("subtitle_file", "utf8_at_limit.txt", tmp + std::string(kMaxWideChars - characters, 'z'));
  WriteLimit("subtitle_file", "utf8_past_limit.txt", tmp + std::string(kMaxWideChars + 1 - characters, 'z'));
}

// A packed bitmap: the way-in byte of the target, an info header, the
// masks for bit fields, the pixels.
std::string PackedBitmap(std::int32_t width, std::int32_t height, int bits, bool bitFields, std::uint32_t headerSize,
                         char fill) {
  std::string b(1, '\0');
  auto put = [&b](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  put(headerSize, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(static_cast<std::uint32_t>(bits), 2);
  put(bitFields ? 3 : 0, 4);
  b.append(20, '\0');
  if (bitFields) {
    put(0xFF0000, 4);
    put(0xFF00, 4);
    put(0xFF, 4);
  }
  // A larger header holds the masks; a 40-byte one is followed by them.
  if (b.size() < 1 + headerSize) b.append(1 + headerSize - b.size(), '\0');
  const std::size_t row = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
  b.append(row * static_cast<std::size_t>(height < 0 ? -height : height), fill);
  return b;
}

void PackedBitmapSeeds() {
  Write("packed_bitmap", "three_wide.bin", PackedBitmap(3, 2, 24, false, 40, '\x5A'));
  Write("packed_bitmap", "widest_row.bin", PackedBitmap(32768, -1, 24, false, 40, '\x10'));
  Write("packed_bitmap", "highest_column.bin", PackedBitmap(1, 32768, 32, true, 40, '\x20'));
  Write("packed_bitmap", "masks_in_header.bin", PackedBitmap(5, -3, 32, true, 56, '\x30'));
  Write("packed_bitmap", "version5.bin", PackedBitmap(4, 4, 32, true, 124, '\x40'));
  // A picture handed to the encoders: 3 x 2 and its six pixels.
  std::string picture = "\x03\x03\x40\x02\x40";
  for (int i = 0; i < 18; ++i) picture += static_cast<char>(i * 14);
  Write("packed_bitmap", "picture.bin", picture);
  WriteDictionary("packed_bitmap", {std::string("\x28\0\0\0", 4), std::string("\x7C\0\0\0", 4),
                                    std::string("\0\x80\0\0", 4), std::string("\0\x80\xFF\xFF", 4)});
}

void MacroSeeds() {
  const std::string times(17, '\0');
  Write("system_macro", "play.txt", times + "/Play C:\\Movies\\Film.avi\r\n");
  Write("system_macro", "enqueue_two.txt", times + "/AddFile D:\\a.mkv\r\n/AddFile D:\\b.mkv");
  Write("system_macro", "long_folder.txt", times + "/AddFolder \\\\?\\C:\\" + std::string(32000, 'f'));
  WriteDictionary("system_macro", {"/Play ", "/AddFile ", "/AddFolder ", "\r\n"});
}

void DisplayModeSeeds() {
  const lc::DisplayMode modes[] = {{640, 480, 60}, {800, 600, 60},   {1024, 768, 60},  {1024, 768, 75},
                                   {1280, 1024, 60}, {1920, 1080, 59}, {1920, 1080, 60}, {1920, 1080, 120},
                                   {1920, 1080, 144}};
  std::string list(1, static_cast<char>(std::size(modes)));
  for (const lc::DisplayMode& m : modes) {
    for (std::uint16_t v : {m.width, m.height, m.rate}) list += {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  }
  list += '\x02';  // the current mode: the third
  Write("display_modes", "wanted.bin", list + "1920 x 1080 x 59 Hz");
  Write("display_modes", "no_change.bin", list + "No change");
  Write("display_modes", "too_long.bin", list + std::string(300, '9'));
  WriteDictionary("display_modes", {" x ", " Hz", "\r\n"});
}

void JumpTimeSeeds() {
  Write("jump_time", "time.txt", std::string(1, '\0') + "01:30:00");
  Write("jump_time", "frames.txt", std::string(1, '\x82') + "99:59:59");
  WriteDictionary("jump_time", {":", "59", "00"});
}

// Movie files at the start-time reader's limits and one step past them:
// the 4,096 boxes it looks at on one level (the movie box after 4,095 and
// after 4,096 others), the 64 edits before the first that shows media;
// and at the AVI key frame reader's: the 100,000 chunks of a list (the
// index after 99,997 and 99,998 others), the 100 streams of the header
// list (the video as the 100th and the 101st), the 16 B-frames counted
// behind a key frame, a picture's header within a chunk's first 256 bytes
// (at 251 and 252), and a chunk of 19 bytes, not 20, taken for a picture
// not coded.
// The real files' headers are in fuzz/corpus/movie_start.
std::string Be32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}
std::string IsoBox(const char* type, const std::string& contents) {
  return Be32(static_cast<std::uint32_t>(8 + contents.size())) + type + contents;
}
std::string RiffChunk(const char* id, const std::string& contents) {
  return id + Le32(static_cast<std::uint32_t>(contents.size())) + contents + std::string(contents.size() % 2, '\0');
}
std::string RiffList(const char* type, const std::string& contents) { return RiffChunk("LIST", type + contents); }

// An MP4 whose video track has `empty` empty edits before one of two
// frames of 12,800, after `boxes` free boxes.
std::string IsoMovie(int boxes, int empty) {
  std::string edits = Be32(0) + Be32(static_cast<std::uint32_t>(empty + 1));
  for (int i = 0; i < empty; ++i) edits += Be32(10) + Be32(0xFFFFFFFF) + Be32(0x10000);
  edits += Be32(6000) + Be32(1024) + Be32(0x10000);
  const std::string header = Be32(0) + Be32(0) + Be32(0) + Be32(12800) + Be32(0);
  const std::string media = IsoBox("mdhd", header) + IsoBox("hdlr", Be32(0) + Be32(0) + "vide");
  const std::string track = IsoBox("trak", IsoBox("edts", IsoBox("elst", edits)) + IsoBox("mdia", media));
  std::string file = IsoBox("ftyp", "isom" + Be32(512));
  for (int i = 0; i < boxes; ++i) file += IsoBox("free", "");
  return file + IsoBox("moov", IsoBox("mvhd", Be32(0) + Be32(0) + Be32(0) + Be32(1000) + Be32(0)) + track);
}

// An AVI of MPEG-4 part 2 video, after `sounds` sound streams, and its
// index (`junk` chunks before it): a chunk of each picture of `pictures`
// (I, P, B, N for a P- and a B-frame packed, J for a key frame and a
// B-frame packed, c for a picture not coded),
// each padded with `padding` bytes, c padded to `notCoded` bytes, and the
// header of each B-frame `headAt` bytes into its chunk.
struct AviPictures {
  int sounds = 0;
  int junk = 0;
  std::size_t padding = 24, notCoded = 6, headAt = 0;
};
std::string AviMovie(const std::string& pictures, const AviPictures& shape = {}) {
  const auto vop = [](int type) { return std::string("\0\0\1\xB6", 4) + static_cast<char>(type << 6); };
  const std::string id = {static_cast<char>('0' + shape.sounds / 10), static_cast<char>('0' + shape.sounds % 10), 'd', 'c'};
  std::string movi, index;
  for (char p : pictures) {
    const bool key = p == 'I' || p == 'J';
    std::string picture = key ? vop(0) : p == 'B' ? std::string(shape.headAt, '\x55') + vop(2) : vop(1);
    if (p == 'N' || p == 'J') picture += std::string(shape.padding, '\x55') + vop(2);
    picture += std::string(p == 'c' ? shape.notCoded - 5 : shape.padding, '\x55');
    index += id + Le32(key ? 0x10 : 0) + Le32(static_cast<std::uint32_t>(4 + movi.size())) +
             Le32(static_cast<std::uint32_t>(picture.size()));
    movi += RiffChunk(id.c_str(), picture);
  }
  std::string format(40, '\0');
  format.replace(16, 4, "XVID");
  std::string streams = RiffChunk("avih", std::string(12, '\0') + Le32(0x10) + std::string(40, '\0'));
  for (int i = 0; i < shape.sounds; ++i)
    streams += RiffList("strl", RiffChunk("strh", "auds" + std::string(52, '\0')) + RiffChunk("strf", std::string(16, '\0')));
  streams += RiffList("strl", RiffChunk("strh", "vids" + std::string(52, '\0')) + RiffChunk("strf", format));
  std::string junk;
  for (int i = 0; i < shape.junk; ++i) junk += RiffChunk("JUNK", "");
  return RiffChunk("RIFF", "AVI " + RiffList("hdrl", streams) + RiffList("movi", movi) + junk + RiffChunk("idx1", index));
}

// A fragmented MP4 of picture (12,800 units a second, 512 a frame) and
// sound, `boxes` free boxes after its movie box, then `fragments`
// fragments of a picture and a sound sample each, the last run listing
// `entries` pictures (the contents of its fragment box, 140 bytes and 4 a
// picture, past the 4 MB read in one piece from 1,048,542 on), and the
// fragments' index when `indexed`.
std::string IsoFragmented(int boxes, int fragments, std::size_t entries, bool indexed) {
  const auto track = [](std::uint32_t id, const char* kind) {
    const std::string header = Be32(0) + Be32(0) + Be32(0) + Be32(12800) + Be32(0);
    const std::string media = IsoBox("mdhd", header) + IsoBox("hdlr", Be32(0) + Be32(0) + kind);
    return IsoBox("trak", IsoBox("tkhd", Be32(0) + Be32(0) + Be32(0) + Be32(id) + std::string(68, '\0')) +
                              IsoBox("mdia", media));
  };
  const auto defaults = [](std::uint32_t id) {
    return IsoBox("trex", Be32(0) + Be32(id) + Be32(1) + Be32(512) + Be32(4) + Be32(0));
  };
  const std::string movie = IsoBox("mvhd", Be32(0) + Be32(0) + Be32(0) + Be32(1000) + Be32(0)) + track(1, "vide") +
                            track(2, "soun") + IsoBox("mvex", defaults(1) + defaults(2));
  std::string file = IsoBox("ftyp", "isom" + Be32(512)) + IsoBox("moov", movie);
  for (int i = 0; i < boxes; ++i) file += IsoBox("free", "");
  std::string places;
  for (int f = 0; f < fragments; ++f) {
    const std::size_t pictures = f + 1 == fragments ? entries : 1;
    const auto time = static_cast<std::uint32_t>(f * 512);
    const auto traf = [&](std::uint32_t id, std::size_t count, std::uint32_t data) {
      std::string run = Be32(0x201) + Be32(static_cast<std::uint32_t>(count)) + Be32(data);
      for (std::size_t i = 0; i < count; ++i) run += Be32(4);
      return IsoBox("traf", IsoBox("tfhd", Be32(0x20000) + Be32(id)) + IsoBox("tfdt", Be32(0) + Be32(time)) +
                                IsoBox("trun", run));
    };
    const auto moof = [&](std::uint32_t data) {
      return IsoBox("moof", IsoBox("mfhd", Be32(0) + Be32(static_cast<std::uint32_t>(f + 1))) +
                                traf(1, pictures, data) + traf(2, 1, static_cast<std::uint32_t>(data + 4 * pictures)));
    };
    places += Be32(time) + Be32(static_cast<std::uint32_t>(file.size())) + "\1\1\1";
    file += moof(static_cast<std::uint32_t>(moof(0).size() + 8)) + IsoBox("mdat", std::string(4 * pictures + 4, 'Z'));
  }
  if (!indexed) return file;
  const auto count = static_cast<std::uint32_t>(fragments);
  const std::string index = IsoBox("tfra", Be32(0) + Be32(1) + Be32(0) + Be32(count) + places);
  return file + IsoBox("mfra", index + IsoBox("mfro", Be32(0) + Be32(static_cast<std::uint32_t>(index.size() + 24))));
}

void MovieStartSeeds() {
  WriteLimit("movie_start", "boxes_4095.mp4", IsoMovie(4094, 1));
  WriteLimit("movie_start", "boxes_4096.mp4", IsoMovie(4095, 1));
  WriteLimit("movie_start", "edits_64.mp4", IsoMovie(0, 63));
  WriteLimit("movie_start", "edits_65.mp4", IsoMovie(0, 64));
  WriteLimit("movie_start", "chunks_100000.avi", AviMovie("IPBBIBB", {.junk = 99997}));
  WriteLimit("movie_start", "chunks_100001.avi", AviMovie("IPBBIBB", {.junk = 99998}));
  WriteLimit("movie_start", "video_100th.avi", AviMovie("IPBBIBB", {.sounds = 99}));
  WriteLimit("movie_start", "video_101st.avi", AviMovie("IPBBIBB", {.sounds = 100}));
  WriteLimit("movie_start", "run_16.avi", AviMovie("IPBBI" + std::string(16, 'B') + "P"));
  WriteLimit("movie_start", "run_17.avi", AviMovie("IPBBI" + std::string(17, 'B') + "P"));
  WriteLimit("movie_start", "head_at_251.avi", AviMovie("IPBBIBBP", {.headAt = 251}));
  WriteLimit("movie_start", "head_at_252.avi", AviMovie("IPBBIBBP", {.headAt = 252}));
  WriteLimit("movie_start", "not_coded_19.avi", AviMovie("INcNcJcNc", {.notCoded = 19}));
  WriteLimit("movie_start", "not_coded_20.avi", AviMovie("INcNcJcNc", {.notCoded = 20}));
  // The fragments' reader: 524,288 boxes looked at on the top level (the
  // fragment box as the 524,288th and the 524,289th), a fragment box read
  // in one piece up to 4 MB.
  WriteLimit("movie_start", "top_boxes_524288.mp4", IsoFragmented(524288 - 3, 1, 1, false));
  WriteLimit("movie_start", "top_boxes_524289.mp4", IsoFragmented(524288 - 2, 1, 1, false));
  WriteLimit("movie_start", "fragment_4mb.mp4", IsoFragmented(0, 2, 1048541, true));
  WriteLimit("movie_start", "fragment_past_4mb.mp4", IsoFragmented(0, 2, 1048542, true));
  Write("movie_start", "limits_small.mp4", IsoMovie(3, 2));
  Write("movie_start", "fragments_small.mp4", IsoFragmented(1, 3, 3, true));
  Write("movie_start", "limits_small.avi", AviMovie("IPBBPBBIBBNcJcN", {.sounds = 2}));
  WriteDictionary("movie_start", {"moov", "trak", "mdia", "mdhd", "mvhd", "hdlr", "vide", "edts", "elst", "mvex",
                                  "trex", "moof", "traf", "tfhd", "tfdt", "trun", "mdat", "mfra", "tfra", "mfro",
                                  std::string("\0\0\0\1", 4), std::string("\xFF\xFF\xFF\xFF", 4), "RIFF",
                                  "AVI ", "LIST", "hdrl", "strl", "strh", "strf", "vids", "movi", "idx1", "indx", "ix00", "00dc",
                                  "01dc", "XVID", "FMP4", std::string("\0\0\1\xB6", 4)});
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
  SubtitleSeeds();
  PackedBitmapSeeds();
  MacroSeeds();
  DisplayModeSeeds();
  JumpTimeSeeds();
  MovieStartSeeds();
  return 0;
}
