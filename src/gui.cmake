# tessaroven_gui: the four windows and their handlers (Qt 6 Widgets); tessaroven: the desktop program.
qt_add_library(tessaroven_gui STATIC
    ui/layout.h ui/layout.cpp
    ui/message_box.h ui/message_box.cpp
    ui/form1.h ui/form1.cpp
    ui/form2.h ui/form2.cpp
    entry/entry_line.h entry/entry_line.cpp
    entry/main_window_handlers.h entry/main_window_handlers.cpp
    app/application.h app/application.cpp
    app/display_check.h app/display_check.cpp
    ui/artwork.h ui/artwork.cpp
    ui/form3.h ui/form3.cpp
    ui/form4.h ui/form4.cpp
    output/graph_painter.h output/graph_painter.cpp
    output/graph_window.h output/graph_window.cpp
    output/save_dialog.h output/save_dialog.cpp
)
target_include_directories(tessaroven_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tessaroven_gui PUBLIC QT_NO_CONTEXTLESS_CONNECT)
target_link_libraries(tessaroven_gui PUBLIC tessaroven_core tessaroven_options Qt6::Widgets Qt6::Svg)
set_target_properties(tessaroven_gui PROPERTIES AUTOMOC ON)

qt_add_executable(tessaroven app/main.cpp)
target_link_libraries(tessaroven PRIVATE tessaroven_gui tessaroven_options)
install(TARGETS tessaroven RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Drawings, icons and the desktop entry.
include(${PROJECT_SOURCE_DIR}/resources/artwork.cmake)
