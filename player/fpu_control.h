// The processor's floating-point control word around the media framework:
// a movie renders and plays with every floating-point exception masked
// (64-bit precision, round to nearest); the word from before the render is
// put back when the graph is rebuilt, stopped or fails. GUI thread.
#pragma once

namespace lc {

// Saves the current word in Program().SavedFpuControlWord and masks every
// floating-point exception.
void MaskFpuForPlayback();
// Puts Program().SavedFpuControlWord back.
void RestoreSavedFpuControlWord();

}  // namespace lc
