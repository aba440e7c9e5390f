// Interrupts the opening of a movie at every step of a time grid and
// finds whether the player still answers. Each try starts a fresh copy of
// the program's test build on a movie (no settings yet: the first-run
// question comes), answers the question "No" (the main window then shows
// and the movie opens), waits the try's offset and does one thing a user
// does: Ctrl+F4 (close), V (stop), opens another movie through a second
// start of the program, or Alt+X (end). The player must then answer a
// message within the bound (an Alt+X player may also have ended); a
// player that does not is hung, and the try fails. Then the player is
// closed and must end. Prints one line per try and the counts; the exit
// code is the number of failed tries (at most 255).
//
//   scripts/wine-run build/tests/check_interrupted_openings.exe
//       [-actions close,stop,open,quit] [-from MS] [-to MS] [-step MS]
//       [-rounds N] [-bound MS] [-keep S] [-log FILE] [-exe PATH] MOVIE OTHER_MOVIE
//
// -exe starts copies of another build of the program (a Windows path)
// instead of the test build beside this one. -log appends every line to FILE as it comes. -keep leaves a player that does not answer running S seconds, for a
// debugger, before it is ended.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

enum class Action { Close, Stop, Open, Quit };
struct ActionName {
  Action action;
  const wchar_t* name;
};
constexpr ActionName kActions[] = {
    {Action::Close, L"close"}, {Action::Stop, L"stop"}, {Action::Open, L"open"}, {Action::Quit, L"quit"}};

struct Options {
  std::vector<Action> actions{Action::Close, Action::Stop, Action::Open, Action::Quit};
  int from = 0, to = 980, step = 20, rounds = 1;
  DWORD bound = 2000;
  DWORD keep = 0;  // seconds a hung player is left running for a debugger
  std::wstring movie, other, log, exe;
};

const wchar_t* NameOf(Action action) {
  for (const ActionName& a : kActions)
    if (a.action == action) return a.name;
  return L"?";
}

// Prints a line, and appends it to the log file when there is one (the
// output itself comes only when the program ends under the Wine runner).
std::wstring LogFile;
void Say(const char* Format, ...) {
  char line[512];
  va_list args;
  va_start(args, Format);
  std::vsnprintf(line, sizeof line, Format, args);
  va_end(args);
  std::fputs(line, stdout);
  std::fflush(stdout);
  if (LogFile.empty()) return;
  if (FILE* f = _wfopen(LogFile.c_str(), L"a")) {
    std::fputs(line, f);
    std::fclose(f);
  }
}

bool ParseActions(const std::wstring& list, std::vector<Action>& out) {
  out.clear();
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t end = std::min(list.find(L',', at), list.size());
    const std::wstring word = list.substr(at, end - at);
    const auto found = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&](const ActionName& a) { return word == a.name; });
    if (found == std::end(kActions)) return false;
    out.push_back(found->action);
    at = end + 1;
  }
  return !out.empty();
}

bool ParseOptions(int argc, wchar_t** argv, Options& o) {
  std::vector<std::wstring> movies;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == L"-actions" && hasValue) {
      if (!ParseActions(argv[++i], o.actions)) return false;
    } else if (a == L"-from" && hasValue) {
      o.from = _wtoi(argv[++i]);
    } else if (a == L"-to" && hasValue) {
      o.to = _wtoi(argv[++i]);
    } else if (a == L"-step" && hasValue) {
      o.step = std::max(1, _wtoi(argv[++i]));
    } else if (a == L"-rounds" && hasValue) {
      o.rounds = std::max(1, _wtoi(argv[++i]));
    } else if (a == L"-exe" && hasValue) {
      o.exe = argv[++i];
    } else if (a == L"-log" && hasValue) {
      o.log = argv[++i];
    } else if (a == L"-keep" && hasValue) {
      o.keep = static_cast<DWORD>(std::max(0, _wtoi(argv[++i])));
    } else if (a == L"-bound" && hasValue) {
      o.bound = static_cast<DWORD>(std::max(1, _wtoi(argv[++i])));
    } else {
      movies.push_back(a);
    }
  }
  if (movies.size() != 2) return false;
  o.movie = movies[0];
  o.other = movies[1];
  return true;
}

// What one try saw.
struct Outcome {
  bool started = false;  // the question came and the main window showed
  bool answered = false; // the player answered (or ended on Alt+X) within the bound
  DWORD answerMs = 0;
  bool ended = false;    // the player ended when asked to close afterwards
  LRESULT transport = -1;
};

