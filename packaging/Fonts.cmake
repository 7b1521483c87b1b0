# The faces of the Linux edition's windows. The layouts name Windows faces ("MS Sans
# Serif", "Small Fonts", "Palatino Linotype"); in their place the program uses free faces
# of similar shape and size, which it brings in the folder `fonts` beside itself, so that
# every caption fits whatever fonts the system has (src/platform/qt/Fonts.h). Each file is
# an unchanged copy from a Debian font package, taken when the build is configured, in
# exactly the styles the layouts use; beside them go each package's licence text (its
# Debian copyright file) and a README naming the packages and their versions.
#
# They are gathered in <build>/fonts, beside the program built there, where the program run
# from the build folder and the widget tests find them; the install takes them from there.

set(tallyo_fonts_dir ${PROJECT_BINARY_DIR}/fonts)

# package | licence file in fonts/ | faces under /usr/share/fonts/
set(tallyo_font_packages
  "fonts-liberation2|LICENSE-LiberationSans.txt|truetype/liberation2/LiberationSans-Regular.ttf,truetype/liberation2/LiberationSans-Bold.ttf"
  "fonts-urw-base35|LICENSE-P052.txt|opentype/urw-base35/P052-BoldItalic.otf")

set(tallyo_font_files "")
foreach(entry ${tallyo_font_packages})
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 package)
  list(GET fields 1 licence)
  list(GET fields 2 faces)
  string(REPLACE "," ";" faces "${faces}")
  execute_process(COMMAND dpkg-query -W "-f=\${Version}" ${package}
    OUTPUT_VARIABLE version RESULT_VARIABLE missing ERROR_QUIET)
  set(copyright /usr/share/doc/${package}/copyright)
  if(missing OR NOT EXISTS ${copyright})
    message(FATAL_ERROR "The Linux edition brings faces of the Debian package ${package}, "
      "which is not installed: apt-get install ${package}")
  endif()
  set(tallyo_font_version_${package} "${version}")
  foreach(face ${faces})
    set(source /usr/share/fonts/${face})
    if(NOT EXISTS ${source})
      message(FATAL_ERROR "${source} is missing from the package ${package} ${version}")
    endif()
    get_filename_component(name ${face} NAME)
    configure_file(${source} ${tallyo_fonts_dir}/${name} COPYONLY)
    list(APPEND tallyo_font_files ${tallyo_fonts_dir}/${name})
  endforeach()
  configure_file(${copyright} ${tallyo_fonts_dir}/${licence} COPYONLY)
  list(APPEND tallyo_font_files ${tallyo_fonts_dir}/${licence})
endforeach()

set(TALLYO_LIBERATION_VERSION "${tallyo_font_version_fonts-liberation2}")
set(TALLYO_URW_VERSION "${tallyo_font_version_fonts-urw-base35}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts-README.in ${tallyo_fonts_dir}/README @ONLY)
list(APPEND tallyo_font_files ${tallyo_fonts_dir}/README)

install(FILES ${tallyo_font_files} DESTINATION fonts)
