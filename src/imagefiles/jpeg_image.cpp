#include "imagefiles/jpeg_image.h"

#include <string>

#include "base/last_error.h"

namespace zkw {

bool TJpegImage::LoadFromBytes(std::vector<uint8_t> bytes) {
  TJpegInfo info;
  if (!ReadJpegInfo(bytes.data(), bytes.size(), info)) return false;
  FData = std::move(bytes);
  FInfo = info;
  return true;
}

bool TJpegImage::LoadFromStream(TStream& stream) {
  int64_t left = stream.Remaining();
  if (left < 0 || static_cast<uint64_t>(left) > kJpegCeiling) {
    SetLastErrorText("JPEG data of " + std::to_string(left) + " bytes is larger than the reader accepts");
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(left));
  if (left && !stream.ReadExact(bytes.data(), static_cast<int32_t>(left))) {
    SetLastErrorText("JPEG data could not be read");
    return false;
  }
  return LoadFromBytes(std::move(bytes));
}

bool TJpegImage::LoadFromFile(const ZChar* name) {
  TFileStream file(name, FileMode::fmOpenRead);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot open \"" + ToUtf8(name) + "\"");
    return false;
  }
  return LoadFromStream(file);
}

bool TJpegImage::Assign(plat::HGLOBAL block) {
  std::vector<uint8_t> bytes;
  if (!EncodeBlockToJpeg(block, Quality, Performance == jppBestSpeed, bytes)) return false;
  return LoadFromBytes(std::move(bytes));
}

bool TJpegImage::SaveToStream(TStream& stream) const {
  if (FData.empty()) {
    SetLastErrorText("the JPEG image is empty");
    return false;
  }
  if (!stream.WriteExact(FData.data(), static_cast<int32_t>(FData.size()))) {
    SetLastErrorText("JPEG data could not be written");
    return false;
  }
  return true;
}

bool TJpegImage::SaveToFile(const ZChar* name) const {
  TFileStream file(name, FileMode::fmCreate);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot create \"" + ToUtf8(name) + "\"");
    return false;
  }
  return SaveToStream(file);
}

plat::HGLOBAL TJpegImage::ToBlock() const {
  if (FData.empty()) {
    SetLastErrorText("the JPEG image is empty");
    return nullptr;
  }
  TJpegDecodeOptions options;
  options.EightBit = PixelFormat == jpf8Bit;
  options.Smoothing = Smoothing;
  options.BestSpeed = Performance == jppBestSpeed;
  return DecodeJpegToBlock(FData.data(), FData.size(), options);
}

}  // namespace zkw