// Whether the window answers a message within `ms`; the time it took.
bool Answers(HWND main, DWORD ms, DWORD& took) {
  const DWORD start = GetTickCount();
  DWORD_PTR result = 0;
  const bool answered = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
  took = GetTickCount() - start;
  return answered;
}

void Act(Action action, const lctest::ProgramCopy& copy, const Options& o,
         std::unique_ptr<lctest::ChildProcess>& second) {
  switch (action) {
    case Action::Close: lctest::PressKey(VK_F4, {VK_CONTROL}); break;
    case Action::Stop: lctest::PressKey('V'); break;
    case Action::Quit: lctest::PressKey('X', {VK_MENU}); break;
    case Action::Open:
      second = std::make_unique<lctest::ChildProcess>(copy.Exe(), L"\"" + o.other + L"\"");
      break;
  }
}

Outcome Try(Action action, int offset, const Options& o) {
  Outcome out;
  lctest::ProgramCopy copy = o.exe.empty() ? lctest::ProgramCopy(L"LcInterrupted")
                                            : lctest::ProgramCopy(L"LcInterrupted", o.exe);
  {
    lctest::ChildProcess player(copy.Exe(), L"\"" + o.movie + L"\"");
    HWND question = lctest::WaitForWindow(L"#32770", player.Id(), 30000, true);
    if (!question) return out;
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    const DWORD answeredAt = GetTickCount();
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), 30000);
    if (!main) return out;
    out.started = true;
    const DWORD waited = GetTickCount() - answeredAt;
    if (DWORD(offset) > waited) Sleep(DWORD(offset) - waited);
    std::unique_ptr<lctest::ChildProcess> second;
    Act(action, copy, o, second);
    const DWORD actedAt = GetTickCount();
    if (action == Action::Quit && player.Wait(o.bound) != STILL_ACTIVE) {
      out.answered = out.ended = true;
      out.answerMs = GetTickCount() - actedAt;
    } else {
      out.answered = Answers(main, o.bound, out.answerMs);
      out.answerMs = GetTickCount() - actedAt;
    }
    if (out.answered && !out.ended) {
      // Whatever the action left, the player settles and then closes.
      Sleep(1500);
      DWORD_PTR state = 0;
      if (SendMessageTimeoutW(main, WM_QUERYTRANSPORT, 0, 0, SMTO_NORMAL, o.bound, &state))
        out.transport = LRESULT(state);
      PostMessageW(main, WM_CLOSE, 0, 0);
      out.ended = player.Wait(20000) != STILL_ACTIVE;
    }
    if (second) second->Wait(10000);
    if ((!out.answered || !out.ended) && o.keep > 0) {
      Say("player %lu does not answer: left running for %lu s\n", player.Id(), o.keep);
      Sleep(o.keep * 1000);
    }
  }
  copy.Uninstall();
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: check_interrupted_openings [-actions close,stop,open,quit] [-from MS] [-to MS] [-step MS]\n"
                 "       [-rounds N] [-bound MS] [-keep S] [-log FILE] [-exe PATH] MOVIE OTHER_MOVIE\n");
    return 255;
  }
  LogFile = o.log;
  int tries = 0, failed = 0, notStarted = 0;
  DWORD slowest = 0;
  for (int round = 0; round < o.rounds; ++round) {
    for (Action action : o.actions) {
      for (int offset = o.from; offset <= o.to; offset += o.step) {
        const Outcome out = Try(action, offset, o);
        ++tries;
        if (!out.started) {
          ++notStarted;
          Say("%-5ls %4d ms  did not start\n", NameOf(action), offset);
          continue;
        }
        const bool ok = out.answered && out.ended;
        if (!ok) ++failed;
        if (out.answered) slowest = std::max(slowest, out.answerMs);
        Say("%-5ls %4d ms  %s in %4lu ms%s  state %ld%s\n", NameOf(action), offset,
                    out.answered ? "answered" : "NO ANSWER", out.answerMs,
                    out.ended ? ", ended" : ", DID NOT END", long(out.transport), ok ? "" : "   <-- FAILED");
      }
    }
  }
  Say("%d tries: %d failed, %d did not start; the slowest answer took %lu ms\n", tries, failed, notStarted,
              slowest);
  return std::min(failed, 255);
}
