// Per-pixel rules of the compositing operations and the loops that run them. Each rule is a
// small struct with the pixel rule and a row routine for plain (left to right) and mirrored
// (source read right to left) rows; an operation picks one rule and one row routine per call
// and then walks rows on raw memory. Byte-wise rules are written so the compiler vectorises
// them (this file is compiled with full optimisation).
#pragma once
#include <cstdint>
#include <cstring>

#include "dib/composite_clip.h"
#include "dib/composite_rows.h"

namespace zkw {
namespace kernels {

// BLEND256(e): ((e x s) shr 8) + (((255 - e) x d) shr 8).
inline uint8_t Blend256(uint32_t e, uint32_t s, uint32_t d) {
  return static_cast<uint8_t>(((e * s) >> 8) + (((255 - e) * d) >> 8));
}

// The generic row: the pixel rule once per pixel, source and alpha walked forwards or (Mirror)
// backwards.
template <bool Mirror, class Rule>
inline void PixelRow(const Rule& rule, uint8_t* d, const uint8_t* s, const uint8_t* a,
                     int32_t n) {
  constexpr ptrdiff_t ss = Mirror ? -Rule::kSrcBytes : Rule::kSrcBytes;
  constexpr ptrdiff_t as = Mirror ? -1 : 1;
  for (int32_t i = 0; i < n; ++i, d += Rule::kDstBytes, s += ss) {
    rule.Pixel(d, s, a);
    if (Rule::kAlpha) a += as;
  }
}

// Pixels are blended in blocks so that the per-block buffers stay in the first-level cache.
constexpr int32_t kBlock = 256;

// The colour-table entries of n indexes, in target order, as blue, green, red triples; `out`
// holds 3 n + 1 bytes (four-byte stores, the fourth byte overwritten by the next entry).
template <bool Mirror>
inline void GatherPal(uint8_t* out, const uint8_t* s, int32_t n, const TRGBQuad* pal) {
  constexpr ptrdiff_t ss = Mirror ? -1 : 1;
  for (int32_t i = 0; i < n; ++i, s += ss) std::memcpy(out + 3 * i, &pal[*s], 4);
}

// A byte mask of the keyed pixels of n indexes in target order: 0xFF over the three channel
// bytes of a pixel whose index is `key`, else 0.
template <bool Mirror>
inline void KeyMask(uint8_t* mask, const uint8_t* s, int32_t n, uint8_t key) {
  if (!Mirror) {
    rows::SpreadKeyMask(mask, s, static_cast<size_t>(n), key);
    return;
  }
  for (int32_t i = 0; i < n; ++i) mask[3 * i] = mask[3 * i + 1] = mask[3 * i + 2] = s[-i] == key ? 0xFF : 0;
}

// Runs an 8-bit-source blend block by block: the colours through the table, a 16-bit weight
// per channel byte from weight(index, alpha) (256 = leave the pixel), then the byte kernel.
template <bool Mirror, bool WithAlpha, class Weight>
inline void PalBlendRow(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n,
                        const TRGBQuad* pal, Weight&& weight) {
  constexpr ptrdiff_t ss = Mirror ? -1 : 1;
  uint8_t colours[3 * kBlock + 1];
  uint16_t w[3 * kBlock];
  for (int32_t done = 0; done < n; done += kBlock) {
    int32_t m = n - done < kBlock ? n - done : kBlock;
    GatherPal<Mirror>(colours, s, m, pal);
    for (int32_t i = 0; i < m; ++i) {
      uint16_t e = weight(s[i * ss], WithAlpha ? a[i * ss] : 0);
      w[3 * i] = e;
      w[3 * i + 1] = e;
      w[3 * i + 2] = e;
    }
    rows::Blend256Bytes16(d, colours, w, 3 * static_cast<size_t>(m));
    d += 3 * m;
    s += m * ss;
    if (WithAlpha) a += m * ss;
  }
}

// COPY of 24-bit pixels.
struct CopyRGB {
  static constexpr int kSrcBytes = 3, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t n) const {
    if (!Mirror) {
      std::memmove(d, s, 3 * static_cast<size_t>(n));
      return;
    }
    // s is the run's rightmost source pixel, read first.
    if (n > 0) rows::ReverseRGB(d, s - 3 * static_cast<ptrdiff_t>(n - 1), static_cast<size_t>(n));
  }
};

// COPY of 8-bit pixels through the colour table into a 24-bit target.
struct CopyPal {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  const TRGBQuad* Pal;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const { std::memcpy(d, &Pal[*s], 3); }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t n) const {
    constexpr ptrdiff_t ss = Mirror ? -1 : 1;
    const TRGBQuad* const pal = Pal;  // not re-read after each store
    // Four-byte stores: the fourth byte lands on the next pixel, which is written next.
    for (int32_t i = 0; i + 1 < n; ++i, d += 3, s += ss) std::memcpy(d, &pal[*s], 4);
    if (n > 0) std::memcpy(d, &pal[*s], 3);
  }
};

