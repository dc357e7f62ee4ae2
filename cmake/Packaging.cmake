# The Linux package: whatever `cmake --install` puts under the prefix, made into a .deb by CPack
# (scripts/package.sh runs it on a Release build). The shared-library dependencies are read from
# the installed program by dpkg-shlibdeps, so the package declares exactly what it needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvelin)
set(CPACK_PACKAGE_VENDOR Zarvelin)
set(CPACK_PACKAGE_CONTACT "Zarvelin maintainers <maintainers@users.noreply.c-seed-8efcbd27.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copies a Visual Basic 6 project into another directory")
set(CPACK_PACKAGE_DESCRIPTION
    "zarvelin copies a VB6 project with every component, its binary companions, the resource file \
and related documents into a directory, and leaves there a project file that fits its new place. \
It runs the copy engine of the Zarvelin add-in for the Visual Basic 6 IDE without the IDE.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianPlaces.cmake)
include(CPack)
