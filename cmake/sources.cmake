# Source discovery. A file is Win32 code when it includes <windows.h> itself; every other
# file only computes and is also built natively (with the sanitizers) by the native build.

function(qm_split_sources files out_portable out_win32)
  set(portable "")
  set(win32 "")
  foreach(f IN LISTS files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*<windows\\.h>")
    if(hits)
      list(APPEND win32 ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  set(${out_portable} ${portable} PARENT_SCOPE)
  set(${out_win32} ${win32} PARENT_SCOPE)
endfunction()

function(qm_glob out)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${ARGN})
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
