# tessaroven_render: drawing only, onto any QPainter (window, PNG, PDF, printer). Qt Gui, no widgets.
qt_add_library(tessaroven_render STATIC
    plot/fonts.h plot/fonts.cpp
    plot/graph_painter.h plot/graph_painter.cpp
    plot/report_page.h plot/report_page.cpp
    plot/thickness_graph.h plot/thickness_graph.cpp
)
target_include_directories(tessaroven_render PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessaroven_render PUBLIC tessaroven_core tessaroven_options Qt6::Gui)
target_compile_definitions(tessaroven_render PRIVATE TESSAROVEN_VERSION="${PROJECT_VERSION}")
set_target_properties(tessaroven_render PROPERTIES POSITION_INDEPENDENT_CODE ON)  # linked into the --plot module

# tessaroven_gui: the windows, the dialogs and their handlers (Qt 6 Widgets); tessaroven: the desktop program.
qt_add_library(tessaroven_gui STATIC
    ui/layout.h ui/layout.cpp
    ui/message_box.h ui/message_box.cpp
    ui/main_window.h ui/main_window.cpp
    ui/start_screen.h ui/start_screen.cpp
    entry/entry_line.h entry/entry_line.cpp
    entry/main_window_handlers.h entry/main_window_handlers.cpp
    entry/reading_cells.h entry/reading_cells.cpp
    ui/readings_table.h ui/readings_table.cpp
    app/readings_actions.h app/readings_actions.cpp
    app/application.h app/application.cpp
    app/display_check.h app/display_check.cpp
    app/display_language.h app/display_language.cpp
    app/measurement_files.h app/measurement_files.cpp
    ui/artwork.h ui/artwork.cpp
    ui/save_dialog.h ui/save_dialog.cpp
    ui/graph_window.h ui/graph_window.cpp
    ui/graph_window_handlers.h ui/graph_window_handlers.cpp
    ui/save_dialog_handlers.h ui/save_dialog_handlers.cpp
    ui/results_table.h ui/results_table.cpp
    ui/conditions_dialog.h ui/conditions_dialog.cpp
    app/baseline_actions.h app/baseline_actions.cpp
    app/report_actions.h app/report_actions.cpp
    app/graph_export.h app/graph_export.cpp
    ui/reading_list.h ui/reading_list.cpp
    ui/spectrum_dialog.h ui/spectrum_dialog.cpp
    app/spectrum_actions.h app/spectrum_actions.cpp
    app/undo_history.h app/undo_history.cpp
)
target_include_directories(tessaroven_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tessaroven_gui PUBLIC tessaroven_render tessaroven_core tessaroven_options Qt6::Widgets Qt6::Svg Qt6::PrintSupport)
set_target_properties(tessaroven_gui PROPERTIES AUTOMOC ON)

qt_add_executable(tessaroven app/main.cpp)
target_link_libraries(tessaroven PRIVATE tessaroven_gui tessaroven_options)
install(TARGETS tessaroven RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Drawings, icons and the desktop entry.
include(${PROJECT_SOURCE_DIR}/resources/artwork.cmake)

# The windows' own texts in English: translations/tessaroven_en.ts (Japanese sources, kept up to date with
# `cmake --build --preset dev --target update_translations`), built into a .qm resource at :/tessaroven/i18n.
# The message catalogue's texts carry their English in the core.
qt_add_translations(tessaroven_gui
    TS_FILES ${PROJECT_SOURCE_DIR}/translations/tessaroven_en.ts
    RESOURCE_PREFIX /tessaroven/i18n
    LUPDATE_OPTIONS -source-language ja_JP -no-obsolete -locations none
)
