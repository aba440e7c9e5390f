// TfrmConfig: the modal, skinned configuration dialog. A tree on the left
// chooses one of five pages on the right (General, File types, Subtitle,
// Video, Language); the controls show a copy of the settings, Apply is
// enabled while any control differs from them, Apply stores everything and
// tells the running player (tools/config/config_apply.h), Default shows the
// defaults without storing them. The option rules live in
// tools/config/config_rules.h; this class maps them onto the controls.
// config_dialog.cpp builds the window and its pages,
// config_dialog_controls.cpp fills the controls, reads them back and holds
// their handlers, config_dialog_sample.cpp draws the subtitle sample,
// config_dialog_layout.cpp fits the pages to the present texts. The
// player answers the dialog's links in app/window_links.cpp. GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialogs.h"
#include "framework/hotkey.h"
#include "framework/list_box.h"
#include "framework/page_control.h"
#include "framework/std_controls.h"
#include "framework/tree_view.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "kit/small_controls.h"
#include "tools/config/config_rules.h"

class TPageButton;

class TfrmConfig : public TSkinForm {
 public:
  TfrmConfig();
  ~TfrmConfig() override;

  // ---- the controls, for the player's remote keys and for tests ----
  TTreeView& Node() { return *FNode; }
  TCheckListBox& CBGeneral() { return *FGeneral; }
  TCheckListBox& CBAssocFile() { return *FAssocFile; }
  TCheckListBox& CBSubtitle1() { return *FSubtitle1; }
  TCheckListBox& CBSubtitle2() { return *FSubtitle2; }
  TCheckListBox& CBVideo() { return *FVideo; }
  TMyCheckBox& cbBossKey() { return *FBossKey; }
  TMyCheckBox& CBRegExtension() { return *FRegExtension; }
  TMyCheckBox& CBSearchHereFirst() { return *FSearchHereFirst; }
  THotKey& hkHide() { return *FHide; }
  THotKey& hkShow() { return *FShow; }
  TEdit& EExtensionName() { return *FExtensionName; }
  TEdit& NumberField(lc::tools::NumericField F) { return *FNumbers[static_cast<int>(F)]; }
  TComboBox& CBPriority() { return *FPriority; }
  TListBox& LanguageList() { return *FLanguages; }
  TLabel& LTranslator() { return *FTranslator; }
  TPanel& SamplePanel() { return *FSample; }
  // The subtitle font being edited.
  TFontDialog& FontDialogTemp() { return FFontDialogTemp; }
  // The skinned button of a page with the caption TextButtons[Text], or
  // nullptr.
  TPageButton* PageButton(int Text) const;
  // The labels of the pages, each with its TextLabels entry.
  std::vector<std::pair<const TLabel*, int>> PageLabels() const;
  // The close box and the Apply, Default and Close buttons.
  TVirtualButton& CloseBox() { return *FCloseButton; }
  TVirtualButton& ApplyButton() { return *FApplyButton; }
  TVirtualButton& DefaultButton() { return *FDefaultButton; }
  TVirtualButton& CloseCaptionButton() { return *FCloseCaptionButton; }
  TPageControl& GeneralTabs() { return *FGeneralTabs; }
  TPageControl& SubtitleTabs() { return *FSubtitleTabs; }
  // The pages (0 General .. 4 Language).
  TPanel& Page(int Index) { return *FPages.at(Index); }
  // The page shown now (0 General .. 4 Language).
  int PageIndex() const { return FPageIndex; }
  bool ApplyEnabled() const;

  // ---- handlers ----
  void NodeChange();
  void OptionsChangeCheck();
  void BtnApplyClick();
  void BtnDefaultClick();
  void AddExtensionClick();
  void DeleteExtensionClick();
  void SelectAllClick(bool Checked);
  void LanguageListSelect();
  void DrawSubtitleSample();
  void SubtitleFontClick();

 protected:
  void DoShow() override;
  void Activate() override;
  void Paint() override;
  void DoClose(TCloseAction& Action) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;

