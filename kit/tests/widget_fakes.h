#pragma once

// Recording fakes for the widget tests: a host that logs hints and cursors,
// a surface that logs what is drawn (images have the sizes of the real skin
// strips), and a playback link that logs volumes and seeks.

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "kit/widget.h"
#include "kit/widget_links.h"
#include "kit/widget_surface.h"

namespace fakes {

inline std::string Narrow(const std::wstring& S) {
  std::string R;
  for (wchar_t C : S) R += C < 128 ? static_cast<char>(C) : '?';
  return R;
}

inline std::string RectText(const TRect& R) {
  std::ostringstream S;
  S << "(" << R.Left << "," << R.Top << ")-(" << R.Right << "," << R.Bottom << ")";
  return S.str();
}

class TLog {
 public:
  void Add(std::string Entry) { FEntries.push_back(std::move(Entry)); }
  std::vector<std::string> Take() { return std::exchange(FEntries, {}); }
  const std::vector<std::string>& Entries() const { return FEntries; }

 private:
  std::vector<std::string> FEntries;
};

class TRecordingHost : public TWidgetHost {
 public:
  explicit TRecordingHost(TLog& Log) : FLog(Log) {}
  void SetHintText(const std::wstring& Text) override {
    Hint = Text;
    FLog.Add("hint:" + Narrow(Text));
  }
  void CancelHint() override { FLog.Add("cancel"); }
  void SetCursor(TWidgetCursor C) override {
    Cursor = C;
    FLog.Add(C == TWidgetCursor::Default     ? "cursor:default"
             : C == TWidgetCursor::HandPoint ? "cursor:point"
                                             : "cursor:press");
  }
  std::wstring Hint;
  TWidgetCursor Cursor = TWidgetCursor::Default;

 private:
  TLog& FLog;
};

class TFakeImage : public TSkinImage {
 public:
  TFakeImage(std::string Name, int W, int H) : Name(std::move(Name)), FW(W), FH(H) {}
  int Width() const override { return FW; }
  int Height() const override { return FH; }
  std::string Name;

 private:
  int FW, FH;
};

inline std::string TargetText(TPaintTargets T) {
  return T == ptBoth ? "both" : T == ptWindow ? "window" : "buffer";
}

// Text is CharWidth pixels per character and LineHeight high.
class TRecordingSurface : public TWidgetSurface {
 public:
  explicit TRecordingSurface(TLog& Log) : FLog(Log) {}

  std::map<std::wstring, std::pair<int, int>> Sizes = {
      {L"MainbtnPlay", {20, 80}},       {L"MainbtnClose", {9, 36}},
      {L"MainMute", {30, 13}},          {L"ShowHideSubtitles", {24, 8}},
      {L"btnShuffle", {52, 15}},        {L"btnOpenMovie", {24, 12}},
      {L"CBPositions", {52, 13}},       {L"MainVolBar", {10, 78}},
      {L"MainProgressBar", {407, 18}},  {L"VerticalSlider", {11, 7}},
      {L"HorizontalSlider", {7, 12}},   {L"PlaylistPart3", {300, 20}},
      {L"PlaylistPart4", {300, 20}}};
  int CharWidth = 6;
  int LineHeight = 13;

  std::unique_ptr<TSkinImage> LoadImage(const std::wstring& Name) override {
    auto It = Sizes.find(Name);
    auto [W, H] = It == Sizes.end() ? std::pair{0, 0} : It->second;
    return std::make_unique<TFakeImage>(Narrow(Name), W, H);
  }
  std::unique_ptr<TSkinImage> CaptionImage(const std::wstring& Caption,
                                           int Width) override;
  std::unique_ptr<TSkinImage> TextImage(const std::wstring& Text,
                                        const TTextLook& Look) override {
    TSize E = TextExtent(Text, Look);
    FLog.Add("textimage:" + Narrow(Text));
    return std::make_unique<TFakeImage>("text", E.cx, E.cy);
  }
  void Copy(const TSkinImage& Image, const TRect& Source, const TRect& Dest,
            TPaintTargets Targets) override {
    FLog.Add("copy:" + static_cast<const TFakeImage&>(Image).Name + RectText(Source) +
             "->" + RectText(Dest) + ":" + TargetText(Targets));
  }
  void RestoreSkin(const TRect& Rect, TPaintTargets Targets) override {
    FLog.Add("restore:" + RectText(Rect) + ":" + TargetText(Targets));
  }
  void TextOut(int X, int Y, const std::wstring& Text, const TTextLook& Look,
               TPaintTargets Targets) override {
    std::ostringstream S;
    S << "text:" << Narrow(Text) << "@" << X << "," << Y;
    if (Look.Color != clNone) S << ":color=" << Look.Color;
    S << ":" << TargetText(Targets);
    FLog.Add(S.str());
  }
  TSize TextExtent(const std::wstring& Text, const TTextLook&) override {
    return {CharWidth * static_cast<int>(Text.size()), LineHeight};
  }

 private:
  TLog& FLog;
};

// Caption images: chosen like the real ones (CaptionImageForText /
// CaptionImageForWidth) from the fake text width.
std::unique_ptr<TSkinImage> MakeCaptionImage(int TextWidth, int Width);

inline std::unique_ptr<TSkinImage> TRecordingSurface::CaptionImage(
    const std::wstring& Caption, int Width) {
  FLog.Add("caption:" + Narrow(Caption));
  return MakeCaptionImage(TextExtent(Caption, {}).cx, Width);
}

class TFakePlayback : public TPlaybackLink {
 public:
  explicit TFakePlayback(TLog& Log) : FLog(Log) {}
  void SetVolume(int V) override { FLog.Add("volume:" + std::to_string(V)); }
  bool GraphActive() const override { return Active; }
  void SeekToPosition(int P) override { FLog.Add("seek:" + std::to_string(P)); }
  int RmsChangeScore() const override { return Score; }
  void SetRmsChangeScore(int S) override { Score = S; }
  void CancelVolumeRestore() override { FLog.Add("cancel-restore"); }
  bool IsWin9x() const override { return Win9x; }
  bool Active = false;
  bool Win9x = false;
  int Score = 0;

 private:
  TLog& FLog;
};

class TFakePlaylist : public TPlaylistLink {
 public:
  explicit TFakePlaylist(TLog& Log) : FLog(Log) {}
  void RepaintButtons() override { FLog.Add("repaint-buttons"); }
  void SetShowSubtitlesInPlaylist(bool S) override {
    FLog.Add(std::string("setting:") + (S ? "show" : "hide"));
  }

 private:
  TLog& FLog;
};

// One window's worth of fakes sharing a log.
struct TFakeWindow {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TFakePlayback Playback{L};
};

}  // namespace fakes
