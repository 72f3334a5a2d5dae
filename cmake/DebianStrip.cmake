# Run by CPack on the staged files before it packs them (CPACK_PRE_BUILD_SCRIPTS): strips the
# program and its module as Debian's dh_strip does, which also drops the compiler's .comment and
# .note sections that CPack's own stripping leaves.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    continue()
  endif()
  if(file MATCHES "\\.so$")
    set(symbols --strip-unneeded)
  else()
    set(symbols --strip-all)
  endif()
  execute_process(
    COMMAND "${CPACK_ZELKARIN_STRIP}" ${symbols} --remove-section=.comment --remove-section=.note
            "${file}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
