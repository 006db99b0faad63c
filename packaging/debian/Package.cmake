# The Debian package: `cpack -G DEB` in the build folder writes pixmere_VERSION_ARCH.deb.
set(CPACK_PACKAGE_NAME pixmere)
set(CPACK_PACKAGE_VENDOR Velmar)
set(CPACK_PACKAGE_CONTACT "Pixmere maintainers <pixmere@velmar.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bitmap font editor for Velmar label printers")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_CURRENT_LIST_DIR}/description.txt)
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Strips the programs, compresses the manual pages and adds the changelog in the staging folder,
# as Debian wants (CPACK_ variables reach that script through the generated CPack configuration).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/Stage.cmake)
set(CPACK_PIXMERE_STRIP ${CMAKE_STRIP})
set(CPACK_PIXMERE_BIN_DIR ${CMAKE_INSTALL_BINDIR})
set(CPACK_PIXMERE_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog)
set(CPACK_PIXMERE_DOC_DIR ${PIXMERE_DOC_DIR})
set(CPACK_PIXMERE_MAN_DIR ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION fonts)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries come from the binaries; the Qt platform plugins (the display connection, and the
# offscreen platform pixmere-cli uses for TrueType) are loaded at run time, so named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Help opens its pages in the desktop's browser through xdg-open; without it, in a window of
# its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
