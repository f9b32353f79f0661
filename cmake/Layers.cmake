# One library per layer of the program. Sources include by the path from
# the source root ("items/ItemStatus.h"), but no layer is given the source
# root: each library gets an include root of its own in the build tree that
# holds only its own folder (for platform, only the headers at its top) (symbolic links into the sources, made afresh at
# every configure), and sees the layers below it through the roots of the
# libraries it links. An include that reaches up a layer finds no such file.
#
#   kelvo_platform <- kelvo_items <- kelvo_run <- kelvo_panels <- kelvo_app <- kelvo_console
#   kelvo_platform <- kelvo_memory (platform/memory), kelvo_win32 (platform/win32)
#   kelvo_resources: the ids and groups of ids (header-only), for run, panels,
#   app and platform/win32; ControlGroups.h names items' date fields, so only
#   layers above items can include it.
#
# Tests, fuzz targets and benchmarks see everything: they add the source root.

set(KELVO_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# kelvo_layer_root(<target> <INTERFACE|PUBLIC> <path>...): makes the
# target's include root hold the given folders or files of the source tree,
# each under its own path, and nothing else.
function(kelvo_layer_root target scope)
  set(root ${KELVO_LAYER_ROOTS}/${target})
  file(REMOVE_RECURSE ${root})
  foreach(path ${ARGN})
    get_filename_component(parent ${root}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${root}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# kelvo_layer(<name> <folder> <linked>...): the static library kelvo_<name>
# of <folder>/*.cpp, whose root holds <folder>.
function(kelvo_layer name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  add_library(kelvo_${name} STATIC ${sources})
  kelvo_layer_root(kelvo_${name} PUBLIC ${folder})
  target_link_libraries(kelvo_${name} PUBLIC ${ARGN})
endfunction()

add_library(kelvo_resources INTERFACE)
kelvo_layer_root(kelvo_resources INTERFACE resources)

# platform/ itself holds the two platforms as subfolders: its root links
# only the files at its top, so that no layer reaches a platform by way of
# platform/.
file(GLOB KELVO_PLATFORM_HEADERS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform/*.h)
file(GLOB KELVO_PLATFORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
add_library(kelvo_platform STATIC ${KELVO_PLATFORM_SOURCES})
kelvo_layer_root(kelvo_platform PUBLIC ${KELVO_PLATFORM_HEADERS})

kelvo_layer(items items kelvo_platform)
kelvo_layer(run run kelvo_items kelvo_resources)
kelvo_layer(panels panels kelvo_run)
kelvo_layer(app app kelvo_panels)
# The console program's logic: its arguments, its output and its runs.
kelvo_layer(console console kelvo_app)

# The in-memory platform for tests and benchmarks.
kelvo_layer(memory platform/memory kelvo_platform)
