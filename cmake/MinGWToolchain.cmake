# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and std::mutex need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs carry their C and C++ runtimes, so they run with nothing beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The libraries built for Windows by scripts/build-windows.sh.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARN_WINDOWS_DEPS)
if(TARN_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TARN_WINDOWS_DEPS})
endif()
# Programs built here run under Wine: the test programs, and tarn-cli when
# it writes the sample game for the zip.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
