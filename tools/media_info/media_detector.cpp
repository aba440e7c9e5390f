#include "tools/media_info/media_detector.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <windows.h>
#include <dvdmedia.h>
#include <qedit.h>

#include "framework/ole_automation.h"

namespace lc::tools {

namespace {

// The media detector, released on every path.
class TDetector {
 public:
  TDetector() {
    if (FAILED(CoCreateInstance(CLSID_MediaDet, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IMediaDet, reinterpret_cast<void**>(&FDet))))
      FDet = nullptr;
  }
  ~TDetector() {
    if (FDet) FDet->Release();
  }
  TDetector(const TDetector&) = delete;
  TDetector& operator=(const TDetector&) = delete;
  IMediaDet* operator->() const { return FDet; }
  explicit operator bool() const { return FDet != nullptr; }

 private:
  IMediaDet* FDet = nullptr;
};

// The bitmap header and frame time of a video block whose layout starts
// with Header.
template <typename Header>
std::optional<TVideoStreamFormat> VideoHeader(const AM_MEDIA_TYPE& Mt) {
  if (Mt.cbFormat < sizeof(Header)) return std::nullopt;
  const Header& H = *reinterpret_cast<const Header*>(Mt.pbFormat);
  TVideoStreamFormat F;
  F.AvgTimePerFrame = H.AvgTimePerFrame;
  F.Width = H.bmiHeader.biWidth;
  F.Height = H.bmiHeader.biHeight;
  F.BitCount = H.bmiHeader.biBitCount;
  F.Compression = H.bmiHeader.biCompression;
  return F;
}

bool HasBlock(const AM_MEDIA_TYPE& Mt) { return Mt.cbFormat != 0 && Mt.pbFormat != nullptr; }

// The detector given FileName; false when it cannot open it.
bool Open(TDetector& Det, const std::wstring& FileName) {
  if (!Det) return false;
  BSTR Name = late::SysAllocString(FileName.c_str());
  const HRESULT Opened = Det->put_Filename(Name);
  late::SysFreeString(Name);
  return SUCCEEDED(Opened);
}

}  // namespace

void ClearMediaType(AM_MEDIA_TYPE& Mt) {
  if (Mt.cbFormat != 0) CoTaskMemFree(Mt.pbFormat);
  if (Mt.pUnk) Mt.pUnk->Release();
  Mt = AM_MEDIA_TYPE{};
}

std::int64_t GetFileSize64(const std::wstring& Name) {
  WIN32_FIND_DATAW Data;
  const HANDLE Find = FindFirstFileW(Name.c_str(), &Data);
  if (Find == INVALID_HANDLE_VALUE) return -1;
  FindClose(Find);
  return static_cast<std::int64_t>(Data.nFileSizeHigh) * 4294967296LL + Data.nFileSizeLow;
}

std::optional<TVideoStreamFormat> VideoFormatOf(const AM_MEDIA_TYPE& Mt) {
  if (!HasBlock(Mt)) return std::nullopt;
  // The MPEG blocks begin with the plain headers.
  if (Mt.formattype == FORMAT_VideoInfo || Mt.formattype == FORMAT_MPEGVideo)
    return VideoHeader<VIDEOINFOHEADER>(Mt);
  if (Mt.formattype == FORMAT_VideoInfo2 || Mt.formattype == FORMAT_MPEG2Video)
    return VideoHeader<VIDEOINFOHEADER2>(Mt);
  return std::nullopt;
}

std::optional<TAudioStreamFormat> AudioFormatOf(const AM_MEDIA_TYPE& Mt) {
  if (!HasBlock(Mt) || Mt.formattype != FORMAT_WaveFormatEx) return std::nullopt;
  // The 16-byte PCM block lacks cbSize, which is not read.
  if (Mt.cbFormat < offsetof(WAVEFORMATEX, cbSize)) return std::nullopt;
  const WAVEFORMATEX& W = *reinterpret_cast<const WAVEFORMATEX*>(Mt.pbFormat);
  return TAudioStreamFormat{W.wFormatTag, W.nChannels, W.nSamplesPerSec, W.nAvgBytesPerSec};
}

bool ReadMediaInfo(const std::wstring& FileName, TMediaInfoBuilder& Info) {
  TDetector Det;
  if (!Open(Det, FileName)) return false;
  long Count = 0;
  if (FAILED(Det->get_OutputStreams(&Count)) || Count <= 0) {
    Info.Finish(GetFileSize64(FileName));
    return true;
  }
  double Length = 0;
  const bool LengthRead = SUCCEEDED(Det->put_CurrentStream(0)) && SUCCEEDED(Det->get_StreamLength(&Length));
  Info.SetLength(LengthRead ? std::optional<double>(Length) : std::nullopt);
  for (long I = 0; I < Count; ++I) {
    AM_MEDIA_TYPE Mt{};
    if (SUCCEEDED(Det->put_CurrentStream(I)) && SUCCEEDED(Det->get_StreamMediaType(&Mt))) {
      if (const auto Video = VideoFormatOf(Mt))
        Info.AddVideo(*Video);
      else if (const auto Audio = AudioFormatOf(Mt))
        Info.AddAudio(*Audio);
    }
    ClearMediaType(Mt);
  }
  Info.Finish(GetFileSize64(FileName));
  return true;
}

bool RunWithinTime(std::function<void()> Work, int Milliseconds) {
  struct Answer {
    std::mutex Lock;
    std::condition_variable Ready;
    bool Done = false;
  };
  auto Shared = std::make_shared<Answer>();
  std::thread([Shared, Work = std::move(Work)] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    try {
      Work();
    } catch (...) {
      // A failure reads as no answer's content; the caller sees what Work
      // wrote before it.
    }
    CoUninitialize();
    std::lock_guard<std::mutex> Hold(Shared->Lock);
    Shared->Done = true;
    Shared->Ready.notify_one();
  }).detach();
  std::unique_lock<std::mutex> Hold(Shared->Lock);
  return Shared->Ready.wait_for(Hold, std::chrono::milliseconds(Milliseconds), [&] { return Shared->Done; });
}

bool ReadMediaInfoWithin(const std::wstring& FileName, TMediaInfoBuilder& Info, int Milliseconds) {
  struct Reading {
    TMediaInfoBuilder Info;
    bool Read = false;
  };
  auto Shared = std::make_shared<Reading>(Reading{Info});
  if (!RunWithinTime([Shared, FileName] { Shared->Read = ReadMediaInfo(FileName, Shared->Info); }, Milliseconds) ||
      !Shared->Read)
    return false;
  Info = Shared->Info;
  return true;
}

}  // namespace lc::tools
