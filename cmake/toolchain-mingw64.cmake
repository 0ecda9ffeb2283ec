# 64-bit (x86-64) Windows cross build with Debian's mingw-w64, posix thread
# model: the same sources as the 32-bit build, for 64-bit hosts.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QC_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
