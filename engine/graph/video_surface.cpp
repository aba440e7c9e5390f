#include "engine/graph/video_surface.h"

#include "framework/messages.h"

namespace {

const wchar_t kMessageWindowClass[] = L"TVideoSurfaceMessages";

}  // namespace

// ------------------------------------------------------------ TLayerBitmap

TLayerBitmap::~TLayerBitmap() { Free(); }

void TLayerBitmap::Free() {
  if (FDC) {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
  }
  if (FBitmap) DeleteObject(FBitmap);
  FDC = nullptr;
  FBitmap = nullptr;
  FBits = nullptr;
  FWidth = FHeight = 0;
}

bool TLayerBitmap::SetSize(int Width, int Height) {
  if (Width == FWidth && Height == FHeight && FDC) return true;
  Free();
  if (Width <= 0 || Height <= 0) return false;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = Width;
  bmi.bmiHeader.biHeight = -Height;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FBitmap) return false;
  FDC = CreateCompatibleDC(nullptr);
  FOld = SelectObject(FDC, FBitmap);
  FBits = static_cast<std::uint32_t*>(bits);
  FWidth = Width;
  FHeight = Height;
  return true;
}

const std::uint32_t* TLayerBitmap::Pixels() const {
  GdiFlush();
  return FBits;
}

// ------------------------------------------------------------ TVideoSurface

