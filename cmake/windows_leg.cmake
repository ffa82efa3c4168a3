# The Windows leg: cross-builds picprobe.exe and the record tests with MinGW-w64 in
# builds of their own, then runs them under wine with the same end-to-end cases as Linux.
#
# The program we ship is the 32-bit one, and it always runs under the 32-bit wine where
# this machine can start it. Some kernels refuse 32-bit programs outright ("Exec format
# error"); there the same sources, built as x86-64 with the same options, run under
# wine64 instead, and the 32-bit program is still built and checked as a file. Whether
# a wine starts is found out by starting it. Without a cross compiler or a wine that
# starts, the leg shows as skipped with its reason; under CI a leg that ran no case fails.
set(PICPROBE_WINDOWS AUTO CACHE STRING "Test the Windows build under wine: AUTO, ON or OFF")
if(PICPROBE_WINDOWS STREQUAL "OFF")
  return()
endif()

# The programs are built with the win32 thread model, GoogleTest with the posix one: a
# cross compiler counts only with both (Debian's g++-mingw-w64-* packages bring both).
find_program(PICPROBE_MINGW32_CXX i686-w64-mingw32-g++-win32)
find_program(PICPROBE_MINGW64_CXX x86_64-w64-mingw32-g++-win32)
find_program(PICPROBE_MINGW32_TESTS_CXX i686-w64-mingw32-g++-posix)
find_program(PICPROBE_MINGW64_TESTS_CXX x86_64-w64-mingw32-g++-posix)
set(mingw64_found FALSE)
if(PICPROBE_MINGW64_CXX AND PICPROBE_MINGW64_TESTS_CXX)
  set(mingw64_found TRUE)
endif()
# The loaders themselves, which Debian keeps in wine's library folder, off PATH; not
# /usr/bin/wine, which starts wine64 when wine32 is missing.
find_program(PICPROBE_WINE32 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(PICPROBE_WINE64 wine64 PATHS /usr/lib/wine /usr/lib64/wine)
find_program(PICPROBE_WINESERVER wineserver PATHS /usr/lib/wine)
find_program(PICPROBE_WRESTOOL wrestool)
find_program(PICPROBE_FILE file)
find_program(PICPROBE_TMUX tmux)

# A test that only says why part of the leg did not run: skipped. Under CI, a reason
# that leaves the leg with no case at all fails instead (NO_CASE).
function(windows_skip name reason)
  set(under_ci 77)
  if("NO_CASE" IN_LIST ARGN)
    set(under_ci 1)
  endif()
  add_test(NAME ${name}
           COMMAND sh -c "echo \"$1\"; if [ \"$CI\" = true ]; then exit $2; fi; exit 77" sh
                   "${reason}" ${under_ci})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

# Starts the loader for real; a kernel that refuses it answers "Exec format error". The
# shell's exec reports that answer, where CMake would hand the file to a shell as a script.
function(wine_starts name loader result reason)
  if(NOT loader)
    set(${result} FALSE PARENT_SCOPE)
    set(${reason} "${name} is not installed" PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND sh -c "exec \"$1\" --version" sh ${loader} RESULT_VARIABLE status
                  OUTPUT_QUIET ERROR_VARIABLE error ERROR_STRIP_TRAILING_WHITESPACE)
  if(status EQUAL 0)
    set(${result} TRUE PARENT_SCOPE)
  else()
    string(REGEX REPLACE "\n.*" "" error "${error}")
    set(${result} FALSE PARENT_SCOPE)
    set(${reason} "${loader} did not start: ${error}" PARENT_SCOPE)
  endif()
endfunction()

if(NOT PICPROBE_MINGW32_CXX OR NOT PICPROBE_MINGW32_TESTS_CXX)
  if(PICPROBE_WINDOWS STREQUAL "ON")
    message(FATAL_ERROR "The Windows leg needs i686-w64-mingw32-g++-win32 and -posix")
  endif()
  windows_skip(windows.toolchain
               "Windows leg skipped: i686-w64-mingw32-g++-win32 or -posix (g++-mingw-w64-i686) is missing"
               NO_CASE)
  return()
endif()

wine_starts(wine32 "${PICPROBE_WINE32}" wine32_runs wine32_reason)
if(wine32_runs)
  set(leg 32)
else()
  wine_starts(wine64 "${PICPROBE_WINE64}" wine64_runs wine64_reason)
  if(wine64_runs AND mingw64_found)
    set(leg 64)
  endif()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)

# One cross build in a folder of its own, Release, with one more cache setting.
function(windows_build name toolchain setting)
  ExternalProject_Add(${name}_build
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${PROJECT_BINARY_DIR}/${name}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
               -DCMAKE_BUILD_TYPE=Release ${setting}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR}/${name}
                  --parallel ${cores} --target ${ARGN}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
endfunction()

# The programs are built as a user gets them: the win32 thread model, no tests.
function(windows_programs bits toolchain)
  windows_build(windows${bits} ${toolchain} -DBUILD_TESTING=OFF ${ARGN})
endfunction()

# The record tests build apart, with the posix thread model GoogleTest needs.
function(windows_record_tests bits toolchain)
  windows_build(windows${bits}_tests ${toolchain} -DPICPROBE_MINGW_THREADS=posix record_tests)
endfunction()

