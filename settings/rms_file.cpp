#include "settings/rms_file.h"

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <string_view>

#include "dates/date_time.h"
#include "settings/file_io.h"
#include "settings/rms_merge.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

using E = TRmsEntry;

// One "Field=" line of an entry: how it is read and written. `write`
// returns false for a line that is left out (an empty bookmark).
struct RmsField {
  const char* key;  // including "="
  void (*read)(E& e, const std::string& v, const FontCheckFunction& fonts);
  bool (*write)(const E& e, std::string& out);
};

std::int32_t IntIn(const std::string& v, std::int32_t fallback, std::int32_t lo, std::int32_t hi) {
  return ClampInt(StrToIntDef(v, fallback), lo, hi);
}

double AspectFrom(const std::string& v) {
  const double r = std::clamp(StrToFloatDot(v, 1.33), -1.0, 5.0);
  return r < 0 ? -1.0 : std::max(r, 0.1);
}

std::string AspectText(double ratio) {
  return FloatToText(static_cast<double>(RoundHalfEven(ratio * 100)) * 0.01);
}

// "hh:nn:ss" with minutes and seconds below 60 (any two-digit hours).
bool IsBookmarkText(const std::string& v) {
  auto digit = [](char c, char hi) { return c >= '0' && c <= hi; };
  return v.size() == 8 && digit(v[0], '9') && digit(v[1], '9') && v[2] == ':' && digit(v[3], '5') &&
         digit(v[4], '9') && v[5] == ':' && digit(v[6], '5') && digit(v[7], '9');
}

template <int K>
RmsField Bookmark() {
  static const std::string key = "BookMark" + std::to_string(K + 1) + "=";
  return {key.c_str(),
          [](E& e, const std::string& v, const FontCheckFunction&) {
            const std::string text = Utf8Left(v, 256);
            if (IsBookmarkText(text)) e.BookMark[K] = text;
          },
          [](const E& e, std::string& out) {
            out = e.BookMark[K];
            return !out.empty();
          }};
}

#define LC_INT_FIELD(name, fallback, lo, hi)                                                 \
  RmsField {                                                                                 \
    #name "=", [](E& e, const std::string& v, const FontCheckFunction&) {                    \
      e.name = IntIn(v, fallback, lo, hi);                                                   \
    },                                                                                       \
        [](const E& e, std::string& out) { out = std::to_string(e.name); return true; }     \
  }

#define LC_BOOL_FIELD(name, fallback)                                                        \
  RmsField {                                                                                 \
    #name "=", [](E& e, const std::string& v, const FontCheckFunction&) {                    \
      e.name = StrToBoolDef(v, fallback);                                                    \
    },                                                                                       \
        [](const E& e, std::string& out) { out = BoolToStr(e.name); return true; }          \
  }

const std::vector<RmsField>& Fields() {
  static const std::vector<RmsField> fields = {
      {"LastAccessed=",
       [](E& e, const std::string& v, const FontCheckFunction&) { e.LastAccessed = TextToDateTime(v, 0); },
       [](const E& e, std::string& out) { out = DateTimeToText(e.LastAccessed); return true; }},
      LC_INT_FIELD(PanScan, 0, -50, 100),
      {"AspectRatio=", [](E& e, const std::string& v, const FontCheckFunction&) { e.AspectRatio = AspectFrom(v); },
       [](const E& e, std::string& out) { out = AspectText(e.AspectRatio); return true; }},
      LC_INT_FIELD(VideoImageXPosition, 0, -100, 100),
      LC_INT_FIELD(VideoImageYPosition, 0, -100, 100),
      LC_INT_FIELD(VideoWindowWidth, 0, 46, 8006),
      LC_INT_FIELD(VideoWindowHeight, 0, 36, 6006),
      {"LastVideoPosition=",
       [](E& e, const std::string& v, const FontCheckFunction&) {
         e.LastVideoPosition = std::max(TextToTime(v, 0), 0.0);
       },
       [](const E& e, std::string& out) { out = TimeToText(e.LastVideoPosition); return true; }},
      Bookmark<0>(), Bookmark<1>(), Bookmark<2>(), Bookmark<3>(), Bookmark<4>(),
      Bookmark<5>(), Bookmark<6>(), Bookmark<7>(), Bookmark<8>(),
      LC_INT_FIELD(Brightness, 2000, 0, 10000),
      LC_INT_FIELD(Contrast, 10000, 0, 20000),
      LC_INT_FIELD(Hue, 0, -180, 180),
      LC_INT_FIELD(Saturation, 10000, 0, 20000),
      LC_BOOL_FIELD(FullScreen, false),
      LC_INT_FIELD(AudioVolume, 5000, 0, 10000),
      {"SubtitleFontName=",
       [](E& e, const std::string& v, const FontCheckFunction& fonts) {
         e.SubtitleFontName = fonts && fonts(v) ? v : "Arial";
       },
       [](const E& e, std::string& out) { out = e.SubtitleFontName; return true; }},
      LC_INT_FIELD(SubtitleSize, 100, 10, 1000),
      LC_INT_FIELD(SubtitleFontColor, 16777215, -16777215, 16777215),
      {"SubtitleFontStyle=",
       [](E& e, const std::string& v, const FontCheckFunction&) {
         e.SubtitleFontStyle = CodeToFontStyle(IntIn(v, 1, 0, 3));
       },
       [](const E& e, std::string& out) { out = FontStyleToCode(e.SubtitleFontStyle); return true; }},
      LC_BOOL_FIELD(TransparentBackground, true),
      LC_BOOL_FIELD(UseOutlineFont, true),
      LC_INT_FIELD(AverageVerticalDisplayZone, 15, 0, 50),
  };
  return fields;
}

