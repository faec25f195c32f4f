# Installs a shared library of the project as a CMake package: the library,
# its header folder and generated export header, the exported targets under
# the namespace <Package>:: and <Package>Config.cmake from
# cmake/<Package>Config.cmake.in with a same-major-version check.
#   lumora_install_package(TARGET corvane PACKAGE Corvane HEADERS include/corvane
#                          EXPORT_HEADER ${CMAKE_CURRENT_BINARY_DIR}/include/corvane/corvane_export.h)
function(lumora_install_package)
  cmake_parse_arguments(P "" "TARGET;PACKAGE;HEADERS;EXPORT_HEADER" "" ${ARGN})
  get_filename_component(header_dir ${P_HEADERS} NAME)
  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${P_PACKAGE})
  install(TARGETS ${P_TARGET} EXPORT ${P_PACKAGE}Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${P_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  install(FILES ${P_EXPORT_HEADER} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${header_dir})
  install(EXPORT ${P_PACKAGE}Targets NAMESPACE ${P_PACKAGE}:: DESTINATION ${config_dir})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/${P_PACKAGE}Config.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}Config.cmake INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}Config.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/${P_PACKAGE}ConfigVersion.cmake DESTINATION ${config_dir})
endfunction()
