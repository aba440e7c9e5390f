// The jump, aspect-ratio and pan & scan dialogs, the about box and the key
// list on the virtual display, joined to the main and video windows by the
// start-up's links: real key and mouse messages reach the player's values
// through a recording stand-in of the dialogs' player link.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "player/tests/graph_fixture.h"
#include "settings/tests/language_files.h"
#include "settings/text_table.h"
#include "tools/about_box.h"
#include "tools/jump_dialog.h"
#include "tools/slider_dialogs.h"
#include "tools/tests/dialog_fakes.h"

namespace {

using lc::Program;
using lc::tools::fakes::TRecordingDialogPlayer;
using lctest::Pump;

void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

void ClickOn(HWND Wnd, int X, int Y) {
  PostMessageW(Wnd, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
  PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
  PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  Settle();
}

void Char(HWND Wnd, wchar_t C) {
  PostMessageW(Wnd, WM_CHAR, C, 0);
  Settle();
}

void KeyDown(HWND Wnd, WORD Key) {
  PostMessageW(Wnd, WM_KEYDOWN, Key, 0);
  Settle();
}

class ToolDialogs : public lc::testing::GraphFixture {
 protected:
  void SetUp() override {
    GraphFixture::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
  }
  TRecordingDialogPlayer Player;
};

// ---- jump to time ----------------------------------------------------------------------

class JumpDialog : public ToolDialogs {
 protected:
  void SetUp() override {
    ToolDialogs::SetUp();
    LastJumpTime = 0;
    Player.Duration = 45 * 60 * 1000;
  }
  void Open() {
    Form = std::make_unique<TfrmJump>(Player);
    Form->Show();
    Settle();
  }
  void Type(const wchar_t* Text) {
    for (const wchar_t* C = Text; *C; ++C) Char(Form->ETime().Handle(), *C);
  }
  std::unique_ptr<TfrmJump> Form;
};

TEST_F(JumpDialog, FirstOpeningShowsZeroAndTheDuration) {
  Open();
  EXPECT_EQ(L"00:00:00", Form->ETime().Text());
  EXPECT_EQ(L"from  00:45:00", Form->LFromTime().Caption());
  EXPECT_EQ(Form.get(), frmJump);
  EXPECT_EQ(250, Form->ClientWidth());
  EXPECT_EQ(132, Form->ClientHeight());
}

TEST_F(JumpDialog, TheWholeTimeAndItsLabelShowAtEveryLanguage) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  for (const bool Longer : {false, true}) {
    if (Longer) T = lc::settings::testing::LongerTable();
    Open();
    TEdit& Time = Form->ETime();
    ASSERT_EQ(L"00:00:00", Time.Text());
    // The right edge of the last character, in the edit's client area.
    TBitmap Measure(1, 1);
    Measure.Canvas().Font.Assign(Time.Font);
    const LRESULT Last = SendMessageW(Time.Handle(), EM_POSFROMCHAR, 7, 0);
    EXPECT_LE(static_cast<short>(LOWORD(Last)) + Measure.Canvas().TextWidth(L"0"), Time.ClientWidth())
        << "longer: " << Longer;
    EXPECT_GE(static_cast<short>(LOWORD(Last)), 0);
    const TLabel& From = Form->LFromTime();
    EXPECT_EQ(Longer ? L"fromfr  00:45:00" : L"from  00:45:00", From.Caption());
    EXPECT_LE(From.Left() + From.Width(), 250) << "longer: " << Longer;
    EXPECT_LE(Time.Left() + Time.Width(), From.Left());
    Form.reset();
  }
  lc::settings::SetDefaultTexts(T);
}

TEST_F(JumpDialog, ATimeBeyondTheEndJumpsToTheEndAndIsKept) {
  Open();
  Form->ETime().SetText(L"");
  Type(L"01:30:00\r");
  ASSERT_EQ(1u, Player.Seeks.size());
  EXPECT_EQ(2700LL * 10000000, Player.Seeks[0]);
  EXPECT_EQ(2700, LastJumpTime);
  EXPECT_EQ(mrOk, Form->ModalResult);
  ASSERT_EQ(1u, Player.Osd.size());
  EXPECT_EQ(L"00:45:00 / 00:45:00 (100%)", Player.Osd[0]);
  Form.reset();
  EXPECT_EQ(nullptr, frmJump);
  Open();
  EXPECT_EQ(L"00:45:00", Form->ETime().Text());
}

TEST_F(JumpDialog, LettersAreRefusedAndABadTimeComesBackWithoutSeeking) {
  Open();
  Form->ETime().SetText(L"");
  Type(L"0a-1:30:00");
  // Only digits and colons reach the edit (eight of them fit).
  EXPECT_EQ(L"01:30:00", Form->ETime().Text());
  for (const wchar_t* Bad : {L"1:30:00", L"01:60:00", L"01-30-00"}) {
    Form->ETime().SetText(Bad);
    Form->btnOkClick();
    EXPECT_EQ(L"00:00:00", Form->ETime().Text()) << Bad;
  }
  EXPECT_TRUE(Player.Seeks.empty());
  EXPECT_EQ(mrNone, Form->ModalResult);
}

// Typed into whatever has the focus once the modal dialog is up.
void CALLBACK TypeIntoFocus(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  if (GetFocus() != frmJump->ETime().Handle()) frmJump->ModalResult = mrAbort;
  // The shown time is replaced (as by a double click on it).
  PostMessageW(GetFocus(), EM_SETSEL, 0, -1);
  for (wchar_t C : std::wstring(L"00:00:05\r")) PostMessageW(GetFocus(), WM_CHAR, C, 0);
}

TEST_F(JumpDialog, TheModalDialogTakesTheTimeAsTyped) {
  LastJumpTime = 0;
  Form = std::make_unique<TfrmJump>(Player);
  const UINT_PTR Timer = SetTimer(nullptr, 0, 200, TypeIntoFocus);
  // Aborted when the edit did not have the focus.
  EXPECT_EQ(mrOk, Form->ShowModal());
  KillTimer(nullptr, Timer);
  EXPECT_EQ(std::vector<std::int64_t>{50000000}, Player.Seeks);
}

TEST_F(JumpDialog, FramesOnTheOnScreenText) {
  Player.Frames = true;
  Open();
  Form->ETime().SetText(L"00:00:40");
  ClickOn(Form->Handle(), 60, 102);  // OK
  ASSERT_EQ(1u, Player.Osd.size());
  EXPECT_EQ(L"  1000 / 67500 (1%)", Player.Osd[0]);
}

TEST_F(JumpDialog, CancelAndEscapeCloseWithoutSeeking) {
  Open();
  ClickOn(Form->Handle(), 190, 102);  // Cancel
  EXPECT_FALSE(Form->Visible());
  Form->Show();
  Settle();
  Char(Form->ETime().Handle(), 27);
  EXPECT_FALSE(Form->Visible());
  EXPECT_TRUE(Player.Seeks.empty());
}

// ---- placement by the video window ----------------------------------------------------------

// The video window at (300, 200), 400 x 300, on the virtual display's one
// monitor (1920 x 1080).
class BelowTheVideo : public ToolDialogs {
 protected:
  void SetUp() override {
    ToolDialogs::SetUp();
    Player.Duration = 60000;
    video->SetBounds(300, 200, 400, 300);
    video->VideoMonitor = {};
    Pump(50);
  }
  void TearDown() override {
    Program().MonitorsDiffer = false;
    ToolDialogs::TearDown();
  }
  template <class Dialog>
  TPoint ShownAt() {
    auto Form = std::make_unique<Dialog>(Player);
    Form->Show();
    Pump(50);
    return {Form->Left(), Form->Top()};
  }
};

TEST_F(BelowTheVideo, WhileMonitorsDifferTheVideosMonitorIsRecordedFirst) {
  Program().MonitorsDiffer = true;
  // Centred under the video window (left 300, width 400, bottom 500).
  EXPECT_EQ((TPoint{375, 500}), ShownAt<TfrmJump>());
  EXPECT_EQ((TPoint{348, 500}), ShownAt<TfrmAspectRatio>());
  // The one screen of the virtual display shows the video window.
  EXPECT_EQ((TRect{0, 0, 1920, 1080}), video->VideoMonitor.BoundsRect);
}

TEST_F(BelowTheVideo, OneMonitorLayoutOrAFullScreenVideoRecordsNothing) {
  // Halfway between the screen's centre (960) and the video's (500).
  EXPECT_EQ((TPoint{605, 500}), ShownAt<TfrmJump>());
  EXPECT_EQ((TRect{}), video->VideoMonitor.BoundsRect);
  Program().MonitorsDiffer = true;
  Program().Settings.AutoHideMainWindow = true;
  video->SetFullScreen(true);
  Pump(100);
  // Centred on the video's monitor, the main window parked behind the
  // video.
  EXPECT_EQ((TPoint{835, 474}), ShownAt<TfrmJump>());
  video->SetNormalScreen();
}

// ---- aspect ratio --------------------------------------------------------------------------

class AspectDialog : public ToolDialogs {
 protected:
  void Open() {
    Form = std::make_unique<TfrmAspectRatio>(Player);
    Form->Slider().SetPosition(133);
    Form->Show();
    Settle();
  }
  std::unique_ptr<TfrmAspectRatio> Form;
};

TEST_F(AspectDialog, DigitsSetTheRatioAndAnUnchangedOneCallsNothing) {
  Open();
  EXPECT_EQ(133, Form->SavedValue());
  Char(Form->Handle(), L'0');
  EXPECT_DOUBLE_EQ(0.5, Player.Ratio);
  Char(Form->Handle(), L'3');
  EXPECT_DOUBLE_EQ(3.0, Player.Ratio);
  Char(Form->Handle(), L'1');
  Char(Form->Handle(), L'1');
  EXPECT_EQ((std::vector<std::string>{"0.5", "3", "1"}), Player.Ratios);
  EXPECT_EQ(mrNone, Form->ModalResult);
  Char(Form->Handle(), L'a');
  EXPECT_EQ(mrOk, Form->ModalResult);
}

TEST_F(AspectDialog, ArrowsAndWheelStepWithinTheRange) {
  Player.Ratio = 3.0;
  Open();
  Form->Slider().SetPosition(300);
  KeyDown(Form->Handle(), VK_UP);
  EXPECT_TRUE(Player.Ratios.empty());
  KeyDown(Form->Handle(), VK_LEFT);
  EXPECT_DOUBLE_EQ(2.99, Player.Ratio);
  PostMessageW(Form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  Settle();
  EXPECT_DOUBLE_EQ(2.98, Player.Ratio);
  EXPECT_EQ(298, Form->Slider().Position());
}

TEST_F(AspectDialog, RestoreTakesTheMoviesOwnRatio) {
  Open();
  const int W = Form->ClientWidth();
  ClickOn(Form->Handle(), (W - 27) / 2 + 13, 100);
  EXPECT_DOUBLE_EQ(1.25, Player.Ratio);
  EXPECT_EQ(125, Form->Slider().Position());
  ClickOn(Form->Handle(), (W - 27) / 2 + 13, 100);
  EXPECT_EQ(1u, Player.Ratios.size());
  // No picture: nothing to restore.
  Player.Native = {0, 0};
  Char(Form->Handle(), L'2');
  ClickOn(Form->Handle(), (W - 27) / 2 + 13, 100);
  EXPECT_DOUBLE_EQ(2.0, Player.Ratio);
}

TEST_F(AspectDialog, EscapeAfterADragPutsTheFirstRatioBack) {
  Open();
  HWND Wnd = Form->Handle();
  const int Y = 48;
  const int X = Form->Slider().ThumbPos();
  PostMessageW(Wnd, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
  PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
  Settle();
  PostMessageW(Wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(186, Y));
  Settle();
  PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(186, Y));
  Settle();
  EXPECT_EQ(210, Form->Slider().Position());
  EXPECT_DOUBLE_EQ(2.1, Player.Ratio);
  Char(Wnd, 27);
  EXPECT_DOUBLE_EQ(1.33, Player.Ratio);
  EXPECT_FALSE(Form->Visible());
}

// ---- pan & scan ------------------------------------------------------------------------------

TEST_F(ToolDialogs, PanScanStepsStopAtTheEndsAndZeroAtZeroCallsNothing) {
  Player.Pan = -50;
  auto Form = std::make_unique<TfrmPanScan>(Player);
  Form->Slider().SetPosition(-50);
  Form->Show();
  Settle();
  EXPECT_EQ(-50, Form->SavedValue());
  KeyDown(Form->Handle(), VK_DOWN);
  EXPECT_TRUE(Player.Pans.empty());
  KeyDown(Form->Handle(), VK_RIGHT);
  Char(Form->Handle(), L'0');
  Char(Form->Handle(), L'0');
  EXPECT_EQ((std::vector<int>{-49, 0}), Player.Pans);
  // Cancel goes back to the value it was shown with.
  Char(Form->Handle(), 27);
  EXPECT_EQ(-50, Player.Pan);
  EXPECT_EQ(mrCancel, Form->ModalResult);
  EXPECT_EQ(Form.get(), frmPanScan);
  Form.reset();
  EXPECT_EQ(nullptr, frmPanScan);
}

// ---- about box and key list -----------------------------------------------------------------

TEST_F(ToolDialogs, AboutBoxVersionAndLinks) {
  std::vector<std::pair<std::wstring, int>> Opened;
  TfrmAbout::OpenLink = [&](const std::wstring& Target, int Show) { Opened.push_back({Target, Show}); };
  auto Form = std::make_unique<TfrmAbout>();
  Form->Show();
  Settle();
  EXPECT_EQ(L"Version: 0.87", Form->VersionLabel().Caption());
  EXPECT_EQ(300, Form->ClientWidth());
  EXPECT_EQ(341, Form->ClientHeight());
  // Centred between x 110 and the right edge.
  EXPECT_EQ((300 + 110 - Form->VersionLabel().Width()) / 2, Form->VersionLabel().Left());
  ClickOn(Form->Handle(), 210, 60);
  ClickOn(Form->Handle(), 260, 70);
  ASSERT_EQ(2u, Opened.size());
  EXPECT_EQ(0u, Opened[0].first.find(L"mailto:"));
  EXPECT_NE(std::wstring::npos, Opened[0].first.find(L"?subject=critics and suggestions"));
  EXPECT_EQ(5, Opened[0].second);
  EXPECT_EQ(0u, Opened[1].first.find(L"http"));
  EXPECT_EQ(4, Opened[1].second);
  EXPECT_TRUE(Form->Visible());
  Char(Form->Handle(), 13);
  EXPECT_FALSE(Form->Visible());
}

TEST_F(ToolDialogs, TheVersionLabelSpeaksTheLanguage) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  T.TextLabels[0] = "Versione";
  auto Form = std::make_unique<TfrmAbout>();
  Form->Show();
  Settle();
  EXPECT_EQ(L"Versione: 0.87", Form->VersionLabel().Caption());
  lc::settings::SetDefaultTexts(T);
}

TEST_F(ToolDialogs, KeyListKeepsItsSizeForShortLines) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  T.TextKeyHelp = "Space\tPlay or pause\r\nS\tStop\r\nF\tFull screen";
  auto Form = std::make_unique<TfrmKeyboard>();
  Form->Show();
  Settle();
  EXPECT_EQ(480, Form->ClientWidth());
  EXPECT_EQ(400, Form->ClientHeight());
  EXPECT_EQ(3u, Form->MemoText().Lines().size());
  Char(Form->MemoText().Handle(), 27);
  EXPECT_FALSE(Form->Visible());
  lc::settings::SetDefaultTexts(T);
}

