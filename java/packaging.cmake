# What a Java developer picks up: jvelweb-<version>.jar with the classes, a
# manifest and the natives this build made (plus those of other builds named
# in JVELWEB_JAR_NATIVES), its sources and javadoc jars, the POM of
# com.velmora:jvelweb, and jvelweb_maven_install, which puts them in a local
# Maven repository with no network. Included from the top directory once the
# native targets exist.
find_package(Java 17 REQUIRED COMPONENTS Development)

set(JVELWEB_JAR_BASE jvelweb-${PROJECT_VERSION})
set(JVELWEB_JAR ${CMAKE_BINARY_DIR}/${JVELWEB_JAR_BASE}.jar)
set(JVELWEB_SOURCES_JAR ${CMAKE_BINARY_DIR}/${JVELWEB_JAR_BASE}-sources.jar)
set(JVELWEB_JAVADOC_JAR ${CMAKE_BINARY_DIR}/${JVELWEB_JAR_BASE}-javadoc.jar)
set(JVELWEB_POM ${CMAKE_BINARY_DIR}/${JVELWEB_JAR_BASE}.pom)
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)

# The platform as the loader names it: linux-x86_64, windows-x86, ...
string(TOLOWER "${CMAKE_SYSTEM_NAME}" native_os)
string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" native_arch)
if(native_arch MATCHES "^(amd64|x86_64|x64)$")
  set(native_arch x86_64)
elseif(native_arch MATCHES "^(i[3-6]86|x86)$")
  set(native_arch x86)
elseif(native_arch STREQUAL "arm64")
  set(native_arch aarch64)
endif()
set(JVELWEB_NATIVE_PLATFORM ${native_os}-${native_arch})

# <platform>/<path in the jar's folder>=<file>, one entry per file. This
# build's: the library, the COM layer, the simulated plug-in and its bundled
# registration, laid out as in lib/.
get_filename_component(registration_name ${VELWEB_SIMULATOR_REGISTRATION} NAME)
set(native_entries
  "${JVELWEB_NATIVE_PLATFORM}/$<TARGET_FILE_NAME:jvelcom>=$<TARGET_FILE:jvelcom>"
  "${JVELWEB_NATIVE_PLATFORM}/$<TARGET_FILE_NAME:jvelweb>=$<TARGET_FILE:jvelweb>"
  "${JVELWEB_NATIVE_PLATFORM}/$<TARGET_FILE_NAME:velwebsim>=$<TARGET_FILE:velwebsim>"
  "${JVELWEB_NATIVE_PLATFORM}/jvelcom-classes/${registration_name}=${VELWEB_SIMULATOR_REGISTRATION}")
set(native_files $<TARGET_FILE:jvelcom> $<TARGET_FILE:jvelweb> $<TARGET_FILE:velwebsim> ${VELWEB_SIMULATOR_REGISTRATION})
# The targets that make those files. A custom command's DEPENDS on a target
# makes Make build it first; the file alone is enough for Ninja only.
set(native_targets jvelcom jvelweb velwebsim)

# Natives of the Windows builds (scripts/run-windows-tests makes build-win32
# and build-win64): jvelweb.dll, and velwebsim.dll when it is there.
set(JVELWEB_JAR_NATIVES "" CACHE STRING
  "Natives of other builds to put in the jar, as <platform>=<directory>, e.g. windows-x86=/src/build-win32/bin;windows-x86_64=/src/build-win64/bin")
foreach(item IN LISTS JVELWEB_JAR_NATIVES)
  if(NOT item MATCHES "^(windows-x86|windows-x86_64)=(.+)$")
    message(FATAL_ERROR "JVELWEB_JAR_NATIVES: '${item}' is not windows-x86=<dir> or windows-x86_64=<dir>")
  endif()
  set(platform ${CMAKE_MATCH_1})
  set(dir ${CMAKE_MATCH_2})
  if(NOT EXISTS ${dir}/jvelweb.dll)
    message(FATAL_ERROR "JVELWEB_JAR_NATIVES: no jvelweb.dll in ${dir}; build ${platform} first")
  endif()
  foreach(dll jvelweb.dll velwebsim.dll)
    if(EXISTS ${dir}/${dll})
      list(APPEND native_entries "${platform}/${dll}=${dir}/${dll}")
      list(APPEND native_files ${dir}/${dll})
    endif()
  endforeach()
endforeach()
# One list per configuration, for multi-configuration generators.
set(natives_list ${packaging_dir}/natives-$<CONFIG>.cmake)
file(GENERATE OUTPUT ${natives_list}
  CONTENT "set(JVELWEB_NATIVE_ENTRIES \"${native_entries}\")\n")

configure_file(${CMAKE_CURRENT_LIST_DIR}/MANIFEST.MF.in ${packaging_dir}/MANIFEST.MF @ONLY)
get_target_property(classes_jar jvelweb_classes JAR_FILE)
add_custom_command(OUTPUT ${JVELWEB_JAR}
  COMMAND ${CMAKE_COMMAND} -DCLASSES_JAR=${classes_jar} -DMANIFEST=${packaging_dir}/MANIFEST.MF
    -DENTRIES=${natives_list} -DSTAGE=${packaging_dir}/jar -DJAR_TOOL=${Java_JAR_EXECUTABLE}
    -DOUTPUT=${JVELWEB_JAR} -P ${CMAKE_CURRENT_LIST_DIR}/assemble_jar.cmake
  DEPENDS ${classes_jar} jvelweb_classes ${native_targets} ${native_files} ${packaging_dir}/MANIFEST.MF ${natives_list}
    ${CMAKE_CURRENT_LIST_DIR}/assemble_jar.cmake
  COMMENT "Assembling ${JVELWEB_JAR_BASE}.jar with the natives of ${JVELWEB_NATIVE_PLATFORM} ${JVELWEB_JAR_NATIVES}"
  VERBATIM)

