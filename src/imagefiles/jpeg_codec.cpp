// libjpeg leaves its fatal errors by longjmp. Each codec run therefore happens in one function
// whose frame holds no C++ object with a destructor (Run*): its state lives in a plain job
// record, and what the run acquired (the output block, libjpeg's output buffer) is released
// from the record after a jump.
#include "imagefiles/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "base/last_error.h"
#include "imagefiles/memory_block.h"
#include "imagefiles/packed_dib.h"
#include "platform/plat.h"

namespace zkw {

namespace {

constexpr long kJpegMemoryCeiling = 1L << 30;

struct ErrorManager {
  jpeg_error_mgr base;
  jmp_buf jump;
  char reason[JMSG_LENGTH_MAX + 64];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->reason);
  std::longjmp(err->jump, 1);
}

// Warnings (corrupt data that libjpeg recovers from) are not reported.
void OutputMessage(j_common_ptr) {}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.base);
  err.base.error_exit = ErrorExit;
  err.base.output_message = OutputMessage;
  err.reason[0] = 0;
}

// Stops progressive pictures whose scans never end.
struct ScanLimit {
  jpeg_progress_mgr base;
  ErrorManager* err;
};

void CheckScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* limit = reinterpret_cast<ScanLimit*>(cinfo->progress);
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kJpegMaxScans) {
    std::snprintf(limit->err->reason, sizeof limit->err->reason,
                  "JPEG picture has more than %d scans", kJpegMaxScans);
    std::longjmp(limit->err->jump, 1);
  }
}

struct DecodeJob {
  const uint8_t* data;
  uint64_t size;
  TJpegDecodeOptions options;
  bool headerOnly;
  TJpegInfo info;
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  ScanLimit progress;
  plat::HGLOBAL block;
  uint8_t* pixels;  // the locked block
};

// Header checks shared by ReadJpegInfo and decoding; false with job->err.reason set.
bool HeaderAccepted(DecodeJob* job) {
  jpeg_decompress_struct& c = job->cinfo;
  if (c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK) {
    std::snprintf(job->err.reason, sizeof job->err.reason,
                  "JPEG picture is %s; only grey and colour pictures are decoded",
                  c.jpeg_color_space == JCS_CMYK ? "CMYK" : "YCCK");
    return false;
  }
  uint64_t bytes = uint64_t{c.image_width} * c.image_height * 3;
  if (bytes > kJpegCeiling || !FitsImageObject(c.image_width, c.image_height, 24)) {
    std::snprintf(job->err.reason, sizeof job->err.reason,
                  "JPEG picture of %u x %u pixels is larger than the reader accepts",
                  static_cast<unsigned>(c.image_width), static_cast<unsigned>(c.image_height));
    return false;
  }
  job->info.Width = static_cast<int32_t>(c.image_width);
  job->info.Height = static_cast<int32_t>(c.image_height);
  job->info.Components = c.num_components;
  job->info.Progressive = c.progressive_mode != 0;
  return true;
}

void SetOutput(jpeg_decompress_struct& c, const TJpegDecodeOptions& options) {
  c.do_fancy_upsampling = options.Smoothing ? TRUE : FALSE;
  c.do_block_smoothing = options.Smoothing ? TRUE : FALSE;
  c.dct_method = options.BestSpeed ? JDCT_IFAST : JDCT_ISLOW;
  if (options.EightBit) {
    c.out_color_space = JCS_RGB;
    c.quantize_colors = TRUE;
    c.desired_number_of_colors = 256;
    c.two_pass_quantize = TRUE;
    c.dither_mode = JDITHER_FS;
  } else {
    c.out_color_space = JCS_EXT_BGR;  // the rows of a 24-bit block as they are stored
  }
}

