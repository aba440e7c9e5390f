# The video window's audio chain (included from the player's CMakeLists.txt).
if(WIN32)
  add_library(lc_audio_chain STATIC ${CMAKE_CURRENT_LIST_DIR}/audio_chain.cpp)
  target_link_libraries(lc_audio_chain PUBLIC lc_dsp_win)

  lc_add_test(NAME player_audio_tests PURE GRAPHS
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/audio_chain_test.cpp
    LIBS lc_audio_chain lc_filters_testing
  )
endif()