# The record tests and every end-to-end case, run under the loader, named windowsBITS.
function(windows_tests bits loader)
  set(windows_dir ${PROJECT_BINARY_DIR}/windows${bits})
  set(wine_environment
      WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix${bits} WINELOADER=${loader} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8)

  # A prefix of the build's own; its first start takes seconds, so one test makes it.
  # One wineserver then stays up for the whole run, so no case boots wine again.
  add_test(NAME windows${bits}.wine_start
           COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/wine_start.sh ${loader} ${PICPROBE_WINESERVER})
  set_tests_properties(windows${bits}.wine_start PROPERTIES
                       FIXTURES_SETUP wine${bits} ENVIRONMENT "${wine_environment}" TIMEOUT 300)
  add_test(NAME windows${bits}.wine_stop COMMAND ${PICPROBE_WINESERVER} -k)
  set_tests_properties(windows${bits}.wine_stop PROPERTIES
                       FIXTURES_CLEANUP wine${bits} ENVIRONMENT "${wine_environment}")

  add_test(NAME windows${bits}.record
           COMMAND ${loader} ${windows_dir}_tests/tests/record_tests.exe)
  set_tests_properties(windows${bits}.record PROPERTIES
                       FIXTURES_REQUIRED wine${bits} ENVIRONMENT "${wine_environment}"
                       TIMEOUT 120)

  # The environment goes as arguments: a list does not survive test discovery as a property.
  set(wine_arguments)
  foreach(setting IN LISTS wine_environment)
    list(APPEND wine_arguments --env ${setting})
  endforeach()
  gtest_discover_tests(picprobe_e2e TEST_PREFIX windows${bits}.e2e.
                       EXTRA_ARGS --picprobe ${windows_dir}/picprobe.exe
                                  --launcher ${loader} ${wine_arguments} --windows
                       PROPERTIES FIXTURES_REQUIRED wine${bits} TIMEOUT 120)

  # Names in any script, also where the manifest's UTF-8 code page does not apply.
  gtest_discover_tests(picprobe_e2e TEST_PREFIX windows${bits}.no_manifest.
                       TEST_FILTER FileNames.*
                       EXTRA_ARGS --picprobe ${windows_dir}/picprobe_no_manifest.exe
                                  --launcher ${loader} ${wine_arguments} --windows
                       PROPERTIES FIXTURES_REQUIRED wine${bits} TIMEOUT 120)

  # A console of its own waits for Enter; read off the screen of a terminal tmux keeps.
  foreach(console_case report_then_wait usage_then_wait name_shown_as_typed name_from_cmd
                       report_controls_as_question_marks maker_controls_as_question_marks
                       no_wait_without_console_input no_wait_with_output_redirected
                       no_wait_from_cmd)
    set(name windows${bits}.console.${console_case})
    if(PICPROBE_TMUX)
      add_test(NAME ${name}
               COMMAND sh ${PROJECT_SOURCE_DIR}/tests/console/console_test.sh ${console_case}
                       ${loader} ${windows_dir}/picprobe.exe)
      set_tests_properties(${name} PROPERTIES
                           FIXTURES_REQUIRED wine${bits} ENVIRONMENT "${wine_environment}"
                           TIMEOUT 120)
    else()
      windows_skip(${name} "the console cases need tmux")
    endif()
  endforeach()
endfunction()

if(leg EQUAL 32)
  windows_programs(32 mingw-i686.cmake picprobe picprobe_no_manifest)
  windows_record_tests(32 mingw-i686.cmake)
  windows_tests(32 ${PICPROBE_WINE32})
else()
  windows_programs(32 mingw-i686.cmake picprobe)
  if(leg EQUAL 64)
    windows_skip(windows32.wine "32-bit Windows leg not run: ${wine32_reason}")
    windows_programs(64 mingw-x86_64.cmake picprobe picprobe_no_manifest)
    windows_record_tests(64 mingw-x86_64.cmake)
    windows_tests(64 ${PICPROBE_WINE64})
  elseif(NOT mingw64_found)
    windows_skip(windows.wine "Windows leg not run: ${wine32_reason}; and \
x86_64-w64-mingw32-g++-win32 or -posix (g++-mingw-w64-x86-64) is missing" NO_CASE)
  else()
    windows_skip(windows.wine "Windows leg not run: ${wine32_reason}; and ${wine64_reason}"
                 NO_CASE)
  endif()
endif()

# Both Windows programs carry the defences they are built with, whichever leg ran.
add_test(NAME windows32.hardening
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/hardening/check_pe.sh
                 ${PROJECT_BINARY_DIR}/windows32/picprobe.exe i686-w64-mingw32-objdump
                 i686-w64-mingw32-nm)
if(leg EQUAL 64)
  add_test(NAME windows64.hardening
           COMMAND sh ${PROJECT_SOURCE_DIR}/tests/hardening/check_pe.sh
                   ${PROJECT_BINARY_DIR}/windows64/picprobe.exe x86_64-w64-mingw32-objdump
                   x86_64-w64-mingw32-nm)
endif()

# Whichever leg ran, the program we ship is a 32-bit console program that needs no DLL
# of ours and carries its manifest and version information.
if(PICPROBE_FILE AND PICPROBE_WRESTOOL)
  add_test(NAME windows32.shipped_program
           COMMAND ${CMAKE_COMMAND} -DEXE=${PROJECT_BINARY_DIR}/windows32/picprobe.exe
                   -DOBJDUMP=i686-w64-mingw32-objdump -DSTRINGS=i686-w64-mingw32-strings
                   -DFILE=${PICPROBE_FILE} -DWRESTOOL=${PICPROBE_WRESTOOL}
                   -DVERSION=${PROJECT_VERSION}
                   -DIMPORTS=${PROJECT_SOURCE_DIR}/cmake/windows_imports.txt
                   -P ${PROJECT_SOURCE_DIR}/cmake/check_shipped_exe.cmake)
else()
  windows_skip(windows32.shipped_program
               "the shipped program is not checked: file or wrestool (icoutils) is missing")
endif()
