#include "tests/support/program_copy.h"

#include <fstream>
#include <iterator>

#include <shlobj.h>

#include "player/handover.h"
#include "framework/messages.h"
#include "tests/support/process.h"

namespace lctest {

namespace {

std::wstring AppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Deletes the files of a folder (not its subfolders) and the folder.
void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

ProgramCopy::ProgramCopy(const std::wstring& baseName, Build build)
    : ProgramCopy(baseName, WindowsPath(build == Build::Test ? LC_EXE_PATH : LC_SHIPPED_EXE_PATH)) {}

ProgramCopy::ProgramCopy(const std::wstring& baseName, const std::wstring& sourceExe) : base_(baseName) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"lc-" + baseName + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder_.c_str(), nullptr);
  exe_ = folder_ + baseName + L".exe";
  CopyFileW(sourceExe.c_str(), exe_.c_str(), FALSE);
  data_ = AppDataFolder() + L"\\" + baseName + L"\\";
  RemoveFolder(data_);
}

ProgramCopy::~ProgramCopy() {
  RemoveFolder(folder_);
  RemoveFolder(data_);
}

DWORD ProgramCopy::RunToEnd(const std::wstring& args, DWORD ms) const {
  ChildProcess run(exe_, args);
  return run.Wait(ms);
}

void ProgramCopy::Uninstall() const { RunToEnd(L"/uninstall"); }

void WriteSettingsFile(const std::wstring& path, const std::vector<std::string>& lines) {
  std::string text = "[Configuration]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  WriteFileText(path, text);
}

std::string SettingsValue(const std::wstring& path, const std::string& key) {
  const std::string text = ReadFileText(path);
  const std::string prefix = "\r\n" + key + "=";
  const size_t at = text.find(prefix);
  if (at == std::string::npos) return "<missing>";
  const size_t begin = at + prefix.size();
  return text.substr(begin, text.find("\r\n", begin) - begin);
}

std::string ReadFileText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileText(const std::wstring& path, const std::string& text) {
  CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
  std::ofstream(path.c_str(), std::ios::binary) << text;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

FILETIME WrittenAt(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return data.ftLastWriteTime;
}

bool WaitUntilRewritten(const std::wstring& path, const FILETIME& before, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    const FILETIME now = WrittenAt(path);
    if ((now.dwLowDateTime || now.dwHighDateTime) && CompareFileTime(&before, &now) != 0) return true;
    if (GetTickCount() - start > ms) return false;
    Sleep(50);
  }
}

HWND WaitForVisibleMainWindow(DWORD pid, DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    HWND main = WaitForWindow(L"TfrmMain", pid, 100);
    if (main && IsWindowVisible(main)) return main;
  } while (GetTickCount() - start < ms);
  return nullptr;
}

namespace {

// The reply awaited: its tag and, once it came, its bytes.
ULONG_PTR gReplyTag = 0;
std::optional<std::string>* gReply = nullptr;

LRESULT CALLBACK ReplyProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  if (msg == WM_COPYDATA && gReply && data && data->dwData == gReplyTag) {
    *gReply = std::string(static_cast<const char*>(data->lpData), data->cbData);
    return 1;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// Sends `query` to the main window with a window of ours for the reply,
// which comes as WM_COPYDATA tagged `tag`; nothing when none came.
std::optional<std::string> Ask(HWND mainWindow, UINT query, ULONG_PTR tag) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ReplyProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"LcTestReply";
  RegisterClassW(&wc);
  HWND reply = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                               nullptr);
  std::optional<std::string> text;
  gReply = &text;
  gReplyTag = tag;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(mainWindow, query, reinterpret_cast<WPARAM>(reply), 0, SMTO_NORMAL, 10000, &result);
  gReply = nullptr;
  DestroyWindow(reply);
  return text;
}

}  // namespace

std::optional<std::vector<std::string>> AskOpenFileList(HWND mainWindow) {
  const std::optional<std::string> text = Ask(mainWindow, WM_QUERYOPENFILELIST, kOpenFileListReply);
  if (!text) return std::nullopt;
  return lc::DecodeHandoverText(text->data(), text->size());
}

std::map<std::string, std::string> QueryFace(HWND mainWindow) {
  std::map<std::string, std::string> face;
  const std::string text = Ask(mainWindow, WM_QUERYFACE, kFaceReply).value_or("");
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) face[line.substr(0, equals)] = line.substr(equals + 1);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return face;
}

std::vector<std::string> QueryOpenFileList(HWND mainWindow) {
  return AskOpenFileList(mainWindow).value_or(std::vector<std::string>{});
}

RunningCopy::~RunningCopy() {
  if (Main) PostMessageW(Main, WM_CLOSE, 0, 0);
  if (App) App->Wait(30000);
  Copy.Uninstall();
}

bool RunningCopy::Start(const std::wstring& movie) {
  App = std::make_unique<ChildProcess>(Copy.Exe(), L"\"" + movie + L"\"");
  Main = WaitForVisibleMainWindow(App->Id(), 30000);
  HWND video = WaitForWindow(L"TfrmVideoWindow", App->Id(), 10000, true);
  if (video) Control = FindWindowExW(video, nullptr, L"TDSVideoWindowEx2", nullptr);
  return Main && Control;
}

RECT RunningCopy::MainOverControl() const {
  RECT r{};
  GetWindowRect(Main, &r);
  MapWindowPoints(nullptr, Control, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace lctest
