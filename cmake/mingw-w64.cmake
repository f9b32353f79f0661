# Cross-compiles for 64-bit Windows with MinGW-w64 (posix thread model) and
# runs the resulting test programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELVO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELVO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static executables, so Wine needs none of MinGW's own DLLs
# (libstdc++, libgcc, libwinpthread).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh)
