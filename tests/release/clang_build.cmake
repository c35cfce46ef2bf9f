# Configures and builds Kavelo.exe with clang (cmake/clang-mingw-w64-x86_64.cmake)
# in BINARY_DIR, with two jobs: fails on any warning.
#   cmake -DSOURCE_DIR=<checkout> -DBINARY_DIR=<tree> -P clang_build.cmake
foreach(step
    "-S;${SOURCE_DIR};-B;${BINARY_DIR};-G;Ninja;-DCMAKE_BUILD_TYPE=Release;-DKAVELO_WINDOWS_TESTS=OFF;-DCMAKE_COMPILE_WARNING_AS_ERROR=ON;-DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/cmake/clang-mingw-w64-x86_64.cmake"
    "--build;${BINARY_DIR};--target;Kavelo;-j;2")
  execute_process(COMMAND ${CMAKE_COMMAND} ${step} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "clang build failed: cmake ${step}")
  endif()
endforeach()
