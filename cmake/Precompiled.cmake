# Precompiled headers.
#
# Most of the build's time goes into parsing the same large library headers
# again in every file: the standard library, GoogleTest, Qt, CLI11 and
# nlohmann-json. Each target family below compiles its set once; the test
# executables share one precompiled header per family instead of building
# one each, since they hold only a few files apiece.
#
#   lumora_precompile(TARGET SETS)      own header for TARGET, from the sets
#   lumora_precompile_shared(TARGET FAMILY)   reuse FAMILY's shared header
#
# Sets: std, gtest, qt, qttest, json, cli. Configure with -DLUMORA_PCH=OFF to
# build without them (to check that every file includes what it uses).
option(LUMORA_PCH "Precompile the large library headers" ON)

set(LUMORA_PCH_std
  <algorithm> <array> <atomic> <chrono> <cstdint> <cstdio> <cstring>
  <filesystem> <fstream> <functional> <map> <memory> <mutex> <optional>
  <sstream> <string> <string_view> <thread> <vector>)
set(LUMORA_PCH_gtest <gtest/gtest.h> <gmock/gmock.h>)
set(LUMORA_PCH_qt
  <QAbstractButton> <QApplication> <QDialog> <QFontMetrics> <QLabel>
  <QLineEdit> <QMenu> <QObject> <QPainter> <QPixmap> <QPushButton> <QString>
  <QTimer> <QTreeView> <QUrl> <QWidget>)
set(LUMORA_PCH_qttest <QTest>)
set(LUMORA_PCH_json <nlohmann/json.hpp>)
set(LUMORA_PCH_cli <CLI/CLI.hpp>)

function(lumora_precompile target)
  if(NOT LUMORA_PCH)
    return()
  endif()
  set(headers)
  foreach(set IN LISTS ARGN)
    list(APPEND headers ${LUMORA_PCH_${set}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# A family's shared header lives in an object library of its own whose
# compile flags the family's targets share (same definitions, same position
# independence): a precompiled header is only taken by a compile with the
# flags it was made with.
function(lumora_precompile_family family)
  cmake_parse_arguments(F "" "" "SETS;LIBS;DEFINITIONS" ${ARGN})
  if(NOT LUMORA_PCH)
    return()
  endif()
  set(carrier lumora_pch_${family})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${carrier}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Carries the shared precompiled header.\n")
  add_library(${carrier} OBJECT ${source})
  target_link_libraries(${carrier} PRIVATE ${F_LIBS})
  target_compile_definitions(${carrier} PRIVATE ${F_DEFINITIONS})
  lumora_precompile(${carrier} ${F_SETS})
endfunction()

function(lumora_precompile_shared target family)
  if(LUMORA_PCH)
    target_precompile_headers(${target} REUSE_FROM lumora_pch_${family})
  endif()
endfunction()
