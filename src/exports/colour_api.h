// Exported colour procedures, backgrounds and the host's row bitmaps.
#pragma once
#include <cstdint>

#include "exports/api.h"

// --- Colour procedures ------------------------------------------------------------------------
ZKW_EXPORT void ZKWAPI RGBtoHLS(uint32_t Color, int32_t* H, int32_t* L, int32_t* S);
ZKW_EXPORT uint32_t ZKWAPI HLStoRGB(int32_t H, int32_t L, int32_t S);
ZKW_EXPORT uint32_t ZKWAPI ChangeColorLight(uint32_t Color, int32_t Delta);
ZKW_EXPORT void ZKWAPI VColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                      int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI HColorGradient(void* dc, uint32_t Color1, uint32_t Color2, int32_t x1,
                                      int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI VerticalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                        uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                        int32_t y2, int32_t Pos);
ZKW_EXPORT void ZKWAPI HorizontalGradient(void* dc, uint32_t Color1, uint32_t Color2,
                                          uint32_t Color3, int32_t x1, int32_t y1, int32_t x2,
                                          int32_t y2, int32_t Pos);
ZKW_EXPORT void ZKWAPI HorizontalMultiGradient(void* dc, const int32_t* Colors,
                                               const int32_t* Positions, int32_t Count,
                                               int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI VerticalMultiGradient(void* dc, const int32_t* Colors,
                                             const int32_t* Positions, int32_t Count, int32_t x1,
                                             int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI HorizontalMultiGradientPos(void* dc, const int32_t* Colors,
                                                  const int32_t* Positions, int32_t Count,
                                                  int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI VerticalMultiGradientPos(void* dc, const int32_t* Colors,
                                                const int32_t* Positions, int32_t Count,
                                                int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT uint32_t ZKWAPI BlendColor(uint32_t Color, uint32_t Color2, int32_t Percent);
ZKW_EXPORT void ZKWAPI BlendRect(void* dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                 uint32_t Color, int32_t Percent);
ZKW_EXPORT void ZKWAPI BlendLine(void* dc, int32_t x1, int32_t y, int32_t x2, uint32_t Color,
                                 int32_t Percent);
ZKW_EXPORT uint8_t ZKWAPI MultiplyColor(uint8_t* Dest, uint32_t Color1, uint32_t Color2);
ZKW_EXPORT void ZKWAPI FXBoxBlur(void* Bitmap, int32_t Radius, int32_t Passes);
ZKW_EXPORT void ZKWAPI DrawCornerFrameAlpha(void* dc, int32_t x1, int32_t y1, int32_t x2,
                                            int32_t y2, uint32_t Color, int32_t Percent);

// --- Backgrounds ------------------------------------------------------------------------------
ZKW_EXPORT void ZKWAPI RectangleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                       int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI HorzCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI HorizonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                     int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI VerticalGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                      int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI VertCenterGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI CircleGround(void* Dib, uint8_t C1, uint8_t C2, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI HorzSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                      int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2);
ZKW_EXPORT void ZKWAPI VertSineGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Period,
                                      int32_t Amp, int32_t x1, int32_t y1, int32_t x2,
                                      int32_t y2);
ZKW_EXPORT void ZKWAPI BorderGround(void* Dib, uint32_t Color, uint32_t Color2, int32_t Step,
                                    int32_t Offset, int32_t Thick, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2);
ZKW_EXPORT void ZKWAPI BandsGround(void* Dib, uint8_t C1, uint8_t C2, uint8_t Vertical,
                                   int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Returns h, the number of polygon steps (at most 2147483647).
ZKW_EXPORT int32_t ZKWAPI PolygonGround(void* Dib, uint8_t C1, uint8_t C2, int32_t Num,
                                        int32_t Density, uint8_t Outward, int32_t x1,
                                        int32_t y1, int32_t x2, int32_t y2);

// --- Row bitmaps (what a host needs to hand bitmaps to FXBoxBlur) ------------------------------
// A zeroed bitmap of Width x Height pixels of Bits (8 or 24) bits; 0 for other depths or sizes.
ZKW_EXPORT void* ZKWAPI zkwCreateRowBitmap(int32_t Width, int32_t Height, int32_t Bits);
ZKW_EXPORT void ZKWAPI zkwFreeRowBitmap(void* Bitmap);
// Writes the size and depth (each address may be 0); 1, or 0 for no bitmap.
ZKW_EXPORT int32_t ZKWAPI zkwRowBitmapInfo(void* Bitmap, int32_t* Width, int32_t* Height,
                                           int32_t* Bits);
// Picture row y (0 = top), Width x Bits / 8 bytes; 0 outside the bitmap.
ZKW_EXPORT void* ZKWAPI zkwRowBitmapScanLine(void* Bitmap, int32_t y);
// The 256 colour-table entries (blue, green, red, 0) of an 8-bit bitmap; 0 for 24 bits.
ZKW_EXPORT void* ZKWAPI zkwRowBitmapColorTable(void* Bitmap);