#undef LC_INT_FIELD
#undef LC_BOOL_FIELD

bool IsEntryStart(const std::string& line) {
  return line.size() > 1 && line.front() == '[' && line.back() == ']';
}

// A line that is no field line and looks like what is left of a name line:
// a bracket at either end, or no "=" at all. The fields after it belong to
// an entry whose name was lost, not to the entry before it.
bool IsDamagedEntryStart(const std::string& line) {
  return line.front() == '[' || line.back() == ']' || line.find('=') == std::string::npos;
}

const RmsField* FieldOf(std::string_view line) {
  for (const RmsField& f : Fields()) {
    if (line.starts_with(f.key)) return &f;
  }
  return nullptr;
}

// Where the name ends ("]") in a line that starts with a name line and
// goes on with a field line, its line break lost, or npos. A movie's name
// may hold "]" and a key's text of its own: a name line that holds them is
// taken for a joined one only when the line does not end as a name line
// does, or when it runs on to the next name line ("[" after the key).
std::size_t JoinedFieldAfterName(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::string_view::npos;
  for (std::size_t end = line.find(']', 1); end != std::string_view::npos; end = line.find(']', end + 1)) {
    const std::string_view rest = line.substr(end + 1);
    if (FieldOf(rest) && (line.back() != ']' || rest.find('[') != std::string_view::npos)) return end;
  }
  return std::string_view::npos;
}

// Where a name line joined to the value of `field` begins ("[" of a value
// that ends with "]"), or npos. The font name may hold brackets of its
// own: a name joined to it shows as a field read twice.
std::size_t JoinedNameAt(const RmsField& field, std::string_view value) {
  if (value.empty() || value.back() != ']' || std::string_view(field.key) == "SubtitleFontName=")
    return std::string_view::npos;
  return value.find('[');
}

// Where the next field line joined to the value of `field` begins (the
// first "Key=" of a field of an entry in it), or npos. A number, a date, a
// time or a bookmark holds no such text; a font name may hold any text,
// so only the key of a field written after it is taken there.
std::size_t JoinedFieldAt(std::size_t field, std::string_view value) {
  const std::vector<RmsField>& fields = Fields();
  const bool anyText = std::string_view(fields[field].key) == "SubtitleFontName=";
  std::size_t at = std::string_view::npos;
  for (std::size_t i = anyText ? field + 1 : 0; i < fields.size(); ++i) at = std::min(at, value.find(fields[i].key));
  return at;
}

// Reads the lines of a file one by one into a table (ParseRmsLines).
class RmsLinesReader {
 public:
  RmsLinesReader(RmsTable& table, const TRmsEntry& startValues, const FontCheckFunction& isFontInstalled)
      : table_(table), startValues_(startValues), isFontInstalled_(isFontInstalled) {}

  // Reads one line of the file, and the lines it holds whose line breaks
  // were lost; false once the table is full.
  bool Read(std::string line);
  // Nothing was left unread, and no line held another.
  bool Whole() const { return whole_; }

 private:
  // Starts the entry of the name line `line`; false beyond the limit.
  bool StartEntry(const std::string& line);
  // A file names few fonts, each asked of the platform once (at start-up,
  // before the main window shows).
  bool KnownFont(const std::string& name);

  RmsTable& table_;
  const TRmsEntry& startValues_;
  const FontCheckFunction& isFontInstalled_;
  std::map<std::string, bool, std::less<>> fontsSeen_;
  FontCheckFunction knownFont_ = [this](const std::string& name) { return KnownFont(name); };
  TRmsEntry* current_ = nullptr;
  std::vector<bool> fieldsRead_ = std::vector<bool>(Fields().size());
  bool whole_ = true;
};

