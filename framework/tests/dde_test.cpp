// DDE between two processes: this test program starts a copy of itself as
// the server (DdeServerProcess.Serve, which only serves when started so)
// and sends it macros as a second instance of the player would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/dde.h"
#include "framework/unicode.h"
#include "tests/support/process.h"

namespace {

// Each macro the server received, its lines joined by "\n", as records
// ended by U+001F in a UTF-16 file.
constexpr wchar_t kRecordEnd = 0x1F;

std::wstring Env(const wchar_t* Name) {
  wchar_t Value[512] = {};
  DWORD N = GetEnvironmentVariableW(Name, Value, 512);
  return N && N < 512 ? Value : L"";
}

TEST(DdeServerProcess, Serve) {
  std::wstring Service = Env(L"LC_DDE_SERVICE");
  if (Service.empty()) GTEST_SKIP() << "serves only when started by the client tests";
  std::wstring LogPath = Env(L"LC_DDE_LOG");
  TDdeServerConv Server(Service, L"System");
  bool Quit = false;
  Server.OnExecuteMacro = [&](TComponent*, const std::vector<std::wstring>& Lines) {
    std::wstring Record;
    for (size_t I = 0; I < Lines.size(); ++I) Record += (I ? L"\n" : L"") + Lines[I];
    Record += kRecordEnd;
    std::ofstream(LogPath.c_str(), std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(Record.data()), Record.size() * sizeof(wchar_t));
    if (!Lines.empty() && Lines[0] == L"/Hang") Sleep(600000);
    if (!Lines.empty() && Lines[0] == L"/Quit") Quit = true;
  };
  HANDLE Ready = CreateEventW(nullptr, TRUE, FALSE, (L"LcDdeReady" + Service).c_str());
  SetEvent(Ready);
  SetTimer(nullptr, 0, 100, nullptr);  // wakes the loop to look at the clock
  DWORD Start = GetTickCount();
  while (!Quit && GetTickCount() - Start < 60000) Application.HandleMessage();
  CloseHandle(Ready);
}

class DdeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Service = L"LcDdeProbe" + std::to_wstring(GetCurrentProcessId()) + L"_" +
              std::to_wstring(++Serial);
    wchar_t Temp[MAX_PATH];
    GetTempPathW(MAX_PATH, Temp);
    LogPath = std::wstring(Temp) + Service + L".log";
    DeleteFileW(LogPath.c_str());
  }
  void TearDown() override { DeleteFileW(LogPath.c_str()); }

  // Starts the server process and waits until it serves.
  std::unique_ptr<lctest::ChildProcess> StartServer() {
    SetEnvironmentVariableW(L"LC_DDE_SERVICE", Service.c_str());
    SetEnvironmentVariableW(L"LC_DDE_LOG", LogPath.c_str());
    HANDLE Ready = CreateEventW(nullptr, TRUE, FALSE, (L"LcDdeReady" + Service).c_str());
    wchar_t Exe[MAX_PATH];
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    auto Child = std::make_unique<lctest::ChildProcess>(
        Exe, L"--gtest_filter=DdeServerProcess.Serve");
    SetEnvironmentVariableW(L"LC_DDE_SERVICE", nullptr);
    EXPECT_EQ(WaitForSingleObject(Ready, 20000), WAIT_OBJECT_0);
    CloseHandle(Ready);
    return Child;
  }
  std::vector<std::wstring> Records() {
    std::ifstream In(LogPath.c_str(), std::ios::binary);
    std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    std::wstring Text(reinterpret_cast<const wchar_t*>(Bytes.data()), Bytes.size() / 2);
    std::vector<std::wstring> Result;
    size_t Start = 0;
    for (size_t End; (End = Text.find(kRecordEnd, Start)) != std::wstring::npos; Start = End + 1)
      Result.push_back(Text.substr(Start, End - Start));
    return Result;
  }
  static inline int Serial = 0;
  std::wstring Service;
  std::wstring LogPath;
};

