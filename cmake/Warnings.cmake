# Warnings for our own targets: call svp_warnings(target).
function(svp_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# svp_add_test(name SOURCES ... LIBS ... [LABELS ...]): one GoogleTest executable, its cases registered with ctest.
function(svp_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test GTest::gtest GTest::gtest_main GTest::gmock)
  svp_warnings(${name})
  # Tests read shipped files from the sources and leave artefacts (screenshots) in their build folder.
  target_compile_definitions(${name} PRIVATE SVP_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                             SVP_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  set(_props "")
  if(T_LABELS)
    list(APPEND _props LABELS "${T_LABELS}")
    if("threaded" IN_LIST T_LABELS)
      set_property(GLOBAL APPEND PROPERTY SVP_THREADED_TESTS ${name})
    endif()
    # The X11 tests share one X server: one at a time, so no window of another test covers the
    # pixels a test reads back (other tests still run beside them).
    if("x11" IN_LIST T_LABELS)
      list(APPEND _props RESOURCE_LOCK x11_display)
    endif()
  endif()
  set(_env "QT_QPA_PLATFORM=offscreen" ${T_ENV})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${_props} ENVIRONMENT "${_env}")
endfunction()
