# What a Debian system needs beside the programs (manual pages, the documents under share/doc/tessaroven) and
# the Debian package made from the install tree by CPack (scripts/package.sh). Included from the top-level
# CMakeLists.txt after the programs are defined.

# The Debian changelog is the one place for the package's revision and maintainer; its upstream version must be
# the project's.
set(debian_dir ${PROJECT_SOURCE_DIR}/resources/debian)
file(STRINGS ${debian_dir}/changelog changelog_lines ENCODING UTF-8)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^tessaroven \\(([^)-]+)-([^)]+)\\) ")
    message(FATAL_ERROR "resources/debian/changelog: the first line is not 'tessaroven (VERSION-REVISION) ...'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "resources/debian/changelog: its latest entry is for ${CMAKE_MATCH_1}, the project is "
                        "${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()
set(debian_revision ${CMAKE_MATCH_2})
foreach(line IN LISTS changelog_lines)
    if(line MATCHES "^ -- (.+ <[^>]+>)  ")
        set(debian_maintainer "${CMAKE_MATCH_1}")
        break()
    endif()
endforeach()
if(NOT DEFINED debian_maintainer)
    message(FATAL_ERROR "resources/debian/changelog: no ' -- NAME <ADDRESS>  DATE' line")
endif()

# Manual pages, English and Japanese, with the version filled in and compressed as Debian wants them
# (gzip -n: no name or time stamp, so the same source gives the same bytes).
find_program(TESSAROVEN_GZIP gzip REQUIRED)
set(man_build_dir ${CMAKE_BINARY_DIR}/man)
set(compressed_docs "")
set(man_pages tessaroven-convert.1)
if(TESSAROVEN_BUILD_GUI)
    list(APPEND man_pages tessaroven.1)
endif()
foreach(page IN LISTS man_pages)
    foreach(language en ja)
        if(language STREQUAL "en")
            set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
            set(destination ${CMAKE_INSTALL_MANDIR}/man1)
        else()
            set(source ${PROJECT_SOURCE_DIR}/docs/man/${language}/${page})
            set(destination ${CMAKE_INSTALL_MANDIR}/${language}/man1)
        endif()
        configure_file(${source} ${man_build_dir}/${language}/${page} @ONLY)
        add_custom_command(OUTPUT ${man_build_dir}/${language}/${page}.gz
                           COMMAND ${TESSAROVEN_GZIP} -9nc ${man_build_dir}/${language}/${page}
                                   > ${man_build_dir}/${language}/${page}.gz
                           DEPENDS ${man_build_dir}/${language}/${page}
                           COMMENT "Compressing the manual page ${language}/${page}")
        list(APPEND compressed_docs ${man_build_dir}/${language}/${page}.gz)
        install(FILES ${man_build_dir}/${language}/${page}.gz DESTINATION ${destination})
    endforeach()
endforeach()

# share/doc/tessaroven: the README, the licence in Debian's machine-readable form and the Debian changelog.
set(doc_destination ${CMAKE_INSTALL_DATADIR}/doc/tessaroven)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.Debian.gz
                   COMMAND ${TESSAROVEN_GZIP} -9nc ${debian_dir}/changelog > ${CMAKE_BINARY_DIR}/changelog.Debian.gz
                   DEPENDS ${debian_dir}/changelog
                   COMMENT "Compressing the Debian changelog")
list(APPEND compressed_docs ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(tessaroven_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${debian_dir}/copyright DESTINATION ${doc_destination})
install(FILES ${CMAKE_BINARY_DIR}/changelog.Debian.gz DESTINATION ${doc_destination})
install(FILES ${debian_dir}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tessaroven)

# The Debian package. The install rules' relative destinations land under CMAKE_INSTALL_PREFIX in the package,
# so the converter finds its --plot module there: scripts/package.sh configures with /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaroven)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${debian_revision})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${debian_maintainer}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CT fan-direction dose profile from readings with the gantry rotating")
# CPack puts the summary first; this is the extended description after it.
set(CPACK_PACKAGE_DESCRIPTION "A tool for medical physicists who do CT dosimetry on scanners whose beam
profile cannot be measured with the gantry standing still. Readings taken at
points 1 cm apart through the rotation centre while the gantry rotates are
converted into the fan-direction dose profile, shown as a list, a graph and a
CSV file, with uncertainties, a comparison with a baseline measurement and the
Al-equivalent thickness of the bow-tie filter.

The package holds the Japanese desktop program and a command-line converter
for batch work.")
# Libraries are found in the binaries (dpkg-shlibdeps); these are loaded at run time and so stay unseen there:
# the Japanese font the windows and graphs use, Qt's platform plugins, its own Japanese texts and its SVG image
# plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-qpa-plugins, qt6-translations-l10n, libqt6svg6")
include(CPack)
