# 32-bit Windows cross build with Debian's mingw-w64, posix thread model.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QC_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