 private:
  // config_dialog.cpp: the window and its pages.
  void CreateButtons();
  void CreatePages();
  TPanel* NewPage();
  void DragsDialog(TWinControl& Area);
  void CreateGeneralPage();
  void CreateFileTypesPage();
  void CreateSubtitlePage();
  void CreateVideoPage();
  void CreateLanguagePage();
  TEdit* NewNumberField(TWinControl* Page, lc::tools::NumericField F, int X, int Y);
  // A page label: the text TextLabels[Text] at X, Y, kept clear of the
  // control that starts at Right (which moves right as the pages widen).
  struct TPageLabel {
    std::unique_ptr<TLabel> Label;
    int Text = 0;
    int Right = 0;
  };
  TLabel* NewLabel(TWinControl* Page, int Text, int X, int Y, int Right);
  // The pixels a label has before the control beside it.
  int LabelRoom(const TPageLabel& Label) const;
  void SetLabelText(TPageLabel& Label, const std::string& Text);
  void PlaceBottomButtons();
  void FitFont(TWinControl& Control, const std::vector<std::wstring>& Texts, int Room);
  void KeepOnPage(TPageButton& Button);
  // How a control follows the pages when they widen for longer texts.
  enum class TWiden { Stretch, MoveRight };
  void Widens(TWinControl& Control, TWiden How);
  // The width the pages need beyond their own for the present texts: every
  // line of a check list and every check box caption at the smallest font,
  // every label on one line, the File Types buttons side by side with the
  // extension list.
  int NeededExtraWidth();
  // Draws the dialog out by Extra pixels (the face, the pages and the
  // controls that follow them).
  void WidenPages(int Extra);
  // The File Types page: the buttons' column as wide as its widest button
  // at the page's right, the extension list left of it.
  void PlaceFileTypes();
  // A check box's caption cut at its width shows whole as the hint while
  // the mouse is over it.
  void CheckBoxMouseIn(TMyCheckBox& Box);
  TButton* NewButton(TWinControl* Page, const std::string& Text, int X, int Y, int W);
  // A skinned caption button centred on the place (X, Y, W wide).
  void NewPageButton(TWinControl* Page, int Text, int X, int Y, int W, std::function<void()> Action);
  void FillLanguages();
  void SetTexts();
  void Place();
  // config_dialog_controls.cpp: the controls filled and read, and the rules.
  lc::tools::ConfigControls ReadControls() const;
  void ShowControls(const lc::tools::ConfigControls& C);
  void ListClickCheck(void (*Rule)(lc::tools::ConfigControls&, int), TCheckListBox& List);
  void NumberFieldExit(lc::tools::NumericField F);
  void RunFocusedExit();
  void ExtensionKeyPress(wchar_t& Key);
  void FieldKeyPress(wchar_t& Key);
  void OsdColorClick();
  void ChooseFolder(TEdit& Edit, bool Capture);
  void SubtitleDirectoryExit();
  void ShowApplyMessages(bool WriteError, bool RegistryError);
  // config_dialog_sample.cpp
  void PaintSample();

  TSkinSurface FSurface;
  bool FSuspendChangeCheck = false;
  int FPageIndex = 0;
  std::wstring FTitle;
  TFontDialog FFontDialogTemp;
  TColorDialog FOsdColorDialog;
  TColor FOsdColor = 0;
  std::string FNoChange;  // the full-screen combo's first item
  std::unique_ptr<TVirtualButton> FCloseButton, FApplyButton, FDefaultButton, FCloseCaptionButton;
  std::unique_ptr<TTreeView> FNode;
  std::vector<std::unique_ptr<TPanel>> FPages;
  std::vector<std::unique_ptr<TWinControl>> FOwned;   // controls kept for their lifetime
  std::vector<TPageLabel> FLabels;
  struct TWidening {
    TWinControl* Control;
    TRect Designed;
    TWiden How;
  };
  std::vector<TWidening> FWidening;
  int FExtraWidth = 0;  // the pages' width beyond their own
  std::vector<std::pair<TPageButton*, int>> FPageButtons;  // with their caption's TextButtons entry
  std::unique_ptr<TPageControl> FGeneralTabs, FSubtitleTabs;
  std::unique_ptr<TCheckListBox> FGeneral, FAssocFile, FSubtitle1, FSubtitle2, FVideo;
  std::unique_ptr<TComboBox> FFullModeSwitch, FPriority, FCaptureFormat;
  std::unique_ptr<TMyCheckBox> FBossKey, FRegExtension, FSearchHereFirst;
  std::unique_ptr<THotKey> FHide, FShow;
  std::unique_ptr<TEdit> FExtensionName, FDirSub, FPathSaveCapture;
  std::vector<std::unique_ptr<TEdit>> FNumbers;  // by NumericField
  std::unique_ptr<TPanel> FSample, FOsdColorPanel;
  std::unique_ptr<TListBox> FLanguages;
  std::unique_ptr<TLabel> FTranslator;
};

// The open configuration dialog; nullptr while none exists.
extern TfrmConfig* frmConfig;
