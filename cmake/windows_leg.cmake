# The Windows leg: cross-builds picprobe.exe and the record tests with MinGW-w64 in a
# build of its own, then runs them under wine with the same end-to-end cases as Linux.
# Without the cross compiler or wine the leg is reported as skipped, except under CI,
# where a missing toolchain is a failure.
set(PICPROBE_WINDOWS AUTO CACHE STRING "Test the Windows build under wine: AUTO, ON or OFF")
if(PICPROBE_WINDOWS STREQUAL "OFF")
  return()
endif()

find_program(PICPROBE_MINGW_CXX i686-w64-mingw32-g++-posix)
find_program(PICPROBE_WINE wine)
if(NOT PICPROBE_MINGW_CXX OR NOT PICPROBE_WINE)
  if(PICPROBE_WINDOWS STREQUAL "ON")
    message(FATAL_ERROR "The Windows leg needs i686-w64-mingw32-g++-posix and wine")
  endif()
  add_test(NAME windows.toolchain
           COMMAND sh -c "echo 'Windows leg skipped: i686-w64-mingw32-g++-posix or wine is missing'; \
                          if [ \"$CI\" = true ]; then exit 1; fi; exit 77")
  set_tests_properties(windows.toolchain PROPERTIES SKIP_RETURN_CODE 77)
  return()
endif()

include(ExternalProject)
set(windows_dir ${PROJECT_BINARY_DIR}/windows)
ExternalProject_Add(windows_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${windows_dir}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${windows_dir} --target picprobe record_tests
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# A prefix of the build's own; its first start takes several seconds, so one test makes it.
set(wine_environment
    WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8)
add_test(NAME windows.prefix COMMAND ${PICPROBE_WINE} wineboot --init)
set_tests_properties(windows.prefix PROPERTIES
                     FIXTURES_SETUP wine ENVIRONMENT "${wine_environment}" TIMEOUT 300)

add_test(NAME windows.record COMMAND ${PICPROBE_WINE} ${windows_dir}/tests/record_tests.exe)
set_tests_properties(windows.record PROPERTIES
                     FIXTURES_REQUIRED wine ENVIRONMENT "${wine_environment}" TIMEOUT 120)

# The environment goes as arguments: a list does not survive test discovery as a property.
set(wine_arguments)
foreach(setting IN LISTS wine_environment)
  list(APPEND wine_arguments --env ${setting})
endforeach()
gtest_discover_tests(picprobe_e2e TEST_PREFIX windows.e2e.
                     EXTRA_ARGS --picprobe ${windows_dir}/picprobe.exe
                                --launcher ${PICPROBE_WINE} ${wine_arguments} --windows
                     PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120)
