# How Kavelo.exe itself is linked: optimised as one program across its
# libraries (-flto: 44 KB less), unused sections dropped, symbols stripped,
# and a map file beside it (bin/Kavelo.map) that shows what the remaining
# bytes are made of.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # The entry point stays out of it: optimised together with the libraries
  # it makes GCC 12 stop with an internal error (in binds_to_current_def_p).
  set_source_files_properties(${PROJECT_SOURCE_DIR}/src/main.cpp TARGET_DIRECTORY Kavelo
    PROPERTIES COMPILE_OPTIONS -fno-lto)
  # One partition: split into several, the program's code made GCC 12 stop
  # with that same error wherever the split happened to fall.
  target_link_options(Kavelo PRIVATE -flto -flto-partition=one)
endif()
if(NOT MSVC)
  target_link_options(Kavelo PRIVATE -Wl,--gc-sections -Wl,-Map=$<TARGET_FILE_DIR:Kavelo>/Kavelo.map)
endif()
if(KAVELO_STARTUP_TRACE)
  target_compile_definitions(Kavelo PRIVATE KAVELO_STARTUP_TRACE)
endif()

# The two downloads (scripts/package.sh) from this tree's Kavelo.exe, in dist/.
add_custom_target(dist
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package.sh --exe $<TARGET_FILE:Kavelo>
  DEPENDS Kavelo USES_TERMINAL)
