// DIB library files: many numbered images behind one header with a table of entries. Six
// layouts are read: versions 0 and 1 (raw packed-DIB entries), 2, 3 and 5 (DEX records) and
// the 2712-byte layout with signature 0xADB5 that CreateArrayDibFile writes (raw entries).
// Readers work on streams so that libraries can be read from memory; the file-name functions
// open the file and call them.
#pragma once
#include <cstdint>
#include <vector>

#include "base/text16.h"
#include "common/byte_stream.h"
#include "platform/plat_types.h"

namespace zkw {

class TRowBitmap;

enum class TDibLibLayout : int32_t { dlV0, dlV1, dlV2, dlV3, dlV5, dlArray };

struct TDibLibEntry {
  uint32_t Offset = 0;  // absolute file position of the entry's data
  uint32_t Size = 0;    // bytes of the entry's data
  uint8_t Kind = 0;     // 1 when the DEX record has an alpha part
};

struct TDibLibHeader {
  TDibLibLayout Layout = TDibLibLayout::dlV5;
  uint32_t Signature = 0;
  uint16_t HeaderSizeField = 0;  // versions 3 and 5 and the 2712-byte layout; 0 otherwise
  uint32_t TotalSize = 0;        // must equal the file size
  uint16_t Count = 0;            // as stored: may exceed the table
  std::vector<TDibLibEntry> Table;  // every slot of the layout

  // Bytes of the layout's header (410, 1610, 1810, 2712 or 9012).
  uint32_t HeaderSize() const;
  // Slots of the layout's table (50, 200, 300 or 1000).
  uint32_t Slots() const;
  // True when entries are packed-DIB blocks rather than DEX records.
  bool RawEntries() const;
  // True when a version 3 or 5 header-size field holds its version's header size.
  bool HeaderSizeMatches() const;
  // The header as stored.
  std::vector<uint8_t> Bytes() const;
};

constexpr uint32_t kDibLibSignatureV5 = 0xADB5;
constexpr uint32_t kDibLibHeaderSizeV5 = 9012;
constexpr uint32_t kDibLibHeaderSizeArray = 2712;
// No entry read from a library may claim more than this.
constexpr uint64_t kDibLibEntryCeiling = 256ull << 20;

// Reads the header at the start of the stream; false (with the reason) for an unknown
// signature or a stream shorter than the layout's header.
bool ReadDibLibHeader(TStream& lib, TDibLibHeader& header);

// --- Readers on streams ----------------------------------------------------------------------
// Known signature, total size = stream size, the header present whole and, for versions 3
// and 5, the header-size field right.
bool ValidDibLib(TStream& lib);
// The stored entry count of a known signature (even above the table's size); 0 otherwise.
int32_t LibDibCount(TStream& lib);
// Reads entry Index (1-based). Result: the DEX bits per pixel for DEX entries, 8 for versions
// 0 and 1, the block's bits per pixel for the 2712-byte layout; 0 (both blocks 0) on failure.
// `objectBits`, when given, receives the depth of the image the blocks hold (the block's own
// bit count for raw entries).
uint32_t GetDibFromLib(TStream& lib, int32_t Index, plat::HGLOBAL* image, plat::HGLOBAL* alpha,
                       uint32_t* objectBits = nullptr);
// The image block of entry Index; also requires the header-size field of versions 3 and 5.
plat::HGLOBAL GetDibBitmap(TStream& lib, int32_t Index);
// Writes entry Index as a BMP file at the start of `out`. A DEX entry with raw parts is
// copied as stored; other entries are decoded and written as SaveDibToBitmap writes them.
bool GetDibToStream(TStream& out, TStream& lib, int32_t Index);
// Loads entry Index into the bitmap through its BMP reader; false when it cannot be loaded.
bool GetDibToBitmap(TRowBitmap& bitmap, TStream& lib, int32_t Index);

// --- The same on files -----------------------------------------------------------------------
bool ValidDibLib(const ZChar* name);
int32_t LibDibCount(const ZChar* name);
uint32_t GetDibFromLib(const ZChar* name, int32_t Index, plat::HGLOBAL* image,
                       plat::HGLOBAL* alpha, uint32_t* objectBits = nullptr);
plat::HGLOBAL GetDibBitmap(const ZChar* name, int32_t Index);
bool GetDibToStream(TStream& out, const ZChar* name, int32_t Index);
bool GetDibToBitmap(TRowBitmap& bitmap, const ZChar* name, int32_t Index);

// --- Writers (results: all bits set for true, 0 otherwise) -----------------------------------
constexpr uint32_t kDibLibTrue = 0xFFFFFFFFu;
// Appends a DEX file with raw parts to a valid version-5 library with a free slot.
uint32_t AddDEXFile(const ZChar* dexName, const ZChar* libName);
// Appends a DEX record (compressed or raw parts) to a valid version-5 library with a free slot.
uint32_t AddDexRecord(const std::vector<uint8_t>& record, const ZChar* libName);
// Appends a BMP file: its packed DIB as a raw entry to the 2712-byte layout, or as a DEX
// record with raw parts to a version-5 library. Anything else is refused.
uint32_t AddDibFile(const ZChar* bmpName, const ZChar* libName);
// Writes a 2712-byte-layout library of the BMP files a list file names (one per line; UTF-16
// or UTF-8 with a byte-order mark, else the 8-bit code page). Names that do not load are
// skipped; more than 300 images fail. The library replaces libName only when complete.
uint32_t CreateArrayDibFile(const ZChar* listName, const ZChar* libName);
// Writes an empty version-5 library.
bool CreateDibLibrary(const ZChar* name);
// The names of a list file's bytes, empty lines left out.
std::vector<ZString> ListFileNames(const std::vector<uint8_t>& bytes);

}  // namespace zkw
