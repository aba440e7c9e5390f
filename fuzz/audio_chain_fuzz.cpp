// The audio chain as the audio callback runs it (automatic gain, amplifier,
// equalizer) over a stream of buffers whose format, channel count and rate
// may change from one buffer to the next without a flush, with settings at
// the far ends of their types. The input: settings first, then buffers,
// each a small header and its bytes.
// Contracts: the gain stays finite and within 0..max(1, MaxAmplification /
// 1000); the equalizer leaves a trailing partial frame and channels from 10
// up untouched, writes 32-bit integers in steps of 32,768 (or clipped), and
// touches nothing while disabled.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "engine/dsp/amplify.h"
#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/equalizer.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

struct TStream {
  int Bits;
  bool Float;
};
constexpr TStream kStreams[] = {{8, false},  {16, false}, {24, false}, {32, false},
                                {32, true},  {12, false}, {0, false},  {64, true}};
constexpr uint32_t kSampleSizes[] = {0, 8192, 700, 64, 37, 8192};
constexpr int kRates[] = {44100, 48000, 8000, 1, 96000, kIntMax, 0, -5};
constexpr int kOddChannels[] = {0, -1, 1000, kIntMax, 64, 11};

int Channels(uint8_t b) { return b < 250 ? b % 12 + 1 : kOddChannels[b - 250]; }

// One equalizer serves every input: building one (80,000 gains and eleven
// FFT blocks) took most of the time of a run. Each input finds it as a new
// one: the bins the last input changed are flat again, the kernels are
// redesigned (dirty) and the overlap is cleared before the first buffer.
class TSharedEqualizer {
 public:
  TDspEqualizer& Fresh() {
    for (const auto& [channel, bin] : changed_) eq_.SetBandGain(channel, bin, 0);
    changed_.clear();
    eq_.SetBandGain(0, 0, 0);  // sets dirty
    eq_.Flush();
    return eq_;
  }
  void SetBandGain(int Channel, int Bin, int8_t Value) {
    eq_.SetBandGain(Channel, Bin, Value);
    changed_.emplace_back(Channel, Bin);
  }

 private:
  TDspEqualizer eq_;
  std::vector<std::pair<int, int>> changed_;
};

TSharedEqualizer& SharedEqualizer() {
  static TSharedEqualizer shared;
  return shared;
}

struct TChain {
  TDspDynamicAmplify Agc;
  TDspAmplify Amp;
  TDspEqualizer& Eq = SharedEqualizer().Fresh();
};

void Configure(TChain& chain, lc::fuzz::ByteReader& in) {
  const uint8_t flags = in.Byte();
  chain.Eq.SetEnabled(flags & 1);
  chain.Eq.SetSeperate(flags & 2);
  chain.Amp.SetEnabled(flags & 4);
  chain.Amp.SetSeperate(flags & 8);
  chain.Agc.SetEnabled(flags & 16);
  chain.Eq.SetFFTSize(static_cast<TDspFFTSize>(in.Byte() % 13));
  chain.Eq.SetSampleSize(kSampleSizes[in.Byte() % 6]);
  chain.Amp.SetSampleSize(kSampleSizes[in.Byte() % 6]);
  chain.Agc.SetSampleSize(kSampleSizes[in.Byte() % 6]);
  chain.Agc.SetAttackTime(in.U32());
  chain.Agc.SetReleaseTime(in.U32());
  chain.Agc.SetMaxAmplification(in.U32());
  chain.Amp.SetVolume(0, static_cast<int32_t>(in.U32()));
  chain.Amp.SetVolume(1, static_cast<int32_t>(in.U32()));
  for (int k = 0; k < 4; ++k) {
    const int channel = in.Byte() % 11;  // 10 is out of range
    const int low = in.Byte();
    const int bin = low | (in.Byte() << 8);
    SharedEqualizer().SetBandGain(channel, bin, static_cast<int8_t>(in.Byte()));
  }
}

void CheckGain(const TChain& chain) {
  const float gain = chain.Agc.CurrentAmplification();
  const float limit = std::max(1.0f, static_cast<float>(chain.Agc.MaxAmplification() / 1000.0));
  LC_FUZZ_CHECK(std::isfinite(gain));
  LC_FUZZ_CHECK(gain >= 0.0f && gain <= limit);
}

// What the equalizer did to one buffer, given the bytes before it ran.
void CheckEqualizer(const TChain& chain, const TStream& s, int channels, const std::vector<uint8_t>& before,
                    const uint8_t* after, size_t size) {
  if (size == 0) return;
  const int bytes = s.Bits / 8;
  const bool handled = chain.Eq.Enabled() && channels > 0 &&
                       (s.Bits == 8 || s.Bits == 16 || s.Bits == 24 || s.Bits == 32);
  if (!handled) {
    LC_FUZZ_CHECK(std::memcmp(before.data(), after, size) == 0);
    return;
  }
  const size_t stride = static_cast<size_t>(bytes) * static_cast<size_t>(channels);
  const size_t whole = size / stride * stride;
  LC_FUZZ_CHECK(std::memcmp(before.data() + whole, after + whole, size - whole) == 0);
  for (size_t frame = 0; frame < whole; frame += stride) {
    for (int c = 0; c < channels; ++c) {
      const size_t at = frame + static_cast<size_t>(c) * bytes;
      if (c >= TDspEqualizer::MaxChannels) {
        LC_FUZZ_CHECK(std::memcmp(before.data() + at, after + at, bytes) == 0);
      } else if (s.Bits == 32 && !s.Float) {
        int32_t v;
        std::memcpy(&v, after + at, 4);
        LC_FUZZ_CHECK(v % 32768 == 0 || v == 2147483647 || v == -2147483647);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lc::fuzz::ByteReader in(data, size);
  TChain chain;
  Configure(chain, in);
  std::vector<uint8_t> storage, before;
  while (in.Remaining() > 0) {
    const TStream s = kStreams[in.Byte() % 8];
    const int channels = Channels(in.Byte());
    const int rate = kRates[in.Byte() % 8];
    const uint8_t flags = in.Byte();
    const size_t low = in.Byte();
    const size_t length = low | (static_cast<size_t>(in.Byte()) << 8);
    const std::string_view payload = in.Bytes(length);
    if (flags & 1) chain.Eq.Flush();
    // An odd offset gives a buffer that is not aligned for its samples.
    const size_t offset = flags & 2 ? 1 : 0;
    storage.assign(payload.size() + offset, 0);
    if (!payload.empty()) std::memcpy(storage.data() + offset, payload.data(), payload.size());
    uint8_t* buffer = storage.data() + offset;

    chain.Agc.Process(buffer, payload.size(), rate, s.Bits, channels, s.Float);
    CheckGain(chain);
    chain.Amp.Process(buffer, payload.size(), s.Bits, channels, s.Float);
    before.assign(buffer, buffer + payload.size());
    chain.Eq.Process(buffer, payload.size(), s.Bits, channels, s.Float);
    CheckEqualizer(chain, s, channels, before, buffer, payload.size());
  }
  return 0;
}
