// Font commands of zkw: make a bitmap font from a TrueType font, describe one, draw with one.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "commands.h"
#include "common/text16.h"
#include "dib/dib24.h"
#include "font_make.h"
#include "fonts/dib_font.h"

namespace zkwtool {

namespace {

const char* kFontUsage =
    "usage: zkw font make SOURCE.ttf SIZE OUT.dfu [--name NAME] [--outline R] [--soften R]\n"
    "       zkw font info FONT.dfu\n"
    "       zkw font draw FONT.dfu TEXT OUT.bmp [--outline] [--shadow]";

bool IntArg(const std::string& s, int& v) {
  char* end = nullptr;
  long n = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != 0 || n < -100000 || n > 100000) return false;
  v = static_cast<int>(n);
  return true;
}

int FontMake(const Args& a) {
  if (a.size() < 3) return Fail(kFontUsage);
  FontMakeOptions o;
  o.source = a[0];
  if (!IntArg(a[1], o.size)) return Fail("bad pixel size \"" + a[1] + "\"");
  o.outlineRadius = o.size >= 24 ? 2 : 1;
  o.softenRadius = o.size >= 24 ? 2 : 1;
  for (size_t i = 3; i < a.size(); ++i) {
    bool more = i + 1 < a.size();
    if (a[i] == "--name" && more) {
      o.name = a[++i];
    } else if (a[i] == "--outline" && more && IntArg(a[i + 1], o.outlineRadius) &&
               o.outlineRadius >= 0 && o.outlineRadius <= 8) {
      ++i;
    } else if (a[i] == "--soften" && more && IntArg(a[i + 1], o.softenRadius) &&
               o.softenRadius >= 0 && o.softenRadius <= 8) {
      ++i;
    } else {
      return Fail("bad option \"" + a[i] + "\"\n" + kFontUsage);
    }
  }
  zkw::TDibFont font;
  std::string error, summary;
  if (!MakeFont(o, font, error, summary)) return Fail(error);
  std::string path = a[2];
  if (!font.SaveToFile(zkw::FromUtf8(path).c_str())) return Fail("cannot write " + path);
  // The name the font went under (".dfu" appended to a name without extension) must load.
  size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ".dfu";
  zkw::TDibFont check;
  if (!check.LoadFromFile(zkw::FromUtf8(path).c_str())) return Fail("the written font does not load");
  std::printf("wrote %s: %s\n", path.c_str(), summary.c_str());
  return 0;
}

int FontInfo(const Args& a) {
  if (a.size() != 1) return Fail(kFontUsage);
  zkw::TDibFont font;
  zkw::ZString name = zkw::FromUtf8(a[0]);
  if (!font.LoadFromFile(name.c_str())) return Fail("cannot read " + a[0]);
  const zkw::TDibFontHeaderEx& h = font.FHeader;
  std::printf("%s: \"%.128s\", height %d, baseline %d, external leading %d, strip %u x %d, "
              "planes:%s%s%s%s, tone-mark ascent %d\n",
              a[0].c_str(), h.dfName, h.dfHeight, h.dfBaseline, h.dfExternalLeading,
              h.dfMaxWidth, h.dfHeight, " face", (h.dfChannels & zkw::kChannelAlpha) ? " alpha" : "",
              (h.dfChannels & zkw::kChannelOutline) ? " outline" : "",
              (h.dfChannels & zkw::kChannelShadow) ? " shadow" : "", font.tmAscent);
  return 0;
}

int FontDraw(const Args& a) {
  if (a.size() < 3) return Fail(kFontUsage);
  zkw::TDibFont font;
  zkw::ZString name = zkw::FromUtf8(a[0]);
  if (!font.LoadFromFile(name.c_str())) return Fail("cannot read " + a[0]);
  for (size_t i = 3; i < a.size(); ++i) {
    if (a[i] == "--outline") font.FOutline = true;
    else if (a[i] == "--shadow") font.FShadow = true, font.FShadX = font.FShadY = 2;
    else return Fail("bad option \"" + a[i] + "\"\n" + kFontUsage);
  }
  zkw::ZString text = zkw::FromUtf8(a[1]);
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
  zkw::ZString out = zkw::FromUtf8(a[2]);
  if (!dib.SaveToFile(out.c_str())) return Fail("cannot write " + a[2]);
  std::printf("wrote %s: %d x %d\n", a[2].c_str(), w, h);
  return 0;
}

}  // namespace

int CmdFont(const Args& args) {
  if (args.empty()) return Fail(kFontUsage);
  Args rest(args.begin() + 1, args.end());
  if (args[0] == "make") return FontMake(rest);
  if (args[0] == "info") return FontInfo(rest);
  if (args[0] == "draw") return FontDraw(rest);
  return Fail("unknown font command \"" + args[0] + "\"\n" + kFontUsage);
}

}  // namespace zkwtool
