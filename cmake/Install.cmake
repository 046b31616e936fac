# Install layout and packaging.
#
# Included from the top-level CMakeLists.txt after src/, so the `tessarion`
# target already exists here.

include(GNUInstallDirs)

if(NOT TARGET tessarion)
    message(FATAL_ERROR "cmake/Install.cmake must be included after the tessarion target is defined")
endif()

# One id names the desktop file, the metainfo and the themed icon; AppStream
# and desktop shells match them up by this string.  Lower case because
# appstreamcli --pedantic rejects upper-case letters in component ids.
set(TESSARION_APP_ID "io.github.tessarion.tessarion")

get_filename_component(_tessarion_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(_tessarion_data "${_tessarion_root}/data")

install(TARGETS tessarion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cpack, --strip) also drops the compilers' .comment section, as
# Debian's own packaging does.
if(CMAKE_OBJCOPY)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tessarion\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()")
endif()

install(FILES "${_tessarion_data}/${TESSARION_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${_tessarion_data}/${TESSARION_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(_size 32 128 256)
    install(FILES "${_tessarion_data}/icons/tessarion-${_size}.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
            RENAME ${TESSARION_APP_ID}.png)
endforeach()
install(FILES "${_tessarion_data}/icons/tessarion.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TESSARION_APP_ID}.svg)

# Debian policy wants the licence as /usr/share/doc/<package>/copyright.
if(EXISTS "${_tessarion_root}/LICENSE")
    install(FILES "${_tessarion_root}/LICENSE"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessarion
            RENAME copyright)
endif()

# The manual page and the changelog (in Debian's format, as a native package has it) are
# installed compressed at the highest level and without a time stamp in the gzip header,
# as Debian policy asks, so that two builds give the same files.
find_program(TESSARION_GZIP gzip REQUIRED)
set(_tessarion_docs "${CMAKE_BINARY_DIR}/doc")
configure_file("${_tessarion_data}/tessarion.1.in" "${_tessarion_docs}/source/tessarion.1" @ONLY)
set(_tessarion_gzipped)
foreach(_source IN ITEMS "${_tessarion_docs}/source/tessarion.1" "${_tessarion_data}/changelog")
    get_filename_component(_name "${_source}" NAME)
    add_custom_command(OUTPUT "${_tessarion_docs}/${_name}.gz"
        COMMAND ${CMAKE_COMMAND} -E copy "${_source}" "${_tessarion_docs}/${_name}"
        COMMAND ${TESSARION_GZIP} -9nf "${_tessarion_docs}/${_name}"
        DEPENDS "${_source}"
        VERBATIM)
    list(APPEND _tessarion_gzipped "${_tessarion_docs}/${_name}.gz")
endforeach()
add_custom_target(tessarion_docs ALL DEPENDS ${_tessarion_gzipped})
install(FILES "${_tessarion_docs}/tessarion.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${_tessarion_docs}/changelog.gz" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessarion)

# ------------------------------------------------------------------ CPack

set(CPACK_PACKAGE_NAME "tessarion")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tessarion maintainers")
set(CPACK_PACKAGE_CONTACT "Tessarion maintainers <maintainers@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessarion is a teaching program for physics lessons. It shows one harmonic
oscillation in four synchronized pictures: a mass on a spring, a rotating
vector with sine and cosine, a pendulum, and a graph of one period.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tessarion/tessarion")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")

# dpkg-shlibdeps finds the libraries the binary links, with the versions it
# needs; what it lists must not be listed again by hand.  It cannot see what
# Qt loads at run time: the xcb platform plugin and the ico image plugin ship
# in libqt6gui6 on Debian 12 and Ubuntu, which the binary links anyway, and
# the pictures' text needs a scalable font.
find_program(TESSARION_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TESSARION_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), fonts-liberation")
endif()
# Wayland sessions otherwise fall back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
