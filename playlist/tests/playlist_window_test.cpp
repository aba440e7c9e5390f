// The playlist window on the virtual display: its face at two sizes is made
// of the part images, keys move and remove entries, a dragged entry moves in
// the model and a double click plays the entry through the opening.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/tests/input.h"
#include "kit/skin_image.h"
#include "playlist/tests/drop_support.h"
#include "playlist/tests/fakes.h"
#include "playlist/win/playlist_window.h"
#include "settings/text_table.h"

namespace lc::playlist {
namespace {

using testing::FakeFileSystem;
using testing::RecordingLink;

void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

bool SamePixel(TBitmap& A, int AX, int AY, TBitmap& B, int BX, int BY) {
  return std::memcmp(A.ScanLine(AY) + 3 * AX, B.ScanLine(BY) + 3 * BX, 3) == 0;
}

// The program as the window sees it, for a model on a fake file system: no
// other window shows, keys and seeks go nowhere, the subtitle check passes
// names with "good" in them, messages are recorded.
class TStandInProgram : public TPlayListEnvironment, public TProgramWindows {
 public:
  const TProgramWindows& Windows() const override { return *this; }
  void ExecuteKeyCommand(WORD&, TShiftState) override {}
  void Seek(bool, TShiftState) override {}
  bool CheckSubtitleFile(const std::string& Path) override { return Path.find("good") != std::string::npos; }
  void ShowMessage(const std::wstring& Text) override { Messages.push_back(Text); }
  bool PlayerClosing() const override { return false; }
  TImageList& MenuImages() const override { return Images; }
  TForm& MainWindow() const override { return Main; }
  TForm* VideoWindow() const override { return nullptr; }
  TForm* PlaylistWindow() const override { return nullptr; }
  TForm* EqualizerWindow() const override { return nullptr; }
  bool VideoFullScreen() const override { return false; }
  TRect VideoMonitor() const override { return {0, 0, 1920, 1080}; }
  bool MonitorsDiffer() const override { return false; }
  bool SkipFormPlacement() const override { return false; }

