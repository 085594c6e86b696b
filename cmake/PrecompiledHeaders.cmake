# SPDX-License-Identifier: MIT
# Precompiled headers: the system headers that the window's sources and the
# tests include, parsed once per build instead of once per source (for a Qt
# widget source that parse is most of its compile). Only system headers go
# in, so editing the project's own headers never rebuilds them.
# CMAKE_DISABLE_PRECOMPILE_HEADERS=ON turns them off. The engine has none:
# GCC 12 then warns about its own string code (-Warray-bounds) in engine
# sources that build cleanly without.

set(voxtarn_std_headers <algorithm> <functional> <memory> <optional> <string>
  <string_view> <utility> <vector>)
set(VOXTARN_PCH_QT <QAction> <QApplication> <QCheckBox> <QClipboard>
  <QCoreApplication> <QDialog> <QDir> <QFileDialog> <QFileInfo> <QFont>
  <QKeyEvent> <QLabel> <QLineEdit> <QList> <QLocale> <QMainWindow> <QMenu>
  <QMessageBox> <QObject> <QPushButton> <QString> <QStringList> <QStyle>
  <QTimer> <QWidget> ${voxtarn_std_headers})
set(VOXTARN_PCH_GTEST <gtest/gtest.h> ${voxtarn_std_headers})

# voxtarn_precompile_headers(TARGET KIND), KIND QT or GTEST: the first target
# of a kind compiles the header, later ones reuse it. Reuse needs the same
# compiler flags, so static libraries (position-independent) share theirs
# with static libraries and programs with programs.
function(voxtarn_precompile_headers target kind)
  get_target_property(type ${target} TYPE)
  set(owner_property VOXTARN_PCH_OWNER_${kind}_${type})
  get_property(owner GLOBAL PROPERTY ${owner_property})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${VOXTARN_PCH_${kind}})
    set_property(GLOBAL PROPERTY ${owner_property} ${target})
  endif()
endfunction()
