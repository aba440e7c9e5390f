#include "tools/equalizer/eq_presets.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "settings/file_io.h"
#include "settings/text_encoding.h"
#include "settings/unread_file.h"
#include "settings/value_parse.h"

namespace lc::tools {

namespace {

constexpr int kMinValue = -100;
constexpr int kMaxValue = 100;
// Far beyond any real presets file; a larger one is not read.
constexpr std::uint64_t kMaxFileBytes = 1 << 20;

// A token of "-" and digits as a decimal integer: 0 when empty or no valid
// integer ("1-2", "--5"); clamped to the slider range.
int TokenValue(const std::string& Token) {
  std::size_t I = 0;
  bool Negative = false;
  if (I < Token.size() && Token[I] == '-') {
    Negative = true;
    ++I;
  }
  if (I == Token.size()) return 0;
  long long Value = 0;
  for (; I < Token.size(); ++I) {
    if (Token[I] < '0' || Token[I] > '9') return 0;
    Value = std::min<long long>(Value * 10 + (Token[I] - '0'), 1000);
  }
  return std::clamp(static_cast<int>(Negative ? -Value : Value), kMinValue, kMaxValue);
}

TEqPreset ParseValues(std::string Text) {
  TEqPreset Values{};
  Text += ',';
  std::string Token;
  std::size_t Next = 0;
  for (char C : Text) {
    if (C == '-' || (C >= '0' && C <= '9')) {
      Token += C;
      continue;
    }
    Values[Next++] = static_cast<std::int8_t>(TokenValue(Token));
    Token.clear();
    if (Next == Values.size()) break;
  }
  return Values;
}

// A line as the file holds a preset: a name, "=", and up to eleven values
// of the sliders' range as plain decimals between commas. The reader takes
// more (any separators, numbers out of range, no numbers at all), but what
// it makes of such a line is not what the line says.
bool IsWholePresetLine(std::string_view Line) {
  const std::size_t Equals = Line.find('=');
  if (Equals == std::string_view::npos || Equals == 0) return false;
  std::size_t Values = 0;
  std::size_t Start = Equals + 1;
  while (true) {
    const std::size_t End = std::min(Line.find(',', Start), Line.size());
    std::string_view Token = Line.substr(Start, End - Start);
    const bool Negative = !Token.empty() && Token.front() == '-';
    if (Negative) Token.remove_prefix(1);
    if (Token.empty() || Token.size() > 3 || Token.find_first_not_of("0123456789") != std::string_view::npos ||
        std::stoi(std::string(Token)) > kMaxValue || ++Values > 11)
      return false;
    if (End == Line.size()) return true;
    Start = End + 1;
  }
}

// Bytes no text editor writes into a text file.
bool HoldsControlCharacters(std::string_view Text) {
  return std::any_of(Text.begin(), Text.end(), [](char C) {
    const auto U = static_cast<unsigned char>(C);
    return (U < 0x20 && C != '\t' && C != '\r' && C != '\n') || U == 0x7F;
  });
}

}  // namespace

int EqLabelValue(int Position) {
  return static_cast<int>(settings::RoundHalfEven(-Position / 5.0));
}

std::int32_t PreampVolume(int Position) {
  return static_cast<std::int32_t>(settings::RoundHalfEven(std::pow(10.0, -Position / 100.0) * 10000));
}

int PreampPositionFromVolume(std::int32_t Volume) {
  if (Volume <= 0) return 0;
  return static_cast<int>(settings::RoundHalfEven(std::log10(Volume * 0.0001) * -100));
}

bool ValidPresetName(std::string_view Name) {
  return !Name.empty() && Name.find_first_of("=\r\n") == std::string_view::npos;
}

std::vector<TNamedPreset> ParsePresetLines(const std::vector<std::string>& Lines) {
  std::vector<TNamedPreset> Presets;
  for (const std::string& Line : Lines) {
    std::size_t Equals = Line.find('=');
    if (Equals == std::string::npos || Equals == 0) continue;
    Presets.push_back({Line.substr(0, Equals), ParseValues(Line.substr(Equals + 1))});
  }
  return Presets;
}

std::string FormatPresetLines(const std::vector<TNamedPreset>& Presets) {
  std::string Text;
  for (const TNamedPreset& P : Presets) {
    Text += P.Name + '=';
    for (std::size_t I = 0; I < P.Values.size(); ++I) {
      if (I > 0) Text += ',';
      Text += std::to_string(P.Values[I]);
    }
    Text += "\r\n";
  }
  return Text;
}

// ---- the dialog's list ---------------------------------------------------------

TPresetList::TPresetList(std::string DefaultCaption) {
  FEntries.push_back({std::string(1, '(').append(DefaultCaption).append(1, ')'), {}});
}

void TPresetList::SetUserPresets(std::vector<TNamedPreset> Presets) {
  FEntries.resize(1);
  for (TNamedPreset& P : Presets) FEntries.push_back(std::move(P));
  FChanged = false;
}

std::vector<TNamedPreset> TPresetList::UserPresets() const {
  return {FEntries.begin() + 1, FEntries.end()};
}

int TPresetList::SaveAs(const std::string& Name, const TEqPreset& Values) {
  if (!ValidPresetName(Name)) return -1;
  FChanged = true;
  for (int I = 1; I < Count(); ++I) {
    if (FEntries[I].Name == Name) {
      FEntries[I].Values = Values;
      return I;
    }
  }
  FEntries.push_back({Name, Values});
  return Count() - 1;
}

int TPresetList::Delete(int Index) {
  if (Count() < 2 || Index < 1 || Index >= Count()) return -1;
  int Selected = std::min(Index, Count() - 2);
  FEntries.erase(FEntries.begin() + Index);
  FChanged = true;
  return Selected;
}

// ---- the file ------------------------------------------------------------------

TPresetsFileState LoadPresetsFile(const std::string& Path, TPresetList& List) {
  List.SetUserPresets({});
  std::string Text;
  switch (settings::ReadStoredText(Path, kMaxFileBytes, Text)) {
    case settings::ReadStatus::Missing:
      return TPresetsFileState::Missing;
    case settings::ReadStatus::Unreadable:
    case settings::ReadStatus::TooLarge:
    case settings::ReadStatus::Foreign:
    case settings::ReadStatus::Damaged:
      return TPresetsFileState::Damaged;
    case settings::ReadStatus::Ok:
      break;
  }
  if (HoldsControlCharacters(Text)) return TPresetsFileState::Damaged;
  const std::vector<std::string> Lines = settings::SplitLines(Text);
  std::vector<TNamedPreset> Presets = ParsePresetLines(Lines);
  // Text that holds no preset at all is not a presets file: keep it.
  if (Presets.empty() && !settings::IsBlankText(Text)) return TPresetsFileState::Damaged;
  List.SetUserPresets(std::move(Presets));
  const bool Whole = std::all_of(Lines.begin(), Lines.end(), [](const std::string& Line) {
    return settings::IsBlankText(Line) || IsWholePresetLine(Line);
  });
  return Whole ? TPresetsFileState::Loaded : TPresetsFileState::PartlyRead;
}

bool SavePresetsFile(const std::string& Path, const TPresetList& List, TPresetsFileState& State,
                     settings::KeptCopy* Kept) {
  if (!List.Changed()) return true;
  std::size_t Slash = Path.find_last_of("\\/");
  if (Slash != std::string::npos && !settings::CreateFolders(Path.substr(0, Slash))) return false;
  if (State == TPresetsFileState::Damaged || State == TPresetsFileState::PartlyRead) {
    const settings::KeptCopy Copy = settings::KeepUnreadFile(Path);
    if (Kept) *Kept = Copy;
    if (settings::StateAfterKeeping(Copy) != settings::UnreadFile::None) return false;
    State = TPresetsFileState::SetAside;
  }
  const std::string Text = FormatPresetLines(List.UserPresets());
  return settings::WriteFileReplacing(Path, settings::EncodeStoredText(Text));
}

}  // namespace lc::tools
