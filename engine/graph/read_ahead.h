// Reads of a movie's file that ask for a few bytes each (box and chunk
// headers one after another), served from a page of the file read at
// once. No platform header: the file is read through a function.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/graph/read_at.h"

// Reads of up to a page (kReadAheadBytes) come from the page of the file
// read last, or from a new page that begins where they do (shorter at the
// file's end); larger reads go to the file. A read fails when the file
// fails it or has fewer bytes; nothing of a failed page is kept. Counts
// the reads it asks of the file. One thread at a time.
class TReadAhead {
 public:
  // A page: the system reads as much for a header anyway.
  static constexpr std::size_t kReadAheadBytes = 4096;

  TReadAhead(const TReadAt& Read, std::uint64_t Size) : Read_(Read), Size_(Size) {}
  bool operator()(std::uint64_t At, void* Buffer, std::size_t Count) {
    if (Count == 0) return true;
    if (Count > kReadAheadBytes) return ++Reads_, Read_(At, Buffer, Count);
    if (At < From_ || At - From_ > Block_.size() || Count > Block_.size() - (At - From_)) {
      Block_.resize(std::size_t(std::min<std::uint64_t>(kReadAheadBytes, Size_ - std::min(At, Size_))));
      From_ = At;
      if (Block_.size() < Count || (++Reads_, !Read_(At, Block_.data(), Block_.size()))) {
        Block_.clear();
        return false;
      }
    }
    std::memcpy(Buffer, Block_.data() + (At - From_), Count);
    return true;
  }
  int Reads() const { return Reads_; }

 private:
  const TReadAt& Read_;
  std::uint64_t Size_;
  std::vector<std::uint8_t> Block_;
  std::uint64_t From_ = 0;
  int Reads_ = 0;
};
