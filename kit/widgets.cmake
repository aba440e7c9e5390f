# The skinned widgets and the skinned message box (included from the kit's
# CMakeLists.txt).

# Their rules: press, hover and release variants, value and position
# conversions, the marquee, word wrapping and the message box's layout.
add_library(lc_widgets_core STATIC
  button.cpp
  checkbox.cpp
  drag_widget.cpp
  flip.cpp
  label.cpp
  message_layout.cpp
  progress_bar.cpp
  trackbar.cpp
  volume_control.cpp
  widget_links.cpp
  word_wrap.cpp
)
target_link_libraries(lc_widgets_core PUBLIC lc_kit_core)

# Recording fakes of a window's host, surface and links, for every window's
# widget tests.
add_library(lc_widget_fakes STATIC tests/widget_fakes.cpp)
target_link_libraries(lc_widget_fakes PUBLIC lc_widgets_core)

lc_add_test(NAME widgets_core_tests PURE
  SOURCES
    tests/button_test.cpp
    tests/flip_test.cpp
    tests/label_test.cpp
    tests/message_layout_test.cpp
    tests/slider_test.cpp
    tests/word_wrap_test.cpp
    tests/widget_test.cpp
  LIBS lc_widget_fakes
)

# The widgets' drawing surface over a skinned window, and the message box.
if(WIN32)
  add_library(lc_widgets STATIC
    message_box.cpp
    page_button.cpp
    skin_surface.cpp
  )
  target_link_libraries(lc_widgets PUBLIC lc_widgets_core lc_kit)

  lc_add_test(NAME widgets_tests
    SOURCES tests/widgets_window_test.cpp
    LIBS lc_widgets lc_resources
  )
endif()
