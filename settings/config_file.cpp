#include "settings/settings_file.h"

#include "settings/file_io.h"
#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::settings {

ReadStatus ReadConfigFile(const std::string& fileName, const std::vector<std::string>& keys,
                          std::vector<std::string>& values) {
  std::string text;
  const ReadStatus status = ReadStoredText(fileName, kMaxConfigFileBytes, text);
  if (status == ReadStatus::Ok && !ParseConfigText(text, keys, values)) return ReadStatus::Damaged;
  return status;
}

bool ParseConfigText(std::string_view text, const std::vector<std::string>& keys,
                     std::vector<std::string>& values) {
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty() || lines[0] != kConfigHeader) return IsBlankText(text);
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    for (std::size_t k = 0; k < keys.size(); ++k) {
      const std::string& key = keys[k];
      if (line.size() > key.size() && line[key.size()] == '=' && line.compare(0, key.size(), key) == 0) {
        if (values.size() < k + 1) values.resize(k + 1);
        values[k] = line.substr(key.size() + 1);
        break;
      }
    }
  }
  return true;
}

bool WriteConfigFile(const std::string& fileName, const std::vector<std::string>& keys,
                     const std::vector<std::string>& values) {
  return WriteFileReplacing(fileName, EncodeStoredText(ConfigText(keys, values)));
}

std::string ConfigText(const std::vector<std::string>& keys, const std::vector<std::string>& values) {
  std::string text = std::string(kConfigHeader) + "\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += i < keys.size() ? keys[i] : std::string();
    text += '=';
    for (char c : values[i]) {
      if (c != '\r' && c != '\n') text += c;
    }
    text += "\r\n";
  }
  return text;
}

std::string FontStyleToCode(FontStyles style) {
  const bool bold = style & kFontBold;
  const bool italic = style & kFontItalic;
  if (bold && italic) return "2";
  if (bold) return "1";
  if (italic) return "3";
  return "0";
}

FontStyles CodeToFontStyle(int code) {
  switch (code) {
    case 1: return kFontBold;
    case 2: return kFontBold | kFontItalic;
    case 3: return kFontItalic;
    default: return 0;
  }
}

int SubtitlePointSize(int screenWidth, int subtitleSize) {
  return static_cast<int>(
      RoundHalfEven(static_cast<double>(screenWidth) * subtitleSize * 28.0 / 102400.0));
}

}  // namespace lc::settings
