// The media information window on the generated clips, and the shutdown
// countdown with its windows, its clock and the shutdown request, all
// without powering anything off; the windows are joined to the main window
// by the start-up's links.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>
#include <dvdmedia.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/tests/main_form_fixture.h"
#include "settings/file_io.h"
#include "settings/tests/language_files.h"
#include "settings/text_table.h"
#include "tests/support/process.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/media_info/media_detector.h"
#include "tools/shutdown.h"

namespace {

void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

std::string Utf8(const std::wstring& W) { return std::string(W.begin(), W.end()); }

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  if (frmMessage) frmMessage->Close();
}

class InfoWindow : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    // The player's thread is a COM apartment before any window exists.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
  }
  std::unique_ptr<TfrmInfo> Open(const char* Media) {
    auto Form = std::make_unique<TfrmInfo>(Utf8(lctest::MediaPath(Media)));
    Form->Show();
    Settle();
    return Form;
  }
  static std::wstring V(TfrmInfo& F, TfrmInfo::TRow R) { return F.Value(R).Caption(); }
};

TEST_F(InfoWindow, AviClipWithPcmSound) {
  auto F = Open("clip.avi");
  EXPECT_FALSE(InfoReadFailed);
  EXPECT_EQ(F.get(), frmInfo);
  EXPECT_EQ(L"3.000 sec.", V(*F, TfrmInfo::riTime));
  EXPECT_EQ(L"1", V(*F, TfrmInfo::riNrOfVideoStreams));
  EXPECT_EQ(L"320 x 240", V(*F, TfrmInfo::riResolution));
  EXPECT_EQ(L"25", V(*F, TfrmInfo::riFramesPerSecond));
  EXPECT_EQ(L"75", V(*F, TfrmInfo::riNrOfFrames));
  EXPECT_EQ(L"1", V(*F, TfrmInfo::riNrOfAudioStreams));
  EXPECT_EQ(L"Microsoft PCM", V(*F, TfrmInfo::riAudioCompression));
  EXPECT_EQ(L"1411.200", V(*F, TfrmInfo::riAverageAudioBitrate));
  EXPECT_EQ(L"44100", V(*F, TfrmInfo::riAudioSampleRate));
  EXPECT_EQ(L"Stereo", V(*F, TfrmInfo::riAudioChannels));
  EXPECT_FALSE(V(*F, TfrmInfo::riVideoCompression).empty());
  EXPECT_FALSE(V(*F, TfrmInfo::riAverageVideoBitrate).empty());
  EXPECT_EQ(L"Video compression", F->Caption(TfrmInfo::riVideoCompression).Caption());
  EXPECT_EQ(L"Audio channels", F->Caption(TfrmInfo::riAudioChannels).Caption());
  // The value column ends at x 425, at most 201 wide, and starts at least 8
  // pixels clear of every caption as the captions' own font draws them
  // (the widest are the "(Kbps)" ones).
  const TLabel& Res = F->Value(TfrmInfo::riResolution);
  EXPECT_EQ(425, Res.Left() + Res.Width());
  EXPECT_LE(Res.Width(), 201);
  for (int R = 0; R < TfrmInfo::riRowCount; ++R) {
    const TLabel& Caption = F->Caption(static_cast<TfrmInfo::TRow>(R));
    EXPECT_EQ(Caption.Width(), Caption.TextSize().cx) << R;
    EXPECT_LE(Caption.Left() + Caption.Width() + 8, F->Value(static_cast<TfrmInfo::TRow>(R)).Left()) << R;
  }
  F.reset();
  EXPECT_EQ(nullptr, frmInfo);
}

// The label's pixels as the window shows them.
std::vector<COLORREF> Pixels(TForm& Form, const TLabel& Label) {
  HDC Dc = GetDC(Form.Handle());
  std::vector<COLORREF> P;
  for (int Y = Label.Top(); Y < Label.Top() + Label.Height(); ++Y)
    for (int X = Label.Left(); X < Label.Left() + Label.Width(); ++X) P.push_back(GetPixel(Dc, X, Y));
  ReleaseDC(Form.Handle(), Dc);
  return P;
}

