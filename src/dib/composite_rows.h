// Byte-wise row kernels of the blends: plain loops over the channel bytes of a run of pixels,
// vectorised by the compiler (and, on x86-64 Linux builds, also compiled for AVX2 and chosen
// when the processor has it). Exact integer arithmetic of the blend rules.
#pragma once
#include <cstddef>
#include <cstdint>

namespace zkw {
namespace rows {

// BLEND100 of each byte: d = ((100 - rate) x d) div 100 + (rate x s) div 100, rate 0..100.
void Blend100Bytes(uint8_t* d, const uint8_t* s, size_t bytes, uint32_t rate);

// Spreads the 256-step weights of n alpha values over three channel bytes each:
// w[3i] = w[3i + 1] = w[3i + 2] = (a[i] x A) shr 8.
void SpreadAlpha(uint8_t* w, const uint8_t* a, size_t n, uint32_t A);

// BLEND256 of each byte where its weight is not 0: d = ((w x s) shr 8) + (((255 - w) x d) shr 8).
void Blend256Bytes(uint8_t* d, const uint8_t* s, const uint8_t* w, size_t bytes);

// The same with 16-bit weights, where 256 means "leave the byte" and 0..255 blend (so that a
// weight of 0 can still blend, as the 8-bit-source rules require).
void Blend256Bytes16(uint8_t* d, const uint8_t* s, const uint16_t* w, size_t bytes);

// The second half of BLEND256 with a fixed weight: d = c + ((keep x d) shr 8) where the mask
// byte is 0 (c holds the source's scaled term); d stays where it is 0xFF. keep <= 255.
void BlendScaledBytes(uint8_t* d, const uint8_t* c, const uint8_t* m, size_t bytes, uint32_t keep);

// Keeps the target bytes of keyed pixels: m[3i..3i + 2] = 0xFF where s[i] = key, else 0.
void SpreadKeyMask(uint8_t* m, const uint8_t* s, size_t n, uint8_t key);

// d = s where the mask byte is 0; d stays where it is 0xFF.
void SelectBytes(uint8_t* d, const uint8_t* s, const uint8_t* m, size_t bytes);

// COPY of n 24-bit pixels in reverse order: target pixel i is source pixel n - 1 - i, where `s`
// is the source run's leftmost pixel. Runs do not overlap.
void ReverseRGB(uint8_t* d, const uint8_t* s, size_t n);

}  // namespace rows
}  // namespace zkw
