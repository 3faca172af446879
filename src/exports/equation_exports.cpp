// Exported equation functions: thin wrappers over TEquation.
#include <cstring>
#include <map>
#include <string>

#include "common/byte_stream.h"
#include "equation/equation.h"
#include "equation/equation_defaults.h"
#include "exports/zkwgdi32.h"
#include "text/ansi_text.h"

using namespace zkw;

namespace {

TEquation* E(ZEQUATION h) { return static_cast<TEquation*>(h); }

// The face names handed out by eqGetFontName, alive until the face changes or the equation goes.
std::map<const TEquation*, ZString>& FaceTexts() {
  static auto* texts = new std::map<const TEquation*, ZString>();
  return *texts;
}

// The default editor font and the form colours: kept for the editor, no other effect here.
struct TEditorSettings {
  std::string Face = "Times New Roman";
  int32_t Size = 12;
  uint32_t Colors[3] = {0x80000000u | 15, 0x80000000u | 20, 0x80000000u | 16};
};
TEditorSettings& Editor() {
  static TEditorSettings settings;
  return settings;
}

TEqRect ToRect(const plat::RECT& r) { return TEqRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

ZKW_EXPORT ZEQUATION ZKWAPI eqCreateEquation() {
  return Guarded<ZEQUATION>(nullptr, [] { return static_cast<ZEQUATION>(new TEquation); });
}
ZKW_EXPORT void ZKWAPI eqFreeEquation(ZEQUATION h) {
  GuardedVoid([&] {
    if (!h) return;
    FaceTexts().erase(E(h));
    delete E(h);
  });
}
ZKW_EXPORT void ZKWAPI eqClear(ZEQUATION h) { GuardedVoid([&] { E(h)->Clear(); }); }
ZKW_EXPORT int32_t ZKWAPI eqGetCount(ZEQUATION h) { return Guarded<int32_t>(0, [&] { return E(h)->Count(); }); }
ZKW_EXPORT ZEQITEM ZKWAPI eqGetItem(ZEQUATION h, int32_t Index) {
  return Guarded<ZEQITEM>(nullptr, [&] { return static_cast<ZEQITEM>(E(h)->GetItem(Index)); });
}
ZKW_EXPORT void ZKWAPI eqSetBasePoint(ZEQUATION h, int32_t x, int32_t y) {
  GuardedVoid([&] { E(h)->SetBasePoint(x, y); });
}
ZKW_EXPORT void ZKWAPI eqGetBasePoint(TEqPoint* Result, ZEQUATION h) {
  GuardedVoid([&] { *Result = TEqPoint{E(h)->FBasePoint.x, E(h)->FBasePoint.y}; });
}
ZKW_EXPORT void ZKWAPI eqCalcRegion(ZEQUATION h) { GuardedVoid([&] { E(h)->CalcRegion(); }); }
ZKW_EXPORT void ZKWAPI eqInvalidate(ZEQUATION h) { GuardedVoid([&] { E(h)->Invalidate(); }); }
ZKW_EXPORT void ZKWAPI eqDraw(ZEQUATION h) { GuardedVoid([&] { E(h)->Draw(); }); }
ZKW_EXPORT void ZKWAPI eqDrawScale(ZEQUATION h, int32_t Width, int32_t Height) {
  GuardedVoid([&] { E(h)->DrawScale(Width, Height); });
}
ZKW_EXPORT int32_t ZKWAPI eqGetWidth(ZEQUATION h) { return Guarded<int32_t>(0, [&] { return E(h)->Width(); }); }
ZKW_EXPORT int32_t ZKWAPI eqGetHeight(ZEQUATION h) { return Guarded<int32_t>(0, [&] { return E(h)->Height(); }); }
ZKW_EXPORT int32_t ZKWAPI eqGetAboveHeight(ZEQUATION h) {
  return Guarded<int32_t>(0, [&] { return E(h)->AboveHeight(); });
}
ZKW_EXPORT int32_t ZKWAPI eqGetBelowHeight(ZEQUATION h) {
  return Guarded<int32_t>(0, [&] { return E(h)->BelowHeight(); });
}
ZKW_EXPORT int32_t ZKWAPI eqGetBaseline(ZEQUATION h) { return Guarded<int32_t>(0, [&] { return E(h)->FBaseline; }); }
ZKW_EXPORT void ZKWAPI eqGetRegion(TEqRect* Result, ZEQUATION h) {
  GuardedVoid([&] { *Result = ToRect(E(h)->FRegion); });
}
ZKW_EXPORT void ZKWAPI eqGetBoundsRect(TEqRect* Result, ZEQUATION h) {
  GuardedVoid([&] { *Result = ToRect(E(h)->BoundsRect()); });
}
ZKW_EXPORT void ZKWAPI eqSetCanvas(ZEQUATION h, void* DC) { GuardedVoid([&] { E(h)->SetDC(DC); }); }
ZKW_EXPORT void* ZKWAPI eqGetCanvas(ZEQUATION h) { return Guarded<void*>(nullptr, [&] { return E(h)->FDC; }); }
ZKW_EXPORT void ZKWAPI eqSetResolution(ZEQUATION h, int32_t Resolution) {
  GuardedVoid([&] { E(h)->SetResolution(Resolution); });
}
ZKW_EXPORT void ZKWAPI eqSetUseDibFont(ZEQUATION h, uint8_t Flag) {
  GuardedVoid([&] { E(h)->SetUseDibFont(Flag != 0); });
}
ZKW_EXPORT void ZKWAPI eqSetDibFontManager(ZEQUATION h, void* Manager) {
  GuardedVoid([&] { E(h)->SetDibFontManager(static_cast<TDibFontManager*>(Manager)); });
}
ZKW_EXPORT void ZKWAPI eqSetFontID(ZEQUATION h, TEqFontID Font) {
  GuardedVoid([&] {
    TFontID font;
    std::memcpy(&font, &Font, sizeof font);
    E(h)->SetFontID(SanitizedFontID(font));
  });
}
ZKW_EXPORT void ZKWAPI eqGetFontID(TEqFontID* Result, ZEQUATION h) {
  GuardedVoid([&] { std::memcpy(Result, &E(h)->FFontID, sizeof *Result); });
}
ZKW_EXPORT void ZKWAPI eqSetFontName(ZEQUATION h, const char* Name) {
  GuardedVoid([&] {
    if (Name) E(h)->SetFontName(Name);
  });
}
ZKW_EXPORT const plat::WCHAR* ZKWAPI eqGetFontName(ZEQUATION h) {
  return Guarded<const plat::WCHAR*>(nullptr, [&] {
    ZString& text = FaceTexts()[E(h)];
    text = FromAnsi(FaceName(E(h)->FFontID));
    return text.c_str();
  });
}
ZKW_EXPORT void ZKWAPI eqSetFontSize(ZEQUATION h, int32_t Size) { GuardedVoid([&] { E(h)->SetFontSize(Size); }); }
ZKW_EXPORT int32_t ZKWAPI eqGetFontSize(ZEQUATION h) {
  return Guarded<int32_t>(0, [&] { return E(h)->FFontID.ftSize; });
}
ZKW_EXPORT void ZKWAPI eqSetColor(ZEQUATION h, uint32_t Color) { GuardedVoid([&] { E(h)->SetColor(Color); }); }
ZKW_EXPORT uint32_t ZKWAPI eqGetColor(ZEQUATION h) { return Guarded<uint32_t>(0, [&] { return E(h)->FColor; }); }
ZKW_EXPORT void ZKWAPI eqSetTextColor(ZEQUATION h, uint32_t Color) {
  GuardedVoid([&] { E(h)->SetTextColor(Color); });
}
ZKW_EXPORT uint32_t ZKWAPI eqGetTextColor(ZEQUATION h) {
  return Guarded<uint32_t>(0, [&] { return E(h)->FTextColor; });
}
ZKW_EXPORT void ZKWAPI eqSetParentObj(ZEQUATION h, ZEQITEM Item) {
  GuardedVoid([&] { E(h)->SetParentObj(static_cast<TEquationItem*>(Item)); });
}
ZKW_EXPORT ZEQITEM ZKWAPI eqGetParentObj(ZEQUATION h) {
  return Guarded<ZEQITEM>(nullptr, [&] { return static_cast<ZEQITEM>(E(h)->FParentObj); });
}
ZKW_EXPORT void ZKWAPI eqRead(ZEQUATION h, void* Stream) {
  GuardedVoid([&] {
    if (Stream) E(h)->Read(*static_cast<TStream*>(Stream));
  });
}
ZKW_EXPORT void ZKWAPI eqWrite(ZEQUATION h, void* Stream) {
  GuardedVoid([&] {
    if (Stream) E(h)->Write(*static_cast<TStream*>(Stream));
  });
}
ZKW_EXPORT int32_t ZKWAPI eqLoadFromFile(ZEQUATION h, const char* FileName) {
  return Guarded<int32_t>(0, [&] { return FileName && E(h)->LoadFromFile(FromAnsi(FileName).c_str()) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI eqSaveToFile(ZEQUATION h, const char* FileName) {
  return Guarded<int32_t>(0, [&] { return FileName && E(h)->SaveToFile(FromAnsi(FileName).c_str()) ? 1 : 0; });
}
ZKW_EXPORT int32_t ZKWAPI eqGetDataSize(ZEQUATION h) {
  return Guarded<int32_t>(0, [&] { return static_cast<int32_t>(E(h)->DataSize()); });
}
ZKW_EXPORT void ZKWAPI eqSaveToBuffer(ZEQUATION h, void* Buffer) {
  GuardedVoid([&] {
    if (Buffer) E(h)->SaveToBuffer(static_cast<uint8_t*>(Buffer));
  });
}
ZKW_EXPORT void ZKWAPI eqLoadFromBuffer(ZEQUATION h, const void* Buffer) {
  GuardedVoid([&] {
    if (Buffer) E(h)->LoadFromBuffer(static_cast<const uint8_t*>(Buffer));
  });
}
ZKW_EXPORT int32_t ZKWAPI eqLoadFromBufferEx(ZEQUATION h, const void* Buffer, int32_t Size) {
  return Guarded<int32_t>(0, [&] {
    if (!Buffer || Size < 0) return 0;
    return E(h)->LoadFromBuffer(static_cast<const uint8_t*>(Buffer), static_cast<size_t>(Size)) ? 1 : 0;
  });
}
ZKW_EXPORT void ZKWAPI eqSaveTo(ZEQUATION h, uint8_t** Buffer) {
  GuardedVoid([&] {
    if (Buffer && *Buffer) E(h)->SaveTo(*Buffer);
  });
}
ZKW_EXPORT int32_t ZKWAPI eqExportTo(ZEQUATION h, plat::WCHAR* Dest, int32_t* Index) {
  return Guarded<int32_t>(0, [&] {
    ZString text;
    int32_t position = 1;
    E(h)->ExportTo(text, position);
    if (Dest) {
      std::memcpy(Dest, text.c_str(), (text.size() + 1) * sizeof(plat::WCHAR));
      if (Index) *Index += static_cast<int32_t>(text.size());
    }
    return static_cast<int32_t>(text.size());
  });
}
ZKW_EXPORT void ZKWAPI eqImportFrom(ZEQUATION h, const plat::WCHAR* Text, int32_t* Index) {
  GuardedVoid([&] {
    if (!Text || !Index) return;
    ZString text(Text);
    E(h)->ImportFrom(text, *Index);
  });
}
ZKW_EXPORT int32_t ZKWAPI eqGetTextTo(ZEQUATION h, char* Dest) {
  return Guarded<int32_t>(0, [&] {
    ZString markup;
    E(h)->GetTextTo(markup);
    // The length is that of the converted bytes, so that a buffer asked for first is big enough.
    const std::string bytes = ToAnsi(markup);
    if (Dest) std::memcpy(Dest, bytes.c_str(), bytes.size() + 1);
    return static_cast<int32_t>(bytes.size());
  });
}
ZKW_EXPORT void ZKWAPI eqSetEquationDefaultColors(uint32_t LineColor, uint32_t TextColor) {
  GuardedVoid([&] { SetEquationDefaultColors(LineColor, TextColor); });
}
ZKW_EXPORT void ZKWAPI eqSetEquationDefaultFont(const char* Name, int32_t Size) {
  GuardedVoid([&] {
    if (Name) Editor().Face = Name;
    Editor().Size = Size;
  });
}
ZKW_EXPORT uint32_t ZKWAPI eqSetFormColors(uint32_t Face, uint32_t Highlight, uint32_t Shadow) {
  return Guarded<uint32_t>(0, [&] {
    Editor().Colors[0] = Face;
    Editor().Colors[1] = Highlight;
    Editor().Colors[2] = Shadow;
    return Shadow;
  });
}
