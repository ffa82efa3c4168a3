# Checks the 32-bit picprobe.exe as a file, whether or not this machine can run it:
# a PE32 console program for Intel 80386 that imports only KERNEL32 and msvcrt, with
# its application manifest.
#   cmake -DEXE=... -DOBJDUMP=... -DFILE=... -DWRESTOOL=... -P check_shipped_exe.cmake
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
message(STATUS "${EXE}: ${kind}; imports KERNEL32 and msvcrt only; manifest present")
