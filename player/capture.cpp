// Frame capture: the frame at the playback position, as the video control
// received it from the decoder (no picture setting of the player applied),
// saved as "CaptureNNNN" in BMP, JPEG or PNG. A name that is taken is
// skipped and an existing file is never written over; a frame that cannot
// be had or saved is reported. A movie without a picture captures nothing
// and says nothing.
#include <shlobj.h>

#include "engine/graph/video_surface.h"
#include "framework/unicode.h"
#include "player/capture_rules.h"
#include "player/image_encoders.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/file_io.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

namespace {

// The frame of the video control's own renderer; with another renderer,
// its current image, asked of the renderer itself (the graph's video
// interfaces wait behind a stop under way).
bool GrabFrame(TfrmVideoWindow& Video, lc::RgbImage& Image) {
  if (Video.VideoWindow->OwnRendererInUse())
    return Video.VideoWindow->Surface().CopyCurrentFrame(Image.Pixels, Image.Width, Image.Height);
  IBasicVideo* Basic = nullptr;
  if (FAILED(Video.VideoWindow->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&Basic)))) return false;
  bool Done = false;
  long Size = 0;
  // A picture of up to 8192 x 8192 at 32 bits with its header.
  constexpr long kMaxBytes = 8192L * 8192L * 4L + 1024L;
  if (SUCCEEDED(Basic->GetCurrentImage(&Size, nullptr)) && Size > 0 && Size <= kMaxBytes) {
    std::vector<long> Buffer((static_cast<std::size_t>(Size) + sizeof(long) - 1) / sizeof(long));
    long Given = Size;
    Done = SUCCEEDED(Basic->GetCurrentImage(&Given, Buffer.data())) && Given > 0 && Given <= Size &&
           lc::ImageFromPackedDib(Buffer.data(), static_cast<std::size_t>(Given), Image);
  }
  Basic->Release();
  return Done;
}

// The graph shows a picture: its render found a video with a size. A
// movie of sound only has none, and there is nothing to capture.
bool GraphHasPicture(const TFilterGraph& Graph) {
  return Graph.RenderedVideo().Width > 0 && Graph.RenderedVideo().Height > 0;
}

enum class WriteResult { Written, Taken, Failed };

// Creates the file (never replacing one) and writes Bytes into it; a file
// that could not be written whole is removed again.
WriteResult WriteNewFile(const std::string& Path, const std::string& Bytes) {
  HANDLE File = CreateFileW(Utf8ToWide(Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE)
    return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS ? WriteResult::Taken
                                                                                          : WriteResult::Failed;
  DWORD Written = 0;
  const bool Ok = WriteFile(File, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr) &&
                  Written == Bytes.size();
  CloseHandle(File);
  if (!Ok) DeleteFileW(Utf8ToWide(Path).c_str());
  return Ok ? WriteResult::Written : WriteResult::Failed;
}

std::string DesktopFolder() {
  wchar_t Path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, Path))) return {};
  return WideToUtf8(Path);
}

}  // namespace

void TfrmMain::CaptureFrameMenuClick() {
  lc::ProgramState& P = lc::Program();
  if (!frmVideoWindow || !Commands().GraphActive() || P.BusyFlag) return;
  lc::BusyScope Busy;
  if (!GraphHasPicture(frmVideoWindow->FilterGraph)) return;
  const auto& Texts = lc::settings::GlobalTextTable();
  lc::RgbImage Frame;
  std::string Bytes;
  const int Type = P.Settings.CaptureType;
  if (!GrabFrame(*frmVideoWindow, Frame) || !lc::EncodeCaptureImage(Frame, Type, Bytes)) {
    ShowReport(Texts.TextMessages[61]);
    return;
  }
  const std::string Folder =
      lc::CaptureFolderFor(P.Settings.CaptureFolder, DesktopFolder(), CurrentMovieFile,
                           [](const std::string& F) { return lc::settings::FolderExists(F); });
  const auto Taken = [](const std::string& F) { return lc::settings::FileExists(F); };
  for (;;) {
    const std::string Name = lc::NextFreeCaptureName(CaptureCounter, Folder, Type, Taken);
    const WriteResult Result = Name.empty() ? WriteResult::Failed : WriteNewFile(Name, Bytes);
    if (Result == WriteResult::Taken) continue;  // made meanwhile by someone else
    if (Result == WriteResult::Failed) {
      ShowReport(Texts.TextMessages[61]);
      return;
    }
    const std::string Shown = Name.substr(Name.find_last_of('\\') + 1);
    Commands().ShowOSD(Utf8ToWide(Shown + " " + Texts.TextMessages[62]));
    return;
  }
}
