# The Debian package: `cpack` in a build configured with CMAKE_INSTALL_PREFIX=/usr (see
# scripts/build-package). The executable and the Calc module install themselves (src/app,
# src/classlist/calc), the files around them come from packaging/.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkarin)
set(CPACK_PACKAGE_VENDOR "Zelkarin")
set(CPACK_PACKAGE_CONTACT "Zelkarin developers <zelkarin@zelkarin.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "class records for college faculty")
set(CPACK_PACKAGE_DESCRIPTION "Faculty members log in with their Faculty ID, see their teaching load per
academic period and turn a section's enrolled students into a filled grading
sheet in LibreOffice Calc.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelkarin.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/DebianStrip.cmake")
set(CPACK_ZELKARIN_STRIP "${CMAKE_STRIP}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Declared by hand: dpkg-shlibdeps would make LibreOffice a hard dependency through the Calc
# module, which the program loads only when an export runs. All database drivers are listed, as
# the compiled connection string may name any of them.
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6 (>= 2.34)" "libstdc++6 (>= 12)" "libgcc-s1 (>= 3.0)"
  "libqt6core6 (>= 6.4)" "libqt6gui6 (>= 6.4)" "libqt6widgets6 (>= 6.4)" "libqt6sql6 (>= 6.4)"
  "libqt6network6 (>= 6.4)"
  libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  unixodbc tdsodbc fonts-dejavu-core fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libreoffice-calc)

include(CPack)