  mutable TForm Main{L"TLcMainStandIn"};
  mutable TImageList Images{16, 16};
  std::vector<std::wstring> Messages;
};

class PlaylistWindow : public ::testing::Test {
 protected:
  PlaylistWindow()
      : Model(Link, Files, Settings, Texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl"),
        Opener(Model, Link, Files, Settings, Texts) {
    settings::SetDefaultTexts(Texts);
    settings::SetDefaultTexts(settings::GlobalTextTable());
    for (const char* Name : {"a.avi", "b.avi", "c.avi", "d.avi"}) {
      Files.AddFile(std::string("C:\\m\\") + Name);
      Model.AddMovie(std::string("C:\\m\\") + Name);
    }
    Settings.ShowSubtitlesInPlaylist = true;
    Settings.PlayListWidth = 300;
    Settings.PlayListHeight = 300;
    Settings.MediaExtensions = {"avi", "mkv"};
    Form = std::make_unique<TfrmPlayList>(Model, Opener, Settings, Program);
    Form->SetBounds(50, 50, Form->Width(), Form->Height());
    Form->Show();
    Settle();
  }
  ~PlaylistWindow() override { Form.reset(); }

  void Key(HWND Wnd, WORD Vk) {
    SendMessageW(Wnd, WM_KEYDOWN, Vk, 1);
    Settle();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> Out;
    for (const auto& M : Model.Entries().PlaylistMovies) Out.push_back(M.substr(5));
    return Out;
  }

  RecordingLink Link;
  FakeFileSystem Files;
  settings::SettingsStore Settings;
  settings::TextTable Texts;
  Playlist Model;
  FileOpener Opener;
  TStandInProgram Program;
  std::vector<std::wstring>& WindowMessages = Program.Messages;
  std::unique_ptr<TfrmPlayList> Form;
};

TEST_F(PlaylistWindow, FaceIsComposedFromThePartImagesAtTwoSizes) {
  TBitmap Parts[10];
  for (int I = 0; I < 10; ++I) LoadSkinImage(L"PlaylistPart" + std::to_wstring(I + 1), Parts[I]);
  for (const auto& Size : {std::pair{250, 248}, std::pair{640, 500}}) {
    Form->SetClientSize(Size.first, Size.second);
    Settle();
    ASSERT_EQ(Form->ClientWidth(), Size.first);
    TBitmap& Face = Form->Buffer();
    const int CW = Size.first, CH = Size.second;
    // The button column and the close corner are copied unstretched.
    EXPECT_TRUE(SamePixel(Face, 3, 100, Parts[0], 3, 100));
    EXPECT_TRUE(SamePixel(Face, CW - 3, 20, Parts[5], 11, 20));
    // The bottom-right corner, the right edge and the bottom edge.
    EXPECT_TRUE(SamePixel(Face, CW - 2, CH - 2, Parts[7], 13, 13));
    EXPECT_TRUE(SamePixel(Face, CW - 4, CH / 2, Parts[6], 4, 0));
    EXPECT_TRUE(SamePixel(Face, CW / 2, CH - 3, Parts[8], 0, 4));
    // The separator between the lists, at h + 23 .. h + 28.
    const int H = (CH - 35) * 75 / 100;
    EXPECT_TRUE(SamePixel(Face, CW / 2, H + 25, Parts[9], 0, 2));
    // The face on the screen is the buffer.
    HDC Screen = GetDC(Form->Handle());
    const COLORREF OnScreen = GetPixel(Screen, CW - 2, CH - 2);
    ReleaseDC(Form->Handle(), Screen);
    EXPECT_EQ(OnScreen, Face.Canvas().Pixel(CW - 2, CH - 2));
  }
  // The two switches stand on the face, up (frame 0, from 0) and, once
  // clicked, down (frame 1, from 13 of the 52-pixel strip).
  TBitmap Shuffle;
  LoadSkinImage(L"btnShuffle", Shuffle);
  TBitmap& Face = Form->Buffer();
  EXPECT_TRUE(SamePixel(Face, 6 + 6, 126 + 7, Shuffle, 6, 7));
  EXPECT_FALSE(SamePixel(Face, 6 + 6, 126 + 7, Shuffle, 13 + 6, 7));
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 133));
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 133));
  Settle();
  EXPECT_TRUE(Settings.Shuffle);
  EXPECT_TRUE(SamePixel(Face, 6 + 6, 126 + 7, Shuffle, 13 + 6, 7) ||
              SamePixel(Face, 6 + 6, 126 + 7, Shuffle, 39 + 6, 7));
  // The lists fill the face's frame.
  EXPECT_EQ(Form->ListVideo.Left(), 26);
  EXPECT_EQ(Form->ListSub.Top(), (500 - 35) * 75 / 100 + 28);
}

// The rows and the leftmost column where Text drawn at 0, 0 in Font leaves
// ink (pixels that differ from the background).
struct TInk {
  int Left = 1000, Top = 1000, Bottom = -1;
};

TInk ReferenceInk(const wchar_t* FontName, int Height, const std::wstring& Text) {
  TBitmap B;
  B.SetSize(200, 40);
  B.Canvas().Brush.Color = clWhite;
  B.Canvas().FillRect(TRect{0, 0, 200, 40});
  B.Canvas().Font.SetName(FontName);
  B.Canvas().Font.SetHeight(Height);
  B.Canvas().Font.SetColor(clBlack);
  B.Canvas().Brush.Style = TBrushStyle::bsClear;
  B.Canvas().TextOut(0, 0, Text);
  TInk Ink;
  for (int Y = 0; Y < 40; ++Y) {
    for (int X = 0; X < 200; ++X) {
      if (B.Canvas().Pixel(X, Y) == clWhite) continue;
      Ink.Left = std::min(Ink.Left, X);
      Ink.Top = std::min(Ink.Top, Y);
      Ink.Bottom = std::max(Ink.Bottom, Y);
    }
  }
  return Ink;
}

