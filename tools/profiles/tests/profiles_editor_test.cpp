// The profiles editor on the virtual display, joined to the main and video
// windows by the start-up's links: the names listed in order, Delete on
// the list and the buttons, the flag for the playing movie and the file
// written when the window closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <windows.h>

#include "player/tests/graph_fixture.h"
#include "settings/program_state.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "tools/profiles/profiles_editor.h"
#include "tests/support/scratch.h"

namespace {

std::function<void(TfrmProfilesEditor&)> PendingAction;

void CALLBACK ActOnEditor(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmProfilesEditor || !frmProfilesEditor->Showing()) return;
  KillTimer(nullptr, Id);
  PendingAction(*frmProfilesEditor);
}

void KeyUpDown(HWND Wnd, WPARAM Vk) {
  SendMessageW(Wnd, WM_KEYDOWN, Vk, 0);
  SendMessageW(Wnd, WM_KEYUP, Vk, 0xC0000001);
}
void Escape(HWND Wnd) { SendMessageW(Wnd, WM_CHAR, VK_ESCAPE, 0); }
// A left click at a client point of the editor (its skinned buttons).
void ClickAt(TfrmProfilesEditor& E, int X, int Y) {
  SendMessageW(E.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
  SendMessageW(E.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
}

class ProfilesEditor : public lc::testing::GraphFixture {
 protected:
  void SetUp() override {
    GraphFixture::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    lc::ProgramState& P = lc::Program();
    P.Names.AppName = "Profiles";
    P.Names.DataFolder = Folder.string() + "\\";
    P.Rms.Clear();
    P.RmsFile = {};
    P.RmsFile.Read = true;  // loaded at start
    P.RmsSkipCurrent = false;
    for (const char* Name : {"zebra.avi", "Alpha.avi", "movie.mkv", "MOVIE.MKV"}) {
      lc::settings::TRmsEntry E;
      E.Name = Name;
      P.Rms.Append(E);
    }
  }
  // A movie is open in the player: its graph is active.
  void Open(const std::string& Path) {
    form->CurrentMovieFile = Path;
    video->FilterGraph.SetActive(true);
  }
  void Run(std::function<void(TfrmProfilesEditor&)> Action) {
    PendingAction = std::move(Action);
    SetTimer(nullptr, 0, 50, ActOnEditor);
    RunProfilesEditor(nullptr);
    // The save the closing started on the worker has written the file.
    lc::ProgramState& P = lc::Program();
    P.RmsSaves.Finish(P.Rms, P.RmsFile);
  }
  std::string RmsFileText() { return lctest::ReadBytes(Scratch.File("Profiles.rs")); }
  std::vector<std::wstring> Lines(TfrmProfilesEditor& E) { return E.lbMovieNames().ItemsText(); }

  lctest::ScratchFolder Scratch;
  const std::filesystem::path& Folder = Scratch.path();
};

TEST_F(ProfilesEditor, ListsTheNamesInOrderWithTheFirstCurrent) {
  std::vector<std::wstring> Shown;
  int Current = -2;
  Run([&](TfrmProfilesEditor& E) {
    Shown = Lines(E);
    Current = E.lbMovieNames().ItemIndex();
    Escape(E.lbMovieNames().Handle());
  });
  EXPECT_EQ((std::vector<std::wstring>{L"Alpha.avi", L"movie.mkv", L"MOVIE.MKV", L"zebra.avi"}), Shown);
  EXPECT_EQ(0, Current);
  EXPECT_EQ(nullptr, frmProfilesEditor);
}

TEST_F(ProfilesEditor, DeleteKeyRemovesTheEntryAndTheFileWrittenAtCloseLacksIt) {
  std::vector<std::wstring> After;
  int Current = -2;
  Run([&](TfrmProfilesEditor& E) {
    TListBox& L = E.lbMovieNames();
    L.SetItemIndex(3);  // zebra.avi, the last line
    KeyUpDown(L.Handle(), VK_DELETE);
    After = Lines(E);
    Current = L.ItemIndex();
    Escape(L.Handle());
  });
  EXPECT_EQ((std::vector<std::wstring>{L"Alpha.avi", L"movie.mkv", L"MOVIE.MKV"}), After);
  EXPECT_EQ(2, Current);  // the new last line
  ASSERT_EQ(3u, lc::Program().Rms.size());
  const std::string Text = RmsFileText();
  EXPECT_EQ(std::string::npos, Text.find("[zebra.avi]"));
  EXPECT_NE(std::string::npos, Text.find("[Alpha.avi]"));
  EXPECT_NE(std::string::npos, Text.find("[MOVIE.MKV]"));
}

TEST_F(ProfilesEditor, NamesDifferingInCaseGoOneTableEntryEach) {
  Run([&](TfrmProfilesEditor& E) {
    TListBox& L = E.lbMovieNames();
    L.SetItemIndex(1);
    L.SetSelected(2, true);
    E.DeleteSelectedElements();
    Escape(L.Handle());
  });
  ASSERT_EQ(2u, lc::Program().Rms.size());
  EXPECT_EQ("zebra.avi", lc::Program().Rms[0].Name);
  EXPECT_EQ("Alpha.avi", lc::Program().Rms[1].Name);
}

TEST_F(ProfilesEditor, DeleteWithAModifierOrNothingSelectedDeletesNothing) {
  Run([&](TfrmProfilesEditor& E) {
    TListBox& L = E.lbMovieNames();
    L.SetItemIndex(0);
    BYTE Keys[256] = {};
    GetKeyboardState(Keys);
    Keys[VK_SHIFT] = 0x80;
    SetKeyboardState(Keys);
    KeyUpDown(L.Handle(), VK_DELETE);
    Keys[VK_SHIFT] = 0;
    SetKeyboardState(Keys);
    L.ClearSelection();
    E.DeleteSelectedElements();
    Escape(L.Handle());
  });
  EXPECT_EQ(4u, lc::Program().Rms.size());
}

TEST_F(ProfilesEditor, DeleteAllThenCloseDeletesTheFile) {
  // The file the table was read from.
  std::ofstream(Folder / "Profiles.rs") << "[zebra.avi]\r\n[Alpha.avi]\r\n[movie.mkv]\r\n[MOVIE.MKV]\r\n";
  int LeftInList = -1;
  Run([&](TfrmProfilesEditor& E) {
    const int W = E.Host().Skin().Width();
    ClickAt(E, W / 2, 350);  // "Delete all", centred on the bottom row
    LeftInList = E.lbMovieNames().Count();
    ClickAt(E, W - 10, 11);  // the close button
  });
  EXPECT_EQ(0, LeftInList);
  EXPECT_TRUE(lc::Program().Rms.empty());
  EXPECT_FALSE(std::filesystem::exists(Folder / "Profiles.rs"));
  EXPECT_EQ(nullptr, frmProfilesEditor);
}

TEST_F(ProfilesEditor, DeletingThePlayingMoviesEntrySetsTheSkipFlag) {
  Open("C:\\films\\ZEBRA.AVI");
  Run([&](TfrmProfilesEditor& E) {
    E.lbMovieNames().SetItemIndex(3);
    E.DeleteSelectedElements();
    Escape(E.lbMovieNames().Handle());
  });
  EXPECT_TRUE(lc::Program().RmsSkipCurrent);
}

TEST_F(ProfilesEditor, KeepingThePlayingMoviesEntryClearsNoFlagItDidNotSet) {
  Open("C:\\films\\alpha.avi");
  Run([&](TfrmProfilesEditor& E) {
    E.lbMovieNames().SetItemIndex(3);
    E.DeleteSelectedElements();
    Escape(E.lbMovieNames().Handle());
  });
  EXPECT_FALSE(lc::Program().RmsSkipCurrent);
  EXPECT_EQ(3u, lc::Program().Rms.size());
}

}  // namespace
