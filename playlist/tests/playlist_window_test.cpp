// The playlist window on the virtual display: its face at two sizes is made
// of the part images, keys move and remove entries, a dragged entry moves in
// the model and a double click plays the entry through the opening.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "kit/skin_image.h"
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

class PlaylistWindow : public ::testing::Test {
 protected:
  PlaylistWindow() : Model(Link, Files, Settings, Texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl") {
    settings::SetDefaultTexts(Texts);
    settings::SetDefaultTexts(settings::GlobalTextTable());
    for (const char* Name : {"a.avi", "b.avi", "c.avi", "d.avi"}) {
      Files.AddFile(std::string("C:\\m\\") + Name);
      Model.AddMovie(std::string("C:\\m\\") + Name);
    }
    Settings.ShowSubtitlesInPlaylist = true;
    Settings.PlayListWidth = 300;
    Settings.PlayListHeight = 300;
    Form = std::make_unique<TfrmPlayList>(Model, Settings, TPlayListEnvironment{});
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
  // The lists fill the face's frame.
  EXPECT_EQ(Form->ListVideo.Left(), 26);
  EXPECT_EQ(Form->ListSub.Top(), (500 - 35) * 75 / 100 + 28);
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
  SendMessageW(List, WM_LBUTTONUP, 0, At(3));
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

}  // namespace
}  // namespace lc::playlist
