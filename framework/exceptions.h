// The framework's exception classes. Library-level failures are raised as
// exceptions derived from Exception; the message loop catches whatever a
// handler lets escape and routes it to TApplication::HandleException,
// except EAbort, the silent abort, which it swallows.
#pragma once

#include <stdexcept>
#include <string>

// Base of the program's own exceptions. The message is UTF-8.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
};

// The silent abort: unwinds out of the current operation and its callers;
// the message loop swallows it without telling anyone.
class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

// A named resource of the program is missing.
class EResNotFound : public Exception {
 public:
  explicit EResNotFound(const std::string& Message) : Exception(Message) {}
};

// A platform call that the framework relies on failed (window class
// registration, window or bitmap creation).
class EOSError : public Exception {
 public:
  explicit EOSError(const std::string& Message) : Exception(Message) {}
};

// Raises the silent abort.
[[noreturn]] inline void Abort() { throw EAbort(); }
