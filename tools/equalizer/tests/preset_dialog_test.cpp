// The equalizer's preset dialog on the virtual display: previews, Cancel
// restoring the sliders, Delete kept in the file whatever the result,
// saving under a typed name, and a presets file it cannot read.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"
#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/tests/main_form_fixture.h"
#include "settings/text_table.h"
#include "tools/equalizer/equalizer_window.h"
#include "tools/equalizer/preset_dialog.h"
#include "tests/support/scratch.h"

namespace {

using TMode = TfrmLoadSavePreset::TMode;

// What the timer does to the dialog once it is up.
std::function<void(TfrmLoadSavePreset&)> PendingAction;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmLoadSavePreset || !frmLoadSavePreset->Showing()) return;
  KillTimer(nullptr, Id);
  PendingAction(*frmLoadSavePreset);
}

// The texts of the message boxes shown meanwhile, each closed at once.
std::vector<std::wstring> ShownMessages;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  ShownMessages.push_back(frmMessage->Text());
  PostMessageW(frmMessage->Handle(), WM_CLOSE, 0, 0);
}

void PressKey(HWND Wnd, WPARAM Vk) { SendMessageW(Wnd, WM_KEYDOWN, Vk, 0); }
// A left click on line Index of the dialog's list.
void ClickItem(TfrmLoadSavePreset& D, int Index) {
  const TRect R = D.lbPresets().ItemRect(Index);
  const LPARAM At = MAKELPARAM(R.Left + 5, (R.Top + R.Bottom) / 2);
  SendMessageW(D.lbPresets().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
  SendMessageW(D.lbPresets().Handle(), WM_LBUTTONUP, 0, At);
}
void Char(HWND Wnd, wchar_t C) { SendMessageW(Wnd, WM_CHAR, C, 0); }

// The equalizer joined to the main window by the start-up's links.
class PresetDialog : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    lctest::WriteBytes(File, "Rock=-10,20,0,0,0,0,0,0,0,0,0\r\nVoice=0,0,0,0,-50,-50,0,0,0,0,30\r\n");
    Form = std::make_unique<TfrmEqualizer>(Audio);
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    MainWindowTest::TearDown();
  }
  void Run(TMode Mode, std::function<void(TfrmLoadSavePreset&)> Action) {
    PendingAction = std::move(Action);
    SetTimer(nullptr, 0, 50, ActOnDialog);
    RunPresetDialog(Mode, File, *Form, Form->Panel(), Audio);
  }
  std::string FileText() { return lctest::ReadBytes(File); }
  TDspEqualizer Equalizer;
  TDspAmplify Amplify;
  lc::tools::TDspEqualizerAudio Audio{Equalizer, Amplify};
  std::unique_ptr<TfrmEqualizer> Form;
  lctest::ScratchFolder Scratch;
  const std::string File = Scratch.File("Presets.EQ");
};

TEST_F(PresetDialog, PreviewThenCancelPutsTheSlidersBack) {
  Form->tbEqChange(2, 40);
  const lc::tools::TEqPreset Before = Form->Panel().Positions();
  lc::tools::TEqPreset Previewed{};
  Run(TMode::Load, [&](TfrmLoadSavePreset& D) {
    EXPECT_EQ(3, D.lbPresets().Count());
    EXPECT_EQ(L"(Default)", D.lbPresets().Items(0));
    HWND List = D.lbPresets().Handle();
    ClickItem(D, 1);  // Rock
    ClickItem(D, 2);  // Voice
    Previewed = Form->Panel().Positions();
    Char(List, VK_ESCAPE);
  });
  EXPECT_EQ((lc::tools::TEqPreset{0, 0, 0, 0, -50, -50, 0, 0, 0, 0, 30}), Previewed);
  EXPECT_EQ(Before, Form->Panel().Positions());
  EXPECT_EQ(-40, Equalizer.GetBandGain(0, 10));
  EXPECT_EQ(nullptr, frmLoadSavePreset);
}

TEST_F(PresetDialog, EnterKeepsThePreviewAndTheAmplifiersValue) {
  Run(TMode::Load, [&](TfrmLoadSavePreset& D) {
    ClickItem(D, 1);  // Rock
    Char(D.lbPresets().Handle(), VK_RETURN);
  });
  EXPECT_EQ(-10, Form->Panel().PreampSlider().Position());
  EXPECT_EQ(12589, Amplify.GetVolume(0));
  EXPECT_EQ(20, Form->Panel().BandSlider(0).Position());
  EXPECT_EQ(-20, Equalizer.GetBandGain(0, 1));
}

