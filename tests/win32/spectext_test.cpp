// Marked-up text through the real DLL: the editor window protocol against an editor window of this
// program (its text, formats and an embedded equation read back as marked-up text; marked-up text
// written into it message by message), and drawing on a device context with real GDI.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "zkw_dll.h"

namespace {

TSpecCharFormat Format(const char* face, uint32_t color, uint8_t style) {
  TSpecCharFormat f{};
  std::strncpy(f.FaceName, face, sizeof f.FaceName - 1);
  f.Size = 10;
  f.Style = style;
  f.Color = color;
  f.Hundred = 100;
  return f;
}

struct Editor {
  std::wstring text;
  std::vector<uint8_t> indices;
  std::vector<TSpecCharFormat> formats;
  TSpecCharFormat defaults = Format("Arial", 0, 0);
  void* equation = nullptr;
  std::vector<std::string> log;
};
Editor* gEditor = nullptr;

std::string Narrow(const wchar_t* s) {
  std::string out;
  while (*s) out += static_cast<char>(*s++);
  return out;
}

LRESULT CALLBACK EditorProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Editor& e = *gEditor;
  switch (msg) {
    case 1166: return reinterpret_cast<LRESULT>(e.text.c_str());
    case 1167: return reinterpret_cast<LRESULT>(e.indices.data());
    case 1208: return static_cast<LRESULT>(e.formats.size());
    case 1222: std::memcpy(reinterpret_cast<void*>(lp), &e.formats.at(wp), sizeof(TSpecCharFormat)); return 0;
    case 1290: return reinterpret_cast<LRESULT>(&e.defaults);
    case 1263: return wp == 0 ? reinterpret_cast<LRESULT>(e.equation) : 0;
    case 1164: e.log.push_back("begin"); return 0;
    case 1232: {
      const auto* f = reinterpret_cast<const TSpecCharFormat*>(lp);
      e.log.push_back("format " + std::to_string(f->Style) + " " + std::to_string(f->Color));
      return 0x305;
    }
    case 1245: e.log.push_back(std::to_string(wp) + " " + Narrow(reinterpret_cast<const wchar_t*>(lp))); return 0;
    case 1246: e.log.push_back("paragraph"); return 0;
    case 5171: {
      const auto* info = reinterpret_cast<const TEquationObjectInfo*>(lp);
      e.log.push_back(std::string("equation") + (info->Width > 0 && info->DataSize > 0 ? " measured" : ""));
      ZKW(eqFreeEquation)(reinterpret_cast<void*>(wp));
      return 0;
    }
    default: return DefWindowProcW(w, msg, wp, lp);
  }
}

class SpecTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gEditor = &editor;
    WNDCLASSW wc{};
    wc.lpfnWndProc = EditorProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZkwSpecEditor";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"ZkwSpecEditor", L"", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    UnregisterClassW(L"ZkwSpecEditor", GetModuleHandleW(nullptr));
    gEditor = nullptr;
  }
  Editor editor;
  HWND window = nullptr;
};

}  // namespace

TEST_F(SpecTextTest, EditorWindowProtocol) {
  void* eq = ZKW(eqCreateEquation)();
  wchar_t form[64] = {};
  int32_t index = 1;
  ZKW(eqExportTo)(eq, form, &index);
  editor.equation = eq;
  editor.formats = {Format("Arial", 0, 0), Format("Arial", 0x0000FF, 1)};
  editor.text = L"ab\x01" L"c";
  editor.indices = {0, 1, 0, 0};
  void* mem = ZKW(GetEquationCode)(window);
  ASSERT_NE(mem, nullptr);
  const std::wstring code = static_cast<const wchar_t*>(GlobalLock(mem));
  GlobalUnlock(mem);
  GlobalFree(mem);
  EXPECT_EQ(code, std::wstring(L"a~Cff0000~Bb~E") + form + L"~e~C000000~Bc");
  editor.text = L"";
  EXPECT_EQ(ZKW(GetEquationCode)(window), nullptr);
  ZKW(eqFreeEquation)(eq);

  const std::wstring text = std::wstring(L"ab~Bc~Cff0000d\re~E") + form + L"~ef";
  ZKW(ReformatSpecText)(window, text.c_str());
  const std::vector<std::string> expected = {"begin",   "format 0 0",     "5 ab", "format 1 0",
                                             "5 c",     "format 1 255",   "5 d",  "paragraph",
                                             "5 e",     "equation measured", "5 f"};
  EXPECT_EQ(editor.log, expected);
}

TEST_F(SpecTextTest, DrawingOnADeviceContext) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -60, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, 300, 60};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  TEqRect rt{0, 0, 5, 60};
  EXPECT_EQ(ZKW(DrawSpecTextDC)(dc, &rt, L"abc", 3), tm.tmHeight | (tm.tmAscent << 16));
  EXPECT_GT(rt.right, 5);
  TEqRect wrapped{0, 0, 300, 60};
  EXPECT_EQ(ZKW(DrawSpecTextDC)(dc, &wrapped, L"WW~Cff0000WW", 0), tm.tmHeight);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font) << "the context's font is put back";
  GdiFlush();
  int reddish = 0;
  const auto* p = static_cast<const uint8_t*>(bits);
  for (int i = 0; i < 300 * 60; ++i) reddish += p[i * 3 + 2] > p[i * 3 + 1] + 64 && p[i * 3 + 2] > p[i * 3] + 64;
  EXPECT_GT(reddish, 0);

  TDibCanvasFontInfo fontInfo{};
  std::memcpy(fontInfo.FaceName, u"Arial", 12);
  fontInfo.Size = 12;
  void* canvas = ZKW(zkwCreateGdiCanvas)(dc, &fontInfo);
  ASSERT_NE(canvas, nullptr);
  TEqRect line{0, 0, 5, 60};
  EXPECT_GT(ZKW(DrawSpecText)(canvas, &line, L"x~-2~0", 3) & 0xFFFF, 0);
  ZKW(zkwFreeGdiCanvas)(canvas);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
