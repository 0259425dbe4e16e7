# Where `cmake --install` puts the program's own files, in the standard places. The port
# finder is loaded at run time rather than linked, so it sits in a folder of the program's
# own instead of on the linker's search path.
include(GNUInstallDirs)
set(RLC_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/rlc-logger)
set(RLC_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/rlc-logger)

# The same folders seen from the installed executable. The program adds these to its own
# folder at run time, so an installation moved to another prefix still finds its files.
file(RELATIVE_PATH RLC_PRIVATE_LIBDIR_FROM_BINDIR
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/rlc-logger)
file(RELATIVE_PATH RLC_DATADIR_FROM_BINDIR
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/rlc-logger)
