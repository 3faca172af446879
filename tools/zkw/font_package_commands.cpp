// Font package commands of zkw: pack fonts into a package, list one, extract a font from one.
// Fonts go in and out byte for byte.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/last_error.h"
#include "base/text16.h"
#include "commands.h"
#include "common/byte_stream.h"
#include "fonts/dib_font.h"
#include "fonts/package_font.h"
#include "text/ansi_text.h"

namespace zkwtool {

namespace {

const char* StyleText(bool bold, bool italic) {
  return bold ? (italic ? "bold italic" : "bold") : (italic ? "italic" : "regular");
}

// Why the bytes of a font do not load, or empty when they do (name and height in `what`).
std::string CheckFont(const std::vector<uint8_t>& bytes, std::string& what) {
  zkw::TBufferStream stream(bytes.data(), bytes.size());
  zkw::TDibFont font;
  if (!font.LoadFromStream(stream) || !font.FDib) {
    const std::string& reason = zkw::LastErrorText();
    return reason.empty() ? std::string("not a font") : reason;
  }
  what = "\"" + std::string(font.FHeader.dfName, strnlen(font.FHeader.dfName, 128)) + "\", height " +
         std::to_string(font.FHeader.dfHeight);
  return std::string();
}

bool OpenPackage(const std::string& file, std::unique_ptr<zkw::TFileStream>& stream, zkw::TFontPackage& package) {
  stream = std::make_unique<zkw::TFileStream>(zkw::FromUtf8(file).c_str(), zkw::FileMode::fmOpenRead);
  return stream->IsOpen() && package.Open(*stream);
}

// The bytes of entry `index`: its offset and length inside the package.
bool EntryBytes(zkw::TStream& f, const zkw::TFontPackageEntry& e, std::vector<uint8_t>& bytes) {
  if (!e.Usable || uint64_t{e.Offset} + e.Length > static_cast<uint64_t>(f.Size())) return false;
  bytes.resize(e.Length);
  return f.Seek(e.Offset, zkw::SeekOrigin::soBeginning) == e.Offset &&
         (e.Length == 0 || f.ReadExact(bytes.data(), static_cast<int32_t>(e.Length)));
}

}  // namespace

int CmdFontPack(const std::string& out, const std::string& names, const std::vector<std::string>& fonts) {
  std::string field = zkw::ToAnsi(zkw::FromUtf8(names));
  if (field.size() > 255) return Fail("the names take " + std::to_string(field.size()) + " bytes; at most 255 fit");
  std::vector<zkw::TFontPackageItem> items;
  for (const std::string& arg : fonts) {
    size_t colon = arg.rfind(':');
    if (colon == std::string::npos) return Fail(arg + ": give FONT.dfu:STYLE (for example 12B, or 0 for every size)");
    const std::string file = arg.substr(0, colon), style = arg.substr(colon + 1);
    int32_t size;
    zkw::TFontPackageItem item;
    zkw::ParsePackageStyle(style, size, item.Bold, item.Italic);
    if (size > 0xFFFF) return Fail(arg + ": size " + std::to_string(size) + " is above 65535");
    item.Size = static_cast<uint16_t>(size);
    if (!zkw::ReadWholeFile(zkw::FromUtf8(file).c_str(), item.Data)) return Fail("cannot read " + file);
    std::string what;
    if (!CheckFont(item.Data, what).empty()) return Fail(file + " is not a font that loads");
    items.push_back(std::move(item));
  }
  zkw::TFileStream stream(zkw::FromUtf8(out).c_str(), zkw::FileMode::fmCreate);
  if (!stream.IsOpen()) return Fail("cannot create " + out);
  if (!zkw::WriteFontPackage(stream, field, items)) return Fail("cannot write " + out);
  std::printf("wrote %s: %zu fonts\n", out.c_str(), items.size());
  return 0;
}

int CmdFontList(const std::string& file) {
  std::unique_ptr<zkw::TFileStream> stream;
  zkw::TFontPackage package;
  if (!OpenPackage(file, stream, package)) return Fail("cannot read " + file);
  std::printf("%s: names \"%s\", %zu entries\n", file.c_str(), zkw::ToUtf8(zkw::FromAnsi(package.NameField)).c_str(),
              package.Entries.size());
  for (size_t i = 0; i < package.Entries.size(); ++i) {
    const zkw::TFontPackageEntry& e = package.Entries[i];
    std::string what, why;
    std::vector<uint8_t> bytes;
    if (!EntryBytes(*stream, e, bytes))
      why = "the entry lies outside the fonts of the package";
    else
      why = CheckFont(bytes, what);
    std::printf("#%zu size %u %s, offset %u length %u: %s\n", i, e.Size, StyleText(e.Bold, e.Italic),
                e.Offset, e.Length,
                why.empty() ? what.c_str() : ("fails: " + why).c_str());
  }
  return 0;
}

int CmdFontExtract(const std::string& file, const std::string& which, const std::string& out) {
  std::unique_ptr<zkw::TFileStream> stream;
  zkw::TFontPackage package;
  if (!OpenPackage(file, stream, package)) return Fail("cannot read " + file);
  size_t index = package.Entries.size();
  if (!which.empty() && which[0] == '#') {
    index = std::strtoul(which.c_str() + 1, nullptr, 10);
  } else {
    int32_t size;
    bool bold, italic;
    zkw::ParsePackageStyle(which, size, bold, italic);
    for (size_t i = 0; i < package.Entries.size() && index == package.Entries.size(); ++i) {
      const zkw::TFontPackageEntry& e = package.Entries[i];
      if (e.Usable && e.Bold == bold && e.Italic == italic && (size == 0 || e.Size == size)) index = i;
    }
  }
  if (index >= package.Entries.size()) return Fail(file + " has no entry " + which);
  std::vector<uint8_t> bytes;
  if (!EntryBytes(*stream, package.Entries[index], bytes))
    return Fail("entry #" + std::to_string(index) + " lies outside the fonts of the package");
  zkw::TFileStream dest(zkw::FromUtf8(out).c_str(), zkw::FileMode::fmCreate);
  if (!dest.IsOpen() || (!bytes.empty() && !dest.WriteExact(bytes.data(), static_cast<int32_t>(bytes.size()))))
    return Fail("cannot write " + out);
  std::printf("wrote %s: entry #%zu, %zu bytes\n", out.c_str(), index, bytes.size());
  return 0;
}

}  // namespace zkwtool
