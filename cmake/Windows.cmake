# Windows-only targets: the Win32 platform, its tests under Wine, the program
# itself and its end-to-end tests.
enable_language(RC)

# MinGW declares the re-entrant C time functions (localtime_r, gmtime_r)
# only on request; the in-memory clock uses them.
add_compile_definitions(_POSIX_THREAD_SAFE_FUNCTIONS=200112L)

# Wine's prefix for every test of this build lives in the build folder.
set(KELVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set_tests_properties(unit PROPERTIES ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX}")

# The real platform behind the interfaces in platform/: a layer beside the
# in-memory one (cmake/Layers.cmake).
kelvo_layer(win32 platform/win32 kelvo_platform kelvo_resources comctl32 shell32 ole32 user32 gdi32 kernel32)

file(GLOB KELVO_WIN32_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp)
if(KELVO_WIN32_TESTS)
  add_executable(kelvo_win32_tests ${KELVO_WIN32_TESTS})
  target_include_directories(kelvo_win32_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kelvo_win32_tests PRIVATE kelvo_app kelvo_win32 kelvo_memory gtest_main)
  add_test(NAME win32 COMMAND kelvo_win32_tests --gtest_filter=-Win32ClockBerlinTest.*:LinksOnDiskTest.*)
  set_tests_properties(win32 PROPERTIES ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX}")
  # Runs on a tree of Unix symbolic links that the script makes first.
  add_test(NAME win32_links
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-links.sh $<TARGET_FILE:kelvo_win32_tests> --gtest_filter=LinksOnDiskTest.*)
  set_tests_properties(win32_links PROPERTIES
    ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX};KELVO_LINKS=${CMAKE_BINARY_DIR}/links-scratch"
    TIMEOUT 120)
  # The clock, and a run that sets a time, once more in a zone with
  # daylight saving, whatever the machine's own zone is: there the tests
  # expect the local times written out for that zone.
  add_test(NAME win32_clock_berlin
    COMMAND kelvo_win32_tests --gtest_filter=Win32Clock*:RunJobOnDiskTest.ModificationTime*)
  set_tests_properties(win32_clock_berlin PROPERTIES
    ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX};TZ=Europe/Berlin;KELVO_TEST_ZONE=Europe/Berlin")
endif()

