# `cpack -G DEB` in a release build makes a Debian package installing into /usr; its library
# dependencies are read off the program by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME pellora)
set(CPACK_PACKAGE_VENDOR Brantwick)
set(CPACK_PACKAGE_CONTACT "Brantwick <pellora@brantwick.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "password vault for the Linux desktop")
# Debian wants each description line within 80 columns, the leading blank included.
set(CPACK_PACKAGE_DESCRIPTION
    "Pellora keeps a list of logins, with every password enciphered under a key\n\
made from two master passwords. It finds entries as you type, copies a password\n\
to the clipboard and clears it again, generates passwords that follow each\n\
entry's rules, encrypts files in place and moves the list between computers.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
