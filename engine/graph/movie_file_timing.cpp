#include "engine/graph/movie_file_timing.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "engine/graph/avi_streams.h"
#include "engine/graph/movie_fragments.h"
#include "framework/thread_name.h"

// What the walk's thread and its owner share: the owner's cancellation and
// the walk's result, each handed over once.
struct TFragmentsWalk::TState {
  std::wstring FileName;
  HWND Window = nullptr;
  UINT Message = 0;
  std::atomic<bool> Cancelled{false};
  std::atomic<bool> Ended{false};
  std::atomic<REFERENCE_TIME> End{0};
};

namespace {

// An open file of the movie, shared for reading, closed with the scope.
class TMovieFile {
 public:
  explicit TMovieFile(const std::wstring& FileName)
      : Handle_(CreateFileW(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    LARGE_INTEGER size{};
    if (Handle_ != INVALID_HANDLE_VALUE && GetFileSizeEx(Handle_, &size)) Size_ = std::uint64_t(size.QuadPart);
  }
  ~TMovieFile() {
    if (Handle_ != INVALID_HANDLE_VALUE) CloseHandle(Handle_);
  }
  TMovieFile(const TMovieFile&) = delete;
  TMovieFile& operator=(const TMovieFile&) = delete;

  bool Open() const { return Handle_ != INVALID_HANDLE_VALUE; }
  std::uint64_t Size() const { return Size_; }
  // Reads the file; every read fails once Cancelled (when given) is set.
  TReadAt Reader(const std::atomic<bool>* Cancelled = nullptr) const {
    return [this, Cancelled](std::uint64_t Offset, void* Buffer, std::size_t Count) {
      LARGE_INTEGER at{};
      at.QuadPart = LONGLONG(Offset);
      DWORD done = 0;
      return !(Cancelled && Cancelled->load()) && SetFilePointerEx(Handle_, at, nullptr, FILE_BEGIN) &&
             ReadFile(Handle_, Buffer, DWORD(Count), &done, nullptr) && done == Count;
    };
  }

 private:
  HANDLE Handle_;
  std::uint64_t Size_ = 0;
};

DWORD WINAPI WalkThread(void* Param) {
  const std::unique_ptr<std::shared_ptr<TFragmentsWalk::TState>> held(
      static_cast<std::shared_ptr<TFragmentsWalk::TState>*>(Param));
  TFragmentsWalk::TState& state = **held;
  NameCurrentThread(L"lc fragments walk");
  const TMovieFile file(state.FileName);
  const std::int64_t end = file.Open() ? IsoMediaFragmentsEnd(file.Reader(&state.Cancelled), file.Size()).End : 0;
  if (state.Cancelled.load()) return 0;
  state.End.store(end);
  state.Ended.store(true);
  PostMessageW(state.Window, state.Message, 0, 0);
  return 0;
}

}  // namespace

TFileTiming ReadFileTiming(const std::wstring& FileName) {
  const TMovieFile file(FileName);
  if (!file.Open()) return {};
  const TReadAt read = file.Reader();
  TFileTiming timing;
  timing.PictureStart = IsoMediaPictureStart(read, file.Size());
  timing.KeyFrames = AviKeyFrames(read, file.Size());
  const TFragmentsEnd fragments = IsoMediaFragmentsEnd(read, file.Size(), kOpeningWalkReads);
  timing.StreamsEnd = std::max<REFERENCE_TIME>(AviStreamsEnd(read, file.Size()), fragments.End);
  timing.EndEstimated = !fragments.Whole;
  return timing;
}

TFragmentsWalk::TFragmentsWalk(const std::wstring& FileName, HWND Window, UINT Message)
    : State_(std::make_shared<TState>()) {
  State_->FileName = FileName;
  State_->Window = Window;
  State_->Message = Message;
  auto held = std::make_unique<std::shared_ptr<TState>>(State_);
  const HANDLE thread = CreateThread(nullptr, 0, WalkThread, held.get(), 0, nullptr);
  if (thread == nullptr) return;
  held.release();
  CloseHandle(thread);
}

TFragmentsWalk::~TFragmentsWalk() { State_->Cancelled.store(true); }

std::optional<REFERENCE_TIME> TFragmentsWalk::End() const {
  if (!State_->Ended.load()) return std::nullopt;
  return State_->End.load();
}
