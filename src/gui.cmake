# tessaroven_gui: the four windows and their handlers (Qt 6 Widgets); tessaroven: the desktop program.
qt_add_library(tessaroven_gui STATIC
    ui/layout.h ui/layout.cpp
    ui/message_box.h ui/message_box.cpp
    ui/artwork.h ui/artwork.cpp
)
target_include_directories(tessaroven_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tessaroven_gui PUBLIC QT_NO_CONTEXTLESS_CONNECT)
target_link_libraries(tessaroven_gui PUBLIC tessaroven_core tessaroven_options Qt6::Widgets Qt6::Svg)
set_target_properties(tessaroven_gui PROPERTIES AUTOMOC ON)

# Drawings, icons and the desktop entry.
include(${PROJECT_SOURCE_DIR}/resources/artwork.cmake)
