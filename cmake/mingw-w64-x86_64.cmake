# Cross-compiles for 64-bit Windows with MinGW-w64 (Debian:
# g++-mingw-w64-x86-64-posix). The programs are linked statically, so each
# one is a single .exe that needs no DLL beyond those Windows itself has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32)
# The posix flavour of the compiler: its standard library has std::thread.
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine where it is installed (Debian: wine64).
find_program(SCENARIO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(SCENARIO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SCENARIO_WINE})
endif()
