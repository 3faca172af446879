// Where marked-up text is measured and drawn: a device context with GDI fonts or a DIB canvas with
// bitmap fonts. One virtual call per run, never per character or pixel.
#pragma once
#include <cstdint>

#include "base/text16.h"
#include "spectext/spec_markup.h"

namespace zkw {

class TEquation;

class TSpecSurface {
 public:
  explicit TSpecSurface(const TSpecContext& Context) : FContext(Context) {}
  virtual ~TSpecSurface() = default;
  TSpecSurface(const TSpecSurface&) = delete;
  TSpecSurface& operator=(const TSpecSurface&) = delete;

  // Makes the format's font and colour current.
  virtual void Select(const TSpecFormat& Format) = 0;
  virtual int32_t Width(const ZChar* Text, int32_t Count) = 0;
  // Draws a run with its baseline at yBase.
  virtual void Out(int32_t x, int32_t yBase, const ZChar* Text, int32_t Count) = 0;
  // Distance between tab stops.
  virtual int32_t TabStep() = 0;
  // Line height and baseline of the base font.
  virtual int32_t BaseHeight() = 0;
  virtual int32_t BaseBaseline() = 0;
  // Gives an imported equation the face, styles, size, colours and device of the format;
  // the equation is laid out at its base point afterwards.
  virtual void Prepare(TEquation& Eq, const TSpecFormat& Format) = 0;

  const TSpecContext& Context() const { return FContext; }

 private:
  TSpecContext FContext;
};

}  // namespace zkw
