#include "framework/dde.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <future>
#include <map>
#include <thread>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/unicode.h"

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;
const std::string kUtf8Mark = "\xEF\xBB\xBF";

// Servers by their platform instance (the callback gets no object).
std::map<DWORD, TDdeServerConv*>& Servers() {
  static auto* Map = new std::map<DWORD, TDdeServerConv*>;
  return *Map;
}

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

// One client call with its own platform instance, on the calling thread.
UINT ExecuteOnce(const std::wstring& Service, const std::wstring& Topic,
                 const std::wstring& Macro, DWORD TimeoutMs) {
  DWORD Instance = 0;
  UINT Error = DdeInitializeW(&Instance, &ClientCallback, APPCMD_CLIENTONLY, 0);
  if (Error != DMLERR_NO_ERROR) return Error;
  HSZ ServiceHandle = DdeCreateStringHandleW(Instance, Service.c_str(), CP_WINUNICODE);
  HSZ TopicHandle = DdeCreateStringHandleW(Instance, Topic.c_str(), CP_WINUNICODE);
  HCONV Conv = DdeConnect(Instance, ServiceHandle, TopicHandle, nullptr);
  if (!Conv) {
    Error = DdeGetLastError(Instance);
    if (Error == DMLERR_NO_ERROR) Error = DMLERR_NO_CONV_ESTABLISHED;
  } else {
    // UTF-8 behind its byte-order mark: text without zero bytes, which no
    // platform's guess about the encoding of execute strings can cut short.
    std::string Text = kUtf8Mark + EncodeText(Macro);
    DWORD Result = 0;
    HDDEDATA Done = DdeClientTransaction(
        reinterpret_cast<BYTE*>(Text.data()), static_cast<DWORD>(Text.size() + 1), Conv, nullptr,
        0, XTYP_EXECUTE, TimeoutMs, &Result);
    Error = Done ? DMLERR_NO_ERROR : DdeGetLastError(Instance);
    if (!Done && Error == DMLERR_NO_ERROR) Error = DMLERR_NOTPROCESSED;
    DdeDisconnect(Conv);
  }
  if (ServiceHandle) DdeFreeStringHandle(Instance, ServiceHandle);
  if (TopicHandle) DdeFreeStringHandle(Instance, TopicHandle);
  DdeUninitialize(Instance);
  return Error;
}

}  // namespace

// ------------------------------------------------------- TDdeServerConv

TDdeServerConv::TDdeServerConv(const std::wstring& Service, const std::wstring& Topic)
    : FService(Service), FTopic(Topic) {
  UINT Error = DdeInitializeW(&FInstance, &Callback,
                              APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES |
                                  CBF_FAIL_REQUESTS | CBF_SKIP_ALLNOTIFICATIONS,
                              0);
  if (Error != DMLERR_NO_ERROR) throw EOSError("DdeInitialize failed");
  Servers()[FInstance] = this;
  FServiceHandle = DdeCreateStringHandleW(FInstance, Service.c_str(), CP_WINUNICODE);
  FTopicHandle = DdeCreateStringHandleW(FInstance, Topic.c_str(), CP_WINUNICODE);
  if (!FServiceHandle || !FTopicHandle ||
      !DdeNameService(FInstance, FServiceHandle, nullptr, DNS_REGISTER)) {
    Release();
    throw EOSError("DdeNameService failed");
  }
}

TDdeServerConv::~TDdeServerConv() { Release(); }

void TDdeServerConv::Release() {
  if (!FInstance) return;
  if (FServiceHandle) DdeNameService(FInstance, FServiceHandle, nullptr, DNS_UNREGISTER);
  if (FServiceHandle) DdeFreeStringHandle(FInstance, FServiceHandle);
  if (FTopicHandle) DdeFreeStringHandle(FInstance, FTopicHandle);
  DdeUninitialize(FInstance);
  Servers().erase(FInstance);
  FInstance = 0;
}