TEST_F(ToolDialogs, KeyListWidensForALongLine) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  // A line of about 900 pixels in the list's font: the window is 30
  // pixels of margin and 6 of frame wider than it.
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.SetName(L"Arial");
  Measure.Canvas().Font.SetHeight(-13);
  std::wstring Line;
  while (Measure.Canvas().TextWidth(Line + L"W") <= 900) Line += L"W";
  const int LineWidth = Measure.Canvas().TextWidth(Line);
  ASSERT_GT(LineWidth, 880);
  T.TextKeyHelp = "short\r\n" + std::string(Line.begin(), Line.end()) + "\r\nshort";
  auto Form = std::make_unique<TfrmKeyboard>();
  Form->Show();
  Settle();
  EXPECT_EQ(LineWidth + 36, Form->ClientWidth());
  EXPECT_EQ(400, Form->ClientHeight());
  EXPECT_EQ(LineWidth + 33, Form->MemoText().Width());
  lc::settings::SetDefaultTexts(T);
}

// Where each line's keys start in the memo (client x of the character after
// its tab), and where its action ends.
struct TKeyRow {
  int ActionEnd = 0;
  int Keys = 0;
};
std::vector<TKeyRow> KeyRows(TMemo& Memo) {
  std::vector<TKeyRow> Rows;
  const std::vector<std::wstring> Lines = Memo.Lines();
  for (int L = 0; L < static_cast<int>(Lines.size()); ++L) {
    const std::size_t Tab = Lines[L].find(L'\t');
    if (Tab == std::wstring::npos) continue;
    const int First = static_cast<int>(SendMessageW(Memo.Handle(), EM_LINEINDEX, L, 0));
    const auto X = [&](std::size_t I) {
      return static_cast<short>(LOWORD(SendMessageW(Memo.Handle(), EM_POSFROMCHAR, First + I, 0)));
    };
    Rows.push_back({X(Tab), X(Tab + 1)});
  }
  return Rows;
}

TEST_F(ToolDialogs, KeyListKeepsEveryLinesKeysInOneColumn) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  for (const bool Longer : {false, true}) {
    lc::settings::SetDefaultTexts(T);
    // Actions of another language, a third longer, with the tab counts of
    // the built-in list.
    if (Longer) T.TextKeyHelp = lc::settings::testing::Lengthened(T.TextKeyHelp);
    auto Form = std::make_unique<TfrmKeyboard>();
    Form->Show();
    Settle();
    const std::vector<TKeyRow> Rows = KeyRows(Form->MemoText());
    ASSERT_EQ(68u, Rows.size());
    for (const TKeyRow& R : Rows) {
      EXPECT_EQ(Rows[0].Keys, R.Keys) << "longer: " << Longer;
      EXPECT_LT(R.ActionEnd, R.Keys) << "longer: " << Longer;
    }
    // The window takes the widest line.
    EXPECT_GE(Form->MemoText().Width(), Form->KeyColumn());
  }
  lc::settings::SetDefaultTexts(T);
}

}  // namespace
