#include "tools/media_info/info_window.h"

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/skin_image.h"
#include "kit/window_drag.h"
#include "settings/text_table.h"
#include "tools/media_info/media_detector.h"
#include "tools/tool_environment.h"

TfrmInfo* frmInfo = nullptr;
bool InfoReadFailed = false;

namespace {

constexpr TColor CaptionColor = 0x166116;  // RGB(22, 97, 22)
constexpr int kValueLeft = 272;
constexpr int kValueWidth = 153;
constexpr int kColumnEnd = 425;
constexpr int kCaptionLeft = 16;
// At least between a caption and the value column.
constexpr int kCaptionGap = 8;
constexpr int kCloseBoxLeft = 426;
// Where the face is drawn out for longer captions: a column of the rows.
constexpr int kWidenColumn = 220;

// Code names are single-byte Western text.
std::wstring Ansi(const std::string& Text) { return DecodeText(Text, 1252); }

char NumberSeparator() {
  const wchar_t S = lc::tools::DecimalSeparator();
  return S > 0 && S < 128 ? static_cast<char>(S) : '.';
}

}  // namespace

TfrmInfo::TfrmInfo(const std::string& MovieFile) : TToolDialog(L"TfrmInfo", L"Info", false) {
  frmInfo = this;
  const lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  SetTitle(Utf8ToWide(T.TextCaptions[4]));
  FCloseBox = &AddCloseBox(kCloseBoxLeft);
  FCloseBox->OnClick = [this] { Close(); };
  Host().SetMouseOrder({FCloseBox});
  CreateLabels();
  lc::tools::TMediaInfoBuilder Info(NumberSeparator());
  // A file the detector gets stuck in counts as one it cannot read.
  if (!lc::tools::ReadMediaInfoWithin(Utf8ToWide(MovieFile), Info, lc::tools::kDetectorWaitMs)) {
    bool Unused = false;
    ShowMessageBox(Utf8ToWide(T.TextMessages[0] + " \"" + MovieFile + "\"!"),
                   &lc::tools::ToolEnvironment().Windows().MainWindow(), false, Unused);
    InfoReadFailed = true;
  }
  ShowValues(Info.Values());
}

TfrmInfo::~TfrmInfo() {
  if (frmInfo == this) frmInfo = nullptr;
}

void TfrmInfo::CreateLabels() {
  const lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  TFont CaptionFont;
  CaptionFont.SetName(L"MS Sans Serif");
  CaptionFont.SetHeight(-13);
  CaptionFont.SetStyle(fsBold);
  CaptionFont.SetColor(CaptionColor);
  TFont ValueFont;
  ValueFont.SetName(L"MS Sans Serif");
  ValueFont.SetHeight(-12);
  ValueFont.SetColor(clLime);
  const auto Drag = [this](TComponent*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) StartWindowDrag(*this);
  };
  for (int R = 0; R < riRowCount; ++R) {
    const int Top = 33 + 24 * R;
    auto& C = FCaptions[R] = std::make_unique<TLabel>(this);
    C->SetFont(CaptionFont);
    C->Transparent = true;
    C->SetBounds(kCaptionLeft, Top, 0, 0);
    C->SetCaption(Utf8ToWide(T.TextLabels[15 + R]));
    C->OnMouseDown = Drag;
    auto& V = FValues[R] = std::make_unique<TLabel>(this);
    V->SetAutoSize(false);
    V->SetFont(ValueFont);
    V->Color = clBlack;
    V->SetBounds(kValueLeft, Top, kValueWidth, 16);
    // A codec name reads right to left where the system's language does;
    // it stays at the column's left edge.
    V->RightToLeftReading = R == riVideoCompression;
    V->OnMouseDown = Drag;
    V->OnMouseMove = [this, R](TComponent*, TShiftState, int, int) { Host().SetHintText(FHints[R]); };
  }
  FLengthTest = std::make_unique<TLabel>(this);
  FLengthTest->SetFont(ValueFont);
  FLengthTest->Visible = false;
}

void TfrmInfo::ShowValues(const lc::tools::TMediaInfoValues& V) {
  const std::string* Texts[riRowCount] = {
      &V.VideoCompression, &V.NrOfVideoStreams, &V.Time, &V.NrOfFrames, &V.Resolution,
      &V.FramesPerSecond, &V.AverageVideoBitrate, &V.BitDepth, &V.NrOfAudioStreams, &V.AudioCompression,
      &V.AverageAudioBitrate, &V.AudioSampleRate, &V.AudioChannels};
  for (int R = 0; R < riRowCount; ++R) FValues[R]->SetCaption(Ansi(*Texts[R]));
}

