# Tests that the layers hold: each builds a probe source with the include
# roots of one layer library and a header that layer must not reach, and
# passes only when the compiler finds no such header. The probes are not
# part of the build; each test builds its own.

# layer:header, one line per arrow the build must refuse.
set(KELVO_REFUSED_INCLUDES
  kelvo_platform:items/ItemRecord.h
  kelvo_platform:platform/memory/MemoryWindow.h
  kelvo_memory:items/ItemContext.h
  kelvo_items:run/RunJob.h
  kelvo_items:resources/ResourceIds.h
  kelvo_run:panels/RenamePanel.h
  kelvo_panels:app/MainDialog.h
  kelvo_app:platform/win32/Win32Window.h)
if(KELVO_WINDOWS)
  list(APPEND KELVO_REFUSED_INCLUDES kelvo_win32:items/ItemRecord.h)
endif()

foreach(refused ${KELVO_REFUSED_INCLUDES})
  string(REPLACE ":" ";" pair ${refused})
  list(GET pair 0 layer)
  list(GET pair 1 header)
  # A header that no longer exists would be missing for the wrong reason.
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
    message(FATAL_ERROR "Layer test: ${header} does not exist")
  endif()
  string(MAKE_C_IDENTIFIER "${layer}_${header}" probe)
  set(probe layer_probe_${probe})
  add_library(${probe} OBJECT EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/layers/IncludeProbe.cpp)
  target_link_libraries(${probe} PRIVATE ${layer})
  target_compile_definitions(${probe} PRIVATE "KELVO_PROBED_HEADER=\"${header}\"")
  add_test(NAME ${probe} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${probe})
  # As GCC and as clang say it.
  string(REPLACE "." "\\." escaped "${header}")
  set(missing "${escaped}: No such file or directory" "'${escaped}' file not found")
  # The probes share the build tree, so they build one at a time.
  set_tests_properties(${probe} PROPERTIES
    PASS_REGULAR_EXPRESSION "${missing}"
    RESOURCE_LOCK kelvo_build_tree)
endforeach()
