# The Debian package: `cpack -G DEB` in a build folder makes velmo_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmo developers")
set(CPACK_PACKAGE_CONTACT "Velmo developers <dev@velmo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory card game for one player")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Eighteen cards, nine pairs, lie face down in three rows of six. Turn two\n"
    "cards per attempt: a pair stays face up and earns a chance, a miss costs\n"
    "one. The interface is in French. Three card sets are included, and\n"
    "velmo-cardset, a tool to make more.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmo developers <dev@velmo.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://velmo.org)
# The libraries the programs link, found by dpkg-shlibdeps (from dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The counter is drawn in Arial; Liberation Sans has the same metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

include(CPack)
