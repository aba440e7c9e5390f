#include "engine/dsp/audio_filter.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include <ks.h>
#include <ksmedia.h>
#include <mmreg.h>

#include "engine/filters/com_helpers.h"

// {49DE9964-67AF-4450-A9F0-12002E58A58A}
const CLSID CLSID_DSAudioFilter = {0x49DE9964, 0x67AF, 0x4450, {0xA9, 0xF0, 0x12, 0x00, 0x2E, 0x58, 0xA5, 0x8A}};
// {23BDE754-1FF8-49F2-9637-0167EF09B38E}
const IID IID_IDSAudioProcessorInterface = {0x23BDE754, 0x1FF8, 0x49F2, {0x96, 0x37, 0x01, 0x67, 0xEF, 0x09, 0xB3, 0x8E}};
// {AB2B0AB0-891E-4975-8E16-57C6506B165E}
const IID IID_IDSAudioProcessorVisualInterface = {
    0xAB2B0AB0, 0x891E, 0x4975, {0x8E, 0x16, 0x57, 0xC6, 0x50, 0x6B, 0x16, 0x5E}};
// {FB71D229-93ED-4D0A-9865-DB946FCDF5C5}
const IID IID_IDSAudioProcessorCallBack = {0xFB71D229, 0x93ED, 0x4D0A, {0x98, 0x65, 0xDB, 0x94, 0x6F, 0xCD, 0xF5, 0xC5}};

