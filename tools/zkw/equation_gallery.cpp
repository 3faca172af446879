// Equations drawn to pictures, and the gallery of every item class and style.
#include "equation_gallery.h"

#include <algorithm>
#include <cstring>

#include "base/text16.h"
#include "equation/items.h"
#include "platform/plat_gdi.h"

namespace zkwtool {

namespace {

using namespace zkw;

TSimpleExpr* Text(const char* text) { return new TSimpleExpr(FromUtf8(text)); }

// Fills child i of an item with a text.
void Fill(TEquationItem& item, size_t i, const char* text) {
  if (static_cast<int32_t>(i) < item.ChildCount()) item.GetItem(static_cast<int32_t>(i))->Add(Text(text));
}

std::unique_ptr<TEquation> Row(TEquationItem* item) {
  auto row = std::make_unique<TEquation>();
  row->Add(item);
  return row;
}

// A white 24-bit DIB section selected into a memory DC.
struct TSurface {
  plat::HDC DC = nullptr;
  plat::HBITMAP Bitmap = nullptr;
  plat::HGDIOBJ Old = nullptr;
  uint8_t* Bits = nullptr;
  int32_t Width = 0, Height = 0;
  TSurface(int32_t w, int32_t h) : Width(w), Height(h) {
    plat::BITMAPINFO info{};
    info.bmiHeader = {sizeof(plat::BITMAPINFOHEADER), w, -h, 1, 24, plat::BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    DC = plat::CreateCompatibleDC(nullptr);
    Bitmap = plat::CreateDIBSection(DC, &info, plat::DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<uint8_t*>(bits);
    Old = plat::SelectObject(DC, Bitmap);
    if (Bits) std::memset(Bits, 255, static_cast<size_t>(Stride()) * h);
  }
  ~TSurface() {
    plat::SelectObject(DC, Old);
    plat::DeleteObject(Bitmap);
    plat::DeleteDC(DC);
  }
  int32_t Stride() const { return ((Width * 3) + 3) & ~3; }
  void CopyTo(TRgbaImage& image) const {
    plat::GdiFlush();
    image.Width = Width;
    image.Height = Height;
    image.Pixels.assign(static_cast<size_t>(Width) * Height * 4, 255);
    for (int32_t y = 0; y < Height && Bits; ++y)
      for (int32_t x = 0; x < Width; ++x) {
        const uint8_t* p = Bits + static_cast<size_t>(y) * Stride() + static_cast<size_t>(x) * 3;
        uint8_t* q = &image.Pixels[(static_cast<size_t>(y) * Width + x) * 4];
        q[0] = p[2], q[1] = p[1], q[2] = p[0];
      }
  }
};

void Prepare(TEquation& e, plat::HDC dc, const TEqRenderOptions& options) {
  e.SetDC(dc);
  e.SetResolution(options.Resolution);
  if (options.Manager) {
    e.SetDibFontManager(options.Manager);
    e.SetUseDibFont(true);
  }
  e.SetFontSize(options.Size);
  e.SetColor(0x000000);
  e.SetTextColor(0x000000);
}

}  // namespace

std::vector<TGalleryEntry> GalleryEntries() {
  std::vector<TGalleryEntry> out;
  auto add = [&](const std::string& caption, TEquationItem* item) { out.push_back({caption, Row(item)}); };
  add("text", Text("x+y=z"));
  {
    auto* f = new TFraction;
    Fill(*f, 0, "a+b");
    Fill(*f, 1, "c");
    add("fraction", f);
  }
  for (int32_t style : {0, 1}) {
    auto* r = new TSquareRoot;
    r->FStyle = style;
    Fill(*r, 0, "x+1");
    Fill(*r, 1, "3");
    add("root " + std::to_string(style), r);
  }
  for (int32_t style : {0, 1}) {
    auto* i = new TIntegral;
    i->SetStyle(style);
    Fill(*i, 0, "f(x)dx");
    Fill(*i, 1, "b");
    Fill(*i, 2, "a");
    add("integral " + std::to_string(style), i);
  }
  {
    auto* e = new TEquation;
    e->Add(Text("x"));
    auto* s = new TSimpleSuper;
    Fill(*s, 0, "2");
    e->Add(s);
    auto* b = new TSimpleSub;
    Fill(*b, 0, "i");
    e->Add(b);
    out.push_back({"scripts", std::unique_ptr<TEquation>(e)});
  }
  {
    auto* c = new TSpecialChar;
    c->FCharCode = 165;
    add("symbol", c);
    auto* r = new TSpecialCharEx;
    r->FCharCode = 174;
    add("rotated symbol", r);
  }
  for (uint8_t style : {1, 2, 3, 4, 5, 6}) {
    auto* f = new TFence;
    f->SetFenceStyle(style);
    f->FSuper = f->FSub = style == 1;
    Fill(*f, 0, "a-b");
    Fill(*f, 1, "n");
    Fill(*f, 2, "k");
    add("fence " + std::to_string(style), f);
  }
  for (uint8_t n : {1, 2}) {
    auto* a = new TAbsolute;
    a->SetNumClass(n);
    a->FSuper = a->FSub = n == 2;
    Fill(*a, 0, "v");
    Fill(*a, 1, "2");
    Fill(*a, 2, "1");
    add("absolute " + std::to_string(n), a);
  }
  {
    auto* v = new TSimpleVector;
    v->SetExpr(FromUtf8("AB"));
    add("vector", v);
    auto* g = new TSimpleAngle;
    g->SetExpr(FromUtf8("ABC"));
    add("angle", g);
    auto* c = new TSimpleArc;
    c->SetExpr(FromUtf8("AB"));
    c->FStyle = 1;
    add("arc", c);
    auto* b = new TSimpleValue;
    b->SetExpr(FromUtf8("x"));
    b->FStyle = 2;
    add("bars", b);
  }
  for (uint8_t side : {0, 1}) {
    auto* s = new TEquationSystem;
    s->FLeftBracket = side;
    Fill(*s, 0, "x+y=1");
    Fill(*s, 1, "x-y=3");
    add("system " + std::to_string(side), s);
  }
  for (int32_t style : {1, 2, 6}) {
    auto* m = new TArrayEquation;
    m->FStyle = style;
    if (style == 2) m->FLCharCode = '[', m->FRCharCode = ']';
    for (int32_t r = 0; r < 2; ++r) {
      m->GetItem(r)->Add(Text(r ? "c" : "a"));
      m->GetItem(r)->Add(Text(r ? "dd" : "b"));
    }
    add("matrix " + std::to_string(style), m);
  }
  {
    auto* d = new TDeterminant;
    for (int32_t r = 0; r < 2; ++r) {
      d->GetItem(r)->Add(Text(r ? "3" : "1"));
      d->GetItem(r)->Add(Text(r ? "4" : "2"));
    }
    add("determinant", d);
    auto* f = new TFractionEx;
    Fill(*f, 0, "1");
    Fill(*f, 1, "2");
    Fill(*f, 2, "3");
    add("mixed fraction", f);
  }
  {
    auto* s = new T3SubOtherwise;
    s->FSuper = s->FSub = true;
    Fill(*s, 0, "k");
    Fill(*s, 1, "n");
    Fill(*s, 2, "k=1");
    add("sum", s);
    auto* o = new TEquationOr;
    Fill(*o, 0, "x=1");
    Fill(*o, 1, "x=2");
    add("or", o);
  }
  for (int32_t style : {0, 1, 2, 3}) {
    auto* a = new TArrow;
    a->FTextStyle = style;
    a->FArrowStyle = 1 + style % 3;
    Fill(*a, 0, "t");
    Fill(*a, 1, "p");
    add("arrow text " + std::to_string(style), a);
  }
  for (uint8_t style : {1, 2, 3, 4}) {
    auto* a = new TSpecialArrow;
    a->FStyle = style;
    add("diagonal " + std::to_string(style), a);
  }
  {
    auto* m = new TMultiIntegral;
    m->FSuper = m->FSub = true;
    Fill(*m, 0, "f dS");
    Fill(*m, 2, "D");
    add("double integral", m);
    auto* r = new TRightIntegral;
    Fill(*r, 0, "F(x)");
    Fill(*r, 1, "b");
    Fill(*r, 2, "a");
    add("evaluation", r);
    auto* l = new TLim;
    Fill(*l, 0, "f(x)");
    Fill(*l, 1, "x→0");
    add("lim", l);
  }
  for (uint8_t style : {1, 2, 7}) {
    auto* c = new TCos;
    c->SetStyle(style);
    Fill(*c, 0, "x");
    add("function " + std::to_string(style), c);
  }
  for (uint8_t style : {0, 1}) {
    auto* l = new TLog;
    l->FLogStyle = style;
    Fill(*l, 0, "x");
    Fill(*l, 1, "2");
    add("log " + std::to_string(style), l);
  }
  {
    auto* a = new TAngleVecto;
    a->Add(Text("A"));
    a->Add(Text("B"));
    a->Add(Text("C"));
    add("angle over", a);
    auto* c = new TArcVecto;
    c->Add(Text("A"));
    c->Add(Text("B"));
    add("arc over", c);
  }
  {
    auto* outer = new TIntegralEx;
    auto* inner = new TIntegralEx;
    inner->FMain = false;
    Fill(*inner, 0, "f dy");
    outer->AddMainExpr(inner);
    outer->AddMainExpr(Text("dx"));
    add("nested integrals", outer);
  }
  for (uint8_t align : {0, 1, 2}) {
    auto* m = new TMinMax;
    m->FAlign = align;
    m->FSuper = m->FSub = true;
    Fill(*m, 0, "max");
    Fill(*m, 1, "s");
    Fill(*m, 2, "x≤1");
    add("min max " + std::to_string(align), m);
  }
  for (int32_t style : {0, 1, 2, 3}) {
    auto* b = new TBracketHor;
    b->FTextStyle = style;
    Fill(*b, 0, "a+b+c");
    Fill(*b, 1, "n");
    add("brace " + std::to_string(style), b);
  }
  for (uint8_t style = 0; style <= 8; ++style) {
    auto* s = new TSign;
    s->FStyle = style;
    add("sign " + std::to_string(style), s);
  }
  {
    auto* v = new TSimpleValueEx;
    v->FSuper = true;
    Fill(*v, 0, "AB");
    Fill(*v, 1, "2");
    add("bar over", v);
    auto* w = new TSimpleVectorEx;
    w->FSuper = true;
    Fill(*w, 0, "u");
    Fill(*w, 1, "2");
    add("vector over", w);
    auto* g = new TSimpleAngleEx;
    Fill(*g, 0, "xyz");
    add("wedge over", g);
    auto* c = new TSimpleArcEx;
    c->FStyle = 1;
    Fill(*c, 0, "xyz");
    add("arc over row", c);
  }
  for (int32_t style : {0, 1, 2}) {
    auto* r = new TSimpleRect;
    r->FStyle = style;
    Fill(*r, 0, "x=1");
    add("box " + std::to_string(style), r);
  }
  {
    auto* a = new TArrowEx;
    a->FTextStyle = 3;
    Fill(*a, 0, "t");
    Fill(*a, 1, "p");
    add("arrow ex", a);
  }
  for (int32_t style : {0, 1, 6}) {
    auto* g = new TArrayEquationEx;
    g->SetStyle(style);
    g->AddEqItem(Text("a"), 1, 1);
    g->AddEqItem(Text("bb"), 1, 2);
    g->AddEqItem(Text("c"), 2, 1);
    g->AddEqItem(Text("d"), 2, 2);
    add("grid " + std::to_string(style), g);
  }
  return out;
}

bool RenderEquation(TEquation& equation, const TEqRenderOptions& options, TRgbaImage& image) {
  {
    TSurface probe(1, 1);
    Prepare(equation, probe.DC, options);
    equation.SetBasePoint(0, 0);
  }
  const plat::RECT r = equation.FRegion;
  const int32_t w = std::clamp(r.right - r.left + 16, 1, 8192), h = std::clamp(r.bottom - r.top + 16, 1, 8192);
  TSurface surface(w, h);
  if (!surface.Bits) return false;
  Prepare(equation, surface.DC, options);
  equation.SetBasePoint(8 - (r.left - equation.FBasePoint.x), 8 - (r.top - equation.FBasePoint.y));
  equation.Draw();
  surface.CopyTo(image);
  equation.SetDC(nullptr);
  return true;
}

bool RenderGallery(TRgbaImage& image) {
  constexpr int32_t kColumns = 4, kCellWidth = 200, kCellHeight = 110;
  std::vector<TGalleryEntry> entries = GalleryEntries();
  const int32_t rows = (static_cast<int32_t>(entries.size()) + kColumns - 1) / kColumns;
  TSurface surface(kColumns * kCellWidth, rows * kCellHeight);
  if (!surface.Bits) return false;
  plat::HFONT caption = plat::CreateFontW(-11, 0, 0, 0, plat::FW_NORMAL, 0, 0, 0, plat::DEFAULT_CHARSET, 0, 0, 0, 0,
                                          FromUtf8("Arial").c_str());
  for (size_t i = 0; i < entries.size(); ++i) {
    const int32_t cx = static_cast<int32_t>(i % kColumns) * kCellWidth, cy = static_cast<int32_t>(i / kColumns) * kCellHeight;
    plat::HGDIOBJ old = plat::SelectObject(surface.DC, caption);
    plat::SetTextColor(surface.DC, 0x808080);
    plat::SetBkMode(surface.DC, plat::TRANSPARENT);
    const ZString text = FromUtf8(entries[i].Caption);
    plat::TextOutW(surface.DC, cx + 4, cy + 2, text.c_str(), static_cast<int>(text.size()));
    plat::SelectObject(surface.DC, old);
    TEquation& e = *entries[i].Equation;
    Prepare(e, surface.DC, TEqRenderOptions{});
    e.SetBasePoint(cx + 12, cy + 62);
    e.Draw();
    e.SetDC(nullptr);
  }
  plat::DeleteObject(caption);
  surface.CopyTo(image);
  return true;
}

}  // namespace zkwtool
