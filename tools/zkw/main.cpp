// zkw: the library's command-line tool. Parses the command line and runs one command.
//
// Exit status: 0 done (also --help and --version), 1 the command failed (the reason is printed,
// with the library's last-error text), 2 the command line is wrong (one line naming what).
#include <CLI/CLI.hpp>

#include <cstdio>

#include "commands.h"
#include "base/last_error.h"

#ifndef ZKW_VERSION
#error "ZKW_VERSION is set by the build from the project's version"
#endif

namespace zkwtool {

int Fail(const std::string& message) {
  const std::string& reason = zkw::LastErrorText();
  if (reason.empty())
    std::fprintf(stderr, "zkw: %s\n", message.c_str());
  else
    std::fprintf(stderr, "zkw: %s: %s\n", message.c_str(), reason.c_str());
  return 1;
}

namespace {

// What the command line holds: every command's arguments, and the command to run once
// parsing succeeded.
struct TCommandLine {
  std::function<int()> run;
  std::string in, out, file, source, text, names;
  std::vector<std::string> fonts;
  FontMakeOptions make;
  bool outline = false, shadow = false, eightBit = false;
  std::vector<std::string> files;
  int index = 0, quality = 90;
  RenderOptions render;
  PlayOptions play;
  EqRenderCommand eqRender;
};

void AddImageCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* sample = app.add_subcommand("sample", "draw the sample image and write it as BMP, DEX or PNG (by extension)");
  sample->add_option("OUT", cl.out, "the image file to write")->required();
  sample->callback([&cl] { cl.run = [&cl] { return CmdSample(cl.out); }; });

  CLI::App* info = app.add_subcommand("info", "describe a BMP, DEX or PNG file");
  info->add_option("FILE", cl.file, "the image file")->required();
  info->callback([&cl] { cl.run = [&cl] { return CmdInfo(cl.file); }; });

  CLI::App* convert = app.add_subcommand("convert", "convert between BMP, DEX and PNG (by extension)");
  convert->add_option("IN", cl.in, "the image file to read")->required();
  convert->add_option("OUT", cl.out, "the image file to write")->required();
  convert->add_flag("--8bit", cl.eightBit, "reduce a 24-bit image to 8 bits with a palette of its own");
  convert->callback([&cl] { cl.run = [&cl] { return CmdConvert(cl.in, cl.out, cl.eightBit); }; });
}

void AddFontCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* font = app.add_subcommand("font", "make, describe, draw with and package bitmap fonts");

  CLI::App* mk = font->add_subcommand("make", "make a bitmap font from a TrueType or OpenType font");
  mk->add_option("SOURCE", cl.make.source, "the TrueType or OpenType file")->required();
  mk->add_option("SIZE", cl.make.size, "pixel size (em height), 4 to 256")->required();
  mk->add_option("OUT", cl.out, "the bitmap font to write (.dfu)")->required();
  mk->add_option("--name", cl.make.name, "font name (default: family, style and size)");
  CLI::Option* outlineOpt = mk->add_option("--outline", cl.make.outlineRadius, "outline radius, 0 to 8 (default 1, 2 from 24 pixels)")
                                ->check(CLI::Range(0, 8));
  CLI::Option* softenOpt = mk->add_option("--soften", cl.make.softenRadius, "shadow blur radius, 0 to 8 (default 1, 2 from 24 pixels)")
                               ->check(CLI::Range(0, 8));
  mk->callback([&cl, outlineOpt, softenOpt] {
    if (!outlineOpt->count()) cl.make.outlineRadius = cl.make.size >= 24 ? 2 : 1;
    if (!softenOpt->count()) cl.make.softenRadius = cl.make.size >= 24 ? 2 : 1;
    cl.run = [&cl] { return CmdFontMake(cl.make, cl.out); };
  });

  CLI::App* info = font->add_subcommand("info", "describe a bitmap font");
  info->add_option("FONT", cl.file, "the bitmap font")->required();
  info->callback([&cl] { cl.run = [&cl] { return CmdFontInfo(cl.file); }; });

  CLI::App* draw = font->add_subcommand("draw", "draw a line of text (UTF-8) with a bitmap font");
  draw->add_option("FONT", cl.file, "the bitmap font")->required();
  draw->add_option("TEXT", cl.text, "the text")->required();
  draw->add_option("OUT", cl.out, "the BMP file to write")->required();
  draw->add_flag("--outline", cl.outline, "draw the outline plane");
  draw->add_flag("--shadow", cl.shadow, "draw the shadow plane");
  draw->callback([&cl] { cl.run = [&cl] { return CmdFontDraw(cl.file, cl.text, cl.out, cl.outline, cl.shadow); }; });

