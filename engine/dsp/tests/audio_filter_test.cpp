// TDSAudioFilter on its own: media-type checks, and Transform fed with
// samples of our allocator (callback, shortening, delay, S/PDIF, the ring).
#include <cstring>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>
#include <mmreg.h>

#include "engine/dsp/audio_filter.h"
#include "engine/filters/allocator.h"
#include "engine/filters/media_type.h"
#include "engine/filters/tests/test_graph_support.h"

namespace {

const GUID kSubFormatPcm = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const GUID kSubFormatFloat = {0x00000003, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

TMediaType AudioType(WORD Tag, int Channels, int Rate, int Bits, const GUID& Subtype = MEDIASUBTYPE_PCM,
                     const GUID* SubFormat = nullptr) {
  WAVEFORMATEXTENSIBLE format{};
  format.Format.wFormatTag = Tag;
  format.Format.nChannels = static_cast<WORD>(Channels);
  format.Format.nSamplesPerSec = static_cast<DWORD>(Rate);
  format.Format.wBitsPerSample = static_cast<WORD>(Bits);
  format.Format.nBlockAlign = static_cast<WORD>(Channels * Bits / 8);
  format.Format.nAvgBytesPerSec = static_cast<DWORD>(Rate) * format.Format.nBlockAlign;
  if (SubFormat != nullptr) {
    format.Format.cbSize = 22;
    format.SubFormat = *SubFormat;
  }
  TMediaType type;
  type.majortype = MEDIATYPE_Audio;
  type.subtype = Subtype;
  type.formattype = FORMAT_WaveFormatEx;
  type.SetFormat(&format, SubFormat != nullptr ? sizeof format : sizeof(WAVEFORMATEX));
  return type;
}

// Records what the filter tells its owner; can shorten buffers.
class TCallBack : public IDSAudioProcessorCallBack {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** Object) override {
    *Object = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP PCMData(void*, int32_t Size, int32_t* NewSize, PDSStream Stream) override {
    ++Calls;
    LastStream = *Stream;
    *NewSize = Shorten > 0 ? Size - Shorten : Size;
    return S_OK;
  }
  STDMETHODIMP MediaTypeChanged(PDSStream) override {
    ++TypeChanges;
    return S_OK;
  }
  STDMETHODIMP Flush() override { return S_OK; }
  int Calls = 0, TypeChanges = 0, Shorten = 0;
  TDSStream LastStream{};
};

TEST(AudioFilterTypes, CheckInputTypeJudgesBeforeItStores) {
  lctest::TComScope com;
  TDSAudioFilter* filter = new TDSAudioFilter();
  const struct {
    const char* Name;
    TMediaType Type;
    HRESULT Expected;
  } cases[] = {
      {"24-bit PCM", AudioType(WAVE_FORMAT_PCM, 2, 48000, 24), S_OK},
      {"20-bit PCM", AudioType(WAVE_FORMAT_PCM, 2, 44100, 20), VFW_E_TYPE_NOT_ACCEPTED},
      {"no channels", AudioType(WAVE_FORMAT_PCM, 0, 44100, 16), VFW_E_TYPE_NOT_ACCEPTED},
      {"no sample rate", AudioType(WAVE_FORMAT_PCM, 2, 0, 16), VFW_E_TYPE_NOT_ACCEPTED},
      {"MPEG subtype", AudioType(WAVE_FORMAT_PCM, 2, 44100, 16, MEDIASUBTYPE_MPEG1AudioPayload),
       VFW_E_INVALIDSUBTYPE},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(filter->CheckInputType(&c.Type), c.Expected) << c.Name;
    // Only the accepted 24-bit type was stored.
    EXPECT_EQ(filter->Stream().Bits, 24) << c.Name;
    EXPECT_EQ(filter->Stream().Frequency, 48000) << c.Name;
    EXPECT_EQ(filter->Stream().Channels, 2) << c.Name;
  }
  TMediaType video = AudioType(WAVE_FORMAT_PCM, 2, 44100, 16);
  video.majortype = MEDIATYPE_Video;
  EXPECT_EQ(filter->CheckInputType(&video), VFW_E_INVALIDMEDIATYPE);
  TMediaType noFormat = AudioType(WAVE_FORMAT_PCM, 2, 44100, 16);
  noFormat.formattype = FORMAT_VideoInfo;
  EXPECT_EQ(filter->CheckInputType(&noFormat), VFW_E_TYPE_NOT_ACCEPTED);
  // CheckTransform does not look at the bit depth.
  const TMediaType twenty = AudioType(WAVE_FORMAT_PCM, 2, 44100, 20);
  EXPECT_EQ(filter->CheckTransform(&twenty, &twenty), S_OK);
  filter->Release();
}

TEST(AudioFilterTypes, FlagsFollowTagSubtypeAndSubFormat) {
  lctest::TComScope com;
  TDSAudioFilter* filter = new TDSAudioFilter();
  const struct {
    const char* Name;
    TMediaType Type;
    int32_t Float, SPDIF, DTS;
  } cases[] = {
      {"PCM", AudioType(WAVE_FORMAT_PCM, 2, 44100, 16), 0, 0, 0},
      {"float tag", AudioType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32), -1, 0, 0},
      {"float subtype", AudioType(WAVE_FORMAT_PCM, 2, 44100, 32, MEDIASUBTYPE_IEEE_FLOAT), -1, 0, 0},
      {"extensible float", AudioType(WAVE_FORMAT_EXTENSIBLE, 2, 44100, 32, MEDIASUBTYPE_PCM, &kSubFormatFloat), -1, 0,
       0},
      {"extensible PCM", AudioType(WAVE_FORMAT_EXTENSIBLE, 2, 44100, 32, MEDIASUBTYPE_PCM, &kSubFormatPcm), 0, 0, 0},
      {"AC-3 S/PDIF", AudioType(0x0092, 2, 48000, 16), 0, -1, 0},
      {"AC-3 S/PDIF 0x2000", AudioType(0x2000, 2, 48000, 16), 0, -1, 0},
      {"DTS", AudioType(0x2001, 2, 48000, 16), 0, 0, -1},
      {"DTS 0x0008", AudioType(0x0008, 2, 48000, 16), 0, 0, -1},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(filter->CheckInputType(&c.Type), S_OK) << c.Name;
    EXPECT_EQ(filter->Stream().Float, c.Float) << c.Name;
    EXPECT_EQ(filter->Stream().SPDIF, c.SPDIF) << c.Name;
    EXPECT_EQ(filter->Stream().DTS, c.DTS) << c.Name;
  }
  filter->Release();
}

TEST(AudioFilterTypes, TheOwnerHearsOfAChangedFormatOnce) {
  lctest::TComScope com;
  TDSAudioFilter* filter = new TDSAudioFilter();
  TCallBack callBack;
  filter->SetCallBack(&callBack);
  const TMediaType stereo = AudioType(WAVE_FORMAT_PCM, 2, 44100, 16);
  const TMediaType mono = AudioType(WAVE_FORMAT_PCM, 1, 44100, 16);
  filter->CheckInputType(&stereo);
  filter->CheckInputType(&stereo);
  EXPECT_EQ(callBack.TypeChanges, 1);
  filter->CheckInputType(&mono);
  EXPECT_EQ(callBack.TypeChanges, 2);
  filter->SetCallBack(nullptr);
  filter->Release();
}

// Samples of one allocator, each Bytes long.
class AudioFilterSamples : public ::testing::Test {
 protected:
  void SetUp() override {
    ALLOCATOR_PROPERTIES want{2, 4 * 44100 * 10, 1, 0}, got{};
    ASSERT_EQ(Allocator->SetProperties(&want, &got), S_OK);
    ASSERT_EQ(Allocator->Commit(), S_OK);
    Filter->SetCallBack(&CallBack);
  }
  void TearDown() override {
    Filter->SetCallBack(nullptr);
    Filter->Stop();
    Filter->Release();
    Allocator->Decommit();
    Allocator->Release();
  }
  // A sample of Frames stereo 16-bit frames whose 32-bit frames count up
  // from First, starting at Start; the first sample brings the type.
  IMediaSample* Sample(int Frames, uint32_t First, REFERENCE_TIME Start, const TMediaType* Type = nullptr) {
    IMediaSample* sample = nullptr;
    Allocator->GetBuffer(&sample, nullptr, nullptr, 0);
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    for (int i = 0; i < Frames; ++i) {
      const uint32_t value = First + static_cast<uint32_t>(i);
      std::memcpy(data + 4 * i, &value, 4);
    }
    sample->SetActualDataLength(4 * Frames);
    REFERENCE_TIME stop = Start + static_cast<REFERENCE_TIME>(Frames) * 10000000 / 44100;
    sample->SetTime(&Start, &stop);
    LONGLONG mediaStart = 0, mediaStop = Frames;
    sample->SetMediaTime(&mediaStart, &mediaStop);
    if (Type != nullptr) sample->SetMediaType(const_cast<TMediaType*>(Type));
    return sample;
  }

