// The common dialogs on the test display, answered from a second thread
// while Execute runs on this one: by the commands of the dialogs' own
// buttons and by text written into their fields, which reach a dialog
// whichever window holds the keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/exceptions.h"
#include "framework/tests/input.h"
#include "tests/support/scratch.h"

namespace {

constexpr int kLeft = 1400;
constexpr int kTop = 600;

struct TFind {
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectDialogs(HWND W, LPARAM P) {
  DWORD Pid = 0;
  GetWindowThreadProcessId(W, &Pid);
  wchar_t Name[16] = {};
  GetClassNameW(W, Name, 16);
  if (Pid == GetCurrentProcessId() && std::wstring(Name) == L"#32770" && IsWindowVisible(W))
    reinterpret_cast<TFind*>(P)->Found.push_back(W);
  return TRUE;
}

// The visible dialog windows of this process.
std::vector<HWND> OpenDialogs() {
  TFind F;
  EnumWindows(&CollectDialogs, reinterpret_cast<LPARAM>(&F));
  return F.Found;
}

// Waits (up to 10 s) for Count dialog windows; the one in front, or
// nullptr when they did not come.
HWND WaitForDialogs(size_t Count) {
  for (int I = 0; I < 1000; ++I, Sleep(10)) {
    std::vector<HWND> Open = OpenDialogs();
    if (Open.size() >= Count) {
      Sleep(300);  // let it settle
      return Open.front();
    }
  }
  return nullptr;
}

// Waits (up to 10 s) until fewer than Count dialog windows are open.
bool WaitUntilFewer(size_t Count) {
  for (int I = 0; I < 1000; ++I, Sleep(10)) {
    if (OpenDialogs().size() < Count) return true;
  }
  return false;
}

// A button of a dialog pressed by its own command, as the button itself
// sends it: no keyboard in between, so it reaches the dialog whichever
// window holds the focus at that moment.
void Press(HWND Dialog, int Button) { PostMessageW(Dialog, WM_COMMAND, Button, 0); }

// Writes Name into a file dialog's file name field (the combo box of the
// newer dialogs, the edit of the older ones), as typing it would.
bool SetFileName(HWND Dialog, const wchar_t* Name) {
  for (int Field : {cmb13, edt1}) {
    HWND Control = GetDlgItem(Dialog, Field);
    if (Control && IsWindowVisible(Control)) return SetWindowTextW(Control, Name) != FALSE;
  }
  return false;
}

// Answers the dialog that Execute shows, from a second thread, with the
// dialog's own messages: Act gets the dialog once it is up.
class TDialogDriver {
 public:
  explicit TDialogDriver(std::function<void(HWND)> Act)
      : FThread([Act] {
          HWND Dialog = WaitForDialogs(1);
          if (!Dialog) return;
          Act(Dialog);
          // Whatever is still open long after (an answer that did not close
          // it) is cancelled, the dialog in front first, so that Execute
          // returns and the test fails on its checks instead of hanging.
          if (WaitUntilFewer(1)) return;
          for (size_t Open = OpenDialogs().size(); Open > 0; Open = OpenDialogs().size()) {
            Press(OpenDialogs().front(), IDCANCEL);
            if (!WaitUntilFewer(Open)) return;
          }
        }) {}
  ~TDialogDriver() { FThread.join(); }

 private:
  std::thread FThread;
};

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = lctest::ShownForm(L"TfrmDialogProbe", kLeft, kTop, 200, 100);
    Application.OnModalBegin = [this](TComponent*) { Log.push_back("modal begin"); };
    Application.OnModalEnd = [this](TComponent*) { Log.push_back("modal end"); };
    for (const char* Name : {"one.avi", "two.avi"}) std::ofstream(Folder / Name) << "x";
  }
  void TearDown() override {
    Application.OnModalBegin = nullptr;
    Application.OnModalEnd = nullptr;
  }
  // Hooks a dialog's OnShow and OnClose into the log; OnShow also notes
  // whether the probe form was disabled and the dialog's window known.
  void Watch(TCommonDialog& D) {
    D.OnShow = [this, &D](TComponent*) {
      Log.push_back("show");
      FormDisabled = !IsWindowEnabled(Form->Handle());
      ShownHandle = D.Handle();
    };
    D.OnClose = [this](TComponent*) { Log.push_back("close"); };
  }
  std::unique_ptr<TForm> Form;
  lctest::ScratchFolder Scratch;
  const std::filesystem::path& Folder = Scratch.path();
  std::vector<std::string> Log;
  bool FormDisabled = false;
  HWND ShownHandle = nullptr;
};

const std::vector<std::string> kModalRun = {"modal begin", "show", "modal end", "close"};

