// Shared pieces of the fuzz targets: a contract check that stops the run
// with a finding, and a reader of the fuzzer's bytes as typed parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

// A broken contract is a finding like a sanitizer report: the fuzzer saves
// the input that caused it.
#define LC_FUZZ_CHECK(condition)                                                       \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "contract broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

namespace lc::fuzz {

// Takes typed values off the front of the input; past its end every value
// reads as zero, so every input is a valid one.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return v;
  }

  // The next `count` bytes (fewer at the end of the input).
  std::string_view Bytes(std::size_t count) {
    const std::size_t n = count < size_ - pos_ ? count : size_ - pos_;
    std::string_view v(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return v;
  }

  std::size_t Remaining() const { return size_ - pos_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The input as the bytes of a file.
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace lc::fuzz
