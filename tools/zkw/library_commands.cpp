// Library commands of zkw: DIB library files (version 5, compressed DEX entries) and JPEG
// picture libraries.
#include <cstdio>
#include <cstring>

#include "base/last_error.h"
#include "commands.h"
#include "common/byte_stream.h"
#include "dib/dib_factory.h"
#include "imagefiles/dex.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/jpeg_library.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"
#include "text/ansi_text.h"

namespace zkwtool {

namespace {

const char* LayoutName(zkw::TDibLibLayout layout) {
  switch (layout) {
    case zkw::TDibLibLayout::dlV0: return "version 0";
    case zkw::TDibLibLayout::dlV1: return "version 1";
    case zkw::TDibLibLayout::dlV2: return "version 2";
    case zkw::TDibLibLayout::dlV3: return "version 3";
    case zkw::TDibLibLayout::dlV5: return "version 5";
    default: return "2712-byte 0xADB5 layout (raw entries)";
  }
}

// Width, height and depth of an image block.
std::string Describe(plat::HGLOBAL block) {
  zkw::TBitmapInfoHeader h{};
  if (void* p = plat::GlobalLock(block)) {
    std::memcpy(&h, p, sizeof h);
    plat::GlobalUnlock(block);
  }
  return std::to_string(h.biWidth) + " x " + std::to_string(h.biHeight) + ", " +
         std::to_string(h.biBitCount) + "-bit";
}

// The file name without folders, at most 40 bytes of the 8-bit code page.
std::string PictureName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string name = zkw::ToAnsi(zkw::FromUtf8(base));
  if (name.size() > 40) name.resize(40);
  return name;
}

bool StartsAsJpeg(const std::vector<uint8_t>& bytes) {
  return bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

}  // namespace

int CmdLibMake(const std::string& lib, const std::vector<std::string>& images, bool create) {
  zkw::ZString libName = zkw::FromUtf8(lib);
  if (create && !zkw::CreateDibLibrary(libName.c_str())) return Fail("cannot write " + lib);
  for (const std::string& path : images) {
    DibPtr dib = LoadImage(path);
    if (!dib || dib->Handle() < 2) return Fail("cannot read " + path);
    zkw::TMemoryStream record;
    if (!zkw::SaveDibExToStream(&record, reinterpret_cast<plat::HGLOBAL>(dib->Handle()),
                                reinterpret_cast<plat::HGLOBAL>(dib->GetAlphaHandle())) ||
        !zkw::AddDexRecord(record.Bytes(), libName.c_str()))
      return Fail("cannot add " + path + " to " + lib);
  }
  std::printf("%s: %d entries\n", lib.c_str(), zkw::LibDibCount(libName.c_str()));
  return 0;
}

int CmdLibList(const std::string& lib) {
  zkw::ZString name = zkw::FromUtf8(lib);
  zkw::TFileStream file(name.c_str(), zkw::FileMode::fmOpenRead);
  zkw::TDibLibHeader header;
  if (!file.IsOpen() || !zkw::ReadDibLibHeader(file, header)) return Fail("cannot read " + lib);
  std::printf("%s: %s, signature 0x%X, header %u bytes, total size %u (file %lld), %u entries, %u slots%s\n",
              lib.c_str(), LayoutName(header.Layout), header.Signature, header.HeaderSize(),
              header.TotalSize, static_cast<long long>(file.Size()), header.Count, header.Slots(),
              zkw::ValidDibLib(file) ? "" : " (not valid)");
  uint32_t shown = header.Count < header.Slots() ? header.Count : header.Slots();
  for (uint32_t i = 1; i <= shown; ++i) {
    const zkw::TDibLibEntry& e = header.Table[i - 1];
    plat::HGLOBAL image = nullptr, alpha = nullptr;
    uint32_t bits = zkw::GetDibFromLib(file, static_cast<int32_t>(i), &image, &alpha);
    std::string what = bits ? Describe(image) + (alpha ? ", alpha" : "") : "unreadable: " + zkw::LastErrorText();
    std::printf("%4u  offset %u  size %u  kind %u  %s\n", i, e.Offset, e.Size, e.Kind, what.c_str());
    if (image) plat::GlobalFree(image);
    if (alpha) plat::GlobalFree(alpha);
  }
  return 0;
}

int CmdLibExtract(const std::string& lib, int index, const std::string& out) {
  zkw::ZString name = zkw::FromUtf8(lib);
  DibPtr dib(zkw::DibObjectFromLib(name.c_str(), index));
  if (!dib) return Fail("cannot read entry " + std::to_string(index) + " of " + lib);
  if (!SaveImage(dib.get(), out)) return Fail("cannot write " + out);
  std::printf("wrote %s: %d x %d, %d-bit%s\n", out.c_str(), dib->Width(), dib->Height(),
              dib->Bits() * 8, dib->AlphaDib ? " with alpha" : "");
  return 0;
}

int CmdJpegLibMake(const std::string& lib, const std::vector<std::string>& images, int quality) {
  std::vector<zkw::TJpegLibRecord> records;
  for (const std::string& path : images) {
    zkw::TJpegLibRecord record;
    record.Name = PictureName(path);
    zkw::ZString name = zkw::FromUtf8(path);
    std::vector<uint8_t> bytes;
    if (zkw::ReadWholeFile(name.c_str(), bytes) && StartsAsJpeg(bytes)) {
      zkw::TJpegImage check;
      if (!check.LoadFromBytes(bytes)) return Fail("cannot read " + path);
      record.Data = std::move(bytes);  // stored as it is
    } else {
      DibPtr dib = LoadImage(path);
      zkw::TJpegImage jpeg;
      jpeg.Quality = quality;
      if (!dib || dib->Handle() < 2) return Fail("cannot read " + path);
      if (!jpeg.Assign(reinterpret_cast<plat::HGLOBAL>(dib->Handle())))
        return Fail("cannot encode " + path);
      record.Data = jpeg.Data();
    }
    records.push_back(std::move(record));
  }
  zkw::ZString libName = zkw::FromUtf8(lib);
  if (!zkw::WriteJpegLibrary(libName.c_str(), records)) return Fail("cannot write " + lib);
  std::printf("%s: %zu pictures\n", lib.c_str(), records.size());
  return 0;
}

int CmdJpegLibList(const std::string& lib) {
  zkw::ZString name = zkw::FromUtf8(lib);
  zkw::TFileStream file(name.c_str(), zkw::FileMode::fmOpenRead);
  std::vector<zkw::TJpegLibRecord> records;
  if (!file.IsOpen() || !zkw::ReadJpegLibrary(file, records)) return Fail("cannot read " + lib);
  char signature[5] = {};
  file.Seek(0, zkw::SeekOrigin::soBeginning);
  file.ReadExact(signature, 4);
  std::printf("%s: signature \"%s\", %zu pictures, %lld bytes\n", lib.c_str(), signature,
              records.size(), static_cast<long long>(file.Size()));
  for (size_t i = 0; i < records.size(); ++i) {
    zkw::TJpegInfo info;
    std::string what = zkw::ReadJpegInfo(records[i].Data.data(), records[i].Data.size(), info)
                           ? std::to_string(info.Width) + " x " + std::to_string(info.Height) +
                                 (info.Components == 1 ? ", grey" : "") +
                                 (info.Progressive ? ", progressive" : "")
                           : "undecodable: " + zkw::LastErrorText();
    std::printf("%4zu  \"%s\"  offset %u  size %zu  %s\n", i + 1,
                zkw::ToUtf8(zkw::FromAnsi(records[i].Name)).c_str(), records[i].Offset,
                records[i].Data.size(), what.c_str());
  }
  return 0;
}

int CmdJpegLibExtract(const std::string& lib, int index, const std::string& out) {
  zkw::ZString name = zkw::FromUtf8(lib), picture;
  std::unique_ptr<zkw::TJpegImage> jpeg = zkw::ReadJpegFromLibrary(name.c_str(), index, &picture);
  if (!jpeg) return Fail("cannot read picture " + std::to_string(index) + " of " + lib);
  if (IsJpegName(out)) {
    zkw::ZString outName = zkw::FromUtf8(out);
    if (!jpeg->SaveToFile(outName.c_str())) return Fail("cannot write " + out);
  } else {
    DibPtr dib(zkw::CreateDibObject(24));
    dib->SetHandle(reinterpret_cast<zkw::THandle>(zkw::JpegToDib(*jpeg, 0)));
    if (dib->Handle() < 2) return Fail("cannot decode picture " + std::to_string(index));
    if (!SaveImage(dib.get(), out)) return Fail("cannot write " + out);
  }
  std::printf("wrote %s: \"%s\", %d x %d\n", out.c_str(), zkw::ToUtf8(picture).c_str(),
              jpeg->Width(), jpeg->Height());
  return 0;
}

}  // namespace zkwtool
