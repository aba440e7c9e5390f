// A recording stand-in for the rooms the main window hands its commands to:
// every call is logged in order, the graph's state is whatever the test
// sets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "player/main_links.h"

namespace lc::testing {

class RecordingCommands : public TPlayerCommands {
 public:
  struct Call {
    Cmd Command;
    int Arg;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> Calls;
  std::vector<std::wstring> Osd;
  std::vector<int> Volumes;
  // Every call of any kind, by name, in order.
  std::vector<std::string> Log;
  bool Active = false;
  int Volume = 0;
  bool Frames = false;
  int Score = 0;
  // What OpenMovie does to the graph.
  bool OpenActivates = false;
  bool PreviousValid = false;
  bool Amplify = false;
  std::string Resolution;
  // Runs inside ChangeResolution (to look at the files at that moment).
  std::function<void()> OnChangeResolution;
  // Runs inside OpenMovie (to look at the movie it was given).
  std::function<void()> OnOpenMovie;

  void SetVolume(int GraphVolume) override {
    Volumes.push_back(GraphVolume);
    Log.push_back("SetVolume");
  }
  bool GraphActive() const override { return Active; }
  void SeekToPosition(int) override { Log.push_back("Seek"); }
  int RmsChangeScore() const override { return Score; }
  void SetRmsChangeScore(int S) override { Score = S; }
  void CancelVolumeRestore() override {}
  bool IsWin9x() const override { return false; }
  void Run(Cmd Command, int Arg) override {
    Calls.push_back({Command, Arg});
    Log.push_back("Run");
  }
  // Every command is recorded.
  bool Takes(Cmd) const override { return true; }
  void ShowOSD(const std::wstring& Text) override {
    Osd.push_back(Text);
    Log.push_back("ShowOSD");
  }
  int GraphVolume() const override { return Volume; }
  bool ShowFrames() const override { return Frames; }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override {
    Log.push_back(std::string("OpenMovie ") + (PlayAfterOpen ? "play" : "stay") + (AddNextParts ? " parts" : ""));
    if (OpenActivates) Active = true;
    if (OnOpenMovie) OnOpenMovie();
  }
  void SetPreviousMovieSettingsValid(bool Valid) override { PreviousValid = Valid; }
  void SetDynamicAmplification(bool Enabled) override { Amplify = Enabled; }
  void StoreMovieAndStopGraph() override {
    Log.push_back("StoreMovieAndStopGraph");
    Active = false;
  }
  void UndoRememberedReplacements() override { Log.push_back("UndoRememberedReplacements"); }
  void ChangeResolution(const std::string& ModeName) override {
    Resolution = ModeName;
    Log.push_back("ChangeResolution");
    if (OnChangeResolution) OnChangeResolution();
  }

  // The commands run, without their arguments.
  std::vector<Cmd> Commands() const {
    std::vector<Cmd> Out;
    for (const Call& C : Calls) Out.push_back(C.Command);
    return Out;
  }
};

}  // namespace lc::testing
