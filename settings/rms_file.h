// The remembered-settings file (base name + ".rs" in the data folder): per
// entry a "[movie name]" line followed by "Field=value" lines, CR LF lines
// of text (ANSI, or UTF-8 behind its mark when a movie name needs it:
// settings/text_encoding.h), rewritten whole at every save.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/file_io.h"
#include "settings/rms_table.h"
#include "settings/unread_file.h"

namespace lc::settings {

// Files of 8193 or more whole 128-byte blocks are not read.
inline constexpr std::uint64_t kMaxRmsFileBytes = 8193ull * 128 - 1;
// The reader keeps at most this many entries and ignores the rest of the
// file (the player itself creates at most 200; a file may bring more).
inline constexpr std::size_t kRmsMaxLoadedEntries = 1000;

// State of the file between saves.
struct RmsFileState {
  bool Saving = false;          // RmsSaving: set for the duration of one save
  double LastRmsSaveTime = 0;
  // The file was loaded (or found missing) in this run. Until then the
  // table is not the file's, and no save writes or deletes the file.
  bool Read = false;
  // The file existed but could not be read whole (too large, unreadable, in
  // a foreign encoding, or entries had to be dropped): it is the user's, and
  // no save deletes or replaces it before a copy of it is kept aside and
  // the user told (settings/unread_file.h).
  UnreadFile Unread = UnreadFile::None;
  // The table as this run last read it from the file or saved it: what
  // this run changed since is what the next save writes over the file's
  // entries (settings/rms_merge.h).
  RmsTable Synced;
  // The values an entry read from the file starts from (RmsLoadFromHdd's).
  TRmsEntry StartValues;
  // The file that was found damaged last (at the load or by a save), the
  // user told of it or to be told: a save that finds it so again merges
  // what it can read of it; one that finds other damage writes nothing.
  std::optional<FileStamp> DamageSeen;
  // A save found the file damaged anew and wrote nothing: Unread is
  // NotTold until a copy is kept aside and the user told (who does that
  // clears this); the next save writes then.
  bool DamageFound = false;
  // The last save taken in found another player holding the file's save
  // past the wait (hung, say), and wrote nothing.
  bool HeldByAnother = false;
};

using FontCheckFunction = std::function<bool(const std::string& name)>;

// TfrmMain.rmsLoadFromHdd: empties `table` and fills it from the file, and
// sets state.Read. Every bracketed line starts an entry with `startValues`
// (the present window, colour, volume and subtitle values); the fields that
// follow overwrite them. A missing file gives an empty table; an unreadable
// or over-large one, or one in a foreign encoding, gives an empty table and
// makes state.Unread NotTold; so does a file from which entries were
// dropped (ParseRmsLines), with the entries that could be read in the
// table.
void RmsLoadFromHdd(RmsTable& table, const std::string& fileName, const TRmsEntry& startValues,
                    const FontCheckFunction& isFontInstalled, RmsFileState& state);

// Parses the lines of a remembered-settings file into `table` (appending),
// until the table holds kRmsMaxLoadedEntries entries. A line that is
// neither a bracketed name nor a known field (blank lines aside) is not
// read; one that looks like a damaged name line (a bracket at one end
// only, or no "=") also ends the entry before it, and the fields after it,
// up to the next name line, are dropped with it: they belong to an entry
// whose name was lost. So does a field that comes twice in one entry: the
// line break before a name line was lost where it could not be seen.
// A field line that holds the next line after its value, its line break
// lost, is read as the two lines it was: a bracketed name at its end (the
// value can hold no "["; the font name is the one that can) starts the
// next entry; the key of another field of the entry in it ("Contrast=" in
// "Brightness=1051Contrast=9051"; in a font name, whose text may hold
// anything, only the key of a field written after it) begins that field's
// line. So is a name line that goes on with a field line (a "]" followed
// by a field's key), where the line does not end as a name line does or
// runs on to the next name ("[" after the key): a movie's name may itself
// hold brackets and a key's text. Zero bytes stand for lines that were
// lost: the text before them is not read, and the fields after them, up to
// the next name line, are dropped. False when anything was not read, or
// read from such a joined line: damaged lines, zero bytes, text before the
// first name line, or entries beyond the limit.
// `isFontInstalled` is asked once for each font name.
bool ParseRmsLines(RmsTable& table, const std::vector<std::string>& lines,
                   const TRmsEntry& startValues, const FontCheckFunction& isFontInstalled);

// The file text (UTF-8) of the entries. A text the reader would refuse
// (more than kMaxRmsFileBytes) is never made: an entry too large for any
// file is left out, then the least recently accessed entries (the first
// listed of equally old ones) until the text fits.
std::string RmsToText(const std::vector<TRmsEntry>& entries);
inline std::string RmsToText(const RmsTable& table) { return RmsToText(table.entries()); }

// One save of the remembered settings, as the GUI thread hands it to the
// thread that writes: this run's table as it stood and what the state knew
// of the file then.
struct RmsSaveJob {
  RmsTable Mine;
  RmsTable Synced;
  TRmsEntry StartValues;
  std::optional<FileStamp> DamageSeen;
  std::string FileName, DataFolder;
};

// What one save did: wrote the merged entries (or deleted the file), could
// not, found the file damaged anew (its stamp) and wrote nothing, or found
// another player holding the save past the wait and neither read nor wrote.
struct RmsSaveDone {
  enum class Outcome { Written, NotWritten, DamageFound, HeldByAnother } outcome = Outcome::NotWritten;
  FileStamp stamp;
};

// GUI thread: the save of `table` to run now (a copy of what it needs), or
// nothing when there is nothing to write now: before the file was loaded,
// while the user is not told of its damage, or while it stays (no copy of
// it could be kept); `savedWithout` then tells whether that counts as saved
// (not when a file that stays keeps this run's changes out).
std::optional<RmsSaveJob> RmsSaveJobFor(const RmsTable& table, const RmsFileState& state,
                                        const std::string& fileName, const std::string& dataFolder,
                                        bool& savedWithout);

// Any thread: the save itself. Waits for another player's save of the file
// (SaveLock; when the wait runs out, the save ends there), reads the file again and merges what the job's table changed
// since its Synced into what it holds now (MergeRms); no entries to write
// delete the file; any other creates the data folder when missing and
// writes the file, replacing the old one only when the whole text was
// written.
RmsSaveDone RunRmsSave(const RmsSaveJob& job);

// GUI thread: takes what the save of `job` did into the table and the
// state. A file found damaged anew makes state.Unread NotTold and sets
// state.DamageFound; state.HeldByAnother tells whether another player held
// the save. A written file becomes state.Synced as the job had it;
// the names the job's table had deleted are forgotten, those deleted since
// are kept for the next save. False when nothing could be written.
bool TakeRmsSave(RmsTable& table, RmsFileState& state, const RmsSaveJob& job, const RmsSaveDone& done);

// TfrmMain.rmsSaveToHdd, on the calling thread: does nothing while a save
// runs; records `now` as the last save time, clears state.HeldByAnother;
// then RmsSaveJobFor,
// RunRmsSave and TakeRmsSave. An unread file that stays (no copy of it
// could be kept) is never written over or deleted; nor is one the user is
// not told of yet. Silent; returns false when the entries could not be
// written (or the file deleted), or while another save runs, or while a
// file that stays keeps this run's changes out; true when there was
// nothing to write.
bool RmsSaveToHdd(RmsTable& table, const std::string& fileName, const std::string& dataFolder,
                  RmsFileState& state, double now);

}  // namespace lc::settings