TEST_F(InfoWindow, ALongerLanguagesCaptionsStayClearOfTheValuesAndTheWindowWidensForThem) {
  lc::settings::GlobalTextTable() = lc::settings::testing::LongerTable();
  auto F = Open("clip.avi");
  EXPECT_EQ(L"Average video bitrate (Kbps)Averagexv", F->Caption(TfrmInfo::riAverageVideoBitrate).Caption());
  // The window is drawn out beyond its face's 440 pixels so that the values
  // keep the room they have in English (at least 153 pixels); the column
  // ends 15 pixels from the right edge.
  EXPECT_GT(F->ClientWidth(), 440);
  for (int R = 0; R < TfrmInfo::riRowCount; ++R) {
    const TLabel& Caption = F->Caption(static_cast<TfrmInfo::TRow>(R));
    const TLabel& Value = F->Value(static_cast<TfrmInfo::TRow>(R));
    EXPECT_LE(Caption.Left() + Caption.TextSize().cx + 8, Value.Left()) << R;
    EXPECT_EQ(F->ClientWidth() - 15, Value.Left() + Value.Width()) << R;
    EXPECT_GE(Value.Width(), 153) << R;
  }
  F.reset();
  lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
}

TEST_F(InfoWindow, OnARightToLeftSystemOnlyTheCodecNameReadsRightToLeft) {
  const bool WasRightToLeft = Application.RightToLeftSystem;
  auto F = Open("clip.avi");
  TLabel& Codec = F->Value(TfrmInfo::riVideoCompression);
  TLabel& Audio = F->Value(TfrmInfo::riAudioCompression);
  auto Look = [&](TLabel& L, bool RightToLeft) {
    Application.RightToLeftSystem = RightToLeft;
    L.Invalidate();
    Settle();
    return Pixels(*F, L);
  };
  // A Hebrew word before a Latin name: read right to left, the word moves
  // to the right of the name.
  const std::wstring Mixed = L"\x05D0\x05D1\x05D2 DivX 5";
  Codec.SetCaption(Mixed);
  Audio.SetCaption(Mixed);
  const auto CodecLeftToRight = Look(Codec, false);
  const auto AudioLeftToRight = Look(Audio, false);
  const auto CodecRightToLeft = Look(Codec, true);
  EXPECT_NE(CodecLeftToRight, CodecRightToLeft);
  EXPECT_EQ(AudioLeftToRight, Look(Audio, true));
  // The alignment stays: the text still begins at the column's left edge.
  int FirstLit = Codec.Width();
  for (std::size_t I = 0; I < CodecRightToLeft.size(); ++I)
    if (CodecRightToLeft[I] != 0) FirstLit = std::min(FirstLit, int(I % Codec.Width()));
  EXPECT_LT(FirstLit, 4);
  EXPECT_EQ(TAlignment::taLeftJustify, Codec.Alignment);
  Application.RightToLeftSystem = WasRightToLeft;
}

TEST_F(InfoWindow, AValueWiderThanItsColumnHasItAsHint) {
  auto F = std::make_unique<TfrmInfo>(Utf8(lctest::MediaPath("clip.avi")));
  const std::wstring Long = L"Microsoft Corporation, a codec name far too long for the column";
  F->Value(TfrmInfo::riVideoCompression).SetCaption(Long);
  F->Show();
  Settle();
  const TLabel& Codec = F->Value(TfrmInfo::riVideoCompression);
  EXPECT_EQ(Long, F->ValueHint(TfrmInfo::riVideoCompression));
  EXPECT_EQ(L"", F->ValueHint(TfrmInfo::riResolution));
  // The column grew to its limit and still ends at x 425.
  EXPECT_LE(Codec.Width(), 201);
  EXPECT_EQ(425, Codec.Left() + Codec.Width());
  EXPECT_EQ(Codec.Width(), F->Value(TfrmInfo::riResolution).Width());
}

TEST_F(InfoWindow, SoundOnlyFileCountsNoVideo) {
  auto F = Open("tone.wav");
  EXPECT_EQ(L"2.000 sec.", V(*F, TfrmInfo::riTime));
  EXPECT_EQ(L"0", V(*F, TfrmInfo::riNrOfVideoStreams));
  EXPECT_EQ(L"1", V(*F, TfrmInfo::riNrOfAudioStreams));
  EXPECT_EQ(L"", V(*F, TfrmInfo::riResolution));
  EXPECT_EQ(L"", V(*F, TfrmInfo::riAverageVideoBitrate));
  EXPECT_EQ(L"Stereo", V(*F, TfrmInfo::riAudioChannels));
}

