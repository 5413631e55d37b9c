# The release zip of this tree: dist/dorvalix-<version>.zip with the two program files,
# stripped, and the README and LICENSE, all at the top level. Built with the rest, so
# the tests of the tree always find it; `make dist` copies the product's to build/dist.
find_program(DORVALIX_ZIP zip REQUIRED)
set(DORVALIX_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/dorvalix-${DORVALIX_VERSION}.zip)
set(dist_files ${CMAKE_BINARY_DIR}/dist/files)
add_custom_command(OUTPUT ${DORVALIX_DIST_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist_files} ${DORVALIX_DIST_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist_files}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dorvalix> $<TARGET_FILE:dorvalix-classify>
            ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${dist_files}
    COMMAND ${CMAKE_STRIP} --strip-all ${dist_files}/$<TARGET_FILE_NAME:dorvalix>
            ${dist_files}/$<TARGET_FILE_NAME:dorvalix-classify>
    # -j: no folders in the zip; -X: no Unix owners and modes, which Windows ignores.
    COMMAND ${DORVALIX_ZIP} -q -j -X ${DORVALIX_DIST_ZIP} ${dist_files}/$<TARGET_FILE_NAME:dorvalix>
            ${dist_files}/$<TARGET_FILE_NAME:dorvalix-classify> ${dist_files}/README.md ${dist_files}/LICENSE
    DEPENDS dorvalix dorvalix-classify ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${DORVALIX_DIST_ZIP}"
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${DORVALIX_DIST_ZIP})