TEST_F(PlaylistWindow, TheTitleIsNinePointVerdanaAtFiveFive) {
  if (Screen.PixelsPerInch() != 96) GTEST_SKIP() << "the figures are those of a 96 dpi screen";
  TBitmap Parts[10];
  for (int I = 0; I < 10; ++I) LoadSkinImage(L"PlaylistPart" + std::to_wstring(I + 1), Parts[I]);
  TBitmap& Face = Form->Buffer();
  // Ink: pixels of the title bar that the two part images under the title
  // do not hold (image 1 up to x = 26, image 5 stretched beyond).
  TInk Ink;
  int TitleColoured = 0;
  for (int Y = 0; Y < 26; ++Y) {
    for (int X = 0; X < 120; ++X) {
      const bool Same = X < 26 ? SamePixel(Face, X, Y, Parts[0], X, Y) : SamePixel(Face, X, Y, Parts[4], 0, Y);
      if (Same) continue;
      Ink.Left = std::min(Ink.Left, X);
      Ink.Top = std::min(Ink.Top, Y);
      Ink.Bottom = std::max(Ink.Bottom, Y);
      TitleColoured += Face.Canvas().Pixel(X, Y) == RGBColor(153, 153, 153);
    }
  }
  EXPECT_GT(TitleColoured, 10);
  // 9 points are 12 pixels at 96 dpi.
  const TInk Expected = ReferenceInk(L"Verdana", -12, L"Playlist");
  EXPECT_EQ(Ink.Left, 5 + Expected.Left);
  EXPECT_EQ(Ink.Top, 5 + Expected.Top);
  EXPECT_EQ(Ink.Bottom, 5 + Expected.Bottom);
}

// The window's pixels in R as the screen shows them.
std::vector<COLORREF> Shown(TForm& Form, const TRect& R) {
  HDC DC = GetDC(Form.Handle());
  std::vector<COLORREF> P;
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X) P.push_back(GetPixel(DC, X, Y));
  ReleaseDC(Form.Handle(), DC);
  return P;
}

TEST_F(PlaylistWindow, LinesAreTallEnoughForTheirLettersAtEveryFontSize) {
  for (const int Points : {8, 10, 14}) {
    Form->SetListFontSize(Points);
    for (TListBox* List : {&Form->ListVideo, &Form->ListSub}) {
      TBitmap Measure(1, 1);
      Measure.Canvas().Font.Assign(List->Font);
      // The letters with their descenders, an underscore the lowest.
      const TInk Ink = ReferenceInk(List->Font.Name().c_str(), List->Font.Height(), L"Ag_");
      EXPECT_GE(List->ItemHeight(), Ink.Bottom + 1) << Points;
      EXPECT_GE(List->ItemHeight(), 13) << Points;
    }
  }
}

TEST_F(PlaylistWindow, AButtonLitByThePointerGoesOutWhenThePointerIsOnTheList) {
  // The add-movies button, (7, 26, 19, 38).
  const TRect Button{7, 26, 19, 38};
  const std::vector<COLORREF> Normal = Shown(*Form, Button);
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(13, 32));
  Settle();
  ASSERT_NE(Normal, Shown(*Form, Button)) << "the hover look";
  EXPECT_FALSE(Form->Hint.empty());
  SendMessageW(Form->ListVideo.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 40));
  Settle();
  EXPECT_EQ(Normal, Shown(*Form, Button));
  EXPECT_TRUE(Form->Hint.empty());
  // The same from the subtitle list.
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(13, 32));
  Settle();
  SendMessageW(Form->ListSub.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
  Settle();
  EXPECT_EQ(Normal, Shown(*Form, Button));
}

