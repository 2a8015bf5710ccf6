# Cross-builds the Windows program with Debian's mingw-w64 (the POSIX-threads
# flavour of g++). The program is linked statically (see CMakeLists.txt), so the
# .exe needs nothing beside it on a clean Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TWS_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TWS_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TWS_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TWS_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TWS_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
