# The defences every program that reads files from anywhere is built with, in one place:
# the compiler and linker options of the OpenSSF's "Compiler Options Hardening Guide for
# C and C++", as far as this compiler and platform have them. They apply to everything
# this build compiles and to the picprobe program's link.
include(CheckCXXCompilerFlag)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Options that only some compilers know (-fstrict-flex-arrays=3 needs GCC 13 or Clang
# 16, -ftrivial-auto-var-init=zero has a different spelling in Clang 14) are used where
# the compiler takes them.
set(flags -fstack-protector-strong -fstrict-flex-arrays=3 -ftrivial-auto-var-init=zero
          -fno-delete-null-pointer-checks -fno-strict-overflow -fno-strict-aliasing)
# Windows probes every large stack frame page by page anyway (___chkstk_ms), and its
# control-flow protection is not Intel CET's: MinGW-w64's GCC 12 even stops with an
# internal error on -fstack-clash-protection for x86-64.
if(NOT WIN32)
  list(APPEND flags -fstack-clash-protection -fcf-protection=full)
endif()
foreach(flag IN LISTS flags)
  string(MAKE_C_IDENTIFIER "picprobe_has${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options(${flag})
  endif()
endforeach()
# MinGW-w64 keeps the stack guard in libssp, which it links only when told at the link.
if(picprobe_has_fstack_protector_strong)
  add_link_options(-fstack-protector-strong)
endif()

# The C library's checked copies of memcpy, printf and the like (MinGW-w64 takes level 3
# as 2), and the C++ library's bounds checks. FORTIFY needs optimisation and does not mix
# with the address sanitizer, so sanitizer and Debug builds go without it.
set(PICPROBE_FORTIFIED OFF)
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=" AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(PICPROBE_FORTIFIED ON)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
endif()
add_compile_definitions(_GLIBCXX_ASSERTIONS)

# How picprobe itself is linked: a static program loads no shared library at start-up.
function(picprobe_link_hardened target)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # A static program whose own code and data still move with every run.
    if(PICPROBE_STATIC)
      target_link_options(${target} PRIVATE -static-pie)
    endif()
    target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now -Wl,-z,noexecstack)
  elseif(WIN32)
    # ASLR and DEP (GNU ld sets both by default; said here so that it stays), with the
    # relocations that ASLR needs; 64-bit programs may take addresses above 4 GiB.
    if(PICPROBE_STATIC)
      target_link_options(${target} PRIVATE -static)
    endif()
    target_link_options(${target} PRIVATE -Wl,--dynamicbase -Wl,--nxcompat)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      target_link_options(${target} PRIVATE -Wl,--high-entropy-va)
    endif()
  endif()
endfunction()
