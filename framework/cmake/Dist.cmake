# dist/: the Windows programs ready to copy to a PC with a short README.txt for their users,
# and a zip of that folder.
set(TEMBRA_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
set(TEMBRA_DIST_TARGETS)
foreach(t TembraClock Chronet TCSets)
  if(TARGET ${t})
    list(APPEND TEMBRA_DIST_TARGETS ${t})
  endif()
endforeach()
set(dist_files)
foreach(t ${TEMBRA_DIST_TARGETS})
  list(APPEND dist_files $<TARGET_FILE:${t}>)
endforeach()
# Made afresh each time, so that it holds only what ships.
add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TEMBRA_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TEMBRA_DIST_DIR}
  # (Earlier builds put the repository's README.md there.)
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TEMBRA_DIST_DIR}/README.md
  COMMAND ${CMAKE_COMMAND} -E copy ${dist_files} ${PROJECT_SOURCE_DIR}/docs/README.txt ${TEMBRA_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_SOURCE_DIR} ${CMAKE_COMMAND} -E tar cf
          ${PROJECT_SOURCE_DIR}/build/TembraClock.zip --format=zip dist
  DEPENDS ${TEMBRA_DIST_TARGETS} ${PROJECT_SOURCE_DIR}/docs/README.txt
  COMMENT "Packing dist/ and build/TembraClock.zip")
