// The zkw binary as a user runs it: help, version, wrong arguments, and PNG conversions with
// their alpha channel.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "dib/dib8.h"
#include "fonts/dib_font.h"
#include "png_io.h"
#include "support/test_support.h"

using namespace zkwtool;

namespace {

struct TRun {
  int status = -1;
  std::string out, err;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs zkw with the given arguments (shell words), standard error not a terminal.
TRun Zkw(const std::string& args) {
  // Named after the test: ctest runs the tests of this file side by side.
  const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string out = zkwtest::TempPath(test + ".out"), err = zkwtest::TempPath(test + ".err");
  const std::string command = std::string(ZKW_TOOL) + " " + args + " >" + out + " 2>" + err + " </dev/null";
  int raw = std::system(command.c_str());
  TRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(out);
  run.err = ReadText(err);
  return run;
}

size_t Lines(const std::string& text) {
  size_t n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

TEST(ZkwCommandLine, HelpVersionAndWrongArguments) {
  struct Case {
    const char* args;
    int status;
    const char* out;  // expected in standard output ("" = output empty)
    const char* err;  // expected in the one-line error ("" = no error output)
  } cases[] = {
      {"--help", 0, "Subcommands:", ""},
      {"render --help", 0, "Usage: zkw render [OPTIONS] FILE", ""},
      {"font make --help", 0, "--outline", ""},
      {"scene dump --help", 0, "describe a scene file as JSON source", ""},
      {"--version", 0, "zkw " ZKW_VERSION "\n", ""},
      {"", 2, "Subcommands:", ""},
      {"bogus", 2, "", "argument was not expected: bogus"},
      {"info", 2, "", "FILE is required"},
      {"info a.bmp b.bmp", 2, "", "not expected: b.bmp"},
      {"render x.dan --frames many", 2, "", "--frames"},
      {"render x.dan --colour red", 2, "", "--colour"},
      {"font make a.ttf big out.dfu", 2, "", "SIZE = big"},
      {"font make a.ttf 16 out.dfu --outline 9", 2, "", "--outline: Value 9 not in range 0 to 8"},
      {"font", 2, "", "font needs a command: make, info, draw"},
      {"scene", 2, "", "scene needs a command: build, dump"},
      {"play x.dan --seconds -1", 2, "", "--seconds"},
      // A right command line whose file is missing fails with status 1 and the reason.
      {"info /nonexistent.bmp", 1, "", "cannot read /nonexistent.bmp"},
      {"info /nonexistent.png", 1, "", "cannot read PNG \"/nonexistent.png\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    TRun run = Zkw(c.args);
    EXPECT_EQ(run.status, c.status);
    if (*c.out) EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    else EXPECT_EQ(run.out, "");
    if (*c.err) {
      EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
      if (c.status == 2) EXPECT_EQ(Lines(run.err), 1u) << run.err;
    } else {
      EXPECT_EQ(run.err, "");
    }
  }
}

// sample (24-bit with a three-level alpha) goes PNG -> BMP -> PNG -> DEX -> PNG: colours stay
// exact through every format, alpha through PNG and DEX (BMP keeps no alpha).
TEST(ZkwCommandLine, PngConversionsKeepColoursAndAlpha) {
  const std::string png = zkwtest::TempPath("sample.png"), bmp = zkwtest::TempPath("sample.bmp"),
                    png2 = zkwtest::TempPath("sample2.png"), dex = zkwtest::TempPath("sample.dex"),
                    png3 = zkwtest::TempPath("sample3.png");
  ASSERT_EQ(Zkw("sample " + png).status, 0);
  TRun info = Zkw("info " + png);
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.out, png + ": 96 x 64, 24-bit, stride 288, with alpha\n");
  ASSERT_EQ(Zkw("convert " + png + " " + bmp).status, 0);
  EXPECT_EQ(Zkw("info " + bmp).out, bmp + ": 96 x 64, 24-bit, stride 288, no alpha\n");
  ASSERT_EQ(Zkw("convert " + bmp + " " + png2).status, 0);
  ASSERT_EQ(Zkw("convert " + png + " " + dex).status, 0);
  ASSERT_EQ(Zkw("convert " + dex + " " + png3).status, 0);

  TRgbaImage a, b, c;
  std::string error;
  ASSERT_TRUE(ReadPng(png, a, error)) << error;
  ASSERT_TRUE(ReadPng(png2, b, error)) << error;
  ASSERT_TRUE(ReadPng(png3, c, error)) << error;
  ASSERT_EQ(a.Width, 96);
  ASSERT_EQ(a.Height, 64);
  int levels[256] = {};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 96; ++x) {
      const size_t i = (static_cast<size_t>(y) * 96 + x) * 4;
      // The sample's ramp: red across, green down, blue the mirror of red.
      ASSERT_EQ(a.Pixels[i], x * 255 / 95);
      ASSERT_EQ(a.Pixels[i + 1], y * 255 / 63);
      ASSERT_EQ(a.Pixels[i + 2], 255 - x * 255 / 95);
      ++levels[a.Pixels[i + 3]];
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(b.Pixels[i + k], a.Pixels[i + k]);
        ASSERT_EQ(c.Pixels[i + k], a.Pixels[i + k]);
      }
      ASSERT_EQ(b.Pixels[i + 3], 255);
      ASSERT_EQ(c.Pixels[i + 3], a.Pixels[i + 3]);
    }
  EXPECT_GT(levels[0], 0);
  EXPECT_GT(levels[128], 0);
  EXPECT_GT(levels[255], 0);
  EXPECT_EQ(levels[0] + levels[128] + levels[255], 96 * 64);
}

// A fully opaque PNG gives an image without an alpha companion; a refused PNG says why.
TEST(ZkwCommandLine, OpaquePngHasNoAlphaAndBadPngIsRefused) {
  TRgbaImage opaque;
  opaque.Width = 3;
  opaque.Height = 2;
  opaque.Pixels.assign(3 * 2 * 4, 255);
  opaque.Pixels[0] = 10;
  const std::string png = zkwtest::TempPath("opaque.png"), dex = zkwtest::TempPath("opaque.dex");
  std::string error;
  ASSERT_TRUE(WritePng(png, opaque, error)) << error;
  EXPECT_EQ(Zkw("info " + png).out, png + ": 3 x 2, 24-bit, stride 12, no alpha\n");
  ASSERT_EQ(Zkw("convert " + png + " " + dex).status, 0);
  EXPECT_EQ(Zkw("info " + dex).out, dex + ": 3 x 2, 24-bit, stride 12, no alpha\n");

  const std::string bad = zkwtest::TempPath("bad.png");
  zkwtest::WriteFileBytes(bad, {0x89, 'P', 'N', 'G', 1, 2, 3});
  TRun run = Zkw("convert " + bad + " " + dex);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot read PNG"), std::string::npos) << run.err;
}

}  // namespace

