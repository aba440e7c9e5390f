#include "settings/program_state.h"

namespace lc {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

}  // namespace lc
