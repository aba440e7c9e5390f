// The subtitle commands of the main window (show or hide, time shifts,
// position and size steps, the font dialog) and the pulse's subtitle step,
// which puts the entry at the playing position on the video control.
#include <map>
#include <memory>

#include "framework/application.h"
#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/subtitle_fonts.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"
#include "settings/text_table.h"
#include "subtitles/display_rules.h"
#include "subtitles/line_fitting.h"

using lc::Cmd;
using lc::Player;
using lc::Program;
using lc::Subtitles;
namespace sub = lc::subtitles;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

char DecimalSeparator() {
  wchar_t Text[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Text, 8) > 1 && Text[0] < 128
             ? static_cast<char>(Text[0])
             : '.';
}

// Measures lines in the subtitle font at any size on a memory context,
// making each size's font once.
class TLineMeter {
 public:
  explicit TLineMeter(const TFont& Font) : FFont(Font), FDC(CreateCompatibleDC(nullptr)) {}
  ~TLineMeter() { DeleteDC(FDC); }
  TLineMeter(const TLineMeter&) = delete;
  TLineMeter& operator=(const TLineMeter&) = delete;

  template <class Char>
  int Width(const std::basic_string<Char>& Line, int Points) {
    auto& Font = FFonts[Points];
    if (!Font) Font = std::make_unique<TSubtitleFont>(FFont, Points, SubtitleCharSet());
    TSelectedFont Selected(FDC, Font->Handle());
    SIZE S{};
    if constexpr (sizeof(Char) == 1)
      GetTextExtentPoint32A(FDC, Line.c_str(), static_cast<int>(Line.size()), &S);
    else
      GetTextExtentPoint32W(FDC, reinterpret_cast<const wchar_t*>(Line.c_str()), static_cast<int>(Line.size()), &S);
    return S.cx;
  }

 private:
  const TFont& FFont;
  HDC FDC;
  std::map<int, std::unique_ptr<TSubtitleFont>> FFonts;
};

// An entry's screen lines fitted to the screen's width as the settings
// ask; sets SubtitleFontScale.
template <class Char>
std::vector<std::basic_string<Char>> FittedEntryLines(const std::vector<std::basic_string<Char>>& Lines,
                                                      const TFont& Font, bool Wide) {
  const lc::settings::SettingsStore& S = Program().Settings;
  Subtitles().SubtitleFontScale = 1.0;
  if (!S.AutoResizeFont && !S.AutoSplitLine && !S.WrapAllText) return Lines;
  TLineMeter Meter(Font);
  const sub::LineMeasurer<Char> Measure = [&Meter](const std::basic_string<Char>& Line, int Points) {
    return Meter.Width(Line, Points);
  };
  const int Points = std::max(1, lc::settings::SubtitlePointSize(Screen.Width(), S.SubtitleSize));
  const int Limit = sub::LineWidthLimit(S.HorizontalDisplayArea, Screen.Width());
  sub::FittedLines<Char> Fitted =
      sub::FitEntryLines(Lines, Points, Limit, {S.AutoResizeFont, S.AutoSplitLine, S.WrapAllText, Wide}, Measure);
  Subtitles().SubtitleFontScale = Fitted.FontScale;
  return std::move(Fitted.Lines);
}

// A look changed by hand stays: the one a movie's remembered entry
// replaced is no longer put back.
void KeepSubtitleLook() { lc::Playback().SavedSubtitleSettings.Valid = false; }

}  // namespace

