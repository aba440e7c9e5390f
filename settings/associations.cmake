# File associations over a narrow registry interface: the rules are portable
# and tested against an in-memory registry; the Windows registry is behind
# win/registry_win.cpp.
add_library(lc_registry STATIC memory_registry.cpp associations.cpp)
target_link_libraries(lc_registry PUBLIC lc_settings)
lc_add_test(NAME associations_tests PURE SOURCES tests/associations_test.cpp LIBS lc_registry)
if(WIN32)
  add_library(lc_registry_win STATIC win/registry_win.cpp)
  target_link_libraries(lc_registry_win PUBLIC lc_registry lc_settings_win advapi32 shell32)
  lc_add_test(NAME associations_win_tests PURE SOURCES tests/associations_win_test.cpp LIBS lc_registry_win)
endif()

# The program-wide names, settings and flags that the start-up fixes.
add_library(lc_program_state STATIC program_state.cpp)
target_link_libraries(lc_program_state PUBLIC lc_settings)
