// Equations drawn to pictures: one equation on a white 24-bit memory device context, and the
// gallery of every item class and style laid out in a grid.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "equation/equation.h"
#include "png_io.h"

namespace zkwtool {

struct TEqRenderOptions {
  int32_t Size = 12;        // points
  int32_t Resolution = 96;  // pixels per inch
  zkw::TDibFontManager* Manager = nullptr;  // bitmap fonts when set
};

// A caption and an equation showing one class in one style.
struct TGalleryEntry {
  std::string Caption;
  std::unique_ptr<zkw::TEquation> Equation;
};
std::vector<TGalleryEntry> GalleryEntries();

// Draws the equation with a margin of 8 pixels around its region.
bool RenderEquation(zkw::TEquation& equation, const TEqRenderOptions& options, TRgbaImage& image);
// The gallery: entries in cells of 4 columns, captions above them.
bool RenderGallery(TRgbaImage& image);

}  // namespace zkwtool
