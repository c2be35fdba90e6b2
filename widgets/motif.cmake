# Motif as an imported target Motif::Xm that brings Xt and Xlib after it.
# libXm must come before libXt on the link line: Motif replaces Xt's
# VendorShell class, and the first definition loaded wins.
# FindMotif reports /usr/include as its include directory; adding that with
# -I would strip the system-header status from Motif's headers, so only the
# library is taken from it.
if(NOT TARGET Motif::Xm)
  find_package(X11 REQUIRED)
  find_package(Motif REQUIRED)
  add_library(Motif::Xm UNKNOWN IMPORTED GLOBAL)
  set_target_properties(Motif::Xm PROPERTIES
                        IMPORTED_LOCATION ${MOTIF_LIBRARIES}
                        INTERFACE_LINK_LIBRARIES "X11::Xt;X11::X11")
endif()
