#include "tools/tool_environment.h"

#include <stdexcept>

#include <windows.h>

namespace lc::tools {

namespace {

const TToolEnvironment*& Connected() {
  static const TToolEnvironment* E = nullptr;
  return E;
}

}  // namespace

void ConnectToolWindows(const TToolEnvironment& Environment) { Connected() = &Environment; }

void DisconnectToolWindows(const TToolEnvironment& Environment) {
  if (Connected() == &Environment) Connected() = nullptr;
}

const TToolEnvironment& ToolEnvironment() {
  if (!Connected()) throw std::logic_error("the tool windows are not connected to the program");
  return *Connected();
}

wchar_t DecimalSeparator() {
  wchar_t Text[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Text, 8) > 1 ? Text[0] : L'.';
}

}  // namespace lc::tools
