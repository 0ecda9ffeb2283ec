# Windows cross build with Debian's mingw-w64, posix thread model, for the
# target named by QC_MINGW_TRIPLE (set by toolchain-mingw32.cmake or
# toolchain-mingw64.cmake before including this file).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QC_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the DLL and the test programs need only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