// KEY of 8-bit pixels through the colour table into a 24-bit target.
struct KeyPal {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  const TRGBQuad* Pal;
  uint8_t Key;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    if (*s != Key) std::memcpy(d, &Pal[*s], 3);
  }
  // Without branches (scattered keys defeat prediction): the colours of a block, a mask of
  // its keyed pixels, then a byte-wise select.
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t n) const {
    constexpr ptrdiff_t ss = Mirror ? -1 : 1;
    uint8_t colours[3 * kBlock + 1];
    uint8_t mask[3 * kBlock];
    for (int32_t done = 0; done < n; done += kBlock) {
      int32_t m = n - done < kBlock ? n - done : kBlock;
      GatherPal<Mirror>(colours, s, m, Pal);
      KeyMask<Mirror>(mask, s, m, Key);
      rows::SelectBytes(d, colours, mask, 3 * static_cast<size_t>(m));
      d += 3 * m;
      s += m * ss;
    }
  }
};

// COPY of 8-bit indexes.
struct CopyIdx {
  static constexpr int kSrcBytes = 1, kDstBytes = 1;
  static constexpr bool kAlpha = false;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const { *d = *s; }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    if (Mirror)
      PixelRow<true>(*this, d, s, a, n);
    else
      std::memmove(d, s, static_cast<size_t>(n));
  }
};

// KEY of 8-bit indexes.
struct KeyIdx {
  static constexpr int kSrcBytes = 1, kDstBytes = 1;
  static constexpr bool kAlpha = false;
  uint8_t Key;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    if (*s != Key) *d = *s;
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    if (Mirror) {
      PixelRow<true>(*this, d, s, a, n);
      return;
    }
    const uint8_t key = Key;
    for (int32_t i = 0; i < n; ++i) d[i] = s[i] != key ? s[i] : d[i];
  }
};

// SHADE24: where the 8-bit source is not the transparent index, each target channel becomes
// (d x (100 - Rate)) div 100 (a table of the 256 results).
struct ShadeKey24 {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  uint8_t Key;
  uint8_t Table[256];
  explicit ShadeKey24(uint8_t key, int32_t rate) : Key(key) {
    for (int c = 0; c < 256; ++c) Table[c] = static_cast<uint8_t>(c * (100 - rate) / 100);
  }
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    if (*s == Key) return;
    d[0] = Table[d[0]];
    d[1] = Table[d[1]];
    d[2] = Table[d[2]];
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    PixelRow<Mirror>(*this, d, s, a, n);
  }
};

// SHADE8: where the source is not the transparent index, the target index i becomes entry i of
// the target's shadow table.
struct ShadeKey8 {
  static constexpr int kSrcBytes = 1, kDstBytes = 1;
  static constexpr bool kAlpha = false;
  uint8_t Key;
  const uint8_t* Dark;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    if (*s != Key) *d = Dark[*d];
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    PixelRow<Mirror>(*this, d, s, a, n);
  }
};

// BLEND100(Rate) of 24-bit pixels: ((100 - Rate) x d) div 100 + (Rate x s) div 100. The plain
// row is one byte loop over the three channels (16-bit lanes; products fit since Rate <= 100).
struct Blend100 {
  static constexpr int kSrcBytes = 3, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  int32_t Rate;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    for (int c = 0; c < 3; ++c)
      d[c] = static_cast<uint8_t>(((100 - Rate) * d[c]) / 100 + (Rate * s[c]) / 100);
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    if (Mirror) {
      PixelRow<true>(*this, d, s, a, n);
      return;
    }
    rows::Blend100Bytes(d, s, 3 * static_cast<size_t>(n), static_cast<uint32_t>(Rate));
  }
};

// 24-bit source with alpha: e = (alpha x A) shr 8; pixels with e = 0 are left alone, the others
// get BLEND256(e). The plain row spreads e over the three channels of a block of pixels and
// then blends byte-wise.
struct Blend256Alpha24 {
  static constexpr int kSrcBytes = 3, kDstBytes = 3;
  static constexpr bool kAlpha = true;
  uint32_t A;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t* a) const {
    uint32_t e = (*a * A) >> 8;
    if (e == 0) return;
    d[0] = Blend256(e, s[0], d[0]);
    d[1] = Blend256(e, s[1], d[1]);
    d[2] = Blend256(e, s[2], d[2]);
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    if (Mirror) {
      PixelRow<true>(*this, d, s, a, n);
      return;
    }
    uint8_t weight[3 * kBlock];
    for (int32_t done = 0; done < n; done += kBlock) {
      int32_t m = n - done < kBlock ? n - done : kBlock;
      rows::SpreadAlpha(weight, a + done, static_cast<size_t>(m), A);
      rows::Blend256Bytes(d + 3 * static_cast<size_t>(done), s + 3 * static_cast<size_t>(done),
                          weight, 3 * static_cast<size_t>(m));
    }
  }
};

