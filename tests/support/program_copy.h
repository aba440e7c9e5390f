// Copies of Lumacraft.exe under their own base names, so that every
// whole-program test has its own data folder, settings file, instance
// marker and registry names; and the ways a test talks to a running copy.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/support/process.h"

namespace lctest {

// Which executable a copy is made of: the program's test build (which
// answers QueryOpenFileList) or the shipped program.
enum class Build { Test, Shipped };

class ProgramCopy {
 public:
  // Copies the built program into a fresh temporary folder as
  // `baseName` + ".exe"; the data folder (application data + base name)
  // starts empty.
  explicit ProgramCopy(const std::wstring& baseName, Build build = Build::Test);
  // The same, of the executable at `sourceExe` (a Windows path).
  ProgramCopy(const std::wstring& baseName, const std::wstring& sourceExe);
  // Deletes the copy, its folder and the data folder with their files.
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  const std::wstring& BaseName() const { return base_; }
  const std::wstring& Exe() const { return exe_; }
  const std::wstring& ExeFolder() const { return folder_; }   // ends in "\"
  const std::wstring& DataFolder() const { return data_; }    // ends in "\"
  std::wstring SettingsFile() const { return data_ + base_ + L".ini"; }

  // Runs the copy with `args` and waits for its end; its exit code, or
  // STILL_ACTIVE when it did not end within `ms`.
  DWORD RunToEnd(const std::wstring& args, DWORD ms = 30000) const;
  // Gives back what running the copy put into the registry ("/uninstall").
  void Uninstall() const;

 private:
  std::wstring base_, exe_, folder_, data_;
};

// A copy started on a movie, asked to close (and waited for) and its
// registry names given back when the object goes.
class RunningCopy {
 public:
  explicit RunningCopy(const std::wstring& baseName) : Copy(baseName) {}
  ~RunningCopy();
  RunningCopy(const RunningCopy&) = delete;
  RunningCopy& operator=(const RunningCopy&) = delete;

  // Starts the copy on `movie`; false when its main window and video
  // window did not show.
  bool Start(const std::wstring& movie);
  // The main window's place over the video control (client coordinates):
  // it may stay in front of the picture.
  RECT MainOverControl() const;

  ProgramCopy Copy;
  std::unique_ptr<ChildProcess> App;
  HWND Main = nullptr;
  HWND Control = nullptr;  // the video control, where the picture shows
};

// A settings file of "[Configuration]" and the given "key=value" lines.
// Without "FirstRun=0" a fresh start would ask the first-run question.
void WriteSettingsFile(const std::wstring& path, const std::vector<std::string>& lines);
// The value of `key` in a settings file, or "<missing>".
std::string SettingsValue(const std::wstring& path, const std::string& key);

// A file read while the program replaces it is open, and the program's
// replacing fails (under Wine whatever the reader shares): a test that
// waits for the program to write a file waits with WaitUntilRewritten, and
// reads it once written.
std::string ReadFileText(const std::wstring& path);
void WriteFileText(const std::wstring& path, const std::string& text);
bool FileExists(const std::wstring& path);
// When the file was last written, asked without opening it; zero while no
// file is there.
FILETIME WrittenAt(const std::wstring& path);
// Waits up to `ms` until a file is there written at another time than
// `before` (WrittenAt), without opening it; whether it came.
bool WaitUntilRewritten(const std::wstring& path, const FILETIME& before, DWORD ms);

// Waits up to `ms` for the visible main window of process `pid`.
HWND WaitForVisibleMainWindow(DWORD pid, DWORD ms);
// Asks a running main window for the files handed over to it last; nothing
// when no answer came.
std::optional<std::vector<std::string>> AskOpenFileList(HWND mainWindow);
// The same, with no answer as an empty list.
std::vector<std::string> QueryOpenFileList(HWND mainWindow);
// What a running main window's program shows (tests/support/face_answer.cpp),
// by name; empty when no answer came.
std::map<std::string, std::string> QueryFace(HWND mainWindow);

}  // namespace lctest