// Allocates and locks the block and writes its header; false with the reason.
bool StartBlock(DecodeJob* job) {
  jpeg_decompress_struct& c = job->cinfo;
  int32_t bits = job->options.EightBit ? 8 : 24;
  int64_t stride = RowStride(c.output_width, bits);
  int64_t table = bits == 8 ? kPaletteBytes : 0;
  job->block = plat::GlobalAlloc(plat::GHND, static_cast<plat::SIZE_T>(40 + table + stride * c.output_height));
  job->pixels = job->block ? static_cast<uint8_t*>(plat::GlobalLock(job->block)) : nullptr;
  if (!job->pixels) {
    std::snprintf(job->err.reason, sizeof job->err.reason, "no memory for the decoded picture");
    return false;
  }
  TBitmapInfoHeader header{40, static_cast<int32_t>(c.output_width),
                           static_cast<int32_t>(c.output_height), 1, static_cast<uint16_t>(bits),
                           0, static_cast<uint32_t>(stride * c.output_height), 0, 0, 0, 0};
  std::memcpy(job->pixels, &header, sizeof header);
  return true;
}

// The quantiser's colour map as the block's colour table (blue, green, red, 0).
void FillTable(DecodeJob* job) {
  jpeg_decompress_struct& c = job->cinfo;
  uint8_t* table = job->pixels + 40;
  for (int i = 0; i < c.actual_number_of_colors && i < 256; ++i) {
    table[4 * i] = c.colormap[2][i];
    table[4 * i + 1] = c.colormap[1][i];
    table[4 * i + 2] = c.colormap[0][i];
  }
}

void FreeJobBlock(DecodeJob* job) {
  if (job->pixels) plat::GlobalUnlock(job->block);
  if (job->block) plat::GlobalFree(job->block);
  job->pixels = nullptr;
  job->block = nullptr;
}

// Runs a decode (or only the header read); 1 on success. No C++ object lives in this frame.
int RunDecode(DecodeJob* job) {
  jpeg_decompress_struct& c = job->cinfo;
  c.err = &job->err.base;
  InitErrors(job->err);
  if (setjmp(job->err.jump)) {
    jpeg_destroy_decompress(&c);
    FreeJobBlock(job);
    return 0;
  }
  jpeg_create_decompress(&c);
  // Whole-picture buffers (progressive pictures, the quantiser) stay within this; past it the
  // codec fails instead of allocating what a header merely asks for.
  c.mem->max_memory_to_use = kJpegMemoryCeiling;
  job->progress.base.progress_monitor = CheckScans;
  job->progress.err = &job->err;
  c.progress = &job->progress.base;
  jpeg_mem_src(&c, job->data, static_cast<unsigned long>(job->size));
  jpeg_read_header(&c, TRUE);
  if (!HeaderAccepted(job) || job->headerOnly) {
    jpeg_destroy_decompress(&c);
    return job->err.reason[0] ? 0 : 1;
  }
  SetOutput(c, job->options);
  jpeg_start_decompress(&c);
  if (!StartBlock(job)) {
    jpeg_destroy_decompress(&c);
    FreeJobBlock(job);
    return 0;
  }
  int64_t stride = RowStride(c.output_width, job->options.EightBit ? 8 : 24);
  uint8_t* rows = job->pixels + 40 + (job->options.EightBit ? kPaletteBytes : 0);
  while (c.output_scanline < c.output_height) {
    JSAMPROW row = rows + (c.output_height - 1 - c.output_scanline) * stride;
    jpeg_read_scanlines(&c, &row, 1);
  }
  if (job->options.EightBit) FillTable(job);
  jpeg_finish_decompress(&c);
  jpeg_destroy_decompress(&c);
  plat::GlobalUnlock(job->block);
  job->pixels = nullptr;
  return 1;
}

bool Decode(const uint8_t* data, uint64_t size, const TJpegDecodeOptions& options,
            bool headerOnly, DecodeJob& job) {
  if (!data || size < 4) {
    SetLastErrorText("JPEG data is missing or shorter than 4 bytes");
    return false;
  }
  if (size > kJpegCeiling) {
    SetLastErrorText("JPEG data of " + std::to_string(size) + " bytes is larger than the reader accepts");
    return false;
  }
  std::memset(static_cast<void*>(&job), 0, sizeof job);
  job.data = data;
  job.size = size;
  job.options = options;
  job.headerOnly = headerOnly;
  if (RunDecode(&job)) return true;
  SetLastErrorText(std::string("JPEG: ") + job.err.reason);
  return false;
}

struct EncodeJob {
  const uint8_t* topRow;
  int64_t rowStep;  // bytes from one picture row to the next (negative for bottom-up rows)
  int32_t width, height, quality;
  bool bestSpeed;
  jpeg_compress_struct cinfo;
  ErrorManager err;
  unsigned char* out;
  unsigned long outSize;
};

