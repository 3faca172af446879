// PNG files for the tool: reading images (with their alpha channel) and writing frames.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zkwtool {

struct TRgbaImage {
  int32_t Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // R, G, B, A per pixel, top row first
};

bool ReadPng(const std::string& path, TRgbaImage& image, std::string& error);
bool WritePng(const std::string& path, const TRgbaImage& image, std::string& error);

}  // namespace zkwtool
