# Install rules and packages: a Debian package of the Linux programs, a zip of
# the Windows ones, each with both programs, the README and the pages it links to (docs/).
#
# The one-shot program writes its files into the folder that holds it. In the
# zip that is the folder the user unpacked, where it is run. On Linux the
# package keeps it in a folder of its own under libexec, from where the user
# copies it into a folder of theirs (the README says how): run from a system
# folder it would write there.
include(GNUInstallDirs)
set(SCENARIO_PACKAGE scenario-build)
if(WIN32)
  install(TARGETS scenario_build scenario RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION .)
  install(DIRECTORY docs DESTINATION . FILES_MATCHING PATTERN "*.md")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
else()
  install(TARGETS scenario RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS scenario_build
    RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/${SCENARIO_PACKAGE})
  if(TARGET scenario_serve)
    # scenario hands serve over to it (the path is built into scenario).
    install(TARGETS scenario_serve
      RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/${SCENARIO_PACKAGE})
  endif()
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SCENARIO_PACKAGE})
  install(DIRECTORY docs DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SCENARIO_PACKAGE}
    FILES_MATCHING PATTERN "*.md")
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # The libraries the programs link (the C++ runtime, FLTK and X11 where the
  # window is built in), as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
endif()
set(CPACK_PACKAGE_NAME ${SCENARIO_PACKAGE})
set(CPACK_PACKAGE_VENDOR "scenario_build developers")
set(CPACK_PACKAGE_CONTACT "scenario_build developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Builds a train-driving scenario's binary files; the author's tool checks and builds them")
set(CPACK_PACKAGE_DESCRIPTION
  "scenario_build writes a complete built-in scenario (a line and a train run) \
into its own folder; scenario checks an author's source documents and builds \
the binary files the simulator loads from them.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
