# What quorvel.rc is compiled with, for the Windows tree (linked into the
# game) and the native tree (a .res file for the browser edition): the
# version header, written into the including directory's build folder, and
# the include path that finds it, resource_ids.h and the generated files.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_CURRENT_BINARY_DIR}/version.h @ONLY)
set(QUORVEL_RC ${CMAKE_CURRENT_LIST_DIR}/quorvel.rc)
set(QUORVEL_RC_INCLUDES
  ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}
  ${QUORVEL_GENERATED_DIR}/art
  ${QUORVEL_GENERATED_DIR}/waves)
set(QUORVEL_RC_SOURCES ${CMAKE_CURRENT_LIST_DIR}/resource_ids.h ${CMAKE_CURRENT_BINARY_DIR}/version.h)
