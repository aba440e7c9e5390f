#include "settings/program_state.h"

#include "dates/date_time.h"

namespace lc {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

bool SaveRememberedSettings() {
  ProgramState& p = Program();
  p.RmsSaves.Finish(p.Rms, p.RmsFile);
  return settings::RmsSaveToHdd(p.Rms, p.Names.RmsFileName(), p.Names.DataFolder, p.RmsFile, CurrentDateTime());
}

void StartRememberedSettingsSave() {
  ProgramState& p = Program();
  p.RmsSaves.Start(p.Rms, p.RmsFile, p.Names.RmsFileName(), p.Names.DataFolder, CurrentDateTime());
}

bool CollectRememberedSettingsSave() {
  ProgramState& p = Program();
  return p.RmsSaves.Collect(p.Rms, p.RmsFile, CurrentDateTime());
}

}  // namespace lc