TfrmMain::TCommandRows TfrmMain::SubtitleCommands() {
  static constexpr TCommandRow kRows[] = {
      {Cmd::BtnOpenSubtitleClick, [](TfrmMain& F, int) { F.BtnOpenSubtitleClick(); }},
      {Cmd::FontMenuClick, [](TfrmMain& F, int) { F.FontMenuClick(); }},
      {Cmd::DisableSubtitleMenuClick, [](TfrmMain& F, int) { F.DisableSubtitleMenuClick(); }},
      {Cmd::DecreaseTimeMenuClick, [](TfrmMain& F, int) { F.ShiftSubtitles(-5); }},
      {Cmd::IncreaseTimeMenuClick, [](TfrmMain& F, int) { F.ShiftSubtitles(5); }},
      {Cmd::DecreaseTime20MenuClick, [](TfrmMain& F, int) { F.ShiftSubtitles(-100); }},
      {Cmd::IncreaseTime20MenuClick, [](TfrmMain& F, int) { F.ShiftSubtitles(100); }},
      {Cmd::MoveSubtitleUpMenuClick, [](TfrmMain& F, int) { F.StepSubtitleZone(true); }},
      {Cmd::MoveSubtitleDownMenuClick, [](TfrmMain& F, int) { F.StepSubtitleZone(false); }},
      {Cmd::IncreaseFontSizeMenuClick, [](TfrmMain& F, int) { F.StepSubtitleSize(true); }},
      {Cmd::DecreaseFontSizeMenuClick, [](TfrmMain& F, int) { F.StepSubtitleSize(false); }},
  };
  return kRows;
}

void TfrmMain::ShowSubtitles(bool Shown) {
  SubtitlesShown = Shown;
  if (TMenuItem* Item = MenuItem(L"DisableSubtitleMenu")) Item->SetChecked(!Shown);
}

void TfrmMain::ClearSubtitleLines() {
  if (!frmVideoWindow) return;
  frmVideoWindow->VideoWindow->OverlaySubtitleLinesA.clear();
  frmVideoWindow->VideoWindow->OverlaySubtitleLinesW.clear();
}

void TfrmMain::SubtitleLookIntoVideo() {
  lc::settings::SettingsStore& S = Program().Settings;
  S.SubtitleFontPointSize = lc::settings::SubtitlePointSize(Screen.Width(), S.SubtitleSize);
  if (!frmVideoWindow) return;
  frmVideoWindow->ApplySubtitleFont();
  // The lines of the moment are measured again in the new font.
  ClearSubtitleLines();
  frmVideoWindow->VideoWindow->SubtitleIndex = -1;
}

void TfrmMain::DisableSubtitleMenuClick() {
  if (!Player().SubtitleLoaded) return;
  ShowSubtitles(!SubtitlesShown);
  MovieModeChecked = false;
  if (!SubtitlesShown && frmVideoWindow) {
    ClearSubtitleLines();
    frmVideoWindow->VideoWindow->RepaintVideo();
  }
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[SubtitlesShown ? 35 : 36]));
}

void TfrmMain::ShiftSubtitles(int Tenths) {
  if (!Player().SubtitleLoaded || !SubtitlesShown) return;
  lc::SubtitleState& S = Subtitles();
  sub::ShiftSubtitleTimes(S.Current, Tenths * 100);
  S.SubtitleDelay += Tenths;
  Commands().ShowOSD(
      Utf8ToWide(Texts().TextMessages[37] + ": " + sub::DelaySeconds(S.SubtitleDelay, DecimalSeparator()) + " sec"));
}

void TfrmMain::StepSubtitleZone(bool Up) {
  int& Zone = Program().Settings.AverageVerticalDisplayZone;
  const int Next = sub::DisplayZoneStep(Zone, Up);
  if (Next != Zone) {
    MovieModeChecked = false;
    KeepSubtitleLook();
    Zone = Next;
    if (frmVideoWindow) frmVideoWindow->VideoWindow->RepaintSubtitle();
    lc::RaiseRmsChangeScore(Player(), Commands().GraphActive());
  }
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[41] + ": " + std::to_string(Zone) + "%"));
}