# The program: only once its own sources exist.
file(GLOB KELVO_APP_WIN32_SOURCES CONFIGURE_DEPENDS app/win32/*.cpp)
file(GLOB KELVO_RESOURCE_SCRIPTS CONFIGURE_DEPENDS resources/*.rc)
if(KELVO_APP_WIN32_SOURCES)
  add_executable(Kelvo WIN32 ${KELVO_APP_WIN32_SOURCES} ${KELVO_RESOURCE_SCRIPTS})
  target_link_libraries(Kelvo PRIVATE kelvo_app kelvo_win32)
  # wWinMain: the C runtime then splits the command line into its wide
  # argument vector. Linking only, so UNICODE stays undefined and every
  # call names its ...W form.
  target_link_options(Kelvo PRIVATE -mwindows -municode)
  # Resource scripts are UTF-8; the files they name (icon, manifest) lie
  # beside them.
  set_property(SOURCE ${KELVO_RESOURCE_SCRIPTS} APPEND PROPERTY COMPILE_OPTIONS -c 65001)
  set_property(SOURCE ${KELVO_RESOURCE_SCRIPTS} APPEND PROPERTY INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/resources)
  # The help document is opened from the executable's own folder.
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/ReadMe.html
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/ReadMe.html ${CMAKE_BINARY_DIR}/ReadMe.html
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/ReadMe.html)
  add_custom_target(KelvoHelpDocument DEPENDS ${CMAKE_BINARY_DIR}/ReadMe.html)
  add_dependencies(Kelvo KelvoHelpDocument)
endif()

# The console program, beside the window's: the same layers, a console
# subsystem, wmain for the wide arguments.
file(GLOB KELVO_CONSOLE_WIN32_SOURCES CONFIGURE_DEPENDS console/win32/*.cpp)
if(KELVO_CONSOLE_WIN32_SOURCES)
  add_executable(KelvoCmd ${KELVO_CONSOLE_WIN32_SOURCES})
  target_include_directories(KelvoCmd PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(KelvoCmd PRIVATE kelvo_console kelvo_win32)
  target_link_options(KelvoCmd PRIVATE -municode)
endif()

# End-to-end tests of the real window: they run under Wine on an Xvfb
# display of their own. xvfb-wine.sh hands them the program's path in
# KELVO_EXE and an emptied scratch folder in KELVO_SCRATCH, both in Windows
# form (Z:\...).
file(GLOB KELVO_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(KELVO_APP_WIN32_SOURCES AND KELVO_E2E_TESTS)
  add_executable(kelvo_e2e_tests ${KELVO_E2E_TESTS})
  target_include_directories(kelvo_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kelvo_e2e_tests PRIVATE gtest_main user32 gdi32 comctl32 shell32 kernel32)
  add_dependencies(kelvo_e2e_tests Kelvo KelvoCmd)
  add_test(NAME e2e
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/xvfb-wine.sh $<TARGET_FILE:kelvo_e2e_tests>)
  # The same suite on a system whose code page is not 932 (1252): every
  # text it compares must be the same bytes as in the Japanese run. C.UTF-8
  # is always there; a locale that is not generated (en_US.UTF-8 on a fresh
  # machine) would leave Wine unable to store names beyond ASCII on disk.
  add_test(NAME e2e_locale_en
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/xvfb-wine.sh $<TARGET_FILE:kelvo_e2e_tests>)
  # One prefix serves both locales; the two runs share the mouse of one
  # wineserver, so they never run at the same time.
  set_tests_properties(e2e PROPERTIES
    ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX};KELVO_EXE=$<TARGET_FILE:Kelvo>;KELVO_SCRATCH=${CMAKE_BINARY_DIR}/e2e-scratch"
    RESOURCE_LOCK kelvo_wine_desktop
    TIMEOUT 900)
  set_tests_properties(e2e_locale_en PROPERTIES
    ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX};KELVO_EXE=$<TARGET_FILE:Kelvo>;KELVO_SCRATCH=${CMAKE_BINARY_DIR}/e2e-scratch-en;KELVO_WINE_LANG=C.UTF-8"
    RESOURCE_LOCK kelvo_wine_desktop
    TIMEOUT 900)
  # Names the system reads as another item, made from the Unix side first.
  add_test(NAME e2e_odd_names
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/with-odd-names.sh $<TARGET_FILE:kelvo_e2e_tests> --gtest_filter=OddNamesE2eTest.*)
  set_tests_properties(e2e_odd_names PROPERTIES
    ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX};KELVO_EXE=$<TARGET_FILE:Kelvo>;KELVO_SCRATCH=${CMAKE_BINARY_DIR}/e2e-odd-scratch;KELVO_ODD_NAMES=${CMAKE_BINARY_DIR}/odd-names"
    RESOURCE_LOCK kelvo_wine_desktop
    TIMEOUT 300)
  # The window at four display scalings: only the scaling tests, in a
  # prefix of their own whose LogPixels each run sets first, on a screen
  # that grows with the scaling. The runs share that prefix, so they never
  # overlap.
  foreach(dpi 96 120 144 192)
    math(EXPR screenWidth "1024 * ${dpi} / 96")
    math(EXPR screenHeight "768 * ${dpi} / 96")
    add_test(NAME e2e_dpi_${dpi}
      COMMAND ${CMAKE_SOURCE_DIR}/cmake/xvfb-wine.sh $<TARGET_FILE:kelvo_e2e_tests> --gtest_filter=DpiE2eTest.*)
    set_tests_properties(e2e_dpi_${dpi} PROPERTIES
      ENVIRONMENT "KELVO_WINEPREFIX=${KELVO_WINEPREFIX}-dpi;KELVO_LOGPIXELS=${dpi};KELVO_SCREEN=${screenWidth}x${screenHeight};KELVO_EXE=$<TARGET_FILE:Kelvo>;KELVO_SCRATCH=${CMAKE_BINARY_DIR}/e2e-dpi-${dpi}-scratch"
      RESOURCE_LOCK kelvo_wineprefix_dpi
      TIMEOUT 300)
  endforeach()
endif()

# The benchmark of the real program against a bare loop of the same Win32
# calls; built and run on demand by scripts/benchmark.sh, not a test.
file(GLOB KELVO_WIN32_BENCHMARK_SOURCES CONFIGURE_DEPENDS bench/win32/*.cpp)
if(KELVO_APP_WIN32_SOURCES AND KELVO_WIN32_BENCHMARK_SOURCES)
  add_executable(kelvo_win32_benchmark EXCLUDE_FROM_ALL ${KELVO_WIN32_BENCHMARK_SOURCES}
    tests/e2e/KelvoProcess.cpp)
  target_include_directories(kelvo_win32_benchmark PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(kelvo_win32_benchmark PRIVATE psapi user32 kernel32)
  add_dependencies(kelvo_win32_benchmark Kelvo)
endif()
