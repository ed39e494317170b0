# Runs javadoc with every doclint check over the package's public classes and
# fails on any warning or error. The sources are globbed here, at test time,
# so a class added to the package is checked without touching this file.
# doclint does not follow in-page links, so each href="#x" must also find an
# id="x" in the same file.
# Sources generated at build time (the checked facade) are checked as well.
# SOURCES is a list of package folders.
list(TRANSFORM SOURCES APPEND /*.java OUTPUT_VARIABLE source_globs)
file(GLOB sources ${source_globs} ${GENERATED}/*.java)
if(NOT sources)
  message(FATAL_ERROR "no Java sources in ${SOURCES}")
endif()
file(REMOVE_RECURSE ${OUTPUT})
execute_process(
  COMMAND ${JAVADOC} -Xdoclint:all -Werror -quiet -encoding UTF-8 -d ${OUTPUT} ${sources}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "javadoc -Xdoclint:all failed (exit ${result})")
endif()
string(REGEX MATCH "warning|error" complaint "${output}${errors}")
if(complaint)
  message(FATAL_ERROR "javadoc reported a ${complaint}")
endif()
foreach(source ${sources})
  file(READ ${source} text)
  string(REGEX MATCHALL "href=\"#[^\"]+\"" links "${text}")
  list(REMOVE_DUPLICATES links)
  foreach(link ${links})
    string(REGEX REPLACE "href=\"#([^\"]+)\"" "\\1" anchor "${link}")
    string(FIND "${text}" "id=\"${anchor}\"" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${source}: ${link} has no id=\"${anchor}\" in the same file")
    endif()
  endforeach()
endforeach()
list(LENGTH sources count)
message("doclint clean over ${count} source files")
