# Installation and packages. On Linux `cmake --install` lays out a Debian-style
# tree and CPack makes a .deb of it; the Windows build installs quellor.exe
# beside its three textures and CPack makes a .zip.
set(CPACK_PACKAGE_NAME quellor)
set(CPACK_PACKAGE_VENDOR "Quellor")
set(CPACK_PACKAGE_CONTACT "Quellor developers <developers@quellor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small interactive 3D scene drawn with fixed-function OpenGL")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

set(QUELLOR_INSTALLED_TEXTURES ${QUELLOR_RUNTIME_DIR}/tex1.bmp ${QUELLOR_RUNTIME_DIR}/tex2.bmp
                               ${QUELLOR_RUNTIME_DIR}/tex3.bmp)

if(WIN32)
  # The archive's top folder holds the program and its textures, so that
  # starting quellor.exe from there finds them in its working directory.
  install(TARGETS quellor RUNTIME DESTINATION .)
  install(FILES ${QUELLOR_INSTALLED_TEXTURES} DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quellor-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  # The launcher (bin/quellor) finds the program and the data directory
  # relative to itself: ../libexec/quellor/quellor and ../share/quellor. The
  # program finds its display guard beside itself.
  # The browser build has no display guard.
  install(TARGETS quellor RUNTIME DESTINATION libexec/quellor)
  if(TARGET quellor-display-guard)
    install(TARGETS quellor-display-guard RUNTIME DESTINATION libexec/quellor)
  endif()
  install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/quellor-launcher.sh DESTINATION bin
          RENAME quellor)
  install(FILES ${QUELLOR_INSTALLED_TEXTURES} DESTINATION share/quellor)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/quellor.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
          DESTINATION share/doc/quellor)

  # The changelogs and the manual page, compressed as Debian's tools compress
  # them: gzip -9n, the most, and without the file's name and time, so that the
  # same sources give the same package. changelog.gz is the program's own
  # history, which a package whose version has no Debian revision is expected
  # to carry; changelog.Debian.gz is the package's.
  find_program(QUELLOR_GZIP gzip REQUIRED)
  set(QUELLOR_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/quellor.1.in ${QUELLOR_PACKAGING_DIR}/quellor.1
                 @ONLY)
  set(QUELLOR_COMPRESSED_DOCS)
  function(quellor_compress_doc source name)
    set(plain ${QUELLOR_PACKAGING_DIR}/compressed/${name})
    add_custom_command(
      OUTPUT ${plain}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
      COMMAND ${QUELLOR_GZIP} -9nf ${plain}
      DEPENDS ${source}
      COMMENT "Compressing ${name}"
      VERBATIM)
    set(QUELLOR_COMPRESSED_DOCS ${QUELLOR_COMPRESSED_DOCS} ${plain}.gz PARENT_SCOPE)
  endfunction()
  quellor_compress_doc(${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog)
  quellor_compress_doc(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian changelog.Debian)
  quellor_compress_doc(${QUELLOR_PACKAGING_DIR}/quellor.1 quellor.1)
  add_custom_target(quellor_compressed_docs ALL DEPENDS ${QUELLOR_COMPRESSED_DOCS})
  install(FILES ${QUELLOR_PACKAGING_DIR}/compressed/changelog.gz
                ${QUELLOR_PACKAGING_DIR}/compressed/changelog.Debian.gz
          DESTINATION share/doc/quellor)
  install(FILES ${QUELLOR_PACKAGING_DIR}/compressed/quellor.1.gz DESTINATION share/man/man1)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Mesa's drivers, which the OpenGL libraries load at run time.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
         "A textured, lit floor with a wandering and a shuttling cube, a pillar\n"
         "and a wall. Escape ends it, space switches the camera target, F1\n"
         "toggles fullscreen.")
endif()

include(CPack)
