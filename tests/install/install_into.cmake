# cmake -DBUILD_DIR=<build folder> -DPREFIX=<folder> -P install_into.cmake
# Installs the build into an emptied folder, so the installed-tree tests see exactly what
# `cmake --install` lays out.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} COMMAND_ERROR_IS_FATAL ANY)
