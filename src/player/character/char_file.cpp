// Reading and writing character files.
#include "player/character/char_file.h"

#include <cstring>

#include "dib/dib_factory.h"
#include "dib/dib8.h"
#include "imagefiles/dex.h"
#include "platform/plat.h"

namespace zkw {

namespace {

constexpr char kCharIdentifier[] = "DibCharacter";

template <typename T>
bool ReadValue(TStream* stream, T& value) {
  return stream->ReadExact(&value, static_cast<int32_t>(sizeof(T)));
}

void PutName(char (&field)[16], const std::string& name) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, name.data(), name.size() < 16 ? name.size() : 15);
}

template <typename T>
void Append(std::vector<uint8_t>& out, const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), p, p + sizeof(T));
}

// Reads one frame's DEX record after checking its parts lie inside the stream.
std::unique_ptr<TDibBaseObj> ReadFrameImage(TStream* stream) {
  TDexHeader dex;
  const int64_t start = stream->Position();
  if (!ReadValue(stream, dex)) return nullptr;
  if (dex.Signature != kDexSignature || dex.HeaderSize != 24) return nullptr;
  if (dex.BitCount != 8 && dex.BitCount != 24) return nullptr;
  const uint64_t alpha = dex.AlphaSize > 0 ? static_cast<uint64_t>(dex.AlphaSize) : 0;
  if (uint64_t{dex.ImageSize} + alpha > static_cast<uint64_t>(stream->Size() - stream->Position()))
    return nullptr;
  stream->Seek(start, SeekOrigin::soBeginning);
  plat::HGLOBAL image = nullptr, alphaBlock = nullptr;
  const uint32_t bits = LoadDibExFromStream(stream, &image, &alphaBlock);
  if (bits != 8 && bits != 24) {
    if (image) plat::GlobalFree(image);
    if (alphaBlock) plat::GlobalFree(alphaBlock);
    return nullptr;
  }
  std::unique_ptr<TDibBaseObj> dib(CreateDibObject(static_cast<uint8_t>(bits)));
  if (!dib->TakeFileBlocks(reinterpret_cast<THandle>(image), reinterpret_cast<THandle>(alphaBlock)))
    return nullptr;
  if (dib->Width() <= 0 || dib->Height() <= 0 || dib->Bits() * 8 != bits) return nullptr;
  // An alpha companion that does not match the image is dropped rather than read out of range.
  if (dib->AlphaDib &&
      (dib->AlphaDib->Width() != dib->Width() || dib->AlphaDib->Height() != dib->Height()))
    dib->FreeAlpha();
  return dib;
}

bool FindChunk(const uint8_t* bytes, uint64_t size, const char* id, uint64_t& at, uint64_t& length) {
  uint64_t pos = 12;
  while (pos + 8 <= size) {
    uint32_t chunk;
    std::memcpy(&chunk, bytes + pos + 4, 4);
    if (std::memcmp(bytes + pos, id, 4) == 0) {
      if (pos + 8 + chunk > size) return false;
      at = pos + 8;
      length = chunk;
      return true;
    }
    pos += 8 + uint64_t{chunk} + (chunk & 1);
  }
  return false;
}

}  // namespace

std::string CharName(const char (&field)[16]) {
  size_t n = 0;
  while (n < kCharNameLength && field[n]) ++n;
  return std::string(field, n);
}

bool SameCharName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string CutCharName(const std::string& name) {
  const size_t zero = name.find('\0');
  std::string cut = name.substr(0, zero);
  return cut.size() > kCharNameLength ? cut.substr(0, kCharNameLength) : cut;
}

bool ReadCharHeader(TStream* stream, TCharFileHeader& header, std::vector<TGestureItem>& items) {
  items.clear();
  const int64_t size = stream->Size();
  stream->Seek(0, SeekOrigin::soBeginning);
  if (!ReadValue(stream, header)) return false;
  header.cfhIdentifier[15] = 0;
  header.cfhName[15] = 0;
  if (std::strcmp(header.cfhIdentifier, kCharIdentifier) != 0) return false;
  if (header.cfhVersion != kCharVersion1 && header.cfhVersion != kCharVersion2) return false;
  if (int64_t{header.cfhFilesize} != size) return false;
  for (int32_t d : header.cfhDimension)
    if (d < 1 || d > kCharMaxDimension) return false;
  if (54 + int64_t{header.cfhGesCount} * 21 > size) return false;
  items.resize(header.cfhGesCount);
  for (TGestureItem& item : items) {
    if (!ReadValue(stream, item)) return false;
    item.giName[15] = 0;
  }
  return true;
}

bool ReadCharGesture(TStream* stream, int64_t Address, TCharGestureData& Data) {
  const int64_t size = stream->Size();
  // Style, two names and the frame count come first.
  if (Address < 54 || Address + 35 > size) return false;
  stream->Seek(Address, SeekOrigin::soBeginning);
  char prev[16], next[16];
  int16_t count;
  if (!ReadValue(stream, Data.Style) || !ReadValue(stream, prev) || !ReadValue(stream, next) ||
      !ReadValue(stream, count))
    return false;
  if (count < 1 || int64_t{count} * 12 + 4 > size - stream->Position()) return false;
  Data.PrevGes = CharName(prev);
  Data.NextGes = CharName(next);
  Data.Frames.clear();
  Data.Frames.reserve(static_cast<size_t>(count));
  for (int16_t i = 0; i < count; ++i) {
    TCharFrameData frame;
    if (!ReadValue(stream, frame.During) || !ReadValue(stream, frame.Dx) ||
        !ReadValue(stream, frame.Dy))
      return false;
    frame.Dib = ReadFrameImage(stream);
    if (!frame.Dib) return false;
    Data.Frames.push_back(std::move(frame));
  }
  int32_t sound;
  if (!ReadValue(stream, sound) || sound < 0 || sound > size - stream->Position()) return false;
  Data.StoredSoundSize = static_cast<uint32_t>(sound);
  Data.Sound.assign(static_cast<size_t>(sound), 0);
  if (sound > 0 && !stream->ReadExact(Data.Sound.data(), sound)) return false;
  if (!CheckWaveImage(Data.Sound.data(), Data.Sound.size())) Data.Sound.clear();
  return true;
}

