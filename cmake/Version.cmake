# The release version: VERSION holds it, and the program's title text shows it. The
# two must agree, so a release never ships under a title of another version.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION DORVALIX_VERSION LIMIT_COUNT 1)
file(READ ${CMAKE_SOURCE_DIR}/app/notice_text.h notice_header)
string(REGEX MATCH "VersionTitle\\[\\] = \"DORVALIX v([^\"]*)\"" title_found "${notice_header}")
if(NOT title_found)
    message(FATAL_ERROR "app/notice_text.h: no VersionTitle of the form \"DORVALIX v<version>\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL DORVALIX_VERSION)
    message(FATAL_ERROR "VERSION holds \"${DORVALIX_VERSION}\" but the title in app/notice_text.h "
                        "shows \"${CMAKE_MATCH_1}\"; make them agree")
endif()
# Configure again when either changes.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/VERSION ${CMAKE_SOURCE_DIR}/app/notice_text.h)
