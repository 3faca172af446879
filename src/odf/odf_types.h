// Records of table, memo and index files: little-endian, packed, as they lie in the files.
#pragma once
#include <cstdint>

namespace zkw {

#pragma pack(push, 1)
// Current header form (first 4 bytes 0x30000), 126 bytes.
struct TODFHeader {
  int32_t hdVersion;
  int32_t hdDatabaseVersion;
  uint16_t hdStructSize;
  int32_t hdfDeleteds;
  uint16_t hdfReserved;
  int32_t hdfRecNum;
  uint16_t hdfOffset;
  uint16_t hdfRecSize;
  uint8_t hdfHasMemo;
  char hdfDescription[101];
};
static_assert(sizeof(TODFHeader) == 126);

// The two older forms share this 28-byte layout; the oldest keeps a 17-byte signature in
// bytes 0..16 instead of the code and the deleted count.
struct TODFHeaderV2 {
  char hdfCode[13];
  int32_t hdfDeleteds;
  uint16_t hdfReserved;
  int32_t hdfRecNum;
  uint16_t hdfOffset;
  uint16_t hdfRecSize;
  uint8_t hdfHasMemo;
};
static_assert(sizeof(TODFHeaderV2) == 28);

struct TODFField {
  char ofName[11];
  uint8_t ofType;
  int32_t ofPosition;
  uint8_t ofLength;
  uint8_t ofDecimal;
};
static_assert(sizeof(TODFField) == 18);

struct TMemoField {
  uint8_t mfStyle;
  uint8_t mfReserved;
  int32_t mfPosition;
  int32_t mfSize;
};
static_assert(sizeof(TMemoField) == 10);

struct TODFDate {
  int16_t Year;
  uint8_t Month;
  uint8_t Day;
};
static_assert(sizeof(TODFDate) == 4);

struct TIndexInfo {
  int32_t idxVersion;
  char idxFieldName[11];
  int32_t idxCount;
  uint8_t idxCaseSensitive;
  uint8_t idxAdvanced;
  uint8_t idxReserved1;
  uint8_t idxReserved2;
};
static_assert(sizeof(TIndexInfo) == 23);
#pragma pack(pop)

constexpr int32_t kODFVersion3 = 0x30000;
constexpr int32_t kIndexVersion3 = 0x30000;
constexpr int32_t kIndexVersion2 = 0x20000;
constexpr int32_t kOldIndexHeaderSize = 15;
constexpr const char* kSignatureV2 = "Korvanel DBF";
constexpr const char* kSignatureOld = "HG Database File";
constexpr int32_t kMemoHeaderSize = 58;
constexpr int32_t kMemoBlockHeader = 12;
constexpr const char* kMemoSignature = "Memo File. Signature - 2000 Orvan Quillsby";

// Header forms as the table remembers them (to write back in the same form).
enum class THeaderForm : uint8_t { hfCurrent, hfKorvanel, hfOldest };

// Field type codes.
enum TODFFieldType : uint8_t {
  ftString = 0, ftChar = 1, ftByte = 2, ftWord = 3, ftShort = 4, ftLong = 5, ftReal = 6,
  ftLogical = 7, ftDate = 8, ftMemo = 9, ftExtended = 10, ftUnicode = 11
};
// Bytes a field of a type needs at least (string 1, Unicode 2); 0 for unknown types.
int32_t MinimumFieldLength(uint8_t Type);
// Fixed size of a type, or 0 for the types whose length is declared (string, Unicode, unknown).
int32_t FixedFieldLength(uint8_t Type);

// Memo data kinds.
enum TMemoStyle : uint8_t {
  msNone = 0, msText = 1, msFormatted = 2, msBitmap = 3, msDataFile = 4, msJpeg = 5, msUser = 6,
  msUnicodeText = 7, msWave = 8, msDex = 9, msCompressedFormatted = 10, msCompressedUnicode = 11
};

}  // namespace zkw
