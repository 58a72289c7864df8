# Installing: the game, its desktop entry and icons, manual page, guides and
# AppStream metadata. debian/ packages these (dpkg-buildpackage); the version
# and the release notes come from debian/changelog's newest entry, so the
# package, the program's --version and the metadata cannot disagree.

# A Debian system installs under /usr, and the help box names the guide under
# the prefix the game was configured with, so that is the default prefix too.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()
include(GNUInstallDirs)
# Debian keeps games in /usr/games, on every player's default PATH.
set(VELMORA_INSTALL_GAMESDIR games CACHE STRING "Where the program is installed, under the prefix")

set(VELMORA_HOMEPAGE "https://velmora.invalid" CACHE STRING
    "Where the game and its guide (with docs/images) are published")

# The changelog's newest entry is the release: its upstream version (before
# the Debian revision) must be the version the build makes, its date is the
# release date and its items are the release notes the metadata shows.
set(changelog ${CMAKE_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^velmora \\(${PROJECT_VERSION}(-[0-9A-Za-z.+~]+)?\\) ")
  message(FATAL_ERROR "debian/changelog's newest entry is not for version ${PROJECT_VERSION}")
endif()
file(STRINGS ${changelog} lines)
set(notes "")
set(item "")
set(signed "")
foreach(line IN LISTS lines)
  if(line MATCHES "^ -- ")
    set(signed "${line}")
    break()
  elseif(line MATCHES "^  \\* (.*)")
    if(item)
      string(APPEND notes "          <li>${item}</li>\n")
    endif()
    set(item "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +(.*)")
    string(APPEND item " ${CMAKE_MATCH_1}")
  endif()
endforeach()
if(item)
  string(APPEND notes "          <li>${item}</li>\n")
endif()
if(NOT notes)
  message(FATAL_ERROR "debian/changelog: the newest entry has no items")
endif()
string(REPLACE "&" "&amp;" notes "${notes}")
string(REPLACE "<li>" "@LI@" notes "${notes}")
string(REPLACE "</li>" "@/LI@" notes "${notes}")
string(REPLACE "<" "&lt;" notes "${notes}")
string(REPLACE ">" "&gt;" notes "${notes}")
string(REPLACE "@LI@" "<li>" notes "${notes}")
string(REPLACE "@/LI@" "</li>" notes "${notes}")
set(VELMORA_RELEASE_NOTES "${notes}")
if(NOT signed MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog: no date in the newest entry's sign-off")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 101")  # 1 to 12 as 101 to 112, for the leading zero
string(SUBSTRING ${month} 1 2 month)
set(VELMORA_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

# Software centres know the game by this id, and find its metadata by it.
set(VELMORA_APPSTREAM_ID invalid.velmora.keep03)
configure_file(assets/velmora.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/package/${VELMORA_APPSTREAM_ID}.metainfo.xml @ONLY)

# The help box (\h) sends the player to the guide where it is installed.
target_compile_definitions(velmora_rules PRIVATE
  VELMORA_GUIDE_URL="file://${CMAKE_INSTALL_FULL_DOCDIR}/players-guide.md")
install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_GAMESDIR})
# The native module, private to the game, where the program looks for it:
# its folder relative to the program's, which holds for any prefix.
install(TARGETS velmora-native LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/velmora)
file(RELATIVE_PATH VELMORA_NATIVE_FOLDER ${CMAKE_INSTALL_PREFIX}/${VELMORA_INSTALL_GAMESDIR}
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/velmora)
target_compile_definitions(velmora PRIVATE
  VELMORA_NATIVE_INSTALLED_FOLDER="${VELMORA_NATIVE_FOLDER}")
install(FILES assets/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES assets/icons/velmora-${size}.png RENAME velmora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/package/${VELMORA_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# World files to play beside the built-in worlds (velmora --worlds FILE).
install(FILES assets/worlds/first_steps.worlds assets/worlds/long_way.worlds
        DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora/worlds)
# Uncompressed: debhelper compresses the manual page without a time stamp.
install(FILES docs/velmora.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The players' guide, the replays' notes, the Japanese read-me and the guide's
# pictures. The copyright and changelog are the package's (debian/).
install(FILES docs/players-guide.md docs/replays.md docs/ReadMe_J.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
file(GLOB GUIDE_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/images/*.png
     ${CMAKE_SOURCE_DIR}/docs/images/*.webp)
install(FILES ${GUIDE_IMAGES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/images)
# The guides as HTML too, made by cmark, for readers without a Markdown viewer.
set(GUIDE_SOURCES ${CMAKE_SOURCE_DIR}/docs/players-guide.md ${CMAKE_SOURCE_DIR}/docs/replays.md)
set(GUIDE_PAGES ${CMAKE_BINARY_DIR}/guides/players-guide.html ${CMAKE_BINARY_DIR}/guides/replays.html)
add_custom_command(OUTPUT ${GUIDE_PAGES}
  COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/make-guides.sh ${CMAKE_BINARY_DIR}/guides ${GUIDE_SOURCES}
  DEPENDS ${GUIDE_SOURCES} ${CMAKE_SOURCE_DIR}/scripts/make-guides.sh
  COMMENT "Making the guides' HTML pages")
add_custom_target(guides ALL DEPENDS ${GUIDE_PAGES})
install(FILES ${GUIDE_PAGES} DESTINATION ${CMAKE_INSTALL_DOCDIR})
