// Windows back end of wave conversion: the wave (rebuilt from the chunks the caller checked) is
// read with multimedia file I/O on its memory image and converted by an ACM stream, a source
// chunk at a time with block alignment, then once more with the end flag. msacm32.dll and
// winmm.dll are loaded at run time, so the library imports neither.
#include <cstring>
#include <string>
#include <vector>

#include "base/last_error.h"
#include "platform/plat_wave.h"
#include "platform/win32/win32_api.h"

#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

namespace plat {

namespace {

struct AcmApi {
  decltype(&::acmStreamOpen) StreamOpen = nullptr;
  decltype(&::acmStreamSize) StreamSize = nullptr;
  decltype(&::acmStreamPrepareHeader) PrepareHeader = nullptr;
  decltype(&::acmStreamConvert) Convert = nullptr;
  decltype(&::acmStreamUnprepareHeader) UnprepareHeader = nullptr;
  decltype(&::acmStreamClose) StreamClose = nullptr;
  decltype(&::mmioOpenW) Open = nullptr;
  decltype(&::mmioDescend) Descend = nullptr;
  decltype(&::mmioAscend) Ascend = nullptr;
  decltype(&::mmioRead) Read = nullptr;
  decltype(&::mmioSeek) Seek = nullptr;
  decltype(&::mmioClose) Close = nullptr;

