# Native build of the portable code under AddressSanitizer and UndefinedBehaviorSanitizer.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_FLAGS_INIT "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g")
set(CMAKE_C_FLAGS_INIT "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fsanitize=address,undefined")
