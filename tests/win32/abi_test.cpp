// What only the real platform shows about the DLL itself: the stdcall calling convention of
// the exports (32-bit build), undecorated export names, and an import table of system DLLs only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "zkw_dll.h"

#if defined(__i386__)
// Pushes `count` 32-bit arguments right to left, calls `fn` and returns how many bytes of them
// the callee removed from the stack: 4 per argument for stdcall, 0 for cdecl.
extern "C" int32_t ArgBytesPoppedByCallee(const void* fn, const uint32_t* args, int32_t count);
asm(R"(
  .text
  .globl _ArgBytesPoppedByCallee
_ArgBytesPoppedByCallee:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl 12(%ebp), %esi
  movl 16(%ebp), %ecx
1:
  testl %ecx, %ecx
  jz 2f
  pushl -4(%esi,%ecx,4)
  decl %ecx
  jmp 1b
2:
  movl %esp, %ebx
  call *8(%ebp)
  movl %esp, %eax
  subl %ebx, %eax
  leal -12(%ebp), %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");
#endif

namespace {

#if defined(__i386__)
int32_t Popped(const char* name, std::vector<uint32_t> args) {
  const void* fn = reinterpret_cast<const void*>(zkwtest::Export<FARPROC>(name));
  return ArgBytesPoppedByCallee(fn, args.data(), static_cast<int32_t>(args.size()));
}

uint32_t U(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
#endif

const uint8_t* Base() { return reinterpret_cast<const uint8_t*>(zkwtest::Dll()); }

const IMAGE_NT_HEADERS* NtHeaders() {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(Base());
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(Base() + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace

#if defined(__i386__)
TEST(Win32Abi, ExportsAreStdcall) {
  ZHANDLE dib = ZKW(CreateDibObject)(24);
  ZKW(dibSetAttributes)(dib, 3, 2);
  uint8_t table[1024] = {};
  ZBLOCK block = ZKW(dibGetHandle)(dib);

  // The callee pops exactly its arguments: 4 bytes each (Word and Byte arguments included).
  EXPECT_EQ(Popped("dibGetWidth", {U(dib)}), 4);
  EXPECT_EQ(Popped("dibSetTransColor", {U(dib), 7}), 8);
  EXPECT_EQ(Popped("dibSetAttributes", {U(dib), 3, 2}), 12);
  EXPECT_EQ(Popped("dibGetPixel", {U(dib), 1, 1}), 12);
  EXPECT_EQ(Popped("dibPutPixel", {U(dib), 1, 1, 0x0000FF}), 16);
  EXPECT_EQ(Popped("dibPutMergePixel", {U(dib), 0, 0, 0x00FF00, 50}), 20);
  EXPECT_EQ(Popped("NearestColor", {0x123456, U(table)}), 8);
  EXPECT_EQ(Popped("GetDEXSize", {U(block), 0}), 8);
  EXPECT_EQ(Popped("FreeDibObject", {0}), 4);
  // The calls above did their work: pixel (1, 1) is red, (0, 0) white merged half with green.
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 1, 1), 0x0000FFu);
  EXPECT_EQ(ZKW(dibGetPixelEx)(dib, 0, 0), 0x7FFE7Fu);

  // A host's own WINAPI function-pointer type, called many times in a loop: a callee that left
  // its arguments on the stack would run the stack out long before the loop ends.
  typedef uint32_t(WINAPI * TGetPixel)(void* Dib, int32_t x, int32_t y);
  auto getPixel = reinterpret_cast<TGetPixel>(::GetProcAddress(zkwtest::Dll(), "dibGetPixel"));
  ASSERT_NE(getPixel, nullptr);
  uint64_t sum = 0;
  for (int i = 0; i < 300000; ++i) sum += getPixel(dib, i % 3, 1);
  // Row 1: red (read back as 0xFF0000 with red and blue exchanged) at x = 1, white elsewhere.
  EXPECT_EQ(sum, 100000ull * (0xFFFFFF + 0xFF0000 + 0xFFFFFF));
  ZKW(FreeDibObject)(dib);
}
#endif

TEST(Win32Abi, ExportNamesAreUndecorated) {
  const IMAGE_NT_HEADERS* nt = NtHeaders();
  ASSERT_NE(nt, nullptr);
#if defined(__i386__)
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#else
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#endif
  EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(Base() + dir.VirtualAddress);
  EXPECT_STRCASEEQ(reinterpret_cast<const char*>(Base() + exports->Name), "ZKWGDI32.dll");
  const auto* names = reinterpret_cast<const DWORD*>(Base() + exports->AddressOfNames);
  ASSERT_GE(exports->NumberOfNames, 64u);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    const char* name = reinterpret_cast<const char*>(Base() + names[i]);
    EXPECT_EQ(std::strchr(name, '@'), nullptr) << name;
    EXPECT_NE(name[0], '_') << name;
  }
  EXPECT_NE(::GetProcAddress(zkwtest::Dll(), "CreateDibObject"), nullptr);
  EXPECT_EQ(::GetProcAddress(zkwtest::Dll(), "_CreateDibObject@4"), nullptr);
  EXPECT_EQ(::GetProcAddress(zkwtest::Dll(), "CreateDibObject@4"), nullptr);
  // The library reports the module the host loaded as its own.
  EXPECT_EQ(ZKW(zkwLibraryModule)(), static_cast<void*>(zkwtest::Dll()));
}

TEST(Win32Abi, ImportsOnlySystemDlls) {
  const IMAGE_NT_HEADERS* nt = NtHeaders();
  ASSERT_NE(nt, nullptr);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  char system[MAX_PATH];
  UINT n = ::GetSystemDirectoryA(system, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  std::vector<std::string> imports;
  for (const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(Base() + dir.VirtualAddress);
       d->Name != 0; ++d)
    imports.push_back(Lower(reinterpret_cast<const char*>(Base() + d->Name)));
  EXPECT_NE(std::find(imports.begin(), imports.end(), "kernel32.dll"), imports.end());
  for (const std::string& dll : imports) {
    // No runtime DLL of the compiler or of zlib: those are linked in statically.
    EXPECT_EQ(dll.rfind("lib", 0), std::string::npos) << dll;
    EXPECT_EQ(dll.find("zlib"), std::string::npos) << dll;
    // Every import is a DLL of the system directory.
    std::string path = std::string(system) + "\\" + dll;
    EXPECT_NE(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << dll;
  }
}

// The version resource carries the project's version, read as a host's installer would.
TEST(Win32Abi, VersionResourceHasTheProjectVersion) {
  wchar_t path[MAX_PATH];
  ASSERT_GT(::GetModuleFileNameW(zkwtest::Dll(), path, MAX_PATH), 0u);
  DWORD handle = 0;
  DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(::GetFileVersionInfoW(path, 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, (uint32_t{ZKW_VERSION_MAJOR} << 16) | ZKW_VERSION_MINOR);
  EXPECT_EQ(fixed->dwFileVersionLS, uint32_t{ZKW_VERSION_PATCH} << 16);
  wchar_t* text = nullptr;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
  std::string version;
  for (UINT i = 0; i < length && text[i]; ++i) version += static_cast<char>(text[i]);
  EXPECT_EQ(version, ZKW_VERSION);
}