  template <class F>
  static void Resolve(::HMODULE module, F& fn, const char* name) {
    fn = module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
  }
  bool Load() {
    static bool tried = false;
    if (!tried) {
      tried = true;
      ::HMODULE acm = ::LoadLibraryW(L"msacm32.dll"), mm = ::LoadLibraryW(L"winmm.dll");
      Resolve(acm, StreamOpen, "acmStreamOpen");
      Resolve(acm, StreamSize, "acmStreamSize");
      Resolve(acm, PrepareHeader, "acmStreamPrepareHeader");
      Resolve(acm, Convert, "acmStreamConvert");
      Resolve(acm, UnprepareHeader, "acmStreamUnprepareHeader");
      Resolve(acm, StreamClose, "acmStreamClose");
      Resolve(mm, Open, "mmioOpenW");
      Resolve(mm, Descend, "mmioDescend");
      Resolve(mm, Ascend, "mmioAscend");
      Resolve(mm, Read, "mmioRead");
      Resolve(mm, Seek, "mmioSeek");
      Resolve(mm, Close, "mmioClose");
    }
    return StreamOpen && StreamSize && PrepareHeader && Convert && UnprepareHeader && StreamClose && Open &&
           Descend && Ascend && Read && Seek && Close;
  }
};

AcmApi& Api() {
  static AcmApi api;
  return api;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The canonical wave image of a checked source: RIFF, "fmt ", "data".
std::vector<uint8_t> Canonical(const WaveSource& s) {
  std::vector<uint8_t> out;
  out.reserve(48 + s.FormatBytes + s.DataBytes);
  const char* riff = "RIFF\0\0\0\0WAVEfmt ";
  out.insert(out.end(), riff, riff + 16);
  Put32(out, s.FormatBytes);
  out.insert(out.end(), s.Format, s.Format + s.FormatBytes);
  if (s.FormatBytes & 1) out.push_back(0);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, s.DataBytes);
  out.insert(out.end(), s.Data, s.Data + s.DataBytes);
  if (s.DataBytes & 1) out.push_back(0);
  uint32_t size = static_cast<uint32_t>(out.size() - 8);
  std::memcpy(out.data() + 4, &size, 4);
  return out;
}

bool Fail(const std::string& why) {
  zkw::SetLastErrorText(why);
  return false;
}

// The multimedia file over the image, positioned at the start of the "data" chunk.
class MemoryWave {
 public:
  MemoryWave(AcmApi& api, std::vector<uint8_t>& image) : FApi(api) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<HPSTR>(image.data());
    info.cchBuffer = static_cast<LONG>(image.size());
    FFile = FApi.Open(nullptr, &info, MMIO_READ);
    if (!FFile) return;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (FApi.Descend(FFile, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return;
    FData.ckid = mmioFOURCC('d', 'a', 't', 'a');
    FReady = FApi.Descend(FFile, &FData, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR;
  }
  ~MemoryWave() {
    if (FFile) FApi.Close(FFile, 0);
  }
  bool Ready() const { return FReady; }
  DWORD DataSize() const { return FData.cksize; }
  LONG Read(void* p, LONG n) { return FApi.Read(FFile, static_cast<HPSTR>(p), n); }

 private:
  AcmApi& FApi;
  HMMIO FFile = nullptr;
  MMCKINFO FData{};
  bool FReady = false;
};

}  // namespace

bool WaveConvertToPCM(const WaveSource& source, const WAVEFORMATEX& target, DWORD sourceChunk,
                      size_t maxBytes, const WaveSink& sink) {
  AcmApi& api = Api();
  if (!api.Load()) return Fail("the audio compression manager is missing");
  if (!source.Format || source.FormatBytes < sizeof(WAVEFORMATEX) || sourceChunk == 0)
    return Fail("wave source without format");
  std::vector<uint8_t> image = Canonical(source);
  MemoryWave wave(api, image);
  if (!wave.Ready() || wave.DataSize() != source.DataBytes) return Fail("the wave's data chunk cannot be read");

  ::WAVEFORMATEX dst;
  std::memcpy(&dst, &target, sizeof dst);
  dst.cbSize = 0;
  HACMSTREAM stream = nullptr;
  MMRESULT mr = api.StreamOpen(&stream, nullptr, reinterpret_cast<LPWAVEFORMATEX>(const_cast<uint8_t*>(source.Format)),
                               &dst, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME);
  if (mr != MMSYSERR_NOERROR) return Fail("no ACM conversion to PCM for this wave (" + std::to_string(mr) + ")");
  ::DWORD dstChunk = 0;
  bool ok = api.StreamSize(stream, sourceChunk, &dstChunk, ACM_STREAMSIZEF_SOURCE) == MMSYSERR_NOERROR && dstChunk > 0;
  std::vector<uint8_t> src(sourceChunk), out(ok ? dstChunk : 0);
  ACMSTREAMHEADER header{};
  header.cbStruct = sizeof header;
  header.pbSrc = src.data();
  header.cbSrcLength = sourceChunk;
  header.pbDst = out.data();
  header.cbDstLength = dstChunk;
  ok = ok && api.PrepareHeader(stream, &header, 0) == MMSYSERR_NOERROR;
  bool prepared = ok;
  size_t total = 0;
  DWORD left = wave.DataSize(), pending = 0;  // pending: source bytes kept from the last chunk
  DWORD flags = ACM_STREAMCONVERTF_START;
  auto emit = [&]() {
    if (header.cbDstLengthUsed == 0) return true;
    total += header.cbDstLengthUsed;
    if (total > maxBytes) return Fail("the decoded wave would exceed " + std::to_string(maxBytes) + " bytes");
    return sink(out.data(), header.cbDstLengthUsed);
  };
  while (ok && left > 0) {
    LONG want = static_cast<LONG>(std::min<DWORD>(sourceChunk - pending, left));
    LONG got = wave.Read(src.data() + pending, want);
    if (got != want) {
      ok = Fail("the wave's data could not be read");
      break;
    }
    left -= static_cast<DWORD>(got);
    header.cbSrcLength = pending + static_cast<DWORD>(got);
    ok = api.Convert(stream, &header, ACM_STREAMCONVERTF_BLOCKALIGN | flags) == MMSYSERR_NOERROR;
    if (!ok) {
      Fail("the ACM conversion failed");
      break;
    }
    flags = 0;
    pending = header.cbSrcLength - header.cbSrcLengthUsed;
    if (pending) std::memmove(src.data(), src.data() + header.cbSrcLengthUsed, pending);
    ok = emit();
    if (header.cbSrcLengthUsed == 0 && header.cbDstLengthUsed == 0 && left == 0) break;
  }
  if (ok) {
    header.cbSrcLength = pending;
    ok = api.Convert(stream, &header, ACM_STREAMCONVERTF_END | flags) == MMSYSERR_NOERROR;
    if (ok) ok = emit();
    else Fail("the final ACM conversion failed");
  }
  if (prepared) {
    header.cbSrcLength = sourceChunk;
    header.cbDstLength = dstChunk;
    api.UnprepareHeader(stream, &header, 0);
  }
  api.StreamClose(stream, 0);
  return ok;
}

}  // namespace plat
