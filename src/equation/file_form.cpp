// The equation file: "ISCEquation" header, the font record and the row in the stream form.
#include <cstring>
#include <vector>

#include "base/last_error.h"
#include "common/byte_stream.h"
#include "equation/binary_form.h"
#include "equation/equation.h"
#include "equation/equation_defaults.h"
#include "platform/plat.h"

namespace zkw {

namespace {

constexpr char kSignature[12] = "ISCEquation";
constexpr size_t kHeaderSize = 26;
constexpr size_t kTotalSizeOffset = 18;

bool Refuse(const std::string& reason) {
  SetLastErrorText(reason);
  return false;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); }

}  // namespace

bool TEquation::SaveToFile(const ZChar* Filename) {
  if (!Filename || !*Filename) return Refuse("no equation file name");
  const int64_t total = int64_t{kHeaderSize} + DataSize();
  if (total > INT32_MAX) return Refuse("the equation takes " + std::to_string(total) + " bytes, more than a file holds");
  TMemoryStream memory;
  std::vector<uint8_t>& bytes = memory.Bytes();
  bytes.assign(kHeaderSize, 0);
  std::memcpy(bytes.data(), kSignature, sizeof kSignature);
  PutU32(bytes, 12, static_cast<uint32_t>(kEquationVersion2));
  const uint16_t count = static_cast<uint16_t>(Count());
  std::memcpy(&bytes[16], &count, 2);
  PutU32(bytes, kTotalSizeOffset, static_cast<uint32_t>(total));
  memory.Seek(0, SeekOrigin::soEnd);
  memory.Write(&FFontID, sizeof FFontID);
  if (!Write(memory)) return Refuse("the equation could not be written to memory");

  // Written beside the target and renamed over it, so that a failure leaves no partial file.
  ZString temporary = ZString(Filename);
  for (char c : std::string(".zkwtmp")) temporary += static_cast<ZChar>(c);
  bool ok;
  {
    TFileStream file(temporary.c_str(), FileMode::fmCreate);
    if (!file.IsOpen()) return Refuse("equation file \"" + ToUtf8(Filename) + "\" cannot be created");
    ok = file.Write(bytes.data(), static_cast<int32_t>(bytes.size())) == static_cast<int32_t>(bytes.size());
  }
  if (ok) ok = plat::MoveFileExW(temporary.c_str(), Filename, plat::MOVEFILE_REPLACE_EXISTING) != 0;
  if (!ok) {
    plat::DeleteFileW(temporary.c_str());
    return Refuse("equation file \"" + ToUtf8(Filename) + "\" could not be written");
  }
  return true;
}

bool TEquation::LoadFromFile(const ZChar* Filename) {
  if (!Filename) return Refuse("no equation file name");
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(Filename, bytes)) return Refuse("equation file \"" + ToUtf8(Filename) + "\" cannot be read");
  if (bytes.size() <= kHeaderSize)
    return Refuse("equation file of " + std::to_string(bytes.size()) + " bytes is too short for its 26-byte header");
  if (std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0)
    return Refuse("the file does not begin with \"ISCEquation\"");
  uint32_t total;
  std::memcpy(&total, &bytes[kTotalSizeOffset], 4);
  if (total != bytes.size())
    return Refuse("equation file states " + std::to_string(total) + " bytes but has " + std::to_string(bytes.size()));
  if (bytes.size() < kHeaderSize + sizeof(TFontID))
    return Refuse("equation file of " + std::to_string(bytes.size()) + " bytes ends inside its font record");
  TFontID stored;
  std::memcpy(&stored, &bytes[kHeaderSize], sizeof stored);
  const size_t start = kHeaderSize + sizeof stored;
  TBinaryReader r(bytes.data() + start, bytes.size() - start, TEqForm::efStream);
  r.SetOffset(static_cast<int64_t>(start));
  if (!ReadReplacing(r)) return false;
  SetFontID(SanitizedFontID(stored));
  return true;
}

}  // namespace zkw
