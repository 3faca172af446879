// Lines of marked-up text: measuring where a line ends (word wrap at spaces and soft breaks, tabs,
// hard line ends, embedded equations) and drawing a measured line run by run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/text16.h"
#include "spectext/spec_surface.h"

namespace zkw {

struct TSpecLine {
  int32_t Units = 0;     // code units that belong to the line (0: nothing fits, or no text)
  int32_t Height = 0;    // line height
  int32_t Baseline = 0;  // from the line's top
  int32_t Width = 0;     // of the text taken (without a trailing space)
  bool AtEnd = false;    // the line ends at the end of the text
};

// Measures one line of Text (Len code units, or fewer up to a NUL) starting at x = Left with
// the format Start. With Wrap the line ends at the last break that fits within Right; a first
// word or equation wider than that is taken alone. Without it the line ends at NUL or CR.
TSpecLine MeasureLine(TSpecSurface& Surface, const ZChar* Text, size_t Len, int32_t Left, int32_t Right,
                      bool Wrap, TSpecFormat Start);

// Draws (or with MeasureOnly only walks) Count code units of a line whose baseline is at yBase
// with the line's Baseline; Format carries the commands on to the next line, the script
// returning to normal at the end. Tab stops count from x. Returns the pen's end.
int32_t DrawLine(TSpecSurface& Surface, const ZChar* Text, size_t Count, int32_t x, int32_t yBase,
                 int32_t Baseline, bool MeasureOnly, TSpecFormat& Format);

// The equation of an "~E" command prepared on the surface and laid out at (0, 0), or null when
// its text form is malformed.
std::unique_ptr<TEquation> LoadEquation(TSpecSurface& Surface, const ZChar* Text, const TSpecCommand& Command,
                                        const TSpecFormat& Format);

// The next tab stop after x, stops every Step pixels from Origin.
int32_t NextTabStop(int32_t x, int32_t Origin, int32_t Step);

}  // namespace zkw
