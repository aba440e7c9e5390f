// TVideoFrameRenderer: the video control's own renderer, used where no
// overlay mixer can show the picture. It takes decoded frames in RGB32,
// YUY2, UYVY, I420/IYUV, YV12 or NV12, the first of them in the decoder's
// own order (its native output: nothing converts the frames on the way and
// the planar ones are half the size of RGB32), presents each at its time
// on the graph's reference clock through the
// base renderer, and hands it to a presenter that draws it. Each sample's
// planes are found from the connection's type (or the type the sample
// brings) and the sample's data length; a type whose frames could not be
// told apart is refused at connection, so the decoder offers another (in
// the end the packed RGB its converter makes), and a sample that fits no
// layout of its type is not drawn. It answers
// IBasicVideo2 so that the graph's source and destination positions (the
// digital zoom and the picture placement) reach the presenter.
//
// Threads: frames are presented on the streaming thread (StreamingLock
// held), and on the streaming thread while paused for the first frame;
// IBasicVideo2 is called on the GUI thread. Every call to the presenter is
// made under PresentLock_ (so SetPresenter waits for one that runs); the
// format and the rectangles are under PlacementLock_, a leaf lock that the
// presenter may take (through GetPlacement) inside its calls.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/renderer.h"
#include "engine/video/frame_compose.h"
#include "engine/video/frame_convert.h"
#include "engine/video/frame_layout.h"
#include "engine/video/picture_times.h"

// {6C1A7E52-3B0D-4F7A-9E51-2D6B0C7A4E31}
inline constexpr CLSID CLSID_LumacraftVideoRenderer = {
    0x6c1a7e52, 0x3b0d, 0x4f7a, {0x9e, 0x51, 0x2d, 0x6b, 0x0c, 0x7a, 0x4e, 0x31}};

// The frames on the input pin: what the media type declares of them (each
// sample's planes follow from it and the sample's length, see
// engine/video/frame_layout.h), their aspect and rate.
struct TVideoFormat {
  TFrameDeclaration Frame;
  int AspectX = 0, AspectY = 0;  // picture aspect, 0 when the type gives none
  REFERENCE_TIME AvgTimePerFrame = 0;
};

// Reads a video media type; false when the renderer cannot take it: not a
// format it draws, a visible picture that does not start at the top left
// of the declared one, or frames whose layout no sample could tell.
bool ParseVideoType(const AM_MEDIA_TYPE& Type, TVideoFormat& Format);

// Receives what the renderer has to show.
class IVideoFramePresenter {
 public:
  // Draws a frame (streaming thread). The frame is valid only during the
  // call, unless Sample is given: the sample whose buffer Frame lies in,
  // which the presenter may hold (AddRef) to keep the frame instead of
  // copying it, until the next frame or StreamReset at the latest (the
  // allocator has a buffer to spare for it).
  virtual void PresentFrame(const TFrameView& Frame, IMediaSample* Sample) = 0;
  // The source or destination rectangle or the video size changed (the
  // thread that changed it).
  virtual void PlacementChanged() = 0;
  // The stream was flushed or stopped, or the presenter is detached:
  // frames shown so far stay, held samples are let go (any thread).
  virtual void StreamReset() {}

 protected:
  ~IVideoFramePresenter() = default;
};

class TVideoFrameRenderer : public TBaseRenderer, public IBasicVideo2 {
 public:
  TVideoFrameRenderer();
  ~TVideoFrameRenderer() override;

  // The presenter, or nullptr; the caller keeps it alive until it sets
  // nullptr again. Any thread.
  void SetPresenter(IVideoFramePresenter* Presenter);

  // The source rectangle in frame pixels and the destination rectangle,
  // and whether the destination is still the default (the whole video
  // size). Any thread.
  void GetPlacement(TVideoRect& Source, TVideoRect& Dest, bool& DefaultDest);
  TVideoFormat Format();
  // What the file tells of the decoder's stamps (an AVI's MPEG-4 part 2
  // video, engine/graph/movie_start.h), nothing when Mpeg4 is false: where
  // its key frames lie, or none where its parser seeks to any picture and
  // stamps each in its place (picture_times.h). Any thread, before the
  // movie plays.
  void SetKeyFrames(bool Mpeg4, std::shared_ptr<const std::vector<TKeyFrame>> KeyFrames);
  // Samples not drawn because their length fits no layout of their type.
  long UnreadableSamples() const { return Unreadable_.load(); }

