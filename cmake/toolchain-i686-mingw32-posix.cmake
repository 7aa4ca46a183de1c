# Windows-side tests only: GoogleTest needs std::mutex, which only the posix thread model has.
# Its winpthreads imports GetTickCount64 (Vista and later), so it never builds the shipped program.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-i686-mingw32.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
