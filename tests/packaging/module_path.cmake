# The jar on the module path under another file name: the application's
# "requires com.velmora.jvelweb" resolves through Automatic-Module-Name, both
# packages (com.velmora.jvelweb and com.velmora.jvelweb.sim) are exported, and
# the library loads from the jar with a bare environment and a HOME of its own.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/modules)
file(COPY_FILE ${JAR} ${WORK}/modules/renamed.jar)
file(GLOB_RECURSE sources ${APP}/*.java)
execute_process(COMMAND ${JAVAC} --module-path ${WORK}/modules -d ${WORK}/app ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the application module does not compile")
endif()
execute_process(
  COMMAND env -i PATH=/usr/bin:/bin HOME=${WORK}/home ${JAVA} --enable-native-access=com.velmora.jvelweb
    --module-path ${WORK}/modules:${WORK}/app --module com.example.app/com.example.app.Main
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
string(REGEX REPLACE "^.*/jvelweb-([^/]+)\\.jar$" "\\1" version "${JAR}")
if(NOT result EQUAL 0 OR NOT output STREQUAL "initialize 0\nsimulated true, 250 ms on\nversion ${version}-sim\ndelete 0\n" OR NOT errors STREQUAL "")
  message(FATAL_ERROR "the module-path application failed (exit ${result})")
endif()
