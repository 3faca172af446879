// A progress line on the terminal ("render: 57/120 frames"), redrawn in place on standard error.
// Shows nothing when standard error is not a terminal, and leaves no trace when finished.
#pragma once
#include <string>

namespace zkwtool {

class TProgressLine {
 public:
  TProgressLine(std::string label, std::string unit);
  ~TProgressLine();
  void Update(int done, int total);
  // Erases the line (also done by the destructor).
  void Finish();

 private:
  std::string FLabel, FUnit;
  bool FShown;
  int FLastDone = -1;
};

}  // namespace zkwtool
