# Install rules and packaging.
#
#   cmake --install <build dir> --prefix <prefix>   bin/partigen, share/man/man1/partigen.1.gz
#   cd <build dir> && cpack -G DEB                  a .deb with the same two files under /usr

include(GNUInstallDirs)

install(TARGETS partigen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Man pages are installed compressed, as Debian packages carry them. -n keeps
# the name and time stamp out of the archive, so the bytes are reproducible.
set(PARTIGEN_MAN_PAGE ${CMAKE_CURRENT_SOURCE_DIR}/docs/partigen.1)
find_program(PARTIGEN_GZIP gzip)
if(PARTIGEN_GZIP)
  set(PARTIGEN_MAN_GZ ${CMAKE_CURRENT_BINARY_DIR}/partigen.1.gz)
  add_custom_command(
    OUTPUT ${PARTIGEN_MAN_GZ}
    COMMAND ${PARTIGEN_GZIP} -9 -n -c ${PARTIGEN_MAN_PAGE} > ${PARTIGEN_MAN_GZ}
    DEPENDS ${PARTIGEN_MAN_PAGE}
    COMMENT "Compressing the man page"
    VERBATIM)
  add_custom_target(partigen_man ALL DEPENDS ${PARTIGEN_MAN_GZ})
  install(FILES ${PARTIGEN_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES ${PARTIGEN_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME partigen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measure the harmonics of one period of a tone in a WAV file")
set(CPACK_PACKAGE_DESCRIPTION
    "partigen reads one stretch of a mono 8- or 16-bit PCM WAV file as one period of a tone, \
prints the levels of its harmonics on a 0..127 scale, writes a one-period resynthesis to \
out.wav and can patch the levels into a ka1 file.")
set(CPACK_PACKAGE_CONTACT "partigen developers <partigen@invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
