# Installing and packaging. The layout under the prefix is fixed, so the
# program finds its files from its own place (games/ -> share/quibix) and an
# installed tree can be moved as a whole:
#   games/quibix                     the program (bin/quibix links to it)
#   lib/games/quibix/quibix-audio.so its sound and music, loaded once the window shows
#   lib/games/quibix/quibix-gamepads.so  its gamepads, loaded after the sound
#   share/quibix/                    data/, the skin folders, Readme.txt
#   share/applications/, share/icons/hicolor/, share/metainfo/, share/man/man6/
#   share/doc/quibix/                copyright and changelog

set(APP_ID org.quibix.Quibix)
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Manual page and changelog go compressed, with no time stamp in the gzip
# header, so the same sources give the same bytes.
find_program(GZIP gzip REQUIRED)
set(MAN_GZ ${CMAKE_BINARY_DIR}/packaging/quibix.6.gz)
set(CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${MAN_GZ} ${CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND sh -c "${GZIP} -9n < '${PACKAGING_DIR}/quibix.6' > '${MAN_GZ}'"
  COMMAND sh -c "${GZIP} -9n < '${PACKAGING_DIR}/changelog' > '${CHANGELOG_GZ}'"
  DEPENDS ${PACKAGING_DIR}/quibix.6 ${PACKAGING_DIR}/changelog
  VERBATIM)
add_custom_target(packaging_docs ALL DEPENDS ${MAN_GZ} ${CHANGELOG_GZ})

# Games live in games/ (the Debian custom). Under another prefix (say
# /usr/local) bin/ holds a link, so the command is found on every PATH; the
# package, in /usr, keeps to the distribution's rule of no games in
# /usr/bin (/usr/games is on the players' PATH).
install(TARGETS quibix RUNTIME DESTINATION games)
# The audio module, a game's private library (lib/games/, as Debian keeps
# them), which the program loads from there.
install(TARGETS quibix-audio quibix-gamepads LIBRARY DESTINATION lib/games/quibix)
install(CODE "if(NOT \${CMAKE_INSTALL_PREFIX} STREQUAL \"/usr\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../games/quibix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/quibix\" SYMBOLIC)
endif()")
# The application folder as the build assembles it, minus the program and
# the files a game run may have written there.
install(DIRECTORY ${APP_DIR}/ DESTINATION share/quibix
  PATTERN quibix EXCLUDE
  PATTERN quibix-audio.so EXCLUDE
  PATTERN quibix-gamepads.so EXCLUDE
  REGEX "/[Qq][Uu][Ii][Bb][Ii][Xx]\\.([Dd][Aa][Tt]|[Cc][Ff][Gg])$" EXCLUDE)
install(FILES ${PACKAGING_DIR}/${APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PACKAGING_DIR}/${APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${ICON_DIR}/quibix-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quibix.png)
endforeach()
install(FILES ${ICON_DIR}/quibix.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${MAN_GZ} DESTINATION share/man/man6)
install(FILES ${PACKAGING_DIR}/copyright ${CHANGELOG_GZ} DESTINATION share/doc/quibix)

# The Debian package. Its library dependencies are read from what the
# program links (dpkg-shlibdeps); the fonts and the soundfont are data the
# program looks for at run time, so they are recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quibix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quibix Developers <developers@quibix.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-comic-neue, timgm6mb-soundfont")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
# (CPack indents the lines and marks the empty one itself.)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"puzzle game: aim the cannon, match the pieces, clear the board
Coloured pieces hang from the top of a staggered play field. Aim the
cannon with the mouse and click to fire; a piece that completes a group
of equal pieces makes it vanish, and pieces cut off from the top fall
for extra points. Clear the board for a bonus before the TNT fuse burns
down and the whole board moves one row closer.

Two levels with their own high-score tables, six starting shapes, skins,
sound effects and music.")
include(CPack)
