// Font commands of zkw: make a bitmap font from a TrueType font, describe one, draw with one.
#include <cstdio>
#include <string>

#include "commands.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "font_make.h"
#include "fonts/dib_font.h"
#include "progress.h"

namespace zkwtool {

int CmdFontMake(const FontMakeOptions& options, const std::string& out) {
  FontMakeOptions o = options;
  TProgressLine progress("font make", "glyphs");
  o.progress = [&progress](int done, int total) { progress.Update(done, total); };
  zkw::TDibFont font;
  std::string error, summary;
  const bool made = MakeFont(o, font, error, summary);
  progress.Finish();
  if (!made) return Fail(error);
  std::string path = out;
  if (!font.SaveToFile(zkw::FromUtf8(path).c_str())) return Fail("cannot write " + path);
  // The name the font went under (".dfu" appended to a name without extension) must load.
  size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ".dfu";
  zkw::TDibFont check;
  if (!check.LoadFromFile(zkw::FromUtf8(path).c_str())) return Fail("the written font does not load");
  std::printf("wrote %s: %s\n", path.c_str(), summary.c_str());
  return 0;
}

int CmdFontInfo(const std::string& fontFile) {
  zkw::TDibFont font;
  zkw::ZString name = zkw::FromUtf8(fontFile);
  if (!font.LoadFromFile(name.c_str())) return Fail("cannot read " + fontFile);
  const zkw::TDibFontHeaderEx& h = font.FHeader;
  std::printf("%s: \"%.128s\", height %d, baseline %d, external leading %d, strip %u x %d, "
              "planes:%s%s%s%s, tone-mark ascent %d\n",
              fontFile.c_str(), h.dfName, h.dfHeight, h.dfBaseline, h.dfExternalLeading,
              h.dfMaxWidth, h.dfHeight, " face", (h.dfChannels & zkw::kChannelAlpha) ? " alpha" : "",
              (h.dfChannels & zkw::kChannelOutline) ? " outline" : "",
              (h.dfChannels & zkw::kChannelShadow) ? " shadow" : "", font.tmAscent);
  return 0;
}

int CmdFontDraw(const std::string& fontFile, const std::string& line, const std::string& out,
                bool outline, bool shadow) {
  zkw::TDibFont font;
  zkw::ZString name = zkw::FromUtf8(fontFile);
  if (!font.LoadFromFile(name.c_str())) return Fail("cannot read " + fontFile);
  if (outline) font.FOutline = true;
  if (shadow) font.FShadow = true, font.FShadX = font.FShadY = 2;
  zkw::ZString text = zkw::FromUtf8(line);
  const int count = static_cast<int>(text.size());
  const int margin = 8 - font.tmAscent;
  int w = font.TextWidth(text.c_str(), static_cast<uint16_t>(count)) + 16;
  int h = font.TextHeight() + margin + 8;
  zkw::TDib24Bits dib;
  dib.SetAttributes(w, h);
  font.FColor = 0x802010;  // dark blue
  font.FOutlineColor = 0x80E0FF;
  font.FShadowColor = 0x404040;
  font.WriteText(8, margin, text.c_str(), count, &dib);
  if (!dib.SaveToFile(zkw::FromUtf8(out).c_str())) return Fail("cannot write " + out);
  std::printf("wrote %s: %d x %d\n", out.c_str(), w, h);
  return 0;
}

}  // namespace zkwtool
