# Installs the jar, its sources and javadoc jars and the POM into a local
# Maven repository (REPOSITORY, or ~/.m2/repository), offline: Maven's own
# install plug-in comes from Debian's /usr/share/maven-repo.
find_program(MVN mvn)
if(NOT MVN)
  message(FATAL_ERROR "mvn not found: install Debian's maven and libmaven-install-plugin-java")
endif()
if(NOT REPOSITORY)
  set(REPOSITORY $ENV{HOME}/.m2/repository)
endif()
execute_process(
  COMMAND ${MVN} -B -o -q -s ${SETTINGS} -Daether.offline.protocols=file -Dmaven.repo.local=${REPOSITORY}
    org.apache.maven.plugins:maven-install-plugin:3.1.0:install-file
    -Dfile=${JAR} -DpomFile=${POM} -Dsources=${SOURCES} -Djavadoc=${JAVADOC}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "mvn install:install-file failed (exit ${result})")
endif()
message(STATUS "Installed com.velmora:jvelweb into ${REPOSITORY}")