namespace {

// The DVD navigators whose graphs give no reliable clock for the ring.
constexpr CLSID kDvdNavigator1 = {0x9B8C4620, 0x2C1A, 0x11D0, {0x84, 0x93, 0x00, 0xA0, 0x24, 0x38, 0xAD, 0x48}};
constexpr CLSID kDvdNavigator2 = {0xAABC1235, 0x776D, 0x11D2, {0x80, 0x10, 0x00, 0x10, 0x4B, 0x9B, 0x85, 0x92}};
constexpr CLSID kDvdNavigator3 = {0x10D5F9E1, 0x0360, 0x11D5, {0x8F, 0x2A, 0x00, 0x80, 0xC8, 0x4E, 0x9C, 0x39}};

// KSDATAFORMAT_SUBTYPE_IEEE_FLOAT, {00000003-0000-0010-8000-00AA00389B71}.
const GUID kSubFormatFloat = {0x00000003, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

constexpr int kMirrorFrames = 65536;
constexpr int kVisualFrames = 16384;
constexpr int kBufferFrames = 352800;  // eight seconds at 44,100 Hz

int32_t Flag(bool Value) { return Value ? -1 : 0; }

}  // namespace

TDSAudioFilter::TDSAudioFilter() : TTransInPlaceFilter(CLSID_DSAudioFilter, true) {}

TDSAudioFilter::~TDSAudioFilter() = default;

TDSAudioFilter* TDSAudioFilter::CreateInstance(IUnknown* Outer, HRESULT* Result) {
  if (Outer != nullptr) {
    if (Result != nullptr) *Result = CLASS_E_NOAGGREGATION;
    return nullptr;
  }
  if (Result != nullptr) *Result = S_OK;
  return new TDSAudioFilter();
}

HRESULT TDSAudioFilter::QueryFilterInterface(REFIID Iid, void** Object) {
  if (Iid == IID_IDSAudioProcessorInterface) {
    *Object = static_cast<IDSAudioProcessorInterface*>(this);
  } else if (Iid == IID_IDSAudioProcessorVisualInterface) {
    *Object = static_cast<IDSAudioProcessorVisualInterface*>(this);
  } else {
    return TTransInPlaceFilter::QueryFilterInterface(Iid, Object);
  }
  AddRef();
  return S_OK;
}

// Running is set after the base class's Run, which passes through Pause
// when it starts from stopped.
STDMETHODIMP TDSAudioFilter::Run(REFERENCE_TIME Start) {
  EndOfStreamReached_ = false;
  const HRESULT hr = TTransInPlaceFilter::Run(Start);
  if (SUCCEEDED(hr)) Running_.store(true);
  return hr;
}

STDMETHODIMP TDSAudioFilter::Pause() {
  Running_.store(false);
  return TTransInPlaceFilter::Pause();
}

// The ring restarts once the streaming thread has left (after the base
// class's Stop). A stopped stream starts afresh wherever the graph runs it
// next (a position set while stopped, Stop then Play, another movie), so
// the owner is told as at a flush: the processing chain's memory of the
// sound before must not reach the first buffer after.
STDMETHODIMP TDSAudioFilter::Stop() {
  Running_.store(false);
  const HRESULT hr = TTransInPlaceFilter::Stop();
  {
    TAutoLock ring(RingLock_);
    RingFill_ = 0;
    RingFilled_ = false;
  }
  if (IDSAudioProcessorCallBack* callBack = CallBack_.load()) callBack->Flush();
  return hr;
}

// Everything is judged before anything is stored: a refused type leaves
// the previous stream record in place.
HRESULT TDSAudioFilter::CheckInputType(const AM_MEDIA_TYPE* MediaType) {
  const HRESULT hr = CheckTransform(MediaType, nullptr);
  if (FAILED(hr)) return hr;
  if (MediaType->cbFormat < sizeof(PCMWAVEFORMAT) || MediaType->pbFormat == nullptr)
    return VFW_E_TYPE_NOT_ACCEPTED;
  const auto* format = reinterpret_cast<const WAVEFORMATEX*>(MediaType->pbFormat);
  const int bits = format->wBitsPerSample;
  if (bits != 32 && bits != 24 && bits != 16 && bits != 8) return VFW_E_TYPE_NOT_ACCEPTED;
  if (format->nChannels == 0 || format->nSamplesPerSec == 0) return VFW_E_TYPE_NOT_ACCEPTED;
  // The ring holds four seconds; its size must fit the record's 32 bits.
  const int64_t ring = static_cast<int64_t>(format->nSamplesPerSec) * format->nChannels * (bits / 8) * 4;
  if (ring > INT_MAX) return VFW_E_TYPE_NOT_ACCEPTED;

  const WORD tag = format->wFormatTag;
  bool isFloat = MediaType->subtype == MEDIASUBTYPE_IEEE_FLOAT || tag == WAVE_FORMAT_IEEE_FLOAT;
  if (tag == WAVE_FORMAT_EXTENSIBLE && MediaType->cbFormat >= sizeof(WAVEFORMATEXTENSIBLE))
    isFloat = isFloat || reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(format)->SubFormat == kSubFormatFloat;

  Stream_.Frequency = static_cast<int32_t>(format->nSamplesPerSec);
  Stream_.Channels = format->nChannels;
  Stream_.Bits = bits;
  Stream_.Float = Flag(isFloat);
  Stream_.SPDIF = Flag(tag == 0x0092 || tag == 0x2000);
  Stream_.DTS = Flag(tag == 0x0008 || tag == 0x2001);
  IDSAudioProcessorCallBack* callBack = CallBack_.load();
  if (callBack != nullptr && std::memcmp(&Stream_, &NotifiedCopy_, sizeof(TDSStream)) != 0)
    callBack->MediaTypeChanged(&Stream_);
  NotifiedCopy_ = Stream_;
  return S_OK;
}

// The input type alone, by major type, subtype and format type.
HRESULT TDSAudioFilter::CheckTransform(const AM_MEDIA_TYPE* In, const AM_MEDIA_TYPE*) {
  if (In == nullptr) return E_POINTER;
  if (In->majortype != MEDIATYPE_Audio) return VFW_E_INVALIDMEDIATYPE;
  if (In->subtype != MEDIASUBTYPE_PCM && In->subtype != MEDIASUBTYPE_IEEE_FLOAT && In->subtype != GUID_NULL)
    return VFW_E_INVALIDSUBTYPE;
  if (In->formattype != FORMAT_WaveFormatEx) return VFW_E_TYPE_NOT_ACCEPTED;
  return S_OK;
}

// One buffer of 352,800 frames.
HRESULT TDSAudioFilter::DecideBufferSize(IMemAllocator* Allocator, ALLOCATOR_PROPERTIES* Request) {
  if (!InputPin()->IsConnected()) return E_UNEXPECTED;
  if (Allocator == nullptr || Request == nullptr) return E_POINTER;
  const int64_t bytes = static_cast<int64_t>(Stream_.Channels) * kBufferFrames * (Stream_.Bits / 8);
  if (bytes <= 0 || bytes > INT_MAX) return E_FAIL;
  Request->cBuffers = 1;
  Request->cbBuffer = static_cast<long>(bytes);
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = Allocator->SetProperties(Request, &actual);
  if (FAILED(hr)) return hr;
  if (actual.cBuffers <= 0 || actual.cBuffers < Request->cBuffers || actual.cbBuffer < Request->cbBuffer)
    return E_FAIL;
  return S_OK;
}

HRESULT TDSAudioFilter::CompleteConnect(PIN_DIRECTION Direction, IPin* ReceivePin) {
  const HRESULT hr = TTransInPlaceFilter::CompleteConnect(Direction, ReceivePin);
  if (Direction == PINDIR_OUTPUT && InputPin()->IsConnected() && OutputPin()->IsConnected()) {
    ClockUnreliable_ = HasDvdNavigator();
    FirstSample_ = true;
    SetupStream();
  }
  return hr;
}

bool TDSAudioFilter::HasDvdNavigator() {
  IBaseFilter* navigator = LastFilterOfClass(Graph(), {kDvdNavigator1, kDvdNavigator2, kDvdNavigator3});
  if (navigator == nullptr) return false;
  navigator->Release();
  return true;
}

// Restarts the ring's filling; rebuilds the ring when the record changed.
// Result 1 when it did not.
int TDSAudioFilter::SetupStream() {
  TAutoLock ring(RingLock_);
  RingFill_ = 0;
  RingFilled_ = false;
  WritePosition_ = 0;
  OldestTime_ = 0;
  if (std::memcmp(&Stream_, &SetupCopy_, sizeof(TDSStream)) == 0) return 1;
  SetupCopy_ = Stream_;
  const int bytes = Stream_.Bits / 8;
  TimePerByte_ = 10000000.0 / Stream_.Frequency / Stream_.Channels / bytes;
  VisualRing_.reset();
  RingCapacity_ = Stream_.Frequency * Stream_.Channels * bytes * 4;
  MirrorLength_ = Stream_.Channels * bytes * kMirrorFrames;
  VisualRing_.reset(new (std::nothrow) BYTE[static_cast<size_t>(RingCapacity_) + 2u * MirrorLength_]());
  FrameBytes_ = bytes * Stream_.Channels;
  return 0;
}

HRESULT TDSAudioFilter::EndOfStream() {
  REFERENCE_TIME now = 0;
  const bool clock = SUCCEEDED(StreamTime(now));
  // Visual reads stop once the last buffer has been heard: at its end time,
  // or, without time stamps, one buffer's length after now.
  EndTime_ = LastStop_ >= 0 ? LastStop_ : (clock ? now : 0) + LastDuration_;
  EndOfStreamReached_ = true;
  return TTransInPlaceFilter::EndOfStream();
}

HRESULT TDSAudioFilter::BeginFlush() {
  Flushing_.store(true);
  {
    TAutoLock ring(RingLock_);
    RingFill_ = 0;
    RingFilled_ = false;
    WritePosition_ = 0;
    OldestTime_ = -1;
  }
  if (IDSAudioProcessorCallBack* callBack = CallBack_.load()) callBack->Flush();
  return TTransInPlaceFilter::BeginFlush();
}

HRESULT TDSAudioFilter::EndFlush() {
  Flushing_.store(false);
  return TTransInPlaceFilter::EndFlush();
}

// Streaming thread. A sample's attached type is judged and set up first;
// then the ring, the owner's callback, the times and the delay.
HRESULT TDSAudioFilter::Transform(IMediaSample* Sample) {
  BYTE* data = nullptr;
  HRESULT hr = Sample->GetPointer(&data);
  if (FAILED(hr)) return hr;
  int length = Sample->GetActualDataLength();
  const int incoming = length;

  AM_MEDIA_TYPE* type = nullptr;
  if (Sample->GetMediaType(&type) == S_OK && type != nullptr) {
    TypeChanging_.store(true);
    hr = CheckInputType(type);
    if (SUCCEEDED(hr)) SetupStream();
    DeleteMediaType(type);
    TypeChanging_.store(false);
    if (FAILED(hr)) return hr;
  }

  LastDuration_ = static_cast<REFERENCE_TIME>(length * TimePerByte_);
  REFERENCE_TIME start = 0, stop = 0;
  const bool timed = SUCCEEDED(Sample->GetTime(&start, &stop));
  if (!ClockUnreliable_ && timed) {
    TAutoLock ring(RingLock_);
    if (OldestTime_ == -1 || OldestTime_ > start) {
      OldestTime_ = FirstSample_ ? start : start - LastDuration_;
      FirstSample_ = false;
    }
  }
  if (!VisualAfterDSP_.load()) WriteVisualRing(data, length);

  Stream_.Size = length;
  IDSAudioProcessorCallBack* callBack = CallBack_.load();
  if (Stream_.SPDIF == 0 && Stream_.DTS == 0 && callBack != nullptr) {
    int32_t newSize = length;
    callBack->PCMData(data, length, &newSize, &Stream_);
    // The buffer may only be shortened.
    newSize = std::clamp<int32_t>(newSize, 0, length);
    if (newSize != length) {
      length = newSize;
      Sample->SetActualDataLength(length);
    }
  }
  if (length != incoming) UpdateSampleTimes(Sample, length);
  Sample->SetSyncPoint(TRUE);

  hr = Sample->GetTime(&start, &stop);
  if (SUCCEEDED(hr) && DelayEnabled_.load()) {
    const REFERENCE_TIME shift = static_cast<REFERENCE_TIME>(Delay_.load()) * 10000;
    start += shift;
    stop += shift;
    Sample->SetTime(&start, hr == S_OK ? &stop : nullptr);
  }
  LastStop_ = SUCCEEDED(hr) ? (hr == S_OK ? stop : start + LastDuration_) : -1;

  if (VisualAfterDSP_.load()) WriteVisualRing(data, length);
  return S_OK;
}

// The stop times follow a changed length: media stop and presentation stop
// become start plus the new duration.
void TDSAudioFilter::UpdateSampleTimes(IMediaSample* Sample, int Length) {
  if (FrameBytes_ == 0 || Stream_.Frequency == 0) return;
  const LONGLONG duration =
      static_cast<LONGLONG>(Length) * 10000000 / Stream_.Channels / (Stream_.Bits / 8) / Stream_.Frequency;
  LONGLONG mediaStart = 0, mediaStop = 0;
  if (SUCCEEDED(Sample->GetMediaTime(&mediaStart, &mediaStop))) {
    mediaStop = mediaStart + duration;
    Sample->SetMediaTime(&mediaStart, &mediaStop);
  }
  REFERENCE_TIME start = 0, stop = 0;
  if (SUCCEEDED(Sample->GetTime(&start, &stop))) {
    stop = start + duration;
    Sample->SetTime(&start, &stop);
  }
}

// Copies into the ring at Offset and, for the part that falls into the
// first mirror length, also behind the ring's end, so that a reader near
// the end finds its frames in one piece. Every copy stays inside the block.
void TDSAudioFilter::CopyIntoRing(int Offset, const BYTE* Data, int Length) {
  if (Length <= 0 || Offset < 0 || Offset + Length > RingCapacity_) return;
  BYTE* ring = VisualRing_.get();
  std::memcpy(ring + Offset, Data, static_cast<size_t>(Length));
  if (Offset >= MirrorLength_) return;
  const int mirrored = std::min(Length, MirrorLength_ - Offset);
  std::memcpy(ring + RingCapacity_ + Offset, Data, static_cast<size_t>(mirrored));
}

// Streaming thread. The ring first fills up to its capacity; from then on
// it is written round, and OldestTime follows the oldest byte kept.
void TDSAudioFilter::WriteVisualRing(const BYTE* Data, int Length) {
  TAutoLock ring(RingLock_);
  if (!VisualRing_ || Stream_.SPDIF != 0 || Stream_.DTS != 0 || !VisualsEnabled_.load()) return;
  if (Length <= 0 || RingCapacity_ <= 0) return;
  if (!RingFilled_) {
    const int taken = std::min(Length, RingCapacity_ - RingFill_);
    CopyIntoRing(RingFill_, Data, taken);
    RingFill_ += taken;
    WritePosition_ = 0;
    if (RingFill_ < RingCapacity_) return;
    RingFilled_ = true;
    Data += taken;
    Length -= taken;
    if (Length == 0) return;
  }
  OldestTime_ += static_cast<REFERENCE_TIME>(Length * TimePerByte_);
  if (Length > RingCapacity_) {
    Data += Length - RingCapacity_;
    Length = RingCapacity_;
  }
  const int first = std::min(Length, RingCapacity_ - WritePosition_);
  CopyIntoRing(WritePosition_, Data, first);
  CopyIntoRing(0, Data + first, Length - first);
  WritePosition_ = (WritePosition_ + Length) % RingCapacity_;
}

STDMETHODIMP TDSAudioFilter::GetVisualBuffer(void** Buffer, int32_t* Size, PDSStream* Stream) {
  if (Buffer == nullptr || Size == nullptr || Stream == nullptr) return E_POINTER;
  *Stream = &Stream_;
  *Buffer = nullptr;
  *Size = 0;
  REFERENCE_TIME now = 0;
  if (TypeChanging_.load() || Flushing_.load() || !Running_.load() || !VisualRing_) return S_FALSE;
  if (FAILED(StreamTime(now))) return S_FALSE;
  if (EndOfStreamReached_ && now >= EndTime_) return S_FALSE;
  TAutoLock ring(RingLock_);
  if (ClockUnreliable_) now = OldestTime_ + 36200000;
  void* frames = nullptr;
  const HRESULT hr = ReadVisualRing(now, &frames, Size);
  if (hr != S_OK) {
    *Size = 0;
    return hr;
  }
  // A copy: the ring goes on being written, and is rebuilt for a new format.
  const auto* first = static_cast<const BYTE*>(frames);
  VisualCopy_.assign(first, first + *Size);
  *Buffer = VisualCopy_.data();
  return S_OK;
}

HRESULT TDSAudioFilter::ReadVisualRing(REFERENCE_TIME Time, void** Buffer, int32_t* Size) {
  if (Stream_.SPDIF != 0 || Stream_.DTS != 0 || Time < OldestTime_ || FrameBytes_ == 0) return S_FALSE;
  const int fill = RingFilled_ ? RingCapacity_ : RingFill_;
  int64_t position = static_cast<int64_t>((Time - OldestTime_) / TimePerByte_) + WritePosition_;
  if (position > fill) position -= fill;
  position -= position % FrameBytes_;
  if (position > fill || position < 0) return S_FALSE;
  *Buffer = VisualRing_.get() + position;
  *Size = FrameBytes_ * kVisualFrames;
  return S_OK;
}

// The callback must stay valid until it is replaced (or cleared with
// nullptr); it is not reference counted.
STDMETHODIMP TDSAudioFilter::SetCallBack(IDSAudioProcessorCallBack* CallBack) {
  CallBack_.store(CallBack);
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::GetStream(PDSStream* Stream) {
  if (Stream == nullptr) return E_POINTER;
  *Stream = &Stream_;
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::GetDelayEnabled(BOOL* Enabled) {
  if (Enabled == nullptr) return E_POINTER;
  *Enabled = DelayEnabled_.load();
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::SetDelayEnabled(BOOL Enabled) {
  DelayEnabled_.store(Enabled != FALSE);
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::GetDelay(int32_t* Milliseconds) {
  if (Milliseconds == nullptr) return E_POINTER;
  *Milliseconds = Delay_.load();
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::SetDelay(int32_t Milliseconds) {
  Delay_.store(Milliseconds);
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::GetVisualAfterDSP(BOOL* AfterDSP) {
  if (AfterDSP == nullptr) return E_POINTER;
  *AfterDSP = VisualAfterDSP_.load();
  return S_OK;
}

STDMETHODIMP TDSAudioFilter::SetVisualAfterDSP(BOOL AfterDSP) {
  VisualAfterDSP_.store(AfterDSP != FALSE);
  return S_OK;
}
