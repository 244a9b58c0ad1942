# The release zip: the program and the README, nothing else.
if(WIN32)
  install(TARGETS shellbackup RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME "shellbackup-${PROJECT_VERSION}-win64")
  include(CPack)
endif()