TEST_F(PlaylistWindow, AltAloneLeavesTheTitleAsItIs) {
  const TRect Title{0, 0, 60, 26};
  SetForegroundWindow(Form->Handle());
  Form->ListVideo.SetFocus();
  Settle();
  const std::vector<COLORREF> Before = Shown(*Form, Title);
  // Should the window enter the platform's menu mode, it is seen and left
  // again from here, whenever the key comes.
  const DWORD Thread = GetCurrentThreadId();
  std::atomic<bool> Looked = false, MenuMode = false;
  std::thread Watch([&] {
    const auto InMenuMode = [Thread] {
      GUITHREADINFO Info{};
      Info.cbSize = sizeof(Info);
      return GetGUIThreadInfo(Thread, &Info) && (Info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE));
    };
    for (; !Looked; Sleep(10)) {
      if (!InMenuMode()) continue;
      MenuMode = true;
      keybd_event(VK_ESCAPE, 0, 0, 0);
      keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
      for (DWORD Until = GetTickCount() + 10000; InMenuMode() && GetTickCount() < Until;) Sleep(10);
    }
  });
  // Returns once the window has had the key's release.
  lctest::PressKey(VK_MENU);
  // Time for a repaint the key would have asked for.
  for (int I = 0; I < 30; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
  const std::vector<COLORREF> After = Shown(*Form, Title);
  Looked = true;
  Watch.join();
  Settle();
  EXPECT_FALSE(MenuMode);
  EXPECT_EQ(Before, After);
}

TEST_F(PlaylistWindow, KeysMoveTheEntryAndDeleteRemovesIt) {
  HWND List = Form->ListVideo.Handle();
  Form->ListVideo.SetItemIndex(1);
  Key(List, VK_DOWN);
  EXPECT_EQ(Form->ListVideo.ItemIndex(), 2);
  Key(List, VK_DELETE);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "b.avi", "d.avi"}));
  EXPECT_EQ(Form->ListVideo.Count(), 3);
  EXPECT_EQ(Form->ListVideo.Items(2), L"3. d.avi");
}

TEST_F(PlaylistWindow, DeleteAfterSelectAllEmptiesTheList) {
  HWND List = Form->ListVideo.Handle();
  Form->ListVideo.SetItemIndex(0);
  BYTE State[256];
  GetKeyboardState(State);
  State[VK_CONTROL] = 0x80;
  SetKeyboardState(State);
  Key(List, 'A');
  State[VK_CONTROL] = 0;
  SetKeyboardState(State);
  EXPECT_EQ(Form->ListVideo.SelCount(), 4);
  // Multiple selection recreates the list's window.
  Key(Form->ListVideo.Handle(), VK_DELETE);
  EXPECT_EQ(Model.Count(), 0);
  EXPECT_EQ(Form->ListVideo.Count(), 0);
}

TEST_F(PlaylistWindow, DeleteAfterSelectAllAndAClickRemovesTheClickedLineOnly) {
  Form->ListVideo.SetItemIndex(0);
  BYTE State[256];
  GetKeyboardState(State);
  State[VK_CONTROL] = 0x80;
  SetKeyboardState(State);
  Key(Form->ListVideo.Handle(), 'A');
  State[VK_CONTROL] = 0;
  SetKeyboardState(State);
  ASSERT_EQ(Form->ListVideo.SelCount(), 4);
  HWND List = Form->ListVideo.Handle();
  const int LineHeight = Form->ListVideo.ItemHeight();
  const LPARAM Second = MAKELPARAM(10, LineHeight + LineHeight / 2);
  SendMessageW(List, WM_LBUTTONDOWN, MK_LBUTTON, Second);
  SendMessageW(List, WM_LBUTTONUP, 0, Second);
  Settle();
  Key(Form->ListVideo.Handle(), VK_DELETE);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "c.avi", "d.avi"}));
  EXPECT_EQ(Form->ListVideo.Count(), 3);
}

