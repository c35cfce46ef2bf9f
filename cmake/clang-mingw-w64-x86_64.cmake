# Cross-compiling Kavelo.exe on Linux with clang instead of GCC: the same
# target (x86_64-w64-mingw32), mingw-w64's headers and import libraries, and
# the C++ library of mingw-w64's GCC (win32 threads, as the release build).
# Only a check that the code stays portable across compilers: GCC builds what
# is shipped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

# Debian installs that GCC's files under a versioned folder ("12-win32")
# whose name clang does not recognise: ask that GCC where its library is
# and name its C++ headers and library folder explicitly.
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-g++-win32 -print-file-name=libstdc++.a
  OUTPUT_VARIABLE KAVELO_MINGW_LIBSTDCXX OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(KAVELO_MINGW_GCC_DIR "${KAVELO_MINGW_LIBSTDCXX}" DIRECTORY)
if(NOT IS_DIRECTORY "${KAVELO_MINGW_GCC_DIR}/include/c++")
  message(FATAL_ERROR "no C++ headers of ${TOOLCHAIN_PREFIX}-g++-win32 (install g++-mingw-w64-x86-64-win32)")
endif()
set(CMAKE_CXX_FLAGS_INIT "-isystem ${KAVELO_MINGW_GCC_DIR}/include/c++ \
-isystem ${KAVELO_MINGW_GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX} \
-isystem ${KAVELO_MINGW_GCC_DIR}/include/c++/backward")
# LLVM's linker: GNU ld warns about the sections of clang's type information.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -Wl,--fatal-warnings -L${KAVELO_MINGW_GCC_DIR} -static -static-libgcc")

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
