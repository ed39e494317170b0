# Runs the JUnit suites with -Xcheck:jni and fails on any JNI warning or
# error the JVM prints, not only on failed tests. SELECTION chooses the tests
# (console launcher options); by default every test class on the class path.
if(NOT DEFINED SELECTION)
  set(SELECTION --scan-class-path ${CLASSPATH})
endif()
execute_process(
  COMMAND ${JAVA} -Xcheck:jni -Djava.library.path=${LIBRARY_PATH} ${PROPERTIES}
          -jar ${CONSOLE} --disable-banner --disable-ansi-colors --details=tree
          --class-path ${CLASSPATH} ${SELECTION}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors)
message("${output}")
message("${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "JUnit suites failed (exit ${result})")
endif()
foreach(text IN ITEMS "WARNING in native method" "FATAL ERROR in native method" "JNI WARNING" "Exception in thread"
                    "WARNING: Use --enable-native-access")
  string(FIND "${output}${errors}" "${text}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the JVM reported \"${text}\"")
  endif()
endforeach()
