# Installation and the Debian package (make package): the program, gridora-admin and the
# three libraries in one private folder, so the component loader finds the services beside
# GRIData and $ORIGIN is their whole library path; commands on the PATH are links to them.
# The generated database files (their seed copies) are installed read-only as the templates
# every user's league folder is filled from.

# Packaging installs what the build made; it never builds the whole tree (tests, benchmarks).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(GRIDORA_APP_ID org.gridora.Gridora)
# Who answers for the package, and its site: the one place to fill in once the project has an
# address and a site of its own. Until then the package names none that someone else may hold:
# ".invalid" is reserved and reaches no one, and without a site there is no Homepage.
set(GRIDORA_MAINTAINER "Gridora maintainers <maintainers@gridora.invalid>")
set(GRIDORA_HOMEPAGE "")
set(GRIDORA_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(GRIDORA_PACKAGE_STAGE ${CMAKE_BINARY_DIR}/package-files)
# Owned by root: every user reads the templates, none writes them.
set(GRIDORA_TEMPLATE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

install(TARGETS Gridora gridora-admin GRIData GRSetupSrvc GRDataSrvc
  RUNTIME DESTINATION ${GRIDORA_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${GRIDORA_INSTALL_LIBDIR})

cmake_path(RELATIVE_PATH GRIDORA_INSTALL_LIBDIR BASE_DIRECTORY bin OUTPUT_VARIABLE libs_from_bin)
file(MAKE_DIRECTORY ${GRIDORA_PACKAGE_STAGE}/bin)
file(CREATE_LINK ${libs_from_bin}/Gridora ${GRIDORA_PACKAGE_STAGE}/bin/gridora SYMBOLIC)
file(CREATE_LINK ${libs_from_bin}/gridora-admin ${GRIDORA_PACKAGE_STAGE}/bin/gridora-admin SYMBOLIC)
install(FILES ${GRIDORA_PACKAGE_STAGE}/bin/gridora ${GRIDORA_PACKAGE_STAGE}/bin/gridora-admin
  DESTINATION bin)

install(FILES ${GRIDORA_SEED_DATABASE_FILES}
  DESTINATION ${GRIDORA_INSTALL_TEMPLATEDIR} PERMISSIONS ${GRIDORA_TEMPLATE_PERMISSIONS})
# The files that name the maintainer or the site take them from the variables above.
string(REGEX REPLACE " *<.*" "" GRIDORA_MAINTAINER_NAME "${GRIDORA_MAINTAINER}")
set(GRIDORA_METAINFO_HOMEPAGE "")
if(GRIDORA_HOMEPAGE)
  set(GRIDORA_METAINFO_HOMEPAGE "  <url type=\"homepage\">${GRIDORA_HOMEPAGE}</url>\n")
endif()
foreach(name ${GRIDORA_APP_ID}.metainfo.xml copyright changelog)
  configure_file(${GRIDORA_DESKTOP_DIR}/${name}.in ${GRIDORA_PACKAGE_STAGE}/${name} @ONLY)
endforeach()

install(FILES ${GRIDORA_DESKTOP_DIR}/${GRIDORA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${GRIDORA_PACKAGE_STAGE}/${GRIDORA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${GRIDORA_DESKTOP_DIR}/${GRIDORA_APP_ID}.svg
  DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${GRIDORA_PACKAGE_STAGE}/copyright DESTINATION share/doc/gridora)
# For bringing a league's history in: a season sheet to fill in and the league file's schema.
install(FILES ${PROJECT_SOURCE_DIR}/data/season-template.csv
  ${PROJECT_SOURCE_DIR}/docs/league.schema.json DESTINATION share/doc/gridora/examples)

# Debian wants manual pages and the changelog compressed, without a time stamp in the header.
set(gzipped)
foreach(source ${PROJECT_SOURCE_DIR}/docs/gridora.1 ${PROJECT_SOURCE_DIR}/docs/gridora-admin.1
    ${GRIDORA_PACKAGE_STAGE}/changelog)
  cmake_path(GET source FILENAME name)
  set(target ${GRIDORA_PACKAGE_STAGE}/${name}.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9 -n -c ${source} > ${target}
    DEPENDS ${source})
  list(APPEND gzipped ${target})
endforeach()
add_custom_target(gridora-package-files ALL DEPENDS ${gzipped})
install(FILES ${GRIDORA_PACKAGE_STAGE}/gridora.1.gz ${GRIDORA_PACKAGE_STAGE}/gridora-admin.1.gz
  DESTINATION share/man/man1)
install(FILES ${GRIDORA_PACKAGE_STAGE}/changelog.gz DESTINATION share/doc/gridora)

# What the package needs built before cpack runs (make package, the package test).
add_custom_target(package-inputs)
add_dependencies(package-inputs Gridora gridora-admin GRIData GRSetupSrvc GRDataSrvc databases
  gridora-package-files)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gridora)
set(CPACK_PACKAGE_VENDOR "Gridora")
set(CPACK_PACKAGE_CONTACT "${GRIDORA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(GRIDORA_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${GRIDORA_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "organiser's desk for a fantasy American-football league
Gridora runs a fantasy American-football league year after year: seasons
with their fees and locks, the managers who play and who paid, a random
draft order, a snake draft entered pick by pick, prizes and weekly winners,
money reports across all seasons and backups of the league data.
.
The league lives in each user's own folder, readable by that user only.
Its files are locked with a password that the program carries: ordinary
database tools cannot open them, but anyone with Gridora can, so the
folder's owner-only permissions and disk encryption are what keep a league
private. The package also holds gridora-admin, which runs the league's
chores from the command line.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps runs in the staging root: our own libraries are found there, not on the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${GRIDORA_INSTALL_LIBDIR})
# Loaded at run time, so no library dependency names it: the font that draws the page symbols.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-symbola")
include(CPack)
