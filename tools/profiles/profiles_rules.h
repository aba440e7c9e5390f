// The decisions of the profiles editor over the remembered movie settings:
// which table entries a deletion removes, which line is current afterwards
// and whether the playing movie is then left out of the next store.
// Portable; GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "settings/rms_table.h"

namespace lc::tools {

// Removes, for each name in the order given, the first entry of `table`
// with that name (ASCII letter case ignored); a name without an entry
// removes nothing. Returns how many entries went.
int DeleteRmsNames(settings::RmsTable& table, const std::vector<std::string>& names);

// The line made current after a deletion: the line that was current, or the
// new last line when fewer remain; -1 when no line remains.
int CurrentLineAfterDelete(int rememberedLine, int remainingLines);

// RmsSkipCurrent at the editor's close: while a movie is open, whether its
// entry (named `movieName`) is no longer in the table; without a movie the
// flag stays `skipBefore`.
bool SkipCurrentAfterEditing(const settings::RmsTable& table, bool graphActive,
                             const std::string& movieName, bool skipBefore);

}  // namespace lc::tools