TEST_F(InfoWindow, Mp4ClipAndKeysThatClose) {
  auto F = Open("clip.mp4");
  EXPECT_EQ(L"320 x 240", V(*F, TfrmInfo::riResolution));
  EXPECT_EQ(L"75", V(*F, TfrmInfo::riNrOfFrames));
  EXPECT_EQ(L"44100", V(*F, TfrmInfo::riAudioSampleRate));
  PostMessageW(F->Handle(), WM_CHAR, 27, 0);
  Settle();
  EXPECT_FALSE(F->Visible());
}

TEST_F(InfoWindow, AFileThatCannotBeReadIsReportedAndNotShown) {
  // The message box is closed as soon as it is up.
  const UINT_PTR Timer = SetTimer(nullptr, 0, 50, CloseMessageBox);
  auto Window = CreateInfoWindow("Z:\\no\\such\\movie.avi");
  KillTimer(nullptr, Timer);
  EXPECT_EQ(nullptr, Window);
  EXPECT_FALSE(InfoReadFailed);
  EXPECT_EQ(nullptr, frmInfo);
}

// Closes the message box as soon as it is up and keeps its text.
std::wstring LastMessage;
void CALLBACK KeepAndCloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  if (!frmMessage) return;
  LastMessage = frmMessage->Text();
  frmMessage->Close();
}

TEST_F(InfoWindow, AFileTheDetectorCannotReadGivesTheReadingMessage) {
  const std::string Garbage = folder.File("garbage.avi");
  lc::settings::testing::WriteBytes(Garbage, std::string(4096, 'U'));
  LastMessage.clear();
  const UINT_PTR Timer = SetTimer(nullptr, 0, 50, KeepAndCloseMessageBox);
  auto Window = CreateInfoWindow(Garbage);
  KillTimer(nullptr, Timer);
  EXPECT_EQ(nullptr, Window);
  EXPECT_EQ(L"Error while reading video info from \"" + Utf8ToWide(Garbage) + L"\"!", LastMessage);
}

// The detector runs on a thread of its own: one that is stuck is not
// waited for longer than the time given, and what it writes later lands in
// what it owns.
TEST(DetectorThread, AReadingThatIsStuckIsGivenUpAfterItsTime) {
  const HANDLE Release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  auto Written = std::make_shared<int>(0);
  EXPECT_FALSE(lc::tools::RunWithinTime(
      [Release, Written] {
        WaitForSingleObject(Release, INFINITE);
        *Written = 7;
      },
      50));
  EXPECT_EQ(0, *Written);
  SetEvent(Release);
  auto Done = std::make_shared<int>(0);
  EXPECT_TRUE(lc::tools::RunWithinTime([Done] { *Done = 3; }, 30000));
  EXPECT_EQ(3, *Done);
  // The reading the thread finished on its own, without a waiter.
  for (int I = 0; I < 500 && *Written != 7; ++I) Sleep(10);
  EXPECT_EQ(7, *Written);
  CloseHandle(Release);
}

TEST(MediaTypes, ShortFormatBlocksAreNotRead) {
  VIDEOINFOHEADER Video{};
  Video.AvgTimePerFrame = 400000;
  Video.bmiHeader.biWidth = 640;
  AM_MEDIA_TYPE Mt{};
  Mt.formattype = FORMAT_VideoInfo;
  Mt.pbFormat = reinterpret_cast<BYTE*>(&Video);
  Mt.cbFormat = sizeof Video;
  ASSERT_TRUE(lc::tools::VideoFormatOf(Mt).has_value());
  EXPECT_EQ(640, lc::tools::VideoFormatOf(Mt)->Width);
  Mt.cbFormat = sizeof Video - 1;
  EXPECT_FALSE(lc::tools::VideoFormatOf(Mt).has_value());
  Mt.formattype = FORMAT_WaveFormatEx;
  Mt.cbFormat = 15;
  EXPECT_FALSE(lc::tools::AudioFormatOf(Mt).has_value());
  Mt.cbFormat = 0;
  Mt.formattype = FORMAT_VideoInfo;
  EXPECT_FALSE(lc::tools::VideoFormatOf(Mt).has_value());
}

