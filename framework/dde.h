// DDE conversations in Unicode over the platform's DDE management library:
// TDdeServerConv, a server conversation (service and topic) that hands
// every execute request's macro to OnExecuteMacro, and DdeExecuteMacro,
// the client call that sends one macro to a running server.
//
// The server lives on the GUI thread: the platform calls it back from the
// message loop, so OnExecuteMacro runs there, in queue order; what it
// raises goes to Application.HandleException.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <ddeml.h>

#include "framework/component.h"

// The macro as lines (split at CR LF or LF; no empty last line).
using TMacroEvent =
    std::function<void(TComponent* Sender, const std::vector<std::wstring>& Macro)>;

class TDdeServerConv : public TComponent {
 public:
  // Registers the service and answers conversations on the topic (case
  // ignored, as the platform compares names). Raises EOSError when the
  // platform refuses.
  TDdeServerConv(const std::wstring& Service, const std::wstring& Topic);
  ~TDdeServerConv() override;
  TDdeServerConv(const TDdeServerConv&) = delete;
  TDdeServerConv& operator=(const TDdeServerConv&) = delete;

  TMacroEvent OnExecuteMacro;

  const std::wstring& Service() const { return FService; }
  const std::wstring& Topic() const { return FTopic; }

 private:
  static HDDEDATA CALLBACK Callback(UINT Type, UINT Format, HCONV Conv, HSZ Hsz1, HSZ Hsz2,
                                    HDDEDATA Data, ULONG_PTR Data1, ULONG_PTR Data2);
  HDDEDATA Execute(HDDEDATA Data);
  void Release();

  std::wstring FService;
  std::wstring FTopic;
  DWORD FInstance = 0;
  HSZ FServiceHandle = nullptr;
  HSZ FTopicHandle = nullptr;
};

// The text of an execute request's data. DdeExecuteMacro sends UTF-8
// behind its byte-order mark (such text has no zero bytes, so a platform
// that guesses the encoding of execute strings and widens what it takes
// for 8-bit text cannot cut it short); other clients send UTF-16.
std::wstring DecodeMacro(const std::string& Raw);

// Splits a macro into lines.
std::vector<std::wstring> SplitMacroLines(const std::wstring& Macro);

// Sends Macro to the server of Service on Topic and waits for its answer.
// Returns 0 when the server took it, else the platform's DMLERR_ code:
// DMLERR_NO_CONV_ESTABLISHED when no server answers (unknown service, or
// its program has ended), DMLERR_NOTPROCESSED when it refused the macro,
// DMLERR_EXECACKTIMEOUT when it did not answer within TimeoutMs (the call
// never waits much longer than that, even for a server that hangs). Not
// for a server of the calling thread: that one cannot answer meanwhile.
UINT DdeExecuteMacro(const std::wstring& Service, const std::wstring& Topic,
                     const std::wstring& Macro, DWORD TimeoutMs = 5000);
