# Sanitizer builds. KELVO_SANITIZE names the sanitizers for every target:
# address,undefined (a report of either ends the program with an error) or
# thread. With KELVO_FUZZ under clang, every library is also instrumented
# for libFuzzer's coverage.
set(KELVO_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined or thread")
option(KELVO_FUZZ "Build the libFuzzer form of the fuzz targets (clang only)" OFF)

if(KELVO_SANITIZE)
  add_compile_options(-fsanitize=${KELVO_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${KELVO_SANITIZE})
  # GCC's flow analysis sees uninitialised members in the standard regex
  # code once it is instrumented; the warning is false there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  if(KELVO_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=all)
  endif()
endif()

if(KELVO_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
