// The main window under test: default settings, a scratch data folder, the
// recording stand-in for the other rooms and a process end that is only
// counted. It is joined to the message box, the tool windows and the
// application's events by the start-up's own links, with file associations
// in a registry of its own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "app/window_links.h"
#include "framework/application.h"
#include "player/main_form.h"
#include "player/tests/recording_commands.h"
#include "settings/associations.h"
#include "settings/memory_registry.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_table.h"

namespace lc::testing {

class TTestMain : public TfrmMain {
 public:
  using TfrmMain::TfrmMain;
  int ProcessEnds = 0;
  UINT LastExitCode = 0;

 protected:
  void EndProcess(UINT ExitCode) override {
    ++ProcessEnds;
    LastExitCode = ExitCode;
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lc::ProgramNames& n = Program().Names;
    n.AppName = "LcFormTest";
    n.DataFolder = folder.File("");
    n.ConfigFileName = folder.File("LcFormTest.ini");
    lc::settings::SetDefaultSettings(Program().Settings, ScreenWidth, ScreenHeight);
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
    AdjustSettings(Program().Settings);
    // The data files as the start-up leaves them: read (none were there).
    Program().Settings.ConfigTaken = true;
    Program().RmsFile = {};
    Program().RmsFile.Read = true;
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
    Program().DesktopDisplayMode.clear();
    form = std::make_unique<TTestMain>(host);
    form->Playlist().LoadAtStart(0);
    links = std::make_unique<TWindowLinks>(*form, associations);
    form->SetCommands(&rooms);
    form->OnReport = [this](const std::wstring& Text) { reports.push_back(Text); };
  }
  void TearDown() override {
    // A save the pulse started on the worker ends in this test.
    Program().RmsSaves.Finish(Program().Rms, Program().RmsFile);
    links.reset();
    form.reset();
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
  }

  // Changes the default settings before any window is made.
  virtual void AdjustSettings(lc::settings::SettingsStore&) {}

  // A left click at (X, Y) of the face.
  void Click(int X, int Y) {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  }
  void Key(WORD K, TShiftState Shift = 0) { form->FormKeyDown(K, Shift); }

  // The screen the default settings are made for.
  int ScreenWidth = 1024;
  int ScreenHeight = 768;
  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  RecordingCommands rooms;
  // The messages the main window showed.
  std::vector<std::wstring> reports;
  MemoryRegistry registry;
  Associations associations{registry, "LcFormTest", "C:\\Program Files\\LcFormTest.exe"};
  std::unique_ptr<TTestMain> form;
  std::unique_ptr<TWindowLinks> links;
};

}  // namespace lc::testing
