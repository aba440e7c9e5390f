// The program's main block: from process start to the message loop, and
// the four ways it ends ("/install", "/uninstall", a second instance, the
// normal end after the message loop).
#pragma once

#include <string>
#include <vector>

namespace lc {

// Runs the start-up with the command line `args` (argument 0 is the
// program) and returns the process's exit code.
int RunProgram(const std::vector<std::wstring>& args);

}  // namespace lc
