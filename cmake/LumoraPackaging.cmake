# The Debian packages `make package` (cpack) builds from the build tree, one
# per install component:
#   lumora         (lumora)       the window, lumora-cli, desktop entry, icons,
#                                 manual pages, completion, /etc/lumora/lumora.ini,
#                                 the empty /etc/corvane/registry.reg
#   libcorvaneN    (corvane)      libcorvane.so.N        N: LUMORA_SOVERSION
#   libcorvane-dev (corvane_dev)  headers, CMake package, corvane.pc
#   libinfolioN    (infolio)      libinfolio.so.N
#   libinfolio-dev (infolio_dev)  headers, CMake package, infolio.pc
#   lumora-tools   (tools)        printer-sim, corvane-echo
# Dependencies on other packages are computed by dpkg-shlibdeps from the
# binaries, those between these packages from the components' dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VERSION ${LUMORA_PRODUCT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lumora developers")
set(CPACK_PACKAGE_CONTACT "The Lumora developers <maintainers@lumora.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL lumora corvane corvane_dev infolio infolio_dev tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lumora.example/)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries are found in the build tree; their packages are named by
# the component dependencies below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(major ${LUMORA_SOVERSION})
set(CPACK_DEBIAN_LUMORA_PACKAGE_NAME lumora)
set(CPACK_DEBIAN_LUMORA_PACKAGE_SECTION net)
# Installing a printer adds a queue to the local CUPS daemon; lpstat (its
# client) lists the queues for the completion.
set(CPACK_DEBIAN_LUMORA_PACKAGE_RECOMMENDS "cups, cups-client")
set(CPACK_DEBIAN_LUMORA_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/conffiles)
set(CPACK_DEBIAN_CORVANE_PACKAGE_NAME libcorvane${major})
set(CPACK_DEBIAN_CORVANE_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_CORVANE_DEV_PACKAGE_NAME libcorvane-dev)
set(CPACK_DEBIAN_CORVANE_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_INFOLIO_PACKAGE_NAME libinfolio${major})
set(CPACK_DEBIAN_INFOLIO_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_INFOLIO_DEV_PACKAGE_NAME libinfolio-dev)
set(CPACK_DEBIAN_INFOLIO_DEV_PACKAGE_SECTION libdevel)
# Infolio's headers include Qt's.
set(CPACK_DEBIAN_INFOLIO_DEV_PACKAGE_DEPENDS qt6-base-dev)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME lumora-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION net)

include(CPack)

cpack_add_component(lumora DISPLAY_NAME "Lumora" DEPENDS corvane infolio
  DESCRIPTION "find and configure network printers on the local network
 Lumora finds the maker's network printers on the local Ethernet segment,
 shows their name, model, addresses and DHCP setting, and changes them,
 checked before and verified after. It opens a printer's web page and
 installs it as a print queue. lumora-cli does the same without a window.")
cpack_add_component(corvane DISPLAY_NAME "corvane library"
  DESCRIPTION "network library of the Lumora printer tools
 Sockets with time-outs, UDP and TCP transports, the printer frame codec,
 adapter information, the printer link (status and command functions for
 printers installed in CUPS) and a typed-message client/server framework.")
cpack_add_component(corvane_dev DISPLAY_NAME "corvane development files" DEPENDS corvane
  DESCRIPTION "network library of the Lumora printer tools - development files
 Headers, the CMake package Corvane (target Corvane::corvane) and the
 pkg-config module corvane.")
cpack_add_component(infolio DISPLAY_NAME "infolio library"
  DESCRIPTION "About box library of the Lumora printer tools
 The About dialog (Qt 6 Widgets) with its pictures and support links.")
cpack_add_component(infolio_dev DISPLAY_NAME "infolio development files" DEPENDS infolio
  DESCRIPTION "About box library of the Lumora printer tools - development files
 Headers, the CMake package Infolio (target Infolio::infolio) and the
 pkg-config module infolio.")
cpack_add_component(tools DISPLAY_NAME "Lumora test tools" DEPENDS corvane
  DESCRIPTION "simulated printers and a message echo for testing Lumora
 printer-sim plays any number of network printers inside a virtual LAN;
 corvane-echo is an echo server and client of the corvane message framework.")
