// Font packages: header, names and index are read and checked against the size, then every
// entry is registered with a font manager and every registration's font created and given back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include <unistd.h>

#include "base/text16.h"
#include "common/byte_stream.h"
#include "fonts/dib_font.h"
#include "fonts/font_manager.h"
#include "fonts/package_font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zkw::TBufferStream stream(data, size);
  zkw::TFontPackage package;
  if (!package.Open(stream)) return 0;
  for (size_t i = 0; i < package.Entries.size() && i < 64; ++i)
    std::unique_ptr<zkw::TDibFont>(package.LoadEntry(stream, i));

  // The manager reads packages from files.
  static const std::string path = "/tmp/font_package_fuzz." + std::to_string(getpid()) + ".dfp";
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return 0;
  std::fwrite(data, 1, size, out);
  std::fclose(out);
  zkw::TDibFontManager manager;
  const zkw::ZString file = zkw::FromUtf8(path);
  manager.RegisterFontPackage(zkw::ZString(), file);
  manager.RegisterAsDefaultFont(file);
  size_t created = 0;
  for (const zkw::TDibFontAttributes& attr : manager.FontList) {
    if (++created > 64) break;
    zkw::TDibFont* font = manager.CreateFont(attr.Fontname, attr.FontSize, attr.FontBold, attr.FontItalic);
    if (font) (void)font->TextWidth(attr.Fontname.c_str(), static_cast<uint16_t>(attr.Fontname.size()));
    manager.DeleteFont(font);
  }
  return 0;
}
