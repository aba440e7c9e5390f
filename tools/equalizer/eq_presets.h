// Equalizer presets: the values behind the equalizer window's sliders, the
// list the preset dialog shows and the "Presets.EQ" file. Portable.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/unread_file.h"

namespace lc::tools {

// One preset: the pre-amplification, then bands 1 to 10; each -100 (top of
// the slider, a boost) .. 100 (bottom, an attenuation).
using TEqPreset = std::array<std::int8_t, 11>;

struct TNamedPreset {
  std::string Name;  // UTF-8
  TEqPreset Values{};
};

// The gain in decibels a slider's label shows: round(-position / 5).
int EqLabelValue(int Position);
// The amplifier volume for a pre-amplification position:
// round(10^(-position / 100) x 10000), 10000 being unity.
std::int32_t PreampVolume(int Position);
// The pre-amplification position that shows an amplifier volume:
// round(log10(volume x 0.0001) x -100); 0 for a volume of 0 or less.
int PreampPositionFromVolume(std::int32_t Volume);

// A name a preset may be saved under: not empty, no "=" (the file splits
// there) and no line break.
bool ValidPresetName(std::string_view Name);

// Reads the lines of a presets file: "name=v0,v1,...,v10". A line without
// "=" or starting with it is skipped; the values are tokens of "-" and
// digits, anything else ends a token; a token that is no integer reads 0;
// values are clamped to -100..100; missing values are 0, surplus ones
// ignored.
std::vector<TNamedPreset> ParsePresetLines(const std::vector<std::string>& Lines);
// The file's text for the user presets, one CR LF ended line each.
std::string FormatPresetLines(const std::vector<TNamedPreset>& Presets);

// The dialog's list: entry 0 is the built-in flat preset (never saved,
// deleted or overwritten), the user presets follow in file order.
class TPresetList {
 public:
  explicit TPresetList(std::string DefaultCaption);

  void SetUserPresets(std::vector<TNamedPreset> Presets);
  std::vector<TNamedPreset> UserPresets() const;
  int Count() const { return static_cast<int>(FEntries.size()); }
  const TNamedPreset& Entry(int Index) const { return FEntries.at(Index); }

  // Saves Values under Name: the first user entry of exactly that name is
  // overwritten in place, else a new entry is appended. Returns its index;
  // -1 (nothing saved) for a name ValidPresetName refuses.
  int SaveAs(const std::string& Name, const TEqPreset& Values);
  // Deletes user entry Index (1 .. Count - 1) when the list holds at least
  // two entries. Returns the entry selected afterwards, min(Index, Count - 2)
  // counted before the removal; -1 when nothing was deleted.
  int Delete(int Index);
  // A save or a delete happened since SetUserPresets.
  bool Changed() const { return FChanged; }

 private:
  std::vector<TNamedPreset> FEntries;
  bool FChanged = false;
};

// What reading the presets file found.
enum class TPresetsFileState {
  Missing,     // no file: an empty list
  Loaded,      // read whole
  PartlyRead,  // read, but some of its lines are not presets as the file
               // holds them (a line without "=", a comment, values that are
               // no numbers of the sliders' range): the presets read are
               // offered, and the file is set aside before a changed list is
               // written in its place
  Damaged,     // unreadable, too large, in a foreign encoding, not text (it
               // holds control characters), or text without a single
               // preset: the built-in preset is offered and the file is left
               // as it is until there is something to write
  SetAside,    // was Damaged or PartlyRead; saving the changed list kept a
               // copy of it (".bad")
};

// Reads Path (ANSI text, or UTF-8 behind its mark) into List's user
// presets.
TPresetsFileState LoadPresetsFile(const std::string& Path, TPresetList& List);
// Writes List's user presets to Path (its folder created when missing)
// through a temporary file that replaces the old one, only when the list
// was changed (a save or a delete): an unchanged list leaves the file as it
// is. A file that was not read whole (Damaged, PartlyRead) is never written
// over: a copy of it is kept aside first (settings::KeepUnreadFile; State
// becomes SetAside). False when the changed list could not be written (the file
// then stays as it was).
// `Kept`, when given, receives what keeping the file aside did.
bool SavePresetsFile(const std::string& Path, const TPresetList& List, TPresetsFileState& State,
                     settings::KeptCopy* Kept = nullptr);

}  // namespace lc::tools
