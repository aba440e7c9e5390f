// The end of a graph, which the GUI thread must never wait on without end:
// the system clock the graph component times its graphs by on Wine's
// media stack, made so that its release always ends, and the last release
// of a graph's objects on a thread of its own, waited for a bounded time.
#pragma once

#include <vector>

#include <windows.h>
#include <dshow.h>

// The period of the advise every system clock of NewWakefulSystemClock
// keeps: the longest its release can wait for the clock's thread.
constexpr REFERENCE_TIME kClockWakePeriod = 50 * 10000;

// A new system clock (referenced) with a periodic advise kept on it for
// its whole life, or nullptr when the platform gives none. Wine's system
// clock ends the thread that times its advises only when that thread,
// woken by the clock's last release, finds itself told to stop; a thread
// that is between two of its turns then (as it is just after the clock's
// first advise started it, which is when a movie starts to play) misses
// the wake and, with no advise left, sleeps for good, and the release with
// it. The kept advise wakes the thread at least every kClockWakePeriod, so
// a release ends within that time whenever it comes. Any thread.
IReferenceClock* NewWakefulSystemClock();

// Releases each object, in order, on a thread of its own (in the
// multithreaded apartment) and waits up to Ms for that thread. True when
// the releases ended in that time; otherwise they are left to end on their
// own, holding what the objects hold, and the caller goes on. The objects
// must hold nothing of the caller's that may go before them (no site, no
// notify window, no filter of the caller's). The GUI thread.
bool ReleaseWithin(std::vector<IUnknown*> Objects, DWORD Ms);
