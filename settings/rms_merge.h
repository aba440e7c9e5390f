// What a save of the remembered settings writes when several players run
// at once, each with the table it read at its start: one player's save
// must not drop the entries another wrote since. Portable.
#pragma once

#include <vector>

#include "settings/rms_table.h"

namespace lc::settings {

// The entries to write, from what the file holds now (`theirs`, read
// whole or not) and this run's table (`mine`), given the table as this run
// last read or saved it (`synced`):
// - an entry this run changed since (one of `mine` that differs from its
//   entry in `synced`, or is not there) is written as this run has it;
// - an entry this run deleted since (named in mine.Deleted(), not in
//   `mine` again) is left out, whoever wrote it in the file: it does not
//   come back;
// - every other entry as the file has it, in the file's order (an entry
//   another player deleted stays deleted). Only where the file could not
//   be read whole are this run's entries that it lacks taken as lost to
//   the damage, and written as this run has them.
// The entries this run adds come after the file's. The file grows beyond
// 200 entries only as far as it held more already: beyond the larger of
// 200 and the number of entries that did not come from this run's new
// ones, the least recently accessed go (the first listed of equally old
// ones), as a new entry replaces the oldest in the table.
std::vector<TRmsEntry> MergeRms(const RmsTable& mine, const RmsTable& synced, const RmsTable& theirs,
                                bool theirsWhole);

// True when this run changed or deleted an entry since `synced`.
bool RmsChangedSince(const RmsTable& mine, const RmsTable& synced);

}  // namespace lc::settings
