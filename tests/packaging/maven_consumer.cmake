# Installs com.velmora:jvelweb into a Maven repository of the build's own with
# the command behind jvelweb_maven_install, then builds and runs the consumer
# project against it offline, in a bare environment: no java.library.path, no
# LD_LIBRARY_PATH, a HOME of its own. Where the system allows it, Maven runs
# with no network at all.
set(isolate "")
execute_process(COMMAND unshare -n true RESULT_VARIABLE no_unshare OUTPUT_QUIET ERROR_QUIET)
if(no_unshare EQUAL 0)
  set(isolate unshare -n)
  message("Maven runs with no network (unshare -n)")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)
execute_process(
  COMMAND ${isolate} ${CMAKE_COMMAND} -DREPOSITORY=${WORK}/repository -DSETTINGS=${SETTINGS} -DJAR=${JAR} -DSOURCES=${SOURCES}
    -DJAVADOC=${JAVADOC} -DPOM=${POM} -P ${INSTALL_SCRIPT}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installing into ${WORK}/repository failed")
endif()
string(REGEX REPLACE "^.*/jvelweb-([^/]+)\\.jar$" "\\1" version "${JAR}")
set(installed ${WORK}/repository/com/velmora/jvelweb/${version})
foreach(file jvelweb-${version}.jar jvelweb-${version}-sources.jar jvelweb-${version}-javadoc.jar jvelweb-${version}.pom)
  if(NOT EXISTS ${installed}/${file})
    message(FATAL_ERROR "the install left no ${file} in ${installed}")
  endif()
endforeach()

file(COPY ${CONSUMER}/ DESTINATION ${WORK}/consumer)
execute_process(
  COMMAND ${isolate} env -i PATH=/usr/bin:/bin HOME=${WORK}/home
    ${MVN} -B -o -s ${SETTINGS} -Daether.offline.protocols=file -Dmaven.repo.local=${WORK}/repository
    -Djvelweb.version=${version} compile exec:exec
  WORKING_DIRECTORY ${WORK}/consumer
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the consumer project failed offline (exit ${result})")
endif()
foreach(line "initialize 0" "device Vibrona Simulated Mouse" "delete 0")
  string(FIND "${output}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the consumer did not print '${line}'")
  endif()
endforeach()
