# What `cmake --install` puts where: the programs in bin/, ORV's libraries in
# lib/orv/ (each finds the others beside itself, the programs find them
# through their RPATH), the shipped data in share/orv/ and the public headers
# in include/orv/. Targets that a configuration does not build are skipped.
include(GNUInstallDirs)
set(ORV_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/orv)
file(RELATIVE_PATH bin_to_lib /${CMAKE_INSTALL_BINDIR} /${ORV_INSTALL_LIBDIR})

# Installed targets are linked once with the search path they install with,
# which works in the build tree too (libraries sit beside the programs
# there). CMake would otherwise link them with a build-tree path padded by
# empty entries, to be rewritten at install, and an empty entry makes the
# loader look for every library, libc included, in the current folder.

foreach(program orvcc orvscript orvedit)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES BUILD_WITH_INSTALL_RPATH ON
                                                INSTALL_RPATH "$ORIGIN/${bin_to_lib}:$ORIGIN")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

foreach(library orvplatform orvcomponents orvcontrols orvcore orvccwindow orvserve orvsvg engine orvsys orvpublish
                orvpublishdialog tagwiz huepick)
  if(TARGET ${library})
    set_target_properties(${library} PROPERTIES BUILD_WITH_INSTALL_RPATH ON INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${library} LIBRARY DESTINATION ${ORV_INSTALL_LIBDIR})
  endif()
endforeach()

install(DIRECTORY data/templates data/snippets data/swatches data/icons
        DESTINATION ${CMAKE_INSTALL_DATADIR}/orv)
install(DIRECTORY include/orv DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
