# Runs in cpack between the install into the staging folder and the packing. Debian ships
# programs without symbols or compiler notes, and manual pages and the changelog compressed with
# gzip -9n (no name or time stamp, so the package is reproducible).
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})

file(GLOB programs ${root}/${CPACK_PIXMERE_BIN_DIR}/*)
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_PIXMERE_STRIP} --remove-section=.comment --remove-section=.note
        ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(MAKE_DIRECTORY ${root}/${CPACK_PIXMERE_DOC_DIR})
file(COPY_FILE ${CPACK_PIXMERE_CHANGELOG} ${root}/${CPACK_PIXMERE_DOC_DIR}/changelog)
file(GLOB pages ${root}/${CPACK_PIXMERE_MAN_DIR}/*.1)
foreach(file IN LISTS pages ITEMS ${root}/${CPACK_PIXMERE_DOC_DIR}/changelog)
    execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
