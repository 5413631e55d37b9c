# The release version: VERSION holds it, and nothing else does. Configuring makes the
# program's title from it, "DORVALIX v<version>", and writes both into the build tree:
#   generated/dorvalix_version.h   for the program and the C++ tests (VersionTitle)
#   generated/dorvalix_version.sh  for the shell scripts and scenarios (DORVALIX_TITLE,
#                                  and the installer package's version and publisher)
#   generated/dorvalix_version.rc2 the version resource that the programs' .rc files share
# CMake code takes DORVALIX_VERSION, DORVALIX_TITLE, DORVALIX_PACKAGE_VERSION and
# DORVALIX_PUBLISHER as set here.
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

string(REGEX MATCHALL "[0-9]+" version_runs "${DORVALIX_VERSION}")
list(LENGTH version_runs runs)

# Stops the configuration where a number of the version is larger than a place of
# `what` holds.
function(check_version_number number most what)
    string(LENGTH "${number}" digits)
    if(digits GREATER 5 OR number GREATER most)
        message(FATAL_ERROR "VERSION holds \"${DORVALIX_VERSION}\"; its number ${number} is larger than ${most}, "
                            "the most ${what} holds in that place")
    endif()
endfunction()

# VERSION's run of digits at index as a number, without leading zeros (windres reads
# "010" as octal 8); 0 past the last run.
function(version_run index out)
    set(number 0)
    if(index LESS runs)
        list(GET version_runs ${index} run)
        string(REGEX REPLACE "^0+([0-9])" "\\1" number "${run}")
    endif()
    set(${out} ${number} PARENT_SCOPE)
endfunction()

# The numbers of the version resource (FILEVERSION, PRODUCTVERSION): VERSION's runs of
# digits in order, the first four, padded with 0 to four ("1.0b" gives 1,0,0,0; "2.10.3"
# gives 2,10,3,0); each must fit in the 16 bits that Windows keeps of it.
set(DORVALIX_VERSION_NUMBERS "")
foreach(index RANGE 3)
    version_run(${index} number)
    check_version_number(${number} 65535 "a version resource")
    list(APPEND DORVALIX_VERSION_NUMBERS ${number})
endforeach()
string(REPLACE ";" "," DORVALIX_VERSION_NUMBERS "${DORVALIX_VERSION_NUMBERS}")

# The version of the installer package (its ProductVersion, major.minor.build: Windows
# Installer compares only these three, and a newer package replaces an older one only
# where they grew): VERSION's first three runs of digits, padded with 0; where VERSION has
# fewer than three and ends in a letter, the third is that letter's place in the
# alphabet, so that 1.0b gives 1.0.2: above 1.0 (1.0.0) and 1.0a, below 1.0c and 1.1.
# Windows Installer keeps 255, 255 and 65535 at most.
set(package_numbers "")
foreach(index RANGE 2)
    version_run(${index} number)
    if(index EQUAL 2 AND runs LESS 3 AND DORVALIX_VERSION MATCHES "[0-9]([A-Za-z])$")
        string(TOLOWER "${CMAKE_MATCH_1}" letter)
        string(FIND "abcdefghijklmnopqrstuvwxyz" "${letter}" place)
        math(EXPR number "${place} + 1")
    endif()
    set(most 255)
    if(index EQUAL 2)
        set(most 65535)
    endif()
    check_version_number(${number} ${most} "an installer package's version")
    list(APPEND package_numbers ${number})
endforeach()
string(REPLACE ";" "." DORVALIX_PACKAGE_VERSION "${package_numbers}")
# The publisher, as the version resource and the installer package's entry in Apps &
# features name it.
set(DORVALIX_PUBLISHER "The DORVALIX authors")

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
configure_file(${CMAKE_SOURCE_DIR}/cmake/dorvalix_version.sh.in
               ${CMAKE_BINARY_DIR}/generated/dorvalix_version.sh @ONLY)

# The header's folder, for every target that shows or checks the title.
add_library(dorvalix_version INTERFACE)
target_include_directories(dorvalix_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Configure again when the version or the licence changes.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION ${CMAKE_SOURCE_DIR}/LICENSE)
