// Writing DIB library files: empty version-5 libraries, appended DEX and BMP files, and the
// 2712-byte-layout libraries made from list files. A writer refuses anything but a valid
// library with a free slot, and a refused or failed append leaves the file as it was.
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/last_error.h"
#include "imagefiles/bmp_file.h"
#include "imagefiles/dex.h"
#include "imagefiles/dib_library.h"
#include "imagefiles/memory_block.h"
#include "platform/plat.h"
#include "text/ansi_text.h"

namespace zkw {

namespace {

TDibLibHeader EmptyHeader(TDibLibLayout layout, uint32_t size) {
  TDibLibHeader header;
  header.Layout = layout;
  header.Signature = kDibLibSignatureV5;
  header.HeaderSizeField = static_cast<uint16_t>(size);
  header.TotalSize = size;
  header.Table.assign(header.Slots(), TDibLibEntry{});
  return header;
}

bool WriteHeader(TStream& lib, const TDibLibHeader& header) {
  std::vector<uint8_t> bytes = header.Bytes();
  return lib.Seek(0, SeekOrigin::soBeginning) == 0 &&
         lib.WriteExact(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// Opens the library for appending: a valid library (total size = file size, right header
// size) with a free slot. False with the reason otherwise.
bool OpenForAppend(TFileStream& lib, const ZChar* name, TDibLibHeader& header) {
  if (!lib.IsOpen()) {
    SetLastErrorText("cannot open \"" + ToUtf8(name) + "\" for writing");
    return false;
  }
  if (!ValidDibLib(lib) || !ReadDibLibHeader(lib, header)) return false;
  if (header.Count >= header.Slots()) {
    SetLastErrorText("DIB library is full (" + std::to_string(header.Count) + " entries, " +
                     std::to_string(header.Slots()) + " slots)");
    return false;
  }
  return true;
}

// Appends one entry's bytes and rewrites the header; on a failed write the file is cut back
// and its old header written again.
uint32_t AppendEntry(TFileStream& lib, TDibLibHeader& header, const std::vector<uint8_t>& data,
                     uint8_t kind) {
  uint32_t oldSize = header.TotalSize;
  if (data.empty() || data.size() > UINT32_MAX - oldSize || data.size() > INT32_MAX) {
    SetLastErrorText("an entry of " + std::to_string(data.size()) + " bytes does not fit the library");
    return 0;
  }
  TDibLibHeader grown = header;
  grown.Table[header.Count] = {oldSize, static_cast<uint32_t>(data.size()), kind};
  grown.Count = static_cast<uint16_t>(header.Count + 1);
  grown.TotalSize = oldSize + static_cast<uint32_t>(data.size());
  bool written = lib.Seek(oldSize, SeekOrigin::soBeginning) == oldSize &&
                 lib.WriteExact(data.data(), static_cast<int32_t>(data.size())) &&
                 WriteHeader(lib, grown);
  if (!written) {
    lib.Truncate(oldSize);
    WriteHeader(lib, header);
    SetLastErrorText("the library could not be written; it was left as it was");
    return 0;
  }
  header = grown;
  return kDibLibTrue;
}

// A DEX file AddDEXFile accepts: raw parts, its own length declared, parts inside it.
bool DexFileAccepted(const std::vector<uint8_t>& bytes, const ZChar* name, uint8_t& kind) {
  TDexHeader dex;
  if (bytes.size() < sizeof dex) {
    SetLastErrorText("\"" + ToUtf8(name) + "\" is shorter than a DEX header");
    return false;
  }
  std::memcpy(&dex, bytes.data(), sizeof dex);
  std::string fault;
  if (dex.Signature != kDexSignature || dex.HeaderSize != 24)
    fault = "is not a DEX file";
  else if (dex.Version != kDexVersionRaw)
    fault = "has compressed parts; only DEX files with raw parts are added";
  else if (dex.TotalSize != bytes.size())
    fault = "declares " + std::to_string(dex.TotalSize) + " bytes but has " +
            std::to_string(bytes.size());
  else if (dex.AlphaSize < 0 ||
           uint64_t{dex.ImageSize} + static_cast<uint32_t>(dex.AlphaSize) > bytes.size() - 24)
    fault = "has parts that run past its end";
  if (!fault.empty()) {
    SetLastErrorText("\"" + ToUtf8(name) + "\" " + fault);
    return false;
  }
  kind = dex.AlphaSize > 0 ? 1 : 0;
  return true;
}

// The entry AddDibFile appends for a BMP file: the packed DIB as stored for the 2712-byte
// layout, a DEX record with raw parts of the library's image form for version 5.
bool BmpEntry(const std::vector<uint8_t>& bmp, const ZChar* name, TDibLibLayout layout,
              std::vector<uint8_t>& entry) {
  if (!BmpFileHeaderValid(bmp.data(), bmp.size()) || bmp.size() < 14 + 40) {
    SetLastErrorText("\"" + ToUtf8(name) + "\" is not a BMP file that declares its own length");
    return false;
  }
  if (layout == TDibLibLayout::dlArray) {
    entry.assign(bmp.begin() + 14, bmp.end());
    return true;
  }
  plat::HGLOBAL block = LoadDIBFromBytes(bmp.data(), bmp.size());
  if (!block) return false;
  bool built = BuildDexRecord(block, nullptr, false, entry);
  plat::GlobalFree(block);
  return built;
}

// The file name of the temporary library written beside the target.
ZString TemporaryName(const ZChar* libName) {
  ZString name(libName);
  for (char c : std::string(".part")) name.push_back(static_cast<ZChar>(c));
  return name;
}

}  // namespace

bool CreateDibLibrary(const ZChar* name) {
  TFileStream file(name, FileMode::fmCreate);
  if (!file.IsOpen()) {
    SetLastErrorText("cannot create \"" + ToUtf8(name) + "\"");
    return false;
  }
  if (!WriteHeader(file, EmptyHeader(TDibLibLayout::dlV5, kDibLibHeaderSizeV5))) {
    SetLastErrorText("cannot write \"" + ToUtf8(name) + "\"");
    return false;
  }
  return true;
}

namespace {

// Appends a record already checked to a version-5 library.
uint32_t AppendToVersion5(const std::vector<uint8_t>& record, uint8_t kind, const ZChar* libName) {
  TFileStream lib(libName, FileMode::fmOpenReadWrite);
  TDibLibHeader header;
  if (!OpenForAppend(lib, libName, header)) return 0;
  if (header.Layout != TDibLibLayout::dlV5) {
    SetLastErrorText("DEX records are added only to version-5 libraries");
    return 0;
  }
  return AppendEntry(lib, header, record, kind);
}

}  // namespace

uint32_t AddDEXFile(const ZChar* dexName, const ZChar* libName) {
  std::vector<uint8_t> dex;
  uint8_t kind = 0;
  if (!ReadWholeFile(dexName, dex)) {
    SetLastErrorText("cannot read \"" + ToUtf8(dexName) + "\"");
    return 0;
  }
  if (!DexFileAccepted(dex, dexName, kind)) return 0;
  return AppendToVersion5(dex, kind, libName);
}

uint32_t AddDexRecord(const std::vector<uint8_t>& record, const ZChar* libName) {
  TMemoryStream stream(record);
  plat::HGLOBAL image = nullptr, alpha = nullptr;
  if (!LoadDibExFromStream(&stream, &image, &alpha)) return 0;
  uint8_t kind = alpha ? 1 : 0;
  plat::GlobalFree(image);
  if (alpha) plat::GlobalFree(alpha);
  if (stream.Position() != static_cast<int64_t>(record.size())) {
    SetLastErrorText("the DEX record is followed by other bytes");
    return 0;
  }
  return AppendToVersion5(record, kind, libName);
}

uint32_t AddDibFile(const ZChar* bmpName, const ZChar* libName) {
  TFileStream lib(libName, FileMode::fmOpenReadWrite);
  TDibLibHeader header;
  if (!OpenForAppend(lib, libName, header)) return 0;
  if (header.Layout != TDibLibLayout::dlArray && header.Layout != TDibLibLayout::dlV5) {
    SetLastErrorText("BMP files are added only to version-5 and 2712-byte 0xADB5 libraries");
    return 0;
  }
  std::vector<uint8_t> bmp, entry;
  if (!ReadWholeFile(bmpName, bmp)) {
    SetLastErrorText("cannot read \"" + ToUtf8(bmpName) + "\"");
    return 0;
  }
  if (!BmpEntry(bmp, bmpName, header.Layout, entry)) return 0;
  return AppendEntry(lib, header, entry, 0);
}

std::vector<ZString> ListFileNames(const std::vector<uint8_t>& bytes) {
  ZString text;
  size_t n = bytes.size();
  bool le = n >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  bool be = n >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
  if (le || be) {
    for (size_t i = 2; i + 1 < n; i += 2)
      text.push_back(static_cast<ZChar>(le ? bytes[i] | bytes[i + 1] << 8
                                           : bytes[i] << 8 | bytes[i + 1]));
  } else if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    text = FromUtf8(std::string(bytes.begin() + 3, bytes.end()));
  } else {
    text = FromAnsi(std::string_view(reinterpret_cast<const char*>(bytes.data()), n));
  }
  std::vector<ZString> names;
  ZString line;
  for (ZChar c : text) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) names.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) names.push_back(line);
  return names;
}

