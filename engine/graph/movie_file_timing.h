// What the graph component reads from the file of a movie it rendered: the
// window-free readers of a movie's headers (movie_start.h, avi_streams.h,
// movie_fragments.h) over the platform's file calls.
#pragma once

#include <string>

#include <windows.h>
#include <dshow.h>

#include "engine/graph/movie_start.h"

struct TFileTiming {
  // movie_start.h: where an MP4's picture starts in its time stamps; how
  // far ahead of their time an AVI's key frames are stored.
  REFERENCE_TIME PictureStart = 0;
  TKeyFrameLead KeyFrameLead;
  // Where the movie's streams end by its file (100 ns): its longest
  // stream for an AVI, the end of its fragments for a fragmented MP4; 0
  // for other files and where the file does not tell.
  REFERENCE_TIME StreamsEnd = 0;
};

// Reads what the file tells; nothing when it cannot be opened. GUI thread,
// at the opening.
TFileTiming ReadFileTiming(const std::wstring& FileName);
