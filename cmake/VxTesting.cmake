# Test executables: one per area, registered whole in CTest with labels (unit, ui, slow).
find_package(GTest REQUIRED)

set(VX_TEST_ROOT ${CMAKE_BINARY_DIR}/test-env)
set(VX_SAMPLE_DISC ${CMAKE_BINARY_DIR}/test-data/sample-small)

# vx_add_test(name SOURCES ... [LIBS ...] [LABELS ...] [QT] [FIXTURES ...] [ENV ...] [TIMEOUT s]
#             [LAUNCHER command ...])
# QT: run under a QApplication on the offscreen platform. FIXTURES: CTest fixtures required
# (for example sample_disc). LAUNCHER: the command the test runs under (xvfb-run for a display).
# Every test gets its own HOME and XDG folders.
function(vx_add_test name)
  cmake_parse_arguments(ARG "QT" "TIMEOUT" "SOURCES;LIBS;LABELS;FIXTURES;ENV;LAUNCHER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE vx_test_qtmain)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE vx_test_support GTest::gtest GTest::gmock ${ARG_LIBS})

  set(home ${VX_TEST_ROOT}/${name})
  file(MAKE_DIRECTORY ${home}/data ${home}/config ${home}/Documents ${home}/tmp)
  add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${name}>)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARG_LABELS}"
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "HOME=${home};XDG_DATA_HOME=${home}/data;XDG_CONFIG_HOME=${home}/config;XDG_DOCUMENTS_DIR=${home}/Documents;TMPDIR=${home}/tmp;LANG=C.UTF-8;QT_QPA_PLATFORM=offscreen;VX_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/testdata;VX_BUILD_DIR=${CMAKE_BINARY_DIR};VX_SAMPLE_DISC=${VX_SAMPLE_DISC};${ARG_ENV}")
  if(ARG_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_FIXTURES}")
  endif()
endfunction()
