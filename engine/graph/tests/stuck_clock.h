// A reference clock whose last release does not end until the test lets
// it (or 30 s passed), as the platform's clock now and then does not; it
// tells whether that release has ended and on which thread it ran.
#pragma once

#include <atomic>

#include <windows.h>
#include <dshow.h>

namespace lctest {

class TStuckClock : public IReferenceClock {
 public:
  ~TStuckClock() {
    CloseHandle(Free_);
    CloseHandle(Released_);
  }
  void LetGo() { SetEvent(Free_); }
  // Whether the last release ended, waiting up to Ms for it.
  bool Released(DWORD Ms = 0) const { return WaitForSingleObject(Released_, Ms) == WAIT_OBJECT_0; }
  DWORD ReleasedOn() const { return ReleasedOn_.load(); }

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override {
    *Object = Iid == IID_IUnknown || Iid == IID_IReferenceClock ? static_cast<IReferenceClock*>(this) : nullptr;
    if (*Object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++Refs_; }
  // The object stays (the test owns it); the last release waits, then
  // records its end.
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG refs = --Refs_;
    if (refs == 0) {
      WaitForSingleObject(Free_, 30000);
      ReleasedOn_.store(GetCurrentThreadId());
      SetEvent(Released_);
    }
    return refs;
  }
  STDMETHODIMP GetTime(REFERENCE_TIME* Time) override {
    *Time = REFERENCE_TIME(GetTickCount64()) * 10000;
    return S_OK;
  }
  STDMETHODIMP AdviseTime(REFERENCE_TIME, REFERENCE_TIME, HEVENT, DWORD_PTR*) override { return E_NOTIMPL; }
  STDMETHODIMP AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR*) override { return E_NOTIMPL; }
  STDMETHODIMP Unadvise(DWORD_PTR) override { return S_FALSE; }

 private:
  std::atomic<ULONG> Refs_{1};
  std::atomic<DWORD> ReleasedOn_{0};
  HANDLE Free_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE Released_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

}  // namespace lctest
