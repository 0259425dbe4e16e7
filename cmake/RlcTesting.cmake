# rlc_add_test(<name> SOURCES <files...> LIBS <targets...> LABELS <label>
#               [FIXTURE <CTest fixture>] [TIMEOUT <seconds a case, 120 unless given>])
# One GoogleTest executable; every test case becomes its own CTest test, discovered when
# CTest runs, so a crash in one case cannot hide the others. The shared main starts a
# QApplication on the offscreen platform, so window tests need no display. A FIXTURE names
# a CTest fixture every case needs set up first. The label says what the cases drive, so
# that `ctest -L unit` runs the fast ones alone: unit (code in this process, a
# pseudo-terminal at most), window (the real main window), process (real programs started),
# slow (many seconds a case).
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(rlc_test_main STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../tests/support/test_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../tests/support/xlsx_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../tests/support/csv_reader.cpp)
target_include_directories(rlc_test_main PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../tests/support)
target_link_libraries(rlc_test_main PUBLIC GTest::gtest GTest::gmock Qt6::Widgets Qt6::Test)

function(rlc_add_test name)
  cmake_parse_arguments(ARG "" "FIXTURE;LABELS;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABELS)
    message(FATAL_ERROR "rlc_add_test(${name}) needs LABELS")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE rlc_test_main ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    RLC_TEST_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
    RLC_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(properties TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${ARG_LABELS}")
  if(ARG_FIXTURE)
    list(APPEND properties FIXTURES_REQUIRED ${ARG_FIXTURE})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()
