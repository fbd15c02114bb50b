# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# The changelog's newest entry names the release: its version must be the project's,
# and its date is the release date everywhere: in the manual page and metainfo
# (SPEKTRION_RELEASE_DATE, YYYY-MM-DD) and as the time of every file packed into a
# download (SPEKTRION_RELEASE_EPOCH, seconds since 1970; the Makefile exports it as
# SOURCE_DATE_EPOCH for the tools that read it: rcc, help2man, cpack).
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog.in changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^spektrion \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog.in starts with '${changelog_head}', "
        "not with version ${PROJECT_VERSION} of project()")
endif()
execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/release-epoch.sh
    OUTPUT_VARIABLE SPEKTRION_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -d @${SPEKTRION_RELEASE_EPOCH} +%F
    OUTPUT_VARIABLE SPEKTRION_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog.in)
