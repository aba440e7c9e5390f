#include "kit/text_utils.h"

#include <algorithm>

namespace {

template <class Ch>
int CountIn(std::basic_string_view<Ch> Sub, std::basic_string_view<Ch> S) {
  if (Sub.empty()) return 0;
  int Count = 0;
  for (auto Pos = S.find(Sub); Pos != S.npos; Pos = S.find(Sub, Pos + Sub.size()))
    ++Count;
  return Count;
}

template <class Str, class Ch>
void SplitFront(Str& S, Ch Delim, Str& Head) {
  auto Pos = S.find(Delim);
  if (Pos == Str::npos) {
    Head = S;
    S.clear();
    return;
  }
  Head = S.substr(0, Pos);
  S.erase(0, Pos + 1);
}

bool IsLowerLetter(wchar_t C) { return C >= L'a' && C <= L'z'; }

// Cuts Path at its last backslash at index MinIndex or later; with none
// there it keeps the first Keep characters.
void CutAtLastBackslash(std::wstring& Path, std::size_t MinIndex,
                        std::size_t Keep) {
  auto Pos = Path.rfind(L'\\');
  if (Pos != std::wstring::npos && Pos >= MinIndex)
    Path.erase(Pos);
  else
    Path.erase(std::min(Keep, Path.size()));
}

}  // namespace

int CountSubstr(std::string_view Sub, std::string_view S) {
  return CountIn(Sub, S);
}

int CountSubstr(std::wstring_view Sub, std::wstring_view S) {
  return CountIn(Sub, S);
}

std::wstring WideReplaceAll(std::wstring_view S, std::wstring_view OldPattern,
                            std::wstring_view NewPattern) {
  if (OldPattern.empty() || S.size() < OldPattern.size())
    return std::wstring(S);
  std::wstring Result;
  std::size_t Start = 0;  // end of the previous match
  std::size_t Pos = 0;
  while (Pos + OldPattern.size() <= S.size()) {
    if (S.compare(Pos, OldPattern.size(), OldPattern) == 0) {
      Result.append(S.substr(Start, Pos - Start));
      Result.append(NewPattern);
      Pos += OldPattern.size();
      Start = Pos;
    } else {
      ++Pos;
    }
  }
  Result.append(S.substr(Start));
  return Result;
}

void SplitAtChar(std::wstring& S, wchar_t Delim, std::wstring& Head) {
  SplitFront(S, Delim, Head);
}

void SplitAtChar(std::string& S, char Delim, std::string& Head) {
  SplitFront(S, Delim, Head);
}

char LoCaseCP1250(char Ch) {
  int C = static_cast<unsigned char>(Ch);
  int L = C;
  if ((C >= 65 && C <= 90) || (C >= 192 && C <= 222 && C != 215))
    L = C + 32;
  else if (C == 138 || (C >= 140 && C <= 143) || C == 163 || C == 170 ||
           C == 175)
    L = C + 16;
  else if (C == 165)
    L = 185;
  else if (C == 188)
    L = 190;
  return static_cast<char>(static_cast<unsigned char>(L));
}

int DriveNumber(wchar_t Letter) {
  if (Letter >= L'a' && Letter <= L'z') return Letter - L'a' + 1;
  if (Letter >= L'A' && Letter <= L'Z') return Letter - L'A' + 1;
  return 0;
}

bool WalkToFolderOrParent(
    std::wstring Path,
    const std::function<bool(const std::wstring&)>& TrySetFolder) {
  if (Path.size() < 3) return false;
  const int Backslashes =
      static_cast<int>(std::count(Path.begin(), Path.end(), L'\\'));
  if (TrySetFolder(Path)) return true;

  const bool DrivePath =
      IsLowerLetter(Path[0]) && Path[1] == L':' && Path[2] == L'\\';
  const bool NetworkPath =
      Path[0] == L'\\' && Path[1] == L'\\' && IsLowerLetter(Path[2]);
  if (DrivePath) {
    // Cut down to the drive root "x:\" at most.
    for (int Cuts = 1;; ++Cuts) {
      CutAtLastBackslash(Path, 3, 3);
      if (TrySetFolder(Path)) return true;
      if (Path.size() <= 3 || Cuts > 2 * (Backslashes + 1)) return false;
    }
  }
  if (NetworkPath) {
    for (int Cuts = 1;; ++Cuts) {
      CutAtLastBackslash(Path, 2, 2);
      if (TrySetFolder(Path)) return true;
      if (Path.size() < 3 || Cuts > 2 * (Backslashes - 1)) return false;
    }
  }
  return false;
}
