# SVP_SANITIZE=address,undefined or thread: applied to every target of the build.
if(SVP_SANITIZE)
  set(_svp_san_flags -fsanitize=${SVP_SANITIZE} -fno-omit-frame-pointer -g)
  if(SVP_SANITIZE MATCHES "undefined")
    list(APPEND _svp_san_flags -fno-sanitize-recover=undefined)
  endif()
  add_compile_options(${_svp_san_flags})
  add_link_options(-fsanitize=${SVP_SANITIZE})
endif()

# SVP_FUZZ (clang): every project library is built with libFuzzer's coverage and with
# AddressSanitizer + UndefinedBehaviorSanitizer, so each fuzz target is guided by the code under
# test, not only by its entry point, and catches what that code does wrong.
if(SVP_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Unoptimised code runs a fuzzer at a fraction of its speed; keep the debug information.
  if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()
