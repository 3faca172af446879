// Span flood fill with a capped span stack (the entry point of TDibBaseObj::FloodFill, with the
// cap open to tests).
#pragma once
#include <cstddef>
#include <cstdint>

namespace zkw {

class TDibBaseObj;

// Default cap of the span stack: proportional to width + height.
size_t FloodStackCap(int32_t width, int32_t height);

// Fills the 4-connected region of the seed's value with AColor, keeping at most maxSpans
// pending spans; when the stack is full the fill finishes by sweeping the image for region
// pixels next to filled ones, so the result never depends on the cap.
void FloodFillSpans(TDibBaseObj& dib, int32_t x, int32_t y, uint32_t AColor, size_t maxSpans);

}  // namespace zkw
