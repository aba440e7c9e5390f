#include "tools/media_info/codec_names.h"

#include <algorithm>

namespace lc::tools {

namespace {

std::string Unknown(const std::string& What) { return "Unknown (" + What + ")"; }

}  // namespace

std::string GetVideoCodecName(std::uint32_t Code) {
  const auto Table = VideoCodecTable();
  const auto It = std::lower_bound(Table.begin(), Table.end(), Code,
                                   [](const TVideoCodecRow& Row, std::uint32_t Key) { return Row.Code < Key; });
  if (It != Table.end() && It->Code == Code) return It->Text;
  if ((Code >> 24) == 0) return Unknown(std::to_string(Code));
  std::string Chars;
  for (int Shift = 0; Shift < 32; Shift += 8) Chars += static_cast<char>((Code >> Shift) & 0xFF);
  return Unknown(Chars);
}

std::string GetAudioCodecName(std::uint32_t Tag) {
  const auto Table = AudioCodecTable();
  const auto It = std::lower_bound(Table.begin(), Table.end(), Tag,
                                   [](const TAudioCodecRow& Row, std::uint32_t Key) { return Row.Tag < Key; });
  if (It != Table.end() && It->Tag == Tag) return It->Text;
  if (Tag < 256 || Tag > 65535) return Unknown(std::to_string(Tag));
  std::string Chars;
  Chars += static_cast<char>(Tag & 0xFF);
  Chars += static_cast<char>((Tag >> 8) & 0xFF);
  return Unknown(Chars);
}

}  // namespace lc::tools
