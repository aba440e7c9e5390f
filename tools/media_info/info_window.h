// TfrmInfo: the media information window. Created for one opening, it reads
// the current movie file through the media detector when created and shows
// its length, the first video and audio streams' values and the stream
// counts; the values do not follow playback. GUI thread only.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "framework/controls.h"
#include "tools/media_info/media_info_text.h"
#include "tools/tool_dialog.h"

class TfrmInfo : public TToolDialog {
 public:
  // The rows, top to bottom.
  enum TRow {
    riVideoCompression, riNrOfVideoStreams, riTime, riNrOfFrames, riResolution, riFramesPerSecond,
    riAverageVideoBitrate, riBitDepth, riNrOfAudioStreams, riAudioCompression, riAverageAudioBitrate,
    riAudioSampleRate, riAudioChannels, riRowCount
  };

  // Reads MovieFile (FormCreate), waiting a few seconds at most for the
  // detector; when it cannot be read (or not in that time) the message is
  // shown and InfoReadFailed is set.
  explicit TfrmInfo(const std::string& MovieFile);
  ~TfrmInfo() override;

  TLabel& Value(TRow Row) { return *FValues[Row]; }
  TLabel& Caption(TRow Row) { return *FCaptions[Row]; }
  // The hint a value label shows: its text when wider than the label.
  const std::wstring& ValueHint(TRow Row) const { return FHints[Row]; }
  // Enter and Escape close the window; the remote control calls it too.
  void FormKeyPress(wchar_t& Key);

 protected:
  void DoShow() override;
  void KeyPress(wchar_t& Key) override;

 private:
  void CreateLabels();
  void ShowValues(const lc::tools::TMediaInfoValues& V);
  void LayOutValues();
  int TextWidth(const std::wstring& Text);
  int CaptionTextWidth(const std::wstring& Text);

  std::array<std::unique_ptr<TLabel>, riRowCount> FCaptions;
  std::array<std::unique_ptr<TLabel>, riRowCount> FValues;
  std::array<std::wstring, riRowCount> FHints;  // a value's text when wider than its label
  std::unique_ptr<TLabel> FLengthTest;
  TVirtualButton* FCloseBox = nullptr;
};

// The window while it exists, nullptr otherwise.
extern TfrmInfo* frmInfo;
// Set when the window could not read its file.
extern bool InfoReadFailed;

// The main window's way in: the window for MovieFile, or nullptr (with
// InfoReadFailed cleared again) when the file could not be read.
std::unique_ptr<TForm> CreateInfoWindow(const std::string& MovieFile);
