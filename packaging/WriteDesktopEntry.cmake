# Run at install time: writes the desktop entry into the installed program folder, with
# the absolute paths of the program and its icon there. When cpack packs, the folder is the
# one the archive unpacks to (set by CPackProjectConfig.cmake).
set(tallyo_folder "${CMAKE_INSTALL_PREFIX}")
if(DEFINED ENV{TALLYO_DESKTOP_FOLDER})
  set(tallyo_folder "$ENV{TALLYO_DESKTOP_FOLDER}")
endif()

# Exec takes the program as a quoted argument: a backslash, double quote, backquote and
# dollar sign inside it take a backslash, and a percent sign is doubled. The value as a
# whole is a desktop-entry string, whose own escape doubles every backslash once more.
set(tallyo_exec "${tallyo_folder}/Tallyo_viewer")
string(REPLACE "\\" "\\\\" tallyo_exec "${tallyo_exec}")
foreach(c "\"" "`" "$")
  string(REPLACE "${c}" "\\${c}" tallyo_exec "${tallyo_exec}")
endforeach()
string(REPLACE "%" "%%" tallyo_exec "${tallyo_exec}")
string(REPLACE "\\" "\\\\" tallyo_exec "${tallyo_exec}")
set(TALLYO_DESKTOP_EXEC "\"${tallyo_exec}\"")

set(tallyo_plain "${tallyo_folder}")
string(REPLACE "\\" "\\\\" tallyo_plain "${tallyo_plain}")
set(TALLYO_DESKTOP_FOLDER "${tallyo_plain}")

set(tallyo_desktop "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/Tallyo_viewer.desktop")
message(STATUS "Installing: ${tallyo_desktop}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/Tallyo_viewer.desktop.in" "${tallyo_desktop}" @ONLY)
file(CHMOD "${tallyo_desktop}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
