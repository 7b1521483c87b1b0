# Installing and packing. The program looks for its day files in the folder `logs` beside
# its own executable and appends to them, so the install is one program folder: the
# viewer, the report, `logs` with the sample days, a README, and on Linux the icon, the
# script that writes a menu entry for the folder and `fonts` with the faces of the windows.
#
#   cmake --install BUILD --prefix FOLDER                  the folder itself
#   cpack --config BUILD/CPackConfig.cmake                 TGZ here, ZIP on Windows

set(tallyo_packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS Tallyo_viewer Tallyo_report RUNTIME DESTINATION .)

# The sample days come straight from the generator into the installed folder, so a package
# holds exactly them: the copies in <build>/logs grow by an empty line at every display
# made from the build folder, and a display of a missing name leaves an empty file there.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # The generator cannot run on this host: take what the build wrote.
  get_directory_property(tallyo_sample_files DIRECTORY ${PROJECT_SOURCE_DIR}/tools
    DEFINITION sample_files)
  install(FILES ${tallyo_sample_files} DESTINATION logs)
else()
  set(tallyo_emulator "")
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    string(JOIN "\" \"" tallyo_emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
    set(tallyo_emulator "\"${tallyo_emulator}\"")
  endif()
  install(CODE "
    set(tallyo_logs \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/logs\")
    file(MAKE_DIRECTORY \"\${tallyo_logs}\")
    message(STATUS \"Writing the sample days: \${tallyo_logs}\")
    execute_process(COMMAND ${tallyo_emulator} \"$<TARGET_FILE:tallyo_make_logs>\" \"\${tallyo_logs}\"
      RESULT_VARIABLE tallyo_rc OUTPUT_QUIET)
    if(NOT tallyo_rc EQUAL 0)
      message(FATAL_ERROR \"tallyo_make_logs failed: \${tallyo_rc}\")
    endif()")
endif()

# Beside the program and its logs: a README for the user (CR LF on Windows, so that Notepad
# shows it), and on Linux the icon, the script that puts the program into the menu and the
# folder of the windows' faces. On Windows the program is the one .exe with its resources
# inside it (see src/platform/win32/Toolkit.cmake), and the faces are the system's own.
if(WIN32)
  set(tallyo_readme_name README.txt)
  set(tallyo_readme_newlines CRLF)
else()
  set(tallyo_readme_name README)
  set(tallyo_readme_newlines UNIX)
  install(FILES ${tallyo_packaging_dir}/Tallyo_viewer.png DESTINATION .)
  install(PROGRAMS ${tallyo_packaging_dir}/install-menu-entry DESTINATION .)
  include(${tallyo_packaging_dir}/Fonts.cmake)
endif()
# The README names the oldest Linux the program runs on: the one it is built on, with its C
# library and Qt. A Linux build reads them from its own compiler and Qt; the Windows build,
# cross-built on the same machine, asks the machine's own tools, so that both archives carry
# the same README.
if(WIN32)
  execute_process(COMMAND getconf GNU_LIBC_VERSION OUTPUT_VARIABLE tallyo_libc
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  string(REGEX REPLACE "^glibc " "" TALLYO_GLIBC_VERSION "${tallyo_libc}")
  find_program(TALLYO_QTPATHS NAMES qtpaths6 PATHS /usr/lib/qt6/bin)
  if(TALLYO_QTPATHS)
    execute_process(COMMAND ${TALLYO_QTPATHS} --qt-version OUTPUT_VARIABLE TALLYO_QT_VERSION
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
else()
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dM -E -include features.h -x c++ /dev/null
    OUTPUT_VARIABLE tallyo_libc_macros ERROR_QUIET)
  string(REGEX MATCH "#define __GLIBC__ ([0-9]+)" tallyo_match "${tallyo_libc_macros}")
  set(tallyo_glibc_major "${CMAKE_MATCH_1}")
  string(REGEX MATCH "#define __GLIBC_MINOR__ ([0-9]+)" tallyo_match "${tallyo_libc_macros}")
  set(TALLYO_GLIBC_VERSION "${tallyo_glibc_major}.${CMAKE_MATCH_1}")
  set(TALLYO_QT_VERSION "${Qt6_VERSION}")
endif()
set(TALLYO_BUILT_ON "Debian 12 (bookworm), the base of Raspberry Pi OS bookworm")
configure_file(${tallyo_packaging_dir}/README.txt.in ${PROJECT_BINARY_DIR}/${tallyo_readme_name}
  @ONLY NEWLINE_STYLE ${tallyo_readme_newlines})
install(FILES ${PROJECT_BINARY_DIR}/${tallyo_readme_name} DESTINATION .)

set(CPACK_PACKAGE_NAME "Tallyo_viewer")
set(CPACK_PACKAGE_VENDOR "${TALLYO_COMPANY}")
set(CPACK_PACKAGE_VERSION "${TALLYO_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Viewer for the daily log files of a wind generator's data logger")
set(CPACK_STRIP_FILES ON)
# Either archive unpacks to one folder named after itself, which is the whole program:
# relative paths only, so it works wherever it is unpacked and after it is moved.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Tallyo_viewer-${TALLYO_VERSION_TEXT}-win64")
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "Tallyo_viewer-${TALLYO_VERSION_TEXT}-linux-${CMAKE_SYSTEM_PROCESSOR}")
endif()
include(CPack)

# Renders the icon files kept in packaging/ anew from the icon's drawing code (Qt's).
if(WIN32)
  return()
endif()
add_executable(tallyo_render_icons EXCLUDE_FROM_ALL ${tallyo_packaging_dir}/RenderIcons.cpp)
target_link_libraries(tallyo_render_icons PRIVATE tallyo tallyo_build_flags)
add_custom_target(packaging_icons
  COMMAND tallyo_render_icons ${tallyo_packaging_dir}
  COMMENT "Rendering the icon files into ${tallyo_packaging_dir}")
