// The editor window protocol against a small editor window of the test: marked-up text read from
// its text, formats and embedded equations, and marked-up text written into it message by message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "equation/items.h"
#include "exports/zkwgdi32.h"
#include "platform/plat.h"
#include "platform/plat_window.h"
#include "support/equation_builders.h"
#include "support/test_support.h"

using namespace zkw;
using namespace zkwtest;

namespace {

TSpecCharFormat Format(const char* face, uint32_t color, uint8_t style = 0, int16_t script = 0,
                       uint16_t underline = 0) {
  TSpecCharFormat f{};
  std::strncpy(f.FaceName, face, sizeof f.FaceName - 1);
  f.Size = 10;
  f.Style = style;
  f.Color = color;
  f.Hundred = 100;
  f.Script = script;
  f.Underline = underline;
  return f;
}

// What the editor holds and what it was asked to do.
struct EditorState {
  ZString text;
  std::vector<uint8_t> indices;
  std::vector<TSpecCharFormat> formats;
  TSpecCharFormat defaults = Format("Arial", 0x000000);
  bool hasDefault = true;
  std::vector<TEquation*> objects;
  std::vector<std::string> log;
  std::vector<TEquationObjectInfo> infos;
};
EditorState* gEditor = nullptr;

std::string Describe(const TSpecCharFormat& f) {
  char s[120];
  std::snprintf(s, sizeof s, "%s/%06x/%d/%d/%d/%06x", f.FaceName, static_cast<unsigned>(f.Color), f.Style, f.Script,
                f.Underline, static_cast<unsigned>(f.UnderlineColor));
  return s;
}

plat::LRESULT ZKW_CALLBACK EditorProc(plat::HWND w, plat::UINT msg, plat::WPARAM wp, plat::LPARAM lp) {
  EditorState& e = *gEditor;
  switch (msg) {
    case 1166: return reinterpret_cast<plat::LRESULT>(e.text.c_str());
    case 1167: return reinterpret_cast<plat::LRESULT>(e.indices.data());
    case 1208: return static_cast<plat::LRESULT>(e.formats.size());
    case 1222:
      if (wp < e.formats.size()) std::memcpy(reinterpret_cast<void*>(lp), &e.formats[wp], sizeof(TSpecCharFormat));
      return 0;
    case 1290: return e.hasDefault ? reinterpret_cast<plat::LRESULT>(&e.defaults) : 0;
    case 1263: return wp < e.objects.size() ? reinterpret_cast<plat::LRESULT>(e.objects[wp]) : 0;
    case 1164: e.log.push_back("begin"); return 0;
    case 1232:
      e.log.push_back("format " + Describe(*reinterpret_cast<const TSpecCharFormat*>(lp)));
      return wp == reinterpret_cast<plat::WPARAM>(w) ? 0x1207 : 0;
    case 1245:
      e.log.push_back(std::to_string(wp) + " text " + ToUtf8(reinterpret_cast<const ZChar*>(lp)));
      return 0;
    case 1246: e.log.push_back("paragraph"); return 0;
    case 5171: {
      auto* eq = reinterpret_cast<TEquation*>(wp);
      e.log.push_back("equation " + std::to_string(eq->Count()) + (eq->FDC ? " with a DC" : ""));
      e.infos.push_back(*reinterpret_cast<const TEquationObjectInfo*>(lp));
      delete eq;
      return 0;
    }
    default: return plat::DefWindowProcW(w, msg, wp, lp);
  }
}

class SpecEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gEditor = &state;
    plat::WNDCLASSW wc{};
    wc.lpfnWndProc = EditorProc;
    wc.lpszClassName = u"ZkwSpecTestEditor";
    plat::RegisterClassW(&wc);
    window = plat::CreateWindowExW(0, wc.lpszClassName, nullptr, 0, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    plat::DestroyWindow(window);
    plat::UnregisterClassW(u"ZkwSpecTestEditor", nullptr);
    gEditor = nullptr;
  }
  // GetEquationCode's text, or "<none>".
  std::string Code() {
    void* mem = GetEquationCode(window);
    if (!mem) return "<none>";
    const std::string text = ToUtf8(static_cast<const ZChar*>(plat::GlobalLock(mem)));
    plat::GlobalUnlock(mem);
    plat::GlobalFree(mem);
    return text;
  }
  EditorState state;
  plat::HWND window = nullptr;
};

}  // namespace

