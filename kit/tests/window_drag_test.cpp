#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/tests/input.h"
#include "kit/skin_host.h"
#include "kit/window_drag.h"

namespace {

void Settle() {
  for (int I = 0; I < 10; ++I) {
    Application.ProcessMessages();
    Sleep(20);
  }
}

bool DragFullWindows() {
  BOOL Full = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &Full, 0);
  return Full != FALSE;
}

// A skinned window that snaps while the user moves or sizes it, as the
// satellite windows do, or (with a dock table) carries its docked windows
// along, as the main window does.
class TSnappingForm : public TSkinForm {
 public:
  explicit TSnappingForm(const wchar_t* ClassName)
      : TSkinForm(ClassName, L"KitTestFace", true) {}

  std::vector<TForm*> Targets;
  std::span<TDockedWindow> DockTable;
  int Snaps = 0;
  bool FullDragDuringMove = false;

 protected:
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_ENTERSIZEMOVE) {
      FInSizeMove = true;
      FullDragDuringMove = DragFullWindows();
      if (!DockTable.empty()) DecideDocking(*this, DockTable);
    } else if (M.Msg == WM_EXITSIZEMOVE) {
      FInSizeMove = false;
    } else if (M.Msg == WM_WINDOWPOSCHANGING && FInSizeMove) {
      const auto* P = reinterpret_cast<const WINDOWPOS*>(M.LParam);
      if ((P->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        ++Snaps;
        if (DockTable.empty())
          SnapWindow(*this, M, Targets, false);
        else
          SnapWindowWithDocked(*this, M, DockTable, false);
      }
    }
    TSkinForm::WndProc(M);
  }

 private:
  bool FInSizeMove = false;
};

// Moves the form as one step of a user's move (inside a size-move session).
void UserMove(TForm& F, int Left, int Top) {
  SendMessageW(F.Handle(), WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(F.Handle(), nullptr, Left, Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(F.Handle(), WM_EXITSIZEMOVE, 0, 0);
}

void ShowAt(TForm& F, int Left, int Top) {
  F.SetBounds(Left, Top, F.Width(), F.Height());
  F.Show();
}

}  // namespace

TEST(WindowDrag, ARealDragSnapsToTheScreenEdgeAndRestoresTheSetting) {
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
  TSnappingForm F(L"TKitDragForm");
  const TRect Work = Screen.WorkAreaRect();
  ShowAt(F, Work.Left + 60, Work.Top + 200);
  Settle();

  // Press on the face where no widget is, move 54 px left, release.
  const int X = Work.Left + 160, Y = Work.Top + 250;
  lctest::MouseToScreen(X, Y);
  Settle();
  lctest::DragFrom(X, Y, 9, -6, 0);
  Settle();

  EXPECT_GT(F.Snaps, 0);
  EXPECT_EQ(Work.Left, F.Left()) << "6 px from the work area's edge snaps onto it";
  EXPECT_EQ(Work.Top + 200, F.Top());
  EXPECT_TRUE(F.FullDragDuringMove);
  EXPECT_FALSE(DragFullWindows());
}

TEST(SnapWindow, AMovedWindowSnapsToAVisibleEnabledTarget) {
  TSnappingForm Target(L"TKitTargetForm");
  ShowAt(Target, 300, 300);
  TSnappingForm F(L"TKitMovingForm");
  F.Targets = {nullptr, &Target};
  ShowAt(F, 700, 310);
  Settle();

  UserMove(F, 508, 310);
  EXPECT_EQ(500, F.Left());
  EXPECT_EQ(310, F.Top());  // 10 px below the target's top: no alignment
  UserMove(F, 511, 305);
  EXPECT_EQ(511, F.Left());
  EXPECT_EQ(305, F.Top());
  UserMove(F, 505, 305);
  EXPECT_EQ(500, F.Left());
  EXPECT_EQ(300, F.Top());  // flush beside it, tops 5 px apart: aligned

  Target.SetEnabled(false);
  UserMove(F, 506, 340);
  EXPECT_EQ(506, F.Left()) << "a disabled target does not attract";
  Target.SetEnabled(true);
  Target.Hide();
  UserMove(F, 507, 340);
  EXPECT_EQ(507, F.Left()) << "a hidden target does not attract";

  // Outside a user's move nothing snaps.
  Target.Show();
  SetWindowPos(F.Handle(), nullptr, 504, 340, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(504, F.Left());
}

// A sizing that keeps the place (SWP_NOMOVE) still snaps the left edge: the
// left edge moves onto the target and the right edge stays.
TEST(SnapWindow, ASizingFlaggedToKeepThePlaceMovesTheSnappedEdge) {
  TSnappingForm Target(L"TKitTargetForm");
  ShowAt(Target, 300, 300);                     // right edge 500
  TSnappingForm F(L"TKitSizedForm");
  F.Targets = {&Target};
  ShowAt(F, 505, 300);
  Settle();
  SendMessageW(F.Handle(), WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(F.Handle(), nullptr, 0, 0, 250, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(F.Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(500, F.Left());
  EXPECT_EQ(755, F.BoundsRect().Right);
  EXPECT_EQ(300, F.Top());
  EXPECT_EQ(100, F.Height());
}

TEST(SnapWindowWithDocked, DockedSatelliteFollowsAndUndockedOnesAttract) {
  TSnappingForm Main(L"TKitMainForm");
  TSnappingForm PlayList(L"TKitPlayListForm");
  TSnappingForm Equalizer(L"TKitEqualizerForm");
  ShowAt(Main, 400, 300);                       // 200 x 100: right edge 600
  ShowAt(PlayList, 600, 320);                   // touches the right edge
  ShowAt(Equalizer, 100, 300);                  // apart
  std::array<TDockedWindow, 3> Table{};
  Table[DockPlayList].Form = &PlayList;
  Table[DockEqualizer].Form = &Equalizer;
  Main.DockTable = Table;
  Settle();

  UserMove(Main, 410, 250);
  EXPECT_TRUE(Table[DockPlayList].Docked);
  EXPECT_FALSE(Table[DockEqualizer].Docked);
  EXPECT_EQ(200, Table[DockPlayList].DX);
  EXPECT_EQ(20, Table[DockPlayList].DY);
  EXPECT_EQ(610, PlayList.Left());
  EXPECT_EQ(270, PlayList.Top());

  // The undocked equalizer (right edge 300) pulls the main window; the
  // docked playlist is carried along and attracts nothing.
  UserMove(Main, 306, 250);
  EXPECT_EQ(300, Main.Left());
  EXPECT_EQ(500, PlayList.Left());
  EXPECT_EQ(270, PlayList.Top());
  EXPECT_EQ(100, Equalizer.Left());
}

TEST(GetWindowMonitor, AnOffScreenWindowMapsToTheNearestMonitor) {
  TSnappingForm F(L"TKitMonitorForm");
  ShowAt(F, -5000, -5000);
  Settle();
  TMonitor M = GetWindowMonitor(F.Handle());
  EXPECT_EQ(MonitorFromWindow(F.Handle(), MONITOR_DEFAULTTONEAREST), M.Handle);
  EXPECT_NE(nullptr, M.Handle);
  ShowAt(F, 10, 10);
  EXPECT_EQ(MonitorFromPoint({15, 15}, MONITOR_DEFAULTTONEAREST),
            GetWindowMonitor(F.Handle()).Handle);
}
