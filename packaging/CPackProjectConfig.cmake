# Read by cpack while it packs. cpack installs into a staging folder of its own; the desktop
# entry must name the folder the archive unpacks to instead.
if(CPACK_PACKAGING_INSTALL_PREFIX)
  set(ENV{TALLYO_DESKTOP_FOLDER} "${CPACK_PACKAGING_INSTALL_PREFIX}")
endif()
