# svp_test_folder(LIBS ...): every *_test.cpp of the calling folder becomes one test executable.
# Files named *_threaded_test.cpp are labelled "threaded" (also run under ThreadSanitizer),
# *_x11_test.cpp "x11" (need a real X server: the suite runs under Xvfb).
function(svp_test_folder)
  cmake_parse_arguments(F "" "PREFIX" "LIBS;EXTRA_SOURCES" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  foreach(_src ${_tests})
    get_filename_component(_name ${_src} NAME_WE)
    # One label per test: gtest_discover_tests cannot carry a list of labels through.
    set(_labels ${F_PREFIX})
    if(_name MATCHES "_threaded_test$")
      set(_labels threaded)
    elseif(_name MATCHES "_x11_test$")
      set(_labels x11)
    endif()
    svp_add_test(${F_PREFIX}_${_name} SOURCES ${_src} ${F_EXTRA_SOURCES} LIBS ${F_LIBS} LABELS ${_labels})
    if(_labels STREQUAL "x11")
      # Helpers open their application on the X server for these (tests/support/PageFixture.h).
      target_compile_definitions(${F_PREFIX}_${_name} PRIVATE SVP_X11_TEST=1)
    endif()
  endforeach()
endfunction()
