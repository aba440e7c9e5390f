// The two ways a component attaches to the graph component (TFilterGraph):
// its filter joins every graph (IFilterComponent), and it hears every graph
// event and control operation (IGraphEventSink). The components are owned
// elsewhere and outlive their registration; the graph component keeps plain
// pointers. GUI thread.
#pragma once

#include <string>

#include <windows.h>
#include <dshow.h>

// Filter operations passed to IFilterComponent::NotifyFilter.
enum TFilterOperation {
  foAdding = 0,    // the filter is about to be added
  foAdded = 1,     // it was added
  foRemoving = 2,  // it is about to be removed
  foRemoved = 3,   // it was removed
  // The graph did not let go in time (a stop or a render the platform did
  // not end) and is left to end on its own with the filter in it: the
  // component lets go of the filter without calling it and gives the next
  // graph a fresh one (GetFilter).
  foLeft = 4,
};

// Control operations passed to IGraphEventSink::ControlEvent. Codes 5 and 6
// are not sent.
enum TControlOperation {
  coPlay = 0,
  coPause = 1,
  coStop = 2,
  coRenderBefore = 3,
  coRenderAfter = 4,
  coActivation = 7,  // Param 1: the graph was just created; 0: it is about to go
};

class IFilterComponent {
 public:
  virtual ~IFilterComponent() = default;
  // The component's filter (not referenced).
  virtual IBaseFilter* GetFilter() = 0;
  // The name under which the filter is added to the graph.
  virtual std::wstring GetName() = 0;
  // Operation: a TFilterOperation; Param is always 0.
  virtual void NotifyFilter(int Operation, int Param) = 0;
};

class IGraphEventSink {
 public:
  virtual ~IGraphEventSink() = default;
  // Every graph event, before the graph component's own events.
  virtual void GraphEvent(int Event, LONG_PTR Param1, LONG_PTR Param2) = 0;
  // Operation: a TControlOperation.
  virtual void ControlEvent(int Operation, int Param) = 0;
};
