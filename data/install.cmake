# Where everything goes under the install prefix. The game lives in a
# private folder and the command on the PATH is a link to it there. The card
# module is data, the same on every machine, so it goes with the games' data;
# the game reads it only from its own folder, where a link leads to it.

set(QUINTARA_INSTALL_PRIVATEDIR "libexec/quintara" CACHE STRING
    "Folder under the prefix that holds the game and a link to its card module")
# Debian keeps games in games/, on every user's PATH; elsewhere choose bin.
set(QUINTARA_INSTALL_COMMANDDIR "games" CACHE STRING
    "Folder under the prefix for the quintara and quintara-solve commands")
set(QUINTARA_INSTALL_MODULEDIR "share/games/quintara" CACHE STRING
    "Folder under the prefix that holds the card module")
foreach(dir QUINTARA_INSTALL_PRIVATEDIR QUINTARA_INSTALL_COMMANDDIR QUINTARA_INSTALL_MODULEDIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the install prefix")
    endif()
endforeach()

install(TARGETS quintara RUNTIME DESTINATION ${QUINTARA_INSTALL_PRIVATEDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/zozaro2.dll DESTINATION ${QUINTARA_INSTALL_MODULEDIR})
install(TARGETS quintara-solve RUNTIME DESTINATION ${QUINTARA_INSTALL_COMMANDDIR})

# quintara_install_link(LINK TARGET): LINK points at TARGET, both relative to
# the prefix, by a relative path, so that the tree works wherever DESTDIR
# puts it.
function(quintara_install_link link target)
    get_filename_component(folder /${link} DIRECTORY)
    file(RELATIVE_PATH relative ${folder} /${target})
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\")
        message(STATUS \"Installing: \${link} -> ${relative}\")
        file(CREATE_LINK \"${relative}\" \"\${link}\" SYMBOLIC)
    ")
endfunction()
quintara_install_link(${QUINTARA_INSTALL_COMMANDDIR}/quintara ${QUINTARA_INSTALL_PRIVATEDIR}/quintara)
quintara_install_link(${QUINTARA_INSTALL_PRIVATEDIR}/zozaro2.dll ${QUINTARA_INSTALL_MODULEDIR}/zozaro2.dll)

set(data ${PROJECT_BINARY_DIR}/data)
install(DIRECTORY ${data}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The menu entry is named after the AppStream id, as the metadata's
# launchable and the window's desktop file name say.
install(FILES data/quintara.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${QUINTARA_APP_ID}.desktop)
install(FILES ${data}/${QUINTARA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${data}/man/quintara.6.gz ${data}/man/quintara-solve.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${data}/man/it/quintara.6.gz ${data}/man/it/quintara-solve.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/it/man6)
