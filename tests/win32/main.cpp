// Entry point of the Win32 suite: loads ZKWGDI32.dll by name, then runs the tests. A crash
// is reported here and ends the program with a failure status instead of a debugger dialog.
#include <cstdio>

#include <gtest/gtest.h>

#include "zkw_dll.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* rec = info->ExceptionRecord;
  std::fprintf(stderr, "\nunhandled exception 0x%08lx at %p\n",
               static_cast<unsigned long>(rec->ExceptionCode), rec->ExceptionAddress);
  std::fflush(stderr);
  std::fflush(stdout);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::SetUnhandledExceptionFilter(ReportCrash);
  // No message boxes for failed loads or critical errors: the suite runs unattended.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  zkwtest::LoadDll();
  if (!zkwtest::Dll()) {
    std::fprintf(stderr, "LoadLibraryW(L\"ZKWGDI32.dll\") failed with error %lu\n",
                 static_cast<unsigned long>(::GetLastError()));
    return 2;
  }
  return RUN_ALL_TESTS();
}
