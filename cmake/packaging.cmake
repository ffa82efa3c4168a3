# Install layout and packages: a .deb of the Linux build, a .zip of the Windows build.
# cpack packages what is built and builds nothing itself: build the program first.
include(GNUInstallDirs)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# Packages are the same bytes from any folder at any time: their time stamps come from
# SOURCE_DATE_EPOCH, by default the time of the last commit, or a fixed time without git.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(PICPROBE_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE PICPROBE_SOURCE_DATE_EPOCH
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
  if(NOT git_status EQUAL 0 OR NOT PICPROBE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    set(PICPROBE_SOURCE_DATE_EPOCH 1767225600) # a fixed time: 2026-01-01
  endif()
endif()
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
     "set(ENV{SOURCE_DATE_EPOCH} ${PICPROBE_SOURCE_DATE_EPOCH})\n")

# Windows users open the documents with Notepad, which in older versions shows a file
# with LF line ends as one line: they get .txt copies with CR LF.
function(install_with_crlf source name)
  file(READ ${PROJECT_SOURCE_DIR}/${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${PROJECT_BINARY_DIR}/${name} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
  install(FILES ${PROJECT_BINARY_DIR}/${name} DESTINATION .)
endfunction()

# Debian wants the man page and the changelog compressed without a name or a time.
function(install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(gzipped ${PROJECT_BINARY_DIR}/${name}.gz)
  execute_process(COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/${source}
                  OUTPUT_FILE ${gzipped} COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()

if(WIN32)
  install(TARGETS picprobe RUNTIME DESTINATION .)
  install_with_crlf(README.md README.txt)
  install_with_crlf(LICENSE LICENSE.txt)
else()
  install(TARGETS picprobe RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install_gzipped(picprobe.1 ${CMAKE_INSTALL_MANDIR}/man1)
  install_gzipped(packaging/changelog ${CMAKE_INSTALL_DOCDIR})
  install(FILES README.md packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  if(PICPROBE_STATIC)
    install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME picprobe)
  endif()
endif()

set(CPACK_PACKAGE_NAME picprobe)
set(CPACK_PACKAGE_VENDOR "The picprobe developers")
set(CPACK_PACKAGE_CONTACT "The picprobe developers <picprobe-maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
     "picprobe reads the picture data that a SONY DSC-D700 digital camera writes"
     "into each JPEG file: the keyword, the sensitivity (ISO), the image size, the"
     "quality setting, the shutter speed, the aperture and three date stamps. It"
     "prints them as a short report and says when the three date stamps disagree."
     "It reads eleven small fields at the offsets where the camera puts them and"
     "does not parse the JPEG.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES TRUE)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # A static program depends on nothing; a dynamic one on what its binary names.
  if(NOT PICPROBE_STATIC)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
endif()
include(CPack)
