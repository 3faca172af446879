// zkw char: describe character files, write their frames as PNG, make them from JSON sources.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/text16.h"
#include "commands.h"
#include "dib/dib8.h"
#include "dib/palette.h"
#include "player/character/char_file.h"
#include "png_io.h"

namespace zkwtool {

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

struct TOpenCharacter {
  std::unique_ptr<zkw::TFileStream> file;
  zkw::TCharFileHeader header{};
  std::vector<zkw::TGestureItem> items;
};

bool OpenCharacter(const std::string& path, TOpenCharacter& ch, std::string& error) {
  ch.file = std::make_unique<zkw::TFileStream>(zkw::FromUtf8(path).c_str(), zkw::FileMode::fmOpenRead);
  if (!ch.file->IsOpen()) return error = "cannot open " + path, false;
  if (!zkw::ReadCharHeader(ch.file.get(), ch.header, ch.items))
    return error = path + " is not a character file (identifier, version, size or items)", false;
  return true;
}

// The frames of a gesture as 8-bit images: the gesture's own colours when there are at most
// 256 of them, else the shared default palette.
bool ToEightBit(const std::vector<TRgbaImage>& images, std::vector<std::unique_ptr<zkw::TDib8Bits>>& out) {
  std::map<uint32_t, int> colours;
  for (const TRgbaImage& image : images)
    for (size_t i = 0; i < image.Pixels.size(); i += 4) {
      const uint8_t* p = &image.Pixels[i];
      colours.emplace(p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16, 0);
    }
  const bool exact = colours.size() <= 256;
  zkw::TRGBQuad table[256] = {};
  if (exact) {
    int n = 0;
    for (auto& [colour, index] : colours) {
      index = n;
      table[n++] = zkw::TRGBQuad{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                                 static_cast<uint8_t>(colour), 0};
    }
  } else {
    const zkw::TColorTable& shared = zkw::DefaultPalette();
    for (int i = 0; i < 256; ++i) table[i] = shared[i];
  }
  for (const TRgbaImage& image : images) {
    auto dib = std::make_unique<zkw::TDib8Bits>();
    dib->SetAttributes(image.Width, image.Height);
    if (!dib->Handle()) return false;
    for (int i = 0; i < 256; ++i) dib->DibPal[i] = table[i];
    // Every frame keeps an alpha companion, opaque PNGs too: without one the frame would be
    // drawn with a colour key and lose the colour that landed on the key's index.
    dib->CreateAlphaChannel();
    if (!dib->AlphaDib) return false;
    for (int32_t y = 0; y < image.Height; ++y)
      for (int32_t x = 0; x < image.Width; ++x) {
        const uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * image.Width + x) * 4];
        const uint32_t colour = p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
        dib->PutPixel(x, y, exact ? static_cast<uint32_t>(colours[colour]) : zkw::NearestColor(colour, table));
        dib->AlphaDib->PutPixel(x, y, p[3]);
      }
    out.push_back(std::move(dib));
  }
  return true;
}

