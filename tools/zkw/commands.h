// Sub-commands of the zkw tool, called with their parsed arguments (main.cpp parses them).
#pragma once
#include <string>
#include <vector>

#include "font_make.h"

namespace zkwtool {

int CmdSample(const std::string& out);                            // zkw sample OUT.{bmp,dex,png}
int CmdInfo(const std::string& file);                             // zkw info FILE
int CmdConvert(const std::string& in, const std::string& out);    // zkw convert IN OUT
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

// Prints the library's last-error text after a failure message; returns 1.
int Fail(const std::string& message);

}  // namespace zkwtool
