// The remembered settings' saves during playback, done on a thread of their
// own: the GUI thread, which also copies every frame to the window, only
// takes a copy of the table (RmsSaveJobFor) and later takes in what the
// save did (TakeRmsSave); the wait for another player's save (up to 10 s),
// the reading of the file and its writing happen on the worker
// (RunRmsSave). Portable.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "settings/rms_file.h"

namespace lc::settings {

// One save at a time, in the order asked: a save asked while one runs is
// made, from the table as it stands then, once that one was taken in, so
// that it measures this run's changes against what the first one wrote.
class RmsBackgroundSave {
 public:
  RmsBackgroundSave() = default;
  // Waits for a save under way, then ends the worker.
  ~RmsBackgroundSave();
  RmsBackgroundSave(const RmsBackgroundSave&) = delete;
  RmsBackgroundSave& operator=(const RmsBackgroundSave&) = delete;

  // GUI thread: saves `table` into `fileName` on the worker (as
  // RmsSaveToHdd does, records `now` as the last save time) and returns at
  // once. While a save is under way, the save is made once that one was
  // taken in (Collect).
  void Start(const RmsTable& table, RmsFileState& state, const std::string& fileName,
             const std::string& dataFolder, double now);
  // GUI thread: when the save under way has ended, takes what it did into
  // `table` and `state` (TakeRmsSave) and starts the save asked meanwhile.
  // True when a save was taken in; `written` receives TakeRmsSave's result.
  bool Collect(RmsTable& table, RmsFileState& state, double now, bool* written = nullptr);
  // GUI thread: waits for the save under way and takes it in; the save
  // asked meanwhile is left to the caller, which saves next. True when a
  // save was taken in.
  bool Finish(RmsTable& table, RmsFileState& state);
  // GUI thread, the close's save: Finish, then RmsSaveToHdd on the calling
  // thread, whose result it returns. Another player's save is waited for
  // once: where the save under way found it held past its wait, nothing
  // more is tried (false, state.HeldByAnother set).
  bool FinishAndSave(RmsTable& table, RmsFileState& state, const std::string& fileName,
                     const std::string& dataFolder, double now);
  // A save is under way or asked for.
  bool Busy() const;

 private:
  void Work();
  bool TakeDone(RmsTable& table, RmsFileState& state, bool* written);

  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::thread worker_;
  // The save under way (set by the GUI thread, run by the worker) and what
  // it did (set by the worker).
  std::optional<RmsSaveJob> job_;
  std::optional<RmsSaveDone> done_;
  bool stop_ = false;
  // Asked while a save was under way: the file and folder to save into.
  bool again_ = false;
  std::string againFile_, againFolder_;
};

}  // namespace lc::settings
