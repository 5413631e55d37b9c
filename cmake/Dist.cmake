# The release of this tree, in dist/: the zip (dorvalix-<version>.zip: the two program
# files, stripped, and the README and LICENSE, at its top level) with its SHA-256 beside
# it in sha256sum's format, the per-user installer package (dorvalix-<version>.msi, from
# app/dorvalix.wxs) and SHA256SUMS for all three, packed by scripts/pack-release.sh the
# same way, to the byte, wherever the tree is. Built with the rest, so the tests of the
# tree always find them; `make dist` packs the product's again into build/dist, signed
# where a certificate is given.
find_program(DORVALIX_ZIP zip REQUIRED)
find_program(DORVALIX_WIXL wixl REQUIRED)
find_program(DORVALIX_MSIBUILD msibuild REQUIRED)
find_program(DORVALIX_FAKETIME faketime REQUIRED)
set(DORVALIX_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/dorvalix-${DORVALIX_VERSION}.zip)
set(DORVALIX_DIST_MSI ${CMAKE_BINARY_DIR}/dist/dorvalix-${DORVALIX_VERSION}.msi)
set(dist_files ${CMAKE_BINARY_DIR}/dist/files)
# The files to pack, by the names that the packing and the package use.
set(packed_files ${dist_files}/DORVALIX.EXE ${dist_files}/dorvalix-classify.exe ${dist_files}/README.md
                 ${dist_files}/LICENSE)
add_custom_command(OUTPUT ${packed_files}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${dist_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist_files}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dorvalix> $<TARGET_FILE:dorvalix-classify>
            ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${dist_files}
    # strip writes the time into the file header, or SOURCE_DATE_EPOCH where it is set:
    # 0 keeps it without one, as the linker left it (--no-insert-timestamp).
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_STRIP} --strip-all ${dist_files}/DORVALIX.EXE ${dist_files}/dorvalix-classify.exe
    DEPENDS dorvalix dorvalix-classify ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
    VERBATIM)
add_custom_command(OUTPUT ${DORVALIX_DIST_ZIP} ${DORVALIX_DIST_ZIP}.sha256 ${DORVALIX_DIST_MSI}
                          ${CMAKE_BINARY_DIR}/dist/SHA256SUMS
    COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/pack-release.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/dist
    DEPENDS ${packed_files} ${CMAKE_SOURCE_DIR}/scripts/pack-release.sh
            ${CMAKE_SOURCE_DIR}/app/dorvalix.wxs ${CMAKE_SOURCE_DIR}/icon/dorvalix.ico
            ${CMAKE_BINARY_DIR}/generated/dorvalix_version.sh
    COMMENT "Packing ${DORVALIX_DIST_ZIP} and ${DORVALIX_DIST_MSI}"
    VERBATIM)
add_custom_target(dist ALL DEPENDS ${DORVALIX_DIST_ZIP} ${DORVALIX_DIST_MSI})
