// Interleaved PCM sample formats and the conversion and clipping routines
// that every audio processor shares. Buffers are little-endian, channels
// interleaved frame by frame, processed in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The five formats a processor handles. Bits decides first; Float is looked
// at only when Bits is 32, so a stream marked float with another width is
// integer PCM of that width.
enum class TSampleFormat {
  Unsigned8,   // unsigned byte, silence 128; value = byte - 128
  Signed16,
  Signed24,    // three packed bytes, least significant first
  Signed32,
  Float32,     // IEEE single, nominal range -1..1, never clipped
  Unsupported  // any other width: processors leave the buffer alone
};

constexpr TSampleFormat SampleFormatOf(int Bits, bool Float) {
  switch (Bits) {
    case 8: return TSampleFormat::Unsigned8;
    case 16: return TSampleFormat::Signed16;
    case 24: return TSampleFormat::Signed24;
    case 32: return Float ? TSampleFormat::Float32 : TSampleFormat::Signed32;
    default: return TSampleFormat::Unsupported;
  }
}

// Calls Work(tag) with a std::integral_constant naming Format, so that Work
// can run code specialised for the format; nothing for Unsupported.
template <class TWork>
void DispatchFormat(TSampleFormat Format, TWork&& Work) {
  using F = TSampleFormat;
  switch (Format) {
    case F::Unsigned8: Work(std::integral_constant<F, F::Unsigned8>{}); break;
    case F::Signed16: Work(std::integral_constant<F, F::Signed16>{}); break;
    case F::Signed24: Work(std::integral_constant<F, F::Signed24>{}); break;
    case F::Signed32: Work(std::integral_constant<F, F::Signed32>{}); break;
    case F::Float32: Work(std::integral_constant<F, F::Float32>{}); break;
    case F::Unsupported: break;
  }
}

// Reads or writes one sample of type T at any byte address.
template <class T>
T LoadSample(const uint8_t* P) {
  T v;
  std::memcpy(&v, P, sizeof v);
  return v;
}

template <class T>
void StoreSample(uint8_t* P, T V) {
  std::memcpy(P, &V, sizeof V);
}

// The signed value of three packed bytes, least significant first.
inline int32_t Cvt24BitTo32(const uint8_t* Src) {
  return static_cast<int32_t>(Src[0]) | (static_cast<int32_t>(Src[1]) << 8) |
         (static_cast<int32_t>(static_cast<int8_t>(Src[2])) * 65536);
}

// Stores the low three bytes of Value, least significant first.
inline void Cvt32BitTo24(int32_t Value, uint8_t* Dst) {
  const auto u = static_cast<uint32_t>(Value);
  Dst[0] = static_cast<uint8_t>(u);
  Dst[1] = static_cast<uint8_t>(u >> 8);
  Dst[2] = static_cast<uint8_t>(u >> 16);
}

inline int8_t Clip8(int64_t Value) {
  return static_cast<int8_t>(Value > 127 ? 127 : (Value < -128 ? -128 : Value));
}

inline int16_t Clip16(int64_t Value) {
  return static_cast<int16_t>(Value > 32767 ? 32767 : (Value < -32768 ? -32768 : Value));
}

inline int32_t Clip24(int64_t Value) {
  return static_cast<int32_t>(Value > 8388607 ? 8388607 : (Value < -8388608 ? -8388608 : Value));
}

// The lower limit is -2,147,483,647: the most negative 32-bit value is
// raised by one so that the range is symmetric.
inline int32_t Clip32(int64_t Value) {
  return static_cast<int32_t>(Value > 2147483647 ? 2147483647
                                                 : (Value < -2147483647 ? -2147483647 : Value));
}

// True when the pointer is set and a multiple of 16.
inline bool IsAligned16(const void* Pointer) {
  return Pointer != nullptr && (reinterpret_cast<uintptr_t>(Pointer) & 15u) == 0;
}

// Rounds to the nearest integer, halves to even, in the default rounding
// mode, and returns it as a double. Exact for every value below 2^51 in
// magnitude, which covers every sample of every format after processing.
inline double RoundHalfEvenToDouble(double Value) {
  constexpr double Magic = 6755399441055744.0;  // 1.5 x 2^52
  return (Value + Magic) - Magic;
}

// The same as a 64-bit integer. Named apart from the kit's int RoundHalfEven:
// the player links both, and two functions that differ only in their return
// type would share one linker symbol.
inline int64_t RoundHalfEvenToInt64(double Value) { return static_cast<int64_t>(RoundHalfEvenToDouble(Value)); }

// Truncates Value toward zero and clips it to Low..High: the same as the
// clipping routines applied to the truncated value, without 64-bit integer
// conversions (slow on 32-bit x86).
inline int32_t TruncClip(double Value, int32_t Low, int32_t High) {
  if (Value >= High) return High;
  if (Value <= Low) return Low;
  return static_cast<int32_t>(Value);
}

// Bytes per sample of a width (Bits div 8); 0 for widths below 8.
constexpr int BytesPerSample(int Bits) { return Bits > 0 ? Bits / 8 : 0; }

// Splits a buffer into the processing chunks of SampleSize frames, the last
// one shorter; SampleSize 0 means the whole buffer is one chunk. Calls
// Work(chunk, chunkBytes) for each chunk in order.
template <class TWork>
void ForEachChunk(uint8_t* Buffer, size_t Size, int Bits, int Channels,
                  uint32_t SampleSize, TWork&& Work) {
  const size_t chunk = static_cast<size_t>(BytesPerSample(Bits)) * SampleSize *
                       static_cast<size_t>(Channels > 0 ? Channels : 0);
  if (SampleSize == 0 || chunk == 0) {
    Work(Buffer, Size);
    return;
  }
  for (size_t done = 0; done < Size; done += chunk) {
    Work(Buffer + done, Size - done < chunk ? Size - done : chunk);
  }
}
