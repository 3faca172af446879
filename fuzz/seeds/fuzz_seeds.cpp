// Writes the seed corpus of every fuzz target with the library's own writers:
// fuzz_seeds OUTDIR makes OUTDIR/<target>/<seed> files.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "dib/dib_base.h"
#include "dib/dib_factory.h"
#include "dib/dib8.h"
#include "fonts/dib_font.h"
#include "fonts/package_font.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/row_bitmap.h"
#include "platform/plat.h"
#include "player/objects/animate_obj.h"
#include "player/objects/kind_registry.h"
#include "player/scene/dib_animator.h"
#include "player/scene/record_io.h"
#include "player/scene/scene_entries.h"
#include "support/bmp_builder.h"
#include "text/scene_text.h"

namespace {

std::string gOut;

void Write(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string dir = gOut + "/" + target;
  ::mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

zkw::TDibBaseObj* Sample(uint8_t bits, int w, int h, bool alpha) {
  zkw::TDibBaseObj* dib = zkw::CreateDibObject(bits);
  dib->SetAttributes(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dib->PutPixel(x, y, static_cast<uint32_t>(x * 37 + y * 101));
  if (alpha) dib->CreateAlphaChannel();
  return dib;
}

std::vector<uint8_t> BmpBytes(zkw::TDibBaseObj* dib) {
  std::string path = gOut + "/tmp.bmp";
  zkw::ZString name = zkw::FromUtf8(path);
  dib->SaveToFile(name.c_str());
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  std::remove(path.c_str());
  return bytes;
}

// A BMP file written by the row bitmap (its rows filled with a pattern).
std::vector<uint8_t> RowBitmapBytes(uint8_t bits, int w, int h) {
  zkw::TRowBitmap bitmap;
  bitmap.SetSize(w, h, bits);
  for (int y = 0; y < h; ++y)
    for (int i = 0; i < bitmap.Stride(); ++i) bitmap.ScanLine(y)[i] = static_cast<uint8_t>(i * 29 + y * 7);
  zkw::TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

std::vector<uint8_t> DexBytes(zkw::TDibBaseObj* dib) {
  zkw::TMemoryStream stream;
  zkw::SaveDibExToStream(&stream, reinterpret_cast<plat::HGLOBAL>(dib->Handle()),
                         reinterpret_cast<plat::HGLOBAL>(dib->GetAlphaHandle()));
  return stream.Bytes();
}

// A small font written by the library's own writer: glyph cells of coverage ramps in the face,
// outline and shadow planes (and an alpha plane when asked), a few tone-mark offsets.
std::vector<uint8_t> FontBytes(int height, bool alpha, int glyphs) {
  zkw::TDibFont font;
  int width = 0;
  for (int s = 0; s < glyphs; ++s) {
    font.FHeader.dfTable[s * 7 % 238] = {static_cast<uint32_t>(width), static_cast<uint16_t>(1 + s % 4),
                                         static_cast<int8_t>(s % 3 - 1), static_cast<int8_t>(s % 2)};
    width += 1 + s % 4;
  }
  font.FHeader.dfHeight = static_cast<int16_t>(height);
  font.FHeader.dfBaseline = static_cast<int16_t>(height - 1);
  font.FHeader.dfAccents[34] = {1, -2};
  font.FHeader.dfAccents[85] = {0, 1};
  zkw::TDibBaseObj** planes[3] = {&font.FDib, &font.FODib, &font.FSDib};
  for (int k = 0; k < 3; ++k) {
    auto* dib = new zkw::TDib8Bits;
    *planes[k] = dib;
    dib->SetAttributes(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) dib->PutPixel(x, y, static_cast<uint32_t>((x * 31 + y * 17 + k * 50) & 0xFF));
  }
  if (alpha) font.FDib->CreateAlphaChannel();
  std::string path = gOut + "/tmp.dfu";
  zkw::ZString name = zkw::FromUtf8(path);
  font.SaveToFile(name.c_str());
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  std::remove(path.c_str());
  return bytes;
}

zkw::TAnimateObj* PlainObject() { return new zkw::TAnimateObj(); }

// Scenes written by the scene writer: empty, and one with images, a sound, notes, scene
// scripts, a procedure and objects with scripts (codes without a kind read as plain objects,
// as the scene fuzz target does).
void WriteSceneSeeds() {
  for (int code = 0; code < 256; ++code)
    if (!zkw::IsObjectKindRegistered(static_cast<uint8_t>(code)))
      zkw::RegisterObjectKind(static_cast<uint8_t>(code), PlainObject);
  {
    zkw::TDibAnimator ani;
    ani.SetDibAttr(4, 4);
    ani.FViewWidth = ani.FViewHeight = 4;
    zkw::TMemoryStream out;
    ani.SaveToStream(&out);
    Write("scene_fuzz", "empty.dan", out.Bytes());
  }
  zkw::TDibAnimator ani;
  ani.SetDibAttr(640, 480);
  ani.FViewWidth = 32;
  ani.FViewHeight = 24;
  ani.FEnableSizeX = true;
  ani.DisableAutoDrawing = true;
  ani.FNotesHandle = zkw::NewBlockFrom("designer notes", 14);
  ani.AddDib(Sample(8, 6, 5, false));
  ani.AddDib(Sample(24, 3, 3, true));
  ani.AddSound(zkw::NewBlockFrom("RIFF\x04\0\0\0WAVE", 12))->SoundName = "Bell";
  ani.macroOnInit = zkw::TScriptList::FromText("Line one\r\nLine two");
  ani.macroDownKeys[2] = zkw::TScriptList::FromText("Left");
  ani.macroUpKeys[10] = zkw::TScriptList::FromText("Alt up");
  zkw::TMemoryStream proc;
  zkw::TRecordWriter w(&proc);
  w.TextRecord(zkw::TRecordWriter::MakeTextRecord("Twice"));
  w.U16(1);
  w.TextRecord(zkw::TRecordWriter::MakeTextRecord("x"));
  w.U8(2);
  w.U8(2);
  w.TextRecord(zkw::TRecordWriter::MakeTextRecord("Result = x * 2"));
  {
    zkw::TRecordReader r(&proc);
    proc.Seek(0, zkw::SeekOrigin::soBeginning);
    ani.ProcList.Add(zkw::ReadProcedure(r));
  }
  for (int i = 0; i < 3; ++i) {
    zkw::TAnimateObj* obj = zkw::CreateObjectOfKind(static_cast<uint8_t>(i == 2 ? 255 : i));
    obj->FParent = &ani;
    obj->FID = static_cast<int16_t>(i < 2 ? i : -1);
    obj->FName = "Obj" + std::to_string(i);
    obj->Fx = i * 100000 - 50000;
    obj->FWidth = 3;
    obj->FHeight = 2;
    obj->SetMacro(zkw::ocClick, zkw::TScriptList::FromText("Hide"));
    if (i == 1) obj->SetMacro(zkw::ocDblClk, zkw::TScriptList::FromText("Show"));
    ani.Append(obj);
  }
  zkw::TMemoryStream out;
  ani.SaveToStream(&out);
  Write("scene_fuzz", "scene.dan", out.Bytes());
}

// BMP files as other programs write them: each header kind, depth, compression and row order.
void WriteForeignBmpSeeds() {
  struct Layout {
    uint32_t header;
    uint16_t bits;
    uint32_t compression;
    bool topDown;
    uint32_t masks[4];
  } layouts[] = {{12, 4, 0, false, {}},  {64, 1, 0, false, {}},  {40, 8, 1, false, {}},
                 {40, 4, 2, false, {}},  {108, 16, 3, true, {0xF800, 0x7E0, 0x1F, 0}},
                 {124, 32, 3, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000u}},
                 {40, 32, 0, true, {}}, {56, 16, 6, false, {0xF00, 0xF0, 0xF, 0xF000}}};
  int n = 0;
  for (const Layout& l : layouts) {
    zkwtest::BmpSpec spec;
    spec.headerSize = l.header;
    spec.bits = l.bits;
    spec.compression = l.compression;
    spec.topDown = l.topDown;
    std::memcpy(spec.masks, l.masks, sizeof spec.masks);
    Write("bmp_fuzz", "foreign" + std::to_string(n++) + ".bmp", zkwtest::MakeBmp(spec).file);
  }
}

}  // namespace

// A resource of the library with a selector byte in front (the text-table target's first byte
// picks the reader).
void WriteTextTableSeed(uint8_t selector, const char* name, const char* type, const std::string& file) {
  zkw::ZString n = zkw::FromUtf8(name), t = zkw::FromUtf8(type);
  plat::LPCWSTR typeArg = type[0] == '#'
                              ? reinterpret_cast<plat::LPCWSTR>(static_cast<uintptr_t>(std::stoi(type + 1)))
                              : t.c_str();
  plat::HRSRC res = plat::FindResourceW(plat::LibraryModule(), n.c_str(), typeArg);
  if (!res) return;
  const auto* data = static_cast<const uint8_t*>(plat::LockResource(plat::LoadResource(plat::LibraryModule(), res)));
  std::vector<uint8_t> bytes{selector};
  bytes.insert(bytes.end(), data, data + plat::SizeofResource(plat::LibraryModule(), res));
  Write("text_tables_fuzz", file, bytes);
}

// Scenes with every object kind of the kinds family (kind_seeds.cpp).
void WriteKindSeeds(const std::string& outDir);

// Waves of the test builders (wave_seeds.cpp).
void WriteWaveSeeds(const std::string& outDir);
// Character files of the character writer (character_seeds.cpp).
void WriteCharacterSeeds(const std::string& outDir);
void WriteEquationSeeds(const std::string& outDir);
void WriteSpecTextSeeds(const std::string& outDir);

// DIB and JPEG libraries and JPEG data (library_seeds.cpp).
void WriteLibrarySeeds(const std::string& outDir);
// Tables, memo files, indexes and search conditions (odf_seeds.cpp).
void WriteOdfSeeds(const std::string& outDir);

// A package of three fonts under two names, one of them for every size.
std::vector<uint8_t> PackageBytes() {
  zkw::TMemoryStream out;
  zkw::WriteFontPackage(out, "Seed; Other",
                        {{0, false, false, FontBytes(5, false, 12)}, {12, true, false, FontBytes(9, true, 40)},
                         {14, false, true, FontBytes(3, false, 238)}});
  return out.Bytes();
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
    return 2;
  }
  gOut = argv[1];
  ::mkdir(gOut.c_str(), 0755);
  struct Shape {
    uint8_t bits;
    int w, h;
    bool alpha;
  } shapes[] = {{8, 3, 2, false}, {24, 5, 3, false}, {8, 17, 9, true}, {24, 4, 4, true}, {24, 1, 1, false}};
  int n = 0;
  for (const Shape& s : shapes) {
    zkw::TDibBaseObj* dib = Sample(s.bits, s.w, s.h, s.alpha);
    std::string id = std::to_string(n++);
    Write("bmp_fuzz", "image" + id + ".bmp", BmpBytes(dib));
    Write("dex_fuzz", "image" + id + ".dex", DexBytes(dib));
    Write("row_bitmap_fuzz", "image" + id + ".bmp", RowBitmapBytes(s.bits, s.w, s.h));
    delete dib;
  }
  WriteForeignBmpSeeds();
  Write("font_fuzz", "font0.dfu", FontBytes(5, false, 12));
  Write("font_fuzz", "font1.dfu", FontBytes(9, true, 40));
  Write("font_fuzz", "font2.dfu", FontBytes(3, false, 238));
  Write("font_package_fuzz", "package.dfp", PackageBytes());
  WriteTextTableSeed(0, "VCaseTab", "#10", "vcasetab");
  WriteTextTableSeed(1, "VCodeTab", "#10", "vcodetab");
  WriteTextTableSeed(2, "ABCUTAB", "UNICODEVIET", "abcutab");
  std::string scene = zkw::EncodeSceneText(zkw::FromUtf8("ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t \xC2\x80 &#x"));
  std::vector<uint8_t> sceneSeed{3};
  sceneSeed.insert(sceneSeed.end(), scene.begin(), scene.end());
  Write("text_tables_fuzz", "scenetext", sceneSeed);
  const char* exprSeeds[] = {"1 + 2 * 3", "2^3*2-7%3:2", "(3+4)*2>=14=1",
                             "\"ab\"+\"c&#7855;#\"<\"abd\"", "Sin(x)*2+Max(1,f(2,3),\"a,b\")",
                             "THIS.XPos+$v.Width+@Value1+Db.$Name", "((((1))))!(5)~6&7|8#9<=-10"};
  const char* scriptSeeds[] = {
      "Var $i Number\r\nFor $i = 1 to 3\r\n  SetXPos A $i * 2\r\nEndFor",
      "Global $g number\r\nIf $g = 0\r\n  $g := F(2)   // twice\r\nElse\r\n  Hide B\r\nEndIf",
      "Var $v Number\r\nSelect $v\r\nCase 0,1\r\n  Do P 3, \"a\"\r\nCaseElse\r\n  Break\r\nEndSelect",
      "Var $n Number\r\nWhile $n < 5\r\n$n := $n + 1\r\nEndWhile\r\nRepeat\r\n$n := $n - 1\r\nUntil $n < 1",
      "CallOnClick B\r\nRaiseEvent NULL 5, 7\r\nB.Tag := A.XPos + 1\r\nMoveTo NULL 1, 2\r\nSmoothLineTo NULL 20, 9",
  };
  int scriptSeed = 0;
  for (const char* text : scriptSeeds)
    Write("script_fuzz", "script" + std::to_string(scriptSeed++),
          std::vector<uint8_t>(text, text + std::strlen(text)));
  int exprSeed = 0;
  for (const char* text : exprSeeds)
    Write("expr_fuzz", "expr" + std::to_string(exprSeed++), std::vector<uint8_t>(text, text + std::strlen(text)));
  WriteSceneSeeds();
  WriteKindSeeds(gOut);
  WriteWaveSeeds(gOut);
  WriteLibrarySeeds(gOut);
  WriteEquationSeeds(gOut);
  WriteCharacterSeeds(gOut);
  WriteOdfSeeds(gOut);
  WriteSpecTextSeeds(gOut);
  return 0;
}
