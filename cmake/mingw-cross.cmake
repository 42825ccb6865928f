# What both MinGW-w64 toolchain files share; each sets CMAKE_SYSTEM_PROCESSOR (i686, x86_64) first.
# The posix thread model, so that std::mutex works.
set(CMAKE_SYSTEM_NAME Windows)
set(NT_MINGW_PREFIX ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${NT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${NT_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${NT_MINGW_PREFIX}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${NT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# CTest runs the test programs under Wine, with the loader for this architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run ${CMAKE_SYSTEM_PROCESSOR})
