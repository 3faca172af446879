// Host helpers: byte streams for the stream-taking exports, the last-error text, and the
// library's module handle (for its own resources).
#include <climits>

#include "common/byte_stream.h"
#include "exports/zkwgdi32.h"
#include "platform/plat.h"

using zkw::Guarded;
using zkw::GuardedVoid;

namespace {
zkw::TStream* S(ZHANDLE h) { return static_cast<zkw::TStream*>(h); }
}  // namespace

ZKW_EXPORT ZHANDLE ZKWAPI zkwCreateMemoryStream(const void* Data, int32_t Size) {
  return Guarded<ZHANDLE>(nullptr, [&]() -> ZHANDLE {
    auto* stream = new zkw::TMemoryStream();
    if (Data && Size > 0) {
      stream->Write(Data, Size);
      stream->Seek(0, zkw::SeekOrigin::soBeginning);
    }
    return static_cast<zkw::TStream*>(stream);
  });
}
ZKW_EXPORT ZHANDLE ZKWAPI zkwCreateFileStream(ZTEXT Name, int32_t Mode) {
  return Guarded<ZHANDLE>(nullptr, [&]() -> ZHANDLE {
    auto* stream = new zkw::TFileStream(Name, static_cast<zkw::FileMode>(Mode));
    if (!stream->IsOpen()) {
      zkw::SetLastErrorText("cannot open \"" + zkw::ToUtf8(Name) + "\"");
      delete stream;
      return nullptr;
    }
    return static_cast<zkw::TStream*>(stream);
  });
}
ZKW_EXPORT void ZKWAPI zkwFreeStream(ZHANDLE Stream) {
  GuardedVoid([&] { delete S(Stream); });
}
ZKW_EXPORT int32_t ZKWAPI zkwStreamRead(ZHANDLE Stream, void* Buffer, int32_t Count) {
  return Guarded<int32_t>(0, [&] { return Buffer ? S(Stream)->Read(Buffer, Count) : 0; });
}
ZKW_EXPORT int32_t ZKWAPI zkwStreamWrite(ZHANDLE Stream, const void* Buffer, int32_t Count) {
  return Guarded<int32_t>(0, [&] { return Buffer ? S(Stream)->Write(Buffer, Count) : 0; });
}
ZKW_EXPORT int32_t ZKWAPI zkwStreamSeek(ZHANDLE Stream, int32_t Offset, int32_t Origin) {
  return Guarded<int32_t>(-1, [&] {
    if (Origin < 0 || Origin > 2) return int32_t{-1};
    int64_t pos = S(Stream)->Seek(Offset, static_cast<zkw::SeekOrigin>(Origin));
    return pos > INT32_MAX ? int32_t{-1} : static_cast<int32_t>(pos);
  });
}
ZKW_EXPORT int32_t ZKWAPI zkwStreamSize(ZHANDLE Stream) {
  return Guarded<int32_t>(0, [&] {
    int64_t size = S(Stream)->Size();
    return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
  });
}

ZKW_EXPORT ZTEXT ZKWAPI zkwGetLastErrorText() {
  static thread_local zkw::ZString text;
  text = zkw::FromUtf8(zkw::LastErrorText());
  return text.c_str();
}
ZKW_EXPORT void ZKWAPI zkwClearLastError() { zkw::ClearLastErrorText(); }
ZKW_EXPORT void* ZKWAPI zkwLibraryModule() { return plat::LibraryModule(); }
