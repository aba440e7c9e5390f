#include "settings/program_state.h"

#include "dates/date_time.h"

namespace lc {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

bool SaveRememberedSettings() {
  ProgramState& p = Program();
  return p.RmsSaves.FinishAndSave(p.Rms, p.RmsFile, p.Names.RmsFileName(), p.Names.DataFolder, CurrentDateTime());
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
