# The hardening Debian builds its packages with: fortified libc calls, stack protector and stack clash probes,
# control-flow protection, a position-independent executable, relocations read-only and bound at start.
#
# dpkg-buildflags says which flags Debian uses on this machine; its optimisation and debug flags are left to
# the build type. The flags below are the least we build with: where dpkg-buildflags is missing, or older and
# without some of them (bookworm's has no stack clash or control-flow flags), each one the compiler takes is
# added, unless dpkg-buildflags already gave a form of it (-D_FORTIFY_SOURCE=3 stands for =2).
#
# The sanitizer builds leave hardening off: they are never shipped, AddressSanitizer does the checking there,
# and _FORTIFY_SOURCE needs optimisation, which Debug builds lack.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

set(QUIBO_HARDENING_DEFAULT ON)
if(CMAKE_BUILD_TYPE STREQUAL "Debug" OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(QUIBO_HARDENING_DEFAULT OFF)
endif()
option(QUIBO_HARDENING "Build with the hardening flags of Debian packages" ${QUIBO_HARDENING_DEFAULT})
if(NOT QUIBO_HARDENING)
  return()
endif()

set(QUIBO_HARDENING_COMPILE_FALLBACK -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection
  -fcf-protection)
set(QUIBO_HARDENING_LINK_FALLBACK -Wl,-z,relro -Wl,-z,now)

set(QUIBO_HARDENING_COMPILE "")
set(QUIBO_HARDENING_LINK "")
find_program(QUIBO_DPKG_BUILDFLAGS dpkg-buildflags)
if(QUIBO_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-all"
              ${QUIBO_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O|g)")
    if(kind STREQUAL "LDFLAGS")
      list(APPEND QUIBO_HARDENING_LINK ${flags})
    else()
      list(APPEND QUIBO_HARDENING_COMPILE ${flags})
    endif()
  endforeach()
endif()

# A flag's kind: -fstack-protector-strong and -fstack-protector-all are both the stack protector, and
# -D_FORTIFY_SOURCE=3 or -fcf-protection=full are forms of the fallback's flag.
function(quibo_flag_kinds out)
  set(kinds "")
  foreach(flag IN LISTS ARGN)
    string(REGEX REPLACE "(=.*|-strong|-all|-explicit)$" "" kind "${flag}")
    list(APPEND kinds "${kind}")
  endforeach()
  set(${out} ${kinds} PARENT_SCOPE)
endfunction()

quibo_flag_kinds(given ${QUIBO_HARDENING_COMPILE})
foreach(flag IN LISTS QUIBO_HARDENING_COMPILE_FALLBACK)
  quibo_flag_kinds(kind ${flag})
  if(NOT kind IN_LIST given)
    string(MAKE_C_IDENTIFIER "QUIBO_CXX_ACCEPTS${flag}" accepted)
    check_cxx_compiler_flag(${flag} ${accepted})
    if(${accepted})
      list(APPEND QUIBO_HARDENING_COMPILE ${flag})
    endif()
  endif()
endforeach()
foreach(flag IN LISTS QUIBO_HARDENING_LINK_FALLBACK)
  if(NOT flag IN_LIST QUIBO_HARDENING_LINK)
    string(MAKE_C_IDENTIFIER "QUIBO_LINKER_ACCEPTS${flag}" accepted)
    check_linker_flag(CXX ${flag} ${accepted})
    if(${accepted})
      list(APPEND QUIBO_HARDENING_LINK ${flag})
    endif()
  endif()
endforeach()

# Position-independent code as executables want it (-fPIE), not -fPIC everywhere as
# CMAKE_POSITION_INDEPENDENT_CODE would make it: a library built -fPIC may not inline its own global functions.
check_cxx_compiler_flag(-fPIE QUIBO_CXX_ACCEPTS_FPIE)
check_linker_flag(CXX -pie QUIBO_LINKER_ACCEPTS_PIE)
if(NOT QUIBO_CXX_ACCEPTS_FPIE OR NOT QUIBO_LINKER_ACCEPTS_PIE)
  message(FATAL_ERROR "The compiler cannot build position-independent executables; configure with "
    "-DQUIBO_HARDENING=OFF to build without hardening")
endif()

list(JOIN QUIBO_HARDENING_COMPILE " " compile)
list(JOIN QUIBO_HARDENING_LINK " " link)
message(STATUS "Hardening: compiling with ${compile} -fPIE, linking executables with ${link} -pie")
add_compile_options(${QUIBO_HARDENING_COMPILE} -fPIE)
add_link_options(${QUIBO_HARDENING_LINK} "$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>")
