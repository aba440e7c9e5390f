# Test helpers shared by every folder.
#
#   lc_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [TIMEOUT <s>] [PURE] [GRAPHS])
#
# builds one GoogleTest executable and registers it with CTest as one test.
# On the Windows target, test programs share one virtual display, its mouse
# pointer and its foreground window, so they take turns on it; a test that
# shows no window and reads no screen state says PURE and runs alongside
# the others.
# A test that builds DirectShow graphs says GRAPHS and runs in a Wine prefix
# of its own: the platform rewrites the registry's list of audio renderers
# whenever a graph builder reads it, and a graph built in another program of
# the same prefix at that moment finds no audio renderer after a filter.
# On the Windows target CTest runs it through scripts/wine-run (the
# emulator); natively it runs directly. Test media generated at setup live in
# ${LC_TEST_MEDIA_DIR}, passed to the tests as the environment variable
# LC_TEST_MEDIA (a Windows path under Wine).
# Every test program's main is tests/support/test_main.cpp: under Wine it
# ends the program with its tests' result before the host's exit handlers
# can turn that result into a kill.
enable_testing()
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

add_library(lc_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
target_link_libraries(lc_test_main PUBLIC GTest::gtest)

set(LC_TEST_MEDIA_DIR "${CMAKE_BINARY_DIR}/media" CACHE PATH "Generated test media")

function(lc_add_test)
  cmake_parse_arguments(T "PURE;GRAPHS" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest lc_test_main Threads::Threads)
  if(WIN32)
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 180)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "LC_TEST_MEDIA=${LC_TEST_MEDIA_DIR}")
  if(WIN32 AND NOT T_PURE)
    set_property(TEST ${T_NAME} APPEND PROPERTY RESOURCE_LOCK desktop)
  endif()
  if(WIN32 AND T_GRAPHS)
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT "LC_WINE_PRIVATE=${T_NAME}")
  endif()
endfunction()
