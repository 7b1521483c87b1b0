# cmake "-DPROGRAMS=Tallyo_viewer.exe;Tallyo_report.exe" -DOBJDUMP=x86_64-w64-mingw32-objdump
#       -DALLOWED=Windows7Imports.txt -P CheckImports.cmake
# Fails unless each program file imports only DLLs that are part of every Windows (no C++
# runtime, no MinGW DLL, no toolkit beside the .exe), and from them only functions that the
# oldest Windows the programs run on has: every import must be listed in ALLOWED.
cmake_minimum_required(VERSION 3.25)
set(system_dlls comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll
  uxtheme.dll)

file(STRINGS ${ALLOWED} allowed_lines REGEX "^[^#]")
set(allowed "")
foreach(line IN LISTS allowed_lines)
  string(REGEX MATCH "^([^ ]+) +([^ ]+)" entry "${line}")
  list(APPEND allowed "${CMAKE_MATCH_1}:${CMAKE_MATCH_2}")
endforeach()

foreach(PROGRAM IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${rc}")
  endif()

  # objdump lists each DLL's name, then one line per function: address, hint, name.
  string(REPLACE "\n" ";" dump_lines "${dump}")
  set(dll "")
  set(dlls "")
  set(count 0)
  set(missing "")
  foreach(line IN LISTS dump_lines)
    if(line MATCHES "DLL Name: ([^ \t\r]+)")
      string(TOLOWER "${CMAKE_MATCH_1}" dll)
      if(NOT dll IN_LIST system_dlls)
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not a part of Windows")
      endif()
      list(APPEND dlls ${dll})
    elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_]*)")
      math(EXPR count "${count} + 1")
      if(NOT "${dll}:${CMAKE_MATCH_1}" IN_LIST allowed)
        list(APPEND missing "${dll} ${CMAKE_MATCH_1}")
      endif()
    elseif(line MATCHES "^[^\t]")
      set(dll "")
    endif()
  endforeach()
  if(NOT dlls)
    message(FATAL_ERROR "no imported DLL found in ${PROGRAM}")
  endif()
  if(count EQUAL 0)
    message(FATAL_ERROR "no imported function found in ${PROGRAM}")
  endif()
  if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "${PROGRAM} imports functions not known to be in Windows 7 SP1:\n  ${missing}\n"
      "Look up each one's minimum supported client; list it in ${ALLOWED} only if it is "
      "Windows 7 or earlier, otherwise load it at run time with GetProcAddress.")
  endif()
  message(STATUS "${PROGRAM} imports ${count} functions of ${dlls}, all in Windows 7 SP1")
endforeach()
