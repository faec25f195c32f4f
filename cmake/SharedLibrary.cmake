# A shared library of the project, built once as objects and linked twice:
# the shared library that programs use (hidden visibility, only the classes
# marked with the generated <NAME>_EXPORT are visible, the standard library's
# instantiations kept out by cmake/LibraryExports.map, SONAME with
# LUMORA_SOVERSION, alias <PACKAGE>::<NAME>) and <NAME>_testing, a static twin through
# which tests reach internal classes. Exported headers live in include/<NAME>,
# internal ones in src. Installed as the CMake package <PACKAGE> and the
# pkg-config module <NAME> (DESCRIPTION, PC_REQUIRES, PC_LIBS_PRIVATE).
#   lumora_add_shared_library(NAME corvane PACKAGE Corvane SOURCES ...
#                             PUBLIC_LIBS Threads::Threads PRIVATE_LIBS Cups::Cups
#                             DESCRIPTION "..." PC_LIBS_PRIVATE "-lcups -pthread")
function(lumora_add_shared_library)
  cmake_parse_arguments(L "" "NAME;PACKAGE;DESCRIPTION;PC_REQUIRES;PC_LIBS_PRIVATE"
                        "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS;PRECOMPILE" ${ARGN})
  set(source_dir ${CMAKE_CURRENT_SOURCE_DIR})
  set(binary_include ${CMAKE_CURRENT_BINARY_DIR}/include)
  set(export_header ${binary_include}/${L_NAME}/${L_NAME}_export.h)

  add_library(${L_NAME}_objects OBJECT ${L_SOURCES})
  set_target_properties(${L_NAME}_objects PROPERTIES POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_compile_definitions(${L_NAME}_objects PRIVATE ${L_NAME}_EXPORTS)
  target_include_directories(${L_NAME}_objects
    PUBLIC $<BUILD_INTERFACE:${source_dir}/include> $<BUILD_INTERFACE:${binary_include}>
    PRIVATE ${source_dir}/src)
  target_link_libraries(${L_NAME}_objects PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  lumora_precompile(${L_NAME}_objects ${L_PRECOMPILE})

  add_library(${L_NAME} SHARED $<TARGET_OBJECTS:${L_NAME}_objects>)
  add_library(${L_PACKAGE}::${L_NAME} ALIAS ${L_NAME})
  set(exports_map ${PROJECT_SOURCE_DIR}/cmake/LibraryExports.map)
  set_target_properties(${L_NAME} PROPERTIES
    VERSION ${LUMORA_SOVERSION}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}
    SOVERSION ${LUMORA_SOVERSION}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON EXPORT_NAME ${L_NAME}
    LINK_DEPENDS ${exports_map})
  target_link_options(${L_NAME} PRIVATE "LINKER:--version-script=${exports_map}")
  target_include_directories(${L_NAME} PUBLIC
    $<BUILD_INTERFACE:${source_dir}/include> $<BUILD_INTERFACE:${binary_include}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${L_NAME} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  generate_export_header(${L_NAME} BASE_NAME ${L_NAME} EXPORT_FILE_NAME ${export_header})

  add_library(${L_NAME}_testing STATIC $<TARGET_OBJECTS:${L_NAME}_objects>)
  target_include_directories(${L_NAME}_testing PUBLIC
    ${source_dir}/include ${binary_include} ${source_dir}/src)
  target_link_libraries(${L_NAME}_testing PUBLIC ${L_PUBLIC_LIBS} ${L_PRIVATE_LIBS})

  lumora_install_package(TARGET ${L_NAME} PACKAGE ${L_PACKAGE} HEADERS include/${L_NAME}
    EXPORT_HEADER ${export_header} DESCRIPTION "${L_DESCRIPTION}"
    PC_REQUIRES "${L_PC_REQUIRES}" PC_LIBS_PRIVATE "${L_PC_LIBS_PRIVATE}")
endfunction()
