# Applies the sanitizer chosen with QV_SANITIZE to every target of the build.
if(QV_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(QV_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT QV_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QV_SANITIZE must be address, thread or empty")
endif()

# The fuzz build instruments the whole kit for coverage; only the fuzz targets link libFuzzer.
if(QV_FUZZ)
  # Undefined behaviour stops a run like a crash, so that a fuzz test cannot pass over it.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
