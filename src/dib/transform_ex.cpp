// The blended transforms of 24-bit targets: a piece of an 8-bit source with an alpha companion
// is scaled, rotated or both into a work image, which is then drawn with the DrawMerge rules
// at the caller's AMerge. Transparent indexes are not skipped here: the alpha decides what
// shows. Only the part of the work image that the target can show is kept in memory; the
// fills are local (first writer wins, per pixel), so the visible part comes out the same.
#include <algorithm>
#include <cmath>

#include "base/last_error.h"
#include "common/round.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/transform_ops.h"
#include "dib/transform_source.h"
#include "dib/transform_work.h"

namespace zkw {

namespace {

using namespace transform;

constexpr double kPi = 3.14159265358979323846;

// Limits the piece (xx, yy, w, h) to the source; false when nothing of it is left (xx or yy
// below 0 draws nothing).
bool LimitPiece(const TSourceView& view, int32_t xx, int32_t yy, int32_t& w, int32_t& h) {
  if (xx < 0 || yy < 0) return false;
  w = static_cast<int32_t>(std::min<int64_t>(w, int64_t{view.Width} - xx));
  h = static_cast<int32_t>(std::min<int64_t>(h, int64_t{view.Height} - yy));
  return w >= 1 && h >= 1;
}

// The source of a blended transform: 8-bit with a usable alpha companion, and its limited
// piece. False when nothing is drawn.
bool ExPiece(const TDibBaseObj& target, const TDibBaseObj* Dib, int32_t xx, int32_t yy,
             int32_t& w, int32_t& h, TSourceView& view) {
  if (!HasPixels(&target) || !HasPixels(Dib) || Dib->FBits != 1) return false;
  if (!ViewSource(Dib, &target, view) || !view.Alpha) return false;
  return LimitPiece(view, xx, yy, w, h);
}

}  // namespace

void TDib24Bits::ScaleEx(int32_t x, int32_t y, int32_t rx, int32_t ry, TDibBaseObj* Dib,
                         int32_t xx, int32_t yy, int32_t w, int32_t h, uint16_t AMerge) {
  if (!HasPixels(this) || !HasPixels(Dib) || rx == 0 || ry == 0 || Dib->FBits != 1) return;
  TSourceView view;
  if (!ViewSource(Dib, this, view)) return;
  if (!view.Alpha) {
    Scale(x, y, rx, ry, Dib);  // the piece and AMerge do not apply
    return;
  }
  if (!LimitPiece(view, xx, yy, w, h)) return;
  if (rx == 100 && ry == 100) {
    DrawMerge(x, y, Dib, xx, yy, w, h, 1, 1, AMerge);
    return;
  }
  TWorkImage work(*this, x, y, Round(int64_t{rx} * w / 100.0), Round(int64_t{ry} * h / 100.0));
  if (work.Empty()) return;
  if (rx > 100 || ry > 100)
    FillScaledBig(work.View(), view, xx, yy, w, h, rx, ry);
  else
    FillScaledSmall(work.View(), view, xx, yy, w, h, rx, ry);
  work.MergeOnto(*this, AMerge);
}

void TDib24Bits::RotateEx(int32_t x, int32_t y, int32_t Angle, TDibBaseObj* Dib, int32_t xx,
                          int32_t yy, int32_t w, int32_t h, uint16_t AMerge) {
  TSourceView view;
  if (!ExPiece(*this, Dib, xx, yy, w, h, view)) return;
  const int64_t M = std::max(w, h), S = M + M / 2, c = S / 2;
  TWorkImage work(*this, int64_t{x} + w / 2 - c, int64_t{y} + h / 2 - c, S, S);
  if (work.Empty()) return;
  const TWorkView& wv = work.View();
  const double theta = Angle * kPi / 180;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const TColumnTerms terms(cs, sn, w, [w](int64_t i) { return static_cast<double>(i - w / 2); });
  // Piece pixel (i, j), r = i - w div 2, t = j - h div 2, lands on the two work pixels from
  // (c + Round(cos r - sin t), c + Round(sin r + cos t)).
  for (int64_t j = 0; j < h; ++j) {
    const uint8_t* s = view.Pixel(xx, yy + j);
    const uint8_t* sa = view.AlphaAt(xx, yy + j);
    const double t = static_cast<double>(j - h / 2);
    const double st = sn * t, ct = cs * t;
    for (int64_t i = 0; i < w; ++i) {
      int64_t u = c + RoundPixel(terms.CosAt(i) - st) - wv.OrgX;
      int64_t v = c + RoundPixel(terms.SinAt(i) + ct) - wv.OrgY;
      if (u + 1 < 0 || u >= wv.Width || v < 0 || v >= wv.Height) continue;
      if (u >= 0 && u + 1 < wv.Width) {
        // Both pixels inside the window (the common case).
        uint8_t* p = wv.Pixel(u, v);
        uint8_t* a = wv.Alpha(u, v);
        const TRGBQuad& q = view.Pal[s[i]];
        for (int k = 0; k < 2; ++k, p += 3) {
          if (!Unwritten(p)) continue;
          p[0] = q.rgbBlue;
          p[1] = q.rgbGreen;
          p[2] = q.rgbRed;
          a[k] = MixAlpha(a[k], sa[i]);
        }
        continue;
      }
      FillUnwritten(wv, u + wv.OrgX, v + wv.OrgY, u + wv.OrgX + 1, v + wv.OrgY, view.Pal[s[i]],
                    sa[i]);
    }
  }
  work.MergeOnto(*this, AMerge);
}

void TDib24Bits::ScaleRotateEx(int32_t x, int32_t y, int32_t rx, int32_t ry, uint16_t Angle,
                               TDibBaseObj* Dib, int32_t xx, int32_t yy, int32_t w, int32_t h,
                               uint16_t AMerge) {
  if (rx == 0 || ry == 0) return;
  TSourceView view;
  if (!ExPiece(*this, Dib, xx, yy, w, h, view)) return;
  const int64_t M = std::max(w, h);
  const int64_t S = Round(std::max<int64_t>(rx, ry) * (M + M / 2) / 100.0), c = S / 2;
  TWorkImage work(*this, x + (int64_t{rx} * (w / 2)) / 100 - c,
                  y + (int64_t{ry} * (h / 2)) / 100 - c, S, S);
  if (work.Empty()) return;
  const TWorkView& wv = work.View();
  const double theta = Angle * kPi / 180;
  const double cs = std::cos(theta), sn = std::sin(theta);
  const int64_t bw = rx / 100 + 1, bh = ry / 100 + 1;
  const TColumnTerms terms(cs, sn, w, [w, rx](int64_t i) {
    return static_cast<double>(i - w / 2) * static_cast<double>(rx) / 100;
  });
  // Blocks inside the window (the common case) skip the clipping.
  const bool plainBlocks = bw >= 0 && bh >= 0;
  // u = (i - w div 2) rx / 100, v = (j - h div 2) ry / 100; the block from
  // (c + Trunc(cos u - sin v), c + Trunc(sin u + cos v)) of (rx div 100 + 2) x (ry div 100 + 2).
  for (int64_t j = 0; j < h; ++j) {
    const uint8_t* s = view.Pixel(xx, yy + j);
    const uint8_t* sa = view.AlphaAt(xx, yy + j);
    const double v = static_cast<double>(j - h / 2) * static_cast<double>(ry) / 100;
    const double sv = sn * v, cv = cs * v;
    for (int64_t i = 0; i < w; ++i) {
      int64_t pu = c + static_cast<int64_t>(std::trunc(terms.CosAt(i) - sv));
      int64_t pv = c + static_cast<int64_t>(std::trunc(terms.SinAt(i) + cv));
      const int64_t u1 = pu - wv.OrgX, v1 = pv - wv.OrgY;
      if (plainBlocks && u1 >= 0 && v1 >= 0 && u1 + bw < wv.Width && v1 + bh < wv.Height)
        FillUnwrittenInside(wv, u1, v1, u1 + bw, v1 + bh, view.Pal[s[i]], sa[i]);
      else
        FillUnwritten(wv, pu, pv, pu + bw, pv + bh, view.Pal[s[i]], sa[i]);
    }
  }
  work.MergeOnto(*this, AMerge);
}

namespace {

// The source and work image of the public filling strategies; false when nothing is filled.
bool FillArgs(const TDibBaseObj* Dib, TDib24Bits* tempDib, int32_t x, int32_t y, int32_t& w,
              int32_t& h, TSourceView& view, TWorkView& work) {
  if (!tempDib || !HasPixels(Dib) || Dib->FBits != 1) return false;
  if (!ViewSource(Dib, tempDib, view) || !WorkViewOf(*tempDib, work)) return false;
  return LimitPiece(view, x, y, w, h);
}

}  // namespace

void TDib24Bits::ScaleSmallEx(int32_t x, int32_t y, int32_t w, int32_t h, int32_t rx, int32_t ry,
                              TDibBaseObj* Dib, TDib24Bits* tempDib) {
  TSourceView view;
  TWorkView work;
  if (!FillArgs(Dib, tempDib, x, y, w, h, view, work)) return;
  FillScaledSmall(work, view, x, y, w, h, rx, ry);
}

void TDib24Bits::ScaleBigEx(int32_t x, int32_t y, int32_t w, int32_t h, int32_t rx, int32_t ry,
                            TDibBaseObj* Dib, TDib24Bits* tempDib) {
  TSourceView view;
  TWorkView work;
  if (!FillArgs(Dib, tempDib, x, y, w, h, view, work)) return;
  FillScaledBig(work, view, x, y, w, h, rx, ry);
}

TDib24Bits* GetScaleDib(int32_t rx, int32_t ry, TDibBaseObj* Dib) {
  if (!Dib || Dib->FBits != 1) return nullptr;
  return GetScaledCopy(rx, ry, Dib);
}

TDib24Bits* GetScaledCopy(int32_t rx, int32_t ry, TDibBaseObj* Dib) {
  if (!HasPixels(Dib) || rx == 0 || ry == 0 || (Dib->FBits != 1 && Dib->FBits != 3)) return nullptr;
  const int32_t W = Dib->FWidth, H = Dib->FHeight;
  const int64_t nw = Round(int64_t{rx} * W / 100.0), nh = Round(int64_t{ry} * H / 100.0);
  if (nw < 1 || nh < 1 || nw > INT32_MAX || nh > INT32_MAX) {
    SetLastErrorText("scaled image of " + std::to_string(nw) + " x " + std::to_string(nh) +
                     " pixels cannot be made");
    return nullptr;
  }
  auto* out = new TDib24Bits();
  out->SetAttributes(static_cast<int32_t>(nw), static_cast<int32_t>(nh));
  if (!HasPixels(out)) {
    delete out;
    return nullptr;
  }
  TSourceView view;
  ViewSource(Dib, out, view);
  const int32_t x2 = static_cast<int32_t>(nw - 1), y2 = static_cast<int32_t>(nh - 1);
  if (!view.Alpha && Dib->FBits == 1) {
    out->Bar(0, 0, x2, y2, Dib->GetPixelEx(0, 0));
    out->Scale(0, 0, rx, ry, Dib);
    return out;
  }
  // A 24-bit source without alpha counts as opaque everywhere.
  out->CreateAlphaChannel();
  if (!HasPixels(out->AlphaDib)) {
    delete out;
    return nullptr;
  }
  if (rx == 100 && ry == 100) {
    out->DrawArea(0, 0, Dib, 0, 0, W, H, 1, 1);
    if (view.Alpha)
      out->AlphaDib->DrawArea(0, 0, Dib->AlphaDib, 0, 0, W, H, 1, 1);
    else
      out->AlphaDib->Bar(0, 0, x2, y2, 255);
    return out;
  }
  out->Bar(0, 0, x2, y2, 0xFF00FF);
  out->AlphaDib->Bar(0, 0, x2, y2, 0);
  TWorkView work;
  if (!WorkViewOf(*out, work)) {
    delete out;
    return nullptr;
  }
  if (rx > 100 || ry > 100)
    FillScaledBig(work, view, 0, 0, W, H, rx, ry);
  else
    FillScaledSmall(work, view, 0, 0, W, H, rx, ry);
  return out;
}

}  // namespace zkw
