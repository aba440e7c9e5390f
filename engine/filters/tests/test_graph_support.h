// Helpers for tests that build and run real DirectShow graphs under Wine:
// COM for the test thread, a message pump with a deadline, WAV files read
// back for comparison, and a hand-built wave source.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

namespace lctest {

// COM (apartment-threaded) for the lifetime of the object.
class TComScope {
 public:
  TComScope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~TComScope() { CoUninitialize(); }
};

// Pumps this thread's messages until Done() holds or TimeoutMs passed;
// returns Done().
bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs);

// The format and the data chunk of a WAV file.
struct TWavFile {
  bool Ok = false;
  WORD Tag = 0;  // WAVE_FORMAT_EXTENSIBLE resolved to its sub-format's tag
  int Channels = 0;
  int Rate = 0;
  int Bits = 0;
  std::vector<uint8_t> Data;
};
TWavFile ReadWav(const std::wstring& Path);

// Adds a File Source and the platform's WAVE parser for Path to Graph and
// connects them; returns the parser's output pin (referenced) or nullptr.
IPin* AddWaveSource(IGraphBuilder* Graph, const std::wstring& Path);

// The first pin of Filter in Direction (referenced), or nullptr.
IPin* FindPin(IBaseFilter* Filter, PIN_DIRECTION Direction);

// The names of the filters in Graph, in enumeration order.
std::vector<std::wstring> FilterNames(IFilterGraph* Graph);

// Keeps the platform's video renderer window of a rendered graph hidden, so
// that a test playing movies never covers the windows other test programs
// read back from the shared display. A graph without video is left alone.
void KeepVideoHidden(IUnknown* Graph);

}  // namespace lctest
