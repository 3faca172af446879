// Sub-commands of the zkw tool, called with their parsed arguments (main.cpp parses them).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "dib/dib_base.h"

#include "font_make.h"

namespace zkwtool {

int CmdSample(const std::string& out);                            // zkw sample OUT.{bmp,dex,png}
int CmdInfo(const std::string& file);                             // zkw info FILE
// zkw convert IN OUT [--8bit]
int CmdConvert(const std::string& in, const std::string& out, bool eightBit);
int CmdFontMake(const FontMakeOptions& options, const std::string& out);
int CmdFontInfo(const std::string& font);
int CmdFontDraw(const std::string& font, const std::string& text, const std::string& out,
                bool outline, bool shadow);
// zkw font pack OUT.dfp --names "A;B" FONT.dfu:STYLE..., zkw font list PKG.dfp,
// zkw font extract PKG.dfp STYLE|#N OUT.dfu
int CmdFontPack(const std::string& out, const std::string& names, const std::vector<std::string>& fonts);
int CmdFontList(const std::string& package);
int CmdFontExtract(const std::string& package, const std::string& which, const std::string& out);
int CmdSceneBuild(const std::string& source, const std::string& out);
int CmdSceneDump(const std::string& file, const std::string& out);  // out empty: standard output

struct RenderOptions {
  std::string file;
  int frames = 40;
  std::string outDir = "frames";
  std::string input;  // scripted input events (JSON), none when empty
  std::string font;
  int sheetEvery = 10;
};
int CmdRender(const RenderOptions& options);

struct PlayOptions {
  std::string file;
  std::string font;
  double seconds = 0;  // 0: until the window is closed
};
int CmdPlay(const PlayOptions& options);

int CmdColourBackgrounds(const std::string& out);  // zkw colour backgrounds OUT.png
int CmdColourDialog(const std::string& out);       // zkw colour dialog OUT.png
int CmdEqInfo(const std::string& file);                         // zkw eq info FILE.{eqf,eqb,eqt}
int CmdEqConvert(const std::string& in, const std::string& out);  // zkw eq convert IN OUT
// zkw eq render FILE OUT.png [--size PT] [--dpi N] [--dibfont FONT.dfu]
struct EqRenderCommand {
  std::string file, out, dibFont;
  int size = 12, dpi = 96;
};
int CmdEqRender(const EqRenderCommand& options);
int CmdEqGallery(const std::string& out);  // zkw eq gallery OUT.png

// zkw lib make|add|list|extract and zkw jpeglib make|list|extract (library_commands.cpp).
int CmdLibMake(const std::string& lib, const std::vector<std::string>& images, bool create);
int CmdLibList(const std::string& lib);
int CmdLibExtract(const std::string& lib, int index, const std::string& out);
int CmdJpegLibMake(const std::string& lib, const std::vector<std::string>& images, int quality);
int CmdJpegLibList(const std::string& lib);
int CmdJpegLibExtract(const std::string& lib, int index, const std::string& out);

// Images by file extension: BMP (default), DEX, PNG, JPEG (.jpg, .jpeg).
using DibPtr = std::unique_ptr<zkw::TDibBaseObj>;
DibPtr LoadImage(const std::string& path);
bool SaveImage(zkw::TDibBaseObj* dib, const std::string& path);
bool IsJpegName(const std::string& path);

// Prints the library's last-error text after a failure message; returns 1.
int Fail(const std::string& message);

// zkw char info FILE, zkw char frames FILE GESTURE DIR, zkw char make SOURCE.json OUT
int CmdCharInfo(const std::string& file);
int CmdCharFrames(const std::string& file, const std::string& gesture, const std::string& dir);
int CmdCharMake(const std::string& source, const std::string& out);

// zkw odf info|dump|build|index (odf_commands.cpp).
int CmdOdfInfo(const std::string& table, const std::string& index);
int CmdOdfDump(const std::string& table, const std::string& index, bool asJson, const std::string& memoDir);
int CmdOdfBuild(const std::string& source, const std::string& out, int form);
int CmdOdfIndex(const std::string& table, const std::string& field, const std::string& out,
                bool caseSensitive, bool advanced);

}  // namespace zkwtool
