# Assembles jvelweb-<version>.jar: the compiled classes, the manifest, and under
# com/velmora/jvelweb/native/ one folder per platform with its files and a
# "files" index of SHA-256 and path, which the loader checks on extraction,
# plus "platforms", the list of those folders.
# This build's ELF natives (platform STRIP_PLATFORM) go in stripped, as
# distributions ship them: their debug information goes to DEBUG_ARCHIVE, a
# zip laid out like /usr/lib/debug (.build-id/<xx>/<rest>.debug), and each
# stripped file keeps a .gnu_debuglink to its .debug file. With OBJCOPY empty
# (a toolchain without binutils) they go in as built.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${CLASSES_JAR} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${CLASSES_JAR}")
endif()
file(REMOVE_RECURSE ${STAGE}/META-INF)

include(${ENTRIES})
set(native ${STAGE}/com/velmora/jvelweb/native)
set(debug_stage ${STAGE}-debug)
file(REMOVE_RECURSE ${debug_stage})

# Copies source to target, stripped when it is one of this build's ELF files.
function(copy_native platform source target)
  set(magic "")
  if(OBJCOPY AND READELF AND platform STREQUAL STRIP_PLATFORM)
    file(READ ${source} magic LIMIT 4 HEX)
  endif()
  if(NOT magic STREQUAL "7f454c46")
    file(COPY_FILE ${source} ${target})
    return()
  endif()
  execute_process(COMMAND ${READELF} -n ${source} OUTPUT_VARIABLE notes RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "${source} has no build ID to file its debug information under")
  endif()
  set(debug_file ${debug_stage}/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug)
  get_filename_component(debug_folder ${debug_file} DIRECTORY)
  file(MAKE_DIRECTORY ${debug_folder})
  execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${source} ${debug_file} RESULT_VARIABLE result)
  if(result EQUAL 0)
    execute_process(COMMAND ${OBJCOPY} --strip-unneeded --remove-section=.comment
      --add-gnu-debuglink=${debug_file} ${source} ${target} RESULT_VARIABLE result)
  endif()
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "objcopy failed on ${source}")
  endif()
endfunction()
set(platforms "")
foreach(entry IN LISTS JVELWEB_NATIVE_ENTRIES)
  if(NOT entry MATCHES "^([^/=]+)/([^=]+)=(.+)$")
    message(FATAL_ERROR "bad native entry '${entry}'")
  endif()
  set(platform ${CMAKE_MATCH_1})
  set(path ${CMAKE_MATCH_2})
  set(source ${CMAKE_MATCH_3})
  get_filename_component(folder ${native}/${platform}/${path} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  copy_native(${platform} ${source} ${native}/${platform}/${path})
  file(SHA256 ${native}/${platform}/${path} digest)
  file(APPEND ${native}/${platform}/files "${digest} ${path}\n")
  list(APPEND platforms ${platform})
endforeach()
list(REMOVE_DUPLICATES platforms)
list(JOIN platforms "\n" platform_lines)
file(WRITE ${native}/platforms "${platform_lines}\n")

execute_process(COMMAND ${JAR_TOOL} --create --file ${OUTPUT}.part --manifest ${MANIFEST} -C ${STAGE} .
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "jar failed for ${OUTPUT}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})

if(DEBUG_ARCHIVE)
  file(MAKE_DIRECTORY ${debug_stage})
  file(GLOB_RECURSE debug_files RELATIVE ${debug_stage} ${debug_stage}/*)
  file(REMOVE ${DEBUG_ARCHIVE})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${DEBUG_ARCHIVE} --format=zip -- ${debug_files}
    WORKING_DIRECTORY ${debug_stage} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot write ${DEBUG_ARCHIVE}")
  endif()
endif()