TEST_F(PresetDialog, DeleteIsKeptInTheFileEvenWhenCancelled) {
  Run(TMode::Load, [&](TfrmLoadSavePreset& D) {
    HWND List = D.lbPresets().Handle();
    ClickItem(D, 1);
    PressKey(List, VK_DELETE);  // Rock goes, Voice is selected and applied
    EXPECT_EQ(L"Voice", D.lbPresets().Items(D.lbPresets().ItemIndex()));
    EXPECT_EQ(30, Form->Panel().BandSlider(9).Position());
    Char(List, VK_ESCAPE);
  });
  EXPECT_EQ("Voice=0,0,0,0,-50,-50,0,0,0,0,30\r\n", FileText());
}

TEST_F(PresetDialog, SaveUnderATypedNameRefusesTheEqualsSign) {
  Form->tbEqChange(0, -100);
  Run(TMode::Save, [&](TfrmLoadSavePreset& D) {
    EXPECT_TRUE(D.PresetNameEdit().Showing());
    HWND Edit = D.PresetNameEdit().Handle();
    for (wchar_t C : std::wstring(L"Bass=Boost")) Char(Edit, C);
    EXPECT_EQ(L"BassBoost", D.PresetNameEdit().Text());
    // A second dialog is never opened meanwhile.
    RunPresetDialog(TMode::Load, File, *Form, Form->Panel(), Audio);
    Char(Edit, VK_RETURN);
  });
  EXPECT_EQ(
      "Rock=-10,20,0,0,0,0,0,0,0,0,0\r\nVoice=0,0,0,0,-50,-50,0,0,0,0,30\r\n"
      "BassBoost=0,-100,0,0,0,0,0,0,0,0,0\r\n",
      FileText());
}

TEST_F(PresetDialog, SavingUnderAnExistingNameOverwritesItInPlace) {
  Form->tbEqChange(9, 10);
  Run(TMode::Save, [&](TfrmLoadSavePreset& D) {
    ClickItem(D, 1);  // takes the name Rock
    EXPECT_EQ(L"Rock", D.PresetNameEdit().Text());
    Char(D.PresetNameEdit().Handle(), VK_RETURN);
  });
  EXPECT_EQ("Rock=0,0,0,0,0,0,0,0,0,0,10\r\nVoice=0,0,0,0,-50,-50,0,0,0,0,30\r\n", FileText());
}

}  // namespace

namespace {

// A presets file in an encoding the dialog does not read: the first
// dialog of the run names it and the name it will be kept under; later
// ones say nothing; the file stays until a preset is saved, which keeps it
// aside byte for byte.
TEST_F(PresetDialog, AFileItCannotReadIsNamedTheFirstTimeOnly) {
  const std::string Utf16("\xFF\xFER\0o\0c\0k\0=\0" "1\0", 14);
  lctest::WriteBytes(File, Utf16);
  ShownMessages.clear();
  const UINT_PTR Closer = SetTimer(nullptr, 0, 50, CloseMessageBox);
  for (int Opening = 0; Opening < 2; ++Opening) {
    Run(TMode::Load, [&](TfrmLoadSavePreset& D) {
      EXPECT_EQ(1, D.lbPresets().Count());
      Char(D.lbPresets().Handle(), VK_ESCAPE);
    });
  }
  EXPECT_EQ(Utf16, FileText());
  Run(TMode::Save, [&](TfrmLoadSavePreset& D) {
    for (wchar_t C : std::wstring(L"Mine")) Char(D.PresetNameEdit().Handle(), C);
    Char(D.PresetNameEdit().Handle(), VK_RETURN);
  });
  KillTimer(nullptr, Closer);
  EXPECT_EQ(ShownMessages, (std::vector<std::wstring>{L"Error reading from \"" + Utf8ToWide(File) +
                                                      L"\"!\r\nWhen a preset is saved, it is kept as "
                                                      L"\"Presets.EQ.bad\"."}));
  EXPECT_EQ(Utf16, lctest::ReadBytes(File + ".bad"));
  EXPECT_EQ("Mine=0,0,0,0,0,0,0,0,0,0,0\r\n", FileText());
}

}  // namespace