TEST_F(DialogsTest, OpenDialogCancelledReturnsNothing) {
  TOpenDialog Open;
  Open.FileName = L"kept.avi";
  Open.Title = L"Open movie(s)";
  Watch(Open);
  std::wstring Title;
  bool Ok;
  {
    TDialogDriver Driver([&](HWND D) {
      wchar_t Text[64] = {};
      GetWindowTextW(D, Text, 64);
      Title = Text;
      Press(D, IDCANCEL);
    });
    Ok = Open.Execute();
  }
  EXPECT_FALSE(Ok);
  EXPECT_EQ(Open.FileName, L"kept.avi");
  EXPECT_TRUE(Open.Files.empty());
  EXPECT_EQ(Title, L"Open movie(s)");
  EXPECT_EQ(Log, kModalRun);
  EXPECT_TRUE(FormDisabled);
  EXPECT_NE(ShownHandle, nullptr);
  EXPECT_EQ(Open.Handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}

TEST_F(DialogsTest, OpenDialogReturnsSeveralChosenFiles) {
  TOpenDialog Open;
  Open.InitialDir = Folder.wstring();
  Open.Filter = L"Video files|*.avi|All files|*.*";
  Open.Options |= ofAllowMultiSelect | ofFileMustExist;
  bool Ok;
  {
    TDialogDriver Driver([](HWND D) {
      if (SetFileName(D, L"\"one.avi\" \"two.avi\"")) Press(D, IDOK);
    });
    Ok = Open.Execute();
  }
  ASSERT_TRUE(Ok);
  std::wstring Dir = Folder.wstring();
  EXPECT_EQ(Open.Files, (std::vector<std::wstring>{Dir + L"\\one.avi", Dir + L"\\two.avi"}));
  EXPECT_EQ(Open.FileName, Dir + L"\\one.avi");
  EXPECT_EQ(Open.FilterIndex, 1);
}

// The list view of a file dialog (inside its shell view), or nullptr.
HWND FileListOf(HWND Dialog) {
  HWND View = FindWindowExW(Dialog, nullptr, L"SHELLDLL_DefView", nullptr);
  return View ? FindWindowExW(View, nullptr, L"SysListView32", nullptr) : nullptr;
}

// A selection whose names take more than the 32,768 characters the dialog
// starts with: every file still comes back.
TEST_F(DialogsTest, OpenDialogReturnsASelectionLargerThanItsFirstBuffer) {
  const std::filesystem::path Many = Folder / "many";
  std::filesystem::create_directories(Many);
  constexpr int kFiles = 300;  // 300 names of 120 characters
  const std::string Long(112, 'x');
  for (int I = 0; I < kFiles; ++I) std::ofstream(Many / (Long + std::to_string(1000 + I) + ".avi")) << "x";
  TOpenDialog Open;
  Open.InitialDir = Many.wstring();
  Open.Options |= ofAllowMultiSelect | ofFileMustExist;
  bool Ok;
  {
    TDialogDriver Driver([](HWND D) {
      HWND List = nullptr;
      for (int I = 0; I < 500 && !(List = FileListOf(D)); ++I) Sleep(10);
      for (int I = 0; I < 500 && List && SendMessageW(List, LVM_GETITEMCOUNT, 0, 0) < kFiles; ++I) Sleep(10);
      LVITEMW Item{};
      Item.stateMask = LVIS_SELECTED;
      Item.state = LVIS_SELECTED;
      SendMessageW(List, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&Item));
      Sleep(300);
      PostMessageW(D, WM_COMMAND, IDOK, 0);
    });
    Ok = Open.Execute();
  }
  ASSERT_TRUE(Ok);
  ASSERT_EQ(Open.Files.size(), static_cast<std::size_t>(kFiles));
  std::vector<std::wstring> Sorted = Open.Files;
  std::sort(Sorted.begin(), Sorted.end());
  EXPECT_EQ(Sorted.front(), Many.wstring() + L"\\" + std::wstring(112, L'x') + L"1000.avi");
  EXPECT_EQ(Sorted.back(), Many.wstring() + L"\\" + std::wstring(112, L'x') + L"1299.avi");
}

TEST_F(DialogsTest, SaveDialogAsksBeforeReplacingAFile) {
  TSaveDialog Save;
  Save.InitialDir = Folder.wstring();
  Save.Filter = L"Playlist files|*.lpl|All files|*.*";
  Save.DefaultExt = L"lpl";
  size_t DialogsAtPrompt = 0;
  bool Ok;
  {
    TDialogDriver Driver([&](HWND D) {
      if (!SetFileName(D, L"two.avi")) return;
      Press(D, IDOK);
      if (!WaitForDialogs(2)) return;
      const std::vector<HWND> Open = OpenDialogs();
      DialogsAtPrompt = Open.size();
      // The question whether to replace the file: Yes.
      for (HWND Question : Open)
        if (Question != D) Press(Question, IDYES);
    });
    Ok = Save.Execute();
  }
  EXPECT_EQ(DialogsAtPrompt, 2u);
  ASSERT_TRUE(Ok);
  EXPECT_EQ(Save.FileName, Folder.wstring() + L"\\two.avi");
}

