// Image commands of zkw: the sample image, describing and converting BMP and DEX files.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "common/byte_stream.h"
#include "common/text16.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "imagefiles/dex.h"

namespace zkwtool {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i])
      return false;
  return true;
}

using DibPtr = std::unique_ptr<zkw::TDibBaseObj>;

DibPtr LoadImage(const std::string& path) {
  zkw::ZString name = zkw::FromUtf8(path);
  if (EndsWith(path, ".dex")) return DibPtr(zkw::DibObjectFromDex(name.c_str()));
  return DibPtr(zkw::CreateDibFromFile(name.c_str()));
}

bool SaveImage(zkw::TDibBaseObj* dib, const std::string& path) {
  zkw::ZString name = zkw::FromUtf8(path);
  return EndsWith(path, ".dex") ? dib->SaveToDexFile(name.c_str()) : dib->SaveToFile(name.c_str());
}

}  // namespace

// A 24-bit colour ramp with a soft round alpha companion: shows pixels, colour order and alpha.
int CmdSample(const Args& args) {
  if (args.size() != 1) return Fail("usage: zkw sample OUT.bmp|OUT.dex");
  DibPtr dib(zkw::CreateDibObject(24));
  const int w = 96, h = 64;
  dib->SetAttributes(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t r = x * 255 / (w - 1), g = y * 255 / (h - 1), b = 255 - r;
      dib->PutPixel(x, y, r | (g << 8) | (b << 16));
    }
  dib->CreateAlphaChannel();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int dx = x - w / 2, dy = y - h / 2;
      int d2 = dx * dx * 4 / 9 + dy * dy;  // an ellipse filling the image
      dib->AlphaDib->PutPixel(x, y, d2 < 900 ? 255 : d2 < 1024 ? 128 : 0);
    }
  if (!SaveImage(dib.get(), args[0])) return Fail("cannot write " + args[0]);
  std::printf("wrote %s: %d x %d, 24-bit with alpha\n", args[0].c_str(), w, h);
  return 0;
}

int CmdInfo(const Args& args) {
  if (args.size() != 1) return Fail("usage: zkw info FILE");
  DibPtr dib = LoadImage(args[0]);
  if (!dib || dib->Handle() == 0) return Fail("cannot read " + args[0]);
  std::printf("%s: %d x %d, %d-bit, stride %d, %s\n", args[0].c_str(), dib->Width(),
              dib->Height(), dib->Bits() * 8, dib->AlignedWidth(),
              dib->AlphaDib ? "with alpha" : "no alpha");
  return 0;
}

int CmdConvert(const Args& args) {
  if (args.size() != 2) return Fail("usage: zkw convert IN OUT");
  DibPtr dib = LoadImage(args[0]);
  if (!dib || dib->Handle() == 0) return Fail("cannot read " + args[0]);
  if (!SaveImage(dib.get(), args[1])) return Fail("cannot write " + args[1]);
  return 0;
}

}  // namespace zkwtool