// DIB and JPEG libraries as a new user makes, lists and reads them, and 8-bit conversion.
TEST(ZkwCommandLine, LibrariesAreMadeListedAndExtracted) {
  const std::string png = zkwtest::TempPath("lib-sample.png"), bmp = zkwtest::TempPath("lib-sample.bmp"),
                    dex = zkwtest::TempPath("lib-sample.dex"), lib = zkwtest::TempPath("images.dlb"),
                    out = zkwtest::TempPath("lib-out.png"), jl = zkwtest::TempPath("pictures.jpl"),
                    jpg = zkwtest::TempPath("lib-out.jpg"), eight = zkwtest::TempPath("lib-8.bmp");
  ASSERT_EQ(Zkw("sample " + png).status, 0);
  ASSERT_EQ(Zkw("convert " + png + " " + bmp).status, 0);
  ASSERT_EQ(Zkw("convert " + png + " " + dex).status, 0);
  TRun made = Zkw("lib make " + lib + " " + png + " " + bmp);
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out, lib + ": 2 entries\n");
  EXPECT_EQ(Zkw("lib add " + lib + " " + dex).out, lib + ": 3 entries\n");
  TRun list = Zkw("lib list " + lib);
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find(": version 5, signature 0xADB5, header 9012 bytes"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("   1  offset 9012  size "), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("kind 1  96 x 64, 24-bit, alpha"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("kind 0  96 x 64, 24-bit\n"), std::string::npos) << list.out;
  EXPECT_EQ(Lines(list.out), 4u);
  ASSERT_EQ(Zkw("lib extract " + lib + " 3 " + out).status, 0);
  TRgbaImage a, b;
  std::string error;
  ASSERT_TRUE(ReadPng(png, a, error)) << error;
  ASSERT_TRUE(ReadPng(out, b, error)) << error;
  EXPECT_EQ(a.Pixels, b.Pixels);  // DEX entries are lossless, alpha included
  TRun missing = Zkw("lib extract " + lib + " 9 " + out);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("has no entry 9"), std::string::npos) << missing.err;

  TRun jmade = Zkw("jpeglib make " + jl + " " + png + " " + bmp + " --quality 95");
  EXPECT_EQ(jmade.out, jl + ": 2 pictures\n") << jmade.err;
  TRun jlist = Zkw("jpeglib list " + jl);
  EXPECT_NE(jlist.out.find("signature \"HGJL\", 2 pictures"), std::string::npos) << jlist.out;
  EXPECT_NE(jlist.out.find("   1  \"lib-sample.png\"  offset 20009  size "), std::string::npos) << jlist.out;
  EXPECT_NE(jlist.out.find("96 x 64"), std::string::npos);
  ASSERT_EQ(Zkw("jpeglib extract " + jl + " 1 " + jpg).status, 0);
  // A JPEG file goes into a library as it is: the stored bytes come back unchanged.
  ASSERT_EQ(Zkw("jpeglib make " + jl + " " + jpg).status, 0);
  ASSERT_EQ(Zkw("jpeglib extract " + jl + " 1 " + zkwtest::TempPath("again.jpg")).status, 0);
  EXPECT_EQ(zkwtest::ReadFileBytes(zkwtest::TempPath("again.jpg")), zkwtest::ReadFileBytes(jpg));
  ASSERT_EQ(Zkw("jpeglib extract " + jl + " 1 " + out).status, 0);
  ASSERT_TRUE(ReadPng(out, b, error)) << error;
  int worst = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    if (i % 4 != 3) worst = std::max(worst, std::abs(a.Pixels[i] - b.Pixels[i]));
  EXPECT_LE(worst, 24);
  EXPECT_EQ(Zkw("jpeglib extract " + jl + " 2 " + out).status, 1);

  ASSERT_EQ(Zkw("convert " + png + " " + eight + " --8bit").status, 0);
  EXPECT_EQ(Zkw("info " + eight).out, eight + ": 96 x 64, 8-bit, stride 96, no alpha\n");
}

