# Qt's headers are most of what each of the project's files compiles. Three sets of them are
# precompiled once per build and reused by every target of their kind: the core (no widgets), the
# windows, and the window tests. GCC takes a precompiled header only where the compile options
# and the macros defined for both are the same, so each target gets the set that its own Qt
# modules give; a target with options of its own (the UNO clients) compiles without one, and so
# does a window test with Qt Network, whose macro changes what <QTest> declares: there are too few
# of them to pay for a set of their own.
#
# A file that includes a precompiled header carries its debug information whether it uses it or
# not: seconds of work and a megabyte of object for AUTOMOC's mocs_compilation.cpp, which is empty
# in every target since each file with a Q_OBJECT class includes its own moc output. It compiles
# without one.

set(ZELKARIN_PCH_CORE <QDateTime> <QDir> <QFile> <QList> <QObject> <QRegularExpression>
    <QSqlDatabase> <QSqlError> <QSqlQuery> <QSqlRecord> <QString> <QStringList> <QVariant>)
set(ZELKARIN_PCH_GUI ${ZELKARIN_PCH_CORE} <QApplication> <QComboBox> <QLabel> <QLineEdit>
    <QPushButton> <QTreeWidget> <QWidget>)

function(_zelkarin_pch_target name)
  set(source "${CMAKE_BINARY_DIR}/${name}.cpp")
  file(WRITE "${source}" "")
  add_library(${name} OBJECT "${source}")
  target_link_libraries(${name} PRIVATE ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

# Fills out_qt with the Qt modules whose macros reach target's compiles, and out_own with TRUE
# when a target on the way brings compile options of its own.
function(_zelkarin_compile_modules target out_qt out_own)
  set(modules)
  set(own FALSE)
  set(seen)
  get_target_property(pending ${target} LINK_LIBRARIES)
  if(NOT pending)
    set(pending)
  endif()
  while(pending)
    list(POP_FRONT pending item)
    if(item IN_LIST seen OR item MATCHES "^\\$<LINK_ONLY:")
      continue()
    endif()
    list(APPEND seen ${item})
    if(item MATCHES "^Qt6::(.+)$")
      list(APPEND modules ${CMAKE_MATCH_1})
    elseif(TARGET ${item})
      get_target_property(imported ${item} IMPORTED)
      if(imported)
        continue()
      endif()
      get_target_property(options ${item} INTERFACE_COMPILE_OPTIONS)
      if(options)
        set(own TRUE)
      endif()
      get_target_property(next ${item} INTERFACE_LINK_LIBRARIES)
      if(next)
        list(APPEND pending ${next})
      endif()
    endif()
  endwhile()
  set(${out_qt} ${modules} PARENT_SCOPE)
  set(${out_own} ${own} PARENT_SCOPE)
endfunction()

function(_zelkarin_targets_in dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    _zelkarin_targets_in(${subdir} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Gives every C++ target of the project the precompiled headers of its kind.
function(zelkarin_precompile_qt)
  _zelkarin_pch_target(zelkarin_pch_core Qt6::Core Qt6::Sql)
  target_precompile_headers(zelkarin_pch_core PRIVATE ${ZELKARIN_PCH_CORE})
  _zelkarin_pch_target(zelkarin_pch_gui Qt6::Widgets Qt6::Sql)
  target_precompile_headers(zelkarin_pch_gui PRIVATE ${ZELKARIN_PCH_GUI})
  if(TARGET Qt6::Test)
    # Qt Test defines each target's own folders for QFINDTESTDATA, which no test uses; the
    # different values would keep the tests from sharing the header.
    set_property(TARGET Qt6::Test PROPERTY INTERFACE_COMPILE_DEFINITIONS QT_TESTLIB_LIB)
    _zelkarin_pch_target(zelkarin_pch_guitest Qt6::Widgets Qt6::Sql Qt6::Test)
    target_precompile_headers(zelkarin_pch_guitest PRIVATE ${ZELKARIN_PCH_GUI} <QTest>)
  endif()

  get_directory_property(everywhere DIRECTORY ${CMAKE_SOURCE_DIR} COMPILE_OPTIONS)
  _zelkarin_targets_in(${CMAKE_SOURCE_DIR} targets)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
       OR target MATCHES "^zelkarin_pch_")
      continue()
    endif()
    get_target_property(options ${target} COMPILE_OPTIONS)
    if(options)
      list(REMOVE_ITEM options ${everywhere})
    endif()
    _zelkarin_compile_modules(${target} modules own)
    if(options OR own OR NOT "Sql" IN_LIST modules
       OR ("Widgets" IN_LIST modules AND "Test" IN_LIST modules AND "Network" IN_LIST modules))
      continue()
    endif()
    if("Widgets" IN_LIST modules AND "Test" IN_LIST modules)
      target_precompile_headers(${target} REUSE_FROM zelkarin_pch_guitest)
    elseif("Widgets" IN_LIST modules)
      target_precompile_headers(${target} REUSE_FROM zelkarin_pch_gui)
    else()
      target_precompile_headers(${target} REUSE_FROM zelkarin_pch_core)
    endif()
    get_target_property(automoc ${target} AUTOMOC)
    if(automoc)
      get_target_property(binary_dir ${target} BINARY_DIR)
      set_source_files_properties("${binary_dir}/${target}_autogen/mocs_compilation.cpp"
                                  TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()
