# Precompiled headers.
#
# Qt's widget headers are the largest that many of our files include: parsed
# again for every file they take several seconds each, longer than most of
# the files' own code. The targets made mostly of such files precompile them
# once (the window, the About box and their tests); corvane precompiles the
# standard headers its many small files share. Measured per file, a
# precompiled header did not pay for the engine, lumora-cli (CLI11 and
# nlohmann-json cost their time in code generation, not parsing) or the other
# tests, so they have none.
#
#   lumora_precompile(TARGET SET...)    sets: std, gtest, qt, qttest
#
# Configure with -DLUMORA_PCH=OFF to build without them (to check that every
# file includes what it uses).
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
