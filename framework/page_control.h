// A page control: the platform's tab strip with one page (TTabSheet) per
// tab; the page of the selected tab is shown in the display area below
// the tabs, the others are hidden. Controls created with a page as their
// parent sit on it. OnChange fires when the user picks another tab.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/std_controls.h"

class TPageControl;

// One page: a child window in its colour that holds the page's controls.
class TTabSheet : public TWinControl {
 public:
  TTabSheet(TPageControl* PageControl, const std::wstring& Caption);
  TPageControl* PageControl() const { return FPageControl; }
  int PageIndex() const;

 private:
  TPageControl* FPageControl;
};

class TPageControl : public TStdControl {
 public:
  explicit TPageControl(TWinControl* Parent);
  ~TPageControl() override;

  // Appends a page with its tab; returns it (the page control owns it).
  TTabSheet* AddPage(const std::wstring& Caption);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const { return FPages.at(Index).get(); }
  // -1 when there is no page.
  int ActivePageIndex() const;
  // Selects the tab and shows its page (OnChange does not fire).
  void SetActivePageIndex(int Index);
  TTabSheet* ActivePage() const;
  void SetTabCaption(int Index, const std::wstring& Caption);
  std::wstring TabCaption(int Index) const;
  // The area pages take, in the page control's client coordinates.
  TRect DisplayRect() const;

 protected:
  void WndProc(TMessage& Message) override;
  void Resize() override;

 private:
  void ShowActivePage();

  std::vector<std::unique_ptr<TTabSheet>> FPages;
};
