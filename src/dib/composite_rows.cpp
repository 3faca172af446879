// Byte-wise row kernels of the blends. Products are kept in 16 bits (every one fits: at most
// 100 x 255 or 255 x 255), which lets the compiler work on eight or sixteen bytes at a time.
#include "dib/composite_rows.h"

#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define ZKW_HAVE_SSSE3_REVERSE 1
#endif

// x86-64 ELF builds with GCC get an AVX2 copy of each kernel beside the baseline one; the
// loader picks the copy once, by the processor's features.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define ZKW_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ZKW_VECTOR_CLONES
#endif

namespace zkw {
namespace rows {

ZKW_VECTOR_CLONES
void Blend100Bytes(uint8_t* __restrict d, const uint8_t* __restrict s, size_t bytes,
                   uint32_t rate) {
  const uint16_t keep = static_cast<uint16_t>(100 - rate), take = static_cast<uint16_t>(rate);
  for (size_t k = 0; k < bytes; ++k) {
    uint16_t old = static_cast<uint16_t>(keep * d[k]);
    uint16_t fresh = static_cast<uint16_t>(take * s[k]);
    d[k] = static_cast<uint8_t>(old / 100 + fresh / 100);
  }
}

ZKW_VECTOR_CLONES
void SpreadAlpha(uint8_t* __restrict w, const uint8_t* __restrict a, size_t n, uint32_t A) {
  for (size_t i = 0; i < n; ++i) {
    uint8_t e = static_cast<uint8_t>((a[i] * A) >> 8);
    w[3 * i] = e;
    w[3 * i + 1] = e;
    w[3 * i + 2] = e;
  }
}

namespace {

// BLEND256 of one byte pair held in 16 bits (e <= 255, s and d <= 255); e = 0 keeps d.
inline uint16_t Blend256Lane(uint16_t e, uint16_t s, uint16_t d) {
  uint16_t v = static_cast<uint16_t>((static_cast<uint16_t>(e * s) >> 8) +
                                     (static_cast<uint16_t>((255 - e) * d) >> 8));
  return e ? v : d;
}

}  // namespace

// Two bytes per 16-bit word, low and high byte blended apart: no widening or narrowing steps.
ZKW_VECTOR_CLONES
void Blend256Bytes(uint8_t* __restrict d, const uint8_t* __restrict s,
                   const uint8_t* __restrict w, size_t bytes) {
  const size_t words = bytes / 2;
  for (size_t k = 0; k < words; ++k) {
    uint16_t dw, sw, ww;
    std::memcpy(&dw, d + 2 * k, 2);
    std::memcpy(&sw, s + 2 * k, 2);
    std::memcpy(&ww, w + 2 * k, 2);
    uint16_t lo = Blend256Lane(ww & 0xFF, sw & 0xFF, dw & 0xFF);
    uint16_t hi = Blend256Lane(ww >> 8, sw >> 8, dw >> 8);
    uint16_t r = static_cast<uint16_t>(lo | (hi << 8));
    std::memcpy(d + 2 * k, &r, 2);
  }
  if (bytes & 1) d[bytes - 1] = static_cast<uint8_t>(Blend256Lane(w[bytes - 1], s[bytes - 1], d[bytes - 1]));
}

ZKW_VECTOR_CLONES
void Blend256Bytes16(uint8_t* __restrict d, const uint8_t* __restrict s,
                     const uint16_t* __restrict w, size_t bytes) {
  for (size_t k = 0; k < bytes; ++k) {
    uint16_t e = w[k];
    uint16_t v = static_cast<uint16_t>((static_cast<uint16_t>(e * s[k]) >> 8) +
                                       (static_cast<uint16_t>((255 - e) * d[k]) >> 8));
    d[k] = e <= 255 ? static_cast<uint8_t>(v) : d[k];
  }
}

ZKW_VECTOR_CLONES
void BlendScaledBytes(uint8_t* __restrict d, const uint8_t* __restrict c, const uint8_t* __restrict m,
                      size_t bytes, uint32_t keep) {
  const uint16_t k = static_cast<uint16_t>(keep);
  for (size_t i = 0; i < bytes; ++i) {
    const uint8_t v = static_cast<uint8_t>(c[i] + (static_cast<uint16_t>(k * d[i]) >> 8));
    d[i] = m[i] ? d[i] : v;
  }
}

ZKW_VECTOR_CLONES
void SpreadKeyMask(uint8_t* __restrict m, const uint8_t* __restrict s, size_t n, uint8_t key) {
  for (size_t i = 0; i < n; ++i) {
    uint8_t keep = s[i] == key ? 0xFF : 0;
    m[3 * i] = keep;
    m[3 * i + 1] = keep;
    m[3 * i + 2] = keep;
  }
}

ZKW_VECTOR_CLONES
void SelectBytes(uint8_t* __restrict d, const uint8_t* __restrict s, const uint8_t* __restrict m,
                 size_t bytes) {
  for (size_t k = 0; k < bytes; ++k)
    d[k] = static_cast<uint8_t>((d[k] & m[k]) | (s[k] & static_cast<uint8_t>(~m[k])));
}

namespace {

// The pixels of a reversed run from `from` on, byte by byte: the last few after the vector loop,
// or the whole run where the processor has no byte shuffle.
void ReverseRGBTail(uint8_t* d, const uint8_t* s, size_t from, size_t n) {
  for (size_t i = from; i < n; ++i) {
    const uint8_t* p = s + 3 * (n - 1 - i);
    d[3 * i] = p[0];
    d[3 * i + 1] = p[1];
    d[3 * i + 2] = p[2];
  }
}

#ifdef ZKW_HAVE_SSSE3_REVERSE
// Five pixels per 16-byte shuffle. Output pixels i .. i + 4 are source pixels n - 1 - i down to
// n - 5 - i, 15 contiguous bytes; the load starts one byte before them (so that it ends inside
// the run) and the store's sixteenth byte falls on pixel i + 5, written next. Both hold while
// i + 6 <= n.
__attribute__((target("ssse3"))) size_t ReverseRGBSsse3(uint8_t* d, const uint8_t* s, size_t n) {
  const __m128i order = _mm_setr_epi8(13, 14, 15, 10, 11, 12, 7, 8, 9, 4, 5, 6, 1, 2, 3, -128);
  size_t i = 0;
  for (; i + 6 <= n; i += 5) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 3 * (n - 5 - i) - 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * i), _mm_shuffle_epi8(v, order));
  }
  return i;
}

bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}
#endif

}  // namespace

void ReverseRGB(uint8_t* __restrict d, const uint8_t* __restrict s, size_t n) {
  size_t done = 0;
#ifdef ZKW_HAVE_SSSE3_REVERSE
  if (HasSsse3()) done = ReverseRGBSsse3(d, s, n);
#endif
  ReverseRGBTail(d, s, done, n);
}

}  // namespace rows
}  // namespace zkw
