# cpack -G DEB in a Release build tree makes the Debian package.

set(CPACK_PACKAGE_NAME quintara)
set(CPACK_PACKAGE_VENDOR Dadivira)
set(CPACK_PACKAGE_CONTACT "Dadivira <quintara@dadivira.it>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "patience game with eight columns and four free cells")
set(CPACK_PACKAGE_DESCRIPTION "Quintara deals a deck of 52 cards face up into eight columns; four free
cells hold one card each, and four foundations are built up by suit from
the ace to the king. The game, in Italian, sends home the cards no longer
needed, counts the moves left, explains every move, and keeps the time and
the player's statistics. quintara-solve tells whether a deal can be won.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY quintara)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUINTARA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The table's texts are laid out for these fonts; no library asks for them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
