# Settings every target of ours links: language level, warnings and Qt safety defines.
add_library(vx_common INTERFACE)
target_compile_features(vx_common INTERFACE cxx_std_20)
target_compile_options(vx_common INTERFACE -Wall -Wextra)
# GCC 12 at -O3 takes std::string's operator+ for an overlapping copy: a false -Wrestrict that
# GCC 13 no longer gives. Quietened in the files where it comes (a Release build lists them), once
# every folder has made its targets.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(VX_FALSE_RESTRICT_SOURCES
    app/CatalogControllerChecklistFiles.cpp app/DatabaseInitializer.cpp data/DiscImportJob.cpp
    data/ImageCopyJob.cpp platform/ProfileFile.cpp print/PrintPaper.cpp print/PrinterOutput.cpp
    tools/install/InstallCommand.cpp tools/sample-disc/EarlierSample.cpp
    tests/app/CatalogControllerMapPaths_test.cpp tests/app/SearchJob_test.cpp
    tests/app/WebSearchAddress_test.cpp tests/checklist/CircleMatching_test.cpp
    tests/data/CircleRows_test.cpp tests/data/DiscTextImport_test.cpp tests/data/Text_test.cpp
    tests/print/DirectPrint_test.cpp tests/print/PrintErrors_test.cpp
    tests/print/PrintJobSetup_test.cpp tests/print/PrintLayout_test.cpp
    tests/print/PrintPages_test.cpp tests/print/PrintSettingsRules_test.cpp
    tests/print/SampleCatalogPrint_test.cpp tests/print/SampleDocuments_test.cpp
    tests/tools/sample-disc/ChecklistWriter_test.cpp
    tests/ui/bookmarks/BookmarkAddDialog_test.cpp
    tests/ui/bookmarks/BookmarkOrganizerDialog_test.cpp tests/ui/main/PageJumpDialog_test.cpp
    tests/ui/map/HallMapView_hidpitest.cpp tests/ui/print/ImageOutputDialog_test.cpp
    tests/ui/print/PrintDialog_test.cpp tests/ui/print/PrintProgressDialog_test.cpp
    tests/ui/print/PrintSettingsSheet_test.cpp tests/ui/settings/PathSettingsPage_test.cpp
    tests/web/UpdateDownloadJob_test.cpp)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vx_quiet_false_restrict)
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

# The folders CMake made of `dir` and the folders below it.
function(vx_known_folders dir out)
  set(folders ${dir})
  get_property(subdirectories DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirectories)
    vx_known_folders(${sub} below)
    list(APPEND folders ${below})
  endforeach()
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# -Wno-restrict on each of VX_FALSE_RESTRICT_SOURCES, in the folder whose CMakeLists.txt makes its
# target (the nearest one above it); files of folders left out of this build are passed over.
function(vx_quiet_false_restrict)
  vx_known_folders(${PROJECT_SOURCE_DIR} known)
  foreach(source IN LISTS VX_FALSE_RESTRICT_SOURCES)
    set(file ${PROJECT_SOURCE_DIR}/${source})
    get_filename_component(folder ${file} DIRECTORY)
    while(NOT EXISTS ${folder}/CMakeLists.txt)
      get_filename_component(folder ${folder} DIRECTORY)
    endwhile()
    if(folder IN_LIST known)
      set_property(SOURCE ${file} DIRECTORY ${folder} APPEND PROPERTY COMPILE_OPTIONS -Wno-restrict)
    endif()
  endforeach()
endfunction()
