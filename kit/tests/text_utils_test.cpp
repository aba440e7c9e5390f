#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/text_utils.h"

TEST(CountSubstr, CountsNonOverlappingMatchesLeftToRight) {
  struct Case { const char* Sub; const char* S; int Count; } Cases[] = {
      {"aa", "aaaa", 2}, {"aa", "aaa", 1}, {"a", "banana", 3},
      {"ana", "banana", 1}, {"x", "banana", 0}, {"banana!", "banana", 0},
      {"%s", "File %s of %s", 2}, {"a", "", 0}};
  for (const auto& C : Cases)
    EXPECT_EQ(C.Count, CountSubstr(C.Sub, C.S)) << C.Sub << " in " << C.S;
  EXPECT_EQ(2, CountSubstr(std::wstring_view(L"aa"), std::wstring_view(L"aaaa")));
}

TEST(CountSubstr, EmptyPatternOccursNowhere) {
  EXPECT_EQ(0, CountSubstr("", "abc"));
  EXPECT_EQ(0, CountSubstr("", ""));
  EXPECT_EQ(0, CountSubstr(std::wstring_view(), std::wstring_view(L"abc")));
}

TEST(WideReplaceAll, ReplacesEveryMatchScanningFromTheStart) {
  struct Case { const wchar_t *S, *Old, *New, *Out; } Cases[] = {
      {L"aaa", L"aa", L"b", L"ba"},
      {L"a|b|c", L"|", L"\r\n", L"a\r\nb\r\nc"},
      {L"abc", L"abc", L"", L""},
      {L"xabcx", L"abc", L"Y", L"xYx"},
      {L"ab", L"abc", L"Y", L"ab"},     // shorter than the pattern
      {L"abc", L"", L"Y", L"abc"},      // empty pattern
      {L"ABC", L"b", L"x", L"ABC"},     // case-sensitive
      {L"", L"a", L"b", L""},
      {L"aXbX", L"X", L"XX", L"aXXbXX"}};  // replacement is not rescanned
  for (const auto& C : Cases)
    EXPECT_EQ(std::wstring(C.Out), WideReplaceAll(C.S, C.Old, C.New));
}

TEST(SplitAtChar, TakesTheFieldBeforeTheFirstDelimiter) {
  std::wstring S = L"1024x768";
  std::wstring Head;
  SplitAtChar(S, L'x', Head);
  EXPECT_EQ(L"1024", Head);
  EXPECT_EQ(L"768", S);
  SplitAtChar(S, L'x', Head);
  EXPECT_EQ(L"768", Head);
  EXPECT_EQ(L"", S);

  std::string T = "a,,b";
  std::string H;
  SplitAtChar(T, ',', H);
  EXPECT_EQ("a", H);
  EXPECT_EQ(",b", T);
  SplitAtChar(T, ',', H);
  EXPECT_EQ("", H);
  EXPECT_EQ("b", T);
}

TEST(LoCaseCP1250, LowersTheCentralEuropeanLetters) {
  struct Case { int In, Out; } Cases[] = {
      {65, 97}, {90, 122}, {97, 97}, {64, 64}, {91, 91},
      {138, 154}, {140, 156}, {143, 159}, {139, 139}, {144, 144},
      {163, 179}, {170, 186}, {175, 191}, {165, 185}, {188, 190},
      {192, 224}, {214, 246}, {215, 215}, {216, 248}, {222, 254},
      {223, 223}, {224, 224}, {255, 255}, {0, 0}};
  for (const auto& C : Cases) {
    char Out = LoCaseCP1250(static_cast<char>(C.In));
    EXPECT_EQ(C.Out, static_cast<unsigned char>(Out)) << C.In;
  }
}

TEST(DriveNumber, LettersOnly) {
  EXPECT_EQ(1, DriveNumber(L'A'));
  EXPECT_EQ(1, DriveNumber(L'a'));
  EXPECT_EQ(3, DriveNumber(L'c'));
  EXPECT_EQ(26, DriveNumber(L'Z'));
  for (wchar_t C : {L'@', L'[', L'`', L'{', L'0', L'\\', L'\0', L'\x00C4'})
    EXPECT_EQ(0, DriveNumber(C)) << static_cast<int>(C);
}