TEST_F(PlaylistWindow, ACancelledFolderBrowserStillEndsClosingAtTheListsEnd) {
  Link.closeWhenListEnds = true;
  bool Shown = false;
  Form->FolderDialog.OnShow = [&](TComponent*) {
    Shown = true;
    PostMessageW(Form->FolderDialog.Handle(), WM_COMMAND, IDCANCEL, 0);
  };
  // The add-folder button, (6, 42, 20, 54).
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 48));
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(13, 48));
  Settle();
  EXPECT_TRUE(Shown);
  EXPECT_EQ(Form->FolderDialog.Title, L"Select a directory:");
  EXPECT_FALSE(Link.closeWhenListEnds);
  EXPECT_EQ(Model.Count(), 4);
  EXPECT_TRUE(Link.calls.empty());
}

TEST_F(PlaylistWindow, DraggedEntryMovesOneLineAtATime) {
  HWND List = Form->ListVideo.Handle();
  const int LineHeight = Form->ListVideo.ItemHeight();
  auto At = [&](int Line) { return MAKELPARAM(10, Line * LineHeight + LineHeight / 2); };
  SendMessageW(List, WM_LBUTTONDOWN, MK_LBUTTON, At(0));
  Settle();
  SendMessageW(List, WM_MOUSEMOVE, MK_LBUTTON, At(1));
  Settle();
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.avi", "a.avi", "c.avi", "d.avi"}));
  // A jump of two lines moves nothing.
  SendMessageW(List, WM_MOUSEMOVE, MK_LBUTTON, At(3));
  Settle();
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.avi", "a.avi", "c.avi", "d.avi"}));
  // Back next to the entry, the drag goes on.
  SendMessageW(List, WM_MOUSEMOVE, MK_LBUTTON, At(2));
  Settle();
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.avi", "c.avi", "a.avi", "d.avi"}));
  EXPECT_EQ(Form->ListVideo.Items(2), L"3. a.avi");
  SendMessageW(List, WM_LBUTTONUP, 0, At(2));
  Settle();
}

TEST_F(PlaylistWindow, DoubleClickPlaysTheEntryThroughTheOpening) {
  HWND List = Form->ListVideo.Handle();
  const int LineHeight = Form->ListVideo.ItemHeight();
  const LPARAM Third = MAKELPARAM(10, 2 * LineHeight + 2);
  SendMessageW(List, WM_LBUTTONDOWN, MK_LBUTTON, Third);
  SendMessageW(List, WM_LBUTTONUP, 0, Third);
  SendMessageW(List, WM_LBUTTONDBLCLK, MK_LBUTTON, Third);
  SendMessageW(List, WM_LBUTTONUP, 0, Third);
  Settle();
  ASSERT_FALSE(Link.calls.empty());
  EXPECT_EQ(Link.currentMovie, "C:\\m\\c.avi");
  const auto Opened = std::find_if(Link.calls.begin(), Link.calls.end(), [](const std::string& Call) {
    return Call.rfind("open C:\\m\\c.avi play", 0) == 0;
  });
  EXPECT_NE(Opened, Link.calls.end());
}

TEST_F(PlaylistWindow, HidingTheSubtitleListGivesTheMoviesTheFullHeight) {
  Form->SetClientSize(300, 300);
  Settle();
  EXPECT_TRUE(Form->ListSub.Visible());
  Settings.ShowSubtitlesInPlaylist = false;
  Form->SetClientSize(300, 301);
  Settle();
  EXPECT_FALSE(Form->ListSub.Visible());
  EXPECT_EQ(Form->ListVideo.Height(), 301 - 8 - 25);
}

