#include "support/equation_builders.h"

#include <cstring>

#include "common/byte_stream.h"

namespace zkwtest {

const std::vector<int32_t>& EquationClassCodes() {
  static const std::vector<int32_t> codes = {1,  2,  3,  4,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                             18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32,
                                             34, 35, 36, 37, 38, 39, 42, 43, 44, 45, 46, 47};
  return codes;
}

zkw::TSimpleExpr* TextItem(const std::string& text) { return new zkw::TSimpleExpr(zkw::FromUtf8(text)); }

std::unique_ptr<zkw::TEquationItem> SampleItem(int32_t code) {
  std::unique_ptr<zkw::TEquationItem> item = zkw::NewEquationItem(code);
  if (auto* grid = dynamic_cast<zkw::TArrayEquationEx*>(item.get())) grid->AddColumnEq();
  zkw::TFieldList fields;
  item->StoredFields(fields);
  for (int i = 0; i < fields.n; ++i) {
    void* place = fields.f[i].place;
    switch (fields.f[i].kind) {
      case zkw::TStoredField::fkByte: *static_cast<uint8_t*>(place) = static_cast<uint8_t>(3 + i); break;
      case zkw::TStoredField::fkBool: *static_cast<bool*>(place) = !*static_cast<bool*>(place); break;
      case zkw::TStoredField::fkInt: *static_cast<int32_t*>(place) = 1000 * code + i; break;
      case zkw::TStoredField::fkText: *static_cast<zkw::ZString*>(place) = zkw::FromUtf8("a–b’s &#x Ωé"); break;
    }
  }
  item->FieldsRead();
  for (int32_t i = 0; i < item->ChildCount(); ++i) item->GetItem(i)->Add(TextItem("c" + std::to_string(i)));
  item->SetColor(0x102030 + static_cast<uint32_t>(code));
  item->SetTextColor(0x80000005u);
  return item;
}

std::unique_ptr<zkw::TEquation> SampleEquation() {
  auto equation = std::make_unique<zkw::TEquation>();
  zkw::TFontID font = zkw::DefaultFontID();
  zkw::SetFaceName(font, "Times New Roman");
  font.ftSize = 12;
  font.ftBold = 1;
  equation->SetFontID(font);
  for (int32_t code : EquationClassCodes()) equation->Add(SampleItem(code).release());
  return equation;
}

std::unique_ptr<zkw::TEquation> LargeEquation(int32_t items) {
  auto equation = std::make_unique<zkw::TEquation>();
  int32_t made = 0;
  while (made < items) {
    // A group of 10 items: two texts, a fraction of two texts, a root with an index, a
    // superscript and a 1 x 1 grid cell text.
    auto* fraction = new zkw::TFraction;
    fraction->NAdd(TextItem("x+" + std::to_string(made)));
    fraction->DAdd(TextItem("y'"));
    auto* root = new zkw::TSquareRoot;
    root->FStyle = 1;
    root->Add(TextItem("z"));
    root->EAdd(TextItem("3"));
    auto* power = new zkw::TSimpleSuper;
    power->Add(TextItem("2"));
    equation->Add(TextItem("a" + std::to_string(made)));
    equation->Add(fraction);
    equation->Add(root);
    equation->Add(power);
    equation->Add(TextItem("="));
    made += 10;
  }
  return equation;
}

std::vector<uint8_t> StreamBytes(zkw::TEquation& equation) {
  zkw::TMemoryStream stream;
  equation.Write(stream);
  return stream.Bytes();
}

std::vector<uint8_t> BufferBytes(zkw::TEquation& equation) {
  std::vector<uint8_t> bytes(static_cast<size_t>(equation.DataSize()));
  std::memcpy(bytes.data(), &equation.FFontID, sizeof equation.FFontID);
  uint8_t* end = bytes.data() + sizeof equation.FFontID;
  equation.SaveTo(end);
  bytes.resize(static_cast<size_t>(end - bytes.data()));
  return bytes;
}

zkw::ZString TextForm(zkw::TEquation& equation) {
  zkw::ZString text;
  int32_t index = 1;
  equation.ExportTo(text, index);
  return text;
}

}  // namespace zkwtest
