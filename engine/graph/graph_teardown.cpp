#include "engine/graph/graph_teardown.h"

#include <memory>
#include <utility>

#include "framework/thread_name.h"

namespace {

// What the kept advises signal: one semaphore for the whole process, never
// waited on and never closed, since a clock's thread may signal it until
// that clock's last release, whoever makes it. Its count stays at most 1.
HANDLE WakeSemaphore() {
  static const HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 1, nullptr);
  return semaphore;
}

struct TReleaseJob {
  std::vector<IUnknown*> Objects;
};

DWORD WINAPI ReleaseThread(void* Param) {
  const std::unique_ptr<TReleaseJob> job(static_cast<TReleaseJob*>(Param));
  NameCurrentThread(L"lc graph release");
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  for (IUnknown* object : job->Objects) object->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

}  // namespace

IReferenceClock* NewWakefulSystemClock() {
  IReferenceClock* clock = nullptr;
  if (FAILED(CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                              reinterpret_cast<void**>(&clock))))
    return nullptr;
  REFERENCE_TIME now = 0;
  DWORD_PTR cookie = 0;
  const HANDLE semaphore = WakeSemaphore();
  if (semaphore == nullptr || FAILED(clock->GetTime(&now)) ||
      FAILED(clock->AdvisePeriodic(now + kClockWakePeriod, kClockWakePeriod, reinterpret_cast<HSEMAPHORE>(semaphore),
                                   &cookie))) {
    clock->Release();
    return nullptr;
  }
  return clock;
}

bool ReleaseWithin(std::vector<IUnknown*> Objects, DWORD Ms) {
  auto job = std::make_unique<TReleaseJob>(TReleaseJob{std::move(Objects)});
  const HANDLE thread = CreateThread(nullptr, 0, ReleaseThread, job.get(), 0, nullptr);
  if (thread == nullptr) {
    for (IUnknown* object : job->Objects) object->Release();
    return true;
  }
  job.release();
  const bool ended = WaitForSingleObject(thread, Ms) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return ended;
}
