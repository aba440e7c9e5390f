// The settings file: "[Configuration]" on the first line, then one line of
// key, "=" and value per key, in CR LF lines of text (ANSI, or UTF-8 behind
// its mark when a value needs it: settings/text_encoding.h). Its reader and
// writer, the conversion of loaded values into the SettingsStore and the
// gathering of the store into values for writing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/file_io.h"
#include "settings/settings_host.h"
#include "settings/settings_store.h"

namespace lc::settings {

inline constexpr const char* kConfigHeader = "[Configuration]";
// Larger files are not read (a real one holds a few kilobytes).
inline constexpr std::uint64_t kMaxConfigFileBytes = 1 << 20;

// Reads the file into `values`: for each line that begins with a key and
// "=" (the first such key in `keys` order, case-sensitive), stores the rest
// of the line at the key's index, growing `values` to at least that index
// + 1. A missing file, a first line other than exactly "[Configuration]" or
// a read failure leaves `values` unchanged. Lines may end in CR LF, LF or CR.
// Returns how the file itself could be read: Damaged for text whose first
// line is not the header (an empty or blank file is Ok and gives nothing).
ReadStatus ReadConfigFile(const std::string& fileName, const std::vector<std::string>& keys,
                    std::vector<std::string>& values);

// The text of a settings file (UTF-8) into `values`, as ReadConfigFile.
// False when the text is not blank and its first line is not the header.
bool ParseConfigText(std::string_view text, const std::vector<std::string>& keys,
                     std::vector<std::string>& values);

// Writes the header and one "key=value" line per entry of `values` (CR LF
// ends every line), replacing the old file only when the whole file was
// written. A CR or LF inside a value is dropped so that it cannot split the
// line. False on any failure, with the old file left as it was.
bool WriteConfigFile(const std::string& fileName, const std::vector<std::string>& keys,
                     const std::vector<std::string>& values);

// The text (UTF-8) that WriteConfigFile writes.
std::string ConfigText(const std::vector<std::string>& keys, const std::vector<std::string>& values);

// "2" bold and italic, "1" bold, "3" italic, "0" neither.
std::string FontStyleToCode(FontStyles style);
// 1 bold, 2 bold and italic, 3 italic, anything else no style.
FontStyles CodeToFontStyle(int code);

// The subtitle font's point size for a SubtitleSize percentage: 28 pt at
// 100 % on a 1024-pixel-wide screen.
int SubtitlePointSize(int screenWidth, int subtitleSize);

// Loads the settings file into a store holding its defaults: reads it,
// and when at least one line matched a key, converts and clamps every value
// (ConfigValues then holds the 96 values read). Returns whether the file
// was converted; otherwise nothing changed, except for a file that exists
// but could not be read (unreadable, too large, in a foreign encoding or
// without its header line): then ConfigUnread is NotTold and FirstRun
// cleared (the user has run the program before).
bool LoadSettingsFile(SettingsStore& store, const SettingsHost& host, const std::string& fileName);

// Converts 96 loaded values into the store (the values of missing keys are
// empty). ConfigValues receives `values`, with the equalizer entry as used.
void ConvertLoadedValues(SettingsStore& store, const SettingsHost& host,
                         std::vector<std::string> values);

// The 96 values to write, from the store (after GatherLiveValues).
// `translatedNoChange` is the current text of TextOptionLists entry 6; a
// FullscreenModeSwitch equal to it is written as "No change".
std::vector<std::string> BuildConfigValues(const SettingsStore& store, const SettingsHost& host,
                                           const std::string& translatedNoChange);

// Gathers the live values, fills ConfigValues, creates `dataFolder` when
// missing, writes the file and sets ConfigWriteError to the negation of the
// result. Shows nothing. Before the start-up has taken the settings
// (ConfigTaken) it does nothing at all; nor while the file could not be
// read and the user is not told yet (ConfigUnread NotTold). A file that
// stays unread (no copy of it could be kept) is not written over:
// ConfigWriteError is set.
void SaveConfiguration(SettingsStore& store, const SettingsHost& host, const std::string& fileName,
                       const std::string& dataFolder, const std::string& translatedNoChange);

}  // namespace lc::settings
