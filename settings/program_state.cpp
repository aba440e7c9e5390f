#include "settings/program_state.h"

#include "dates/date_time.h"

namespace lc {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

bool SaveRememberedSettings() {
  ProgramState& p = Program();
  return settings::RmsSaveToHdd(p.Rms, p.Names.RmsFileName(), p.Names.DataFolder, p.RmsFile,
                         CurrentDateTime());
}

}  // namespace lc