TEST_F(DdeTest, MacrosReachTheServerOnceWithTheirTextIntact) {
  auto Server = StartServer();
  ASSERT_TRUE(Server->Started());
  const std::wstring Play = L"/Play C:\\Movies\\\u00DCn\u00EFc\u00F6d\u00E9 \u65E5\u672C.avi";
  EXPECT_EQ(DdeExecuteMacro(Service, L"System", Play), 0u);
  EXPECT_EQ(DdeExecuteMacro(Service, L"system", L"/AddFile a.avi\r\nsecond line\r\n"), 0u);
  EXPECT_EQ(DdeExecuteMacro(Service, L"Other", L"/Play x"),
            static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));
  EXPECT_EQ(DdeExecuteMacro(Service, L"System", L"/Quit"), 0u);
  EXPECT_EQ(Server->Wait(20000), 0u);
  EXPECT_EQ(Records(),
            (std::vector<std::wstring>{Play, L"/AddFile a.avi\nsecond line", L"/Quit"}));
}

TEST_F(DdeTest, UnknownServiceIsAnError) {
  EXPECT_EQ(DdeExecuteMacro(L"LcDdeNobodyServesThis", L"System", L"/Play x", 2000),
            static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));
}

TEST_F(DdeTest, EndedServerIsAnError) {
  auto Server = StartServer();
  ASSERT_TRUE(Server->Started());
  Server.reset();  // ends the process
  EXPECT_EQ(DdeExecuteMacro(Service, L"System", L"/Play x", 2000),
            static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));
}

TEST_F(DdeTest, HangingServerGivesAnErrorNotAHang) {
  auto Server = StartServer();
  ASSERT_TRUE(Server->Started());
  EXPECT_EQ(DdeExecuteMacro(Service, L"System", L"/Hang", 2000),
            static_cast<UINT>(DMLERR_EXECACKTIMEOUT));
  // Its window no longer answers at all now.
  UINT WhileHung = DdeExecuteMacro(Service, L"System", L"/Play x", 2000);
  EXPECT_TRUE(WhileHung == DMLERR_EXECACKTIMEOUT || WhileHung == DMLERR_NO_CONV_ESTABLISHED)
      << WhileHung;
  EXPECT_EQ(Records(), std::vector<std::wstring>{L"/Hang"});
}

// The bytes of a UTF-16 text with its terminating zero.
std::string Utf16Bytes(const std::wstring& Text) {
  return std::string(reinterpret_cast<const char*>(Text.c_str()), (Text.size() + 1) * 2);
}

TEST(DdeMacroText, EveryFormOfTheDataGivesTheText) {
  const std::wstring Text = L"/Play C:\\\u00C9t\u00E9 \u65E5.avi";
  const std::string Marked = "\xEF\xBB\xBF" + EncodeText(Text);
  // As our client sends it.
  EXPECT_EQ(DecodeMacro(Marked + std::string(1, '\0')), Text);
  // Taken for 8-bit text and widened in the system's code page.
  EXPECT_EQ(DecodeMacro(Utf16Bytes(DecodeText(Marked, CP_ACP))), Text);
  // UTF-16 from another client, with and without a byte-order mark.
  EXPECT_EQ(DecodeMacro(Utf16Bytes(Text)), Text);
  EXPECT_EQ(DecodeMacro(Utf16Bytes(L"\uFEFF" + Text)), Text);
  EXPECT_EQ(DecodeMacro(Utf16Bytes(L"/AddFile x") + "garbage"), L"/AddFile x");
  EXPECT_EQ(DecodeMacro(""), L"");
}

TEST(DdeMacroLines, SplitsAtLineEnds) {
  EXPECT_EQ(SplitMacroLines(L"/Play a\r\n/Play b\nc"),
            (std::vector<std::wstring>{L"/Play a", L"/Play b", L"c"}));
  EXPECT_EQ(SplitMacroLines(L"one\r\n"), std::vector<std::wstring>{L"one"});
  EXPECT_EQ(SplitMacroLines(L"a\r\n\r\nb"), (std::vector<std::wstring>{L"a", L"", L"b"}));
  EXPECT_TRUE(SplitMacroLines(L"").empty());
}

}  // namespace
