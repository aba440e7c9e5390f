// The upper-case letters the dialogue-line rule knows, as runs of code
// units: every unit of a run, or every second one from its first.
#include <algorithm>
#include <iterator>

#include "subtitles/display_rules.h"

namespace lc::subtitles {

namespace {

struct Run {
  char16_t First, Last;
  int Step;  // 1: every code unit, 2: every second from First
};

// Sorted by First. In the Latin extensions the case pairs alternate, so a
// capital is every second unit of its run; the title-case digraphs
// (U+01C5, U+01C8, U+01CB, U+01F2) and the dotted capital I are left out.
constexpr Run kCapitals[] = {
    {u'A', u'Z', 1},
    {0x00C0, 0x00D6, 1},
    {0x00D8, 0x00DE, 1},
    {0x0100, 0x012E, 2},
    {0x0132, 0x0136, 2},
    {0x0139, 0x0147, 2},
    {0x014A, 0x0176, 2},
    {0x0178, 0x0179, 1},
    {0x017B, 0x017D, 2},
    {0x0181, 0x0182, 1},
    {0x0184, 0x0184, 1},
    {0x0186, 0x0187, 1},
    {0x0189, 0x018B, 1},
    {0x018E, 0x0191, 1},
    {0x0193, 0x0194, 1},
    {0x0196, 0x0198, 1},
    {0x019C, 0x019D, 1},
    {0x019F, 0x01A0, 1},
    {0x01A2, 0x01A4, 2},
    {0x01A6, 0x01A7, 1},
    {0x01A9, 0x01A9, 1},
    {0x01AC, 0x01AC, 1},
    {0x01AE, 0x01AF, 1},
    {0x01B1, 0x01B3, 1},
    {0x01B5, 0x01B5, 1},
    {0x01B7, 0x01B8, 1},
    {0x01BC, 0x01BC, 1},
    {0x01C4, 0x01C4, 1},
    {0x01C7, 0x01C7, 1},
    {0x01CA, 0x01CA, 1},
    {0x01CD, 0x01DB, 2},
    {0x01DE, 0x01EE, 2},
    {0x01F1, 0x01F1, 1},
    {0x01F4, 0x01F4, 1},
    {0x01F6, 0x01F8, 1},
    {0x01FA, 0x021A, 2},
    {0x0386, 0x0386, 1},
    {0x0388, 0x038A, 1},
    {0x038C, 0x038C, 1},
    {0x038E, 0x038F, 1},
    {0x0391, 0x03A1, 1},
    {0x03A3, 0x03AB, 1},
    {0x03E2, 0x03EE, 2},
    {0x0401, 0x040C, 1},
    {0x040E, 0x042F, 1},
    {0x0460, 0x0480, 2},
    {0x0490, 0x04BE, 2},
    {0x04C1, 0x04C3, 2},
    {0x04C7, 0x04C7, 1},
    {0x04CB, 0x04CB, 1},
    {0x04D0, 0x04F4, 2},
    {0x04F8, 0x04F8, 1},
    {0x0531, 0x0556, 1},
    {0x10A0, 0x10C5, 1},
    {0x1E00, 0x1E94, 2},
    {0x1EA0, 0x1EF8, 2},
    {0x1F08, 0x1F0F, 1},
    {0x1F18, 0x1F1D, 1},
    {0x1F28, 0x1F2F, 1},
    {0x1F38, 0x1F3F, 1},
    {0x1F48, 0x1F4D, 1},
    {0x1F59, 0x1F5F, 2},
    {0x1F68, 0x1F6F, 1},
    {0x1FB8, 0x1FBB, 1},
    {0x1FC8, 0x1FCB, 1},
    {0x1FD8, 0x1FDB, 1},
    {0x1FE8, 0x1FEC, 1},
    {0x1FF8, 0x1FFB, 1},
    {0x2160, 0x216F, 1},
    {0x24B6, 0x24CF, 1},
    {0xFF21, 0xFF3A, 1},
};

}  // namespace

bool IsWideUpperCase(char16_t c) {
  // The last run that starts at or before c.
  const auto next = std::upper_bound(std::begin(kCapitals), std::end(kCapitals), c,
                                     [](char16_t unit, const Run& run) { return unit < run.First; });
  if (next == std::begin(kCapitals)) return false;
  const Run& run = *std::prev(next);
  return c <= run.Last && (c - run.First) % run.Step == 0;
}

}  // namespace lc::subtitles
