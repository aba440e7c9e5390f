// Every window and dialog of the program, made through the start-up's
// links, laid out in the built-in language and in languages whose every
// text is 30 % and 45 % longer: each caption and value is drawn whole in
// its control and no control covers another (kit/layout_check.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "app/instance.h"
#include "framework/application.h"
#include "app/playlist_setup.h"
#include "app/tests/layout_walker.h"
#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"
#include "kit/layout_check.h"
#include "kit/message_box.h"
#include "player/tests/graph_fixture.h"
#include "playlist/win/playlist_window.h"
#include "settings/tests/language_files.h"
#include "settings/text_apply.h"
#include "tools/about_box.h"
#include "tools/color/color_control_window.h"
#include "tools/config/config_dialog.h"
#include "tools/equalizer/equalizer_audio.h"
#include "tools/equalizer/equalizer_window.h"
#include "tools/equalizer/preset_dialog.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/profiles/profiles_editor.h"
#include "tools/shutdown.h"
#include "tools/tool_dialog.h"
#include "tools/slider_dialogs.h"
#include "tools/tests/dialog_fakes.h"

namespace {

using lctest::LayoutWalker;
using lctest::Pump;

class WindowLayout : public lc::testing::GraphFixture {
 protected:
  void TearDown() override {
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), true);
    GraphFixture::TearDown();
  }

  // The texts at Percent more than the built-in ones, pushed into the
  // windows that exist, as a language change does.
  static void UseLanguage(int Percent) {
    lc::settings::TextTable& T = lc::settings::GlobalTextTable();
    if (Percent == 0)
      lc::settings::SetDefaultTexts(T);
    else
      T = lc::settings::testing::LongerTable(Percent);
    lc::settings::ApplyTexts(T);
  }

  // Shows Window, lets it settle and checks its boxes; Extra adds the
  // parts of its face the walker cannot see.
  void Check(TWinControl& Window, const std::string& Name, int Percent,
             const std::function<void(LayoutWalker&)>& Extra = {}) {
    Window.SetVisible(true);
    Pump(30);
    LayoutWalker Walker(Window, Name + " +" + std::to_string(Percent) + "%");
    // A dialog's title, written at 5,5 in the window's font, clear of the
    // close box.
    const std::wstring Title = dynamic_cast<TToolDialog*>(&Window) ? dynamic_cast<TToolDialog&>(Window).Title()
                               : dynamic_cast<TfrmConfig*>(&Window) ? Window.Caption()
                                                                     : std::wstring();
    if (!Title.empty()) {
      const TSize Text = lctest::MeasuredText(Title, Window.Font.Handle());
      Walker.AddBox("title " + WideToUtf8(Title), {5, 5, 5 + Text.cx, 5 + Text.cy});
    }
    if (Extra) Extra(Walker);
    // A window that did not show would pass with nothing to check.
    EXPECT_GE(Walker.Boxes().size(), 1u) << Name;
    ++Walked;
    for (const std::string& Fault : Walker.Faults()) ADD_FAILURE() << Fault;
  }

  void CheckEveryWindow(int Percent) {
    UseLanguage(Percent);
    Check(*form, "main", Percent);
    Check(*video, "video", Percent);
    std::unique_ptr<TfrmPlayList> List = lc::MakePlaylistWindow(*form, links->Playlist());
    Check(*List, "playlist", Percent);
    form->Satellites.PlayList = nullptr;
    List.reset();

    TfrmEqualizer Equalizer(Audio);
    UseLanguage(Percent);
    // The widest values, each centred over its slider.
    lc::tools::TEqPreset Lowest;
    Lowest.fill(-100);
    Equalizer.Panel().SetPositions(Lowest);
    Check(Equalizer, "equalizer", Percent, [&Equalizer](LayoutWalker& W) {
      lc::tools::TEqualizerPanel& P = Equalizer.Panel();
      std::vector<TVirtualLabel*> Values{&P.PreampLabel()};
      for (int Band = 0; Band < 10; ++Band) Values.push_back(&P.BandLabel(Band));
      for (TVirtualLabel* V : Values) {
        const TSize Text = lctest::MeasuredText(V->Caption(), Equalizer.Font.Handle());
        const int Left = V->Rect().Left - Text.cx / 2;
        W.AddBox("value " + WideToUtf8(V->Caption()), {Left, V->Rect().Top, Left + Text.cx, V->Rect().Top + Text.cy});
      }
    });
    for (auto Mode : {TfrmLoadSavePreset::TMode::Load, TfrmLoadSavePreset::TMode::Save}) {
      TfrmLoadSavePreset Presets(Mode, folder.File("Presets.EQ"), Equalizer, Equalizer.Panel(), Audio);
      Check(Presets, "presets", Percent);
    }
    TfrmColorControl Colour;
    UseLanguage(Percent);
    // The widest values: four characters each.
    Colour.Panel().SetPosition(lc::tools::csBrightness, 546);
    Colour.Panel().SetPosition(lc::tools::csHue, -180);
    Check(Colour, "colour", Percent, [&Colour](LayoutWalker& W) {
      // The paper of the names left of the sliders and of the values right
      // of them, as the skin draws them.
      const int Names = W.AddArea("name column", {6, 27, 100, 126});
      const int Values = W.AddArea("value column", {250, 27, 287, 126});
      // Each text where it is drawn, measured in the window's font.
      lc::tools::TColorPanel& P = Colour.Panel();
      for (auto S : {lc::tools::csBrightness, lc::tools::csContrast, lc::tools::csHue, lc::tools::csSaturation}) {
        for (const auto& [Label, Column] : {std::pair{&P.NameLabel(S), Names}, std::pair{&P.ValueLabel(S), Values}}) {
          const TRect At = Label->Rect();
          TFont Drawn;
          Drawn.Assign(Colour.Font);
          if (Label->FontSize() > 0) Drawn.SetSize(Label->FontSize());
          const TSize Text = lctest::MeasuredText(Label->Caption(), Drawn.Handle());
          W.AddBox(WideToUtf8(Label->Caption()), {At.Left, At.Top, At.Left + Text.cx, At.Top + Text.cy}, Column);
        }
      }
    });

    {
      TfrmConfig Config;
      Config.Show();
      for (int Page = 0; Page < 5; ++Page) {
        Config.Node().SetSelected(Page);
        Config.NodeChange();
        const int Tabs = Page == 0 || Page == 2 ? 2 : 1;
        for (int Tab = 0; Tab < Tabs; ++Tab) {
          if (Page == 0) Config.GeneralTabs().SetActivePageIndex(Tab);
          if (Page == 2) Config.SubtitleTabs().SetActivePageIndex(Tab);
          Check(Config, "configuration page " + std::to_string(Page) + "." + std::to_string(Tab), Percent);
        }
      }
    }
    {
      TfrmProfilesEditor Profiles(nullptr);
      Check(Profiles, "profiles editor", Percent);
    }
    {
      TfrmInfo Info(lc::testing::Media("clip.avi"));
      Check(Info, "media information", Percent);
    }
    {
      TfrmJump Jump(Player);
      Check(Jump, "jump", Percent);
      TfrmAspectRatio Aspect(Player);
      Check(Aspect, "aspect ratio", Percent);
      TfrmPanScan PanScan(Player);
      Check(PanScan, "pan & scan", Percent);
    }
    {
      // The countdown's text, whole on the face between the title and the
      // Cancel button, and in its own 12 points: it takes the room there is
      // before it shrinks.
      TfrmShutDown Countdown;
      Countdown.ShowCountdown(0);
      Check(Countdown, "shutdown", Percent);
      EXPECT_EQ(12, Countdown.TextLabel().Font().Size()) << "shutdown +" << Percent << "%";
    }
    {
      TfrmAbout About;
      Check(About, "about", Percent);
      TfrmKeyboard Keys;
      Check(Keys, "key list", Percent);
    }
    // A one-line message, a second start's that names ten movies in a deep
    // folder (taller than the skin), the notice of a data file kept aside
    // and a second start's that names a file in a deep folder, or names
    // with blanks, one that fits a line and one that does not: each file's
    // name whole on its line where it fits one, else broken after its
    // folders.
    std::vector<std::wstring> Movies;
    for (int I = 1; I <= 10; ++I)
      Movies.push_back(L"D:\\Films\\Family\\2019 Summer - the mountains\\Day 0" + std::to_wstring(I) +
                       L" - the long walk up to the lake and back again.avi");
    // A file name wider than the skin (486 px): the box grows sideways to
    // hold it whole.
    const std::wstring LongName = L"the_lake_in_the_mountains_with_the_family_summer_holidays_2026_part_one.mp4";
    const std::pair<std::string, std::string> Messages[] = {
        {"message", "The file \"C:\\Movies\\holiday.avi\" could not be opened."},
        {"tall message",
         WideToUtf8(lc::HandOverFailedText(L"Lumacraft", L"is running but did not take these files:", Movies))},
        {"unread file notice",
         "Error reading from \"C:\\users\\Christopher\\AppData\\Roaming\\Lumacraft\\Lumacraft.ini\"!\r\n"
         "It is kept as \"Lumacraft.ini.2.bad\"."},
        {"files not taken",
         WideToUtf8(lc::HandOverFailedText(
             L"Lumacraft", L"is running but did not take these files:",
             {L"C:\\users\\Christopher\\Videos\\Holidays\\Summer2019\\TheMountains\\Day01\\sync.mp4"}))},
        {"long name not taken",
         WideToUtf8(lc::HandOverFailedText(L"Lumacraft", L"is running but did not take these files:",
                                           {L"C:\\users\\Christopher\\Videos\\" + LongName}))},
        {"deep names not taken",
         WideToUtf8(lc::HandOverFailedText(
             L"Lumacraft", L"is running but did not take these files:",
             {L"C:\\Films\\Deepfolder\\Second part of the movie.avi",
              L"C:\\users\\Christopher\\Videos\\Family films\\Summer 2019 in the mountains\\Second part.avi"}))}};
    for (const auto& [Kind, Text] : Messages) {
      for (const bool WithCheckBox : {false, true}) {
        TfrmMessage Box;
        const std::wstring Shown = Utf8ToWide(lc::settings::testing::Lengthened(Text, Percent));
        Box.SetText(Shown);
        Box.CheckBox().Visible = WithCheckBox;
        const std::string Name = Kind + (WithCheckBox ? " with check box" : "");
        // The text block, painted on the face: inside the box, clear of the
        // buttons and the check box.
        Check(Box, Name, Percent, [&](LayoutWalker& W) {
          const TMessageLayout& L = Box.Layout();
          W.AddBox("text", {L.LabelPos.X, L.LabelPos.Y, L.LabelPos.X + L.LabelWidth, L.LabelPos.Y + L.LabelHeight});
          // A line of the box is as wide as the widest the box may take.
          const auto FitsALine = [&](const std::wstring& S) {
            return lctest::MeasuredText(S, Box.TextFont().Handle()).cx <= L.SkinWidth - 20;
          };
          EXPECT_EQ(lc::kit::BrokenNameFaults(Shown, L.Lines, FitsALine), std::vector<std::string>{})
              << Name << " +" << Percent << "%";
          if (Kind == "long name not taken") {
            EXPECT_GT(Box.Width(), 486) << Name << " +" << Percent << "%";
            EXPECT_LE(Box.BoundsRect().Right, Screen.WorkAreaRect().Right) << Name << " +" << Percent << "%";
            EXPECT_EQ(1, std::count_if(L.Lines.begin(), L.Lines.end(), [&](const std::wstring& Line) {
                        return Line.find(LongName) != std::wstring::npos;
                      })) << Name << " +" << Percent << "%";
          }
        });
      }
    }
  }

  lc::tools::fakes::TRecordingDialogPlayer Player;
  TDspEqualizer DspEqualizer;
  TDspAmplify Amplify;
  lc::tools::TDspEqualizerAudio Audio{DspEqualizer, Amplify};
  int Walked = 0;
};

TEST_F(WindowLayout, EveryWindowHoldsTheBuiltInTexts) {
  CheckEveryWindow(0);
  EXPECT_EQ(34, Walked);
}

TEST_F(WindowLayout, EveryWindowHoldsALanguageAThirdLonger) { CheckEveryWindow(30); }

TEST_F(WindowLayout, EveryWindowHoldsALanguageNearlyHalfAgainAsLong) { CheckEveryWindow(45); }

}  // namespace
