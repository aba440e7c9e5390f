#include "engine/graph/movie_file_timing.h"

#include <algorithm>
#include <cstdint>

#include "engine/graph/avi_streams.h"
#include "engine/graph/movie_fragments.h"

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
  TReadAt Reader() const {
    return [this](std::uint64_t Offset, void* Buffer, std::size_t Count) {
      LARGE_INTEGER at{};
      at.QuadPart = LONGLONG(Offset);
      DWORD done = 0;
      return SetFilePointerEx(Handle_, at, nullptr, FILE_BEGIN) &&
             ReadFile(Handle_, Buffer, DWORD(Count), &done, nullptr) && done == Count;
    };
  }

 private:
  HANDLE Handle_;
  std::uint64_t Size_ = 0;
};

}  // namespace

TFileTiming ReadFileTiming(const std::wstring& FileName) {
  const TMovieFile file(FileName);
  if (!file.Open()) return {};
  const TReadAt read = file.Reader();
  TFileTiming timing;
  timing.PictureStart = IsoMediaPictureStart(read, file.Size());
  timing.KeyFrameLead = AviKeyFrameLead(read, file.Size());
  timing.StreamsEnd =
      std::max<REFERENCE_TIME>(AviStreamsEnd(read, file.Size()), IsoMediaFragmentsEnd(read, file.Size()));
  return timing;
}