  // TBaseRenderer
  HRESULT CheckMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE* MediaType) override;
  HRESULT DoRenderSample(IMediaSample* Sample) override;
  void OnReceiveFirstSample(IMediaSample* Sample) override;
  void OnFlush() override;
  // The picture's stamp kept moving forward (picture_times.h): a decoder
  // whose stamps go back would show pictures early.
  REFERENCE_TIME PresentationTime(REFERENCE_TIME Start, REFERENCE_TIME Stop) override;
  HRESULT BreakConnect() override;
  long SamplesKept() const override { return 1; }
  STDMETHODIMP Stop() override;

  // IUnknown: the filter's.
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override {
    return TBaseRenderer::QueryInterface(Iid, Object);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return TBaseRenderer::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return TBaseRenderer::Release(); }

  // IDispatch: not offered beyond the type count.
  STDMETHODIMP GetTypeInfoCount(UINT* Count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  // IBasicVideo (video_renderer_basic.cpp)
  STDMETHODIMP get_AvgTimePerFrame(REFTIME* Value) override;
  STDMETHODIMP get_BitRate(long* Value) override;
  STDMETHODIMP get_BitErrorRate(long* Value) override;
  STDMETHODIMP get_VideoWidth(long* Value) override;
  STDMETHODIMP get_VideoHeight(long* Value) override;
  STDMETHODIMP put_SourceLeft(long Value) override;
  STDMETHODIMP get_SourceLeft(long* Value) override;
  STDMETHODIMP put_SourceWidth(long Value) override;
  STDMETHODIMP get_SourceWidth(long* Value) override;
  STDMETHODIMP put_SourceTop(long Value) override;
  STDMETHODIMP get_SourceTop(long* Value) override;
  STDMETHODIMP put_SourceHeight(long Value) override;
  STDMETHODIMP get_SourceHeight(long* Value) override;
  STDMETHODIMP put_DestinationLeft(long Value) override;
  STDMETHODIMP get_DestinationLeft(long* Value) override;
  STDMETHODIMP put_DestinationWidth(long Value) override;
  STDMETHODIMP get_DestinationWidth(long* Value) override;
  STDMETHODIMP put_DestinationTop(long Value) override;
  STDMETHODIMP get_DestinationTop(long* Value) override;
  STDMETHODIMP put_DestinationHeight(long Value) override;
  STDMETHODIMP get_DestinationHeight(long* Value) override;
  STDMETHODIMP SetSourcePosition(long Left, long Top, long Width, long Height) override;
  STDMETHODIMP GetSourcePosition(long* Left, long* Top, long* Width, long* Height) override;
  STDMETHODIMP SetDefaultSourcePosition() override;
  STDMETHODIMP SetDestinationPosition(long Left, long Top, long Width, long Height) override;
  STDMETHODIMP GetDestinationPosition(long* Left, long* Top, long* Width, long* Height) override;
  STDMETHODIMP SetDefaultDestinationPosition() override;
  STDMETHODIMP GetVideoSize(long* Width, long* Height) override;
  STDMETHODIMP GetVideoPaletteEntries(long, long, long*, long*) override { return VFW_E_NO_PALETTE_AVAILABLE; }
  STDMETHODIMP GetCurrentImage(long* BufferSize, long* Image) override;
  STDMETHODIMP IsUsingDefaultSource() override;
  STDMETHODIMP IsUsingDefaultDestination() override;
  // IBasicVideo2
  STDMETHODIMP GetPreferredAspectRatio(long* X, long* Y) override;

 protected:
  HRESULT QueryFilterInterface(REFIID Iid, void** Object) override;

 private:
  void Present(IMediaSample* Sample);
  // Changes one side of a rectangle under the placement lock and tells the
  // presenter; refuses empty or (for the source) out-of-frame results.
  HRESULT SetRect(bool Source, long Left, long Top, long Width, long Height);
  HRESULT GetRect(bool Source, long* Left, long* Top, long* Width, long* Height);
  void NotifyPlacement();

  TCritSec PlacementLock_;  // leaf: format, rectangles
  TVideoFormat Format_;
  TVideoRect Source_, Dest_;
  bool DefaultSource_ = true, DefaultDest_ = true;
  IVideoFramePresenter* Presenter_ = nullptr;
  TCritSec PresentLock_;  // held around every call to the presenter
  std::atomic<long> Unreadable_{0};
  TPictureTimes Times_;  // streaming thread
  // What begins before the next picture (streaming thread): a stream after
  // a flush or a stop, everything after a new connection.
  enum : int { kSameStream, kFlushed, kStopped, kNewDecoder };
  std::atomic<int> Begins_{kNewDecoder};
  TCritSec KeyFramesLock_;  // leaf: the two below
  bool Mpeg4_ = false;
  std::shared_ptr<const std::vector<TKeyFrame>> KeyFrames_;
};
