// Shared DirectShow routines: error texts and checks, the running-object-
// table entry of a graph, filter and pin lists, the filter property dialog,
// and the replaceable way the graph component shows a message. The media-
// type routines (CopyMediaType, FreeMediaType, DeleteMediaType) are those of
// engine/filters/media_type.h. GUI thread unless said otherwise.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/filters/media_type.h"
#include "engine/graph/graph_math.h"

// A failed DirectShow call; ErrorCode keeps its result. The message is
// UTF-8.
class EDirectShowException : public std::runtime_error {
 public:
  EDirectShowException(const std::string& Message, HRESULT Code) : std::runtime_error(Message), ErrorCode(Code) {}
  HRESULT ErrorCode;
};

// The platform's error text for a result (AMGetErrorText, 255 characters);
// where the platform has no words for it, ours (error_texts.h).
std::wstring GetErrorString(HRESULT Code);
// The error text followed by " ($%X).": "... ($80040218)."
std::wstring FormatDSError(HRESULT Code);
// A failure raises EDirectShowException with FormatDSError's text; a
// success code is returned unchanged.
HRESULT CheckDSError(HRESULT Code);

// How the graph component shows a message to the user (by default the
// framework's plain message box, ShowMessage, titled with the application's
// title). Replaceable, so that a caller or a test can
// route the text elsewhere.
using TShowMessageProc = std::function<void(const std::wstring& Text)>;
void SetShowMessageProc(TShowMessageProc Proc);
void ShowGraphMessage(const std::wstring& Text);

// Registers the graph in the running object table under "FilterGraph %p
// pid %x"; any failing step returns its result.
HRESULT AddGraphToRot(IUnknown* Graph, DWORD& Cookie);
HRESULT RemoveGraphFromRot(DWORD Cookie);

// The filters of a graph in enumeration order (each referenced).
class TFilterList {
 public:
  explicit TFilterList(IFilterGraph* Graph);
  ~TFilterList();
  TFilterList(const TFilterList&) = delete;
  TFilterList& operator=(const TFilterList&) = delete;

  int Count() const { return static_cast<int>(Items_.size()); }
  IBaseFilter* GetFilter(int Index) const { return Items_[Index]; }
  int Add(IBaseFilter* Filter);
  // Removes the filter by interface identity; its former index or -1.
  int Remove(IBaseFilter* Filter);
  IFilterGraph* Graph() const { return Graph_; }

 private:
  IFilterGraph* Graph_;
  std::vector<IBaseFilter*> Items_;
};

// The pins of a filter in enumeration order (each referenced).
class TPinList {
 public:
  explicit TPinList(IBaseFilter* Filter);
  ~TPinList();
  TPinList(const TPinList&) = delete;
  TPinList& operator=(const TPinList&) = delete;

  int Count() const { return static_cast<int>(Items_.size()); }
  IPin* GetPin(int Index) const { return Items_[Index]; }
  int Add(IPin* Pin);

 private:
  IBaseFilter* Filter_;
  std::vector<IPin*> Items_;
};

// Shows a dialog for the filter: 0 its own property pages; 1..3 the
// capture display, format and source dialogs; 4 and 5 the compressor
// configuration and about boxes. S_FALSE for a nil filter or other kinds.
HRESULT ShowFilterPropertyPage(HWND Parent, IBaseFilter* Filter, int Kind);

// Clears the reference, then frees the object it held.
template <class T>
void FreeObjectAndNil(T*& Object) {
  T* held = Object;
  Object = nullptr;
  delete held;
}
