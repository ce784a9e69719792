# The program's drawings as a Qt resource of tessaroven_gui, and the desktop integration: the menu entry, the
# measurement files' type and the icon (SVG, and PNG rendered at build time). Included from src/gui.cmake after
# tessaroven_gui is defined.
set(TESSAROVEN_ARTWORK_DIR ${CMAKE_CURRENT_LIST_DIR})

qt_add_resources(tessaroven_gui tessaroven_artwork
    PREFIX /tessaroven
    BASE ${TESSAROVEN_ARTWORK_DIR}
    FILES
        ${TESSAROVEN_ARTWORK_DIR}/figure-rotating.svg
        ${TESSAROVEN_ARTWORK_DIR}/figure-fixed.svg
        ${TESSAROVEN_ARTWORK_DIR}/figure-sample-graph.svg
        ${TESSAROVEN_ARTWORK_DIR}/arrow.svg
        ${TESSAROVEN_ARTWORK_DIR}/dog.svg
        ${TESSAROVEN_ARTWORK_DIR}/app-icon.svg
)

install(FILES ${TESSAROVEN_ARTWORK_DIR}/tessaroven.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TESSAROVEN_ARTWORK_DIR}/tessaroven-measurement.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TESSAROVEN_ARTWORK_DIR}/app-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME tessaroven.svg)

# Installs the whole build into a scratch prefix and checks the tree a desktop expects.
if(BUILD_TESTING)
    find_program(TESSAROVEN_DESKTOP_FILE_VALIDATE desktop-file-validate)
    set(install_check_prefix ${CMAKE_BINARY_DIR}/install-check)
    add_test(NAME install_tree_has_program_menu_entry_and_icon
             COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DPREFIX=${install_check_prefix}
                     -DBINDIR=${CMAKE_INSTALL_BINDIR}
                     -DDATADIR=${CMAKE_INSTALL_DATADIR}
                     -DPLOT_MODULE=${CMAKE_INSTALL_LIBDIR}/tessaroven/$<TARGET_FILE_NAME:tessaroven_plot_module>
                     -DVALIDATE=${TESSAROVEN_DESKTOP_FILE_VALIDATE}
                     -P ${PROJECT_SOURCE_DIR}/tests/install/check_install.cmake)
endif()

# The icon as PNG in the sizes menus and panels ask the theme for, rendered from the SVG at build time by a
# small helper that draws with Qt Svg. A build tool: without the project's sanitizer flags, so that a sanitized
# build does not stop on what Qt keeps until exit.
qt_add_executable(tessaroven_render_icon ${TESSAROVEN_ARTWORK_DIR}/render_icon.cpp)
target_compile_options(tessaroven_render_icon PRIVATE -Wall -Wextra)
target_link_libraries(tessaroven_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icon_build_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_pngs "")
foreach(size IN LISTS icon_sizes)
    list(APPEND icon_pngs ${icon_build_dir}/${size}x${size}/tessaroven.png)
    install(FILES ${icon_build_dir}/${size}x${size}/tessaroven.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
                   COMMAND tessaroven_render_icon ${TESSAROVEN_ARTWORK_DIR}/app-icon.svg ${icon_build_dir}
                           ${icon_sizes}
                   DEPENDS tessaroven_render_icon ${TESSAROVEN_ARTWORK_DIR}/app-icon.svg
                   COMMENT "Rendering the icon as PNG")
add_custom_target(tessaroven_icon_pngs ALL DEPENDS ${icon_pngs})
