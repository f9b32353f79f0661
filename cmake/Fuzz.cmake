# Fuzz targets (fuzz/*Fuzz.cpp). Each one builds two ways:
# - always, as a plain program that replays the files of its seed corpus
#   fuzz/corpus/<name>/, registered with ctest as fuzz_<name>;
# - with clang and KELVO_FUZZ=ON, also as a libFuzzer program fuzz_<name>_libfuzzer
#   (with AddressSanitizer and UndefinedBehaviorSanitizer; configure such a
#   build with KELVO_SANITIZE=address,undefined so the libraries match).

file(GLOB KELVO_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*Fuzz.cpp)
foreach(source ${KELVO_FUZZ_TARGETS})
  get_filename_component(stem ${source} NAME_WE)
  string(REGEX REPLACE "Fuzz$" "" name ${stem})
  add_executable(fuzz_${name} ${source} ${CMAKE_SOURCE_DIR}/fuzz/ReplayMain.cpp)
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(fuzz_${name} PRIVATE kelvo_app kelvo_memory)
  add_test(NAME fuzz_${name} COMMAND fuzz_${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  if(KELVO_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_executable(fuzz_${name}_libfuzzer ${source})
    target_include_directories(fuzz_${name}_libfuzzer PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(fuzz_${name}_libfuzzer PRIVATE kelvo_app kelvo_memory)
    target_compile_options(fuzz_${name}_libfuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name}_libfuzzer PRIVATE -fsanitize=fuzzer)
  endif()
endforeach()
