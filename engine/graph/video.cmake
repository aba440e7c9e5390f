include_guard(GLOBAL)
# The video control's portable frame pipeline: pixel-format conversion,
# software colour controls, scaling with the source crop and the keyed
# overlay composite. Plain C++, built on every host.
add_library(lc_video_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/color_adjust.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_compose.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_kernels.cpp
)
target_compile_options(lc_video_core PRIVATE -O3)

lc_add_test(NAME video_core_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tests/color_adjust_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/frame_convert_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tests/frame_compose_test.cpp
  LIBS lc_video_core
)

# Prints the compositor's frames per second; CI never runs it.
add_executable(bench_video ${CMAKE_CURRENT_LIST_DIR}/bench/bench_video.cpp)
target_link_libraries(bench_video PRIVATE lc_video_core)
if(WIN32)
  target_link_options(bench_video PRIVATE -mconsole)
endif()
