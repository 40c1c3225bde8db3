# `make package`: build/marvolingen_<version>_amd64.deb. Included at the end of the top level.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "marvolingen")
set(CPACK_PACKAGE_VENDOR "Marvolingen")
set(CPACK_PACKAGE_CONTACT "Marvolingen maintainers <maintainers@marvolingen.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "writes public holidays into GroupWise calendars")
# One line of the extended description each, as Debian shows it (at most 80 columns).
set(CPACK_PACKAGE_DESCRIPTION "\
Marvolingen works out the public holidays of Germany or the USA for a year,
adds the further days an administrator defines, and writes them as
appointments or notes into the GroupWise calendars of chosen users and
resources. The package holds the window program marvolingen and the
command-line program marvolingen-cli for scripts and cron.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MARVOLINGEN_WEBSITE}")
# Libraries come from the binaries; Qt loads the SQLite driver and the window system
# plugins at run time, so those are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
if(MARVOLINGEN_GUI)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
endif()

include(CPack)
