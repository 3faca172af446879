// Markup text of an equation tree, as formula markup inside running text uses it:
// "/~a~b~" fractions, "Ö~x~2~" roots, "^~x~2~" powers.
#include <string>

#include "equation/equation.h"
#include "equation/items.h"

namespace zkw {

namespace {

void AppendAscii(ZString& out, const char* ascii) {
  for (; *ascii; ++ascii) out += static_cast<ZChar>(static_cast<unsigned char>(*ascii));
}

bool IsLetter(ZChar c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

bool IsOpening(ZChar c) { return c == '(' || c == '[' || c == '{'; }
bool IsClosing(ZChar c) { return c == ')' || c == ']' || c == '}'; }

// Start of the balanced bracket group that ends St (St ends with a bracket): an opening
// bracket alone, or back to the opening bracket that balances the closing one; the whole text
// when none does.
size_t BracketGroupStart(const ZString& St) {
  if (IsOpening(St.back())) return St.size() - 1;
  int depth = 0;
  for (size_t i = St.size(); i-- > 0;) {
    if (IsClosing(St[i])) ++depth;
    else if (IsOpening(St[i]) && --depth == 0) return i;
  }
  return 0;
}

// The text with its blanks removed.
bool BlankOnly(const ZString& text) {
  for (ZChar c : text)
    if (c != ' ') return false;
  return true;
}

}  // namespace

void TEquation::GetTextTo(ZString& St) {
  for (auto& item : FList) item->GetText(St);
}

void TEquationItem::GetText(ZString& St) { ChildrenText(St); }

void TEquationItem::ChildText(size_t index, ZString& St) {
  if (index < FEQList.size()) FEQList[index]->GetTextTo(St);
}

void TSimpleExpr::GetText(ZString& St) {
  for (ZChar c : FExpr) {
    if (c >= 256) {
      AppendAscii(St, ("&#" + std::to_string(static_cast<uint32_t>(c)) + "#").c_str());
    } else {
      St += c;
    }
  }
}

void TFraction::GetText(ZString& St) {
  AppendAscii(St, "/~");
  ChildText(0, St);
  AppendAscii(St, "~");
  ChildText(1, St);
  AppendAscii(St, "~");
}

void TSquareRoot::GetText(ZString& St) {
  St += static_cast<ZChar>(0xD6);  // Ö
  AppendAscii(St, "~");
  ChildText(0, St);
  AppendAscii(St, "~");
  if (FStyle == 0)
    AppendAscii(St, "2");
  else
    ChildText(1, St);
  AppendAscii(St, "~");
}

void TSimpleSuper::GetText(ZString& St) {
  if (St.empty()) return;
  ZString base;
  if (IsLetter(St.back())) {
    base = St.substr(St.size() - 1);
    St.pop_back();
  } else if (IsOpening(St.back()) || IsClosing(St.back())) {
    const size_t start = BracketGroupStart(St);
    base = St.substr(start);
    St.erase(start);
  } else {
    return;
  }
  AppendAscii(St, "^~");
  St += base;
  AppendAscii(St, "~");
  ChildText(0, St);
  AppendAscii(St, "~");
}

void TFence::GetText(ZString& St) {
  if (FSub) return;
  if (!FSuper) {
    AppendAscii(St, "(");
    ChildText(0, St);
    AppendAscii(St, ")");
    return;
  }
  ZString script;
  ChildText(1, script);
  if (BlankOnly(script)) {
    AppendAscii(St, "(");
    ChildText(0, St);
    AppendAscii(St, ")");
    return;
  }
  AppendAscii(St, "^~");
  ChildText(0, St);
  AppendAscii(St, "~");
  St += script;
  AppendAscii(St, "~");
}

}  // namespace zkw

