# Where everything goes under the install prefix. The game finds its card
# module in its own folder, so the two share a private folder and the
# command on the PATH is a link to the game there.

set(QUINTARA_INSTALL_PRIVATEDIR "lib/quintara" CACHE STRING
    "Folder under the prefix that holds the game and its card module")
foreach(dir QUINTARA_INSTALL_PRIVATEDIR CMAKE_INSTALL_BINDIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the install prefix")
    endif()
endforeach()

install(TARGETS quintara RUNTIME DESTINATION ${QUINTARA_INSTALL_PRIVATEDIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/zozaro2.dll DESTINATION ${QUINTARA_INSTALL_PRIVATEDIR})
# The module is still found by the library search from the program's folder.
set_target_properties(quintara PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS quintara-solve RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A relative link, so that the tree works wherever DESTDIR puts it.
file(RELATIVE_PATH quintara_link_target
    /${CMAKE_INSTALL_BINDIR} /${QUINTARA_INSTALL_PRIVATEDIR}/quintara)
install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quintara\")
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
