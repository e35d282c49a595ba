# Where everything goes under the install prefix. The game finds its card
# module in its own folder, so the two share a private folder and the
# command on the PATH is a link to the game there.

set(QUINTARA_INSTALL_PRIVATEDIR "lib/quintara" CACHE STRING
    "Folder under the prefix that holds the game and its card module")
# Debian keeps games in games/, on every user's PATH; elsewhere choose bin.
set(QUINTARA_INSTALL_COMMANDDIR "games" CACHE STRING
    "Folder under the prefix for the quintara and quintara-solve commands")
foreach(dir QUINTARA_INSTALL_PRIVATEDIR QUINTARA_INSTALL_COMMANDDIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the install prefix")
    endif()
endforeach()

install(TARGETS quintara RUNTIME DESTINATION ${QUINTARA_INSTALL_PRIVATEDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/zozaro2.dll DESTINATION ${QUINTARA_INSTALL_PRIVATEDIR})
install(TARGETS quintara-solve RUNTIME DESTINATION ${QUINTARA_INSTALL_COMMANDDIR})

# A relative link, so that the tree works wherever DESTDIR puts it.
file(RELATIVE_PATH quintara_link_target
    /${QUINTARA_INSTALL_COMMANDDIR} /${QUINTARA_INSTALL_PRIVATEDIR}/quintara)
install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUINTARA_INSTALL_COMMANDDIR}/quintara\")
    message(STATUS \"Installing: \${link} -> ${quintara_link_target}\")
    file(CREATE_LINK \"${quintara_link_target}\" \"\${link}\" SYMBOLIC)
")

set(data ${PROJECT_BINARY_DIR}/data)
install(DIRECTORY ${data}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES data/quintara.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/${QUINTARA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${data}/quintara.6.gz ${data}/quintara-solve.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES data/debian/copyright ${data}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quintara)
