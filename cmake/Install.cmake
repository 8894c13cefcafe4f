# What `cmake --install` lays out under the prefix: the program, its shipped files, and what a
# Linux desktop needs to show it (menu entry, icons in the hicolor theme, AppStream metadata).
set(PELLORA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS pellora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(res IN LISTS PELLORA_RESOURCES)
    if(EXISTS ${PROJECT_SOURCE_DIR}/resources/${res})
        install(FILES ${PROJECT_SOURCE_DIR}/resources/${res} DESTINATION ${PELLORA_SHARE_SUBDIR})
    endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/resources/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pellora)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${PELLORA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${PELLORA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${PELLORA_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS PELLORA_ICON_SIZES)
    install(FILES
        ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/${PELLORA_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
