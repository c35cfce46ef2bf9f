# Cross-compiling the released Kavelo.exe with mingw-w64's win32 thread
# model: Kavelo has one thread, and the posix model's runtime links
# winpthreads into the program (25 KB). The Windows tests keep the posix
# model (mingw-w64-x86_64.cmake): they use std::thread, which GCC 12's win32
# model does not have.
set(KAVELO_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