// zkw font pack, list and extract: fonts go into a package and come out byte for byte.
TEST(ZkwCommandLine, FontPackageRoundTrip) {
  std::string fonts[2];
  for (int i = 0; i < 2; ++i) {
    zkw::TDibFont font;
    auto* face = new zkw::TDib8Bits;
    face->SetAttributes(8 + i, 4);
    font.FDib = face;
    font.FHeader.dfHeight = 4;
    font.FHeader.dfBaseline = 3;
    font.FHeader.dfMaxWidth = 8 + i;
    font.FHeader.dfTable[33] = {0, static_cast<uint16_t>(4 + i), 0, 0};
    std::snprintf(font.FHeader.dfName, sizeof font.FHeader.dfName, "Tiny %d", i);
    fonts[i] = zkwtest::TempPath("tiny" + std::to_string(i) + ".dfu");
    ASSERT_TRUE(font.SaveToFile(zkw::FromUtf8(fonts[i]).c_str()));
  }
  const std::string pkg = zkwtest::TempPath("tiny.dfp"), out = zkwtest::TempPath("tiny-out.dfu");
  TRun pack = Zkw("font pack " + pkg + " --names 'Tiny; Small' " + fonts[0] + ":12 " + fonts[1] + ":12BI " +
                  fonts[0] + ":0");
  ASSERT_EQ(pack.status, 0) << pack.err;
  TRun list = Zkw("font list " + pkg);
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("names \"Tiny; Small\", 3 entries"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("#1 size 12 bold italic, offset"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("\"Tiny 1\", height 4"), std::string::npos) << list.out;
  const struct {
    const char* which;
    int font;
  } picks[] = {{"12bi", 1}, {"'#2'", 0}, {"12", 0}};
  for (const auto& p : picks) {
    TRun extract = Zkw(std::string("font extract ") + pkg + " " + p.which + " " + out);
    ASSERT_EQ(extract.status, 0) << p.which << extract.err;
    EXPECT_EQ(zkwtest::ReadFileBytes(out), zkwtest::ReadFileBytes(fonts[p.font])) << p.which;
  }
  EXPECT_EQ(Zkw("font extract " + pkg + " 14 " + out).status, 1);
  TRun bad = Zkw("font pack " + pkg + " --names x " + pkg + ":12");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("is not a font that loads"), std::string::npos) << bad.err;
}
