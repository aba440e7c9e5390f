// TGraphSite: the site the graph component (TFilterGraph) gives each of
// its graphs. Through it the graph builder asks whether a filter it chose
// may join (IAMGraphBuilderCallback), tells of a filter it created and of
// a pin it cannot render (IAMFilterGraphCallback), and finds the component
// (IServiceProvider, GraphComponentService).
//
// The graph calls the site on its own threads (the render runs on the
// graph's worker thread, the platform creates filters on a thread of its
// own). Each callback is carried to the GUI thread by a message sent to the
// component's event window, and the component's handlers run there; the
// calling thread waits for the answer. Once cut from its component (the
// component lets go of the graph, or leaves it to end on its own), the site
// answers every callback as without handlers and reaches nothing of the
// component's.
#pragma once

#include <atomic>
#include <functional>

#include <windows.h>
#include <dshow.h>

class TFilterGraph;

// The graph's filter-graph callback with the platform's documented calling
// convention (the toolchain's declaration lacks it).
struct IFilterGraphCallbackStd : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE UnableToRender(IPin* Pin) = 0;
};
extern const IID IID_IAMFilterGraphCallbackStd;

class TGraphSite : public IServiceProvider, public IAMGraphBuilderCallback, public IFilterGraphCallbackStd {
 public:
  // The site of one graph of Owner, whose callbacks are carried to the
  // thread of Window (the owner's event window). One reference.
  TGraphSite(TFilterGraph* Owner, HWND Window);
  TGraphSite(const TGraphSite&) = delete;
  TGraphSite& operator=(const TGraphSite&) = delete;

  // From now on no callback reaches the owner. GUI thread.
  void Cut() { Owner_.store(nullptr); }

  // The event window's answer to WM_GRAPHCALLBACK: runs the call whose
  // address is in LParam. GUI thread.
  static LRESULT RunSentCall(LPARAM Call);

  // IUnknown (reference counted, any thread).
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IServiceProvider: the owner for GraphComponentService while not cut.
  STDMETHODIMP QueryService(REFGUID Service, REFIID Iid, void** Object) override;
  // IAMGraphBuilderCallback
  STDMETHODIMP SelectedFilter(IMoniker* Moniker) override;
  STDMETHODIMP CreatedFilter(IBaseFilter* Filter) override;
  // IAMFilterGraphCallback
  HRESULT STDMETHODCALLTYPE UnableToRender(IPin* Pin) override;

 private:
  virtual ~TGraphSite() = default;
  // Runs Call with the owner on the GUI thread and gives its result;
  // Default when the site is cut (then or by the time the GUI thread
  // takes the call) or the event window is gone.
  HRESULT OnGuiThread(const std::function<HRESULT(TFilterGraph&)>& Call, HRESULT Default);

  std::atomic<TFilterGraph*> Owner_;
  const HWND Window_;
  std::atomic<ULONG> Refs_{1};
};
