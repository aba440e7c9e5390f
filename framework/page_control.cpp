#include "framework/page_control.h"

#include <commctrl.h>

#include "framework/messages.h"

// ----------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TPageControl* PageControl, const std::wstring& Caption)
    : TWinControl(PageControl), FPageControl(PageControl) {
  Font.Assign(PageControl->Font);
  TCreateParams P;
  P.ClassName = L"TTabSheet";
  P.Caption = Caption;
  P.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  P.Bounds = PageControl->DisplayRect();
  CreateHandle(P);
}

int TTabSheet::PageIndex() const {
  for (int I = 0; I < FPageControl->PageCount(); ++I)
    if (FPageControl->Pages(I) == this) return I;
  return -1;
}

// -------------------------------------------------------- TPageControl

TPageControl::TPageControl(TWinControl* Parent) : TStdControl(Parent) {
  RegisterCommonControls(ICC_TAB_CLASSES);
  CreateControl(WC_TABCONTROLW, WS_CLIPCHILDREN | WS_TABSTOP, 0, Bounds(0, 0, 289, 193));
}

// The pages go before the tab window they sit in.
TPageControl::~TPageControl() { FPages.clear(); }

TTabSheet* TPageControl::AddPage(const std::wstring& Caption) {
  TCITEMW Item{};
  Item.mask = TCIF_TEXT;
  std::wstring Text = Caption;
  Item.pszText = Text.data();
  SendMessageW(Handle(), TCM_INSERTITEMW, PageCount(), reinterpret_cast<LPARAM>(&Item));
  FPages.push_back(std::make_unique<TTabSheet>(this, Caption));
  if (ActivePageIndex() < 0) SendMessageW(Handle(), TCM_SETCURSEL, 0, 0);
  ShowActivePage();
  return FPages.back().get();
}

int TPageControl::ActivePageIndex() const {
  return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TPageControl::SetActivePageIndex(int Index) {
  if (Index < 0 || Index >= PageCount()) return;
  SendMessageW(Handle(), TCM_SETCURSEL, Index, 0);
  ShowActivePage();
}

TTabSheet* TPageControl::ActivePage() const {
  int Index = ActivePageIndex();
  return Index >= 0 && Index < PageCount() ? Pages(Index) : nullptr;
}

void TPageControl::SetTabCaption(int Index, const std::wstring& Caption) {
  if (Index < 0 || Index >= PageCount()) return;
  TCITEMW Item{};
  Item.mask = TCIF_TEXT;
  std::wstring Text = Caption;
  Item.pszText = Text.data();
  SendMessageW(Handle(), TCM_SETITEMW, Index, reinterpret_cast<LPARAM>(&Item));
  Pages(Index)->SetCaption(Caption);
}

std::wstring TPageControl::TabCaption(int Index) const {
  wchar_t Buffer[256] = {};
  TCITEMW Item{};
  Item.mask = TCIF_TEXT;
  Item.pszText = Buffer;
  Item.cchTextMax = 256;
  if (!SendMessageW(Handle(), TCM_GETITEMW, Index, reinterpret_cast<LPARAM>(&Item))) return {};
  return Item.pszText;
}

TRect TPageControl::DisplayRect() const {
  RECT R;
  GetClientRect(Handle(), &R);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&R));
  return {R.left, R.top, R.right, R.bottom};
}

void TPageControl::ShowActivePage() {
  TRect R = DisplayRect();
  TTabSheet* Active = ActivePage();
  for (auto& Page : FPages) {
    if (Page.get() == Active) Page->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    Page->SetVisible(Page.get() == Active);
  }
}

void TPageControl::Resize() {
  ShowActivePage();
  TStdControl::Resize();
}

void TPageControl::WndProc(TMessage& M) {
  if (M.Msg == CN_NOTIFY) {
    if (reinterpret_cast<NMHDR*>(M.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
      ShowActivePage();
      Change();
    }
    M.Result = 0;
    return;
  }
  TStdControl::WndProc(M);
}