namespace {

// Runs the folder walk against a set of existing folders, recording every try.
struct TFolderWalk {
  explicit TFolderWalk(std::vector<std::wstring> E) : Existing(std::move(E)) {}

  std::vector<std::wstring> Existing;
  std::vector<std::wstring> Tried;
  std::wstring Set;

  bool Run(const std::wstring& Path) {
    return WalkToFolderOrParent(Path, [this](const std::wstring& P) {
      Tried.push_back(P);
      for (const auto& E : Existing)
        if (E == P) {
          Set = P;
          return true;
        }
      return false;
    });
  }
};

}  // namespace

TEST(ChangeToFolderOrParent, SetsTheDeepestExistingParent) {
  TFolderWalk W{{L"c:\\", L"c:\\movies"}};
  EXPECT_TRUE(W.Run(L"c:\\movies\\a\\b\\c"));
  EXPECT_EQ(L"c:\\movies", W.Set);
  EXPECT_EQ((std::vector<std::wstring>{L"c:\\movies\\a\\b\\c", L"c:\\movies\\a\\b",
                                       L"c:\\movies\\a", L"c:\\movies"}),
            W.Tried);
}

TEST(ChangeToFolderOrParent, FallsBackToTheDriveRoot) {
  // The first and last drive letters walk up like any other.
  for (const std::wstring Root : {L"a:\\", L"z:\\"}) {
    TFolderWalk Edge{{Root}};
    EXPECT_TRUE(Edge.Run(Root + L"x\\y")) << Root.c_str();
    EXPECT_EQ(Root, Edge.Set);
  }
  TFolderWalk W{{L"c:\\"}};
  EXPECT_TRUE(W.Run(L"c:\\x\\y\\z"));
  EXPECT_EQ(L"c:\\", W.Set);
  TFolderWalk Trailing{{L"c:\\"}};
  EXPECT_TRUE(Trailing.Run(L"c:\\x\\"));
  EXPECT_EQ((std::vector<std::wstring>{L"c:\\x\\", L"c:\\x", L"c:\\"}),
            Trailing.Tried);
}

TEST(ChangeToFolderOrParent, FailsOnAMissingDriveAfterTryingItsRoot) {
  TFolderWalk W{{L"c:\\"}};
  EXPECT_FALSE(W.Run(L"q:\\a\\b"));
  EXPECT_EQ((std::vector<std::wstring>{L"q:\\a\\b", L"q:\\a", L"q:\\"}), W.Tried);
}

TEST(ChangeToFolderOrParent, ShortRelativeAndOtherFormsFail) {
  TFolderWalk Short{{L"c:"}};
  EXPECT_FALSE(Short.Run(L"c:"));
  EXPECT_TRUE(Short.Tried.empty());
  TFolderWalk Relative{{L"c:\\"}};
  EXPECT_FALSE(Relative.Run(L"movies\\old"));
  EXPECT_EQ((std::vector<std::wstring>{L"movies\\old"}), Relative.Tried);
  TFolderWalk Upper{{L"c:\\"}};  // the caller lower-cases first
  EXPECT_FALSE(Upper.Run(L"C:\\x"));
}

TEST(ChangeToFolderOrParent, WalksUpANetworkPath) {
  TFolderWalk FirstServer{{L"\\\\a\\s"}};
  EXPECT_TRUE(FirstServer.Run(L"\\\\a\\s\\d"));
  EXPECT_EQ(L"\\\\a\\s", FirstServer.Set);
  TFolderWalk W{{L"\\\\server\\share"}};
  EXPECT_TRUE(W.Run(L"\\\\server\\share\\dir\\sub"));
  EXPECT_EQ(L"\\\\server\\share", W.Set);
  TFolderWalk None{std::vector<std::wstring>{}};
  EXPECT_FALSE(None.Run(L"\\\\server\\share"));
  EXPECT_EQ((std::vector<std::wstring>{L"\\\\server\\share", L"\\\\server", L"\\\\"}),
            None.Tried);
}
