// Equation trees for the tests, fuzz seeds and benchmarks: one item of every class with its
// stored fields away from their defaults, and large trees.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "equation/equation.h"
#include "equation/items.h"

namespace zkwtest {

// Every item class code, in table order, 30 (TLog) included.
const std::vector<int32_t>& EquationClassCodes();
// A text item (UTF-8 given).
zkw::TSimpleExpr* TextItem(const std::string& text);
// An item of the class: every stored field set away from its default (distinct per field) and
// a text "c<i>" in each child equation i; grids are 2 x 3.
std::unique_ptr<zkw::TEquationItem> SampleItem(int32_t code);
// A row holding SampleItem of every class, colours set, face "Times New Roman" 12 bold.
std::unique_ptr<zkw::TEquation> SampleEquation();
// A tree of about `items` items: rows of texts, fractions, roots, scripts and grids, nested.
std::unique_ptr<zkw::TEquation> LargeEquation(int32_t items);

// The forms' bytes of an equation.
std::vector<uint8_t> StreamBytes(zkw::TEquation& equation);
std::vector<uint8_t> BufferBytes(zkw::TEquation& equation);
zkw::ZString TextForm(zkw::TEquation& equation);

}  // namespace zkwtest