TEST_F(SpecEditorTest, EquationCodeWritesEveryFormatChange) {
  TEquation eq;
  eq.Add(TextItem("x"));
  const std::string form = ToUtf8(TextForm(eq));
  state.objects = {nullptr, &eq};
  state.formats = {Format("Arial", 0x000000), Format("Arial", 0x0000FF, 1), Format("Symbol", 0x000000, 2, 1, 1),
                   Format("Arial", 0x0000FF, 0, -1), Format("Arial", 0xAB123456)};
  struct Case {
    const char* text;
    std::vector<uint8_t> indices;
    std::string expected;
  } cases[] = {
      {"plain", {0, 0, 0, 0, 0}, "plain"},  // no format changes: the text as it is
      {"ab", {0, 1}, "a~Cff0000~Bb"},
      {"abc", {1, 0, 1}, "~Cff0000~Ba~C000000~Bb~Cff0000~Bc"},
      {"ab", {0, 2}, "a~-~I~U~Yb"},
      {"ab", {3, 0}, "~Cff0000~_a~C000000~0b"},
      {"a", {4}, "~C563412a"},            // the low 24 bits of the colour only
      {"a\rb", {1, 1, 1}, "~Cff0000~Ba~C000000~B\r~Cff0000~Bb"},  // CR takes the default
      {"a\\", {1, 1}, "~Cff0000~Ba~C000000~B\\"},
      {"a\x01" "b", {0, 1, 0}, "a~E" + form + "~eb"},  // code 1: the object's equation
      {"a\x01", {0, 0}, "a"},                     // object 0 has no equation
      {"ab", {0, 9}, "ab"},                       // an index past the formats keeps the format
      {"", {}, "<none>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    state.text = Z(c.text);
    state.indices = c.indices;
    EXPECT_EQ(Code(), c.expected);
  }
  // Without a default format the text starts from a plain black one.
  state.hasDefault = false;
  state.text = Z("ab");
  state.indices = {0, 1};
  EXPECT_EQ(Code(), "a~Cff0000~Bb");
}

TEST_F(SpecEditorTest, ReformatSendsRunsFormatsAndEquations) {
  state.defaults = Format("Arial", 0x00FF00);
  TEquation eq;
  auto* fraction = new TFraction;
  fraction->NAdd(TextItem("1"));
  fraction->DAdd(TextItem("2"));
  eq.Add(fraction);
  const ZString text = Z("ab~Bc~Cff0000d~C000000~Ue\r\nf~/g~Yh~E") + TextForm(eq) + Z("~ei~-j~0~Qk");
  ReformatSpecText(window, text.c_str());
  const std::vector<std::string> expected = {
      "begin",
      "format Arial/00ff00/0/0/0/000000",
      "7 text ab",
      "format Arial/00ff00/1/0/0/000000",
      "7 text c",
      "format Arial/0000ff/1/0/0/000000",
      "7 text d",
      "format Arial/00ff00/1/0/0/000000",
      "format Arial/00ff00/1/0/1/00ff00",
      "7 text e",
      "paragraph",
      "7 text f~/g",
      "format Symbol/00ff00/1/0/1/00ff00",
      "7 text h",
      "equation 1",
      "7 text i",
      "format Symbol/00ff00/1/1/1/00ff00",
      "7 text j",
      "format Symbol/00ff00/1/0/1/00ff00",
      "7 text k",
  };
  EXPECT_EQ(state.log, expected);
  ASSERT_EQ(state.infos.size(), 1u);
  const TEquationObjectInfo& info = state.infos[0];
  // Copies of the packed fields.
  const int32_t width = info.Width, ascent = info.Ascent, below = info.BelowHeight;
  const uint32_t size = info.DataSize;
  EXPECT_EQ(info.Reserved[0] | (info.Reserved[1] << 8), 257);
  EXPECT_GT(width, 0);
  EXPECT_GT(ascent, 0);
  EXPECT_GT(below, 0);
  EXPECT_EQ(size, static_cast<uint32_t>(eq.DataSize()));
}
