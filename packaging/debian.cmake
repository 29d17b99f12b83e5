# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package that `make deb` builds with CPack from the install
# rules: build/corvane_VERSION_ARCH.deb, for Debian 12 and the systems
# that build on it.

set(CORVANE_MAINTAINER "The Corvane developers <corvane@users.noreply.github.com>"
    CACHE STRING "The maintainer that the Debian package names, with an address")

# What Debian asks of every package beside the program, under
# /usr/share/doc/corvane: the licence in its machine-readable form, and
# CHANGELOG.md as a compressed Debian changelog.
include(GNUInstallDirs)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
                   COMMAND ${PROJECT_SOURCE_DIR}/packaging/debian-changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                           ${CORVANE_MAINTAINER} ${changelog_gz}
                   DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/packaging/debian-changelog VERBATIM)
add_custom_target(corvane_changelog ALL DEPENDS ${changelog_gz})
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${CORVANE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CORVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sprint planner keeping a backlog and sprints as text files")
# Below the summary; a line of only "." parts paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane is a small planner for one person who works in sprints. It keeps
a product backlog and any number of numbered sprints, each an ordered list
of tasks in a plain text file of its own, one task a line, in a folder you
choose.
.
Every change is saved at once, can be undone, and is followed by every
other open window, also on a shared or synchronised folder. Everything can
be done with the keyboard alone, and the command line reads and changes the
same lists without a display, for scripts, cron and git hooks.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own German texts (standard buttons, --help's "Usage:").
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qttranslations5-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders as Debian wants them whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
include(CPack)
