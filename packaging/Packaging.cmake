# Installing and packing. The program looks for its day files in the folder `logs` beside
# its own executable and appends to them, so the install is one program folder: the
# executable, `logs` with the sample days, and on Linux the icon and a desktop entry.
#
#   cmake --install BUILD --prefix /opt/Tallyo_viewer     the folder itself
#   cpack --config BUILD/CPackConfig.cmake                TGZ here, ZIP on Windows

set(tallyo_packaging_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS Tallyo_viewer RUNTIME DESTINATION .)

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

# On Windows the program is the one .exe with its resources inside it (see
# src/platform/win32/Toolkit.cmake): beside the logs there is nothing else to install.
if(UNIX AND NOT APPLE)
  # The icon, and a desktop entry that starts the program from the folder it was installed
  # into: the entry needs absolute paths, so it is written at install time.
  install(FILES ${tallyo_packaging_dir}/Tallyo_viewer.png DESTINATION .)
  install(SCRIPT ${tallyo_packaging_dir}/WriteDesktopEntry.cmake)
endif()

set(CPACK_PACKAGE_NAME "Tallyo_viewer")
set(CPACK_PACKAGE_VENDOR "${TALLYO_COMPANY}")
set(CPACK_PACKAGE_VERSION "${TALLYO_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Viewer for the daily log files of a wind generator's data logger")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Tallyo_viewer-${TALLYO_VERSION_TEXT}-win64")
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "Tallyo_viewer-${TALLYO_VERSION_TEXT}-${CMAKE_SYSTEM_NAME}")
  # The archive holds opt/Tallyo_viewer/...: unpacked at / the desktop entry points at the
  # program; unpacked anywhere else the program itself still runs from its folder.
  set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/Tallyo_viewer")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PROJECT_CONFIG_FILE ${tallyo_packaging_dir}/CPackProjectConfig.cmake)
endif()
include(CPack)

# Renders the icon files kept in packaging/ anew from the icon's drawing code (Qt's).
if(WIN32)
  return()
endif()
add_executable(tallyo_render_icons EXCLUDE_FROM_ALL ${tallyo_packaging_dir}/RenderIcons.cpp)
target_link_libraries(tallyo_render_icons PRIVATE tallyo)
set_target_properties(tallyo_render_icons PROPERTIES AUTOMOC OFF)
add_custom_target(packaging_icons
  COMMAND tallyo_render_icons ${tallyo_packaging_dir}
  COMMENT "Rendering the icon files into ${tallyo_packaging_dir}")