// 8-bit source without alpha: the key test, then BLEND256(A) with the colour-table entry. With
// A fixed, the source's term (A x s) shr 8 is a table of the colour entries scaled once per
// call; a row gathers the scaled colours and a byte mask of the keyed pixels block by block, then
// one byte loop adds the target's term ((255 - A) x d) shr 8 where the mask is clear.
struct Blend256KeyPal {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  uint8_t Key;
  uint32_t A;
  TRGBQuad Scaled[256];
  Blend256KeyPal(const TRGBQuad* pal, uint8_t key, uint32_t a) : Key(key), A(a) {
    for (int i = 0; i < 256; ++i)
      Scaled[i] = {static_cast<uint8_t>((A * pal[i].rgbBlue) >> 8), static_cast<uint8_t>((A * pal[i].rgbGreen) >> 8),
                   static_cast<uint8_t>((A * pal[i].rgbRed) >> 8), 0};
  }
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    if (*s == Key) return;
    const TRGBQuad& q = Scaled[*s];
    d[0] = static_cast<uint8_t>(q.rgbBlue + (((255 - A) * d[0]) >> 8));
    d[1] = static_cast<uint8_t>(q.rgbGreen + (((255 - A) * d[1]) >> 8));
    d[2] = static_cast<uint8_t>(q.rgbRed + (((255 - A) * d[2]) >> 8));
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t n) const {
    constexpr ptrdiff_t ss = Mirror ? -1 : 1;
    uint8_t colours[3 * kBlock + 1];
    uint8_t mask[3 * kBlock];
    for (int32_t done = 0; done < n; done += kBlock) {
      const int32_t m = n - done < kBlock ? n - done : kBlock;
      GatherPal<Mirror>(colours, s, m, Scaled);
      KeyMask<Mirror>(mask, s, m, Key);
      s += m * ss;
      rows::BlendScaledBytes(d, colours, mask, 3 * static_cast<size_t>(m), 255 - A);
      d += 3 * m;
    }
  }
};

// 8-bit source with alpha: alpha 0 is skipped, otherwise BLEND256((alpha x A) shr 8) with the
// colour-table entry (no key test).
struct Blend256AlphaPal {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = true;
  const TRGBQuad* Pal;
  uint32_t A;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t* a) const {
    if (*a == 0) return;
    uint32_t e = (*a * A) >> 8;
    const TRGBQuad& q = Pal[*s];
    d[0] = Blend256(e, q.rgbBlue, d[0]);
    d[1] = Blend256(e, q.rgbGreen, d[1]);
    d[2] = Blend256(e, q.rgbRed, d[2]);
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    const uint32_t rate = A;
    PalBlendRow<Mirror, true>(d, s, a, n, Pal, [=](uint8_t, uint8_t alpha) -> uint16_t {
      return alpha == 0 ? 256 : static_cast<uint16_t>((alpha * rate) >> 8);
    });
  }
};

// 8-bit source, every pixel: BLEND256(A) with the colour-table entry.
struct Blend256Pal {
  static constexpr int kSrcBytes = 1, kDstBytes = 3;
  static constexpr bool kAlpha = false;
  const TRGBQuad* Pal;
  uint32_t A;
  void Pixel(uint8_t* d, const uint8_t* s, const uint8_t*) const {
    const TRGBQuad& q = Pal[*s];
    d[0] = Blend256(A, q.rgbBlue, d[0]);
    d[1] = Blend256(A, q.rgbGreen, d[1]);
    d[2] = Blend256(A, q.rgbRed, d[2]);
  }
  template <bool Mirror>
  void Row(uint8_t* d, const uint8_t* s, const uint8_t* a, int32_t n) const {
    const uint16_t e = static_cast<uint16_t>(A);
    PalBlendRow<Mirror, false>(d, s, a, n, Pal, [=](uint8_t, uint8_t) -> uint16_t { return e; });
  }
};

// --- Loops over a clipped piece --------------------------------------------------------------

