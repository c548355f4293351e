# Run by CPack once the package's files are staged, before the .deb is made:
# adds what Debian asks of a package's documents and manual pages.
#   usr/share/doc/setupedit/copyright            machine-readable, from LICENSE
#   usr/share/doc/setupedit/changelog.Debian.gz  from CHANGELOG.md
#   usr/share/lintian/overrides/setupedit        from tools/lintian-overrides
#   usr/share/man/man1/*.1                       compressed
#   usr/bin/*                                    stripped as Debian strips
# gzip -n keeps names and times out of the files, so a rebuild gives the
# same bytes.
set(source "${CPACK_SETUPEDIT_SOURCE_DIR}")
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")
set(revision "${CPACK_DEBIAN_PACKAGE_RELEASE}")

function(compress file)
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file} failed: ${status}")
  endif()
endfunction()

# The lines of a file as a list; a ';' in the text stays a character.
function(read_lines file out)
  file(READ "${file}" text)
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The text of LICENSE as the body of a field: each line indented by one
# space, an empty line as " .".
function(licence_body out)
  read_lines("${source}/LICENSE" lines)
  set(body "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "")
      string(APPEND body " .\n")
    else()
      string(APPEND body " ${line}\n")
    endif()
  endforeach()
  string(REGEX REPLACE "( \\.\n)+$" "" body "${body}")
  set(${out} "${body}" PARENT_SCOPE)
endfunction()

function(write_copyright)
  licence_body(body)
  file(WRITE "${doc}/copyright"
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: ${CPACK_PACKAGE_NAME}\n"
    "Upstream-Contact: ${CPACK_PACKAGE_CONTACT}\n\n"
    "Files: *\n"
    "Copyright: 2026 the setupedit authors\n"
    "License: Expat\n\n"
    "License: Expat\n${body}")
endfunction()

# "Wed, 09 Dec 2026 00:00:00 +0000" for "2026-12-09" (Sakamoto's weekday).
function(rfc2822_date iso out)
  string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" ok "${iso}")
  if(NOT ok)
    message(FATAL_ERROR "CHANGELOG.md: '${iso}' is not a YYYY-MM-DD date")
  endif()
  set(year ${CMAKE_MATCH_1})
  math(EXPR month "1${CMAKE_MATCH_2} - 100")
  math(EXPR day "1${CMAKE_MATCH_3} - 100")
  set(shifts 0 3 2 5 0 3 5 1 4 6 2 4)
  set(names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  math(EXPR index "${month} - 1")
  list(GET shifts ${index} shift)
  list(GET names ${index} month_name)
  set(y ${year})
  if(month LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${shift} + ${day}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  list(GET weekdays ${weekday} weekday_name)
  set(${out} "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# Each "## VERSION - DATE" section becomes one Debian entry; "- " items
# become "  * " items and their indented lines follow them.
function(debian_changelog out)
  read_lines("${source}/CHANGELOG.md" lines)
  set(text "")
  set(trailer "")
  set(newest "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) - (.+)$")
      set(version ${CMAKE_MATCH_1})
      rfc2822_date("${CMAKE_MATCH_2}" date)
      if(newest STREQUAL "")
        set(newest ${version})
      endif()
      string(APPEND text "${trailer}${CPACK_PACKAGE_NAME} (${version}-${revision}) unstable; urgency=medium\n\n")
      set(trailer "\n -- ${CPACK_PACKAGE_CONTACT}  ${date}\n\n")
    elseif(NOT trailer STREQUAL "" AND line MATCHES "^- (.*)$")
      string(APPEND text "  * ${CMAKE_MATCH_1}\n")
    elseif(NOT trailer STREQUAL "" AND line MATCHES "^  (.*)$")
      string(APPEND text "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  if(NOT newest STREQUAL CPACK_PACKAGE_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the newest section is '${newest}', "
      "not the version being packaged, ${CPACK_PACKAGE_VERSION}")
  endif()
  string(REGEX REPLACE "\n+$" "\n" text "${text}${trailer}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The symbols and the compiler's notes go; the build id stays.
function(strip_program file)
  execute_process(COMMAND "${CPACK_SETUPEDIT_STRIP}" --remove-section=.comment
    --remove-section=.note --strip-unneeded "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip ${file} failed: ${status}")
  endif()
endfunction()

file(GLOB programs "${usr}/bin/*")
foreach(program IN LISTS programs)
  strip_program("${program}")
endforeach()
file(MAKE_DIRECTORY "${doc}")
write_copyright()
debian_changelog(changelog)
file(WRITE "${doc}/changelog.Debian" "${changelog}")
compress("${doc}/changelog.Debian")
configure_file("${source}/tools/lintian-overrides"
  "${usr}/share/lintian/overrides/${CPACK_PACKAGE_NAME}" COPYONLY)
file(GLOB pages "${usr}/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
  compress("${page}")
endforeach()