bool ReadBytes(const fs::path& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int CmdCharInfo(const std::string& file) {
  TOpenCharacter ch;
  std::string error;
  if (!OpenCharacter(file, ch, error)) return Fail(error);
  std::printf("character \"%s\", version 0x%X, %d x %d, %d bytes, %u gestures\n",
              zkw::CharName(ch.header.cfhName).c_str(), static_cast<unsigned>(ch.header.cfhVersion),
              ch.header.cfhDimension[0], ch.header.cfhDimension[1], ch.header.cfhFilesize,
              static_cast<unsigned>(ch.header.cfhGesCount));
  for (const zkw::TGestureItem& item : ch.items) {
    zkw::TCharGestureData data;
    const std::string name = zkw::CharName(item.giName);
    if (!zkw::ReadCharGesture(ch.file.get(), item.giAddress, data)) {
      std::printf("  %s: damaged (at %d)\n", name.c_str(), item.giAddress);
      continue;
    }
    std::printf("  %s: style %u, previous \"%s\", next \"%s\", %s, %zu frames, sound %u bytes%s\n",
                name.c_str(), static_cast<unsigned>(data.Style), data.PrevGes.c_str(), data.NextGes.c_str(),
                item.giEnableReturn ? "returnable" : "not returnable", data.Frames.size(),
                data.StoredSoundSize, data.StoredSoundSize && data.Sound.empty() ? " (not a valid wave)" : "");
    for (size_t i = 0; i < data.Frames.size(); ++i) {
      const zkw::TCharFrameData& f = data.Frames[i];
      std::printf("    frame %zu: %d x %d, %d-bit%s, duration %d, move (%d, %d)\n", i + 1, f.Dib->Width(),
                  f.Dib->Height(), f.Dib->Bits() * 8, f.Dib->AlphaDib ? " with alpha" : "", f.During, f.Dx, f.Dy);
    }
  }
  return 0;
}

int CmdCharFrames(const std::string& file, const std::string& gesture, const std::string& dir) {
  TOpenCharacter ch;
  std::string error;
  if (!OpenCharacter(file, ch, error)) return Fail(error);
  for (const zkw::TGestureItem& item : ch.items) {
    if (!zkw::SameCharName(zkw::CharName(item.giName), gesture)) continue;
    zkw::TCharGestureData data;
    if (!zkw::ReadCharGesture(ch.file.get(), item.giAddress, data)) return Fail("gesture " + gesture + " is damaged");
    fs::create_directories(dir);
    for (size_t i = 0; i < data.Frames.size(); ++i) {
      zkw::TDibBaseObj* dib = data.Frames[i].Dib.get();
      TRgbaImage png;
      png.Width = dib->Width();
      png.Height = dib->Height();
      png.Pixels.resize(static_cast<size_t>(png.Width) * png.Height * 4);
      for (int32_t y = 0; y < png.Height; ++y)
        for (int32_t x = 0; x < png.Width; ++x) {
          uint8_t* p = &png.Pixels[(static_cast<size_t>(y) * png.Width + x) * 4];
          const uint32_t c = dib->GetPixelEx(x, y);
          p[0] = static_cast<uint8_t>(c);
          p[1] = static_cast<uint8_t>(c >> 8);
          p[2] = static_cast<uint8_t>(c >> 16);
          p[3] = dib->AlphaDib ? static_cast<uint8_t>(dib->AlphaDib->GetPixel(x, y)) : 255;
        }
      char name[32];
      std::snprintf(name, sizeof name, "frame%03zu.png", i + 1);
      if (!WritePng((fs::path(dir) / name).string(), png, error)) return Fail(error);
    }
    std::printf("%zu frames written to %s\n", data.Frames.size(), dir.c_str());
    return 0;
  }
  return Fail("no gesture named " + gesture);
}

int CmdCharMake(const std::string& source, const std::string& out) {
  json doc;
  try {
    std::ifstream in(source);
    if (!in) return Fail("cannot open " + source);
    doc = json::parse(in);
    const fs::path base = fs::path(source).parent_path();
    std::vector<std::unique_ptr<zkw::TDib8Bits>> frames;
    std::vector<zkw::TCharGestureSource> gestures;
    for (const json& g : doc.at("gestures")) {
      zkw::TCharGestureSource ges;
      ges.Name = g.at("name").get<std::string>();
      ges.Style = g.value("style", 0);
      ges.PrevGes = g.value("previous", "");
      ges.NextGes = g.value("next", "");
      ges.EnableReturn = g.value("return", false);
      std::vector<TRgbaImage> images;
      std::string error;
      for (const json& f : g.at("frames")) {
        TRgbaImage image;
        if (!ReadPng((base / f.at("png").get<std::string>()).string(), image, error)) return Fail(error);
        images.push_back(std::move(image));
      }
      const size_t first = frames.size();
      if (!ToEightBit(images, frames)) return Fail("gesture " + ges.Name + ": a frame has no pixels");
      size_t i = 0;
      for (const json& f : g.at("frames")) {
        ges.Frames.push_back({frames[first + i++].get(), f.value("duration", 1), f.value("dx", 0), f.value("dy", 0)});
      }
      if (g.contains("sound")) {
        const fs::path wave = base / g.at("sound").get<std::string>();
        if (!ReadBytes(wave, ges.Sound)) return Fail("cannot read " + wave.string());
        if (!zkw::CheckWaveImage(ges.Sound.data(), ges.Sound.size()))
          return Fail(wave.string() + " is not a wave file");
      }
      gestures.push_back(std::move(ges));
    }
    std::string error;
    if (!zkw::WriteCharacterFile(zkw::FromUtf8(out).c_str(), doc.value("name", ""), doc.at("width").get<int32_t>(),
                                 doc.at("height").get<int32_t>(), gestures, error))
      return Fail(error);
    std::printf("%s: %zu gestures\n", out.c_str(), gestures.size());
    return 0;
  } catch (const json::exception& e) {
    return Fail(source + ": " + e.what());
  }
}

}  // namespace zkwtool
