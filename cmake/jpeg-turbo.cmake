# libjpeg-turbo for the Windows builds. Debian ships no mingw build, so its own source
# (scripts/fetch-jpeg-turbo, run by scripts/setup-deps win32, puts it in build/deps/libjpeg-turbo)
# is built here once per build folder: only the static library jpeg-static, with this project's
# toolchain file, SIMD through nasm. The DLL links it statically and imports no JPEG DLL.
# Defines JPEG::JPEG, as find_package(JPEG) does on Linux.
include(ExternalProject)
set(ZKW_JPEG_SOURCE ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-turbo CACHE PATH
    "libjpeg-turbo source tree for the Windows builds")
if(NOT EXISTS ${ZKW_JPEG_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "libjpeg-turbo source is missing in ${ZKW_JPEG_SOURCE}: run scripts/setup-deps win32")
endif()
find_program(ZKW_NASM nasm)
if(NOT ZKW_NASM)
  message(FATAL_ERROR "nasm is missing (it assembles libjpeg-turbo's SIMD code): run scripts/setup-deps win32")
endif()

set(ZKW_JPEG_PREFIX ${CMAKE_BINARY_DIR}/jpeg-turbo)
set(ZKW_JPEG_LIB ${ZKW_JPEG_PREFIX}/lib/libjpeg.a)
file(MAKE_DIRECTORY ${ZKW_JPEG_PREFIX}/include)
ExternalProject_Add(jpeg_turbo_build
  SOURCE_DIR ${ZKW_JPEG_SOURCE}
  BINARY_DIR ${ZKW_JPEG_PREFIX}/build
  INSTALL_DIR ${ZKW_JPEG_PREFIX}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
             -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
             -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
             -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=${ZKW_NASM}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
  # Only the library and the headers of its API: the project's install would build the tools.
  INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory <INSTALL_DIR>/lib
    COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a <INSTALL_DIR>/lib/
    COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/jpeglib.h <SOURCE_DIR>/jmorecfg.h
            <SOURCE_DIR>/jerror.h <BINARY_DIR>/jconfig.h <INSTALL_DIR>/include/
  BUILD_BYPRODUCTS ${ZKW_JPEG_LIB})

add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
set_target_properties(JPEG::JPEG PROPERTIES IMPORTED_LOCATION ${ZKW_JPEG_LIB}
                                            INTERFACE_INCLUDE_DIRECTORIES ${ZKW_JPEG_PREFIX}/include)
add_dependencies(JPEG::JPEG jpeg_turbo_build)
