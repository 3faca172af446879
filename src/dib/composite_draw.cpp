// Drawing one image into another: the whole-image and piece operations (transparent, shadow,
// area copy, blends) for 8-bit and 24-bit targets. Each call clips the piece, picks one pixel
// rule and one row routine, and walks the rows on raw memory.
#include "dib/composite_clip.h"
#include "dib/composite_kernels.h"
#include "dib/dib24.h"
#include "dib/dib8.h"

namespace zkw {

namespace {

using namespace kernels;

// A clipped piece: source view and the two axes already placed on the target.
struct TPiece {
  TSourceView Src;
  TPieceAxis Ax, Ay;
};

// Clips the piece (xx, yy, w, h) of Dib placed at (x, y); false when nothing is drawn.
bool ClipPiece(const TDibBaseObj& target, const TDibBaseObj* Dib, int32_t x, int32_t y,
               int32_t xx, int32_t yy, int32_t w, int32_t h, int32_t dx, int32_t dy,
               TPiece& p) {
  if (!HasPixels(&target) || !HasPixels(Dib)) return false;
  p.Ax = PieceAxis(xx, w, Dib->FWidth, dx);
  p.Ax.Place(x, target.FWidth);
  p.Ay = PieceAxis(yy, h, Dib->FHeight, dy);
  p.Ay.Place(y, target.FHeight);
  if (p.Ax.Empty() || p.Ay.Empty()) return false;
  return ViewSource(Dib, &target, p.Src);
}

// A piece onto a 24-bit target with the rules of `set`.
void Draw24(TDibBaseObj& target, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t xx, int32_t yy,
            int32_t w, int32_t h, int32_t dx, int32_t dy, TRuleSet set, int64_t rate) {
  TPiece p;
  if (!ClipPiece(target, Dib, x, y, xx, yy, w, h, dx, dy, p)) return;
  WithRule24(p.Src, set, ClampRate(rate), [&](const auto& rule) {
    DrawRect(target, p.Src, x, y, p.Ax, p.Ay, rule);
  });
}

// The three operations of an 8-bit target; 24-bit sources draw nothing.
enum class TRule8 { Copy, Key, Shade };

void Draw8(TDib8Bits& target, TDibBaseObj* Dib, int32_t x, int32_t y, int32_t xx, int32_t yy,
           int32_t w, int32_t h, int32_t dx, int32_t dy, TRule8 rule) {
  if (!Dib || Dib->FBits != 1) return;
  TPiece p;
  if (!ClipPiece(target, Dib, x, y, xx, yy, w, h, dx, dy, p)) return;
  switch (rule) {
    case TRule8::Copy:
      return DrawRect(target, p.Src, x, y, p.Ax, p.Ay, CopyIdx{});
    case TRule8::Key:
      return DrawRect(target, p.Src, x, y, p.Ax, p.Ay, KeyIdx{p.Src.Key});
    case TRule8::Shade:
      return DrawRect(target, p.Src, x, y, p.Ax, p.Ay, ShadeKey8{p.Src.Key, target.DarkPal});
  }
}

int32_t WidthOf(const TDibBaseObj* Dib) { return Dib ? Dib->FWidth : 0; }
int32_t HeightOf(const TDibBaseObj* Dib) { return Dib ? Dib->FHeight : 0; }

}  // namespace

// --- 8-bit targets -----------------------------------------------------------------------------

void TDib8Bits::DrawTransparent(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy) {
  Draw8(*this, Dib, x, y, 0, 0, WidthOf(Dib), HeightOf(Dib), dx, dy, TRule8::Key);
}

void TDib8Bits::DrawShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy,
                           uint16_t /*Rate*/) {
  Draw8(*this, Dib, x, y, 0, 0, WidthOf(Dib), HeightOf(Dib), dx, dy, TRule8::Shade);
}

void TDib8Bits::DrawPeace(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                          int32_t w, int32_t h, int32_t dx, int32_t dy) {
  Draw8(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRule8::Key);
}

void TDib8Bits::DrawPeaceShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                int32_t w, int32_t h, int32_t dx, int32_t dy,
                                uint16_t /*Rate*/) {
  Draw8(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRule8::Shade);
}

void TDib8Bits::DrawArea(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                         int32_t w, int32_t h, int32_t dx, int32_t dy) {
  Draw8(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRule8::Copy);
}

// --- 24-bit targets ----------------------------------------------------------------------------

void TDib24Bits::DrawTransparent(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx,
                                 int32_t dy) {
  Draw24(*this, Dib, x, y, 0, 0, WidthOf(Dib), HeightOf(Dib), dx, dy, TRuleSet::Transparent,
         100);
}

void TDib24Bits::DrawShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t dx, int32_t dy,
                            uint16_t Rate) {
  Draw24(*this, Dib, x, y, 0, 0, WidthOf(Dib), HeightOf(Dib), dx, dy, TRuleSet::Shadow, Rate);
}

void TDib24Bits::DrawPeace(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                           int32_t w, int32_t h, int32_t dx, int32_t dy) {
  Draw24(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRuleSet::Transparent, 100);
}

void TDib24Bits::DrawPeaceShadow(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                 int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate) {
  Draw24(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRuleSet::Shadow, Rate);
}

void TDib24Bits::DrawArea(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                          int32_t w, int32_t h, int32_t dx, int32_t dy) {
  Draw24(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRuleSet::Area, 100);
}

void TDib24Bits::DrawMerge(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                           int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate) {
  Draw24(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRuleSet::Merge, Rate);
}

void TDib24Bits::DrawMergeOpaque(int32_t x, int32_t y, TDibBaseObj* Dib, int32_t xx, int32_t yy,
                                 int32_t w, int32_t h, int32_t dx, int32_t dy, uint16_t Rate) {
  Draw24(*this, Dib, x, y, xx, yy, w, h, dx, dy, TRuleSet::MergeOpaque, Rate);
}

}  // namespace zkw