# Each source goes into its package's folder: com.velmora.jvelweb (the
# generated facade included) and com.velmora.jvelweb.sim.
set(sources_stage ${packaging_dir}/sources)
set(sim_java_sources ${JVELWEB_ALL_JAVA_SOURCES})
list(FILTER sim_java_sources INCLUDE REGEX "/com/velmora/jvelweb/sim/[^/]+\\.java$")
set(main_java_sources ${JVELWEB_ALL_JAVA_SOURCES})
list(REMOVE_ITEM main_java_sources ${sim_java_sources})
add_custom_command(OUTPUT ${JVELWEB_SOURCES_JAR}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${sources_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${sources_stage}/com/velmora/jvelweb/sim
  COMMAND ${CMAKE_COMMAND} -E copy ${main_java_sources} ${sources_stage}/com/velmora/jvelweb/
  COMMAND ${CMAKE_COMMAND} -E copy ${sim_java_sources} ${sources_stage}/com/velmora/jvelweb/sim/
  COMMAND ${Java_JAR_EXECUTABLE} --create --file ${JVELWEB_SOURCES_JAR} -C ${sources_stage} .
  DEPENDS jvelweb_classes ${JVELWEB_ALL_JAVA_SOURCES}
  COMMENT "Assembling ${JVELWEB_JAR_BASE}-sources.jar"
  VERBATIM)

# The Javadoc links to the simulated plug-in's document, which travels as an
# HTML page among the package's doc-files.
set(javadoc_dir ${packaging_dir}/javadoc)
set(javadoc_doc_files ${javadoc_dir}/com/velmora/jvelweb/doc-files)
add_custom_command(OUTPUT ${JVELWEB_JAVADOC_JAR}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${javadoc_dir}
  COMMAND ${Java_JAVADOC_EXECUTABLE} -quiet --release 17 -encoding UTF-8 -Xdoclint:all,-missing -d ${javadoc_dir}
    -doctitle "JVelWeb ${PROJECT_VERSION}" -windowtitle "JVelWeb ${PROJECT_VERSION}" ${JVELWEB_ALL_JAVA_SOURCES}
  COMMAND ${Java_JAVA_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/generator/MarkdownPage.java
    ${CMAKE_SOURCE_DIR}/docs/simulated-plugin.md ${javadoc_doc_files}/simulated-plugin.html "The simulated VelWeb plug-in"
  COMMAND ${Java_JAR_EXECUTABLE} --create --file ${JVELWEB_JAVADOC_JAR} -C ${javadoc_dir} .
  DEPENDS jvelweb_classes ${JVELWEB_ALL_JAVA_SOURCES} ${CMAKE_SOURCE_DIR}/docs/simulated-plugin.md
    ${CMAKE_CURRENT_LIST_DIR}/generator/MarkdownPage.java
  COMMENT "Assembling ${JVELWEB_JAR_BASE}-javadoc.jar"
  VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/pom.xml.in ${JVELWEB_POM} @ONLY)

add_custom_target(jvelweb_jar ALL DEPENDS ${JVELWEB_JAR} ${JVELWEB_SOURCES_JAR} ${JVELWEB_JAVADOC_JAR})
# Generated sources exist once the classes are compiled.
add_dependencies(jvelweb_jar jvelweb_classes ${native_targets})
# Other jars compile against this one (add_jar's INCLUDE_JARS reads JAR_FILE).
set_target_properties(jvelweb_jar PROPERTIES JAR_FILE ${JVELWEB_JAR})

# Maven, offline: Debian's packaged plug-ins (/usr/share/maven-repo) are the
# only remote repository, read through file: even with -o.
configure_file(${CMAKE_CURRENT_LIST_DIR}/maven-settings.xml.in ${packaging_dir}/maven-settings.xml @ONLY)
set(JVELWEB_MAVEN_SETTINGS ${packaging_dir}/maven-settings.xml)
set(JVELWEB_MAVEN_REPOSITORY "" CACHE PATH "Where jvelweb_maven_install installs; empty means ~/.m2/repository")
add_custom_target(jvelweb_maven_install
  COMMAND ${CMAKE_COMMAND} -DREPOSITORY=${JVELWEB_MAVEN_REPOSITORY} -DSETTINGS=${JVELWEB_MAVEN_SETTINGS}
    -DJAR=${JVELWEB_JAR} -DSOURCES=${JVELWEB_SOURCES_JAR} -DJAVADOC=${JVELWEB_JAVADOC_JAR} -DPOM=${JVELWEB_POM}
    -P ${CMAKE_CURRENT_LIST_DIR}/maven_install.cmake
  DEPENDS ${JVELWEB_JAR} ${JVELWEB_SOURCES_JAR} ${JVELWEB_JAVADOC_JAR} ${JVELWEB_POM}
  COMMENT "Installing com.velmora:jvelweb:${PROJECT_VERSION} into the local Maven repository"
  VERBATIM)
add_dependencies(jvelweb_maven_install jvelweb_jar)

install(FILES ${JVELWEB_JAR} ${JVELWEB_SOURCES_JAR} ${JVELWEB_JAVADOC_JAR} ${JVELWEB_POM}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/java)
