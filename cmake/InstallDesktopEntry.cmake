# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Writes the desktop entry with the folder KIVO is being installed into.
set(KIVO_INSTALL_DIR "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(entry "${KIVO_INSTALL_DIR}/share/applications/kivo.desktop")
configure_file("${KIVO_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
message(STATUS "Installing: ${entry}")
