# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT

# Writes the project's CHANGELOG.md as a Debian changelog: each "## VERSION (YYYY-MM-DD)" section
# becomes an entry, its "- " items the entry's "* " items, and its other lines are left out.
#   cmake -DMARKDOWN=CHANGELOG.md -DOUTPUT=changelog -DPACKAGE=name -DMAINTAINER="Name <address>"
#         -P DebianChangelog.cmake
file(READ "${MARKDOWN}" text)
string(REPLACE ";" "\\;" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

set(changelog "")
set(entry "")
set(trailer "")
foreach(line IN LISTS lines)
  if(line MATCHES "^## ([0-9][^ ]*) \\(([0-9-]+)\\)$")
    string(APPEND changelog "${entry}${trailer}")
    set(version ${CMAKE_MATCH_1})
    execute_process(COMMAND date -u -R -d "${CMAKE_MATCH_2} 12:00"
      OUTPUT_VARIABLE when OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(entry "${PACKAGE} (${version}) unstable; urgency=medium\n\n")
    set(trailer "\n -- ${MAINTAINER}  ${when}\n\n")
  elseif(NOT entry STREQUAL "" AND line MATCHES "^- (.*)$")
    string(APPEND entry "  * ${CMAKE_MATCH_1}\n")
  elseif(NOT entry STREQUAL "" AND line MATCHES "^  +([^ ].*)$")
    string(APPEND entry "    ${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^#{1,2} ")
    # A heading of the same level that is not a release (## Unreleased) ends the release before
    # it; the headings inside a release (### Added) do not.
    set(entry "")
    set(trailer "")
  endif()
endforeach()
string(APPEND changelog "${entry}${trailer}")
if(changelog STREQUAL "")
  message(FATAL_ERROR "${MARKDOWN} has no \"## VERSION (YYYY-MM-DD)\" section")
endif()
string(STRIP "${changelog}" changelog)
file(WRITE "${OUTPUT}" "${changelog}\n")
