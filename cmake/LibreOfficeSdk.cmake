# The LibreOffice SDK and office that UNO clients of this project build against and talk to.
include_guard(GLOBAL)

set(ZELKARIN_LIBREOFFICE_DIR "/usr/lib/libreoffice" CACHE PATH
    "LibreOffice installation whose SDK and office the UNO clients use")

find_program(SOFFICE_SDK_CPPUMAKER cppumaker HINTS "${ZELKARIN_LIBREOFFICE_DIR}/sdk/bin")
find_path(ZELKARIN_UNO_INCLUDE_DIR sal/config.h HINTS "${ZELKARIN_LIBREOFFICE_DIR}/sdk/include")
find_library(ZELKARIN_UNO_SAL_LIBRARY uno_sal HINTS "${ZELKARIN_LIBREOFFICE_DIR}/sdk/lib")
find_library(ZELKARIN_UNO_CPPU_LIBRARY uno_cppu HINTS "${ZELKARIN_LIBREOFFICE_DIR}/sdk/lib")
find_library(ZELKARIN_UNO_CPPUHELPER_LIBRARY uno_cppuhelpergcc3
             HINTS "${ZELKARIN_LIBREOFFICE_DIR}/sdk/lib")
find_file(ZELKARIN_UNO_TYPES_RDB types.rdb HINTS "${ZELKARIN_LIBREOFFICE_DIR}/program"
          NO_DEFAULT_PATH)
find_file(ZELKARIN_UNO_OFFAPI_RDB offapi.rdb HINTS "${ZELKARIN_LIBREOFFICE_DIR}/program/types"
          NO_DEFAULT_PATH)
find_program(ZELKARIN_SOFFICE soffice HINTS "${ZELKARIN_LIBREOFFICE_DIR}/program" NO_DEFAULT_PATH)

foreach(required SOFFICE_SDK_CPPUMAKER ZELKARIN_UNO_INCLUDE_DIR ZELKARIN_UNO_SAL_LIBRARY
                 ZELKARIN_UNO_CPPU_LIBRARY ZELKARIN_UNO_CPPUHELPER_LIBRARY ZELKARIN_UNO_TYPES_RDB
                 ZELKARIN_UNO_OFFAPI_RDB ZELKARIN_SOFFICE)
  if(NOT ${required})
    message(FATAL_ERROR "UNO clients need the LibreOffice SDK and office under "
                        "${ZELKARIN_LIBREOFFICE_DIR} (Debian: libreoffice-dev, "
                        "libreoffice-calc-nogui); ${required} was not found.")
  endif()
endforeach()
# LibreOffice's program folder, with the URE libraries and fundamentalrc used at run time. In the
# cache, as the whole tree reads this file once.
get_filename_component(program_dir "${ZELKARIN_UNO_TYPES_RDB}" DIRECTORY)
set(ZELKARIN_OFFICE_PROGRAM_DIR "${program_dir}" CACHE INTERNAL "LibreOffice's program folder")

# zelkarin_use_uno(target TYPES type...): makes target a UNO client of the office API types named.
# The SDK ships no headers for the office API, so those of the types (and what they depend on)
# are generated at build time; DeploymentException is needed by every service constructor. What
# it takes to include the UNO headers passes on to targets that link target.
function(zelkarin_use_uno target)
  cmake_parse_arguments(ARG "" "" "TYPES" ${ARGN})
  list(TRANSFORM ARG_TYPES PREPEND "-T")
  set(include_dir "${CMAKE_CURRENT_BINARY_DIR}/uno-${target}")
  set(stamp "${include_dir}/generated.stamp")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND "${SOFFICE_SDK_CPPUMAKER}" -Gc "-O${include_dir}" -Tcom.sun.star.uno.DeploymentException
            ${ARG_TYPES} "${ZELKARIN_UNO_TYPES_RDB}" "${ZELKARIN_UNO_OFFAPI_RDB}"
    COMMAND "${CMAKE_COMMAND}" -E touch "${stamp}"
    DEPENDS "${ZELKARIN_UNO_TYPES_RDB}" "${ZELKARIN_UNO_OFFAPI_RDB}" "${CMAKE_CURRENT_LIST_FILE}"
    COMMENT "Generating the UNO headers of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${stamp}")
  target_include_directories(${target} SYSTEM PUBLIC "${include_dir}" "${ZELKARIN_UNO_INCLUDE_DIR}")
  target_compile_definitions(${target} PUBLIC LINUX UNX GCC CPPU_ENV=gcc3)
  # The bridge's proxies for office objects have vtables made at run time, which UBSan's dynamic
  # type check takes for corrupt objects. Harmless without sanitizers.
  target_compile_options(${target} PUBLIC -fno-sanitize=vptr)
  target_compile_definitions(${target} PRIVATE
    ZELKARIN_OFFICE_PROGRAM_DIR="${ZELKARIN_OFFICE_PROGRAM_DIR}"
    ZELKARIN_SOFFICE="${ZELKARIN_SOFFICE}")
  target_link_libraries(${target} PRIVATE
    "${ZELKARIN_UNO_CPPUHELPER_LIBRARY}" "${ZELKARIN_UNO_CPPU_LIBRARY}" "${ZELKARIN_UNO_SAL_LIBRARY}")
  set_target_properties(${target} PROPERTIES
    BUILD_RPATH "${ZELKARIN_OFFICE_PROGRAM_DIR}"
    INSTALL_RPATH "${ZELKARIN_OFFICE_PROGRAM_DIR}")
endfunction()
