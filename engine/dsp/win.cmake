# The audio filter and its component, and the processors' settings
# interfaces: Windows only (lc_dsp_win), with their tests.
if(WIN32)
  add_library(lc_dsp_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/audio_filter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio_processor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dsp_settings.cpp
  )
  target_link_libraries(lc_dsp_win PUBLIC lc_dsp lc_filters lc_graph_win)

  lc_add_test(NAME dsp_audio_filter_tests PURE GRAPHS
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tests/audio_filter_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/tests/audio_processor_test.cpp
    LIBS lc_dsp_win lc_filters_testing
    TIMEOUT 180
  )

  lc_add_test(NAME dsp_settings_tests PURE
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/dsp_settings_test.cpp
    LIBS lc_dsp_win
  )
endif()
