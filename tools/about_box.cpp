#include "tools/about_box.h"

#include <algorithm>

#include <windows.h>
#include <shellapi.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/skin_image.h"
#include "settings/text_table.h"
#include "tools/dialog_rules.h"
#include "tools/tool_environment.h"

TfrmAbout* frmAbout = nullptr;
TfrmKeyboard* frmKeyboard = nullptr;
const wchar_t* const kAboutMailLink = L"mailto:feedback@lumacraft.org?subject=critics and suggestions";
const wchar_t* const kAboutSiteLink = L"http://www.lumacraft.org/";

std::function<void(const std::wstring&, int)> TfrmAbout::OpenLink = [](const std::wstring& Target, int Show) {
  HWND Parent = Application.Handle();
  ShellExecuteW(Parent, nullptr, Target.c_str(), nullptr, nullptr, Show);
};

namespace {

constexpr TColor VersionColor = 0x208B20;  // RGB(32, 139, 32)
constexpr TColor MemoTextColor = 0xFFFFFE;  // RGB(254, 255, 255)
constexpr TColor MemoColor = 0x404040;
// Between the widest action and the keys.
constexpr int kKeyColumnGap = 24;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

bool ClosingKey(wchar_t& Key) {
  if (Key != vkReturn && Key != vkEscape) return false;
  Key = 0;
  return true;
}

// A memo that does not wrap its lines.
class TListMemo : public TMemo {
 public:
  explicit TListMemo(TWinControl* Parent) : TMemo(Parent) { RecreateControl(ControlStyle() | ES_AUTOHSCROLL); }
};

}  // namespace

// ---- about box ----------------------------------------------------------------------

TfrmAbout::TfrmAbout() : TToolDialog(L"TfrmAbout", L"About", false) {
  frmAbout = this;
  SetTitle(L"About");
  const int W = Host().Skin().Width();
  TVirtualButton& CloseBox = AddCloseBox(W - 14);
  CloseBox.OnClick = [this] { Close(); };
  FMail = &AddButton({192, 37, 241, 85}, L"", L"Lumacraft mail", L"AboutMail", TButtonVariant::Standard);
  FMail->OnClick = [] { OpenLink(kAboutMailLink, SW_SHOW); };
  FSite = &AddButton({246, 62, 291, 80}, L"", L"www.lumacraft.org", L"AboutSite", TButtonVariant::Standard);
  FSite->OnClick = [] { OpenLink(kAboutSiteLink, SW_SHOWNOACTIVATE); };
  // The box's mouse order.
  Host().SetMouseOrder({&CloseBox, FMail, FSite});
  TFont VersionFont;
  VersionFont.SetName(L"Verdana");
  VersionFont.SetHeight(-12);
  VersionFont.SetColor(VersionColor);
  FVersion = std::make_unique<TLabel>(this);
  FVersion->SetFont(VersionFont);
  FVersion->Transparent = true;
  FVersion->SetBounds(110, 96, 0, 0);
  FVersion->SetCaption(Utf8ToWide(Texts().TextLabels[0] + ": 0.87"));
}

TfrmAbout::~TfrmAbout() {
  if (frmAbout == this) frmAbout = nullptr;
}

void TfrmAbout::DoShow() {
  if (FixAndPlace(TPlacement::BetweenMain))
    FVersion->SetBounds((ClientWidth() + 110 - FVersion->Width()) / 2, 96, FVersion->Width(), FVersion->Height());
  TToolDialog::DoShow();
}

// The skin carries no title: the face is drawn as it is.
void TfrmAbout::Paint() { TSkinForm::Paint(); }

void TfrmAbout::FormKeyPress(wchar_t& Key) {
  if (ClosingKey(Key)) Close();
}

void TfrmAbout::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TToolDialog::KeyPress(Key);
}

// ---- key list -----------------------------------------------------------------------

TfrmKeyboard::TfrmKeyboard() : TToolDialog(L"TfrmKeyboard", L"Keyboard", false) {
  frmKeyboard = this;
  SetTitle(Utf8ToWide(Texts().TextCaptions[6]));
  FClose = &AddCloseBox(Host().Skin().Width() - 17, L"MainBtnClose");
  FClose->OnClick = [this] { Close(); };
  Host().SetMouseOrder({FClose});
  TFont MemoFont;
  MemoFont.SetName(L"Arial");
  MemoFont.SetHeight(-13);
  MemoFont.SetColor(MemoTextColor);
  FMemo = std::make_unique<TListMemo>(this);
  FMemo->SetFont(MemoFont);
  FMemo->SetColor(MemoColor);
  FMemo->SetReadOnly(true);
  FMemo->OnKeyPress = [this](TComponent*, wchar_t& Key) { FormKeyPress(Key); };
}

TfrmKeyboard::~TfrmKeyboard() {
  if (frmKeyboard == this) frmKeyboard = nullptr;
}

// The keys of every line start one tab stop past the widest action; the
// width a line needs is where its keys end (its text width without a tab).
int TfrmKeyboard::NeededWidth() {
  TCanvas& C = Canvas();
  TFont Kept;
  Kept.Assign(C.Font);
  C.Font.Assign(FMemo->Font);
  const std::vector<std::wstring> Lines = FMemo->Lines();
  int Actions = 0;
  for (const std::wstring& Line : Lines)
    if (const std::size_t Tab = Line.find(L'\t'); Tab != std::wstring::npos)
      Actions = std::max(Actions, C.TextWidth(Line.substr(0, Tab)));
  FKeyColumn = Actions + kKeyColumnGap;
  FMemo->SetTabStop(FKeyColumn);
  // The memo's client width: a list that fits leaves the face as it is.
  int N = FMemo->ClientWidth();
  for (const std::wstring& Line : Lines) {
    const std::size_t Tab = Line.find(L'\t');
    const int Width = Tab == std::wstring::npos ? C.TextWidth(Line) : FKeyColumn + C.TextWidth(Line.substr(Tab + 1));
    N = std::max(N, Width + 30);
  }
  C.Font.Assign(Kept);
  return std::min(N, Screen.Width() - 16);
}

void TfrmKeyboard::DoShow() {
  if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) {
    Host().LoadSkin(L"Keyboard");
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    FMemo->SetBounds(1, 23, W - 3, H - 25);
    FMemo->SetText(Utf8ToWide(lc::tools::OneTabPerLine(Texts().TextKeyHelp)));
    const int N = NeededWidth();
    if (N > FMemo->Width() - 2) {
      WidenSkinImage(Host().Skin(), N + 6, Host().Skin().Width() / 2);
      FMemo->SetBounds(1, 23, N + 6 - 3, H - 25);
    }
    const int Right = Host().Skin().Width() - 17;
    FClose->SetRect({Right, 7, Right + 9, 16});
    FixAndPlace(TPlacement::BetweenMain);
  }
  TToolDialog::DoShow();
}

void TfrmKeyboard::FormKeyPress(wchar_t& Key) {
  if (ClosingKey(Key)) Close();
}

void TfrmKeyboard::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TToolDialog::KeyPress(Key);
}
