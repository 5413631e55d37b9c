# The release zip of this tree: dist/dorvalix-<version>.zip with the two program files,
# stripped, and the README and LICENSE, all at the top level; beside it its SHA-256 in
# sha256sum's format ("<hex>  dorvalix-<version>.zip"), so that `sha256sum -c` checks it
# from that folder. Built with the rest, so the tests of the tree always find them;
# `make dist` copies the product's to build/dist.
find_program(DORVALIX_ZIP zip REQUIRED)
set(zip_name dorvalix-${DORVALIX_VERSION}.zip)
set(DORVALIX_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/${zip_name})
find_program(DORVALIX_SHA256SUM sha256sum REQUIRED)
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
# The zip named without its folder, as sha256sum -c finds it beside the checksum file.
add_custom_command(OUTPUT ${DORVALIX_DIST_ZIP}.sha256
    COMMAND sh -c "'${DORVALIX_SHA256SUM}' ${zip_name} >${zip_name}.sha256.part && mv ${zip_name}.sha256.part ${zip_name}.sha256"
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/dist
    DEPENDS ${DORVALIX_DIST_ZIP}
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${DORVALIX_DIST_ZIP} ${DORVALIX_DIST_ZIP}.sha256)
