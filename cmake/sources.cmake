# Source lists of the library, by layer. New directories are added here.
set(ZKW_SRC ${CMAKE_SOURCE_DIR}/src)
file(GLOB ZKW_CORE_SOURCES CONFIGURE_DEPENDS
  ${ZKW_SRC}/base/*.cpp
  ${ZKW_SRC}/common/*.cpp
  ${ZKW_SRC}/text/*.cpp
  ${ZKW_SRC}/imagefiles/*.cpp
  ${ZKW_SRC}/dib/*.cpp
  ${ZKW_SRC}/colour/*.cpp
  ${ZKW_SRC}/dialogs/*.cpp
  ${ZKW_SRC}/fonts/*.cpp
  ${ZKW_SRC}/equation/*.cpp
  ${ZKW_SRC}/spectext/*.cpp
  ${ZKW_SRC}/expr/*.cpp
  ${ZKW_SRC}/odf/*.cpp
  ${ZKW_SRC}/script/*.cpp
  ${ZKW_SRC}/player/scene/*.cpp
  ${ZKW_SRC}/player/objects/*.cpp
  ${ZKW_SRC}/player/window/*.cpp
  ${ZKW_SRC}/player/kinds/*.cpp
  ${ZKW_SRC}/player/character/*.cpp
  ${ZKW_SRC}/sound/*.cpp
  ${ZKW_SRC}/exports/*.cpp)
if(WIN32)
  file(GLOB ZKW_PLATFORM_SOURCES CONFIGURE_DEPENDS ${ZKW_SRC}/platform/win32/*.cpp)
else()
  file(GLOB ZKW_PLATFORM_SOURCES CONFIGURE_DEPENDS ${ZKW_SRC}/platform/portable/*.cpp)
endif()
file(GLOB_RECURSE ZKW_RES_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*)
set(ZKW_DEF_FILE ${ZKW_SRC}/exports/zkwgdi32.def)
# Raster kernels (shapes and compositing): compiled with full optimisation in every build type
# so that their byte loops are vectorised (see src/CMakeLists.txt).
file(GLOB ZKW_RASTER_SOURCES CONFIGURE_DEPENDS
  ${ZKW_SRC}/dib/draw_*.cpp
  ${ZKW_SRC}/dib/composite_*.cpp
  ${ZKW_SRC}/dib/transform_*.cpp)
