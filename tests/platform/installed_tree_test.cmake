# Checks the RUNPATH of every ELF file of the build tree and of a fresh
# installation, then that the installed libjvelcom finds the bundled simulated
# plug-in, also from a private 0700 copy like the one a Java loader extracts.
#   cmake -DBUILD_DIR=... -DPROBE=... -DWORK=... -P installed_tree_test.cmake
# An empty RUNPATH entry is the working directory to the dynamic loader, and a
# relative one depends on it; only absolute and $ORIGIN entries pass.

# check_runpaths(tree [excluded-subtree])
function(check_runpaths tree)
  file(GLOB_RECURSE files LIST_DIRECTORIES false ${tree}/*)
  if(ARGC GREATER 1)
    list(FILTER files EXCLUDE REGEX "^${ARGV1}/")
  endif()
  set(elf_count 0)
  set(bad "")
  foreach(file ${files})
    if(IS_SYMLINK ${file})
      continue()
    endif()
    file(READ ${file} magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
      continue()
    endif()
    math(EXPR elf_count "${elf_count} + 1")
    execute_process(COMMAND readelf -d ${file} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      list(APPEND bad "${file}: readelf failed")
      continue()
    endif()
    string(REGEX MATCHALL "\\((RUNPATH|RPATH)\\)[^\n]*\\[[^]\n]*\\]" tags "${dynamic}")
    foreach(tag ${tags})
      string(REGEX REPLACE ".*\\[(.*)\\]" "\\1" value "${tag}")
      # Split on ':' by hand: CMake lists drop empty elements.
      string(REPLACE ":" ";|" pieces "|${value}")
      foreach(piece ${pieces})
        string(SUBSTRING "${piece}" 1 -1 entry)
        if(NOT entry MATCHES "^/" AND NOT entry MATCHES "^\\$(ORIGIN|{ORIGIN})(/|$)")
          list(APPEND bad "${file}: RUNPATH [${value}] has the entry '${entry}'")
        endif()
      endforeach()
    endforeach()
  endforeach()
  message(STATUS "${tree}: ${elf_count} ELF files (object files included)")
  if(elf_count EQUAL 0)
    message(FATAL_ERROR "no ELF file found under ${tree}")
  endif()
  if(bad)
    string(REPLACE ";" "\n" bad "${bad}")
    message(FATAL_ERROR "empty or relative RUNPATH entries:\n${bad}")
  endif()
endfunction()

# The probe creates the simulated plug-in through the libjvelcom it is given,
# with a HOME of its own holding no registration.
function(probe library)
  file(MAKE_DIRECTORY ${WORK}/home)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${WORK}/home ${PROBE} ${library} 0x00000000
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the bundled plug-in was not found through ${library}:\n${output}")
  endif()
  message(STATUS "${library}: ${output}")
endfunction()

file(REMOVE_RECURSE ${WORK})
check_runpaths(${BUILD_DIR} ${WORK})

# Under umask 002, as many users have: the installation must still be trusted.
execute_process(COMMAND sh -c "umask 002 && exec \"$0\" --install \"$1\" --prefix \"$2\""
    ${CMAKE_COMMAND} ${BUILD_DIR} ${WORK}/prefix
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
check_runpaths(${WORK}/prefix)
file(GLOB_RECURSE installed_jvelcom ${WORK}/prefix/*/libjvelcom.so)
probe(${installed_jvelcom})

# A private copy: a 0700 directory, files readable by their owner only.
get_filename_component(installed_lib ${installed_jvelcom} DIRECTORY)
set(private ${WORK}/private/jvelweb-natives)
file(COPY ${installed_lib}/ DESTINATION ${private}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(CHMOD ${WORK}/private ${private} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
probe(${private}/libjvelcom.so)
file(REMOVE_RECURSE ${WORK})
