# The Win32 API of the Windows edition: windows and standard controls (user32, comctl32
# in version 6), GDI drawing, the visual styles' switch for the coloured check boxes
# (uxtheme). All of them are parts of every Windows; the program links everything else
# statically, so the .exe needs no DLL beside it.
target_link_libraries(tallyo PUBLIC user32 gdi32 comctl32 uxtheme)

# wWinMain as the entry; a window program, no console.
target_link_options(Tallyo_viewer PRIVATE -municode)
set_target_properties(Tallyo_viewer PROPERTIES WIN32_EXECUTABLE ON)

# The program file's resources: the version information, the icon, and the manifest
# (common controls 6, per-monitor DPI awareness).
set(tallyo_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(TALLYO_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
set(TALLYO_RC_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
set(TALLYO_ICON_FILE "${tallyo_packaging_dir}/Tallyo_viewer.ico")
set(TALLYO_MANIFEST_FILE "${PROJECT_BINARY_DIR}/Tallyo_viewer.manifest")
configure_file(${tallyo_packaging_dir}/Tallyo_viewer.manifest.in ${TALLYO_MANIFEST_FILE} @ONLY)
configure_file(${tallyo_packaging_dir}/Tallyo_viewer.rc.in ${PROJECT_BINARY_DIR}/Tallyo_viewer.rc @ONLY)
target_sources(Tallyo_viewer PRIVATE ${PROJECT_BINARY_DIR}/Tallyo_viewer.rc)
set_property(SOURCE ${PROJECT_BINARY_DIR}/Tallyo_viewer.rc APPEND PROPERTY OBJECT_DEPENDS
  ${TALLYO_ICON_FILE} ${TALLYO_MANIFEST_FILE})

# The API in its UTF-16 form, without the min and max macros, for every file of the
# toolkit and of what builds on it (the entry, the window tests) whatever it includes first.
target_compile_definitions(tallyo PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