uint32_t CreateArrayDibFile(const ZChar* listName, const ZChar* libName) {
  std::vector<uint8_t> list;
  if (!ReadWholeFile(listName, list)) {
    SetLastErrorText("cannot read the list file \"" + ToUtf8(listName) + "\"");
    return 0;
  }
  const ZString temporary = TemporaryName(libName);
  TDibLibHeader header = EmptyHeader(TDibLibLayout::dlArray, kDibLibHeaderSizeArray);
  std::string failure;
  {
    TFileStream lib(temporary.c_str(), FileMode::fmCreate);
    if (!lib.IsOpen() || !WriteHeader(lib, header)) {
      SetLastErrorText("cannot create \"" + ToUtf8(temporary) + "\"");
      return 0;
    }
    for (const ZString& name : ListFileNames(list)) {
      plat::HGLOBAL block = LoadDIBFile(name.c_str());
      if (!block) continue;  // names that do not load are skipped
      {
        LockedBlock locked(block);
        uint64_t size = locked.Size();
        if (header.Count >= header.Slots()) {
          failure = "the list names more than " + std::to_string(header.Slots()) + " images";
        } else if (size > INT32_MAX || size > UINT32_MAX - header.TotalSize) {
          failure = "the library would pass 4 GiB at \"" + ToUtf8(name) + "\"";
        } else if (!lib.WriteExact(locked.Data(), static_cast<int32_t>(size))) {
          failure = "cannot write \"" + ToUtf8(temporary) + "\"";
        } else {
          header.Table[header.Count++] = {header.TotalSize, static_cast<uint32_t>(size), 0};
          header.TotalSize += static_cast<uint32_t>(size);
        }
      }
      plat::GlobalFree(block);
      if (!failure.empty()) break;
    }
    if (failure.empty() && !WriteHeader(lib, header))
      failure = "cannot write \"" + ToUtf8(temporary) + "\"";
  }
  if (failure.empty() &&
      !plat::MoveFileExW(temporary.c_str(), libName, plat::MOVEFILE_REPLACE_EXISTING))
    failure = "cannot replace \"" + ToUtf8(libName) + "\"";
  if (!failure.empty()) {
    plat::DeleteFileW(temporary.c_str());
    SetLastErrorText(failure);
    return 0;
  }
  return kDibLibTrue;
}

}  // namespace zkw