  lctest::TComScope Com;
  TMemAllocator* Allocator = TMemAllocator::Create();
  TDSAudioFilter* Filter = new TDSAudioFilter();
  TCallBack CallBack;
  TMediaType Stereo = AudioType(WAVE_FORMAT_PCM, 2, 44100, 16);
};

TEST_F(AudioFilterSamples, ABufferReachesTheOwnerWithItsStreamRecord) {
  IMediaSample* sample = Sample(1000, 0, 0, &Stereo);
  EXPECT_EQ(Filter->Transform(sample), S_OK);
  EXPECT_EQ(CallBack.Calls, 1);
  EXPECT_EQ(CallBack.LastStream.Size, 4000);
  EXPECT_EQ(CallBack.LastStream.Frequency, 44100);
  EXPECT_EQ(CallBack.LastStream.Channels, 2);
  EXPECT_EQ(CallBack.LastStream.Bits, 16);
  EXPECT_EQ(sample->GetActualDataLength(), 4000);
  EXPECT_EQ(sample->IsSyncPoint(), S_OK);
  // The ring of four seconds with its mirror, from the sample's type.
  EXPECT_EQ(Filter->RingCapacity(), 705600);
  EXPECT_EQ(Filter->MirrorLength(), 262144);
  EXPECT_DOUBLE_EQ(Filter->TimePerByte(), 10000000.0 / 176400);
  sample->Release();
}

TEST_F(AudioFilterSamples, AShortenedBufferGetsStopTimesOfItsNewLength) {
  CallBack.Shorten = 400;  // 100 frames
  IMediaSample* sample = Sample(1000, 0, 5000000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  EXPECT_EQ(sample->GetActualDataLength(), 3600);
  REFERENCE_TIME start = 0, stop = 0;
  sample->GetTime(&start, &stop);
  EXPECT_EQ(start, 5000000);
  EXPECT_EQ(stop, 5000000 + 900LL * 10000000 / 44100);
  LONGLONG mediaStart = 0, mediaStop = 0;
  sample->GetMediaTime(&mediaStart, &mediaStop);
  EXPECT_EQ(mediaStop, mediaStart + 900LL * 10000000 / 44100);
  sample->Release();
}

TEST_F(AudioFilterSamples, TheDelayShiftsStartAndStop) {
  Filter->SetDelayEnabled(TRUE);
  Filter->SetDelay(250);
  IMediaSample* sample = Sample(441, 0, 1000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  REFERENCE_TIME start = 0, stop = 0;
  sample->GetTime(&start, &stop);
  EXPECT_EQ(start, 1000 + 2500000);
  EXPECT_EQ(stop, 1000 + 100000 + 2500000);
  sample->Release();
  // A long delay is computed in 64 bits.
  Filter->SetDelay(300000);
  sample = Sample(441, 0, 0);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->GetTime(&start, &stop);
  EXPECT_EQ(start, 3000000000LL);
  sample->Release();
}

TEST_F(AudioFilterSamples, SpdifPassesUntouchedAndUnseen) {
  const TMediaType spdif = AudioType(0x0092, 2, 44100, 16);
  CallBack.Shorten = 400;
  IMediaSample* sample = Sample(1000, 0, 0, &spdif);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  EXPECT_EQ(CallBack.Calls, 0);
  EXPECT_EQ(sample->GetActualDataLength(), 4000);
  sample->Release();
}

TEST_F(AudioFilterSamples, ASampleWithARefusedTypeIsNotProcessed) {
  IMediaSample* sample = Sample(1000, 0, 0, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  const TMediaType twenty = AudioType(WAVE_FORMAT_PCM, 2, 44100, 20);
  sample = Sample(1000, 0, 0, &twenty);
  EXPECT_EQ(Filter->Transform(sample), VFW_E_TYPE_NOT_ACCEPTED);
  EXPECT_EQ(CallBack.Calls, 1);
  EXPECT_EQ(Filter->Stream().Bits, 16) << "the previous setup stays";
  sample->Release();
}

// The ring read back through GetVisualBuffer: Run with a clock so that the
// stream time is known, then buffers whose frames count up.
class AudioFilterRing : public AudioFilterSamples {
 protected:
  void Start() {
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                                           reinterpret_cast<void**>(&Clock))));
    Filter->SetSyncSource(Clock);
    REFERENCE_TIME now = 0;
    Clock->GetTime(&now);
    ASSERT_EQ(Filter->Run(now), S_OK);
  }
  void TearDown() override {
    Filter->Stop();
    Filter->SetSyncSource(nullptr);
    if (Clock != nullptr) Clock->Release();
    AudioFilterSamples::TearDown();
  }
  // The first and last frame values of the visual buffer, or -1.
  std::pair<int64_t, int64_t> Visual() {
    void* buffer = nullptr;
    int32_t size = 0;
    PDSStream stream = nullptr;
    if (Filter->GetVisualBuffer(&buffer, &size, &stream) != S_OK) return {-1, -1};
    EXPECT_EQ(size, 4 * 16384);
    uint32_t first = 0, last = 0;
    std::memcpy(&first, buffer, 4);
    std::memcpy(&last, static_cast<BYTE*>(buffer) + size - 4, 4);
    return {first, last};
  }
  IReferenceClock* Clock = nullptr;
};

TEST_F(AudioFilterRing, VisualsOffLeaveTheRingUnwritten) {
  Filter->SetVisualsEnabled(false);
  Start();
  // Half a second of audio that started half a second ago.
  IMediaSample* sample = Sample(44100, 1, -5000000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  // Nothing was written, so there is nothing at the time of now.
  EXPECT_EQ(Visual().first, -1);
}

TEST_F(AudioFilterRing, TheFramesHeardNowComeBackInOnePiece) {
  Start();
  IMediaSample* sample = Sample(44100, 1, -5000000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  const auto [first, last] = Visual();
  EXPECT_NEAR(first, 22050, 4410) << "the frame of now, half a second in";
  EXPECT_EQ(last, first + 16383);
}

TEST_F(AudioFilterRing, ABufferLongerThanTheWholeRingKeepsTheNewestFrames) {
  // Eight seconds in one buffer (more than the ring and its mirror) that
  // started five seconds ago: the ring keeps seconds 4 to 8, and now is
  // second 5.
  ALLOCATOR_PROPERTIES props{};
  Allocator->GetProperties(&props);
  ASSERT_GE(props.cbBuffer, 4 * 352800);
  Start();
  IMediaSample* sample = Sample(352800, 0, -50000000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  const auto [first, last] = Visual();
  EXPECT_NEAR(first, 5 * 44100, 4410);
  EXPECT_EQ(last, first + 16383);
}

TEST_F(AudioFilterRing, AReaderNearTheEndReadsOnAcrossTheWrap) {
  // Four seconds fill the ring, 3.9 s more wrap it: the oldest frame kept
  // (171,990) sits 17,640 bytes before the ring's end and was heard 0.05 s
  // ago, so the 16,384 frames of now run past the end into the mirror.
  Start();
  IMediaSample* sample = Sample(176400, 0, -39500000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  sample = Sample(171990, 176400, 500000);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  const auto [first, last] = Visual();
  EXPECT_NEAR(first, 174195, 2000);
  EXPECT_EQ(last, first + 16383);
}


// The frames handed out are a copy: the ring written over and then
// rebuilt for a new format leaves them as they were until the next call.
TEST_F(AudioFilterRing, HandedOutFramesStayAsTheyWereUntilTheNextCall) {
  Start();
  IMediaSample* sample = Sample(44100, 1, -5000000, &Stereo);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  void* buffer = nullptr;
  int32_t size = 0;
  PDSStream stream = nullptr;
  ASSERT_EQ(Filter->GetVisualBuffer(&buffer, &size, &stream), S_OK);
  ASSERT_EQ(size, 4 * 16384);
  const std::vector<BYTE> before(static_cast<BYTE*>(buffer), static_cast<BYTE*>(buffer) + size);
  sample = Sample(176400, 1000000, 5000000);  // four seconds: the whole ring anew
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  const TMediaType mono = AudioType(WAVE_FORMAT_PCM, 1, 22050, 16);
  sample = Sample(100, 0, 45000000, &mono);
  ASSERT_EQ(Filter->Transform(sample), S_OK);
  sample->Release();
  EXPECT_EQ(Filter->RingCapacity(), 176400) << "the ring was rebuilt for mono 22,050 Hz";
  EXPECT_EQ(std::memcmp(buffer, before.data(), before.size()), 0);
}

}  // namespace
