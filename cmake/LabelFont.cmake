# The in-video label font: "arial.ttf" beside an executable is Liberation Sans.
find_file(SVP_LABEL_FONT LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
          NO_DEFAULT_PATH)
if(NOT SVP_LABEL_FONT)
  message(FATAL_ERROR "LiberationSans-Regular.ttf not found: install fonts-liberation2")
endif()
# svp_label_font(target dir): copies the font to dir/arial.ttf before target is built.
function(svp_label_font target dir)
  string(MAKE_C_IDENTIFIER "${target}_label_font" _copy)
  add_custom_command(
    OUTPUT ${dir}/arial.ttf
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${SVP_LABEL_FONT} ${dir}/arial.ttf
    DEPENDS ${SVP_LABEL_FONT}
    COMMENT "Placing label font arial.ttf"
    VERBATIM)
  add_custom_target(${_copy} DEPENDS ${dir}/arial.ttf)
  add_dependencies(${target} ${_copy})
endfunction()
