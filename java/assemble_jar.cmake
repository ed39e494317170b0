# Assembles jvelweb-<version>.jar: the compiled classes, the manifest, and under
# com/velmora/jvelweb/native/ one folder per platform with its files and a
# "files" index of SHA-256 and path, which the loader checks on extraction,
# plus "platforms", the list of those folders.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${CLASSES_JAR} WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${CLASSES_JAR}")
endif()
file(REMOVE_RECURSE ${STAGE}/META-INF)

include(${ENTRIES})
set(native ${STAGE}/com/velmora/jvelweb/native)
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
  file(COPY_FILE ${source} ${native}/${platform}/${path})
  file(SHA256 ${source} digest)
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
