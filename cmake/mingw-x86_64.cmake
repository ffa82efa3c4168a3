# Cross-builds the same sources as a 64-bit Windows program, for testing under wine64 on
# machines whose kernel will not start the 32-bit wine. Not shipped.
set(PICPROBE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
