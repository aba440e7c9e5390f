# The video control. Included from engine/filters (which needs the frame
# pipeline first) and from engine/graph; each part is added once, the
# Windows part once the graph component's library exists.

# The portable frame pipeline: pixel-format conversion, software colour
# controls, scaling with the source crop and the keyed overlay composite.
# Plain C++, built on every host.
if(NOT TARGET lc_video_core)
  add_library(lc_video_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/color_adjust.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_compose.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_convert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_kernels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_kernels_avx2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_scale.cpp
  )
  target_compile_options(lc_video_core PRIVATE -O3)

  lc_add_test(NAME video_core_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/color_adjust_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/frame_convert_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/frame_compose_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/frame_kernels_test.cpp
    LIBS lc_video_core
    PURE
  )

  # Prints the compositor's frames per second; CI never runs it.
  add_executable(bench_video ${CMAKE_CURRENT_LIST_DIR}/bench/bench_video.cpp)
  target_link_libraries(bench_video PRIVATE lc_video_core)
  if(WIN32)
    target_link_options(bench_video PRIVATE -mconsole)
  endif()
endif()

# The video control itself (TDSVideoWindowEx2, colour controls, the
# Overlay Mixer insertion and the surface of its own renderer).
if(WIN32 AND TARGET lc_graph_win AND NOT TARGET lc_video_win)
  add_library(lc_video_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/color_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overlay_mixer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_window_graph.cpp
  )
  target_link_libraries(lc_video_win PUBLIC lc_graph_win lc_video_renderer lc_framework)

  lc_add_test(NAME video_window_tests GRAPHS
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/color_control_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/overlay_mixer_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/video_window_test.cpp
    LIBS lc_video_win lc_test_support
    TIMEOUT 180
  )
endif()
