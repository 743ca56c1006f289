# Precompiled headers: the Qt and standard headers nearly every source
# includes are parsed once per kind of target instead of once per source.
#
# Three precompiled headers are made, each by one target; the other targets
# of the same kind compile with exactly the same flags and reuse it:
#   core     cps (libcps):  cpstext, the command line, the simulator, the
#                           benchmarks and the fuzz targets reuse it
#   widgets  cpsgui:        rq381cps and the form benchmark
#   tests    testsupport:   every test program but the window tests
#   (test_gui has its own: QtTest behaves differently with widgets.)
#
# Configure with -DRQ381_PCH=OFF to build without them, for instance to check
# that every source includes what it uses.

option(RQ381_PCH "Precompile the Qt and standard headers" ON)

# clang records the time stamps of the headers in a precompiled header and
# refuses it when one differs; a header ccache hands out from another build
# folder would be refused for the time of its build folder's cmake_pch.hxx.
if(RQ381_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
endif()

set(RQ381_PCH_CORE
  <algorithm> <array> <atomic> <chrono> <cstdint> <cstring> <functional> <map>
  <memory> <mutex> <optional> <utility> <vector>
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash>
  <QList> <QObject> <QSet> <QString> <QStringList>)

set(RQ381_PCH_WIDGETS
  ${RQ381_PCH_CORE}
  <QAbstractButton> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QGridLayout>
  <QGroupBox> <QHBoxLayout> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget>
  <QMdiArea> <QMenu> <QPushButton> <QSignalBlocker> <QStyle> <QTreeWidget>
  <QUndoStack> <QVBoxLayout> <QWidget>)

set(RQ381_PCH_TESTS ${RQ381_PCH_CORE} <QTemporaryDir> <gtest/gtest.h>)
set(RQ381_PCH_GUI_TESTS ${RQ381_PCH_WIDGETS} <QTemporaryDir> <QSignalSpy> <QTest> <gtest/gtest.h>)

# Gives target the precompiled header of that kind (CORE, WIDGETS, TESTS,
# GUI_TESTS).
function(rq381_precompile target kind)
  if(RQ381_PCH)
    target_precompile_headers(${target} PRIVATE ${RQ381_PCH_${kind}})
  endif()
endfunction()

# Compiles the targets with the precompiled header of from.
function(rq381_reuse_precompiled from)
  if(RQ381_PCH)
    foreach(target ${ARGN})
      if(TARGET ${target})
        target_precompile_headers(${target} REUSE_FROM ${from})
      endif()
    endforeach()
  endif()
endfunction()
