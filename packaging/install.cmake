# The configuration of the build tree, and what `cmake --install` puts on a Linux system.
include(GNUInstallDirs)

set(GLIMORA_INSTALL_LANGUAGE "" CACHE STRING
    "Language of an installed game: 0 French, 1 English, empty for each player's locale")
set(GLIMORA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

# The build tree is an installation of its own: the program finds this file beside it and keeps
# its player slot file and saved games in the build tree's userdata folder.
# It speaks English whatever the locale, as the scripts that drive it expect.
set(GLIMORA_CONF_LANGUAGE_LINE "Language=1")
set(GLIMORA_CONF_PATH "${CMAKE_BINARY_DIR}/userdata")
configure_file(${GLIMORA_PACKAGING_DIR}/glimora.conf.in ${CMAKE_BINARY_DIR}/glimora.conf @ONLY)

if(UNIX AND NOT APPLE AND TARGET glimora)
    # The installed configuration names no folder: each user's files go to their own data
    # folder ($XDG_DATA_HOME/glimora, by default ~/.local/share/glimora). Unless the installer
    # chose a language, it names none either, and each player gets their locale's.
    if(GLIMORA_INSTALL_LANGUAGE STREQUAL "")
        set(GLIMORA_CONF_LANGUAGE_LINE "#Language=1")
    else()
        set(GLIMORA_CONF_LANGUAGE_LINE "Language=${GLIMORA_INSTALL_LANGUAGE}")
    endif()
    set(GLIMORA_CONF_PATH "")
    configure_file(${GLIMORA_PACKAGING_DIR}/glimora.conf.in
                   ${CMAKE_BINARY_DIR}/packaging/glimora.conf @ONLY)

    # The release date of the version, from the same debian/changelog entry.
    file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX MATCH "([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])" _ "${trailer}")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
        set(month 0${month})
    endif()
    set(GLIMORA_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    # The program reads this file when it runs from the installed folder (platform/posix).
    set(GLIMORA_SYSTEM_CONFIG ${CMAKE_INSTALL_FULL_SYSCONFDIR}/glimora/glimora.conf)
    configure_file(${GLIMORA_PACKAGING_DIR}/glimora.6.in ${CMAKE_BINARY_DIR}/packaging/glimora.6
                   @ONLY)
    configure_file(${GLIMORA_PACKAGING_DIR}/${GLIMORA_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/packaging/${GLIMORA_APP_ID}.metainfo.xml @ONLY)

    install(TARGETS glimora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_BINARY_DIR}/packaging/glimora.conf
            DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/glimora)
    install(FILES ${GLIMORA_PACKAGING_DIR}/${GLIMORA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/${GLIMORA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/glimora.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    foreach(size 16 32 48 64 128 256)
        set(icon ${PROJECT_SOURCE_DIR}/resources/icon/glimora-${size}.png)
        if(EXISTS ${icon})
            install(FILES ${icon}
                    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                    RENAME glimora.png)
        endif()
    endforeach()
endif()
