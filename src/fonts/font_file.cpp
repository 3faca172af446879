// Font files: "DFONTU" (read and written), the older "DFONTEX" and "DibFont" (read). Every size,
// count and cell is checked against the bytes present and the format's limits before use; a
// refused file leaves the font without images and says why in the last-error text.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "base/last_error.h"
#include "dib/dib8.h"
#include "fonts/dib_font.h"
#include "imagefiles/packed_dib.h"

namespace zkw {

namespace {

#pragma pack(push, 1)
struct TOldGlyph {
  uint32_t GlyphLeft;
  uint16_t GlyphWidth;
};
// "DFONTEX": a colour table and one face plane, optionally an alpha plane.
struct TDibFontHeaderOldEx {
  char dfIdentifier[9];
  uint32_t dfVersion;
  char dfName[129];
  uint32_t dfSize;
  int16_t dfHeight;
  int16_t dfBaseline;
  int16_t dfExternalLeading;
  uint32_t dfMaxWidth;
  TOldGlyph dfTable[224];
  uint8_t dfChannel;  // 1 = an alpha plane follows
};
// "DibFont": a colour table and one face plane.
struct TDibFontHeaderOld {
  char dfIdentifier[9];
  char dfName[129];
  uint32_t dfSize;
  int16_t dfHeight;
  int16_t dfBaseline;
  int16_t dfExternalLeading;
  uint32_t dfMaxWidth;
  TOldGlyph dfTable[224];
};
#pragma pack(pop)
static_assert(sizeof(TDibFontHeaderOldEx) == 1501, "DFONTEX header is 1501 bytes");
static_assert(sizeof(TDibFontHeaderOld) == 1496, "DibFont header is 1496 bytes");

// Limits of a strip image: 256 cells of up to 4096 columns, and at most 64 MiB per plane.
constexpr uint32_t kMaxStripWidth = 1u << 20;
constexpr int64_t kMaxPlaneBytes = int64_t{64} << 20;

bool IdentifierIs(const char* id, const char* signature) {
  size_t n = std::strlen(signature);
  return std::memcmp(id, signature, n) == 0 && id[n] == 0;
}

bool Refuse(const std::string& reason) {
  SetLastErrorText(reason);
  return false;
}

// Checks the strip geometry and its cells; gives the bytes of one plane.
bool CheckStrip(const TDibFontHeaderEx& h, int64_t& planeBytes) {
  if (h.dfHeight < 0)
    return Refuse("font height " + std::to_string(h.dfHeight) + " is negative");
  if (h.dfMaxWidth > kMaxStripWidth)
    return Refuse("font image width " + std::to_string(h.dfMaxWidth) + " exceeds " +
                  std::to_string(kMaxStripWidth));
  planeBytes = RowStride(h.dfMaxWidth, 8) * h.dfHeight;
  if (planeBytes > kMaxPlaneBytes)
    return Refuse("font image of " + std::to_string(h.dfMaxWidth) + " x " +
                  std::to_string(h.dfHeight) + " exceeds " + std::to_string(kMaxPlaneBytes) +
                  " bytes per plane");
  for (int i = 0; i < 256; ++i) {
    const TDibFontGlyph& g = h.dfTable[i];
    if (g.GlyphWidth != 0 && uint64_t{g.GlyphLeft} + g.GlyphWidth > h.dfMaxWidth)
      return Refuse("glyph " + std::to_string(i) + " cell " + std::to_string(g.GlyphLeft) + "+" +
                    std::to_string(g.GlyphWidth) + " runs past the font image width " +
                    std::to_string(h.dfMaxWidth));
  }
  return true;
}

// A new 8-bit strip image of the header's geometry.
std::unique_ptr<TDib8Bits> NewStrip(const TDibFontHeaderEx& h) {
  auto dib = std::make_unique<TDib8Bits>();
  dib->ReallocImage(static_cast<int32_t>(h.dfMaxWidth), h.dfHeight);
  if (dib->Handle() == 0) return nullptr;
  return dib;
}

bool ReadPlane(TStream& f, TDibBaseObj& dib, const char* what) {
  if (dib.DibSize == 0 || f.ReadExact(dib.DibData, dib.DibSize)) return true;
  return Refuse(std::string("cannot read the ") + what + " plane of the font");
}

// The header of an older file converted to the current form.
template <class Old>
void ConvertHeader(const Old& o, uint8_t channels, TDibFontHeaderEx& h) {
  std::memset(&h, 0, sizeof h);
  std::memcpy(h.dfIdentifier, "DFONTU", 6);
  h.dfVersion = kDibFontVersion;
  std::memcpy(h.dfName, o.dfName, sizeof h.dfName);
  h.dfName[sizeof h.dfName - 1] = 0;
  h.dfSize = o.dfSize;
  h.dfHeight = o.dfHeight;
  h.dfBaseline = o.dfBaseline;
  h.dfExternalLeading = o.dfExternalLeading;
  h.dfMaxWidth = o.dfMaxWidth;
  for (int c = 0; c < 224; ++c) {
    h.dfTable[c].GlyphLeft = o.dfTable[c].GlyphLeft;
    h.dfTable[c].GlyphWidth = o.dfTable[c].GlyphWidth;
  }
  h.dfChannels = channels;
}

// True when the last path component has a dot.
bool HasExtension(const ZString& name) {
  for (size_t i = name.size(); i-- > 0;) {
    if (name[i] == '.') return true;
    if (name[i] == '/' || name[i] == '\\') return false;
  }
  return false;
}

}  // namespace

bool TDibFont::LoadFromStream(TStream& f) {
  FreeImages();
  int64_t p = f.Position();
  char id[9];
  if (p < 0 || !f.ReadExact(id, sizeof id))
    return Refuse("font data is shorter than its 9-byte signature");
  f.Seek(p, SeekOrigin::soBeginning);
  if (IdentifierIs(id, "DFONTEX")) return LoadOlderFont(f, p, true);
  if (IdentifierIs(id, "DibFont")) return LoadOlderFont(f, p, false);
  if (!IdentifierIs(id, "DFONTU")) return Refuse("unknown font signature");

  TDibFontHeaderEx h;
  if (!f.ReadExact(&h, sizeof h))
    return Refuse("font header of " + std::to_string(sizeof h) + " bytes runs past the end");
  if (!(h.dfChannels & kChannelFace)) return Refuse("font file has no face plane");
  int64_t plane = 0;
  if (!CheckStrip(h, plane)) return false;
  int planes = 1 + ((h.dfChannels & kChannelAlpha) ? 1 : 0) +
               ((h.dfChannels & kChannelOutline) ? 1 : 0) +
               ((h.dfChannels & kChannelShadow) ? 1 : 0);
  int64_t remaining = f.Remaining();
  if (plane * planes > remaining)
    return Refuse(std::to_string(planes) + " font planes of " + std::to_string(plane) +
                  " bytes run past the end of the data (" + std::to_string(remaining) +
                  " bytes left)");

  std::unique_ptr<TDib8Bits> face = NewStrip(h), outline, shadow;
  if (!face) return false;
  if (!ReadPlane(f, *face, "face")) return false;
  if (h.dfChannels & kChannelAlpha) {
    auto alpha = NewStrip(h);
    if (!alpha) return false;
    FillGreyRamp(alpha->DibPal);
    if (!ReadPlane(f, *alpha, "alpha")) return false;
    face->AlphaDib = alpha.release();
  } else {
    FillGreyRamp(face->DibPal);
  }
  if (h.dfChannels & kChannelOutline) {
    if (!(outline = NewStrip(h)) || !ReadPlane(f, *outline, "outline")) return false;
    FillGreyRamp(outline->DibPal);
  }
  if (h.dfChannels & kChannelShadow) {
    if (!(shadow = NewStrip(h)) || !ReadPlane(f, *shadow, "shadow")) return false;
    FillGreyRamp(shadow->DibPal);
  }

  FHeader = h;
  FDib = face.release();
  FODib = outline.release();
  FSDib = shadow.release();
  if (!Designing) {
    // Absent glyphs take the missing-character glyph, else "?", else the space.
    uint8_t def = FHeader.dfTable[kGlyphMissing].GlyphWidth != 0    ? kGlyphMissing
                  : FHeader.dfTable[kGlyphQuestion].GlyphWidth != 0 ? kGlyphQuestion
                                                                    : kGlyphSpace;
    TDibFontGlyph entry = FHeader.dfTable[def];
    for (TDibFontGlyph& g : FHeader.dfTable)
      if (g.GlyphWidth == 0) g = entry;
  }
  SpecialFontWithAlpha = (FHeader.dfChannels & kChannelAlpha) != 0;
  tmAscent = 0;
  for (const TDibFontAccent& a : FHeader.dfAccents) tmAscent = std::min<int32_t>(tmAscent, a.dy);
  return true;
}

// "DFONTEX" (withChannel) and "DibFont": converted header, colour table, face plane of dfSize
// bytes and, for DFONTEX with channel byte 1, an alpha plane of dfSize bytes. No more than the
// image holds is read; a shorter plane leaves the rest of the image empty.
bool TDibFont::LoadOlderFont(TStream& f, int64_t p, bool withChannel) {
  f.Seek(p, SeekOrigin::soBeginning);
  TDibFontHeaderEx h;
  uint8_t channel = 0;
  if (withChannel) {
    TDibFontHeaderOldEx o;
    if (!f.ReadExact(&o, sizeof o)) return Refuse("DFONTEX header runs past the end");
    channel = o.dfChannel;
    ConvertHeader(o, channel, h);
  } else {
    TDibFontHeaderOld o;
    if (!f.ReadExact(&o, sizeof o)) return Refuse("DibFont header runs past the end");
    ConvertHeader(o, 0, h);
  }
  int64_t plane = 0;
  if (!CheckStrip(h, plane)) return false;
  bool alpha = (channel & kChannelAlpha) != 0;
  // dfSize may leave out the row padding, never more: a plane is allocated only for data the
  // file holds.
  if (int64_t{h.dfSize} < int64_t{h.dfMaxWidth} * h.dfHeight)
    return Refuse("font plane size " + std::to_string(h.dfSize) + " is smaller than its " +
                  std::to_string(h.dfMaxWidth) + " x " + std::to_string(h.dfHeight) + " pixels");
  int64_t read = std::min<int64_t>(h.dfSize, plane);
  int64_t need = kPaletteBytes + (alpha ? int64_t{h.dfSize} + read : read);
  int64_t remaining = f.Remaining();
  if (need > remaining)
    return Refuse("font colour table and planes need " + std::to_string(need) +
                  " bytes but only " + std::to_string(remaining) + " are left");

  std::unique_ptr<TDib8Bits> face = NewStrip(h);
  if (!face) return false;
  if (!f.ReadExact(face->DibPal, kPaletteBytes)) return Refuse("cannot read the font colour table");
  std::memset(face->DibData, 0, static_cast<size_t>(face->DibSize));
  if (read > 0 && !f.ReadExact(face->DibData, static_cast<int32_t>(read)))
    return Refuse("cannot read the face plane of the font");
  if (alpha) {
    if (h.dfSize > read) f.Seek(int64_t{h.dfSize} - read, SeekOrigin::soCurrent);
    auto a = NewStrip(h);
    if (!a) return false;
    FillGreyRamp(a->DibPal);
    std::memset(a->DibData, 0, static_cast<size_t>(a->DibSize));
    if (read > 0 && !f.ReadExact(a->DibData, static_cast<int32_t>(read)))
      return Refuse("cannot read the alpha plane of the font");
    face->AlphaDib = a.release();
  } else if (h.dfSize > read) {
    f.Seek(int64_t{h.dfSize} - read, SeekOrigin::soCurrent);  // leave the stream after the font
  }
  face->TransparentColor = 0;
  FHeader = h;
  FDib = face.release();
  SpecialFontWithAlpha = (channel & kChannelAlpha) != 0;
  return true;
}

bool TDibFont::LoadFromFile(const ZChar* AFile) {
  TFileStream f(AFile, FileMode::fmOpenRead);
  if (!f.IsOpen()) {
    FreeImages();
    return Refuse("cannot open the font file " + ToUtf8(AFile));
  }
  return LoadFromStream(f);
}

bool TDibFont::SaveToFile(const ZChar* AName) {
  if (!FDib || FDib->Handle() == 0 || FDib->Bits() != 1)
    return Refuse("the font has no 8-bit face image to save");
  if (FDib->Height() > INT16_MAX)
    return Refuse("font image height " + std::to_string(FDib->Height()) + " exceeds 32767");
  // Every plane is written with the face image's geometry, so the others must share it.
  TDibBaseObj* planes[3] = {FDib->AlphaDib, FODib, FSDib};
  const char* names[3] = {"alpha", "outline", "shadow"};
  bool present[3];
  for (int i = 0; i < 3; ++i) {
    present[i] = planes[i] && planes[i]->Handle() != 0;
    if (present[i] && (planes[i]->Width() != FDib->Width() ||
                       planes[i]->Height() != FDib->Height() || planes[i]->Bits() != 1))
      return Refuse(std::string("the ") + names[i] + " image differs from the face image in size or depth");
  }
  ZString name = AName ? ZString(AName) : ZString();
  if (!HasExtension(name))
    for (char c : std::string(".dfu")) name += static_cast<ZChar>(c);
  TFileStream f(name.c_str(), FileMode::fmCreate);
  if (!f.IsOpen()) return Refuse("cannot create the font file " + ToUtf8(name));

  std::memset(FHeader.dfIdentifier, 0, sizeof FHeader.dfIdentifier);
  std::memcpy(FHeader.dfIdentifier, "DFONTU", 6);
  FHeader.dfVersion = kDibFontVersion;
  FHeader.dfMaxWidth = static_cast<uint32_t>(FDib->Width());
  FHeader.dfHeight = static_cast<int16_t>(FDib->Height());
  FHeader.dfSize = static_cast<uint32_t>(FDib->DibSize);
  FHeader.dfChannels = static_cast<uint8_t>(kChannelFace | (present[0] ? kChannelAlpha : 0) |
                                            (present[1] ? kChannelOutline : 0) |
                                            (present[2] ? kChannelShadow : 0));
  bool ok = f.WriteExact(&FHeader, sizeof FHeader) && f.WriteExact(FDib->DibData, FDib->DibSize);
  for (int i = 0; i < 3 && ok; ++i)
    if (present[i]) ok = f.WriteExact(planes[i]->DibData, planes[i]->DibSize);
  if (!ok) return Refuse("cannot write the font file " + ToUtf8(name));
  return true;
}

}  // namespace zkw