TEST_F(DialogsTest, FontDialogKeepsTheFontOnCancelAndReturnsItOnOk) {
  TFontDialog FontDialog;
  FontDialog.Font.SetName(L"DejaVu Sans");
  FontDialog.Font.SetHeight(-16);
  FontDialog.Font.SetStyle(fsBold);
  FontDialog.Font.SetColor(clRed);
  Watch(FontDialog);
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDCANCEL); });
    EXPECT_FALSE(FontDialog.Execute());
  }
  EXPECT_EQ(Log, kModalRun);
  EXPECT_EQ(FontDialog.Font.Height(), -16);
  bool Ok;
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDOK); });
    Ok = FontDialog.Execute();
  }
  ASSERT_TRUE(Ok);
  EXPECT_EQ(FontDialog.Font.Name(), L"DejaVu Sans");
  EXPECT_EQ(FontDialog.Font.Style() & fsBold, fsBold);
  EXPECT_EQ(FontDialog.Font.Color(), clRed);
  EXPECT_LT(FontDialog.Font.Height(), 0);
}

TEST_F(DialogsTest, ColorDialogCancelAndOk) {
  TColorDialog Colors;
  Colors.Color = RGBColor(10, 20, 30);
  Colors.CustomColors[0] = RGBColor(1, 2, 3);
  Watch(Colors);
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDCANCEL); });
    EXPECT_FALSE(Colors.Execute());
  }
  EXPECT_EQ(Log, kModalRun);
  bool Ok;
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDOK); });
    Ok = Colors.Execute();
  }
  ASSERT_TRUE(Ok);
  EXPECT_EQ(Colors.Color, RGBColor(10, 20, 30));
  EXPECT_EQ(Colors.CustomColors[0], RGBColor(1, 2, 3));
}

TEST_F(DialogsTest, FolderDialogCancelKeepsTheFolder) {
  TFolderDialog Choose;
  Choose.Title = L"Select a directory:";
  Choose.Directory = Folder.wstring();
  Watch(Choose);
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDCANCEL); });
    EXPECT_FALSE(Choose.Execute());
  }
  EXPECT_EQ(Log, kModalRun);
  EXPECT_TRUE(FormDisabled);
  EXPECT_EQ(Choose.Directory, Folder.wstring());
}

TEST_F(DialogsTest, AShowHandlerThatRaisesGoesToTheExceptionRoute) {
  std::string Caught;
  Application.OnException = [&](TComponent*, std::exception_ptr E) {
    Caught = ExceptionMessage(E);
  };
  TColorDialog Colors;
  Colors.OnShow = [](TComponent*) { throw Exception("show failed"); };
  bool Ok;
  {
    TDialogDriver Driver([](HWND D) { Press(D, IDCANCEL); });
    Ok = Colors.Execute();
  }
  Application.OnException = nullptr;
  EXPECT_FALSE(Ok);
  EXPECT_EQ(Caught, "show failed");
}

// The plain message box carries the application's title and runs modally:
// the form is disabled while it is up.
TEST_F(DialogsTest, ThePlainMessageBoxIsTitledWithTheApplicationsTitle) {
  const std::wstring Before = Application.Title();
  Application.SetTitle(L"LcProbeTitle");
  std::wstring Title, Text;
  bool Disabled = false;
  {
    TDialogDriver Driver([&](HWND D) {
      wchar_t Buffer[64] = {};
      GetWindowTextW(D, Buffer, 64);
      Title = Buffer;
      GetDlgItemTextW(D, 0xFFFF, Buffer, 64);
      Text = Buffer;
      Disabled = !IsWindowEnabled(Form->Handle());
      Press(D, IDOK);
    });
    ShowMessage(L"Cannot render ($80040218).");
  }
  Application.SetTitle(Before);
  EXPECT_EQ(Title, L"LcProbeTitle");
  EXPECT_EQ(Text, L"Cannot render ($80040218).");
  EXPECT_TRUE(Disabled);
  EXPECT_EQ(Log, (std::vector<std::string>{"modal begin", "modal end"}));
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}

TEST(DialogLists, MultiSelectResultBecomesFullPaths) {
  EXPECT_EQ(SplitDialogFileList(L"C:\\movies\\a.avi\0"),
            (std::vector<std::wstring>{L"C:\\movies\\a.avi"}));
  EXPECT_EQ(SplitDialogFileList(L"C:\\movies\0a.avi\0b c.mkv\0"),
            (std::vector<std::wstring>{L"C:\\movies\\a.avi", L"C:\\movies\\b c.mkv"}));
  EXPECT_EQ(SplitDialogFileList(L"D:\\\0x.avi\0y.avi\0"),
            (std::vector<std::wstring>{L"D:\\x.avi", L"D:\\y.avi"}));
  EXPECT_TRUE(SplitDialogFileList(L"\0").empty());
}

TEST(DialogLists, FilterTextBecomesTheZeroSeparatedList) {
  EXPECT_EQ(DialogFilterList(L"Video files|*.avi;*.mpg|All files|*.*"),
            std::wstring(L"Video files\0*.avi;*.mpg\0All files\0*.*\0\0", 39));
  EXPECT_EQ(DialogFilterList(L""), L"");
}

}  // namespace
