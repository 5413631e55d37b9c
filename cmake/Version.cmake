# The release version: VERSION holds it, and nothing else does. Configuring makes the
# program's title from it, "DORVALIX v<version>", and writes both into the build tree:
#   generated/dorvalix_version.h   for the program and the C++ tests (VersionTitle)
#   generated/dorvalix_version.sh  for the shell scripts and scenarios (DORVALIX_TITLE)
# CMake code takes DORVALIX_VERSION and DORVALIX_TITLE as set here.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION DORVALIX_VERSION LIMIT_COUNT 1)
# Letters, digits and . + - only: the text then stands as it is inside a C string and
# inside shell quotes, and in the name of the release zip.
if(NOT DORVALIX_VERSION MATCHES "^[0-9A-Za-z.+-]+$")
    message(FATAL_ERROR "VERSION holds \"${DORVALIX_VERSION}\"; a version is made of letters, digits "
                        "and . + - only")
endif()
set(DORVALIX_TITLE "DORVALIX v${DORVALIX_VERSION}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/dorvalix_version.h.in
               ${CMAKE_BINARY_DIR}/generated/dorvalix_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/dorvalix_version.sh.in
               ${CMAKE_BINARY_DIR}/generated/dorvalix_version.sh @ONLY)

# The header's folder, for every target that shows or checks the title.
add_library(dorvalix_version INTERFACE)
target_include_directories(dorvalix_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Configure again when the version changes.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)