  CLI::App* pack = font->add_subcommand("pack", "pack bitmap fonts into a font package (.dfp)");
  pack->add_option("OUT", cl.out, "the package to write")->required();
  pack->add_option("--names", cl.names, "the names of the family, separated by \";\"")->required();
  pack->add_option("FONTS", cl.fonts, "FONT.dfu:STYLE, STYLE as 12, 12B, 12BI or 0 (every size)")->required();
  pack->callback([&cl] { cl.run = [&cl] { return CmdFontPack(cl.out, cl.names, cl.fonts); }; });

  CLI::App* list = font->add_subcommand("list", "list the names and fonts of a font package");
  list->add_option("PACKAGE", cl.file, "the font package")->required();
  list->callback([&cl] { cl.run = [&cl] { return CmdFontList(cl.file); }; });

  CLI::App* extract = font->add_subcommand("extract", "copy one font out of a font package");
  extract->add_option("PACKAGE", cl.file, "the font package")->required();
  extract->add_option("WHICH", cl.text, "STYLE (the first entry that serves it) or #N (entry N)")->required();
  extract->add_option("OUT", cl.out, "the bitmap font to write (.dfu)")->required();
  extract->callback([&cl] { cl.run = [&cl] { return CmdFontExtract(cl.file, cl.text, cl.out); }; });
}

void AddSceneCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* scene = app.add_subcommand("scene", "build scene files from JSON sources and describe them");
  CLI::App* build = scene->add_subcommand("build", "build a scene file from its JSON source");
  build->add_option("SOURCE", cl.source, "the scene source (.json)")->required();
  build->add_option("OUT", cl.out, "the scene file to write (.dan)")->required();
  build->callback([&cl] { cl.run = [&cl] { return CmdSceneBuild(cl.source, cl.out); }; });
  CLI::App* dump = scene->add_subcommand("dump", "describe a scene file as JSON source");
  dump->add_option("FILE", cl.file, "the scene file")->required();
  dump->add_option("OUT", cl.out, "the JSON file to write (default: standard output)");
  dump->callback([&cl] { cl.run = [&cl] { return CmdSceneDump(cl.file, cl.out); }; });

  CLI::App* r = app.add_subcommand(
      "render", "play a scene headless on the manual clock, writing PNG frames and a contact sheet");
  r->add_option("FILE", cl.render.file, "the scene file")->required();
  r->add_option("--frames", cl.render.frames, "frames to play (default 40)")->check(CLI::Range(0, 1000000));
  r->add_option("--out", cl.render.outDir, "folder of the frames (default frames)");
  r->add_option("--input", cl.render.input, "scripted input events (JSON)");
  r->add_option("--font", cl.render.font, "bitmap font of the scene's system text");
  r->add_option("--sheet", cl.render.sheetEvery, "every K-th frame goes on the contact sheet (default 10)");
  r->callback([&cl] { cl.run = [&cl] { return CmdRender(cl.render); }; });

  CLI::App* p = app.add_subcommand("play", "play a scene in a window");
  p->add_option("FILE", cl.play.file, "the scene file")->required();
  p->add_option("--font", cl.play.font, "bitmap font of the scene's system text");
  p->add_option("--seconds", cl.play.seconds, "close the window after S seconds (default: when closed)")
      ->check(CLI::NonNegativeNumber);
  p->callback([&cl] { cl.run = [&cl] { return CmdPlay(cl.play); }; });
}

void AddColourCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* colour = app.add_subcommand("colour", "pictures of the background generators and the colour dialog");
  CLI::App* grounds = colour->add_subcommand("backgrounds", "every background generator on one sheet");
  grounds->add_option("OUT", cl.out, "the PNG file to write")->required();
  grounds->callback([&cl] { cl.run = [&cl] { return CmdColourBackgrounds(cl.out); }; });
  CLI::App* dialog = colour->add_subcommand("dialog", "the colour selection dialog as drawn here");
  dialog->add_option("OUT", cl.out, "the PNG file to write")->required();
  dialog->callback([&cl] { cl.run = [&cl] { return CmdColourDialog(cl.out); }; });
}

void AddLibraryCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* lib = app.add_subcommand("lib", "make, extend, describe and read DIB library files");
  CLI::App* mk = lib->add_subcommand("make", "write a new library of BMP, DEX, PNG or JPEG images");
  mk->add_option("LIB", cl.file, "the library file to write")->required();
  mk->add_option("IMAGES", cl.files, "the images, in order")->required();
  mk->callback([&cl] { cl.run = [&cl] { return CmdLibMake(cl.file, cl.files, true); }; });
  CLI::App* add = lib->add_subcommand("add", "append images to a version-5 library");
  add->add_option("LIB", cl.file, "the library file")->required();
  add->add_option("IMAGES", cl.files, "the images, in order")->required();
  add->callback([&cl] { cl.run = [&cl] { return CmdLibMake(cl.file, cl.files, false); }; });
  CLI::App* list = lib->add_subcommand("list", "describe the header and every entry");
  list->add_option("LIB", cl.file, "the library file")->required();
  list->callback([&cl] { cl.run = [&cl] { return CmdLibList(cl.file); }; });
  CLI::App* ex = lib->add_subcommand("extract", "write one entry as an image file");
  ex->add_option("LIB", cl.file, "the library file")->required();
  ex->add_option("INDEX", cl.index, "the entry, from 1")->required();
  ex->add_option("OUT", cl.out, "the image file to write (BMP, DEX, PNG or JPEG)")->required();
  ex->callback([&cl] { cl.run = [&cl] { return CmdLibExtract(cl.file, cl.index, cl.out); }; });

  CLI::App* jl = app.add_subcommand("jpeglib", "make, describe and read JPEG picture libraries");
  CLI::App* jmk = jl->add_subcommand("make", "write a library: JPEG files as they are, other images encoded");
  jmk->add_option("LIB", cl.file, "the library file to write")->required();
  jmk->add_option("IMAGES", cl.files, "the pictures, in order (named by their file names)")->required();
  jmk->add_option("--quality", cl.quality, "JPEG quality of encoded images, 1 to 100")
      ->check(CLI::Range(1, 100));
  jmk->callback([&cl] { cl.run = [&cl] { return CmdJpegLibMake(cl.file, cl.files, cl.quality); }; });
  CLI::App* jlist = jl->add_subcommand("list", "describe the header and every picture");
  jlist->add_option("LIB", cl.file, "the library file")->required();
  jlist->callback([&cl] { cl.run = [&cl] { return CmdJpegLibList(cl.file); }; });
  CLI::App* jex = jl->add_subcommand("extract", "write one picture: .jpg as stored, else decoded");
  jex->add_option("LIB", cl.file, "the library file")->required();
  jex->add_option("INDEX", cl.index, "the picture, from 1")->required();
  jex->add_option("OUT", cl.out, "the file to write (JPEG, BMP, DEX or PNG)")->required();
  jex->callback([&cl] { cl.run = [&cl] { return CmdJpegLibExtract(cl.file, cl.index, cl.out); }; });
}

void AddEquationCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* eq = app.add_subcommand("eq", "describe and convert equations (.eqf file, .eqb buffer, .eqt text)");
  CLI::App* info = eq->add_subcommand("info", "header, font, item tree with fields and texts, markup");
  info->add_option("FILE", cl.file, "the equation (.eqf, .eqb or .eqt)")->required();
  info->callback([&cl] { cl.run = [&cl] { return CmdEqInfo(cl.file); }; });
  CLI::App* convert = eq->add_subcommand("convert", "convert between the forms (by extension)");
  convert->add_option("IN", cl.in, "the equation to read")->required();
  convert->add_option("OUT", cl.out, "the equation to write")->required();
  convert->callback([&cl] { cl.run = [&cl] { return CmdEqConvert(cl.in, cl.out); }; });
  CLI::App* render = eq->add_subcommand("render", "draw an equation to a PNG picture");
  render->add_option("FILE", cl.eqRender.file, "the equation (.eqf, .eqb or .eqt)")->required();
  render->add_option("OUT", cl.eqRender.out, "the PNG picture to write")->required();
  render->add_option("--size", cl.eqRender.size, "font size in points, 1 to 1000")->check(CLI::Range(1, 1000));
  render->add_option("--dpi", cl.eqRender.dpi, "resolution in pixels per inch, 1 to 2400")->check(CLI::Range(1, 2400));
  render->add_option("--dibfont", cl.eqRender.dibFont, "draw the text with this bitmap font (.dfu)");
  render->callback([&cl] { cl.run = [&cl] { return CmdEqRender(cl.eqRender); }; });
  CLI::App* gallery = eq->add_subcommand("gallery", "draw every item class and style to a PNG picture");
  gallery->add_option("OUT", cl.out, "the PNG picture to write")->required();
  gallery->callback([&cl] { cl.run = [&cl] { return CmdEqGallery(cl.out); }; });
}

// One line: CLI11's message with its line breaks folded.
std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  for (char& c : text)
    if (c == '\n') c = ' ';
  return text;
}

void AddCharacterCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* ch = app.add_subcommand("char", "describe, unpack and make character files");
  CLI::App* info = ch->add_subcommand("info", "describe a character file and its gestures");
  info->add_option("FILE", cl.file, "the character file")->required();
  info->callback([&cl] { cl.run = [&cl] { return CmdCharInfo(cl.file); }; });
  CLI::App* frames = ch->add_subcommand("frames", "write the frames of a gesture as PNG files");
  frames->add_option("FILE", cl.file, "the character file")->required();
  frames->add_option("GESTURE", cl.text, "the gesture's name")->required();
  frames->add_option("DIR", cl.out, "the folder of the frames")->required();
  frames->callback([&cl] { cl.run = [&cl] { return CmdCharFrames(cl.file, cl.text, cl.out); }; });
  CLI::App* make = ch->add_subcommand("make", "make a character file from its JSON source");
  make->add_option("SOURCE", cl.source, "the character source (.json)")->required();
  make->add_option("OUT", cl.out, "the character file to write")->required();
  make->callback([&cl] { cl.run = [&cl] { return CmdCharMake(cl.source, cl.out); }; });
}

void AddOdfCommands(CLI::App& app, TCommandLine& cl) {
  CLI::App* odf = app.add_subcommand("odf", "describe, dump, build and index tables (.odf)");
  CLI::App* info = odf->add_subcommand("info", "header form, fields, counts, memo chains, index state");
  info->add_option("TABLE", cl.file, "the table")->required();
  info->add_option("--index", cl.text, "an index file to check");
  info->callback([&cl] { cl.run = [&cl] { return CmdOdfInfo(cl.file, cl.text); }; });
  CLI::App* dump = odf->add_subcommand("dump", "the records as CSV (UTF-8) or JSON, in logical order");
  dump->add_option("TABLE", cl.file, "the table")->required();
  dump->add_option("--index", cl.text, "an index file giving the order");
  dump->add_flag("--json", cl.eightBit, "JSON instead of CSV");
  dump->add_option("--memo-dir", cl.out, "folder for memos that are no text");
  dump->callback([&cl] { cl.run = [&cl] { return CmdOdfDump(cl.file, cl.text, cl.eightBit, cl.out); }; });
  CLI::App* build = odf->add_subcommand("build", "a table (and memo file) from a CSV dump");
  build->add_option("SOURCE", cl.source, "the CSV source")->required();
  build->add_option("OUT", cl.out, "the table to write")->required();
  build->add_option("--form", cl.index, "header form: 3 (default), 2 or 1");
  build->callback([&cl] { cl.run = [&cl] { return CmdOdfBuild(cl.source, cl.out, cl.index ? cl.index : 3); }; });
  CLI::App* index = odf->add_subcommand("index", "write an index file of one field");
  index->add_option("TABLE", cl.file, "the table")->required();
  index->add_option("FIELD", cl.text, "the field")->required();
  index->add_option("OUT", cl.out, "the index file to write")->required();
  index->add_flag("--case", cl.outline, "compare text with case");
  index->add_flag("--advanced", cl.shadow, "compare text with the locale, ignoring case");
  index->callback([&cl] {
    cl.run = [&cl] { return CmdOdfIndex(cl.file, cl.text, cl.out, cl.outline, cl.shadow); };
  });
}

}  // namespace

}  // namespace zkwtool

int main(int argc, char** argv) {
  using namespace zkwtool;
  CLI::App app("zkw: scenes, images and bitmap fonts of the ZKWGDI32 library", "zkw");
  app.set_version_flag("--version", "zkw " ZKW_VERSION);
  TCommandLine cl;
  AddImageCommands(app, cl);
  AddFontCommands(app, cl);
  AddSceneCommands(app, cl);
  AddColourCommands(app, cl);
  AddLibraryCommands(app, cl);
  AddEquationCommands(app, cl);
  AddCharacterCommands(app, cl);
  AddOdfCommands(app, cl);
  if (argc < 2) {
    std::fputs(app.help().c_str(), stdout);
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "zkw: %s (zkw --help)\n", OneLine(e.what()).c_str());
    return 2;
  }
  if (cl.run) return cl.run();
  // A command group named without its command ("zkw font").
  CLI::App* group = &app;
  while (!group->get_subcommands().empty()) group = group->get_subcommands().front();
  std::string commands;
  for (const CLI::App* sub : group->get_subcommands({}))
    commands += (commands.empty() ? "" : ", ") + sub->get_name();
  std::fprintf(stderr, "zkw: %s needs a command: %s (zkw %s --help)\n", group->get_name().c_str(),
               commands.c_str(), group->get_name().c_str());
  return 2;
}
