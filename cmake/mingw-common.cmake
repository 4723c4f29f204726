set(CMAKE_C_COMPILER ${QM_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The executables must run on a bare Windows: no mingw runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Tests run under Wine; the test script provides the prefix and the server.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
