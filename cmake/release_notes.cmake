# The releases in CHANGELOG.md, read at configure time (CMake reads the file
# again whenever it changes). From them come the Debian package's changelog
# and the <releases> of the AppStream metadata, and the newest one must name
# the version in project(): the one place a version number is written.
#
# zelk_read_releases(changelog maintainer) sets, in the caller's scope:
#   ZELK_RELEASE_DATE      the newest release's date, YYYY-MM-DD
#   ZELK_RELEASE_EPOCH     that date as seconds since 1970 (for SOURCE_DATE_EPOCH)
#   ZELK_DEBIAN_CHANGELOG  the whole history in Debian's changelog format
#   ZELK_APPSTREAM_RELEASES  the <release> elements, newest first

# `text` with Markdown's code marks dropped and XML's special characters escaped.
function(zelk_xml_text out text)
  string(REPLACE "`" "" text "${text}")
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(zelk_read_releases changelog maintainer)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
  file(STRINGS ${changelog} lines ENCODING UTF-8)
  set(debian "")
  set(appstream "")
  set(versions "")
  set(version "")
  set(item "")  # the item being read, its lines joined by blanks
  set(number 0)
  # The item read so far goes to the AppStream list, and a release's end to
  # both outputs.
  macro(close_item)
    if(NOT item STREQUAL "")
      zelk_xml_text(xml "${item}")
      string(APPEND appstream "          <li>${xml}</li>\n")
      set(item "")
    endif()
  endmacro()
  macro(close_release)
    close_item()
    if(NOT version STREQUAL "")
      execute_process(COMMAND date -u -R -d "${date}" OUTPUT_VARIABLE stamp
        OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "${changelog}: the date ${date} of ${version} is no date")
      endif()
      string(APPEND debian "\n -- ${maintainer}  ${stamp}\n")
      string(APPEND appstream "        </ul>\n      </description>\n    </release>\n")
    endif()
  endmacro()

  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    string(REPLACE "`" "" plain "${line}")
    if(line MATCHES "^## ([0-9][0-9A-Za-z.+~]*) - ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
      close_release()
      set(version ${CMAKE_MATCH_1})
      set(date ${CMAKE_MATCH_2})
      list(APPEND versions ${version})
      if(NOT debian STREQUAL "")
        string(APPEND debian "\n")
      endif()
      string(APPEND debian "zelkscope (${version}) unstable; urgency=medium\n\n")
      string(APPEND appstream
        "    <release version=\"${version}\" date=\"${date}\">\n      <description>\n        <ul>\n")
    elseif(version STREQUAL "")
      # The introduction above the first release.
    elseif(line MATCHES "^- (.+)$")
      close_item()
      set(item "${CMAKE_MATCH_1}")
      string(REGEX REPLACE "^- " "" text "${plain}")
      string(APPEND debian "  * ${text}\n")
    elseif(line MATCHES "^  ([^ ].*)$" AND NOT item STREQUAL "")
      string(APPEND item " ${CMAKE_MATCH_1}")
      string(APPEND debian "  ${plain}\n")
    elseif(line MATCHES "^ *$")
      close_item()
    else()
      message(FATAL_ERROR "${changelog}:${number}: not a release heading, a '- ' item or "
        "an item's indented line: ${line}")
    endif()
    string(LENGTH "${line}" length)
    if(length GREATER 76 AND NOT version STREQUAL "")
      message(FATAL_ERROR "${changelog}:${number}: longer than 76 characters")
    endif()
  endforeach()
  close_release()

  if(versions STREQUAL "")
    message(FATAL_ERROR "${changelog} names no release ('## VERSION - YYYY-MM-DD')")
  endif()
  list(GET versions 0 newest)
  if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${changelog}'s newest release is ${newest}, but project() says "
      "${PROJECT_VERSION}: give both the same version")
  endif()
  string(REGEX MATCH "<release version=\"[^\"]*\" date=\"([^\"]*)\"" first "${appstream}")
  set(newest_date ${CMAKE_MATCH_1})
  execute_process(COMMAND date -u -d "${newest_date}" +%s OUTPUT_VARIABLE epoch
    OUTPUT_STRIP_TRAILING_WHITESPACE)

  set(ZELK_RELEASE_DATE ${newest_date} PARENT_SCOPE)
  set(ZELK_RELEASE_EPOCH ${epoch} PARENT_SCOPE)
  set(ZELK_DEBIAN_CHANGELOG "${debian}" PARENT_SCOPE)
  set(ZELK_APPSTREAM_RELEASES "${appstream}" PARENT_SCOPE)
endfunction()
