# SVP_SANITIZE=address,undefined or thread: applied to every target of the build.
if(SVP_SANITIZE)
  set(_svp_san_flags -fsanitize=${SVP_SANITIZE} -fno-omit-frame-pointer -g)
  if(SVP_SANITIZE MATCHES "undefined")
    list(APPEND _svp_san_flags -fno-sanitize-recover=undefined)
  endif()
  add_compile_options(${_svp_san_flags})
  add_link_options(-fsanitize=${SVP_SANITIZE})
endif()