void TfrmMain::StepSubtitleSize(bool Up) {
  lc::settings::SettingsStore& S = Program().Settings;
  MovieModeChecked = false;
  KeepSubtitleLook();
  S.SubtitleSize = sub::SubtitleSizeStep(S.SubtitleSize, Up);
  S.SubtitleFontPointSize = lc::settings::SubtitlePointSize(Screen.Width(), S.SubtitleSize);
  ClearSubtitleLines();
  if (frmVideoWindow) frmVideoWindow->VideoWindow->RepaintSubtitle();
  lc::RaiseRmsChangeScore(Player(), Commands().GraphActive());
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[42] + ": " + std::to_string(S.SubtitleSize) + "%"));
}

void TfrmMain::FontMenuClick() {
  if (Program().OpeningMovie) return;
  lc::settings::SettingsStore& S = Program().Settings;
  KeepSubtitleLook();
  const int ScreenWidth = Screen.Width();
  const std::string Name = S.SubtitleFontName.empty() ? "Arial" : S.SubtitleFontName;
  FontDialogSub.Font.SetName(Utf8ToWide(Name));
  FontDialogSub.Font.SetColor(static_cast<TColor>(S.SubtitleFontColor));
  FontDialogSub.Font.SetStyle(static_cast<TFontStyles>(S.SubtitleFontStyle));
  FontDialogSub.CharSet = static_cast<BYTE>(S.SubtitleFontScript);
  FontDialogSub.Font.SetSize(lc::settings::SubtitlePointSize(ScreenWidth, S.SubtitleSize));
  // A face that is not installed is not in the dialog's list: it opens on
  // the face that draws the subtitles instead, at their size and style.
  if (!FSettingsHost.IsFontInstalled(Name)) FontDialogSub.Font.SetName(FaceDrawnFor(FontDialogSub.Font));
  if (!(RunFontDialog ? RunFontDialog() : FontDialogSub.Execute())) return;
  MovieModeChecked = false;
  S.SubtitleSize = sub::SubtitleSizeFromDialog(FontDialogSub.Font.Size(), ScreenWidth);
  S.SubtitleFontPointSize = FontDialogSub.Font.Size();
  S.SubtitleFontName = WideToUtf8(FontDialogSub.Font.Name());
  S.SubtitleFontColor = static_cast<std::int32_t>(FontDialogSub.Font.Color());
  S.SubtitleFontStyle = static_cast<lc::settings::FontStyles>(FontDialogSub.Font.Style());
  S.SubtitleFontScript = FontDialogSub.CharSet;
  if (!frmVideoWindow) return;
  frmVideoWindow->VideoWindow->SetFont(FontDialogSub.Font);
  ClearSubtitleLines();
  frmVideoWindow->VideoWindow->RepaintSubtitle();
  if (Commands().GraphActive()) Commands().SetRmsChangeScore(10000);
}

void TfrmMain::ShowSubtitleAt(std::int64_t PositionMs) {
  if (!frmVideoWindow || !frmVideoWindow->Visible()) return;
  TDSVideoWindowEx2& V = *frmVideoWindow->VideoWindow;
  const bool HasLines = !V.OverlaySubtitleLinesA.empty() || !V.OverlaySubtitleLinesW.empty();
  const sub::Subtitle& Current = Subtitles().Current;
  const int Entry = Player().SubtitleLoaded && SubtitlesShown
                        ? sub::EntryAt(Current, PositionMs, Program().Settings.AutoCalculationTime)
                        : -1;
  if (Entry < 0) {
    if (HasLines || V.SubtitleIndex != -1) {
      ClearSubtitleLines();
      V.RepaintSubtitle();
    }
    return;
  }
  if (Entry == V.SubtitleIndex) return;
  ClearSubtitleLines();
  if (Current.IsWide) {
    for (const std::u16string& Line : FittedEntryLines(Current.EntryLinesW[Entry], V.Font, true))
      V.OverlaySubtitleLinesW.emplace_back(Line.begin(), Line.end());
  } else {
    V.OverlaySubtitleLinesA = FittedEntryLines(Current.EntryLines[Entry], V.Font, false);
  }
  // The band is cleared and the painter called with the new lines.
  V.RepaintSubtitle();
  V.SubtitleIndex = Entry;
}
