#include "kit/snap.h"

std::array<TDockedWindow, 3> DockTable{};

namespace {

bool Near(int Value, int Target, int Distance) {
  return Target - Distance <= Value && Value <= Target + Distance;
}

// The rectangle being snapped; each edge setter keeps the size in a move.
class TSnapper {
 public:
  TSnapper(const TRect& R, bool IsMove) : FRect(R), FMove(IsMove) {}

  void SetLeft(int V) {
    if (FMove) FRect.Right += V - FRect.Left;
    FRect.Left = V;
  }
  void SetRight(int V) {
    if (FMove) FRect.Left += V - FRect.Right;
    FRect.Right = V;
  }
  void SetTop(int V) {
    if (FMove) FRect.Bottom += V - FRect.Top;
    FRect.Top = V;
  }
  void SetBottom(int V) {
    if (FMove) FRect.Top += V - FRect.Bottom;
    FRect.Bottom = V;
  }

  // Contact tests against one target; FirstMatch selects the docked
  // variant's alignment (top or else bottom, left or else right).
  void SnapTo(const TRect& T, bool FirstMatch) {
    const TRect& R = FRect;
    if (Near(R.Left, T.Right, SnapContactDistance) &&
        RangesOverlap(R.Top, R.Bottom, T.Top, T.Bottom)) {
      SetLeft(T.Right);
      AlignVertically(T, FirstMatch);
    }
    if (Near(R.Right, T.Left, SnapContactDistance) &&
        RangesOverlap(R.Top, R.Bottom, T.Top, T.Bottom)) {
      SetRight(T.Left);
      AlignVertically(T, FirstMatch);
    }
    if (Near(R.Top, T.Bottom, SnapContactDistance) &&
        RangesOverlap(R.Left, R.Right, T.Left, T.Right)) {
      SetTop(T.Bottom);
      AlignHorizontally(T, FirstMatch);
    }
    if (Near(R.Bottom, T.Top, SnapContactDistance) &&
        RangesOverlap(R.Left, R.Right, T.Left, T.Right)) {
      SetBottom(T.Top);
      AlignHorizontally(T, FirstMatch);
    }
  }

  // The screen area's edges: left then right, top then bottom.
  void SnapToArea(const TRect& A) {
    if (Near(FRect.Left, A.Left, SnapContactDistance)) SetLeft(A.Left);
    if (Near(FRect.Right, A.Right, SnapContactDistance)) SetRight(A.Right);
    if (Near(FRect.Top, A.Top, SnapContactDistance)) SetTop(A.Top);
    if (Near(FRect.Bottom, A.Bottom, SnapContactDistance)) SetBottom(A.Bottom);
  }

  const TRect& Rect() const { return FRect; }

 private:
  void AlignVertically(const TRect& T, bool FirstMatch) {
    if (FirstMatch) {
      if (Near(FRect.Top, T.Top, SnapAlignDistance))
        SetTop(T.Top);
      else if (Near(FRect.Bottom, T.Bottom, SnapAlignDistance))
        SetBottom(T.Bottom);
      return;
    }
    if (Near(FRect.Bottom, T.Bottom, SnapAlignDistance)) SetBottom(T.Bottom);
    if (Near(FRect.Top, T.Top, SnapAlignDistance)) SetTop(T.Top);
  }

  void AlignHorizontally(const TRect& T, bool FirstMatch) {
    if (FirstMatch) {
      if (Near(FRect.Left, T.Left, SnapAlignDistance))
        SetLeft(T.Left);
      else if (Near(FRect.Right, T.Right, SnapAlignDistance))
        SetRight(T.Right);
      return;
    }
    if (Near(FRect.Right, T.Right, SnapAlignDistance)) SetRight(T.Right);
    if (Near(FRect.Left, T.Left, SnapAlignDistance)) SetLeft(T.Left);
  }

  TRect FRect;
  bool FMove;
};

TRect Snap(const TRect& Proposed, bool IsMove, bool FirstMatch,
              std::span<const TRect> Targets, const TRect& Area) {
  TSnapper S(Proposed, IsMove);
  for (auto It = Targets.rbegin(); It != Targets.rend(); ++It)
    S.SnapTo(*It, FirstMatch);
  S.SnapToArea(Area);
  return S.Rect();
}

}  // namespace

TRect SnapRect(const TRect& Proposed, bool IsMove,
                  std::span<const TRect> Targets, const TRect& Area) {
  return Snap(Proposed, IsMove, false, Targets, Area);
}

TRect SnapRectWithDocked(const TRect& Proposed,
                            std::span<const TRect> Magnets,
                            const TRect& Area) {
  return Snap(Proposed, true, true, Magnets, Area);
}

void DecideDock(TDockedWindow& Entry, const TRect& M, const TRect& S) {
  Entry.Docked = M.Right == S.Left || S.Right == M.Left ||
                 M.Bottom == S.Top || S.Bottom == M.Top;
  Entry.DX = S.Left - M.Left;
  Entry.DY = S.Top - M.Top;
}
