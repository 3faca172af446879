// Image commands of zkw: the sample image, describing and converting BMP, DEX, PNG and JPEG
// files.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "base/text16.h"
#include "dib/dib24.h"
#include "dib/dib8.h"
#include "dib/dib_factory.h"
#include "dib/reduce_dib.h"
#include "imagefiles/jpeg_library.h"
#include "platform/plat.h"
#include "png_io.h"

namespace zkwtool {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i])
      return false;
  return true;
}

// A PNG becomes a 24-bit image; its alpha channel, unless fully opaque, the alpha companion.
DibPtr ImageFromPng(const std::string& path) {
  TRgbaImage png;
  std::string error;
  if (!ReadPng(path, png, error)) {
    std::fprintf(stderr, "zkw: %s\n", error.c_str());
    return nullptr;
  }
  DibPtr dib(zkw::CreateDibObject(24));
  dib->SetAttributes(png.Width, png.Height);
  if (dib->Handle() == 0) return nullptr;
  bool opaque = true;
  for (int32_t y = 0; y < png.Height; ++y)
    for (int32_t x = 0; x < png.Width; ++x) {
      const uint8_t* p = &png.Pixels[(static_cast<size_t>(y) * png.Width + x) * 4];
      dib->PutPixel(x, y, p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16));
      opaque = opaque && p[3] == 255;
    }
  if (opaque) return dib;
  dib->CreateAlphaChannel();
  for (int32_t y = 0; y < png.Height; ++y)
    for (int32_t x = 0; x < png.Width; ++x)
      dib->AlphaDib->PutPixel(x, y, png.Pixels[(static_cast<size_t>(y) * png.Width + x) * 4 + 3]);
  return dib;
}

// An image as RGBA: its colours, and its alpha companion as the alpha channel (else opaque).
bool SavePng(zkw::TDibBaseObj* dib, const std::string& path) {
  TRgbaImage png;
  png.Width = dib->Width();
  png.Height = dib->Height();
  png.Pixels.resize(static_cast<size_t>(png.Width) * png.Height * 4);
  zkw::TDib8Bits* alpha = dib->AlphaDib && dib->AlphaDib->Handle() ? dib->AlphaDib : nullptr;
  for (int32_t y = 0; y < png.Height; ++y)
    for (int32_t x = 0; x < png.Width; ++x) {
      uint8_t* p = &png.Pixels[(static_cast<size_t>(y) * png.Width + x) * 4];
      uint32_t c = dib->GetPixelEx(x, y);
      p[0] = static_cast<uint8_t>(c);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c >> 16);
      p[3] = alpha ? static_cast<uint8_t>(alpha->GetPixel(x, y)) : 255;
    }
  std::string error;
  if (WritePng(path, png, error)) return true;
  std::fprintf(stderr, "zkw: %s\n", error.c_str());
  return false;
}

// A JPEG picture decoded to a 24-bit image.
DibPtr ImageFromJpeg(const std::string& path) {
  zkw::TJpegImage jpeg;
  zkw::ZString name = zkw::FromUtf8(path);
  if (!jpeg.LoadFromFile(name.c_str())) return nullptr;
  plat::HGLOBAL block = zkw::JpegToDib(jpeg, zkw::jpf24Bit);
  if (!block) return nullptr;
  DibPtr dib(zkw::CreateDibObject(24));
  dib->SetHandle(reinterpret_cast<zkw::THandle>(block));
  return dib;
}

// An image encoded as JPEG at quality 90 (its alpha companion is not kept).
bool SaveJpeg(zkw::TDibBaseObj* dib, const std::string& path) {
  zkw::TJpegImage jpeg;
  zkw::ZString name = zkw::FromUtf8(path);
  return jpeg.Assign(reinterpret_cast<plat::HGLOBAL>(dib->Handle())) && jpeg.SaveToFile(name.c_str());
}

}  // namespace

bool IsJpegName(const std::string& path) { return EndsWith(path, ".jpg") || EndsWith(path, ".jpeg"); }

DibPtr LoadImage(const std::string& path) {
  if (EndsWith(path, ".png")) return ImageFromPng(path);
  if (IsJpegName(path)) return ImageFromJpeg(path);
  zkw::ZString name = zkw::FromUtf8(path);
  if (EndsWith(path, ".dex")) return DibPtr(zkw::DibObjectFromDex(name.c_str()));
  return DibPtr(zkw::CreateDibFromFile(name.c_str()));
}

bool SaveImage(zkw::TDibBaseObj* dib, const std::string& path) {
  if (EndsWith(path, ".png")) return SavePng(dib, path);
  if (IsJpegName(path)) return SaveJpeg(dib, path);
  zkw::ZString name = zkw::FromUtf8(path);
  return EndsWith(path, ".dex") ? dib->SaveToDexFile(name.c_str()) : dib->SaveToFile(name.c_str());
}

// A 24-bit colour ramp with a soft round alpha companion: shows pixels, colour order and alpha.
int CmdSample(const std::string& out) {
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
  if (!SaveImage(dib.get(), out)) return Fail("cannot write " + out);
  std::printf("wrote %s: %d x %d, 24-bit with alpha\n", out.c_str(), w, h);
  return 0;
}

int CmdInfo(const std::string& file) {
  DibPtr dib = LoadImage(file);
  if (!dib || dib->Handle() == 0) return Fail("cannot read " + file);
  std::printf("%s: %d x %d, %d-bit, stride %d, %s\n", file.c_str(), dib->Width(),
              dib->Height(), dib->Bits() * 8, dib->AlignedWidth(),
              dib->AlphaDib ? "with alpha" : "no alpha");
  return 0;
}

int CmdConvert(const std::string& in, const std::string& out, bool eightBit) {
  DibPtr dib = LoadImage(in);
  if (!dib || dib->Handle() == 0) return Fail("cannot read " + in);
  if (eightBit && dib->Bits() != 1) {
    dib.reset(zkw::ReduceDibTo8Bits(dib.get()));
    if (!dib) return Fail("cannot reduce " + in + " to 8 bits");
  }
  if (!SaveImage(dib.get(), out)) return Fail("cannot write " + out);
  return 0;
}

}  // namespace zkwtool
