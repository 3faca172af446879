// Every field of every record that crosses the export boundary at its documented offset, for
// the layout of the build being compiled: the 32-bit DLL is built but cannot run on machines
// whose kernel runs no 32-bit programs, so these assertions are what hold its layouts to the
// pages that document them (api-dib-objects.md, api-canvas.md, api-fonts.md, api-scripts.md,
// api-colour.md, api-equations.md, api-spectext.md, format-equation.md). The 64-bit builds check their own widened layouts.
#include <cstddef>

#include "equation/font_id.h"
#include "exports/zkwgdi32.h"

namespace {

constexpr bool k32 = sizeof(void*) == 4;
// The offset of a field in the 32-bit layout, or in the 64-bit one.
constexpr size_t By(size_t in32, size_t in64) { return k32 ? in32 : in64; }

#define ZKW_AT(record, field, offset) \
  static_assert(offsetof(record, field) == (offset), #record "." #field " is not at " #offset)

// The image memory block's header.
ZKW_AT(TDibImageHeader, biSize, 0);
ZKW_AT(TDibImageHeader, biWidth, 4);
ZKW_AT(TDibImageHeader, biHeight, 8);
ZKW_AT(TDibImageHeader, biPlanes, 12);
ZKW_AT(TDibImageHeader, biBitCount, 14);
ZKW_AT(TDibImageHeader, biCompression, 16);
ZKW_AT(TDibImageHeader, biSizeImage, 20);
ZKW_AT(TDibImageHeader, biXPelsPerMeter, 24);
ZKW_AT(TDibImageHeader, biYPelsPerMeter, 28);
ZKW_AT(TDibImageHeader, biClrUsed, 32);
ZKW_AT(TDibImageHeader, biClrImportant, 36);
static_assert(sizeof(TDibImageHeader) == 40, "TDibImageHeader is 40 bytes");

ZKW_AT(TDibColorEntry, Blue, 0);
ZKW_AT(TDibColorEntry, Green, 1);
ZKW_AT(TDibColorEntry, Red, 2);
ZKW_AT(TDibColorEntry, Reserved, 3);

// The canvas's font record.
ZKW_AT(TDibCanvasFontInfo, FaceName, 0);
ZKW_AT(TDibCanvasFontInfo, Size, 512);
ZKW_AT(TDibCanvasFontInfo, Bold, 516);
ZKW_AT(TDibCanvasFontInfo, Italic, 517);
ZKW_AT(TDibCanvasFontInfo, Underline, 518);
ZKW_AT(TDibCanvasFontInfo, StrikeOut, 519);
ZKW_AT(TDibCanvasFontInfo, Color, 520);
static_assert(sizeof(TDibCanvasFontInfo) == 524, "TDibCanvasFontInfo is 524 bytes");

// The logical font of GetFont.
ZKW_AT(TLogFontRecord, Height, 0);
ZKW_AT(TLogFontRecord, Width, 4);
ZKW_AT(TLogFontRecord, Escapement, 8);
ZKW_AT(TLogFontRecord, Orientation, 12);
ZKW_AT(TLogFontRecord, Weight, 16);
ZKW_AT(TLogFontRecord, Italic, 20);
ZKW_AT(TLogFontRecord, Underline, 21);
ZKW_AT(TLogFontRecord, StrikeOut, 22);
ZKW_AT(TLogFontRecord, CharSet, 23);
ZKW_AT(TLogFontRecord, OutPrecision, 24);
ZKW_AT(TLogFontRecord, ClipPrecision, 25);
ZKW_AT(TLogFontRecord, Quality, 26);
ZKW_AT(TLogFontRecord, PitchAndFamily, 27);
ZKW_AT(TLogFontRecord, FaceName, 28);
static_assert(sizeof(TLogFontRecord) == 92, "TLogFontRecord is 92 bytes");

// The object information record: the image handle is 4 bytes in the 32-bit DLL and 8 in 64-bit
// builds, which moves every later field by 4.
ZKW_AT(TDAObjectInfo, ParentObjName, 0);
ZKW_AT(TDAObjectInfo, ObjName, 256);
ZKW_AT(TDAObjectInfo, Info, 512);
ZKW_AT(TDAObjectInfo, Level, 768);
ZKW_AT(TDAObjectInfo, Collision, 770);
ZKW_AT(TDAObjectInfo, Active, 771);
ZKW_AT(TDAObjectInfo, Visible, 772);
ZKW_AT(TDAObjectInfo, DibObject, 773);
ZKW_AT(TDAObjectInfo, Enabled, By(777, 781));
ZKW_AT(TDAObjectInfo, ID, By(778, 782));
ZKW_AT(TDAObjectInfo, Style, By(780, 784));
ZKW_AT(TDAObjectInfo, XPos, By(781, 785));
ZKW_AT(TDAObjectInfo, YPos, By(783, 787));
ZKW_AT(TDAObjectInfo, DibStyle, By(785, 789));
ZKW_AT(TDAObjectInfo, OriginX, By(786, 790));
ZKW_AT(TDAObjectInfo, OriginY, By(788, 792));
ZKW_AT(TDAObjectInfo, FlipX, By(790, 794));
ZKW_AT(TDAObjectInfo, FlipY, By(792, 796));
ZKW_AT(TDAObjectInfo, Transparent, By(794, 798));
ZKW_AT(TDAObjectInfo, Width, By(796, 800));
ZKW_AT(TDAObjectInfo, Height, By(798, 802));
ZKW_AT(TDAObjectInfo, FloatWhenClick, By(800, 804));
ZKW_AT(TDAObjectInfo, Sensitive, By(801, 805));
ZKW_AT(TDAObjectInfo, Locked, By(802, 806));
ZKW_AT(TDAObjectInfo, Tag, By(803, 807));
ZKW_AT(TDAObjectInfo, Container, By(807, 811));
ZKW_AT(TDAObjectInfo, HotCursor, By(808, 812));
static_assert(sizeof(TDAObjectInfo) == By(810, 814), "TDAObjectInfo is 810 bytes (814 in 64-bit builds)");

// The colour dialog's record (natural alignment).
ZKW_AT(TSelectColorRecord, Size, 0);
ZKW_AT(TSelectColorRecord, Owner, By(4, 8));
ZKW_AT(TSelectColorRecord, Color, By(8, 16));
ZKW_AT(TSelectColorRecord, Unused, By(12, 24));
ZKW_AT(TSelectColorRecord, ShowStandard, By(28, 40));
ZKW_AT(TSelectColorRecord, ShowSystem, By(32, 44));
static_assert(sizeof(TSelectColorRecord) == By(36, 48), "TSelectColorRecord is 36 bytes (48 in 64-bit builds)");

// The equations' font record.
ZKW_AT(zkw::TFontID, ftFaceName, 0);
ZKW_AT(zkw::TFontID, ftBold, 129);
ZKW_AT(zkw::TFontID, ftItalic, 130);
ZKW_AT(zkw::TFontID, ftUnderline, 131);
ZKW_AT(zkw::TFontID, ftSize, 132);
static_assert(sizeof(zkw::TFontID) == 136, "TFontID is 136 bytes");

// The equations' font record and object information record of the exports.
ZKW_AT(TEqFontID, ftFaceName, 0);
ZKW_AT(TEqFontID, ftBold, 129);
ZKW_AT(TEqFontID, ftItalic, 130);
ZKW_AT(TEqFontID, ftUnderline, 131);
ZKW_AT(TEqFontID, ftSize, 132);
static_assert(sizeof(TEqFontID) == sizeof(zkw::TFontID), "TEqFontID is the stored font record");
ZKW_AT(TEquationObjectInfo, Width, 132);
ZKW_AT(TEquationObjectInfo, Ascent, 134);
ZKW_AT(TEquationObjectInfo, DataSize, 136);
ZKW_AT(TEquationObjectInfo, BelowHeight, 143);
static_assert(sizeof(TEquationObjectInfo) == 200, "TEquationObjectInfo is 200 bytes");
ZKW_AT(TEqRect, left, 0);
ZKW_AT(TEqRect, top, 4);
ZKW_AT(TEqRect, right, 8);
ZKW_AT(TEqRect, bottom, 12);

// The character format of the markup editor protocol: no handles, the same in both builds.
ZKW_AT(TSpecCharFormat, FaceName, 0);
ZKW_AT(TSpecCharFormat, Size, 51);
ZKW_AT(TSpecCharFormat, Style, 53);
ZKW_AT(TSpecCharFormat, Color, 54);
ZKW_AT(TSpecCharFormat, Reserved1, 58);
ZKW_AT(TSpecCharFormat, Hundred, 64);
ZKW_AT(TSpecCharFormat, Script, 66);
ZKW_AT(TSpecCharFormat, Underline, 68);
ZKW_AT(TSpecCharFormat, UnderlineColor, 70);
ZKW_AT(TSpecCharFormat, Reserved2, 74);
static_assert(sizeof(TSpecCharFormat) == By(84, 84), "TSpecCharFormat is 84 bytes");

#undef ZKW_AT

}  // namespace