// Each video block type read from its own header layout; the second
// layout's fields lie further on, so a block read as the first gives other
// values.
TEST(MediaTypes, EveryVideoBlockTypeIsRead) {
  struct Blocks {
    MPEG1VIDEOINFO Mpeg1{};
    MPEG2VIDEOINFO Mpeg2{};
  } B;
  B.Mpeg1.hdr.AvgTimePerFrame = 333667;
  B.Mpeg1.hdr.bmiHeader.biWidth = 352;
  B.Mpeg1.hdr.bmiHeader.biHeight = 288;
  B.Mpeg1.hdr.bmiHeader.biCompression = 0x3247504D;  // MPG2
  B.Mpeg2.hdr.AvgTimePerFrame = 400000;
  B.Mpeg2.hdr.bmiHeader.biWidth = 720;
  B.Mpeg2.hdr.bmiHeader.biHeight = -576;
  B.Mpeg2.hdr.bmiHeader.biBitCount = 12;
  B.Mpeg2.hdr.bmiHeader.biCompression = 0x32315659;  // YV12
  const struct {
    const GUID* Type;
    void* Block;
    ULONG Size;
    std::int64_t Frame;
    int Width, Height, Bits;
    std::uint32_t Code;
  } Cases[] = {
      {&FORMAT_VideoInfo, &B.Mpeg1.hdr, sizeof(VIDEOINFOHEADER), 333667, 352, 288, 0, 0x3247504D},
      {&FORMAT_MPEGVideo, &B.Mpeg1, sizeof(MPEG1VIDEOINFO), 333667, 352, 288, 0, 0x3247504D},
      {&FORMAT_VideoInfo2, &B.Mpeg2.hdr, sizeof(VIDEOINFOHEADER2), 400000, 720, -576, 12, 0x32315659},
      {&FORMAT_MPEG2Video, &B.Mpeg2, sizeof(MPEG2VIDEOINFO), 400000, 720, -576, 12, 0x32315659},
  };
  for (const auto& C : Cases) {
    AM_MEDIA_TYPE Mt{};
    Mt.formattype = *C.Type;
    Mt.pbFormat = static_cast<BYTE*>(C.Block);
    Mt.cbFormat = C.Size;
    const auto F = lc::tools::VideoFormatOf(Mt);
    ASSERT_TRUE(F.has_value()) << C.Size;
    EXPECT_EQ(C.Frame, F->AvgTimePerFrame) << C.Size;
    EXPECT_EQ(C.Width, F->Width) << C.Size;
    EXPECT_EQ(C.Height, F->Height) << C.Size;
    EXPECT_EQ(C.Bits, F->BitCount) << C.Size;
    EXPECT_EQ(C.Code, F->Compression) << C.Size;
    EXPECT_FALSE(lc::tools::AudioFormatOf(Mt).has_value()) << C.Size;
  }
}

TEST(MediaTypes, ClearMediaTypeFreesAndZeroes) {
  AM_MEDIA_TYPE Mt{};
  Mt.majortype = MEDIATYPE_Video;
  Mt.cbFormat = 88;
  Mt.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(88));
  lc::tools::ClearMediaType(Mt);
  EXPECT_EQ(nullptr, Mt.pbFormat);
  EXPECT_EQ(0u, Mt.cbFormat);
  EXPECT_TRUE(Mt.majortype == GUID_NULL);
  EXPECT_EQ(-1, lc::tools::GetFileSize64(L"Z:\\no\\such\\file"));
}

// ---- shutdown -------------------------------------------------------------------------------

class TRecordingShutdownApi : public TShutdownApi {
 public:
  bool OpenProcessToken() override { return Calls.push_back("open"), TokenOk; }
  bool LookupShutdownPrivilege() override { return Calls.push_back("lookup"), LookupOk; }
  bool EnableShutdownPrivilege() override { return Calls.push_back("enable"), EnableOk; }
  bool RequestExit(unsigned Flags) override {
    ExitFlags.push_back(Flags);
    return ExitOk;
  }
  void CloseToken() override { Calls.push_back("close"); }
  bool TokenOk = true, LookupOk = true, EnableOk = true, ExitOk = true;
  std::vector<std::string> Calls;
  std::vector<unsigned> ExitFlags;
};

TEST(ShutdownRequest, PowersOffPolitelyWithThePrivilege) {
  TRecordingShutdownApi Api;
  EXPECT_TRUE(ShutdownComputer(Api));
  EXPECT_EQ((std::vector<std::string>{"open", "lookup", "enable", "close"}), Api.Calls);
  // EWX_POWEROFF | EWX_FORCEIFHUNG: programs that answer are not forced.
  EXPECT_EQ(std::vector<unsigned>{0x18}, Api.ExitFlags);
}

TEST(ShutdownRequest, WithoutATokenItShutsDown) {
  TRecordingShutdownApi Api;
  Api.TokenOk = false;
  Api.ExitOk = false;
  EXPECT_FALSE(ShutdownComputer(Api));
  // EWX_SHUTDOWN | EWX_FORCEIFHUNG.
  EXPECT_EQ(std::vector<unsigned>{0x11}, Api.ExitFlags);
}

