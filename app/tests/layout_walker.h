// The layout of a running window as boxes for the layout rule
// (kit/layout_check.h): every visible child window with the text it shows
// (captions of buttons and check boxes, the text of edits and combo boxes,
// every line of a list, every tab and tree line), the framework's labels
// and a skinned window's widgets with their captions, each text measured
// in the font it is drawn in.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "framework/forms.h"
#include "kit/layout_check.h"

namespace lctest {

class LayoutWalker {
 public:
  // Walks Window's children and, for a skinned window, its widgets.
  LayoutWalker(TWinControl& Window, std::string WindowName);

  // A box of the window's own (a column or frame drawn on its skin), in
  // client coordinates; the index to give as the area of its contents.
  int AddArea(const std::string& Name, const TRect& Bounds, int Area = -1);
  // A text drawn on the window: measured in Font, it must fit Room; its
  // box is Bounds (empty: the text is only measured).
  void AddText(const std::string& Name, const TRect& Bounds, const std::wstring& Text, const TFont& Font,
               const TRect& Room, int Area = -1);
  // A text already measured by its control (a skinned label): its box is
  // its extent, which must stay inside Area.
  void AddBox(const std::string& Name, const TRect& Bounds, int Area = -1);

  const std::vector<lc::kit::TLayoutBox>& Boxes() const { return FBoxes; }
  std::vector<std::string> Faults() const;

 private:
  void WalkChildren(HWND Parent, int Area);
  void WalkChild(HWND Child, int Area);
  void AddLabels(TWinControl& Control, int Area);
  void AddWidgets(TWinControl& Window);
  void AddListLines(HWND List, const std::string& Name, int Area);
  void AddEditLines(HWND Edit, int Area);
  TRect InWindow(HWND Child) const;
  std::string NameOf(const std::string& Kind, const std::wstring& Text) const;

  TWinControl& FWindow;
  std::string FWindowName;
  std::vector<lc::kit::TLayoutBox> FBoxes;
};

// The extent of Text (lines split at CR LF) in Font.
TSize MeasuredText(const std::wstring& Text, HFONT Font);

}  // namespace lctest