TEST_F(PlaylistWindow, FaceButtonsRunTheirCommands) {
  auto Click = [this](int X, int Y) {
    SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
    Settle();
  };
  Form->SetClientSize(300, 300);
  Settle();
  Form->ListVideo.SetItemIndex(1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  Click(13, 64);  // remove, (8, 58, 18, 70)
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "c.avi", "d.avi"}));
  // The toggle stands at (7, h + 13) with h = (300 - 35) * 75 div 100 = 198.
  Click(12, 215);
  EXPECT_FALSE(Settings.ShowSubtitlesInPlaylist);
  EXPECT_FALSE(Form->ListSub.Visible());
  EXPECT_EQ(Form->ListVideo.Height(), 300 - 8 - 25);
  // Hidden, it moves to (7, CH - 16, 19, CH - 8).
  Click(12, 288);
  EXPECT_TRUE(Settings.ShowSubtitlesInPlaylist);
  EXPECT_TRUE(Form->ListSub.Visible());
  EXPECT_EQ(Form->ListSub.Top(), 198 + 28);
  Click(12, 112);  // remember previous settings, (6, 106, 20, 121)
  EXPECT_TRUE(Settings.RememberPreviousMovieSettings);
}

TEST_F(PlaylistWindow, TheListHintIsTheFullPathUnderTheMouse) {
  HWND List = Form->ListVideo.Handle();
  const int LineHeight = Form->ListVideo.ItemHeight();
  auto MoveTo = [&](int Y) {
    SendMessageW(List, WM_MOUSEMOVE, 0, MAKELPARAM(10, Y));
    Settle();
  };
  MoveTo(2 * LineHeight + 2);
  EXPECT_EQ(Form->ListVideo.Hint, L"") << "only with DisplayHintInPlaylist on";
  Settings.DisplayHintInPlaylist = true;
  MoveTo(2 * LineHeight + 2);
  EXPECT_EQ(Form->ListVideo.Hint, L"C:\\m\\c.avi");
  MoveTo(LineHeight / 2);
  EXPECT_EQ(Form->ListVideo.Hint, L"C:\\m\\a.avi");
  // Below the last line there is none.
  MoveTo(10 * LineHeight);
  EXPECT_EQ(Form->ListVideo.Hint, L"");
}

TEST_F(PlaylistWindow, PopupMenuCommandsChangeTheModel) {
  EXPECT_EQ(Form->ListVideo.PopupMenu, &Form->PopupVideoMenu);
  EXPECT_EQ(Form->ListSub.PopupMenu, &Form->PopupSubtitleMenu);
  EXPECT_EQ(Form->PopupVideoMenu.Painter, &Form->FlatMenu);
  EXPECT_TRUE(Form->FlatMenu.Active());
  std::vector<std::wstring> Captions;
  for (int I = 0; I < Form->PopupVideoMenu.Items.Count(); ++I) {
    Captions.push_back(Form->PopupVideoMenu.Items.Items(I)->Caption);
  }
  EXPECT_EQ(Captions, (std::vector<std::wstring>{L"Add movie(s)", L"Add folder", L"Replace movie", L"-", L"Remove",
                                                 L"Remove all", L"-", L"Sort by filename", L"Randomize"}));
  EXPECT_EQ(Form->MenuItem(L"AddSubtitleMenu")->Caption, L"Add subtitle");

  Form->ListVideo.SetItemIndex(1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  Form->MenuItem(L"RemoveMenu")->Click();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "c.avi", "d.avi"}));
  EXPECT_EQ(Form->ListVideo.Items(1), L"2. c.avi");

  Model.MoveDown(false);  // a.avi, d.avi, c.avi with entry 1 selected
  Form->MenuItem(L"SortByFilenameMenu")->Click();
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.avi", "c.avi", "d.avi"}));
  EXPECT_EQ(Form->ListVideo.Items(2), L"3. d.avi");
  // The selection stays with its movie.
  EXPECT_EQ(Form->ListVideo.ItemIndex(), 2);

  Form->MenuItem(L"RemoveAllMenu")->Click();
  EXPECT_EQ(Model.Count(), 0);
  EXPECT_EQ(Form->ListVideo.Count(), 0);
}