bool CheckWaveImage(const uint8_t* Bytes, uint64_t Size) {
  if (!Bytes || Size < 12) return false;
  if (std::memcmp(Bytes, "RIFF", 4) != 0 || std::memcmp(Bytes + 8, "WAVE", 4) != 0) return false;
  uint32_t riff;
  std::memcpy(&riff, Bytes + 4, 4);
  if (uint64_t{riff} + 8 > Size || riff < 4) return false;
  const uint64_t limit = uint64_t{riff} + 8;
  uint64_t fmtAt, fmtLength, dataAt, dataLength;
  if (!FindChunk(Bytes, limit, "fmt ", fmtAt, fmtLength) || fmtLength < 16) return false;
  return FindChunk(Bytes, limit, "data", dataAt, dataLength);
}

bool BuildCharacterFile(const std::string& Name, int32_t Width, int32_t Height,
                        const std::vector<TCharGestureSource>& Gestures,
                        std::vector<uint8_t>& Bytes, std::string& Error) {
  Bytes.clear();
  if (Name.size() > kCharNameLength) return Error = "the character name is longer than 15 characters", false;
  if (Width < 1 || Width > kCharMaxDimension || Height < 1 || Height > kCharMaxDimension)
    return Error = "the dimension must be 1 to 16384", false;
  if (Gestures.size() > 65535) return Error = "more than 65535 gestures", false;
  std::vector<uint8_t> body;
  std::vector<TGestureItem> items(Gestures.size());
  const uint64_t bodyStart = 54 + 21 * uint64_t{Gestures.size()};
  for (size_t g = 0; g < Gestures.size(); ++g) {
    const TCharGestureSource& ges = Gestures[g];
    if (ges.Name.empty() || ges.Name.size() > kCharNameLength || ges.PrevGes.size() > kCharNameLength ||
        ges.NextGes.size() > kCharNameLength)
      return Error = "gesture names must be 1 to 15 characters: " + ges.Name, false;
    if (ges.Frames.empty() || ges.Frames.size() > 32767)
      return Error = "gesture " + ges.Name + " needs 1 to 32767 frames", false;
    if (ges.Style > 2) return Error = "gesture " + ges.Name + " has a style other than 0, 1, 2", false;
    PutName(items[g].giName, ges.Name);
    items[g].giAddress = static_cast<int32_t>(bodyStart + body.size());
    items[g].giEnableReturn = ges.EnableReturn ? 1 : 0;
    body.push_back(ges.Style);
    TGestureItem names{};
    PutName(names.giName, ges.PrevGes);
    body.insert(body.end(), names.giName, names.giName + 16);
    PutName(names.giName, ges.NextGes);
    body.insert(body.end(), names.giName, names.giName + 16);
    Append(body, static_cast<int16_t>(ges.Frames.size()));
    for (const TCharFrameSource& frame : ges.Frames) {
      if (!frame.Dib || !frame.Dib->Handle())
        return Error = "gesture " + ges.Name + " has a frame without an image", false;
      Append(body, frame.During);
      Append(body, frame.Dx);
      Append(body, frame.Dy);
      std::vector<uint8_t> record;
      const auto alpha = frame.Dib->AlphaDib ? frame.Dib->AlphaDib->Handle() : THandle{0};
      if (!BuildDexRecord(reinterpret_cast<plat::HGLOBAL>(frame.Dib->Handle()),
                          reinterpret_cast<plat::HGLOBAL>(alpha), true, record))
        return Error = "gesture " + ges.Name + " has a frame that is not an image", false;
      body.insert(body.end(), record.begin(), record.end());
    }
    Append(body, static_cast<int32_t>(ges.Sound.size()));
    body.insert(body.end(), ges.Sound.begin(), ges.Sound.end());
    if (bodyStart + body.size() > 0x7FFFFFFFu) return Error = "the file would pass 2 GiB", false;
  }
  TCharFileHeader header{};
  PutName(header.cfhIdentifier, kCharIdentifier);
  header.cfhVersion = kCharVersion2;
  PutName(header.cfhName, Name);
  header.cfhFilesize = static_cast<int32_t>(bodyStart + body.size());
  header.cfhDimension[0] = Width;
  header.cfhDimension[1] = Height;
  header.cfhOffset = static_cast<int32_t>(bodyStart);
  header.cfhGesCount = static_cast<uint16_t>(Gestures.size());
  Append(Bytes, header);
  for (const TGestureItem& item : items) Append(Bytes, item);
  Bytes.insert(Bytes.end(), body.begin(), body.end());
  return true;
}

bool WriteCharacterFile(const ZChar* FileName, const std::string& Name, int32_t Width,
                        int32_t Height, const std::vector<TCharGestureSource>& Gestures,
                        std::string& Error) {
  std::vector<uint8_t> bytes;
  if (!BuildCharacterFile(Name, Width, Height, Gestures, bytes, Error)) return false;
  TFileStream file(FileName, FileMode::fmCreate);
  if (!file.IsOpen()) return Error = "the file cannot be created", false;
  if (file.Write(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size()))
    return Error = "the file cannot be written", false;
  return true;
}

}  // namespace zkw
