// zkw: the library's command-line tool.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "common/last_error.h"

namespace zkwtool {

int Fail(const std::string& message) {
  const std::string& reason = zkw::LastErrorText();
  if (reason.empty())
    std::fprintf(stderr, "zkw: %s\n", message.c_str());
  else
    std::fprintf(stderr, "zkw: %s: %s\n", message.c_str(), reason.c_str());
  return 1;
}

}  // namespace zkwtool

static void Usage() {
  std::puts(
      "usage: zkw COMMAND [ARGS]\n"
      "  sample OUT        draw the sample image and write it as BMP or DEX (by extension)\n"
      "  info FILE         describe a BMP or DEX file\n"
      "  convert IN OUT    convert between BMP and DEX (by extension)\n"
      "  font make SOURCE.ttf SIZE OUT.dfu [--name NAME] [--outline R] [--soften R]\n"
      "                    make a bitmap font from a TrueType or OpenType font\n"
      "  font info FONT    describe a bitmap font\n"
      "  font draw FONT TEXT OUT.bmp [--outline] [--shadow]\n"
      "                    draw a line of text (UTF-8) with a bitmap font\n"
      "  scene build SOURCE.json OUT.dan   build a scene file from its JSON source\n"
      "  scene dump FILE [OUT.json]        describe a scene file as JSON source\n"
      "  render FILE --frames N --out DIR [--input EVENTS.json] [--font FONT.dfu] [--sheet K]\n"
      "                    play a scene headless on the manual clock, writing PNG frames\n"
      "                    and a contact sheet of every K-th frame\n"
      "  play FILE [--font FONT.dfu] [--seconds S]\n"
      "                    play a scene in a window\n"
      "  colour backgrounds OUT.png      every background generator on one sheet\n"
      "  colour dialog OUT.png           the colour selection dialog as drawn here");
}

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
    Usage();
    return argc < 2 ? 2 : 0;
  }
  zkwtool::Args args(argv + 2, argv + argc);
  std::string command = argv[1];
  if (command == "sample") return zkwtool::CmdSample(args);
  if (command == "info") return zkwtool::CmdInfo(args);
  if (command == "convert") return zkwtool::CmdConvert(args);
  if (command == "font") return zkwtool::CmdFont(args);
  if (command == "scene") return zkwtool::CmdScene(args);
  if (command == "render") return zkwtool::CmdRender(args);
  if (command == "play") return zkwtool::CmdPlay(args);
  if (command == "colour") return zkwtool::CmdColour(args);
  std::fprintf(stderr, "zkw: unknown command \"%s\"\n", command.c_str());
  Usage();
  return 2;
}
