// Load times of generated SubRip, MicroDVD and SSA files of 1 MB and 10 MB.
// A whole load of 10 MB is refused by the size limit (its figure is the cost
// of refusing it), so the 10 MB figure that shows how the work grows runs
// every step of a load (split, plain-text test, detection, repair, parsing,
// finishing, display data) without the limits. Prints figures only.
#include <chrono>
#include <cstdio>
#include <string>

#include "subtitles/finish.h"
#include "subtitles/line_tests.h"
#include "subtitles/loader.h"
#include "subtitles/parse.h"
#include "subtitles/repair.h"
#include "subtitles/subtitle_text.h"

namespace {

using lc::subtitles::LoadSubtitleBytes;

std::string Clock(long long ms, bool comma, bool longHour) {
  char buf[32];
  const long long h = ms / 3600000, m = ms / 60000 % 60, s = ms / 1000 % 60;
  if (longHour) {
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld%c%03lld", h, m, s, comma ? ',' : '.',
                  ms % 1000);
  } else {
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld.%02lld", h, m, s, ms % 1000 / 10);
  }
  return buf;
}

// A file of about `bytes` bytes in the given format.
std::string Generate(const std::string& format, std::size_t bytes) {
  std::string out;
  if (format == "SSA") {
    out = "[Script Info]\r\nScriptType: v4.00\r\n\r\n[Events]\r\n";
    out += "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
  }
  // Steps small enough that ten megabytes stay within each format's
  // fields: two-digit hours (SubRip), one-digit hours (SSA), seven-digit
  // frame numbers (MicroDVD).
  for (long long i = 0; out.size() < bytes; ++i) {
    const std::string text = "Line number " + std::to_string(i) + " of the test|second line";
    if (format == "SubRip") {
      const long long start = i * 2000, end = start + 1500;
      out += std::to_string(i + 1) + "\r\n" + Clock(start, true, true) + " --> " +
             Clock(end, true, true) + "\r\n" + text.substr(0, text.find('|')) + "\r\n" +
             "second line\r\n\r\n";
    } else if (format == "MicroDVD") {
      out += "{" + std::to_string(i * 5) + "}{" + std::to_string(i * 5 + 4) + "}" + text + "\r\n";
    } else {
      const long long start = i * 30, end = start + 20;
      out += "Dialogue: Marked=0," + Clock(start, false, false) + "," + Clock(end, false, false) +
             ",Default,,0000,0000,0000,," + text + "\r\n";
    }
  }
  return out;
}

double TimeLoad(const std::string& bytes, std::size_t& entries) {
  const auto begin = std::chrono::steady_clock::now();
  const auto result = LoadSubtitleBytes(bytes);
  const auto end = std::chrono::steady_clock::now();
  entries = result.Loaded.Count();
  return std::chrono::duration<double, std::milli>(end - begin).count();
}

// Every step of an 8-bit load, without the size limits.
double TimeSteps(const std::string& bytes, std::size_t& entries) {
  using namespace lc::subtitles;
  const auto begin = std::chrono::steady_clock::now();
  Lines<char> lines = SplitAnsiLines(bytes);
  volatile bool plain = IsPlainText(lines);
  (void)plain;
  const SubtitleFormat format = DetectSubtitleFormat(lines);
  RepairSubtitleLines(lines, format);
  auto list = BuildSubtitleList(lines, format, {});
  entries = 0;
  if (list && ApplySubtitleTags(*list, format, 2200)) {
    std::vector<std::string> copies;
    for (const auto& text : list->Text) copies.push_back(DisplayCopy(text, format));
    entries = DisplayDurations(*list, copies, 2200).size();
  }
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - begin).count();
}

}  // namespace

int main() {
  std::printf("%-9s %8s %10s %9s  %s\n", "format", "size", "time (ms)", "entries", "note");
  for (const std::string format : {"SubRip", "MicroDVD", "SSA"}) {
    const std::string mb1 = Generate(format, 1000000);
    const std::string mb10 = Generate(format, 10000000);
    std::size_t entries = 0;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) best = std::min(best, TimeLoad(mb1, entries));
    std::printf("%-9s %8s %10.2f %9zu\n", format.c_str(), "1 MB", best, entries);
    const double refused = TimeLoad(mb10, entries);
    std::printf("%-9s %8s %10.2f %9zu  refused by the size limit\n", format.c_str(), "10 MB",
                refused, entries);
    double steps1 = 1e9;
    for (int run = 0; run < 3; ++run) steps1 = std::min(steps1, TimeSteps(mb1, entries));
    std::printf("%-9s %8s %10.2f %9zu  every step, no limits\n", format.c_str(), "1 MB", steps1,
                entries);
    // Best of three: the first run also pays for the memory's first use.
    double steps10 = 1e9;
    for (int run = 0; run < 3; ++run) steps10 = std::min(steps10, TimeSteps(mb10, entries));
    std::printf("%-9s %8s %10.2f %9zu  every step, no limits; %.1f times 1 MB\n", format.c_str(),
                "10 MB", steps10, entries, steps10 / steps1);
  }
  return 0;
}
