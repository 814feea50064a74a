# Settings every target of ours links: language level, warnings and Qt safety defines.
add_library(vx_common INTERFACE)
target_compile_features(vx_common INTERFACE cxx_std_20)
target_compile_options(vx_common INTERFACE -Wall -Wextra)
# GCC 12 at -O3 takes std::string's operator+ for an overlapping copy: a false -Wrestrict that
# GCC 13 no longer gives.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(vx_common INTERFACE -Wno-restrict)
endif()
# Warnings fail the build only where we ask for it: CI and developers' builds (tools/build.sh).
# A user's or packager's build with a newer compiler must not stop on a warning it adds.
option(VX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
if(VX_WARNINGS_AS_ERRORS)
  target_compile_options(vx_common INTERFACE -Werror)
endif()
target_compile_definitions(vx_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)
target_include_directories(vx_common INTERFACE ${PROJECT_SOURCE_DIR})
set(CMAKE_CXX_EXTENSIONS OFF)

# vx_library(NAME DIR [QT] LIBS ...): a static library from the .cpp files directly in DIR.
function(vx_library name dir)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${ex}$")
  endforeach()
  if(NOT sources)
    return()  # folder not filled yet
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC vx_common ${ARG_LIBS})
endfunction()
