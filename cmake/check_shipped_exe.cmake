# Checks the 32-bit picprobe.exe as a file, whether or not this machine can run it:
# a PE32 console program for Intel 80386 that imports only KERNEL32 and msvcrt, with
# its application manifest and the version information Explorer shows.
#   cmake -DEXE=... -DOBJDUMP=... -DSTRINGS=... -DFILE=... -DWRESTOOL=... -DVERSION=...
#         -P check_shipped_exe.cmake
execute_process(COMMAND ${FILE} -b ${EXE} OUTPUT_VARIABLE kind OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
if(NOT kind MATCHES "^PE32 executable \\(console\\) Intel 80386")
  message(FATAL_ERROR "${EXE} is not a 32-bit console program: ${kind}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]*" imports "${headers}")
if(NOT imports STREQUAL "DLL Name: KERNEL32.dll;DLL Name: msvcrt.dll")
  message(FATAL_ERROR "${EXE} imports more than KERNEL32 and msvcrt: ${imports}")
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
message(STATUS "${EXE}: ${kind}; imports KERNEL32 and msvcrt only; manifest and version "
               "information present")
