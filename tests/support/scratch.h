// A scratch folder for tests that write files, and whole-file reads and
// writes by UTF-8 path. Plain C++: the natively built tests use it too.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace lctest {

// The path of a UTF-8 string.
inline std::filesystem::path U8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("lc_test_" + std::to_string(Tag()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A UTF-8 path of a file in the folder.
  std::string File(const std::string& name) const {
    const auto u8 = (path_ / U8(name)).u8string();
    return std::string(u8.begin(), u8.end());
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  static unsigned Tag() {
    static const unsigned tag = std::random_device{}();
    return tag;
  }
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& utf8Path, const std::string& bytes) {
  std::ofstream out(U8(utf8Path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& utf8Path) {
  std::ifstream in(U8(utf8Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace lctest
