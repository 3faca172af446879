#include "png_io.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace zkwtool {

namespace {
struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};
}  // namespace

bool ReadPng(const std::string& path, TRgbaImage& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    error = std::string("cannot read PNG \"") + path + "\": " + png.message;
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  if (png.width > 16384 || png.height > 16384) {
    png_image_free(&png);
    error = "PNG \"" + path + "\" is larger than 16384 pixels a side";
    return false;
  }
  image.Width = static_cast<int32_t>(png.width);
  image.Height = static_cast<int32_t>(png.height);
  image.Pixels.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, image.Pixels.data(), 0, nullptr)) {
    error = std::string("cannot decode PNG \"") + path + "\": " + png.message;
    png_image_free(&png);
    return false;
  }
  return true;
}

bool WritePng(const std::string& path, const TRgbaImage& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.Width);
  png.height = static_cast<png_uint_32>(image.Height);
  png.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.Pixels.data(), 0, nullptr)) {
    error = std::string("cannot write PNG \"") + path + "\": " + png.message;
    return false;
  }
  return true;
}

}  // namespace zkwtool
