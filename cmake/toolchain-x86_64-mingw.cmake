# Cross-compiling for 64-bit Windows with MinGW-w64: the twin of the i686 build that runs the Windows
# tests on machines that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
