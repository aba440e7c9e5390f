// The read-ahead of a movie's file: a small read comes from the page read
// last while it lies in it, else from a new page that begins where it
// does; a large one goes to the file whole; a read the file fails, or
// that goes past its end, fails, and nothing of it is kept.
#include "engine/graph/read_ahead.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A file of 10,000 bytes, byte i being i mod 251, that fails every read
// covering byte FailAt, and counts the reads.
struct TestFile {
  explicit TestFile(std::uint64_t FailAt = ~std::uint64_t(0)) : FailAt(FailAt) {}
  TReadAt Reader() {
    return [this](std::uint64_t At, void* Buffer, std::size_t Count) {
      ++Reads;
      if (At > 10000 || Count > 10000 - At || (At <= FailAt && FailAt < At + Count)) return false;
      for (std::size_t i = 0; i < Count; ++i) static_cast<std::uint8_t*>(Buffer)[i] = std::uint8_t((At + i) % 251);
      return true;
    };
  }
  std::uint64_t FailAt;
  int Reads = 0;
};

struct Step {
  std::uint64_t At;
  std::size_t Count;
  bool Done;  // the read succeeds
  int Reads;  // the file's reads so far
};

// Runs Steps on a read-ahead over File: each read's result, its bytes and
// the reads it took.
void ReadSteps(TestFile& File, const std::vector<Step>& Steps) {
  const TReadAt read = File.Reader();
  TReadAhead ahead(read, 10000);
  for (const Step& s : Steps) {
    std::vector<std::uint8_t> buffer(s.Count + 1, 0xEE);
    EXPECT_EQ(ahead(s.At, buffer.data(), s.Count), s.Done) << "at " << s.At << ", " << s.Count << " bytes";
    EXPECT_EQ(File.Reads, s.Reads) << "at " << s.At << ", " << s.Count << " bytes";
    EXPECT_EQ(ahead.Reads(), s.Reads) << "counted, at " << s.At;
    for (std::size_t i = 0; s.Done && i < s.Count; ++i)
      ASSERT_EQ(buffer[i], (s.At + i) % 251) << "byte " << i << " of the read at " << s.At;
    EXPECT_EQ(buffer[s.Count], 0xEE) << "a byte past the read at " << s.At;
  }
}

TEST(ReadAhead, SmallReadsComeFromThePageReadLastWhileTheyLieInIt) {
  TestFile file;
  ReadSteps(file, {
                {0, 0, true, 0},        // nothing to read
                {0, 4, true, 1},        // a page from 0
                {0, 4, true, 1},        // the page's start
                {50, 1, true, 1},
                {4092, 4, true, 1},     // its last bytes
                {4094, 4, true, 2},     // past its end: a page from 4094
                {4094, 4096, true, 2},  // that page whole
                {100, 8, true, 3},      // before it: a page from 100
                {3000, 4097, true, 4},  // more than a page: to the file
                {100, 4, true, 4},      // the page from 100 is still the one read last
                {9996, 4, true, 5},     // the file's last bytes: a page of 4
                {9998, 4, false, 5},    // past the file's end: not read
                {9998, 2, true, 6},
            });
}

TEST(ReadAhead, AReadTheFileFailsFailsAndNothingOfItIsKept) {
  TestFile file(5000);
  ReadSteps(file, {
                {4990, 4, false, 1},  // the page from 4990 covers 5000
                {4990, 4, false, 2},  // tried again
                {4994, 4, false, 3},  // nor is it kept for a read inside it
                {6000, 4, true, 4},
                {800, 4, true, 5},    // a page from 800 ends before 5000
                {4000, 8, true, 5},
                {4890, 8, false, 6},  // past it: a page from 4890 covers 5000
                {4890, 8, false, 7},
            });
}

}  // namespace
