// A file system in memory for the command line's rules.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "player/command_line.h"

namespace lc::testing {

class FakeFiles : public CommandLineFiles {
 public:
  std::set<std::string> Files;
  std::set<std::string> Folders;
  std::map<std::string, std::vector<std::string>> Scans;
  std::map<std::string, std::string> Subtitles;
  mutable int Comparisons = 0;

  bool FileExists(const std::string& Path) const override { return Files.count(Path) != 0; }
  bool FolderExists(const std::string& Path) const override { return Folders.count(Path) != 0; }
  std::vector<std::string> ScanFolder(const std::string& Folder) const override {
    auto It = Scans.find(Folder);
    return It == Scans.end() ? std::vector<std::string>{} : It->second;
  }
  // Case-insensitive over ASCII, as the platform's comparison is for these
  // names.
  int CompareNames(const std::string& A, const std::string& B) const override {
    ++Comparisons;
    std::string LA = Lower(A), LB = Lower(B);
    return LA < LB ? -1 : LA == LB ? 0 : 1;
  }
  std::string SearchSubtitle(const std::string& Movie) const override {
    auto It = Subtitles.find(Movie);
    return It == Subtitles.end() ? std::string{} : It->second;
  }

 private:
  static std::string Lower(std::string S) {
    for (char& C : S)
      if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
    return S;
  }
};

}  // namespace lc::testing
