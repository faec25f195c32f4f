# Installs a shared library of the project as a CMake package: the library,
# its header folder and generated export header, the exported targets under
# the namespace <Package>:: and <Package>Config.cmake from
# cmake/<Package>Config.cmake.in with a same-major-version check, and the
# pkg-config file <name>.pc. The shared object goes to the install component
# <name> (the Debian package lib<name><major>), everything a developer needs
# to <name>_dev (lib<name>-dev).
#   lumora_install_package(TARGET corvane PACKAGE Corvane HEADERS include/corvane
#                          EXPORT_HEADER ${CMAKE_CURRENT_BINARY_DIR}/include/corvane/corvane_export.h
#                          DESCRIPTION "..." PC_REQUIRES "" PC_LIBS_PRIVATE "-lcups")
function(lumora_install_package)
  cmake_parse_arguments(P "" "TARGET;PACKAGE;HEADERS;EXPORT_HEADER;DESCRIPTION;PC_REQUIRES;PC_LIBS_PRIVATE"
                        "" ${ARGN})
  get_filename_component(header_dir ${P_HEADERS} NAME)
  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${P_PACKAGE})
  set(dev ${P_TARGET}_dev)
  install(TARGETS ${P_TARGET} EXPORT ${P_PACKAGE}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${P_TARGET} NAMELINK_COMPONENT ${dev}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${P_TARGET}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${dev})
  install(DIRECTORY ${P_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT ${dev})
  install(FILES ${P_EXPORT_HEADER} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${header_dir}
    COMPONENT ${dev})
  install(EXPORT ${P_PACKAGE}Targets NAMESPACE ${P_PACKAGE}:: DESTINATION ${config_dir}
    COMPONENT ${dev})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/${P_PACKAGE}Config.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}Config.cmake INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}Config.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}ConfigVersion.cmake DESTINATION ${config_dir}
    COMPONENT ${dev})

  # The .pc file finds the prefix from its own place, so that it holds
  # wherever the package is installed (/usr, /usr/local, a private prefix).
  set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  file(RELATIVE_PATH PC_PREFIX_FROM_PCFILEDIR /prefix/${pc_dir} /prefix)
  string(REGEX REPLACE "/$" "" PC_PREFIX_FROM_PCFILEDIR "${PC_PREFIX_FROM_PCFILEDIR}")
  set(PC_NAME ${P_TARGET})
  set(PC_DESCRIPTION "${P_DESCRIPTION}")
  set(PC_REQUIRES "${P_PC_REQUIRES}")
  set(PC_LIBS_PRIVATE "${P_PC_LIBS_PRIVATE}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Library.pc.in
    ${CMAKE_CURRENT_BINARY_DIR}/${P_TARGET}.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${P_TARGET}.pc DESTINATION ${pc_dir} COMPONENT ${dev})
endfunction()