// The platform names no instance: servers are found by their names (string
// handles compare alike across instances, ignoring case).
HDDEDATA CALLBACK TDdeServerConv::Callback(UINT Type, UINT, HCONV, HSZ Hsz1, HSZ Hsz2,
                                           HDDEDATA Data, ULONG_PTR, ULONG_PTR) {
  switch (Type) {
    case XTYP_CONNECT:  // Hsz1 the topic, Hsz2 the service
      for (auto& [Instance, Server] : Servers())
        if (DdeCmpStringHandles(Hsz2, Server->FServiceHandle) == 0 &&
            DdeCmpStringHandles(Hsz1, Server->FTopicHandle) == 0)
          return reinterpret_cast<HDDEDATA>(TRUE);
      return nullptr;
    case XTYP_EXECUTE:  // Hsz1 the topic
      for (auto& [Instance, Server] : Servers())
        if (DdeCmpStringHandles(Hsz1, Server->FTopicHandle) == 0) return Server->Execute(Data);
      return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    default:
      return nullptr;
  }
}

HDDEDATA TDdeServerConv::Execute(HDDEDATA Data) {
  DWORD Size = DdeGetData(Data, nullptr, 0, 0);
  std::string Raw(Size, '\0');
  DdeGetData(Data, reinterpret_cast<BYTE*>(Raw.data()), Size, 0);
  try {
    if (OnExecuteMacro) OnExecuteMacro(this, SplitMacroLines(DecodeMacro(Raw)));
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

std::wstring DecodeMacro(const std::string& Raw) {
  auto UpToZero = [](std::string_view Bytes) { return Bytes.substr(0, Bytes.find('\0')); };
  // Our client's UTF-8, as sent.
  if (Raw.compare(0, 3, kUtf8Mark) == 0)
    return DecodeText(UpToZero(std::string_view(Raw).substr(3)));
  std::wstring Wide(reinterpret_cast<const wchar_t*>(Raw.data()), Raw.size() / sizeof(wchar_t));
  Wide.resize(std::min(Wide.size(), Wide.find(L'\0')));
  // Our client's UTF-8 taken for 8-bit text and widened in the system's
  // code page on the way: narrow it back.
  if (Wide.size() >= 3 && Wide[0] == 0xEF && Wide[1] == 0xBB && Wide[2] == 0xBF)
    return DecodeText(std::string_view(EncodeText(Wide, CP_ACP)).substr(3));
  // UTF-16 from any other client; a UTF-8 mark decoded by the platform
  // leaves a byte-order mark.
  if (!Wide.empty() && Wide.front() == kByteOrderMark) Wide.erase(0, 1);
  return Wide;
}

std::vector<std::wstring> SplitMacroLines(const std::wstring& Macro) {
  std::vector<std::wstring> Lines;
  size_t Start = 0;
  while (Start < Macro.size()) {
    size_t End = Macro.find(L'\n', Start);
    if (End == std::wstring::npos) End = Macro.size();
    size_t Stop = End > Start && Macro[End - 1] == L'\r' ? End - 1 : End;
    Lines.push_back(Macro.substr(Start, Stop - Start));
    Start = End + 1;
  }
  return Lines;
}

// ------------------------------------------------------------ the client

UINT DdeExecuteMacro(const std::wstring& Service, const std::wstring& Topic,
                     const std::wstring& Macro, DWORD TimeoutMs) {
  // The platform's connect asks every top-level window and waits for each;
  // a server that hangs must not hang us: the call runs on a thread of its
  // own and is given up after the time limit plus a second.
  auto Call = std::make_shared<std::packaged_task<UINT()>>(
      [Service, Topic, Macro, TimeoutMs] { return ExecuteOnce(Service, Topic, Macro, TimeoutMs); });
  std::future<UINT> Result = Call->get_future();
  std::thread([Call] { (*Call)(); }).detach();
  if (Result.wait_for(std::chrono::milliseconds(TimeoutMs + 1000)) != std::future_status::ready)
    return DMLERR_EXECACKTIMEOUT;
  return Result.get();
}
