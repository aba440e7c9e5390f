// What the graph component reads from the file of a movie it rendered: the
// window-free readers of a movie's headers (movie_start.h, avi_streams.h,
// movie_fragments.h) over the platform's file calls. At the opening the
// walk over a fragmented MP4's top level is bounded; where it stops short,
// TFragmentsWalk makes the rest on a thread of its own.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/movie_start.h"

struct TFileTiming {
  // movie_start.h: where an MP4's picture starts in its time stamps; where
  // an AVI's key frames lie and how far ahead of their time each is stored.
  REFERENCE_TIME PictureStart = 0;
  TAviKeyFrames KeyFrames;
  // Where the movie's streams end by its file (100 ns): its longest
  // stream for an AVI, the end of its fragments for a fragmented MP4; 0
  // for other files and where the file does not tell.
  REFERENCE_TIME StreamsEnd = 0;
  // StreamsEnd is an estimate: the fragments' walk stopped after
  // kOpeningWalkReads reads, and TFragmentsWalk must find the end.
  bool EndEstimated = false;
};

// Reads what the file tells; nothing when it cannot be opened. GUI thread,
// at the opening.
TFileTiming ReadFileTiming(const std::wstring& FileName);

// The walk over a fragmented MP4's whole top level to the end of its
// samples (IsoMediaFragmentsEnd without a bound), on a thread of its own
// that opens the file again. Once the end is known it posts Message to
// Window; the window's thread then reads it with End.
class TFragmentsWalk {
 public:
  TFragmentsWalk(const std::wstring& FileName, HWND Window, UINT Message);
  // Cancels a walk under way without waiting: its reads fail from then on,
  // and it ends on its own without posting.
  ~TFragmentsWalk();
  TFragmentsWalk(const TFragmentsWalk&) = delete;
  TFragmentsWalk& operator=(const TFragmentsWalk&) = delete;

  // The end found (100 ns, 0 where the fragments do not tell), once the
  // walk has ended; nothing before, or when it could not start. Any thread.
  std::optional<REFERENCE_TIME> End() const;

  struct TState;

 private:
  std::shared_ptr<TState> State_;
};
