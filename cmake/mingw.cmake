# What both MinGW-w64 toolchain files share; each sets PICPROBE_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)

# The win32 thread model for the programs we ship: they start no thread, and the posix
# model links winpthreads, which imports functions Windows XP lacks (GetTickCount64).
# GoogleTest needs std::mutex, which GCC 12 has only in the posix model, so the build of
# the Windows test programs asks for that one (-DPICPROBE_MINGW_THREADS=posix).
if(NOT PICPROBE_MINGW_THREADS)
  set(PICPROBE_MINGW_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PICPROBE_MINGW_THREADS)
set(CMAKE_C_COMPILER ${PICPROBE_MINGW_TRIPLET}-gcc-${PICPROBE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${PICPROBE_MINGW_TRIPLET}-g++-${PICPROBE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${PICPROBE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PICPROBE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