TEST_F(PlaylistWindow, EditsFromOutsideShowInTheList) {
  Files.AddFile("C:\\m\\e.avi");
  Model.AddMovie("C:\\m\\e.avi");
  ASSERT_EQ(Form->ListVideo.Count(), 5);
  EXPECT_EQ(Form->ListVideo.Items(4), L"5. e.avi");
  Model.SetItemIndex(3);
  EXPECT_EQ(Form->ListVideo.ItemIndex(), 3);
  Model.MoveUp(true);
  EXPECT_EQ(Form->ListVideo.Items(2), L"3. d.avi");
  EXPECT_EQ(Form->ListVideo.ItemIndex(), 2);
}

TEST_F(PlaylistWindow, DroppedMoviesAndFoldersAreAdded) {
  Files.AddFile("C:\\n\\e.avi");
  Files.AddFile("C:\\n\\notes.txt");
  Files.AddFolder("C:\\f");
  Files.AddFile("C:\\f\\z.mkv");
  Files.AddFile("C:\\f\\y.avi");
  Form->ListVideo.SetItemIndex(1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  const POINT OnMovies{60, 40};
  SendMessageW(Form->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(testing::MakeDrop({L"C:\\n\\e.avi", L"C:\\n\\notes.txt", L"C:\\f"}, OnMovies)), 0);
  Settle();
  EXPECT_EQ(Model.Entries().PlaylistMovies,
            (std::vector<std::string>{"C:\\m\\a.avi", "C:\\m\\b.avi", "C:\\m\\c.avi", "C:\\m\\d.avi", "C:\\n\\e.avi",
                                      "C:\\f\\y.avi", "C:\\f\\z.mkv"}));
  EXPECT_EQ(Form->ListVideo.Items(6), L"7. z.mkv");
  // Nothing plays and the selection stays.
  EXPECT_EQ(Form->ListVideo.ItemIndex(), 1);
  EXPECT_TRUE(Link.calls.empty());
}

TEST_F(PlaylistWindow, ASubtitleDroppedOnTheSubtitleListGoesWithTheSelectedEntry) {
  Form->ListVideo.SetItemIndex(2);
  Form->ListVideo.OnClick(&Form->ListVideo);
  ASSERT_EQ(Form->ListSub.Count(), 1);
  EXPECT_EQ(Form->ListSub.Items(0), L"No subtitle");
  const TRect Sub = Form->ListSub.BoundsRect();
  // The list's edges count as inside.
  const POINT OnSubtitles{Sub.Left, Sub.Bottom};
  SendMessageW(Form->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(testing::MakeDrop({L"C:\\s\\bad.srt"}, OnSubtitles)), 0);
  EXPECT_EQ(Model.Entries().PlaylistSubtitles[2], "No subtitle");
  EXPECT_EQ(Link.messages, std::vector<std::string>{"playlist: Bad subtitle!"});
  SendMessageW(Form->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(testing::MakeDrop({L"C:\\s\\good.srt", L"C:\\s\\other.srt"}, OnSubtitles)), 0);
  EXPECT_EQ(Model.Entries().PlaylistSubtitles[2], "C:\\s\\good.srt");
  EXPECT_EQ(Model.Count(), 4);
}

TEST_F(PlaylistWindow, SelectingAnEntryMakesItsFolderOrTheNearestParentCurrent) {
  wchar_t Before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, Before);
  wchar_t Temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, Temp);
  SetCurrentDirectoryW(Temp);
  // C:\m does not exist on the disk (the entries live in the fake file
  // system), C:\ does.
  Form->ListVideo.SetItemIndex(1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  wchar_t Now[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, Now);
  SetCurrentDirectoryW(Before);
  CharLowerW(Now);
  EXPECT_EQ(std::wstring(Now), L"c:\\");
}

