# The Debian package: `cpack -G DEB` in a build directory makes
# velmora_VERSION_ARCH.deb from the install rules, with the library
# dependencies worked out by dpkg-shlibdeps. Also the files only a package
# needs (copyright, changelog) and the AppStream metadata for software centres.

# The package installs under /usr, and the help box names the guide under the
# prefix the game was configured with, so that is the default prefix too.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()
include(GNUInstallDirs)

set(VELMORA_HOMEPAGE "https://velmora.invalid" CACHE STRING
    "Where the game and its guide (with docs/images) are published")

# Debian wants the manual page and the changelog compressed, without a time
# stamp in the header so the package is the same from one build to the next.
set(package_dir ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${package_dir})
foreach(source docs/velmora.6 packaging/changelog)
  get_filename_component(name ${source} NAME)
  execute_process(COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/${source}
                  OUTPUT_FILE ${package_dir}/${name}.gz COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${source})
endforeach()
# The changelog's newest entry is the release: it must name the version the
# build makes, and its date is the release date the metadata shows.
file(STRINGS packaging/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^velmora \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION}")
endif()
file(STRINGS packaging/changelog signed REGEX "^ -- " LIMIT_COUNT 1)
if(NOT signed MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in the newest entry's sign-off")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 101")  # 1 to 12 as 101 to 112, for the leading zero
string(SUBSTRING ${month} 1 2 month)
set(VELMORA_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

# Software centres know the game by this id, and find its metadata by it.
set(VELMORA_APPSTREAM_ID invalid.velmora.keep03)
configure_file(assets/velmora.metainfo.xml.in
               ${package_dir}/${VELMORA_APPSTREAM_ID}.metainfo.xml @ONLY)

install(FILES ${package_dir}/${VELMORA_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright ${package_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora Keep 03 developers")
set(CPACK_PACKAGE_CONTACT "Velmora Dev <dev@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-only role-playing game played with SQL statements")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora Keep 03 is a single-player role-playing game played with the keyboard
alone. Its world is a small database: the player walks a maze as the party
leader and changes the world by composing SQL statements on an on-screen
character grid, leading three companions to the goals of their worlds before
the turns run out.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian keeps the section `games` for programs in /usr/games, which is not on
# every user's path (root's, for one); the game stays in /usr/bin, a desktop
# program like any other, and software centres file it under games from its
# desktop entry and metadata.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# gzip rather than xz: the pictures are compressed already, so xz saves 4% and
# takes twice as long.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
