# The program's drawings as a Qt resource of tessaroven_gui, and the desktop integration: the menu entry and
# its icon. Included from src/gui.cmake after tessaroven_gui is defined.
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
