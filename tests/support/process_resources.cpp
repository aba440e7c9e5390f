#include "tests/support/process_resources.h"

#include <vector>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

namespace lctest {

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr ULONG kObjectTypeInformation = 2;

// One row of the system's handle list.
struct HandleRow {
  ULONG pid;
  BYTE type;
  BYTE flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};

template <class F>
F NtFunction(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

std::set<DWORD> ThreadsOf(DWORD pid) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::set<DWORD> ids;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == pid) ids.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return ids;
}

std::wstring HandleType(HANDLE process, USHORT value) {
  using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
  static const auto query = NtFunction<QueryObject>("NtQueryObject");
  HANDLE copy = nullptr;
  if (!DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)), GetCurrentProcess(), &copy, 0,
                       FALSE, DUPLICATE_SAME_ACCESS))
    return L"(not copied)";
  alignas(8) BYTE info[1024] = {};
  std::wstring type = L"(unknown)";
  if (query(copy, kObjectTypeInformation, info, sizeof info, nullptr) == 0) {
    const auto* name = reinterpret_cast<const UNICODE_STRING*>(info);
    type.assign(name->Buffer, name->Length / sizeof(wchar_t));
  }
  CloseHandle(copy);
  return type;
}

std::map<ULONG_PTR, std::wstring> HandlesOf(DWORD pid, HANDLE process) {
  using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  static const auto query = NtFunction<QuerySystem>("NtQuerySystemInformation");
  std::map<ULONG_PTR, std::wstring> types;
  std::vector<BYTE> list(1 << 20);
  ULONG length = 0;
  LONG status = 0;
  while ((status = query(kSystemHandleInformation, list.data(), ULONG(list.size()), &length)) != 0 &&
         list.size() < (1u << 26))
    list.resize(list.size() * 2);
  if (status != 0) return types;
  const ULONG count = *reinterpret_cast<const ULONG*>(list.data());
  const auto* rows = reinterpret_cast<const HandleRow*>(list.data() + sizeof(ULONG_PTR));
  for (ULONG i = 0; i < count; ++i)
    if (rows[i].pid == pid) types[rows[i].value] = HandleType(process, rows[i].value);
  return types;
}

// The private memory committed in the process's address space as the
// system keeps it (VirtualQueryEx), in MB.
double CommittedOf(HANDLE process) {
  double bytes = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (ULONG_PTR at = 0; VirtualQueryEx(process, reinterpret_cast<void*>(at), &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += double(region.RegionSize);
    const ULONG_PTR next = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return bytes / 1048576.0;
}

// Counts the threads and the handles by type from their lists.
void CountLists(ProcessResources& r) {
  r.threads = int(r.threadIds.size());
  r.handles.clear();
  for (const auto& [value, type] : r.handleTypes) ++r.handles[type];
}

}  // namespace

int ProcessResources::Handles(const wchar_t* type) const {
  const auto found = handles.find(type);
  return found == handles.end() ? 0 : found->second;
}

std::string ProcessResources::HandlesBut(const wchar_t* first, const wchar_t* second) const {
  std::string text;
  for (const auto& [type, count] : handles)
    if (type != first && type != second) text += std::string(type.begin(), type.end()) + " " + std::to_string(count) + "; ";
  return text;
}

ProcessResources MeasureProcess(DWORD pid, HANDLE process) {
  ProcessResources r;
  r.threadIds = ThreadsOf(pid);
  r.handleTypes = HandlesOf(pid, process);
  CountLists(r);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, &memory, sizeof memory)) r.privateMB = memory.PagefileUsage / 1048576.0;
  r.committedMB = CommittedOf(process);
  return r;
}

ProcessResources MeasureKept(DWORD pid, HANDLE process, DWORD settleMs) {
  const ProcessResources first = MeasureProcess(pid, process);
  Sleep(settleMs);
  ProcessResources kept = MeasureProcess(pid, process);
  const std::size_t seen = first.threadIds.size() + first.handleTypes.size() + kept.threadIds.size() +
                           kept.handleTypes.size();
  std::erase_if(kept.threadIds, [&](DWORD id) { return !first.threadIds.count(id); });
  std::erase_if(kept.handleTypes, [&](const auto& handle) {
    const auto before = first.handleTypes.find(handle.first);
    return before == first.handleTypes.end() || before->second != handle.second;
  });
  CountLists(kept);
  kept.passing = int(seen - 2 * (kept.threadIds.size() + kept.handleTypes.size()));
  return kept;
}

}  // namespace lctest
