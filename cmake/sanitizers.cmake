# Sanitizer builds. Included by the root CMakeLists.txt before any target is
# made, so the options below reach every target, the shared libraries included.
#
#   JVELWEB_SANITIZE=address  AddressSanitizer (with LeakSanitizer) and
#                             UndefinedBehaviorSanitizer; the first report
#                             ends the process.
#   JVELWEB_SANITIZE=thread   ThreadSanitizer.
#   JVELWEB_FUZZ=ON           (clang) every target also records coverage for
#                             libFuzzer, and fuzz/ builds its targets.
#
# JVELWEB_SANITIZED is true in sanitized builds: a JVM cannot load the library
# there without preloading the sanitizer runtime, so suites that start a JVM
# check it and stay out of such builds.

set(JVELWEB_SANITIZE "" CACHE STRING "Sanitizer for every target: empty, address (ASan+UBSan) or thread (TSan)")
set_property(CACHE JVELWEB_SANITIZE PROPERTY STRINGS "" address thread)
option(JVELWEB_FUZZ "Instrument every target for libFuzzer and build the fuzz targets (clang only)" OFF)

set(JVELWEB_SANITIZED FALSE)
set(jvelweb_sanitize_flags "")

if(JVELWEB_SANITIZE STREQUAL "address")
  # vptr is left out: a COM interface pointer is a vtable laid out by contract,
  # often by another compiler, with no C++ type information behind it (the
  # plug-in and the test probes are such objects), so the check has nothing
  # sound to compare against.
  set(jvelweb_sanitize_flags -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all)
elseif(JVELWEB_SANITIZE STREQUAL "thread")
  set(jvelweb_sanitize_flags -fsanitize=thread)
elseif(NOT JVELWEB_SANITIZE STREQUAL "")
  message(FATAL_ERROR "JVELWEB_SANITIZE must be empty, address or thread, not '${JVELWEB_SANITIZE}'")
endif()

if(JVELWEB_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "JVELWEB_FUZZ needs clang (libFuzzer)")
endif()
if(JVELWEB_FUZZ AND NOT JVELWEB_SANITIZE STREQUAL "address")
  message(FATAL_ERROR "JVELWEB_FUZZ needs JVELWEB_SANITIZE=address")
endif()

if(jvelweb_sanitize_flags)
  set(JVELWEB_SANITIZED TRUE)
  add_compile_options(${jvelweb_sanitize_flags} -fno-omit-frame-pointer)
  add_link_options(${jvelweb_sanitize_flags})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # clang links its sanitizer runtime statically into executables only, so
    # the shared libraries (built with --no-undefined) would not link. The
    # shared runtime serves both; executables find it through their RUNPATH.
    # clang 14's shared ThreadSanitizer runtime crashes at start-up, so thread
    # builds take g++, whose runtimes are always shared.
    if(JVELWEB_SANITIZE STREQUAL "thread")
      message(FATAL_ERROR "JVELWEB_SANITIZE=thread: configure with g++ (CXX=g++); clang's ThreadSanitizer "
                          "runtime cannot be shared with the libraries")
    endif()
    set(jvelweb_runtime libclang_rt.asan-${CMAKE_SYSTEM_PROCESSOR}.so)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${jvelweb_runtime}
                    OUTPUT_VARIABLE jvelweb_runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${jvelweb_runtime_path}" OR NOT EXISTS "${jvelweb_runtime_path}")
      string(REGEX MATCH "^[0-9]+" jvelweb_clang_major "${CMAKE_CXX_COMPILER_VERSION}")
      message(FATAL_ERROR "${jvelweb_runtime} not found: "
                          "scripts/ensure-packages libclang-rt-${jvelweb_clang_major}-dev")
    endif()
    get_filename_component(jvelweb_runtime_dir ${jvelweb_runtime_path} DIRECTORY)
    add_link_options(-shared-libsan LINKER:-rpath,${jvelweb_runtime_dir})
  endif()
endif()

if(JVELWEB_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
