// The text form: numbers as three-digit lengths and digits ("003255"), texts as three-digit
// lengths and characters with "&#code#" escapes, read and written at 1-based positions.
#pragma once
#include "equation/form_io.h"

namespace zkw {

class TTextReader : public TEqReader {
 public:
  // Reads st from the 1-based position (which must lie in 1..length + 1).
  TTextReader(const ZString& st, int32_t index);
  TEqForm Form() const override { return TEqForm::efText; }
  bool Common(TEquationItem& item) override;
  bool Field(int32_t& value, int size) override;
  bool Text(ZString& text, const TEquationItem& item) override;
  bool Count(int32_t& n, int64_t least, const char* what) override;
  // Code 48 is the grid with its cells, read as class 46.
  bool Code(int32_t& code) override;
  int64_t LeastItem() const override { return 12; }
  int64_t LeastEquation() const override { return 4; }
  int64_t Left() const override { return static_cast<int64_t>(FText.size()) - FPos; }
  std::string Where() const override { return "at character " + std::to_string(FPos + 1); }
  // The 1-based position after what was read.
  int32_t Index() const { return static_cast<int32_t>(FPos + 1); }
  bool Number(int32_t& value, int64_t lowest, int64_t highest);

 private:
  bool Length(int32_t& length);
  const ZString& FText;
  int64_t FPos;
};

class TTextWriter : public TEqWriter {
 public:
  TEqForm Form() const override { return TEqForm::efText; }
  void Common(TEquationItem& item) override;
  void Field(int32_t value, int) override { Number(value); }
  void Text(const ZString& text) override;
  void Count(int32_t n) override { Number(n); }
  void Code(int32_t code) override { Number(code); }
  void Number(int64_t value);
  ZString FOut;
};

// Characters of 256 and above as "&#code#", and "&" before "#" as "&#38#".
ZString EscapeText(const ZString& text);
// Turns "&#code#" (code up to 65535) back into the character; other "&" stay.
ZString UnescapeText(const ZString& text);
// Inserts text at the 1-based index (held inside 1..length + 1) and moves index past it.
void InsertAt(ZString& st, int32_t& index, const ZString& text);

}  // namespace zkw