TVideoSurface::TVideoSurface(HWND Window) : FWindow(Window), FGuiThread(GetCurrentThreadId()) {
  static const bool registered = [] {
    WNDCLASSW window{};
    window.lpfnWndProc = MessageProc;
    window.hInstance = GetModuleHandleW(nullptr);
    window.lpszClassName = kMessageWindowClass;
    return RegisterClassW(&window) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (registered)
    FMessageWindow = CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  if (FMessageWindow) SetWindowLongPtrW(FMessageWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// A message still on its way goes with the window.
TVideoSurface::~TVideoSurface() {
  {
    TAutoLock lock(FLock);
    if (FMessageWindow) DestroyWindow(FMessageWindow);
    FMessageWindow = nullptr;
  }
  ReleaseSampleLocked(false);
}

// The surface's message: the GUI thread copies to the window what another
// thread composed.
LRESULT CALLBACK TVideoSurface::MessageProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto* surface = reinterpret_cast<TVideoSurface*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (Message != WM_VIDEOSURFACESHOW || surface == nullptr) return DefWindowProcW(Window, Message, WParam, LParam);
  TAutoLock lock(surface->FLock);
  surface->FShowPosted = false;
  if (surface->FUnshown) surface->BlitLocked(nullptr);
  return 0;
}

void TVideoSurface::SetRenderer(TVideoFrameRenderer* Renderer) {
  TAutoLock lock(FLock);
  FRenderer = Renderer;
  UpdatePlacementLocked();
}

void TVideoSurface::SetClientSize(int Width, int Height) {
  TAutoLock lock(FLock);
  FWidth = Width;
  FHeight = Height;
  FCompositor.SetTarget(Width, Height);
  UpdatePlacementLocked();
}

void TVideoSurface::SetFitMode(TFitMode Mode) {
  TAutoLock lock(FLock);
  FFit = Mode;
  UpdatePlacementLocked();
}

void TVideoSurface::SetColors(const TColorSettings& Settings) {
  TAutoLock lock(FLock);
  FColors = Settings;
  FCompositor.SetColors(Settings);
}

TColorSettings TVideoSurface::Colors() {
  TAutoLock lock(FLock);
  return FColors;
}

void TVideoSurface::SetBackground(COLORREF Color) {
  TAutoLock lock(FLock);
  FCompositor.SetBackground(PixelOfColorRef(Color));
}

void TVideoSurface::SetLayer(std::shared_ptr<const TKeyedLayer> Layer) {
  TAutoLock lock(FLock);
  FCompositor.SetLayer(std::move(Layer));
}

void TVideoSurface::ClearFrame() {
  TAutoLock lock(FLock);
  ReleaseSampleLocked(false);
  FHasFrame = false;
}

void TVideoSurface::ReleaseSampleLocked(bool Keep) {
  if (!FSample) return;
  if (Keep && FHasFrame) FFrame = CopyFrame(FFrame, FFrameData);
  FSample->Release();
  FSample = nullptr;
}

void TVideoSurface::StreamReset() {
  TAutoLock lock(FLock);
  ReleaseSampleLocked(true);
}

bool TVideoSurface::HasFrame() {
  TAutoLock lock(FLock);
  return FHasFrame;
}

bool TVideoSurface::CopyCurrentFrame(std::vector<std::uint32_t>& Pixels, int& Width, int& Height) {
  TAutoLock lock(FLock);
  if (!FHasFrame || FFrame.Width <= 0 || FFrame.Height <= 0) return false;
  Pixels.assign(std::size_t(FFrame.Width) * FFrame.Height, 0);
  ConvertFrame(FFrame, TColorSettings(), Pixels.data(), FFrame.Width);
  Width = FFrame.Width;
  Height = FFrame.Height;
  return true;
}

// The renderer's source crop and destination (the client area while the
// destination is the default), fitted by the aspect mode.
void TVideoSurface::UpdatePlacementLocked() {
  TVideoRect source, dest;
  bool defaultDest = true;
  if (FRenderer) FRenderer->GetPlacement(source, dest, defaultDest);
  if (defaultDest) dest = {0, 0, FWidth, FHeight};
  TVideoRect placed;
  FitPicture(FFit, dest, source, placed);
  FCompositor.SetPlacement(placed, source);
}

void TVideoSurface::ComposeLocked() {
  if (FHasFrame)
    FCompositor.Compose(FFrame);
  else
    FCompositor.ComposeBlank();
}

// One copy of the whole surface (GUI thread).
void TVideoSurface::BlitLocked(HDC DC) {
  if (FCompositor.Width() <= 0 || FCompositor.Height() <= 0) return;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = FCompositor.Width();
  bmi.bmiHeader.biHeight = -FCompositor.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  const bool own = DC == nullptr;
  if (own) DC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
  if (!DC) return;
  SetDIBitsToDevice(DC, 0, 0, DWORD(FCompositor.Width()), DWORD(FCompositor.Height()), 0, 0, 0,
                    UINT(FCompositor.Height()), FCompositor.Pixels(), &bmi, DIB_RGB_COLORS);
  if (own) {
    ReleaseDC(FWindow, DC);
    FUnshown = false;
  }
}

void TVideoSurface::ShowLocked() {
  if (GetCurrentThreadId() == FGuiThread) return BlitLocked(nullptr);
  FUnshown = true;
  if (!FShowPosted && FMessageWindow) FShowPosted = PostMessageW(FMessageWindow, WM_VIDEOSURFACESHOW, 0, 0) != FALSE;
}

void TVideoSurface::Paint(HDC DC) {
  TAutoLock lock(FLock);
  ComposeLocked();
  BlitLocked(DC);
}

void TVideoSurface::PresentFrame(const TFrameView& Frame, IMediaSample* Sample) {
  TAutoLock lock(FLock);
  const bool resized = !FHasFrame || Frame.Width != FFrame.Width || Frame.Height != FFrame.Height;
  if (Sample) Sample->AddRef();
  ReleaseSampleLocked(false);
  FHasFrame = true;
  if (Sample) {
    FSample = Sample;
    FFrame = Frame;
    if (resized) UpdatePlacementLocked();
    FCompositor.Compose(FFrame);
  } else {
    FFrame = FFrameCopy.Start(Frame, FFrameData);
    if (resized) UpdatePlacementLocked();
    // The frame is kept for repaints; each row is copied as it is composed.
    FCompositor.Compose(FFrame, &FFrameCopy);
    FFrameCopy.Finish();
  }
  ShowLocked();
}

void TVideoSurface::PlacementChanged() {
  TAutoLock lock(FLock);
  UpdatePlacementLocked();
  if (FHasFrame) {
    ComposeLocked();
    ShowLocked();
  }
}