int TfrmInfo::TextWidth(const std::wstring& Text) {
  FLengthTest->SetCaption(Text);
  return Text.empty() ? 0 : FLengthTest->TextSize().cx;
}

// Text's width as the captions' own (bold, larger) font draws it.
int TfrmInfo::CaptionTextWidth(const std::wstring& Text) {
  TCanvas& C = Canvas();
  TFont Kept;
  Kept.Assign(C.Font);
  C.Font.Assign(FCaptions[0]->Font());
  const int Width = C.TextWidth(Text);
  C.Font.Assign(Kept);
  return Width;
}

// The value column ends at x 425, as wide as the widest value allows; it
// starts clear of the widest caption as the captions' own (bold, larger)
// font draws it, whatever face the system gives for it. Where the captions
// of a longer language would leave the values less room than the built-in
// captions leave them, the window is drawn out (within the screen) by the
// missing width and the column ends as much further right.
void TfrmInfo::LayOutValues() {
  int WidestValue = 0;
  int WidestCaption = 0;
  int WidestShownCaption = 0;
  for (int R = 0; R < riRowCount; ++R) {
    WidestValue = std::max(WidestValue, TextWidth(FValues[R]->Caption()));
    WidestCaption = std::max(WidestCaption, TextWidth(FCaptions[R]->Caption()));
    WidestShownCaption = std::max(WidestShownCaption, CaptionTextWidth(FCaptions[R]->Caption()));
  }
  const auto ColumnWidth = [&](int Caption, int ShownCaption, int Extra) {
    return std::min(lc::tools::InfoValueColumnWidth(WidestValue, Caption - Extra),
                    kColumnEnd + Extra - kCaptionLeft - ShownCaption - kCaptionGap);
  };
  // The column the built-in captions leave the same values.
  lc::settings::TextTable English;
  lc::settings::SetDefaultTexts(English);
  int EnglishCaption = 0;
  int EnglishShownCaption = 0;
  for (int R = 0; R < riRowCount; ++R) {
    const std::wstring Text = Utf8ToWide(English.TextLabels[15 + R]);
    EnglishCaption = std::max(EnglishCaption, TextWidth(Text));
    EnglishShownCaption = std::max(EnglishShownCaption, CaptionTextWidth(Text));
  }
  Host().LoadSkin(L"Info");
  const int Skin = Host().Skin().Width();
  const int Wanted = ColumnWidth(EnglishCaption, EnglishShownCaption, 0);
  const int Extra = std::clamp(Wanted - ColumnWidth(WidestCaption, WidestShownCaption, 0), 0,
                               std::max(0, Screen.Width() - 16 - Skin));
  WidenSkinImage(Host().Skin(), Skin + Extra, kWidenColumn);
  FCloseBox->SetRect(FCloseBox->Rect().Offset(kCloseBoxLeft + Extra - FCloseBox->Rect().Left, 0));
  const int W = ColumnWidth(WidestCaption, WidestShownCaption, Extra);
  for (int R = 0; R < riRowCount; ++R) {
    TLabel& V = *FValues[R];
    V.SetBounds(kColumnEnd + Extra - W, V.Top(), W, V.Height());
    FHints[R] = TextWidth(V.Caption()) > W ? V.Caption() : std::wstring();
  }
}

void TfrmInfo::DoShow() {
  if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) LayOutValues();
  FixAndPlace(TPlacement::BetweenMain);
  TToolDialog::DoShow();
}

void TfrmInfo::FormKeyPress(wchar_t& Key) {
  if (Key == vkReturn || Key == vkEscape) {
    Key = 0;
    Close();
  }
}

void TfrmInfo::KeyPress(wchar_t& Key) {
  FormKeyPress(Key);
  TToolDialog::KeyPress(Key);
}

std::unique_ptr<TForm> CreateInfoWindow(const std::string& MovieFile) {
  if (frmInfo) return nullptr;
  auto Window = std::make_unique<TfrmInfo>(MovieFile);
  if (!InfoReadFailed) return Window;
  InfoReadFailed = false;
  return nullptr;
}