bool RmsLinesReader::KnownFont(const std::string& name) {
  const auto [at, added] = fontsSeen_.try_emplace(name, false);
  if (added) at->second = isFontInstalled_ && isFontInstalled_(name);
  return at->second;
}

bool RmsLinesReader::StartEntry(const std::string& line) {
  if (table_.size() >= kRmsMaxLoadedEntries) return false;
  TRmsEntry entry = startValues_;
  entry.Name = line.substr(1, line.size() - 2);
  table_.Append(std::move(entry));
  current_ = &table_[table_.size() - 1];
  fieldsRead_.assign(fieldsRead_.size(), false);
  return true;
}

bool RmsLinesReader::Read(std::string line) {
  for (;;) {
    if (const std::size_t zero = line.find('\0'); zero != std::string::npos) {
      // Zero bytes stand where text was (a crash can leave a file so): the
      // lines they replaced are lost, name lines among them. The text
      // before them lost its end; the fields after them may be another
      // entry's.
      whole_ = false;
      current_ = nullptr;
      const std::size_t after = line.find_first_not_of('\0', zero);
      if (after == std::string::npos) return true;
      line.erase(0, after);
      continue;
    }
    if (const std::size_t end = JoinedFieldAfterName(line); end != std::string::npos) {
      // The line break after the name was lost: the name starts its entry,
      // and what follows it is read as the line it was.
      whole_ = false;
      if (!StartEntry(line.substr(0, end + 1))) return false;
      line.erase(0, end + 1);
      continue;
    }
    if (IsEntryStart(line)) return StartEntry(line);
    if (IsBlankText(line)) return true;
    const RmsField* field = current_ ? FieldOf(line) : nullptr;
    const std::size_t index = field ? static_cast<std::size_t>(field - Fields().data()) : 0;
    if (!field || fieldsRead_[index]) {
      // Text the reader does not know, or a field read already: the file
      // is not read whole.
      whole_ = false;
      if (field || IsDamagedEntryStart(line)) current_ = nullptr;
      return true;
    }
    fieldsRead_[index] = true;
    const std::string value = line.substr(std::char_traits<char>::length(field->key));
    const std::size_t name = JoinedNameAt(*field, value);
    const std::size_t cut = std::min(name, JoinedFieldAt(index, std::string_view(value).substr(0, name)));
    if (cut == std::string::npos) {
      field->read(*current_, value, knownFont_);
      return true;
    }
    // The line break after the value was lost: the value is the field's,
    // and what follows it is read as the line it was.
    whole_ = false;
    field->read(*current_, value.substr(0, cut), knownFont_);
    line = value.substr(cut);
  }
}

}  // namespace

bool ParseRmsLines(RmsTable& table, const std::vector<std::string>& lines,
                   const TRmsEntry& startValues, const FontCheckFunction& isFontInstalled) {
  RmsLinesReader reader(table, startValues, isFontInstalled);
  for (const std::string& line : lines) {
    if (!reader.Read(line)) return false;
  }
  return reader.Whole();
}

namespace {

// Reads the file as it stands now, with the stamp of the version read (a
// save of another player between the two looks is read again).
ReadStatus ReadRmsNow(const std::string& fileName, std::string& text, FileStamp& stamp) {
  ReadStatus status = ReadStatus::Missing;
  for (int attempt = 0; attempt < 3; ++attempt) {
    stamp = StampOf(fileName);
    status = ReadStoredText(fileName, kMaxRmsFileBytes, text);
    if (StampOf(fileName) == stamp) break;
  }
  return status;
}

// Reads the file now into `entries`: true when it was read whole (a
// missing file is, with no entries). Every font name is kept as the file
// has it.
bool ReadRmsEntries(const std::string& fileName, const TRmsEntry& startValues, const FontCheckFunction& fonts,
                    RmsTable& entries, FileStamp& stamp) {
  std::string text;
  const ReadStatus status = ReadRmsNow(fileName, text, stamp);
  if (status == ReadStatus::Missing) return true;
  if (status != ReadStatus::Ok) return false;
  return ParseRmsLines(entries, SplitLines(text), startValues, fonts);
}

}  // namespace

void RmsLoadFromHdd(RmsTable& table, const std::string& fileName, const TRmsEntry& startValues,
                    const FontCheckFunction& isFontInstalled, RmsFileState& state) {
  table.Reset();
  state.Read = true;
  state.Unread = UnreadFile::None;
  state.StartValues = startValues;
  state.DamageSeen.reset();
  state.DamageFound = false;
  FileStamp stamp;
  if (!ReadRmsEntries(fileName, startValues, isFontInstalled, table, stamp)) {
    state.Unread = UnreadFile::NotTold;
    state.DamageSeen = stamp;
  }
  state.Synced = table;
}

