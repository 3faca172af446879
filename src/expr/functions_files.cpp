// Files (codes 93-110). A file handle is a TFileStream and a search handle a TSearchRecord, both
// kept in the handle registry; numbers that are not live handles of the right kind are refused.
// Path names are scene text (decoded), except the search pattern, which is raw 8-bit text.
#include <algorithm>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include "common/byte_stream.h"
#include "expr/functions_support.h"
#include "expr/handles.h"
#include "platform/plat.h"
#include "player/scene/dib_animator.h"

namespace zkw {

namespace {

bool gFileAccess = true;

// Largest byte or unit count one read or text write takes on.
constexpr int64_t kMaxTransfer = static_cast<int64_t>(kMaxResultUnits);

TFileStream* FileOf(long double Number) {
  return FindHandle<TFileStream>(THandleKind::hkFile, RoundInt(Number));
}

TSearchRecord* SearchOf(long double Number) {
  auto* rec = FindHandle<TSearchRecord>(THandleKind::hkSearch, RoundInt(Number));
  return rec && rec->Marker == kSearchMarker ? rec : nullptr;
}

// Tells the scene's host that a write failed (error code 3).
void RaiseWriteError(const TProccessInfo& Info) {
  TDibAnimator* ani = Info.Animator ? Info.Animator->SceneAnimator() : nullptr;
  if (!ani || !ani->FOnError) return;
  static const char kText[] = "File write failed";
  std::memcpy(ani->ErrorInfo.data(), kText, sizeof kText);
  ani->FOnError(ani, 3, ani->ErrorInfo.data());
}

// Opens a stream and registers it; 0 when the file cannot be opened.
int64_t OpenStream(const std::string& Name, FileMode Mode) {
  if (!gFileAccess) return 0;
  ZString path = Decode(Name);
  auto* stream = new (std::nothrow) TFileStream(path.c_str(), Mode);
  if (!stream) return 0;
  if (!stream->IsOpen()) {
    delete stream;
    return 0;
  }
  return AddHandle(THandleKind::hkFile, stream);
}

// "FileCreate": creates or empties the file and opens it for writing.
uint8_t FnFileCreate(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  int64_t handle = OpenStream(Text, FileMode::fmCreate);
  Text.clear();
  return NumberResult(Value, static_cast<long double>(handle));
}

// "FileOpen": a name and a number: read-write when it is not 0, read-only otherwise.
uint8_t FnFileOpen(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  std::string name;
  long double rw = 0;
  if (a.Count() < 2 || !a.String(0, name) || !a.Number(1, rw)) return vkNone;
  FileMode mode = rw != 0 ? FileMode::fmOpenReadWrite : FileMode::fmOpenRead;
  return NumberResult(Value, static_cast<long double>(OpenStream(name, mode)));
}

// "FileClose": closes the file and frees its handle: 1, or 0 when the number is no open file.
uint8_t FnFileClose(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  bool closed = FreeHandle(THandleKind::hkFile, RoundInt(Value));
  Text.clear();
  return NumberResult(Value, closed ? 1 : 0);
}

// "FilePosition": the position before the call; a second number moves it there.
uint8_t FnFilePosition(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, to = 0;
  if (a.Count() < 1 || !a.Number(0, handle)) return vkNone;
  TFileStream* f = FileOf(handle);
  int64_t before = f ? std::max<int64_t>(f->Position(), 0) : 0;
  if (a.Count() >= 2 && a.Number(1, to) && f) f->Seek(std::max<int64_t>(RoundInt(to), 0), SeekOrigin::soBeginning);
  return NumberResult(Value, static_cast<long double>(before));
}

// Reads up to Count bytes into a zeroed buffer; the bytes that were there.
std::vector<uint8_t> ReadBytes(TFileStream* F, int64_t Count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(std::clamp<int64_t>(Count, 0, kMaxTransfer)), 0);
  if (F && !bytes.empty()) F->Read(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

// "FileRead": one little-endian value: 1 unsigned byte, 2 unsigned 16-bit, 3 signed 16-bit,
// 4 signed 32-bit; other counts read nothing and give 0.
uint8_t FnFileRead(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, count = 0;
  if (a.Count() < 2 || !a.Number(0, handle) || !a.Number(1, count)) return vkNone;
  TFileStream* f = FileOf(handle);
  int64_t n = RoundInt(count);
  if (!f || n < 1 || n > 4) return NumberResult(Value, 0);
  uint8_t b[4] = {0, 0, 0, 0};
  f->Read(b, static_cast<int32_t>(n == 3 ? 2 : n));
  uint32_t u = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
  long double v = n == 3 ? static_cast<int16_t>(u & 0xFFFF)
                  : n == 4 ? static_cast<int32_t>(u)
                           : static_cast<long double>(u);
  return NumberResult(Value, v);
}

// "FileReadText": Count bytes; the raw text up to the first NUL.
uint8_t FnFileReadText(const TToken& Call, const TProccessInfo& Info, long double&,
                       std::string& Text) {
  TArgs a(Call, Info);
  long double handle = 0, count = 0;
  if (a.Count() < 2 || !a.Number(0, handle) || !a.Number(1, count)) return vkNone;
  TFileStream* f = FileOf(handle);
  if (!f) return TextResult(Text, std::string());
  std::vector<uint8_t> bytes = ReadBytes(f, RoundInt(count));
  size_t end = std::find(bytes.begin(), bytes.end(), 0) - bytes.begin();
  return TextResult(Text, std::string(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(end)));
}

// "FileReadUText": Count UTF-16 units; the text up to the first NUL unit, encoded.
uint8_t FnFileReadUText(const TToken& Call, const TProccessInfo& Info, long double&,
                        std::string& Text) {
  TArgs a(Call, Info);
  long double handle = 0, count = 0;
  if (a.Count() < 2 || !a.Number(0, handle) || !a.Number(1, count)) return vkNone;
  TFileStream* f = FileOf(handle);
  if (!f) return TextResult(Text, std::string());
  std::vector<uint8_t> bytes = ReadBytes(f, std::min(RoundInt(count), kMaxTransfer / 2) * 2);
  ZString u;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    ZChar c = static_cast<ZChar>(bytes[i] | (bytes[i + 1] << 8));
    if (c == 0) break;
    u.push_back(c);
  }
  return TextResult(Text, Encode(u));
}

// Writes all bytes; false (and the host told) when fewer were written.
bool WriteAll(const TProccessInfo& Info, TFileStream* F, const void* Data, size_t Size) {
  if (Size == 0 || F->Write(Data, static_cast<int32_t>(Size)) == static_cast<int32_t>(Size))
    return true;
  RaiseWriteError(Info);
  return false;
}

// "FileWrite": round(Value) as 1 byte (Count 1), 2 bytes (2 or 3) or 4 bytes (4), little-endian.
uint8_t FnFileWrite(const TToken& Call, const TProccessInfo& Info, long double& Value,
                    std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, v = 0, count = 0;
  if (a.Count() < 3 || !a.Number(0, handle) || !a.Number(1, v) || !a.Number(2, count))
    return vkNone;
  TFileStream* f = FileOf(handle);
  int64_t n = RoundInt(count);
  if (!f || n < 1 || n > 4) return NumberResult(Value, 0);
  uint32_t bits = static_cast<uint32_t>(static_cast<uint64_t>(RoundInt(v)));
  uint8_t b[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                  static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  size_t size = n == 1 ? 1 : n == 4 ? 4 : 2;
  return NumberResult(Value, WriteAll(Info, f, b, size) ? 1 : 0);
}

// "FileWriteText": exactly Count bytes: the raw text cut to Count or padded with NUL bytes.
uint8_t FnFileWriteText(const TToken& Call, const TProccessInfo& Info, long double& Value,
                        std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, count = 0;
  std::string s;
  if (a.Count() < 3 || !a.Number(0, handle) || !a.String(1, s) || !a.Number(2, count))
    return vkNone;
  TFileStream* f = FileOf(handle);
  int64_t n = RoundInt(count);
  if (!f || n > kMaxTransfer) return NumberResult(Value, 0);
  s.resize(static_cast<size_t>(std::max<int64_t>(n, 0)), '\0');
  return NumberResult(Value, WriteAll(Info, f, s.data(), s.size()) ? 1 : 0);
}

// "FileSize": the size in bytes; -1 when the argument is missing, not a number or no file.
uint8_t FnFileSize(const TToken& Call, const TProccessInfo& Info, long double& Value,
                   std::string& Text) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  TFileStream* f = k == vkNumber && ArgumentCount(Call) > 0 ? FileOf(Value) : nullptr;
  Text.clear();
  return NumberResult(Value, f ? static_cast<long double>(f->Size()) : -1);
}

// "FileExists": 1 for an existing file, else 0; -1 when the argument is missing or no string.
uint8_t FnFileExists(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text) {
  uint8_t k = EvaluateSingleArgument(Call, Info, Value, Text);
  if (k != vkString || ArgumentCount(Call) == 0) {
    Text.clear();
    return NumberResult(Value, -1);
  }
  ZString path = Decode(Text);
  Text.clear();
  plat::DWORD attr = gFileAccess && !path.empty() ? plat::GetFileAttributesW(path.c_str())
                                                  : plat::INVALID_FILE_ATTRIBUTES;
  bool exists = attr != plat::INVALID_FILE_ATTRIBUTES && !(attr & plat::FILE_ATTRIBUTE_DIRECTORY);
  return NumberResult(Value, exists ? 1 : 0);
}

bool IsLineEnd(uint8_t b) { return b == '\r' || b == '\n' || b == 0; }

// "FileReadLn": the raw bytes up to the next CR, LF or NUL (or the end); the run of those bytes
// after it is skipped. A line longer than the text limit comes back in pieces.
uint8_t FnFileReadLn(const TToken& Call, const TProccessInfo& Info, long double& Value,
                     std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  TFileStream* f = FileOf(Value);
  Value = 0;
  std::string line;
  if (!f) return TextResult(Text, std::move(line));
  uint8_t buf[4096];
  bool inBreak = false;
  for (;;) {
    int64_t start = f->Position();
    int32_t got = f->Read(buf, sizeof buf);
    if (got <= 0) break;
    int32_t i = 0;
    for (; i < got; ++i) {
      if (!inBreak && !IsLineEnd(buf[i]) && line.size() < kMaxResultUnits) {
        line.push_back(static_cast<char>(buf[i]));
      } else if (!inBreak && !IsLineEnd(buf[i])) {
        break;  // the limit: the rest of the line is the next piece
      } else if (IsLineEnd(buf[i])) {
        inBreak = true;
      } else {
        break;  // the first byte of the next line
      }
    }
    if (i < got) {
      f->Seek(start + i, SeekOrigin::soBeginning);
      break;
    }
  }
  return TextResult(Text, std::move(line));
}

// "FileWriteLn": a number as its rounded decimal integer or a string's raw text, then CR LF.
uint8_t FnFileWriteLn(const TToken& Call, const TProccessInfo& Info, long double& Value,
                      std::string&) {
  TArgs a(Call, Info);
  long double handle = 0, v = 0;
  std::string s;
  if (a.Count() < 2 || !a.Number(0, handle)) return vkNone;
  uint8_t k = a.Eval(1, v, s);
  if (k != vkNumber && k != vkString) return vkNone;
  TFileStream* f = FileOf(handle);
  if (!f) return NumberResult(Value, 0);
  if (k == vkNumber) s = std::to_string(RoundInt(v));
  s += "\r\n";
  bool ok = f->Write(s.data(), static_cast<int32_t>(s.size())) == static_cast<int32_t>(s.size());
  return NumberResult(Value, ok ? 1 : 0);
}

// "FileEof": 1 when the position is at or past the end, else 0. A number that is no open file
// has nothing more to read either: 1, so that reading loops end.
uint8_t FnFileEof(const TToken& Call, const TProccessInfo& Info, long double& Value,
                  std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  TFileStream* f = FileOf(Value);
  Text.clear();
  return NumberResult(Value, !f || f->Position() >= f->Size() ? 1 : 0);
}

// "FileFindFirst": a search of the raw path pattern; the record's handle, 0 when nothing matches.
uint8_t FnFileFindFirst(const TToken& Call, const TProccessInfo& Info, long double& Value,
                        std::string& Text) {
  if (EvaluateSingleArgument(Call, Info, Value, Text) != vkString) return vkNone;
  Value = 0;
  ZString pattern = FromAnsi(Text);
  Text.clear();
  if (!gFileAccess || pattern.empty()) return vkNumber;
  auto* rec = new (std::nothrow) TSearchRecord();
  if (!rec) return vkNumber;
  rec->Find = plat::FindFirstFileW(pattern.c_str(), &rec->Data);
  if (rec->Find == plat::INVALID_HANDLE_VALUE) {
    delete rec;
    return vkNumber;
  }
  return NumberResult(Value, static_cast<long double>(AddHandle(THandleKind::hkSearch, rec)));
}

// "FileFindNext": 1 when the record moved to the next match; 0 at the end or for no record.
uint8_t FnFileFindNext(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  TSearchRecord* rec = SearchOf(Value);
  Text.clear();
  return NumberResult(Value, rec && plat::FindNextFileW(rec->Find, &rec->Data) ? 1 : 0);
}

// "FileFindClose": ends the search and frees the record: 1, or 0 for no record.
uint8_t FnFileFindClose(const TToken& Call, const TProccessInfo& Info, long double& Value,
                        std::string& Text) {
  EvaluateSingleArgument(Call, Info, Value, Text);
  bool freed = SearchOf(Value) && FreeHandle(THandleKind::hkSearch, RoundInt(Value));
  Text.clear();
  return NumberResult(Value, freed ? 1 : 0);
}

// Last-write time as a packed local date-time: bits 25-31 year - 1980, 21-24 month, 16-20 day,
// 11-15 hour, 5-10 minute, 0-4 second / 2; 0 outside 1980..2107.
uint32_t PackedTime(const plat::FILETIME& T) {
  uint64_t ticks = (static_cast<uint64_t>(T.dwHighDateTime) << 32) | T.dwLowDateTime;
  if (ticks < 116444736000000000ull) return 0;
  std::time_t t = static_cast<std::time_t>((ticks - 116444736000000000ull) / 10000000ull);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0) return 0;
#else
  if (!localtime_r(&t, &local)) return 0;
#endif
  int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return 0;
  return (static_cast<uint32_t>(year - 1980) << 25) | (static_cast<uint32_t>(local.tm_mon + 1) << 21) |
         (static_cast<uint32_t>(local.tm_mday) << 16) | (static_cast<uint32_t>(local.tm_hour) << 11) |
         (static_cast<uint32_t>(local.tm_min) << 5) | static_cast<uint32_t>(local.tm_sec / 2);
}

// "FileFindInfo": the current match's name (InfoOf absent or 0), size (1), packed time stamp
// (2) or attributes (3); 0 for other InfoOf values and for numbers that are no search record.
uint8_t FnFileFindInfo(const TToken& Call, const TProccessInfo& Info, long double& Value,
                       std::string& Text) {
  TArgs a(Call, Info);
  long double handle = 0, what = 0;
  if (a.Count() < 1 || !a.Number(0, handle)) return vkNone;
  if (a.Count() >= 2 && !a.Number(1, what)) return vkNone;
  TSearchRecord* rec = SearchOf(handle);
  if (!rec) return NumberResult(Value, 0);
  const plat::WIN32_FIND_DATAW& d = rec->Data;
  switch (RoundInt(what)) {
    case 0: {
      size_t n = 0;
      while (n < plat::MAX_PATH && d.cFileName[n]) ++n;
      return TextResult(Text, Encode(ZStringView(d.cFileName, n)));
    }
    case 1: return NumberResult(Value, d.nFileSizeLow);
    case 2: return NumberResult(Value, PackedTime(d.ftLastWriteTime));
    case 3: return NumberResult(Value, d.dwFileAttributes);
    default: return NumberResult(Value, 0);
  }
}

const TFunctionBinding kFiles[] = {
    {93, FnFileCreate},     {94, FnFileOpen},       {95, FnFileClose},
    {96, FnFilePosition},   {97, FnFileRead},       {98, FnFileReadText},
    {99, FnFileReadUText},  {100, FnFileWrite},     {101, FnFileWriteText},
    {102, FnFileSize},      {103, FnFileExists},    {104, FnFileReadLn},
    {105, FnFileWriteLn},   {106, FnFileEof},       {107, FnFileFindFirst},
    {108, FnFileFindNext},  {109, FnFileFindClose}, {110, FnFileFindInfo},
};

}  // namespace

void SetExprFileAccess(bool Enabled) { gFileAccess = Enabled; }

TFunctionGroup FileFunctions() { return {kFiles, std::size(kFiles)}; }

}  // namespace zkw