TEST(ShutdownRequest, NoPrivilegeNoRequest) {
  TRecordingShutdownApi Lookup;
  Lookup.LookupOk = false;
  EXPECT_FALSE(ShutdownComputer(Lookup));
  EXPECT_TRUE(Lookup.ExitFlags.empty());
  TRecordingShutdownApi Enable;
  Enable.EnableOk = false;
  EXPECT_FALSE(ShutdownComputer(Enable));
  EXPECT_TRUE(Enable.ExitFlags.empty());
}

// The countdown's calls to the platform, recorded: the real request would
// turn the machine off.
class TRecordingShutdownCalls : public TShutdownCalls {
 public:
  bool Shutdown() override { return ++Shutdowns, Accepted; }
  void Report(const std::wstring& Text) override { Reports.push_back(Text); }
  void Terminate() override { ++Terminated; }
  std::uint64_t Clock() override { return Now; }
  std::uint64_t Now = 1000000;
  int Shutdowns = 0, Terminated = 0;
  bool Accepted = false;
  std::vector<std::wstring> Reports;
};

// The words of the countdown's caption, its line breaks (the text table's
// and those the face's width makes) read as blanks.
std::wstring Words(std::wstring Caption) {
  for (std::size_t At = Caption.find(L"\r\n"); At != std::wstring::npos; At = Caption.find(L"\r\n", At))
    Caption.replace(At, 2, L" ");
  return Caption;
}

// The main window with four stand-ins for its satellites: the five windows
// the countdown disables.
class Countdown : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
    ShutdownFailed = false;
    for (auto& W : Satellites) {
      W = std::make_unique<TForm>();
      W->SetBounds(10, 10, 100, 100);
      W->Show();
    }
    form->Satellites = {Satellites[0].get(), Satellites[1].get(), Satellites[2].get(), Satellites[3].get()};
    form->Show();
    Self = this;
  }
  void TearDown() override {
    form->Satellites = {};
    lc::Program().PlayerClosing = false;
    MainWindowTest::TearDown();
  }

  // Runs the countdown; Step runs on every pass of its loop (50 ms timer).
  void Run(std::function<void()> Step) {
    OnStep = std::move(Step);
    const UINT_PTR Timer = SetTimer(nullptr, 0, 50, Tick);
    ShutdownCountdown(Calls);
    KillTimer(nullptr, Timer);
  }
  int EnabledCount() {
    int N = form->Enabled() ? 1 : 0;
    for (auto& W : Satellites) N += W->Enabled() ? 1 : 0;
    return N;
  }
  // The player was closed through its close handler: the settings file
  // is written.
  bool PlayerClosed() { return lc::Program().PlayerClosing && lc::settings::FileExists(folder.File("LcFormTest.ini")); }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { Self->OnStep(); }
  static Countdown* Self;
  std::unique_ptr<TForm> Satellites[4];
  TRecordingShutdownCalls Calls;
  std::function<void()> OnStep;
};
Countdown* Countdown::Self = nullptr;

