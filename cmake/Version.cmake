# The release version: VERSION holds it, and nothing else does. Configuring makes the
# program's title from it, "DORVALIX v<version>", and writes both into the build tree:
#   generated/dorvalix_version.h   for the program and the C++ tests (VersionTitle)
#   generated/dorvalix_version.sh  for the shell scripts and scenarios (DORVALIX_TITLE)
#   generated/dorvalix_version.rc2 the version resource that the programs' .rc files share
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

# The numbers of the version resource (FILEVERSION, PRODUCTVERSION): VERSION's runs of
# digits in order, the first four, padded with 0 to four ("1.0b" gives 1,0,0,0; "2.10.3"
# gives 2,10,3,0). Leading zeros are dropped, since windres reads "010" as octal 8;
# each must fit in the 16 bits that Windows keeps of it.
string(REGEX MATCHALL "[0-9]+" version_runs "${DORVALIX_VERSION}")
list(LENGTH version_runs runs)
set(DORVALIX_VERSION_NUMBERS "")
foreach(index RANGE 3)
    set(number 0)
    if(index LESS runs)
        list(GET version_runs ${index} run)
        string(REGEX REPLACE "^0+([0-9])" "\\1" number "${run}")
        string(LENGTH "${number}" digits)
        if(digits GREATER 5 OR number GREATER 65535)
            message(FATAL_ERROR "VERSION holds \"${DORVALIX_VERSION}\"; its number ${run} is larger than 65535, "
                                "the most a version resource holds")
        endif()
    endif()
    list(APPEND DORVALIX_VERSION_NUMBERS ${number})
endforeach()
string(REPLACE ";" "," DORVALIX_VERSION_NUMBERS "${DORVALIX_VERSION_NUMBERS}")

# The copyright of the version resource, from LICENSE: its copyright line and the
# licence's name (its first line), "Copyright (c) <year> <holders>, MIT License".
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE license_name LIMIT_COUNT 1)
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE license_copyright REGEX "^Copyright " LIMIT_COUNT 1)
set(DORVALIX_COPYRIGHT "${license_copyright}, ${license_name}")
# It stands inside a resource string: printable ASCII without quotes or backslashes.
if(NOT license_copyright OR NOT DORVALIX_COPYRIGHT MATCHES "^[]-~ !#-[]+$")
    message(FATAL_ERROR "LICENSE needs a line \"Copyright ...\" of printable ASCII without quotes or backslashes; "
                        "the version resource takes it")
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/dorvalix_version.rc2.in
               ${CMAKE_BINARY_DIR}/generated/dorvalix_version.rc2 @ONLY)

# The header's folder, for every target that shows or checks the title.
add_library(dorvalix_version INTERFACE)
target_include_directories(dorvalix_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Configure again when the version or the licence changes.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION ${CMAKE_SOURCE_DIR}/LICENSE)
