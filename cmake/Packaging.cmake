# The Debian package: `cpack` in a build configured with CMAKE_INSTALL_PREFIX=/usr (see
# scripts/build-package). The executable and the Calc module install themselves (src/app,
# src/classlist/calc); this adds the demo template, the menu entry and the icons.

# The template is looked up at the path compiled into the program, so it ships only when that
# path lies inside the package.
cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX "${ZELKARIN_TEMPLATE_PATH}" NORMALIZE template_in_prefix)
if(template_in_prefix)
  cmake_path(RELATIVE_PATH ZELKARIN_TEMPLATE_PATH BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
             OUTPUT_VARIABLE template_destination)
  cmake_path(GET template_destination PARENT_PATH template_directory)
  cmake_path(GET template_destination FILENAME template_name)
  install(FILES "${CMAKE_SOURCE_DIR}/data/Grading Sheet/GradingSheet.xls"
          DESTINATION "${template_directory}" RENAME "${template_name}")
else()
  message(STATUS "The package carries no grading-sheet template: ${ZELKARIN_TEMPLATE_PATH} "
                 "lies outside ${CMAKE_INSTALL_PREFIX}")
endif()

install(FILES "${CMAKE_SOURCE_DIR}/packaging/zelkarin.desktop" DESTINATION share/applications)
foreach(size 16 32)
  install(FILES "${CMAKE_SOURCE_DIR}/data/artwork/zelkarin-${size}.png"
          DESTINATION "share/icons/hicolor/${size}x${size}/apps" RENAME zelkarin.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkarin)
set(CPACK_PACKAGE_VENDOR "Zelkarin")
set(CPACK_PACKAGE_CONTACT "Zelkarin maintainers <zelkarin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "class records for college faculty")
set(CPACK_PACKAGE_DESCRIPTION "Faculty members log in with their Faculty ID, see their teaching load per
academic period and turn a section's enrolled students into a filled grading
sheet in LibreOffice Calc.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
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