// Draws the rectangle of piece indexes ax.Lo..ax.Hi x ay.Lo..ay.Hi placed at (x, y): one row
// routine (plain or mirrored) chosen here, rows walked by their strides. The walk starts at the
// bottom picture row, the lowest address of the bottom-up storage, so that the target is read
// and written in memory order (rows do not depend on each other).
template <class Rule>
void DrawRect(TDibBaseObj& target, const TSourceView& src, int64_t x, int64_t y,
              const TPieceAxis& ax, const TPieceAxis& ay, const Rule& rule) {
  int32_t n = ax.Count(), rows = ay.Count();
  if (n <= 0 || rows <= 0) return;
  uint8_t* d = target.PixelAddress(static_cast<int32_t>(x + ax.Lo), static_cast<int32_t>(y + ay.Hi));
  const uint8_t* s = src.Pixel(ax.Src(ax.Lo), ay.Src(ay.Hi));
  const uint8_t* a = src.AlphaAt(ax.Src(ax.Lo), ay.Src(ay.Hi));
  const ptrdiff_t dstep = target.FDWidth;
  const ptrdiff_t sstep = ay.Mirror ? -src.Stride : src.Stride;
  const ptrdiff_t astep = ay.Mirror ? -src.AlphaStride : src.AlphaStride;
  if (ax.Mirror) {
    for (int32_t j = 0; j < rows; ++j, d += dstep, s += sstep, a = a ? a + astep : a)
      rule.template Row<true>(d, s, a, n);
  } else {
    for (int32_t j = 0; j < rows; ++j, d += dstep, s += sstep, a = a ? a + astep : a)
      rule.template Row<false>(d, s, a, n);
  }
}

// Runs the pixel rule down one target column: n pixels from d downwards, the source walked by
// sstep bytes and the alpha by astep bytes per pixel.
template <class Rule>
void DrawColumn(uint8_t* d, ptrdiff_t dstep, const uint8_t* s, ptrdiff_t sstep,
                const uint8_t* a, ptrdiff_t astep, int32_t n, const Rule& rule) {
  for (int32_t i = 0; i < n; ++i, d += dstep, s += sstep) {
    rule.Pixel(d, s, a);
    if (Rule::kAlpha) a += astep;
  }
}

// --- Choosing the rule of a 24-bit target ----------------------------------------------------

enum class TRuleSet {
  Area,          // COPY (through the colour table for 8-bit sources)
  Transparent,   // KEY / COPY, or the alpha blend at rate 100 when the source has alpha
  Merge,         // the DrawMerge rules
  MergeOpaque,   // BLEND256(A) of every pixel (8-bit sources)
  MergeLineY,    // DrawMerge rules for 8-bit sources, BLEND100 for 24-bit ones (no alpha)
  MergeLineX,    // key test and BLEND256(A), no alpha; BLEND100 for 24-bit sources
  Shadow,        // SHADE24 under the non-transparent pixels of an 8-bit source
};

// Calls run(rule) with the rule of `set` for this source onto a 24-bit target; does nothing for
// a combination that draws nothing. `rate` is already limited to 0..100.
template <class Run>
void WithRule24(const TSourceView& src, TRuleSet set, int32_t rate, Run&& run) {
  const uint32_t A = static_cast<uint32_t>(Rate256(rate));
  const bool alpha = src.Alpha != nullptr;
  if (src.Bytes == 1) {
    switch (set) {
      case TRuleSet::Area:
        return run(CopyPal{src.Pal});
      case TRuleSet::Transparent:
        if (alpha) return run(Blend256AlphaPal{src.Pal, 255});
        return run(KeyPal{src.Pal, src.Key});
      case TRuleSet::Merge:
      case TRuleSet::MergeLineY:
        if (alpha) return run(Blend256AlphaPal{src.Pal, A});
        return run(Blend256KeyPal(src.Pal, src.Key, A));
      case TRuleSet::MergeOpaque:
        return run(Blend256Pal{src.Pal, A});
      case TRuleSet::MergeLineX:
        return run(Blend256KeyPal(src.Pal, src.Key, A));
      case TRuleSet::Shadow:
        return run(ShadeKey24(src.Key, rate));
    }
    return;
  }
  switch (set) {
    case TRuleSet::Area:
      return run(CopyRGB{});
    case TRuleSet::Transparent:
      if (alpha) return run(Blend256Alpha24{255});
      return run(CopyRGB{});
    case TRuleSet::Merge:
      if (alpha) return run(Blend256Alpha24{A});
      return run(Blend100{rate});
    case TRuleSet::MergeLineY:
    case TRuleSet::MergeLineX:
      return run(Blend100{rate});
    case TRuleSet::MergeOpaque:
    case TRuleSet::Shadow:
      return;  // not drawn from 24-bit sources
  }
}

}  // namespace kernels
}  // namespace zkw
