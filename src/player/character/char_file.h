// Character files: a 54-byte header, 21-byte gesture items, and gestures (style, neighbour
// names, frames stored as DEX records with their timing and movement, an optional wave image).
// The reader checks every size and offset against the file as it is when a gesture loads; the
// writer makes files the reader accepts.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_stream.h"
#include "dib/dib_base.h"

namespace zkw {

#pragma pack(push, 1)
struct TCharFileHeader {
  char cfhIdentifier[16];  // "DibCharacter", zero-terminated
  int32_t cfhVersion;      // 0x10000 or 0x20000
  char cfhName[16];
  int32_t cfhFilesize;     // the file's real size
  int32_t cfhDimension[2];  // width, height of the figure
  int32_t cfhOffset;       // not used by the reader
  uint16_t cfhGesCount;
};
struct TGestureItem {
  char giName[16];
  int32_t giAddress;
  uint8_t giEnableReturn;
};
#pragma pack(pop)
static_assert(sizeof(TCharFileHeader) == 54, "character header is 54 bytes");
static_assert(sizeof(TGestureItem) == 21, "gesture item is 21 bytes");

constexpr int32_t kCharVersion1 = 0x10000, kCharVersion2 = 0x20000;
constexpr int32_t kCharMaxDimension = 16384;
constexpr int kCharNameLength = 15;  // characters of a name before its terminating zero

// A name field as text: at most 15 characters, whatever the 16 stored bytes hold.
std::string CharName(const char (&field)[16]);
// Case-insensitive comparison of gesture names (ASCII letters).
bool SameCharName(const std::string& a, const std::string& b);
// A name as a script may give it, cut to what a name field holds.
std::string CutCharName(const std::string& name);

// Reads and checks the header and the items; false when the file is not a character file
// (identifier, version, stored size against the real size, dimension 1..16384, items inside).
bool ReadCharHeader(TStream* stream, TCharFileHeader& header, std::vector<TGestureItem>& items);

// A gesture as stored, read in full.
struct TCharFrameData {
  int32_t During = 0, Dx = 0, Dy = 0;
  std::unique_ptr<TDibBaseObj> Dib;  // 8-bit (or 24-bit) image with its alpha companion
};
struct TCharGestureData {
  uint8_t Style = 0;
  std::string PrevGes, NextGes;
  std::vector<TCharFrameData> Frames;
  std::vector<uint8_t> Sound;  // the wave image; empty when absent or not a sound wave
  uint32_t StoredSoundSize = 0;
};
// Reads the gesture at Address, checking it against the stream's current size; false (and
// Data untouched in meaning) when anything lies outside the file or is not an image.
bool ReadCharGesture(TStream* stream, int64_t Address, TCharGestureData& Data);

// True when Bytes (Size of them) are a RIFF wave image whose RIFF size, "fmt " and "data"
// chunks lie inside Size.
bool CheckWaveImage(const uint8_t* Bytes, uint64_t Size);

// What the writer stores.
struct TCharFrameSource {
  TDibBaseObj* Dib = nullptr;  // 8- or 24-bit, alpha companion optional
  int32_t During = 1, Dx = 0, Dy = 0;
};
struct TCharGestureSource {
  std::string Name, PrevGes, NextGes;
  uint8_t Style = 0;
  bool EnableReturn = false;
  std::vector<TCharFrameSource> Frames;
  std::vector<uint8_t> Sound;
};
// Builds a whole character file in memory; false (with a reason in Error) for a name longer
// than 15 characters, a gesture without frames, no image, a dimension outside 1..16384, more
// than 65535 gestures or a file over 2 GiB.
bool BuildCharacterFile(const std::string& Name, int32_t Width, int32_t Height,
                        const std::vector<TCharGestureSource>& Gestures,
                        std::vector<uint8_t>& Bytes, std::string& Error);
bool WriteCharacterFile(const ZChar* FileName, const std::string& Name, int32_t Width,
                        int32_t Height, const std::vector<TCharGestureSource>& Gestures,
                        std::string& Error);

}  // namespace zkw