TEST_F(Countdown, CancelledByItsButtonOrByEscape) {
  for (int Way = 0; Way < 2; ++Way) {
    int DisabledDuring = -1;
    Run([&] {
      if (!frmShutDown || !frmShutDown->Visible()) return;
      DisabledDuring = 5 - EnabledCount();
      EXPECT_EQ(L"The computer will be shutdown in 30 secondes", Words(frmShutDown->TextLabel().Caption()));
      if (Way == 0) {
        const TRect R = frmShutDown->CancelButton().Rect();
        const LPARAM At = MAKELPARAM(R.Left + 5, R.Top + 5);
        PostMessageW(frmShutDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
        PostMessageW(frmShutDown->Handle(), WM_LBUTTONUP, 0, At);
      } else {
        PostMessageW(frmShutDown->Handle(), WM_CHAR, 27, 0);
      }
    });
    EXPECT_EQ(5, DisabledDuring) << Way;
    EXPECT_EQ(5, EnabledCount()) << Way;
    EXPECT_EQ(nullptr, frmShutDown);
  }
  EXPECT_FALSE(PlayerClosed());
  EXPECT_EQ(0, Calls.Shutdowns);
  EXPECT_FALSE(ShutdownFailed);
}

TEST_F(Countdown, TheTextStaysInsideTheWindowAboveCancelInEitherLanguage) {
  for (const bool Longer : {false, true}) {
    if (Longer) lc::settings::GlobalTextTable() = lc::settings::testing::LongerTable();
    TRect Text, Cancel;
    int Width = 0, Size = 0;
    Run([&] {
      if (!frmShutDown || !frmShutDown->Visible()) return;
      const TLabel& L = frmShutDown->TextLabel();
      Text = L.BoundsRect();
      // The label is as wide as its widest line in its font.
      Width = L.TextSize().cx;
      Size = L.Font().Size();
      Cancel = frmShutDown->CancelButton().Rect();
      PostMessageW(frmShutDown->Handle(), WM_CHAR, 27, 0);
    });
    EXPECT_EQ(Width, Text.Width()) << Longer;
    EXPECT_GE(Text.Left, 6) << Longer;
    EXPECT_LE(Text.Right, 250 - 6) << Longer;
    // A text too wide for the face takes a third line and rises towards the
    // title (written at 5,5) instead of shrinking.
    EXPECT_EQ(12, Size) << Longer;
    EXPECT_LE(Text.Top, 46) << Longer;
    EXPECT_GE(Text.Top, 24) << Longer;
    EXPECT_LE(Text.Bottom + 6, Cancel.Top) << Longer;
  }
}

TEST_F(Countdown, AnOpenToolWindowIsTheOnlyOneDisabled) {
  auto Jump = std::make_unique<TfrmJump>(form->DialogLink());
  bool JumpDisabled = false;
  int StartUpEnabled = 0;
  Run([&] {
    if (!frmShutDown || !frmShutDown->Visible()) return;
    JumpDisabled = !Jump->Enabled();
    StartUpEnabled = EnabledCount();
    PostMessageW(frmShutDown->Handle(), WM_CHAR, 13, 0);
  });
  EXPECT_TRUE(JumpDisabled);
  EXPECT_EQ(5, StartUpEnabled);
  EXPECT_TRUE(Jump->Enabled());
}

TEST_F(Countdown, TheCaptionFollowsTheClockAndThirtySecondsShutDown) {
  std::vector<std::wstring> Captions;
  Run([&] {
    if (!frmShutDown) return;
    const std::wstring& C = frmShutDown->TextLabel().Caption();
    if (Captions.empty() || Captions.back() != C) Captions.push_back(C);
    // A slow loop: the clock moves on by 7.5 s per pass.
    Calls.Now += 7500;
  });
  ASSERT_GE(Captions.size(), 3u);
  EXPECT_EQ(L"The computer will be shutdown in 30 secondes", Words(Captions[0]));
  // Numbers are skipped, not stretched.
  EXPECT_LT(Captions.size(), 6u);
  EXPECT_EQ(std::wstring::npos, Words(Captions[1]).find(L"in 29 secondes"));
  EXPECT_TRUE(PlayerClosed());
  EXPECT_EQ(1, Calls.Shutdowns);
  // Refused: reported once and the program asked to end.
  EXPECT_TRUE(ShutdownFailed);
  ASSERT_EQ(1u, Calls.Reports.size());
  EXPECT_EQ(L"Unable to shutdown the computer!", Calls.Reports[0]);
  EXPECT_EQ(1, Calls.Terminated);
  EXPECT_EQ(5, EnabledCount());
}

// The refusal is shown while the program still runs: the countdown ran the
// main window's close handler (everything saved) but did not close the
// window, which would end the program's message loop and the box's with it.
TEST_F(Countdown, ARefusedShutdownSavesThroughTheCloseHandlerAndKeepsTheWindowForTheMessage) {
  int WindowCloses = 0;
  form->OnClose = [&](TComponent*, TCloseAction&) { ++WindowCloses; };
  Run([&] { Calls.Now += 31000; });
  EXPECT_TRUE(PlayerClosed());
  EXPECT_EQ(0, WindowCloses);
  ASSERT_EQ(1u, Calls.Reports.size());
  EXPECT_EQ(1, Calls.Terminated);
}

TEST_F(Countdown, AnAcceptedShutdownReturnsAtOnce) {
  Calls.Accepted = true;
  Run([&] { Calls.Now += 31000; });
  EXPECT_EQ(1, Calls.Shutdowns);
  EXPECT_FALSE(ShutdownFailed);
  EXPECT_TRUE(Calls.Reports.empty());
  EXPECT_EQ(0, Calls.Terminated);
}

}  // namespace
