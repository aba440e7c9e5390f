// What the running program shows, for the whole-program tests: the main
// window's volume bar, mute switch, labels and menu ticks, the message box
// on show, the graph's volume, the colour and equalizer sliders, the playlist's switches, list
// font and selected line, the bookmarks and the video control's subtitle
// font and colours. Windows the tests can read from outside (places, sizes,
// visibility) are not repeated here.
#include "tests/support/face_answer.h"

#include <string>

#include <windows.h>

#include "framework/menus.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/program_state.h"
#include "tools/color/color_control_window.h"
#include "tools/equalizer/equalizer_window.h"

namespace {

void Line(std::string& Text, const char* Name, const std::string& Value) {
  Text += std::string(Name) + "=" + Value + "\n";
}
void Line(std::string& Text, const char* Name, long long Value) { Line(Text, Name, std::to_string(Value)); }

void MainFace(TfrmMain& F, std::string& Text) {
  Line(Text, "Opening", lc::Program().OpeningMovie);
  Line(Text, "VolumeBar", F.VolumeBar->Position());
  Line(Text, "SoundOn", F.MuteFlip->State());
  Line(Text, "RepeatLabel", WideToUtf8(F.RepeatLabel->Caption()));
  Line(Text, "TimesLabel", WideToUtf8(F.MovieTimesLabel->Caption()));
  Line(Text, "DynamicAmplificationTick", F.MenuItem(L"DynamicAmplificationMenu")->Checked());
  std::string Marks;
  for (const std::string& Caption : F.BookmarkCaptions()) Marks += (Marks.empty() ? "" : "|") + Caption;
  Line(Text, "Bookmarks", Marks);
  // The text of the message box on show, its line breaks (CR LF) as "|".
  std::string Box;
  if (frmMessage)
    for (char C : WideToUtf8(frmMessage->Text()))
      if (C != '\r') Box += C == '\n' ? '|' : C;
  Line(Text, "MessageBox", Box);
  // Its lines as the box wrapped them, joined by "|".
  std::string Wrapped;
  if (frmMessage)
    for (const std::wstring& L : frmMessage->Layout().Lines) {
      if (!Wrapped.empty()) Wrapped += '|';
      Wrapped += WideToUtf8(L);
    }
  Line(Text, "MessageBoxLines", Wrapped);
}

void VideoFace(std::string& Text) {
  if (!frmVideoWindow) return;
  Line(Text, "GraphVolume", frmVideoWindow->FilterGraph.Volume());
  Line(Text, "DynamicAmplifier", frmVideoWindow->AudioChain.DspDynamicAmplify.Enabled());
  const TFont& Font = frmVideoWindow->VideoWindow->Font;
  Line(Text, "SubtitleFont", WideToUtf8(Font.Name()));
  Line(Text, "SubtitleColor", static_cast<long long>(Font.Color()));
  Line(Text, "SubtitleStyle", static_cast<long long>(Font.Style()));
  if (TColorControl* Colors = frmVideoWindow->VideoWindow->ColorControl())
    Line(Text, "PictureBrightness", Colors->Brightness());
}

void ToolFaces(std::string& Text) {
  if (frmColorControl) {
    const lc::tools::TColorPanel& P = frmColorControl->Panel();
    Line(Text, "Brightness", P.Position(lc::tools::csBrightness));
    Line(Text, "Contrast", P.Position(lc::tools::csContrast));
    Line(Text, "Hue", P.Position(lc::tools::csHue));
    Line(Text, "Saturation", P.Position(lc::tools::csSaturation));
  }
  if (frmEqualizer) {
    std::string Values;
    for (int V : frmEqualizer->Panel().Positions()) {
      if (!Values.empty()) Values += ',';
      Values += std::to_string(V);
    }
    Line(Text, "Equalizer", Values);
  }
  if (frmPlayList) {
    Line(Text, "PlaylistFont", frmPlayList->ListVideo.Font.Size());
    Line(Text, "PlaylistSelected", frmPlayList->ListVideo.ItemIndex());
    Line(Text, "SubtitleList", frmPlayList->ListSub.Visible());
    Line(Text, "SubtitleToggle", frmPlayList->SubtitleToggleOn());
    Line(Text, "AddSubtitle", frmPlayList->AddSubtitleEnabled());
    Line(Text, "PreviousLatch", frmPlayList->PreviousSettingsDown());
    Line(Text, "ShuffleLatch", frmPlayList->ShuffleDown());
  }
}

}  // namespace

bool AnswerFaceQuery(TfrmMain& Form, TMessage& Message) {
  if (Message.Msg != WM_QUERYFACE) return false;
  std::string Text;
  MainFace(Form, Text);
  VideoFace(Text);
  ToolFaces(Text);
  HWND Requester = reinterpret_cast<HWND>(Message.WParam);
  COPYDATASTRUCT Reply{kFaceReply, static_cast<DWORD>(Text.size()), Text.data()};
  if (Requester && IsWindow(Requester))
    SendMessageW(Requester, WM_COPYDATA, reinterpret_cast<WPARAM>(Form.Handle()), reinterpret_cast<LPARAM>(&Reply));
  Message.Result = 1;
  return true;
}
