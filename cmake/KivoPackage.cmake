# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# The installed layout and its Debian package (make package): the programs in bin/, the manual, the
# man pages, the desktop entry and the icons under share/. An installed KIVO keeps its settings and
# cache under the user's home; it finds its manual in share/doc/kivo, which also tells it that it is
# installed (app/kivo_folders.h).
install(TARGETS kivo kivo-tool RUNTIME DESTINATION bin)
install(FILES "doc/KIVO - Manual.txt" DESTINATION share/doc/kivo)
install(FILES LICENSE DESTINATION share/doc/kivo RENAME copyright)
install(FILES doc/kivo.1 doc/kivo-tool.1 DESTINATION share/man/man1)
install(FILES packaging/kivo-system.desktop DESTINATION share/applications RENAME kivo.desktop)
install(FILES resources/kivo-256.png DESTINATION share/icons/hicolor/256x256/apps RENAME kivo.png)
install(FILES resources/kivo.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES resources/kivo.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KIVO team <kivo-team@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop front-end for the ZSNES emulator")
set(CPACK_PACKAGE_DESCRIPTION
    "KIVO browses folders for SNES ROM images and ZIP archives, shows each game's screenshot, keeps the \
emulator's options per game, verifies ROM checksums and starts ZSNES (the Linux build, or the DOS build \
in DOSBox) with the right command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The emulators KIVO starts are the user's choice: neither is a dependency.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dosbox")
include(CPack)
