# The video control's own renderer filter (built on the filter base and the
# portable frame pipeline of engine/video). Windows only.

if(WIN32)
  add_library(lc_video_renderer STATIC
    ${CMAKE_CURRENT_LIST_DIR}/video_renderer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/video_renderer_basic.cpp
  )
  target_link_libraries(lc_video_renderer PUBLIC lc_filters lc_video_core strmiids)

  lc_add_test(NAME video_renderer_tests GRAPHS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/video_renderer_test.cpp
    LIBS lc_video_renderer lc_graph lc_test_support
    TIMEOUT 120
  )
  # Every test clip's size in every format the decoder offers and the
  # renderer takes: the decoder's picture.
  lc_add_test(NAME video_renderer_picture_tests GRAPHS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/video_renderer_picture_test.cpp
    LIBS lc_video_renderer lc_test_support lc_test_pictures
    TIMEOUT 300
  )
  # The planes each sample is drawn from, for the types and sample lengths
  # decoders give; the types and samples it cannot lay out.
  lc_add_test(NAME video_renderer_layout_tests PURE
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/video_renderer_layout_test.cpp
    LIBS lc_video_renderer
  )
endif()
