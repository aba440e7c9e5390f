#include "settings/rms_background_save.h"

#include <utility>

namespace lc::settings {

RmsBackgroundSave::~RmsBackgroundSave() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void RmsBackgroundSave::Start(const RmsTable& table, RmsFileState& state, const std::string& fileName,
                              const std::string& dataFolder, double now) {
  state.LastRmsSaveTime = now;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    if (job_) {
      again_ = true;
      againFile_ = fileName;
      againFolder_ = dataFolder;
      return;
    }
  }
  bool savedWithout = true;
  std::optional<RmsSaveJob> job = RmsSaveJobFor(table, state, fileName, dataFolder, savedWithout);
  if (!job) return;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    job_ = std::move(job);
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  }
  changed_.notify_all();
}

bool RmsBackgroundSave::Collect(RmsTable& table, RmsFileState& state, double now, bool* written) {
  if (!TakeDone(table, state, written)) return false;
  std::string file, folder;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    if (!again_) return true;
    again_ = false;
    file = std::move(againFile_);
    folder = std::move(againFolder_);
  }
  Start(table, state, file, folder, now);
  return true;
}

bool RmsBackgroundSave::Finish(RmsTable& table, RmsFileState& state) {
  {
    std::unique_lock<std::mutex> hold(lock_);
    again_ = false;
    changed_.wait(hold, [this] { return !job_ || done_; });
  }
  return TakeDone(table, state, nullptr);
}

bool RmsBackgroundSave::FinishAndSave(RmsTable& table, RmsFileState& state, const std::string& fileName,
                                      const std::string& dataFolder, double now) {
  if (Finish(table, state) && state.HeldByAnother) return false;
  return RmsSaveToHdd(table, fileName, dataFolder, state, now);
}

bool RmsBackgroundSave::Busy() const {
  const std::lock_guard<std::mutex> hold(lock_);
  return job_.has_value() || again_;
}

bool RmsBackgroundSave::TakeDone(RmsTable& table, RmsFileState& state, bool* written) {
  std::optional<RmsSaveJob> job;
  std::optional<RmsSaveDone> done;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    if (!job_ || !done_) return false;
    job.swap(job_);
    done.swap(done_);
  }
  const bool taken = TakeRmsSave(table, state, *job, *done);
  if (written) *written = taken;
  return true;
}

// The worker: runs each job handed to it, one at a time. The job is not
// touched by the GUI thread until its outcome is set.
void RmsBackgroundSave::Work() {
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] { return stop_ || (job_ && !done_); });
    if (!job_ || done_) return;  // stopped with nothing to do
    const RmsSaveJob& job = *job_;
    hold.unlock();
    RmsSaveDone done;
    try {
      done = RunRmsSave(job);
    } catch (...) {
      // Out of memory, say: nothing was written, and the next save tries
      // again.
      done = RmsSaveDone{};
    }
    hold.lock();
    done_ = done;
    changed_.notify_all();
  }
}

}  // namespace lc::settings