std::string RmsToText(const std::vector<TRmsEntry>& entries) {
  std::vector<std::string> blocks(entries.size());
  std::size_t total = 0;
  std::string value;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    blocks[i] = "[" + entries[i].Name + "]\r\n";
    for (const RmsField& f : Fields()) {
      if (f.write(entries[i], value)) blocks[i] += f.key + value + "\r\n";
    }
    total += blocks[i].size();
  }
  for (std::string& block : blocks) {
    if (block.size() > kMaxRmsFileBytes) {  // too large for any file
      total -= block.size();
      block.clear();
    }
  }
  if (total > kMaxRmsFileBytes) {
    std::vector<std::size_t> oldestFirst(entries.size());
    std::iota(oldestFirst.begin(), oldestFirst.end(), std::size_t{0});
    std::stable_sort(oldestFirst.begin(), oldestFirst.end(), [&](std::size_t a, std::size_t b) {
      return entries[a].LastAccessed < entries[b].LastAccessed;
    });
    for (std::size_t i : oldestFirst) {
      if (total <= kMaxRmsFileBytes) break;
      total -= blocks[i].size();
      blocks[i].clear();
    }
  }
  std::string text;
  text.reserve(total);
  for (const std::string& block : blocks) text += block;
  return text;
}

std::optional<RmsSaveJob> RmsSaveJobFor(const RmsTable& table, const RmsFileState& state,
                                        const std::string& fileName, const std::string& dataFolder,
                                        bool& savedWithout) {
  savedWithout = true;
  if (!state.Read) return std::nullopt;  // not this run's file yet
  if (state.Unread == UnreadFile::NotTold) return std::nullopt;  // told first
  if (state.Unread == UnreadFile::Stays) {
    savedWithout = !RmsChangedSince(table, state.Synced);
    return std::nullopt;
  }
  return RmsSaveJob{table, state.Synced, state.StartValues, state.DamageSeen, fileName, dataFolder};
}

RmsSaveDone RunRmsSave(const RmsSaveJob& job) {
  // From the read to the write no other player saves: what it writes in
  // between would be written over unseen.
  const SaveLock lock(job.FileName);
  if (!lock.Taken()) return {RmsSaveDone::Outcome::HeldByAnother, {}};
  RmsTable theirs;
  FileStamp stamp;
  const bool whole = ReadRmsEntries(
      job.FileName, job.StartValues, [](const std::string&) { return true; }, theirs, stamp);
  // Damaged since this run last looked: kept aside and told first.
  if (!whole && job.DamageSeen != stamp) return {RmsSaveDone::Outcome::DamageFound, stamp};
  const std::vector<TRmsEntry> merged = MergeRms(job.Mine, job.Synced, theirs, whole);
  bool written = false;
  if (merged.empty()) {
    written = DeleteFileAt(job.FileName);
  } else {
    if (!job.DataFolder.empty() && !FolderExists(job.DataFolder)) CreateFolders(job.DataFolder);
    written = WriteFileReplacing(job.FileName, EncodeStoredText(RmsToText(merged)));
  }
  return {written ? RmsSaveDone::Outcome::Written : RmsSaveDone::Outcome::NotWritten, stamp};
}

bool TakeRmsSave(RmsTable& table, RmsFileState& state, const RmsSaveJob& job, const RmsSaveDone& done) {
  state.HeldByAnother = done.outcome == RmsSaveDone::Outcome::HeldByAnother;
  switch (done.outcome) {
    case RmsSaveDone::Outcome::DamageFound:
      state.DamageSeen = done.stamp;
      state.Unread = UnreadFile::NotTold;
      state.DamageFound = true;
      return true;
    case RmsSaveDone::Outcome::NotWritten:
    case RmsSaveDone::Outcome::HeldByAnother:
      return false;
    case RmsSaveDone::Outcome::Written:
      break;
  }
  // What the next save measures this run's changes against is what this
  // one wrote; the names deleted since it was asked are still to go.
  state.Synced = job.Mine;
  state.Synced.ForgetDeleted();
  table.ForgetDeleted(job.Mine.Deleted().size());
  return true;
}

bool RmsSaveToHdd(RmsTable& table, const std::string& fileName, const std::string& dataFolder,
                  RmsFileState& state, double now) {
  if (state.Saving) return false;
  state.Saving = true;
  state.LastRmsSaveTime = now;
  state.HeldByAnother = false;
  bool ok = true;
  if (const std::optional<RmsSaveJob> job = RmsSaveJobFor(table, state, fileName, dataFolder, ok))
    ok = TakeRmsSave(table, state, *job, RunRmsSave(*job));
  state.Saving = false;
  return ok;
}

}  // namespace lc::settings
