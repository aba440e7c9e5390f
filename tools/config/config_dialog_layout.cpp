// TfrmConfig: fitting the pages to the texts of the present language. Check
// lists and check boxes take a smaller font down to a readable floor; the
// dialog widens (within the screen) as far as the texts still need, every
// label then stands on one line and the caption buttons show their whole
// captions; a label that still has too little room wraps.
#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/page_button.h"
#include "kit/skin_image.h"
#include "kit/skin_widget.h"
#include "kit/word_wrap.h"
#include "settings/text_table.h"
#include "tools/config/config_dialog.h"
#include "tools/config/config_page_metrics.h"

using namespace lc::tools::config_metrics;

int TfrmConfig::LabelRoom(const TPageLabel& L) const {
  // Labels beside a control keep clear of it as it moves right.
  return L.Right + FExtraWidth - kLabelGap - L.Label->Left();
}

// The label's text in the present language, wrapped at blanks where it
// would run into the control beside it.
void TfrmConfig::SetLabelText(TPageLabel& L, const std::string& Text) {
  std::wstring Caption = Utf8ToWide(Text);
  TCanvas& C = Canvas();
  C.Font.Assign(L.Label->Font());
  const auto Width = [&C](const std::wstring& Line) { return C.TextWidth(Line); };
  std::vector<std::wstring> Lines;
  for (const std::wstring& Line : SplitLines(Caption)) {
    for (const std::wstring& Part : WrapLines(Line, LabelRoom(L), Width)) Lines.push_back(Part);
  }
  L.Label->SetCaption(JoinLines(Lines));
}

// A control's font: the dialog's, or as much smaller as needed (down to
// kSmallestTextHeight) for the widest of Texts to take no more than Room.
void TfrmConfig::FitFont(TWinControl& Control, const std::vector<std::wstring>& Texts, int Room) {
  TFont Fitted;
  Fitted.Assign(Font);
  TCanvas& C = Canvas();
  for (int Height = std::abs(Font.Height()); Height >= kSmallestTextHeight; --Height) {
    Fitted.SetHeight(-Height);
    C.Font.Assign(Fitted);
    int Widest = 0;
    for (const std::wstring& Text : Texts) Widest = std::max(Widest, C.TextWidth(Text));
    if (Widest <= Room) break;
  }
  Control.SetFont(Fitted);
}

// A caption button grown for a longer caption stays on its page.
void TfrmConfig::KeepOnPage(TPageButton& Button) {
  const int Right = Button.Parent()->ClientWidth() - kPageMargin;
  const int Left = std::clamp(Button.Left(), kPageMargin, std::max(kPageMargin, Right - Button.Width()));
  Button.SetBounds(Left, Button.Top(), Button.Width(), Button.Height());
}

// Apply, Default and Close side by side from the left edge, each as wide as
// its caption image (80 pixels for the built-in captions).
void TfrmConfig::PlaceBottomButtons() {
  int Left = 0;
  for (TVirtualButton* B : {FApplyButton.get(), FDefaultButton.get(), FCloseCaptionButton.get()}) {
    const TRect& R = B->Rect();
    const int Width = B->ImageWidth();
    B->SetRect({Left, R.Top, Left + Width, R.Bottom});
    Left += Width;
  }
}

void TfrmConfig::Widens(TWinControl& Control, TWiden How) {
  FWidening.push_back({&Control, Control.BoundsRect(), How});
}

int TfrmConfig::NeededExtraWidth() {
  TCanvas& C = Canvas();
  int Extra = 0;
  const auto Need = [&](const std::wstring& Text, int Room) { Extra = std::max(Extra, C.TextWidth(Text) - Room); };
  TFont Smallest;
  Smallest.Assign(Font);
  Smallest.SetHeight(-kSmallestTextHeight);
  C.Font.Assign(Smallest);
  for (TCheckListBox* List : {FGeneral.get(), FVideo.get(), FSubtitle1.get(), FSubtitle2.get()}) {
    // The room the list had at the pages' own width.
    const int Room = List->ClientWidth() - FExtraWidth - List->CheckWidth() - kCheckLinePart;
    for (const std::wstring& Line : List->ItemsText()) Need(Line, Room);
  }
  for (TCheckBox* Box : {FRegExtension.get(), FSearchHereFirst.get(), FBossKey.get()})
    Need(Box->Caption(), Box->Width() - FExtraWidth - kCheckBoxPart);
  for (const TPageLabel& L : FLabels) {
    C.Font.Assign(L.Label->Font());
    for (const std::wstring& Line : SplitLines(Utf8ToWide(lc::settings::GlobalTextTable().TextLabels[L.Text])))
      Need(Line, LabelRoom(L) - FExtraWidth);
  }
  for (const auto& [Button, Text] : FPageButtons)
    if (Button->Parent() == FPages[1].get()) Extra = std::max(Extra, Button->Width() - kFileTypesColumn);
  // Within the screen.
  return std::clamp(Extra, 0, std::max(0, Screen.Width() - (Width() - FExtraWidth)));
}

void TfrmConfig::WidenPages(int Extra) {
  FExtraWidth = Extra;
  Host().LoadSkin(L"Config");
  const int W = Host().Skin().Width() + Extra;
  const int H = Host().Skin().Height();
  WidenSkinImage(Host().Skin(), W, kWidenColumn);
  Constraints = {W, H, W, H};
  SetBounds(Left(), Top(), W, H);
  FCloseButton->SetRect({W - 14, 7, W - 5, 16});
  for (auto& Page : FPages) Page->SetBounds(kPageLeft, kPageTop, kPageWidth + Extra, kPageHeight);
  for (const TWidening& C : FWidening) {
    const TRect& R = C.Designed;
    if (C.How == TWiden::Stretch)
      C.Control->SetBounds(R.Left, R.Top, R.Width() + Extra, R.Height());
    else
      C.Control->SetBounds(R.Left + Extra, R.Top, R.Width(), R.Height());
  }
  FTranslator->SetBounds(kPageMargin, FTranslator->Top(), FPages[4]->ClientWidth() - 2 * kPageMargin,
                         FTranslator->Height());
  Invalidate();
}

void TfrmConfig::PlaceFileTypes() {
  TPanel& Page = *FPages[1];
  int Column = kFileTypesColumn;
  for (const auto& [Button, Text] : FPageButtons)
    if (Button->Parent() == &Page) Column = std::max(Column, Button->Width());
  const int Right = Page.ClientWidth() - kFileTypesGap;
  const int Left = Right - Column;
  const TRect List = FAssocFile->BoundsRect();
  FAssocFile->SetBounds(List.Left, List.Top, Left - kFileTypesGap - List.Left, List.Height());
  const TRect Edit = FExtensionName->BoundsRect();
  FExtensionName->SetBounds(Left, Edit.Top, Column, Edit.Height());
  for (const auto& [Button, Text] : FPageButtons)
    if (Button->Parent() == &Page)
      Button->SetBounds(Left + (Column - Button->Width()) / 2, Button->Top(), Button->Width(), Button->Height());
}

void TfrmConfig::CheckBoxMouseIn(TMyCheckBox& Box) {
  TCanvas& C = Canvas();
  C.Font.Assign(Box.Font);
  const bool Cut = C.TextWidth(Box.Caption()) > Box.Width() - kCheckBoxPart;
  Box.Hint = Cut ? Box.Caption() : std::wstring();
  Box.ShowHint = Cut;
}
