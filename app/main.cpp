// Lumacraft's entry point: the command line goes to the start-up.
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "app/startup.h"
#include "framework/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::wstring> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
  try {
    return lc::RunProgram(args);
  } catch (...) {
    // A failure before the message loop ends the program with the
    // application's exception box.
    Application.HandleException(std::current_exception());
    return 1;
  }
}
