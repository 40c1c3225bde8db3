# The program icon: drawn once as SVG, rendered to PNG at build time for the window
# (a Qt resource, so no SVG plugin is needed at run time) and for the icon theme.
# Included by the gui library's CMakeLists.
include(GNUInstallDirs)
find_program(MV_RSVG_CONVERT rsvg-convert REQUIRED)

set(MV_ICON_SVG ${PROJECT_SOURCE_DIR}/data/marvolingen.svg)
set(MV_ICON_SIZES 16 32 48 64 128 256)
set(MV_ICON_PNGS)
foreach(size IN LISTS MV_ICON_SIZES)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/marvolingen.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
    COMMAND ${MV_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${MV_ICON_SVG}
    DEPENDS ${MV_ICON_SVG}
    COMMENT "Rendering the ${size} px program icon"
    VERBATIM)
  list(APPEND MV_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${MV_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

target_sources(marvolingen_gui PRIVATE
  ${PROJECT_SOURCE_DIR}/src/gui/app/programicon.h
  ${PROJECT_SOURCE_DIR}/src/gui/app/programicon.cpp)
qt_add_resources(marvolingen_gui "program_icon"
  PREFIX "/"
  BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${MV_ICON_PNGS})
