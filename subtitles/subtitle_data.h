// The subtitle of the current movie as the player and the painter read it:
// the timed entries, their display times and their screen lines.
//
// A subtitle file is either 8-bit text in the system's ANSI code page or
// UTF-16 text (a UTF-16LE file, or UTF-8 decoded to UTF-16). IsWide tells
// which: the 8-bit texts keep the file's own bytes, so every rule that looks
// at characters sees what the file holds; the wide texts are UTF-16 code
// units. Whatever the file, EntryLinesW holds every entry's screen lines in
// UTF-16, the 8-bit ones converted through the ANSI code page, so the painter
// draws from one list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lc::subtitles {

// The detected line format of a subtitle file.
enum class SubtitleFormat : int {
  Unknown = 0,
  MicroDvd = 1,   // {start frame}{end frame}text
  SubRip = 2,     // number, "hh:mm:ss,mmm --> hh:mm:ss,mmm", text, blank
  SubViewer = 3,  // "hh:mm:ss.cc,hh:mm:ss.cc", text
  Ssa = 4,        // "Dialogue: Marked=" lines
  TmPlayer = 5,   // "hh:mm:ss:text"
};

// Timed entries with texts of one character type (char: ANSI bytes,
// char16_t: UTF-16). Times are milliseconds from the start of the movie,
// -1 while not given; "|" separates the screen lines of a text.
template <class Char>
struct TimedEntries {
  std::vector<std::int32_t> Start;
  std::vector<std::int32_t> End;
  std::vector<std::basic_string<Char>> Text;

  std::size_t Count() const { return Text.size(); }
  void Add(std::int32_t start, std::int32_t end, std::basic_string<Char> text) {
    Start.push_back(start);
    End.push_back(end);
    Text.push_back(std::move(text));
  }
};

// A loaded subtitle. Empty (Count() == 0) after a failed load.
struct Subtitle {
  SubtitleFormat Format = SubtitleFormat::Unknown;  // SubtitleFormat
  bool IsWide = false;                               // SubtitleIsWide
  // SubtitleList: start and end of every entry, in file order.
  std::vector<std::int32_t> Start;
  std::vector<std::int32_t> End;
  std::vector<std::string> Text;      // entry texts of an 8-bit file
  std::vector<std::u16string> TextW;  // entry texts of a wide file
  // SubtitleDurations: how long each entry stays on screen when the end
  // times are not used (the display-length rule, cut at the next start).
  std::vector<std::int32_t> Durations;
  // SubtitleEntryLines: each entry's display copy (style groups removed)
  // split at "|"; EntryLines only for an 8-bit file, EntryLinesW always.
  std::vector<std::vector<std::string>> EntryLines;
  std::vector<std::vector<std::u16string>> EntryLinesW;

  std::size_t Count() const { return Start.size(); }
};

}  // namespace lc::subtitles
