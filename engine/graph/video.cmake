# The video control (Windows only), over the graph component and the
# frame pipeline of engine/video.

# The video control itself (TDSVideoWindowEx2, colour controls, the
# Overlay Mixer insertion and the surface of its own renderer).
if(WIN32)
  add_library(lc_video_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/color_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/overlay_mixer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_presenter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_window_graph.cpp
  )
  target_link_libraries(lc_video_win PUBLIC lc_graph_win lc_video_renderer lc_framework)

  lc_add_test(NAME video_window_tests GRAPHS
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/color_control_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/overlay_mixer_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/video_presenter_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/video_window_test.cpp
    LIBS lc_video_win lc_test_support
    TIMEOUT 180
  )
endif()
