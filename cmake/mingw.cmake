# Cross-compiling for Windows with Debian's MinGW-w64, for the processor in
# MINGW_ARCH (i686 or x86_64), set by the toolchain file that includes this.
# The posix thread model: GoogleTest needs std::mutex, which the win32 model
# lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(CMAKE_C_COMPILER ${MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every executable stands alone: the compiler's runtime libraries are linked
# in, so nothing but the system's DLLs is needed to run it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