// What the timer saw of the subtitle dialog while it was up.
struct TDialogSeen {
  TOpenDialog* Dialog = nullptr;
  int Tag = -1;
  std::wstring Title;
};
TDialogSeen DialogSeen;

void CALLBACK CancelSubtitleDialog(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Wnd = DialogSeen.Dialog->Handle();
  if (!Wnd) return;
  KillTimer(nullptr, Id);
  DialogSeen.Tag = DialogSeen.Dialog->Tag;
  wchar_t Title[100] = {};
  GetWindowTextW(Wnd, Title, 100);
  DialogSeen.Title = Title;
  PostMessageW(Wnd, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(PlaylistWindow, TheAddSubtitleDialogIsMarkedOpenAndGetsItsTitleBack) {
  Form->ListVideo.SetItemIndex(1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  ASSERT_EQ(Form->ListSub.ItemIndex(), 0);
  DialogSeen = TDialogSeen{};
  DialogSeen.Dialog = &Form->OpenSubtitleDialog;
  SetTimer(nullptr, 0, 100, CancelSubtitleDialog);
  Key(Form->ListSub.Handle(), VK_INSERT);
  EXPECT_EQ(DialogSeen.Tag, 1);
  EXPECT_EQ(DialogSeen.Title, L"Add subtitle");
  EXPECT_EQ(Form->OpenSubtitleDialog.Tag, 0);
  EXPECT_EQ(Form->OpenSubtitleDialog.Title, L"Open subtitle");
  // Cancelled: nothing changed.
  EXPECT_EQ(Model.Entries().PlaylistSubtitles[1], "No subtitle");
  EXPECT_TRUE(WindowMessages.empty());
  EXPECT_TRUE(Link.messages.empty());
}

TEST_F(PlaylistWindow, AddSubtitleWithoutASelectedMovieAsksForOne) {
  Form->ListVideo.SetItemIndex(-1);
  Form->ListVideo.OnClick(&Form->ListVideo);
  EXPECT_EQ(Form->ListSub.Count(), 0);
  Form->MenuItem(L"AddSubtitleMenu")->Click();
  EXPECT_EQ(WindowMessages, std::vector<std::wstring>{L"Please select a movie!"});
}

TEST_F(PlaylistWindow, ANewLanguageReachesMenusDialogsAndTheSubtitleList) {
  Form->ListVideo.SetItemIndex(0);
  Form->ListVideo.OnClick(&Form->ListVideo);
  settings::TextTable Other = settings::GlobalTextTable();
  Other.TextMenus[59] = "Entfernen";
  Other.TextHints[20] = "Filme hinzufuegen";
  Other.TextLabels[30] = "Kein Untertitel";
  Other.TextFilters[3] = "Wiedergabeliste";
  Form->ApplyTexts(Other);
  EXPECT_EQ(Form->MenuItem(L"RemoveMenu")->Caption, L"Entfernen");
  EXPECT_EQ(Form->OpenDialog.Title, L"Filme hinzufuegen");
  EXPECT_EQ(Form->SavePlaylistDialog.Filter, L"Wiedergabeliste (*.lpl)|*.lpl|All files|*.*");
  EXPECT_EQ(Form->OpenDialog.Filter, L"Video files|*.avi;*.mkv;|All files|*.*");
  EXPECT_EQ(Form->ListSub.Items(0), L"Kein Untertitel");
}

TEST_F(PlaylistWindow, ShowingKeepsTheWindowInsideTheWorkArea) {
  Form->Hide();
  const TRect Area = Screen.WorkAreaRect();
  Form->SetBounds(Area.Right - 40, Area.Bottom + 100, Form->Width(), Form->Height());
  Form->Show();
  Settle();
  EXPECT_EQ(Form->Left(), Area.Right - Form->ClientWidth());
  EXPECT_EQ(Form->Top(), Area.Bottom - Form->ClientHeight());
}

}  // namespace
}  // namespace lc::playlist
