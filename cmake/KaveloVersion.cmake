# Makes the Windows resources that carry the program's version from the one
# version in CMakeLists.txt (project(... VERSION x.y.z)): the manifest and
# version.rc, in <build>/generated, which resources/kavelo.rc includes.
set(KAVELO_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(KAVELO_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(KAVELO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(KAVELO_MANIFEST_FILE ${KAVELO_GENERATED_DIR}/kavelo.manifest)
configure_file(${PROJECT_SOURCE_DIR}/resources/kavelo.manifest ${KAVELO_MANIFEST_FILE} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${KAVELO_GENERATED_DIR}/version.rc @ONLY)
