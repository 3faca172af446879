#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace zkwtool {

TProgressLine::TProgressLine(std::string label, std::string unit)
    : FLabel(std::move(label)), FUnit(std::move(unit)), FShown(isatty(STDERR_FILENO) != 0) {}

TProgressLine::~TProgressLine() { Finish(); }

void TProgressLine::Update(int done, int total) {
  if (!FShown || done == FLastDone) return;
  FLastDone = done;
  std::fprintf(stderr, "\r%s: %d/%d %s", FLabel.c_str(), done, total, FUnit.c_str());
  std::fflush(stderr);
}

void TProgressLine::Finish() {
  if (!FShown) return;
  if (FLastDone >= 0) std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  FShown = false;
}

}  // namespace zkwtool
