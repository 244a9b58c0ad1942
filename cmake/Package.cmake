# The release zip: the stripped program and the read-me for Windows users
# (Windows line ends), and beside the zip its SHA-256 checksum. The read-me
# for developers stays in the repository.
if(WIN32)
  set(WINDOWS_README ${CMAKE_BINARY_DIR}/release/README.txt)
  configure_file(${CMAKE_SOURCE_DIR}/release/README.txt.in ${WINDOWS_README} @ONLY
                 NEWLINE_STYLE CRLF)
  install(TARGETS shellbackup RUNTIME DESTINATION .)
  install(FILES ${WINDOWS_README} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGE_CHECKSUM SHA256)
  set(CPACK_PACKAGE_FILE_NAME "shellbackup-${PROJECT_VERSION}-win64")
  include(CPack)
endif()
