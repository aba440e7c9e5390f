// Shutdown after play: the 30-second countdown window TfrmShutDown that the
// end of the playlist starts when the user asked for the computer to be
// turned off, and the shutdown request itself. The countdown disables the
// other windows, runs its own message loop and, when nobody cancels,
// closes the player (saving everything) and asks the system to power off.
// GUI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls.h"
#include "tools/tool_dialog.h"

class TfrmShutDown : public TToolDialog {
 public:
  TfrmShutDown();
  ~TfrmShutDown() override;

  TLabel& TextLabel() { return *FText; }
  TVirtualButton& CancelButton() { return *FCancel; }
  // Shows the seconds left after Elapsed in the present language.
  void ShowCountdown(int Elapsed);
  // Shows Text centred on the face between the title and the Cancel button:
  // at 46 in its own font when it fits there, else broken at blanks to the
  // face's width and raised up to the title, and only then smaller
  // (FitCountdownText).
  void ShowText(const std::wstring& Text);
  // Enter and Escape close (the remote control calls it too).
  void FormKeyPress(wchar_t& Key);
  // The cancel action of both buttons: the windows enabled again, closed.
  void ButtonClick();

 protected:
  void DoShow() override;
  void Activate() override;
  void DoClose(TCloseAction& Action) override;
  void KeyPress(wchar_t& Key) override;

 private:
  std::unique_ptr<TLabel> FText;
  TVirtualButton* FCancel = nullptr;
};

// The countdown window while it exists, nullptr otherwise.
extern TfrmShutDown* frmShutDown;
// Set when the shutdown was refused; no countdown starts again.
extern bool ShutdownFailed;

// The system calls of the shutdown request; tests record them instead.
class TShutdownApi {
 public:
  virtual ~TShutdownApi() = default;
  // The process token with the rights to adjust privileges and to query.
  virtual bool OpenProcessToken() = 0;
  virtual bool LookupShutdownPrivilege() = 0;
  // Enables it on the token; false when the thread's last error is set
  // afterwards.
  virtual bool EnableShutdownPrivilege() = 0;
  virtual bool RequestExit(unsigned Flags) = 0;
  virtual void CloseToken() = 0;
};

// The flags of the request: power off (shut down when the token could not
// be opened), closing only programs that do not answer by force, so that
// programs with unsaved work can still ask their user.
constexpr unsigned kPowerOffFlags = 0x08 | 0x10;  // EWX_POWEROFF | EWX_FORCEIFHUNG
constexpr unsigned kShutdownFlags = 0x01 | 0x10;  // EWX_SHUTDOWN | EWX_FORCEIFHUNG

// Asks the system to power off through Api; true when it accepted.
bool ShutdownComputer(TShutdownApi& Api);
// The same through the platform.
bool ShutdownComputer();

// The countdown's calls to the platform: the shutdown request, the report
// of a refusal, the end of the program and a monotonic clock in
// milliseconds. The program's own (PlatformShutdownCalls) ask the system,
// show the skinned message box over the main window, terminate the
// application and read the tick count; a test gives stand-ins, since the
// real request would turn the machine off.
class TShutdownCalls {
 public:
  virtual ~TShutdownCalls() = default;
  virtual bool Shutdown() = 0;
  virtual void Report(const std::wstring& Text) = 0;
  virtual void Terminate() = 0;
  virtual std::uint64_t Clock() = 0;
};
TShutdownCalls& PlatformShutdownCalls();

// Runs the whole countdown: returns when it was cancelled, after the
// shutdown was requested, or after a refusal (reported, then the program
// asked to end). At its end the player is closed first (the tool
// environment's ClosePlayer). Nothing while a countdown runs already.
void ShutdownCountdown(TShutdownCalls& Calls = PlatformShutdownCalls());