// Runs an encode of BGR rows; 1 on success. No C++ object lives in this frame.
int RunEncode(EncodeJob* job) {
  jpeg_compress_struct& c = job->cinfo;
  c.err = &job->err.base;
  InitErrors(job->err);
  if (setjmp(job->err.jump)) {
    jpeg_destroy_compress(&c);
    std::free(job->out);
    job->out = nullptr;
    return 0;
  }
  jpeg_create_compress(&c);
  jpeg_mem_dest(&c, &job->out, &job->outSize);
  c.image_width = static_cast<JDIMENSION>(job->width);
  c.image_height = static_cast<JDIMENSION>(job->height);
  c.input_components = 3;
  c.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, job->quality, TRUE);
  c.dct_method = job->bestSpeed ? JDCT_IFAST : JDCT_ISLOW;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(job->topRow + job->rowStep * c.next_scanline);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return 1;
}

}  // namespace

bool ReadJpegInfo(const uint8_t* data, uint64_t size, TJpegInfo& info) {
  auto job = std::make_unique<DecodeJob>();
  if (!Decode(data, size, TJpegDecodeOptions{}, true, *job)) return false;
  info = job->info;
  return true;
}

plat::HGLOBAL DecodeJpegToBlock(const uint8_t* data, uint64_t size, const TJpegDecodeOptions& options) {
  auto job = std::make_unique<DecodeJob>();
  if (!Decode(data, size, options, false, *job)) return nullptr;
  return job->block;
}

bool EncodeBlockToJpeg(plat::HGLOBAL block, int32_t quality, bool bestSpeed,
                       std::vector<uint8_t>& jpeg) {
  LockedBlock locked(block);
  std::string reason;
  if (!locked.Data() || !CheckPackedDib(locked.Data(), locked.Size(), reason)) {
    SetLastErrorText(locked.Data() ? "image: " + reason : "no image block to encode");
    return false;
  }
  TBitmapInfoHeader header;
  std::memcpy(&header, locked.Data(), sizeof header);
  if ((header.biBitCount != 8 && header.biBitCount != 24) || header.biCompression != 0 ||
      header.biWidth <= 0 || header.biHeight <= 0 || header.biWidth > 65500 ||
      header.biHeight > 65500) {
    SetLastErrorText("only 8- and 24-bit images of 1 to 65500 pixels a side are encoded");
    return false;
  }
  const uint8_t* pixels = locked.Data() + 40 + 4 * ColorTableEntries(header);
  int64_t stride = RowStride(header.biWidth, header.biBitCount);
  std::vector<uint8_t> expanded;  // 8-bit images are encoded from their colours
  if (header.biBitCount == 8) {
    const auto* table = reinterpret_cast<const TRGBQuad*>(locked.Data() + 40);
    int64_t entries = ColorTableEntries(header);
    int64_t outStride = RowStride(header.biWidth, 24);
    expanded.assign(static_cast<size_t>(outStride * header.biHeight), 0);
    for (int32_t y = 0; y < header.biHeight; ++y)
      for (int32_t x = 0; x < header.biWidth; ++x) {
        uint8_t index = pixels[y * stride + x];
        TRGBQuad q = index < entries ? table[index] : TRGBQuad{0, 0, 0, 0};
        uint8_t* out = &expanded[static_cast<size_t>(y * outStride + 3 * x)];
        out[0] = q.rgbBlue;
        out[1] = q.rgbGreen;
        out[2] = q.rgbRed;
      }
    pixels = expanded.data();
    stride = outStride;
  }
  auto job = std::make_unique<EncodeJob>();
  std::memset(static_cast<void*>(job.get()), 0, sizeof(EncodeJob));
  job->topRow = pixels + stride * (header.biHeight - 1);  // stored bottom-up
  job->rowStep = -stride;
  job->width = header.biWidth;
  job->height = header.biHeight;
  job->quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
  job->bestSpeed = bestSpeed;
  if (!RunEncode(job.get())) {
    SetLastErrorText(std::string("JPEG: ") + job->err.reason);
    return false;
  }
  jpeg.assign(job->out, job->out + job->outSize);
  std::free(job->out);
  return true;
}

}  // namespace zkw
