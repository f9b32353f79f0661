# Native-only targets: benchmarks against the in-memory platform.
find_package(benchmark QUIET)
file(GLOB KELVO_BENCHMARKS CONFIGURE_DEPENDS bench/native/*.cpp)
if(benchmark_FOUND AND KELVO_BENCHMARKS)
  add_executable(kelvo_benchmarks ${KELVO_BENCHMARKS})
  target_include_directories(kelvo_benchmarks PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kelvo_benchmarks PRIVATE kelvo_app kelvo_memory benchmark::benchmark)
endif()
