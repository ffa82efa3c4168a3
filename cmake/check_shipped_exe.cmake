# Checks the 32-bit picprobe.exe as a file, whether or not this machine can run it:
# a PE32 console program for Intel 80386 that starts on Windows XP (it imports only the
# functions of KERNEL32, ADVAPI32 and msvcrt that the list IMPORTS gives as in XP), with
# its application manifest and the version information Explorer shows.
#   cmake -DEXE=... -DOBJDUMP=... -DSTRINGS=... -DFILE=... -DWRESTOOL=... -DVERSION=...
#         -DIMPORTS=... -P check_shipped_exe.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${FILE} -b ${EXE} OUTPUT_VARIABLE kind OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
if(NOT kind MATCHES "^PE32 executable \\(console\\) Intel 80386")
  message(FATAL_ERROR "${EXE} is not a 32-bit console program: ${kind}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
# Windows XP is 5.1: a PE header that asks for a later Windows would not start there.
foreach(field OSystem Subsystem)
  string(REGEX MATCH "Major${field}Version[ \t]+([0-9]+)" _ "${headers}")
  set(major ${CMAKE_MATCH_1})
  string(REGEX MATCH "Minor${field}Version[ \t]+([0-9]+)" _ "${headers}")
  set(minor ${CMAKE_MATCH_1})
  if("${major}.${minor}" VERSION_GREATER 5.1)
    message(FATAL_ERROR "${EXE} asks for Windows ${major}.${minor} (${field}); XP is 5.1")
  endif()
endforeach()

# Every imported function must be on the list, and the list holds nothing past XP. A
# missing import keeps Windows from starting the program at all.
file(STRINGS ${IMPORTS} allowed_lines REGEX "^[^#]")
set(allowed)
foreach(line IN LISTS allowed_lines)
  if(NOT line MATCHES "^([^ ]+) +([^ ]+) +(Windows 2000|Windows XP)$")
    message(FATAL_ERROR "${IMPORTS}: not a DLL, a function and Windows 2000 or XP: ${line}")
  endif()
  list(APPEND allowed "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
endforeach()
# objdump lists each DLL's imports after its name, one a line: hint, ordinal, name.
string(REPLACE "\n" ";" header_lines "${headers}")
set(dll "")
set(imported)
set(unlisted)
foreach(line IN LISTS header_lines)
  if(line MATCHES "DLL Name: (.+)$")
    set(dll ${CMAKE_MATCH_1})
  elseif(line MATCHES "^[ \t]*$")
    set(dll "")
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_]*)$")
    list(APPEND imported "${dll} ${CMAKE_MATCH_1}")
    if(NOT "${dll} ${CMAKE_MATCH_1}" IN_LIST allowed)
      list(APPEND unlisted "${dll} ${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()
if(NOT imported)
  message(FATAL_ERROR "${EXE}: no import found in what ${OBJDUMP} -p printed")
endif()
if(unlisted)
  list(JOIN unlisted "\n  " unlisted)
  message(FATAL_ERROR "${EXE} imports functions that ${IMPORTS} does not list as in "
                      "Windows XP:\n  ${unlisted}")
endif()

execute_process(COMMAND ${WRESTOOL} -x --raw --type=24 --name=1 ${EXE} OUTPUT_VARIABLE manifest
                COMMAND_ERROR_IS_FATAL ANY)
if(NOT manifest MATCHES "<activeCodePage[^>]*>UTF-8</activeCodePage>")
  message(FATAL_ERROR "${EXE} lacks its manifest with the UTF-8 code page")
endif()

# The version resource's texts are UTF-16: each key is followed by its value.
execute_process(COMMAND ${WRESTOOL} -x --raw --type=16 --name=1 ${EXE}
                OUTPUT_FILE ${EXE}.version COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${STRINGS} -n 1 -el ${EXE}.version OUTPUT_VARIABLE texts
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${EXE}.version)
foreach(entry "ProductName\npicprobe\n" "OriginalFilename\npicprobe.exe\n"
              "FileVersion\n${VERSION}\n" "ProductVersion\n${VERSION}\n"
              "FileDescription\npicprobe: " "LegalCopyright\nCopyright ")
  string(FIND "${texts}" "${entry}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${EXE}: the version information lacks ${entry}; it holds:\n${texts}")
  endif()
endforeach()
list(LENGTH imported count)
message(STATUS "${EXE}: ${kind}; its ${count} imports are all in Windows XP; manifest and "
               "version information present")
