// The main function of every test program.
//
// Under Wine, the exit code of a program that returns from main can be lost
// after the program decided it. Once the program's own end has run (static
// objects, the DLLs' detach), Wine tells its server that the process is
// ending and then runs the exit handlers of the host's libraries (the media
// stack's, the GL driver's, which may wait for their threads). The server
// kills (SIGKILL) a process still there about half a second after it was
// told: on a busy machine those handlers can take longer, and a program
// whose tests all passed ends with 137.
//
// So on Windows the test program ends itself once its tests have run: the C
// runtime's end runs here (static objects, buffered output), and then the
// process ends at once with the tests' result (TerminateProcess), as any
// Windows program may. The host's exit handlers never run, and the exit code
// is the tests' own: 0 when every test passed, 1 when one failed, a crash's
// code when the program crashed on the way. tests/support/test_main_check
// holds it to that.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
#ifdef _WIN32
  _cexit();
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
#endif
  return result;
}
