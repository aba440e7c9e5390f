// The two locks of a filter and the guard that holds one for a scope.
//
// Lock order, for every filter of this folder: the filter state lock first,
// the streaming lock second. A thread that holds the streaming lock (the
// streaming thread inside Receive or EndOfStream) never takes the state lock;
// the state-changing calls (Stop, a flush) first unblock the streaming
// thread and only then take the streaming lock to wait until it has left.
#pragma once

#include <windows.h>

// A recursive lock (a critical section): the same thread may take it again.
class TCritSec {
 public:
  TCritSec() { InitializeCriticalSection(&Section_); }
  ~TCritSec() { DeleteCriticalSection(&Section_); }
  TCritSec(const TCritSec&) = delete;
  TCritSec& operator=(const TCritSec&) = delete;

  void Lock() { EnterCriticalSection(&Section_); }
  void Unlock() { LeaveCriticalSection(&Section_); }

 private:
  CRITICAL_SECTION Section_;
};

// Holds a lock from construction to the end of the scope.
class TAutoLock {
 public:
  explicit TAutoLock(TCritSec& Lock) : Lock_(Lock) { Lock_.Lock(); }
  ~TAutoLock() { Lock_.Unlock(); }
  TAutoLock(const TAutoLock&) = delete;
  TAutoLock& operator=(const TAutoLock&) = delete;

 private:
  TCritSec& Lock_;
};
