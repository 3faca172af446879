// Seeds of the image-library fuzz targets: DIB libraries of every layout made by the test
// builder and by the library's own writers.
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "imagefiles/dex.h"
#include "imagefiles/jpeg_library.h"
#include "imagefiles/memory_block.h"
#include "support/dib_library_builder.h"
#include "support/jpeg_builders.h"

namespace {

void WriteSeed(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
  ::mkdir(dir.c_str(), 0755);
  std::ofstream(dir + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> DexOf(const std::vector<uint8_t>& image, const std::vector<uint8_t>* alpha,
                           bool compress) {
  plat::HGLOBAL i = zkw::NewBlockFrom(image.data(), image.size());
  plat::HGLOBAL a = alpha ? zkw::NewBlockFrom(alpha->data(), alpha->size()) : nullptr;
  std::vector<uint8_t> record;
  zkw::BuildDexRecord(i, a, compress, record);
  plat::GlobalFree(i);
  if (a) plat::GlobalFree(a);
  return record;
}

}  // namespace

void WriteLibrarySeeds(const std::string& outDir) {
  using zkwtest::LibLayout;
  const std::vector<uint8_t> dib8 = zkwtest::PatternDib(5, 3, 8, 1);
  const std::vector<uint8_t> dib24 = zkwtest::PatternDib(4, 2, 24, 2);
  const std::vector<uint8_t> alpha = zkwtest::PatternDib(4, 2, 8, 3);
  const std::vector<zkwtest::LibEntrySpec> raw = {{dib8, 0}, {dib24, 0}};
  const std::vector<zkwtest::LibEntrySpec> dex = {{DexOf(dib8, nullptr, true), 0},
                                                  {DexOf(dib24, &alpha, true), 1},
                                                  {DexOf(dib24, &alpha, false), 1}};
  const std::string dir = outDir + "/dib_library_fuzz";
  const char* names[] = {"v0.dlb", "v1.dlb", "v2.dlb", "v3.dlb", "v5.dlb", "array.dlb"};
  for (int l = 0; l < 6; ++l) {
    auto layout = static_cast<LibLayout>(l);
    bool rawLayout = layout == LibLayout::V0 || layout == LibLayout::V1 || layout == LibLayout::Array;
    WriteSeed(dir, names[l], zkwtest::BuildDibLibrary(layout, rawLayout ? raw : dex));
  }

  // JPEG data of every kind the decoder meets, and libraries of them.
  const std::vector<uint8_t> colour = zkwtest::JpegOf(16, 8, 3, false);
  const std::vector<uint8_t> grey = zkwtest::JpegOf(8, 8, 1, true);
  const std::string jpegDir = outDir + "/jpeg_data_fuzz";
  WriteSeed(jpegDir, "colour.jpg", colour);
  WriteSeed(jpegDir, "grey-progressive.jpg", grey);
  WriteSeed(jpegDir, "colour-progressive.jpg", zkwtest::JpegOf(24, 16, 3, true, 60));
  WriteSeed(jpegDir, "cmyk.jpg", zkwtest::JpegOf(8, 8, 4, false));
  zkw::TMemoryStream lib;
  zkw::WriteJpegLibrary(lib, {{"colour", 0, colour}, {"grey", 0, grey}, {"again", 0, colour}});
  WriteSeed(outDir + "/jpeg_library_fuzz", "three.jpl", lib.Bytes());
}
